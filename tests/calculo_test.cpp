#include "core/Calculo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "VentanaFalsa.h"
#include "core/Tablas.h"
#include "form/Controles.h"
#include "form/Procedimientos.h"

namespace zener {
namespace {

struct Diseno {
  double VeMin, VeMax, IcMin, IcMax, VnZener, IzMin;
};

DatosCircuito Con(const Diseno& d) {
  DatosCircuito datos;
  datos.VeMin = d.VeMin;
  datos.VeMax = d.VeMax;
  datos.IcMin = d.IcMin;
  datos.IcMax = d.IcMax;
  datos.VnZener = d.VnZener;
  datos.IzMin = d.IzMin;
  return datos;
}

constexpr Diseno kEjemploA{12, 15, 20, 100, 5.1, 5};

void ExpectCasiIgual(double real, double esperado) {
  EXPECT_NEAR(real, esperado, std::fabs(esperado) * 1e-12);
}

// The three worked examples of the design notes, values and label texts.
TEST(Calcular, EjemplosResueltos) {
  const struct {
    Diseno diseno;
    double RrLim, IrMax, IzMaxSin, VrMax, PrLim, PzSin, PzCon;
    const char* etiquetas[4];
  } casos[] = {
      {kEjemploA,
       65.714285714285714,
       0.15065217391304348,
       0.13065217391304348,
       9.9,
       1.4914565217391304,
       0.66632608695652174,
       0.76832608695652174,
       {"65,71", "1,491", "0,666", "0,768"}},
      {{12, 15, 0, 100, 5.1, 5},
       65.714285714285714,
       0.15065217391304348,
       0.15065217391304348,
       9.9,
       1.4914565217391304,
       0.76832608695652174,
       0.76832608695652174,
       {"65,71", "1,491", "0,768", "0,768"}},
      {{100, 100, 0, 0, 5, 1},
       95000,
       0.001,
       0.001,
       95,
       0.095,
       0.005,
       0.005,
       {"95.000,00", "0,095", "0,005", "0,005"}},
  };
  for (const auto& c : casos) {
    VentanaFalsa ventana;
    DatosCircuito datos = Con(c.diseno);
    cmdCalcular_Click(datos, ventana);
    EXPECT_TRUE(ventana.cuadros.empty());
    ExpectCasiIgual(datos.RrLim, c.RrLim);
    ExpectCasiIgual(datos.IrMax, c.IrMax);
    EXPECT_EQ(datos.IzMaxCon, datos.IrMax);
    ExpectCasiIgual(datos.IzMaxSin, c.IzMaxSin);
    ExpectCasiIgual(datos.VrMax, c.VrMax);
    ExpectCasiIgual(datos.PrLim, c.PrLim);
    ExpectCasiIgual(datos.PzSin, c.PzSin);
    ExpectCasiIgual(datos.PzCon, c.PzCon);
    for (std::size_t i = 0; i < kResultados.size(); ++i) {
      EXPECT_EQ(ventana.textos[kEtiquetas[i]], c.etiquetas[i]);
    }
  }
}

TEST(Calcular, LaPrimeraReglaIncumplidaEsLaQueCuenta) {
  const struct {
    Diseno diseno;
    int regla;
    Control foco;
  } casos[] = {
      {{0, 0, 0, 0, 0, 5}, 1, Control::txtVeMin},    // right after a reset
      {{0, 1, 50, 10, 1, 0}, 1, Control::txtVeMin},  // everything broken
      {{12, 10, 0, 0, 1, 5}, 2, Control::txtVeMax},  // not rule 4
      {{12, 15, 20, 10, 1, 5}, 3, Control::txtIcMax},
      {{12, 15, 0, 0, 2, 5}, 4, Control::txtVnZener},
      {{5.59, 6, 0, 0, 5.1, 1}, 5, Control::txtVeMin},
      {{12, 15, 0, 0, 5.1, 0}, 6, Control::txtIzMin},
      {{12, 15, 0, 0, 5.1, 0.99}, 6, Control::txtIzMin},
      {{12, 15, 0, 0, 5.1, 101}, 7, Control::txtIzMin},
      {{12, 15, 0, 0, 5.1, 100.01}, 7, Control::txtIzMin},
  };
  for (const auto& c : casos) {
    VentanaFalsa ventana;
    ventana.foco = Control::cmdCalcular;
    DatosCircuito datos = Con(c.diseno);
    const DatosCircuito antes = datos;
    cmdCalcular_Click(datos, ventana);
    ASSERT_EQ(ventana.cuadros.size(), 1u) << c.regla;
    const Regla& regla = kReglas[static_cast<std::size_t>(c.regla - 1)];
    EXPECT_EQ(ventana.cuadros[0].prompt, TextoDelCuadro(static_cast<Veredicto>(c.regla)));
    EXPECT_EQ(ventana.cuadros[0].titulo, regla.titulo);
    EXPECT_EQ(ventana.cuadros[0].estilo, 64);
    EXPECT_EQ(datos.MsgTexto, ventana.cuadros[0].prompt);
    EXPECT_EQ(datos.MsgEstilo, 64);
    EXPECT_EQ(datos.MsgRespuesta, 1);
    EXPECT_EQ(ventana.foco, c.foco) << c.regla;
    EXPECT_EQ(datos.VeMin, antes.VeMin);
    EXPECT_EQ(datos.IzMin, antes.IzMin);
    EXPECT_EQ(ventana.textos[Control::lblRrLim], "0,00");
  }
}

TEST(Calcular, LimitesDeLasReglas) {
  const struct {
    Diseno diseno;
    Veredicto veredicto;
  } casos[] = {
      {{12, 12, 30, 30, 5.1, 5}, Veredicto::Cumple},  // equal values pass rules 2 and 3
      {{12, 15, 0, 0, 2.01, 5}, Veredicto::Cumple},  {{12, 15, 0, 0, 2, 5}, Veredicto::Regla4},
      {{5.6, 6, 0, 0, 5.1, 1}, Veredicto::Cumple},  // 5.6 - 0.5 == 5.1 in double precision
      {{12, 15, 0, 0, 5.1, 1}, Veredicto::Cumple},   {{12, 15, 0, 0, 5.1, 100}, Veredicto::Cumple},
  };
  for (const auto& c : casos) {
    DatosCircuito datos = Con(c.diseno);
    EXPECT_EQ(Calcular(datos), c.veredicto) << c.diseno.VnZener << " " << c.diseno.IzMin;
  }
}

TEST(Calcular, QuinientosOhmiosEnElLimiteDeLaRegla5) {
  VentanaFalsa ventana;
  DatosCircuito datos = Con({5.6, 5.6, 0, 0, 5.1, 1});
  cmdCalcular_Click(datos, ventana);
  EXPECT_EQ(ventana.textos[Control::lblRrLim], "500,00");
}

// Designs whose last digit double arithmetic decides: the x87 unit's extended
// precision shows 0,787 and 50,560 (PrLim is 0.7864999999999994 in doubles).
TEST(Calcular, CadaOperacionEsDeDoblePrecision) {
  const struct {
    Diseno diseno;
    Control etiqueta;
    const char* texto;
  } casos[] = {
      {{13.06, 13.16, 238, 644, 12.06, 6}, Control::lblPrLim, "0,786"},
      {{15.47, 23.54, 37, 314, 14.43, 86}, Control::lblPzCon, "50,561"},
  };
  for (const auto& c : casos) {
    VentanaFalsa ventana;
    DatosCircuito datos = Con(c.diseno);
    cmdCalcular_Click(datos, ventana);
    EXPECT_EQ(ventana.textos[c.etiqueta], c.texto);
  }
}

// Each box line with its exact leading spaces, joined by a lone 13: the
// rule's plain lines, laid out for the box alone.
TEST(Calcular, LosCuadrosDeLasReglasTienenSusLineasYSangrias) {
  const std::vector<std::vector<int>> sangrias = {{0, 6},    {0, 24}, {0, 24}, {0, 0},
                                                  {0, 1, 0}, {0, 14}, {0, 5}};
  for (std::size_t r = 0; r < kReglas.size(); ++r) {
    const std::string prompt = TextoDelCuadro(static_cast<Veredicto>(r + 1));
    EXPECT_EQ(prompt.find('\n'), std::string::npos);
    std::vector<int> encontradas;
    std::string lineas;
    std::size_t inicio = 0;
    while (true) {
      const std::size_t fin = prompt.find('\r', inicio);
      const std::string linea = prompt.substr(inicio, fin - inicio);
      encontradas.push_back(static_cast<int>(linea.find_first_not_of(' ')));
      lineas += (inicio == 0 ? "" : "\n") + linea.substr(linea.find_first_not_of(' '));
      if (fin == std::string::npos) break;
      inicio = fin + 1;
    }
    EXPECT_EQ(encontradas, sangrias[r]) << "rule " << r + 1;
    EXPECT_EQ(lineas, kReglas[r].mensaje) << "rule " << r + 1;
  }
}

TEST(Calcular, UnFalloNumericoNoDejaNadaAMedias) {
  const Diseno casos[] = {
      {1e308, 1e308, 0, 0, 5, 1},  // the resistor overflows
      {12, 1e308, 0, 0, 5, 1},     // the resistor's power overflows
      {12, 15, -5, -5, 5, 5},      // negative loads: division by zero
      {12, 15, -200, -100, 5, 5},  // a negative resistor
      {1.7976931348623155e305, 1.7976931348623155e305, 0, 0, 5, 1},  // too large to show
  };
  for (const Diseno& d : casos) {
    VentanaFalsa ventana;
    ventana.foco = Control::cmdCalcular;
    DatosCircuito previo = Con(kEjemploA);
    ASSERT_EQ(Calcular(previo), Veredicto::Cumple);
    DatosCircuito datos = Con(d);
    datos.IrMax = previo.IrMax;
    datos.IzMaxSin = previo.IzMaxSin;
    cmdCalcular_Click(datos, ventana);
    ASSERT_EQ(ventana.cuadros.size(), 1u);
    EXPECT_EQ(ventana.cuadros[0].estilo, 48);
    EXPECT_EQ(ventana.cuadros[0].titulo, "Error");
    EXPECT_EQ(ventana.cuadros[0].prompt, TextoDelCuadro(Veredicto::FueraDeRango));
    for (const double v : {datos.RrLim, datos.IrMax, datos.IzMaxCon, datos.IzMaxSin, datos.VrMax,
                           datos.PzSin, datos.PzCon, datos.PrLim}) {
      EXPECT_EQ(v, 0);
    }
    EXPECT_EQ(ventana.textos[Control::lblRrLim], "0,00");
    EXPECT_EQ(ventana.textos[Control::lblPzCon], "0,000");
    EXPECT_EQ(ventana.foco, Control::cmdCalcular);
  }
}

TEST(Calcular, UnaReglaIncumplidaConservaLosIntermediosDelCalculoAnterior) {
  VentanaFalsa ventana;
  DatosCircuito datos = Con(kEjemploA);
  cmdCalcular_Click(datos, ventana);
  const DatosCircuito bueno = datos;
  datos.IzMin = 0;
  cmdCalcular_Click(datos, ventana);
  EXPECT_EQ(datos.IrMax, bueno.IrMax);
  EXPECT_EQ(datos.IzMaxSin, bueno.IzMaxSin);
  EXPECT_EQ(datos.IzMaxCon, bueno.IzMaxCon);
  EXPECT_EQ(datos.VrMax, bueno.VrMax);
  EXPECT_EQ(datos.RrLim, 0);
  EXPECT_EQ(datos.PrLim, 0);
  EXPECT_EQ(datos.PzSin, 0);
  EXPECT_EQ(datos.PzCon, 0);
}

TEST(Limpiar, BorraResultadosPeroNoIntermedios) {
  VentanaFalsa ventana;
  DatosCircuito datos = Con(kEjemploA);
  cmdCalcular_Click(datos, ventana);
  const DatosCircuito calculado = datos;
  Limpiar(datos, ventana);
  Limpiar(datos, ventana);
  EXPECT_EQ(datos.RrLim, 0);
  EXPECT_EQ(datos.PrLim, 0);
  EXPECT_EQ(datos.PzSin, 0);
  EXPECT_EQ(datos.PzCon, 0);
  EXPECT_EQ(datos.IrMax, calculado.IrMax);
  EXPECT_EQ(datos.VrMax, calculado.VrMax);
  EXPECT_EQ(datos.VeMin, 12);
  for (std::size_t i = 0; i < kResultados.size(); ++i) {
    EXPECT_EQ(ventana.textos[kEtiquetas[i]], kResultados[i].textoBorrado);
  }
}

TEST(LimpiarTodo, RestauraLosValoresPorDefectoYConservaElMensaje) {
  VentanaFalsa ventana;
  DatosCircuito datos = Con(kEjemploA);
  cmdCalcular_Click(datos, ventana);
  MostrarMensaje(datos, ventana, "aviso", 48, "Error");
  ventana.foco = Control::txtIcMax;
  LimpiarTodo(datos, ventana);
  const char* textos[] = {"0,00", "0,00", "0", "0", "0,00", "5"};
  for (std::size_t i = 0; i < kCampos.size(); ++i) {
    EXPECT_EQ(ventana.textos[CampoDe(kCampos[i].magnitud)], textos[i]);
  }
  EXPECT_EQ(ventana.textos[Control::lblRrLim], "0,00");
  EXPECT_EQ(ventana.textos[Control::lblPrLim], "0,000");
  EXPECT_EQ(datos.IzMin, 5);
  for (const double v : {datos.VeMin, datos.VeMax, datos.IcMin, datos.IcMax, datos.VnZener,
                         datos.IrMax, datos.IzMaxSin, datos.IzMaxCon, datos.VrMax, datos.RrLim}) {
    EXPECT_EQ(v, 0);
  }
  EXPECT_EQ(datos.MsgTexto, "aviso");
  EXPECT_EQ(datos.MsgEstilo, 48);
  EXPECT_EQ(datos.MsgRespuesta, 1);
  EXPECT_EQ(ventana.foco, Control::txtIcMax);
}

}  // namespace
}  // namespace zener
