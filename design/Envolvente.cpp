#include "design/Envolvente.h"

#include <algorithm>
#include <cmath>

#include "core/Calculo.h"
#include "design/Componentes.h"

namespace zener {

namespace {

// Halley's method on the logarithm of the current stops at a step below
// this. Near the root each step leaves at most a twelfth of the cube of the
// error before it (f'''/(6·f') − (f''/(2·f'))² lies within ±1/12 for the
// function below), and that error is about the step: the current it returns
// is within 1e-16 of the root, relatively.
constexpr double kPasoFinal = 1e-5;
constexpr int kMaximoPasos = 200;

// The corners' members: (0, 0), flat at V0, and all series resistance; the
// exponential ones follow.
constexpr std::size_t kPlano = 0;
constexpr std::size_t kResistivo = 1;

double Amperios(double mA) {
  return mA / kMiliPorUnidad;
}

// Where E − V0 − a·(u − ln Izt) − G·e^u + RS·Izt = 0, u = ln I, G = RS + Rt:
// the function falls and is concave in u, f' = −(a + G·e^u) and
// f'' = f''' = −G·e^u. A step that would leave the bracket, which holds the
// root, halves it instead, which also guards the first step against
// overflow. A current known to be below the root, where given, starts the
// steps closer than the bracket's top does. The voltage comes from the
// logarithm the steps end at, without taking one of the current again.
Punto PuntoExponencial(const Caracteristica& c, const Fuente& f, double debajoA) {
  const double lnIzt = std::log(c.iztA);
  const double libre = f.e - c.v0 + c.rs * c.iztA;  // E − V0 + RS·Izt
  const double g = c.rs + f.rt;
  // Above Izt the logarithm only takes current away, so the root is below
  // what the resistances alone give; below Izt the resistances take at most
  // Rt·Izt − (E − V0), which the logarithm must make up.
  const double soloResistencias = libre / g;
  double alto = soloResistencias > c.iztA ? std::log(soloResistencias) : lnIzt;
  double bajo = lnIzt - std::max(0.0, f.rt * c.iztA - (f.e - c.v0)) / c.a;
  if (debajoA > 0) bajo = std::max(bajo, std::log(debajoA));
  double u = debajoA > 0 ? bajo : alto;
  for (int paso = 0; paso < kMaximoPasos; ++paso) {
    const double exponencial = g * std::exp(u);
    const double fu = libre - c.a * (u - lnIzt) - exponencial;
    (fu > 0 ? bajo : alto) = u;
    const double pendiente = c.a + exponencial;  // −f'
    const double siguiente =
        u + 2 * fu * pendiente / (2 * pendiente * pendiente + fu * exponencial);
    if (std::fabs(siguiente - u) < kPasoFinal) {
      u = siguiente;
      break;
    }
    u = siguiente > bajo && siguiente < alto ? siguiente : (bajo + alto) / 2;
  }
  const double i = std::exp(u);
  return {i, c.v0 + c.a * (u - lnIzt) + c.rs * (i - c.iztA)};
}

// The operating point, with a current below it where one is known.
Punto PuntoDesde(const Caracteristica& c, const Fuente& f, double debajoA) {
  if (c.a > 0) return PuntoExponencial(c, f, debajoA);
  // Straight: the current may come out negative, the Zener then off.
  const double i = (f.e - c.v0 + c.rs * c.iztA) / (c.rs + f.rt);
  return {i, i > 0 ? c.Tension(i) : f.e};
}

}  // namespace

double Caracteristica::Tension(double iA) const {
  const double exponencial = a > 0 ? a * std::log(iA / iztA) : 0;
  return v0 + exponencial + rs * (iA - iztA);
}

Envolvente::Envolvente(double v0Bajo, double v0Alto) : v0Bajo_(v0Bajo), v0Alto_(v0Alto) {}

Envolvente::Envolvente(const FilaZener& fila, double v0Bajo, double v0Alto)
    : v0Bajo_(v0Bajo), v0Alto_(v0Alto), iztA_(Amperios(fila.iztMa)), izkA_(Amperios(fila.izkMa)) {
  const double zzt = fila.zztOhm;
  const double zzk = fila.zzkOhm;
  formas_[cuantas_++] = {0, std::min(zzt, zzk)};
  formas_[cuantas_++] = {std::min(zzt * iztA_, zzk * izkA_), 0};
  const double a = (zzk - zzt) / (1 / izkA_ - 1 / iztA_);
  const double rs = zzt - a / iztA_;
  if (a > 0 && rs > 0) formas_[cuantas_++] = {a, rs};
}

Caracteristica Envolvente::Miembro(std::size_t k, bool alta) const {
  return {alta ? v0Alto_ : v0Bajo_, formas_[k].a, formas_[k].rs, iztA_};
}

Caracteristica Envolvente::Centro(double v0) const {
  Forma suma{0, 0};
  for (std::size_t k = 0; k < cuantas_; ++k) {
    suma.a += formas_[k].a;
    suma.rs += formas_[k].rs;
  }
  return {v0, suma.a / cuantas_, suma.rs / cuantas_, iztA_};
}

// Above Izt all series resistance gives the highest voltage; at or below it
// (0, 0), V0 itself.
double Envolvente::TensionAlta(double iA) const {
  if (cuantas_ == 1 || iA <= iztA_) return v0Alto_;
  return Miembro(kResistivo, true).Tension(iA);
}

double Envolvente::TensionBaja(double iA) const {
  double v = v0Bajo_;
  for (std::size_t k = 0; k < cuantas_; ++k) v = std::min(v, Miembro(k, false).Tension(iA));
  return v;
}

double Envolvente::ImpedanciaMaxima(double iA) const {
  double z = 0;
  for (std::size_t k = 0; k < cuantas_; ++k) z = std::max(z, formas_[k].a / iA + formas_[k].rs);
  return z;
}

Fuente FuenteConCarga(double vs, double r, double cargaA) {
  return {vs - r * cargaA, r};
}

Fuente FuenteConResistencia(double vs, double r, double cargaOhm) {
  const double k = cargaOhm / (r + cargaOhm);
  return {vs * k, r * k};
}

Punto PuntoDeTrabajo(const Caracteristica& c, const Fuente& f) {
  return PuntoDesde(c, f, 0);
}

namespace {

// Which member has the least current on a source, at the band's top, follows
// from where the flat member puts it. At or below Izt every other member's
// voltage is at most V0, so that its current is at least the flat one's.
// Above Izt, at x = I/Izt > 1, any member's a·ln x + RS·Izt·(x − 1) is at most
// (a/Izt + RS)·Izt·(x − 1) ≤ Zzt·Izt·(x − 1), as ln x ≤ x − 1, and, as
// Izk < Izt, at most (a/Izk + RS)·Izt·(x − 1) ≤ Zzk·Izt·(x − 1): the all series
// resistance member's voltage is the highest there, and its current the
// least. Neither needs Newton's method.
Punto MenorCorriente(const Envolvente& env, const Fuente& f) {
  const Caracteristica plano = env.Miembro(kPlano, true);
  const Punto p = PuntoDeTrabajo(plano, f);
  if (env.Formas() == 1 || p.iA <= plano.iztA) return p;
  return PuntoDeTrabajo(env.Miembro(kResistivo, true), f);
}

bool MenosCorriente(const Punto& p, const Punto& q) {
  return p.iA < q.iA;
}

// Whether a member's current may be more than iA: exactly when its voltage
// there is below the source's line, as E − V(I) − Rt·I falls with I. That
// costs a logarithm, the current itself a Newton solve. An exponential
// member's current is always above nothing.
bool MasCorriente(const Caracteristica& c, const Fuente& f, double iA) {
  return (c.a > 0 && iA <= 0) || c.Tension(iA) < f.e - f.rt * iA;
}

// The most current, at the band's foot: at or above Izt the flat member's,
// whose voltage is the lowest there. Below Izt the others compete: the
// straight one first, for nothing, and its current starts the exponential
// ones' steps, the one with both terms first, as it wins nearer Izt. Each is
// solved only where it passes the best so far.
Punto MayorCorriente(const Envolvente& env, const Fuente& f) {
  const Caracteristica plano = env.Miembro(kPlano, false);
  Punto x = PuntoDeTrabajo(plano, f);
  if (x.iA >= plano.iztA || env.Formas() == 1) return x;
  x = std::max(x, PuntoDeTrabajo(env.Miembro(kResistivo, false), f), MenosCorriente);
  for (std::size_t k = env.Formas() - 1; k > kResistivo; --k) {
    const Caracteristica c = env.Miembro(k, false);
    if (MasCorriente(c, f, x.iA)) x = std::max(x, PuntoDesde(c, f, x.iA), MenosCorriente);
  }
  return x;
}

}  // namespace

Extremos PuntosExtremos(const Envolvente& env, const Fuente& f) {
  return {MenorCorriente(env, f), MayorCorriente(env, f)};
}

Punto CorrienteMinima(const Envolvente& env, const Fuente& f) {
  return MenorCorriente(env, f);
}

Punto CorrienteMaxima(const Envolvente& env, const Fuente& f) {
  return MayorCorriente(env, f);
}

}  // namespace zener
