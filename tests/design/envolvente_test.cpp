// The envelope against its definition: the least and the most current of
// every member at the band's top and foot, each member solved on its own,
// and the highest and lowest voltage of every member at a current, over every
// catalogue row and many sources, from the Zener off to far above its test
// current. The envelope works out only the members that may be extreme, and
// each exponential one with Newton's method: both must give the definition's
// figures to within 1e-12.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "core/Calculo.h"
#include "design/Componentes.h"
#include "design/Envolvente.h"

namespace zener {
namespace {

constexpr double kRelativa = 1e-12;
constexpr double kEpsilon = 2.2e-16;
constexpr int kFuentesPorBanda = 60;
constexpr std::uint32_t kSemilla = 11;

// Each member's point, solved alone, and the least or most current of them.
Punto PorDefinicion(const Envolvente& env, const Fuente& f, bool alta) {
  Punto x = PuntoDeTrabajo(env.Miembro(0, alta), f);
  for (std::size_t k = 1; k < env.Formas(); ++k) {
    const Punto p = PuntoDeTrabajo(env.Miembro(k, alta), f);
    if (alta ? p.iA < x.iA : p.iA > x.iA) x = p;
  }
  return x;
}

// A voltage on the scale of the part's: far below the knee V0 + a·ln x
// cancels towards nothing, where its rounding is V0's.
void Igual(const Punto& obtenido, const Punto& esperado, double v0, const char* que) {
  EXPECT_LE(std::fabs(obtenido.iA - esperado.iA), kRelativa * std::fabs(esperado.iA)) << que;
  EXPECT_LE(std::fabs(obtenido.v - esperado.v), kRelativa * std::max(std::fabs(esperado.v), v0))
      << que;
}

// The current solves E − V(I) − Rt·I = 0 to within 1e-12 of itself, beyond
// what rounding the equation's own terms leaves.
void Resuelve(const Caracteristica& c, const Fuente& f, const Punto& p) {
  if (p.iA <= 0) return;  // off: the straight members' closed form, no solve
  const double residuo = f.e - c.Tension(p.iA) - f.rt * p.iA;
  const double redondeo = 8 * kEpsilon * (std::fabs(f.e) + std::fabs(p.v) + f.rt * p.iA);
  const double pendiente = c.Impedancia(p.iA) + f.rt;
  EXPECT_LE(std::fabs(residuo), (kRelativa * p.iA * pendiente) + redondeo)
      << c.v0 << " " << c.a << " " << c.rs << " E " << f.e << " Rt " << f.rt;
}

// A current anywhere from a tenth of Izk to twenty times Izt.
double CorrienteAlAzar(const FilaZener& fila, std::mt19937& azar) {
  const double desdeA = fila.izkMa / kMiliPorUnidad / 10;
  const double hastaA = fila.iztMa / kMiliPorUnidad * 20;
  return desdeA * std::pow(hastaA / desdeA, std::uniform_real_distribution<double>(0, 1)(azar));
}

// A source that puts about that current through a part of voltage about V0,
// or none, behind 1 Ω to 100 kΩ.
Fuente FuenteAlAzar(double iA, double v0, std::mt19937& azar) {
  std::uniform_real_distribution<double> unidad(0, 1);
  const double rt = std::pow(10.0, 5 * unidad(azar));
  const double apagada = unidad(azar) < 0.1 ? 0.8 : 1;
  return {v0 * apagada * (0.9 + 0.2 * unidad(azar)) + rt * iA, rt};
}

// The highest and lowest voltage of every member at a current.
double TensionPorDefinicion(const Envolvente& env, double iA, bool alta) {
  double v = env.Miembro(0, alta).Tension(iA);
  for (std::size_t k = 1; k < env.Formas(); ++k) {
    const double w = env.Miembro(k, alta).Tension(iA);
    v = alta ? std::max(v, w) : std::min(v, w);
  }
  return v;
}

TEST(Envolvente, PuntosExtremosComoSuDefinicion) {
  std::mt19937 azar(kSemilla);
  for (const FamiliaZener& familia : kFamilias) {
    for (std::size_t i = 0; i < familia.cuantas; ++i) {
      const FilaZener& fila = familia.filas[i];
      // The datasheet's band, and one widened as a hot junction widens it.
      for (const double ensancha : {1.0, 1.1}) {
        const Envolvente env(fila, fila.vzMin / ensancha, fila.vzMax * ensancha);
        for (int n = 0; n < kFuentesPorBanda; ++n) {
          const double iA = CorrienteAlAzar(fila, azar);
          const Fuente f = FuenteAlAzar(iA, fila.vz, azar);
          Igual({iA, env.TensionAlta(iA)}, {iA, TensionPorDefinicion(env, iA, true)}, fila.vz,
                "alta");
          Igual({iA, env.TensionBaja(iA)}, {iA, TensionPorDefinicion(env, iA, false)}, fila.vz,
                "baja");
          const Extremos x = PuntosExtremos(env, f);
          Igual(x.menor, PorDefinicion(env, f, true), fila.vz, "menor");
          Igual(x.mayor, PorDefinicion(env, f, false), fila.vz, "mayor");
          Igual(CorrienteMinima(env, f), x.menor, fila.vz, "minima");
          Igual(CorrienteMaxima(env, f), x.mayor, fila.vz, "maxima");
          for (std::size_t k = 0; k < env.Formas(); ++k) {
            for (const bool alta : {false, true}) {
              const Caracteristica c = env.Miembro(k, alta);
              Resuelve(c, f, PuntoDeTrabajo(c, f));
            }
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace zener
