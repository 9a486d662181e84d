#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "Disenos.h"
#include "design/Componentes.h"
#include "design/Diseno.h"
#include "design/Muestreo.h"
#include "design/Secciones.h"

namespace zener {
namespace {

// Designs as people ask for them, over both circuits, ambients, ripple, a
// load that stays and a load given as a resistance.
std::vector<Diseno> Disenos(int cuantos, std::uint32_t semilla) {
  std::mt19937 azar(semilla);
  std::uniform_real_distribution<double> uno(0, 1);
  const double tensiones[] = {3.3, 4.7, 5.1, 6.8, 9.1, 12, 15, 24};
  std::vector<Diseno> disenos;
  for (int n = 0; n < cuantos; ++n) {
    const double vz = tensiones[n % std::size(tensiones)];
    const double veMin = vz * (1.2 + 1.5 * uno(azar));
    const double icMax = 1 + 200 * uno(azar) * uno(azar);
    OpcionesDiseno o;
    o.circuito = n % 3 == 0 ? Circuito::Seguidor : Circuito::Derivacion;
    if (n % 4 == 1) {
      o.tempMinC = -20;
      o.tempMaxC = 25 + 45 * uno(azar);
    }
    if (n % 5 == 2) o.rizadoMv = 500 * uno(azar);
    if (n % 7 == 3) o.cargaFija = true;
    if (n % 11 == 4 && o.circuito == Circuito::Derivacion) o.cargaOhm = 50 + 2000 * uno(azar);
    if (n % 2) o.margen = 1 + uno(azar);
    disenos.push_back(Disenar(Valores(veMin, veMin * (1 + 0.4 * uno(azar)), icMax * uno(azar),
                                      icMax, vz, 1 + 9 * uno(azar)),
                              o, DecimalesDeVentana(), Alcance::Lote));
  }
  return disenos;
}

// Every unit drawn lies within the worst case's bounds, each measure on the
// side the worst case bounds it (the nominal output between the extremes),
// and a design the worst case builds yields every unit it draws: the worst
// case is the hull of what the sheets allow, and the units are drawn from
// within it. Over designs of both circuits, ambients, ripple, fixed and
// resistive loads, refused ones too.
TEST(Muestreo, CadaUnidadQuedaDentroDelPeorCasoYUnDisenoQueLoPasaRindeTodo) {
  constexpr std::uint64_t kUnidades = 150;
  int muestreados = 0, construibles = 0, conFallos = 0;
  std::uint64_t unidades = 0;
  for (const Diseno& d : Disenos(240, 29)) {
    OpcionesMuestreo o;
    o.unidades = kUnidades;
    o.semilla = static_cast<std::uint64_t>(muestreados) + 1;
    const Cifras& c = d.cifras;
    const Muestreo m = Muestrear(d, o, [&](const Unidad& u) {
      ++unidades;
      for (const DescripcionMedida& x : kMedidas) {
        if (x.deSeguidor && d.opciones.circuito != Circuito::Seguidor) continue;
        const double v = u.medidas[static_cast<std::size_t>(x.medida)];
        // A millionth for the envelope's own solves; a hundredth of a
        // kelvin for the junctions, settled to a thousandth.
        const double holgura = x.medida == Medida::TjZener ? 1e-2 : 1e-6 * (1 + std::fabs(v));
        const Cifras& cotas = c;
        auto dentro = [&](std::optional<double> baja, std::optional<double> alta) {
          if (baja) {
            EXPECT_GE(v, *baja - holgura) << x.nombre << " Vz " << u.vzV;
          }
          if (alta) {
            EXPECT_LE(v, *alta + holgura) << x.nombre << " Vz " << u.vzV;
          }
        };
        switch (x.medida) {
          case Medida::VoutNominal:
            dentro(cotas[Figura::VoutMin], cotas[Figura::VoutMax]);
            break;
          case Medida::VoutMin:
            dentro(cotas[Figura::VoutMin], std::nullopt);
            break;
          case Medida::VoutMax:
            dentro(std::nullopt, cotas[Figura::VoutMax]);
            break;
          case Medida::IzMin:
            dentro(cotas[Figura::IzMin], std::nullopt);
            break;
          case Medida::IzMax:
            dentro(std::nullopt, cotas[Figura::IzMax]);
            break;
          case Medida::PZ:
            dentro(std::nullopt, cotas[Figura::PZSinCarga]);
            break;
          case Medida::PR:
            dentro(std::nullopt, cotas[Figura::PR]);
            break;
          case Medida::TjZener:
            dentro(std::nullopt, cotas[Figura::TjZener]);
            break;
          case Medida::VR:
            dentro(std::nullopt, cotas[Figura::VRMax]);
            break;
          case Medida::PTransistor:
            dentro(std::nullopt, cotas[Figura::PTransistor]);
            break;
          case Medida::VceMax:
            dentro(std::nullopt, cotas[Figura::VceMax]);
            break;
        }
      }
    });
    if (m.sinMuestreo) continue;
    SCOPED_TRACE(LineaDeVeredicto(d));
    ++muestreados;
    if (d.construible) {
      ++construibles;
      EXPECT_EQ(m.aprobadas, kUnidades)
          << (m.masFallada ? kPromesas[static_cast<std::size_t>(*m.masFallada)].nombre : "");
    }
    conFallos += m.aprobadas < kUnidades;
  }
  EXPECT_GT(construibles, 60);
  EXPECT_GT(conFallos, 20);
  std::cout << muestreados << " diseños muestreados (" << construibles << " construibles, "
            << conFallos << " con unidades que fallan), " << unidades << " unidades\n";
}

// The yield moves only one way as a promise loosens: a smaller power
// margin, a wider output window, the same units drawn each time (the part
// and R held); and the same seed gives the same report, another seed
// another one. (A narrower resistor tolerance need not raise it: where the
// nominal R sits at the edge of what a unit takes, the units drawn far from
// it on the right side pass, and a narrower tolerance draws them nearer.)
TEST(Muestreo, ElRendimientoSoloSubeAlAflojarYLaSemillaLoRepite) {
  int parciales = 0;
  for (const Diseno& base : Disenos(90, 31)) {
    if (base.veredicto != Veredicto::Cumple || !base.zener || !base.ConResistencia()) continue;
    // The part and R held, whatever the options.
    OpcionesDiseno fijas = base.opciones;
    fijas.rOhm = base.cifras.De(Figura::RNominal);
    fijas.familia = base.zener->familia->familia;
    fijas.transistor = base.opciones.circuito == Circuito::Seguidor ? base.transistor : nullptr;
    auto rendimiento = [&](double margen, double ventana) {
      OpcionesDiseno o = fijas;
      o.margen = margen;
      const Diseno d = Disenar(base.datos, o, DecimalesDeVentana(), Alcance::Lote);
      EXPECT_EQ(d.zener->fila, base.zener->fila);
      OpcionesMuestreo m;
      m.unidades = 300;
      m.semilla = 7;
      const double vz = base.datos.VnZener;
      m.voutMinV = vz * (1 - ventana);
      m.voutMaxV = vz * (1 + ventana);
      return static_cast<double>(Muestrear(d, m).aprobadas);
    };
    SCOPED_TRACE(LineaDeVeredicto(base));
    const double referencia = rendimiento(2, 0.1);
    EXPECT_LE(rendimiento(3, 0.1), referencia);
    EXPECT_GE(rendimiento(1.2, 0.1), referencia);
    EXPECT_LE(rendimiento(2, 0.05), referencia);
    EXPECT_GE(rendimiento(2, 0.2), referencia);
    parciales += referencia > 0 && referencia < 300;
  }
  EXPECT_GT(parciales, 5);
  const Diseno d = Disenar(Valores(12, 15, 5, 20, 5.1, 5), {});
  auto informe = [&](std::uint64_t semilla) {
    Diseno con = d;
    OpcionesMuestreo o;
    o.unidades = 2000;
    o.semilla = semilla;
    con.muestreo = Muestrear(con, o);
    return InformeTexto(con) + MuestreoJson(con);
  };
  EXPECT_EQ(informe(1), informe(1));
  EXPECT_NE(informe(1), informe(2));
}

}  // namespace
}  // namespace zener
