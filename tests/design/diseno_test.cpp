#include "design/Diseno.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "core/Calculo.h"
#include "design/Componentes.h"

namespace zener {
namespace {

DatosCircuito Valores(double veMin, double veMax, double icMin, double icMax, double vz,
                      double izMin) {
  DatosCircuito d;
  d.VeMin = veMin;
  d.VeMax = veMax;
  d.IcMin = icMin;
  d.IcMax = icMax;
  d.VnZener = vz;
  d.IzMin = izMin;
  return d;
}

std::vector<double> TodosLosValores(Serie serie) {
  const TablaSerie& tabla = TablaDe(serie);
  std::vector<double> valores;
  for (std::size_t i = 0; i < CuantosValores(tabla); ++i) valores.push_back(ValorEn(tabla, i));
  return valores;
}

bool Contiene(const std::vector<double>& valores, double valor) {
  for (const double v : valores) {
    if (std::fabs(v - valor) < 1e-9 * valor) return true;
  }
  return false;
}

// IEC 60063: counts, default tolerances, the published values that differ
// from the rounded formula, the span 1 ohm to 10 Mohm, and each series
// nested in the next of its group, which a mistyped entry breaks.
TEST(Series, TablasNormalizadas) {
  const struct {
    Serie serie;
    std::size_t cuantas;
    double tolR;
    std::vector<double> presentes, ausentes;
  } casos[] = {
      {Serie::E6, 6, 0.20, {1.5, 2.2, 3.3, 4.7, 6.8}, {}},
      {Serie::E12, 12, 0.10, {2.7, 3.3, 3.9, 4.7, 8.2}, {2.6, 3.2, 3.8, 4.6, 8.3}},
      {Serie::E24,
       24,
       0.05,
       {2.7, 3.0, 3.3, 3.6, 3.9, 4.3, 4.7, 8.2},
       {2.6, 2.9, 3.2, 3.5, 3.8, 4.2, 4.6, 8.3}},
      {Serie::E48, 48, 0.02, {1.05, 9.53}, {}},
      {Serie::E96, 96, 0.01, {1.02, 9.76}, {}},
      {Serie::E192, 192, 0.005, {9.20, 9.88}, {9.19}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(TablaDe(c.serie).nombre);
    const TablaSerie& tabla = TablaDe(c.serie);
    EXPECT_EQ(tabla.cuantas, c.cuantas);
    EXPECT_EQ(tabla.tolR, c.tolR);
    const std::vector<double> valores = TodosLosValores(c.serie);
    EXPECT_EQ(valores.front(), 1);
    EXPECT_EQ(valores.back(), 10e6);
    for (std::size_t i = 1; i < valores.size(); ++i) EXPECT_LT(valores[i - 1], valores[i]);
    for (const double v : c.presentes) EXPECT_TRUE(Contiene(valores, v)) << v;
    for (const double v : c.ausentes) EXPECT_FALSE(Contiene(valores, v)) << v;
    for (const double decada : {1e3, 1e6}) {
      for (const double v : c.presentes) EXPECT_TRUE(Contiene(valores, v * decada)) << v * decada;
    }
  }
  const std::pair<Serie, Serie> anidadas[] = {{Serie::E6, Serie::E12},
                                              {Serie::E12, Serie::E24},
                                              {Serie::E48, Serie::E96},
                                              {Serie::E96, Serie::E192}};
  for (const auto& [menor, mayor] : anidadas) {
    const std::vector<double> grande = TodosLosValores(mayor);
    for (const double v : TodosLosValores(menor)) EXPECT_TRUE(Contiene(grande, v)) << v;
  }
}

// 12 to 15 V in, 5,1 V Zener, 5 to 20 mA of load, 5 mA minimum, E24 at 5 %,
// Zener at 5 %, margin 2. By hand:
//   exact R = (12 - 5,1) / (5 + 20 mA) = 276 ohm.
//   Worst case: Vz high = 5,355 V, R high = 1,05 R.
//   270 ohm: 6,645 / 283,5 = 23,44 mA - 20 = 3,44 mA < 5: fails.
//   240 ohm: 6,645 / 252 = 26,37 mA - 20 = 6,37 mA: passes, and is chosen.
//   Resistor: (15 - 4,845)^2 / (0,95 * 240) = 103,124 / 228 = 0,452 W; x2 = 0,905 -> 1 W.
//   Zener: 5,355 * 10,155 / 228 = 0,2385 W; x2 = 0,477 -> 0,5 W: BZX79C5V1, Zzt 60 ohm.
//   Regulation: 60 / 300 = 200 mV/V; 240 * 60 / 300 = 48 mV/mA;
//   efficiency 5,1 * 0,02 / (12 * 6,9 / 240) = 0,102 / 0,345 = 29,6 %.
TEST(Disenar, EjemploResueltoAMano) {
  const Diseno d = Disenar(Valores(12, 15, 5, 20, 5.1, 5), {});
  ASSERT_TRUE(d.cumple);
  EXPECT_NEAR(d.datos.RrLim, 276, 1e-9);
  ASSERT_TRUE(d.elegida);
  EXPECT_EQ(d.elegida->rOhm, 240);
  EXPECT_NEAR(d.elegida->izMinMa, 6.369, 1e-3);
  EXPECT_NEAR(d.elegida->prW, 0.4523, 1e-4);
  EXPECT_NEAR(d.elegida->pzW, 0.2385, 1e-4);
  ASSERT_EQ(d.vecinas.size(), 2u);
  EXPECT_EQ(d.vecinas[0].rOhm, 220);
  EXPECT_TRUE(d.vecinas[0].cumple);
  EXPECT_EQ(d.vecinas[1].rOhm, 270);
  EXPECT_NEAR(d.vecinas[1].izMinMa, 3.439, 1e-3);
  EXPECT_FALSE(d.vecinas[1].cumple);
  EXPECT_EQ(d.potenciaResistenciaW, 1.0);
  EXPECT_EQ(d.potenciaZenerW, 0.5);
  ASSERT_TRUE(d.zener);
  EXPECT_EQ(d.zener->numero, "BZX79C5V1");
  EXPECT_EQ(d.zener->zztOhm, 60);
  ASSERT_TRUE(d.regulacion);
  EXPECT_NEAR(d.regulacion->lineaMvV, 200, 1e-9);
  EXPECT_NEAR(d.regulacion->cargaMvMa, 48, 1e-9);
  EXPECT_NEAR(d.regulacion->rizadoDb, 20 * std::log10(5.0), 1e-9);
  EXPECT_NEAR(d.regulacion->rendimiento, 0.102 / 0.345, 1e-9);
  EXPECT_TRUE(d.avisos.empty());
}

// The worst-case minimum Zener current, written again from the formula.
bool PasaPeorCaso(const DatosCircuito& v, double r, double tolR, double tolVz) {
  return (v.VeMin - v.VnZener * (1 + tolVz)) / (r * (1 + tolR)) * 1000 - v.IcMax >= v.IzMin;
}

// For random designs in every series: the chosen value passes, the next one
// up fails, and when nothing is chosen not even 1 ohm passes.
TEST(Disenar, EligeElMayorValorQueCumple) {
  std::mt19937 azar(20261207);
  std::uniform_real_distribution<double> tension(2.1, 60), exceso(0.5, 40), corriente(0, 2000),
      izMin(1, 100), tolerancia(0, 0.2);
  int elegidos = 0;
  for (int n = 0; n < 3000; ++n) {
    const double vz = tension(azar);
    const double veMin = vz + exceso(azar);
    const double icMax = corriente(azar);
    const DatosCircuito v = Valores(veMin, veMin + exceso(azar), 0, icMax, vz, izMin(azar));
    OpcionesDiseno o;
    o.serie = static_cast<Serie>(n % 6);
    o.tolR = tolerancia(azar);
    o.tolVz = tolerancia(azar);
    const Diseno d = Disenar(v, o);
    ASSERT_EQ(d.veredicto, Veredicto::Cumple);
    const std::vector<double> valores = TodosLosValores(o.serie);
    if (!d.elegida) {
      EXPECT_FALSE(PasaPeorCaso(v, valores.front(), *o.tolR, o.tolVz));
      continue;
    }
    ++elegidos;
    EXPECT_TRUE(PasaPeorCaso(v, d.elegida->rOhm, *o.tolR, o.tolVz));
    std::size_t i = 0;
    while (valores[i] != d.elegida->rOhm) ++i;
    if (i + 1 < valores.size()) {
      EXPECT_FALSE(PasaPeorCaso(v, valores[i + 1], *o.tolR, o.tolVz));
    }
  }
  EXPECT_GT(elegidos, 2000);
}

// A failed rule is the answer, with the window's message; so is a series
// with no value that keeps the Zener current, and options out of range.
TEST(Disenar, SinDiseno) {
  OpcionesDiseno holgadas;
  holgadas.tolVz = 0.5;
  OpcionesDiseno malMargen;
  malMargen.margen = 0.5;
  const struct {
    DatosCircuito valores;
    OpcionesDiseno opciones;
    Veredicto veredicto;
    std::string_view mensaje;
  } casos[] = {
      {Valores(0, 15, 5, 20, 5.1, 5), {}, Veredicto::Regla1, kReglas[0].prompt},
      {Valores(12, 15, 30, 20, 5.1, 5), {}, Veredicto::Regla3, kReglas[2].prompt},
      {Valores(5.5, 15, 5, 20, 5.1, 5), {}, Veredicto::Regla5, kReglas[4].prompt},
      {Valores(12, 15, 5, 20, 5.1, 101), {}, Veredicto::Regla7, kReglas[6].prompt},
      {Valores(12, 15, 5, 20, 9, 5), holgadas, Veredicto::Cumple,
       "Ningún valor de la serie E24 garantiza la corriente mínima del zener con estas "
       "tolerancias."},
      {Valores(12, 15, 5, 20, 5.1, 5), malMargen, Veredicto::FueraDeRango,
       "Opciones no válidas: el margen de potencia ha de estar entre 1 y 100."},
  };
  for (const auto& c : casos) {
    const Diseno d = Disenar(c.valores, c.opciones);
    EXPECT_FALSE(d.cumple);
    EXPECT_EQ(d.veredicto, c.veredicto);
    EXPECT_EQ(d.mensaje, c.mensaje);
    EXPECT_FALSE(d.elegida);
    EXPECT_FALSE(d.zener);
  }
}

// Wattages and parts at both ends of the tables, a Zener voltage between
// standard ones, and a dissipation no single diode takes.
TEST(Disenar, PotenciasYPiezas) {
  OpcionesDiseno n47;
  n47.familia = Familia::N47;
  const struct {
    DatosCircuito valores;
    OpcionesDiseno opciones;
    std::optional<double> resistenciaW, zenerW;
    std::string_view zener;
    std::size_t avisos;
    std::string_view aviso;  // start of the first warning
  } casos[] = {
      {Valores(12, 12, 0, 1, 5.1, 1), {}, 0.125, 0.5, "BZX79C5V1", 0, ""},
      {Valores(12, 15, 5, 20, 5.1, 5), n47, 1, 0.5, "1N4733A", 0, ""},
      {Valores(12, 21, 0, 22, 5.1, 5), {}, 3, 1, "1N4733A", 0, ""},
      {Valores(12, 12, 0, 150, 5.1, 5), {}, 3, 5, "1N5338B", 0, ""},
      {Valores(12, 15, 5, 20, 5, 5),
       {},
       1,
       0.5,
       "",
       1,
       "La tensión de zener 5,00 V no es un valor normalizado de BZX79-C; por debajo: 4,7 V; "
       "por encima: 5,1 V."},
      {Valores(12, 18, 50, 400, 5.1, 5),
       {},
       std::nullopt,
       std::nullopt,
       "",
       2,
       "La resistencia ha de disipar 24,"},
  };
  for (const auto& c : casos) {
    const Diseno d = Disenar(c.valores, c.opciones);
    SCOPED_TRACE(c.zener);
    ASSERT_TRUE(d.cumple);
    EXPECT_EQ(d.potenciaResistenciaW, c.resistenciaW);
    EXPECT_EQ(d.potenciaZenerW, c.zenerW);
    EXPECT_EQ(d.zener ? d.zener->numero : "", c.zener);
    ASSERT_EQ(d.avisos.size(), c.avisos);
    if (c.avisos > 0) {
      EXPECT_EQ(d.avisos[0].substr(0, c.aviso.size()), c.aviso);
    }
  }
}

}  // namespace
}  // namespace zener
