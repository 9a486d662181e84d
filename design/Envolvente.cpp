#include "design/Envolvente.h"

#include <algorithm>
#include <cmath>

#include "core/Calculo.h"
#include "design/Componentes.h"

namespace zener {

namespace {

// Newton's method on the logarithm of the current ends well within this.
constexpr double kPasoFinal = 1e-11;
constexpr int kMaximoPasos = 200;

double Amperios(double mA) {
  return mA / kMiliPorUnidad;
}

// Where E − V0 − a·(u − ln Izt) − (RS + Rt)·e^u + RS·Izt = 0, u = ln I: the
// function falls and is concave in u, so that a Newton step from anywhere
// lands at or beyond the root, and from beyond it the steps approach it
// without passing it. The bracket guards the first step against overflow.
double CorrienteExponencial(const Caracteristica& c, const Fuente& f) {
  const double lnIzt = std::log(c.iztA);
  const double libre = f.e - c.v0 + c.rs * c.iztA;  // E − V0 + RS·Izt
  const double g = c.rs + f.rt;
  // Above Izt the logarithm only takes current away, so the root is below
  // what the resistances alone give; below Izt the resistances take at most
  // Rt·Izt − (E − V0), which the logarithm must make up.
  double alto = std::log(std::max(c.iztA, libre / g));
  double bajo = lnIzt - std::max(0.0, f.rt * c.iztA - (f.e - c.v0)) / c.a;
  double u = alto;
  for (int paso = 0; paso < kMaximoPasos; ++paso) {
    const double corriente = std::exp(u);
    const double fu = libre - c.a * (u - lnIzt) - g * corriente;
    (fu > 0 ? bajo : alto) = u;
    const double siguiente = u + fu / (c.a + g * corriente);
    if (std::fabs(siguiente - u) < kPasoFinal) return std::exp(siguiente);
    u = siguiente > bajo && siguiente < alto ? siguiente : (bajo + alto) / 2;
  }
  return std::exp(u);
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

double Envolvente::TensionAlta(double iA) const {
  double v = v0Alto_;
  for (std::size_t k = 0; k < cuantas_; ++k) v = std::max(v, Miembro(k, true).Tension(iA));
  return v;
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
  if (c.a > 0) {
    const double i = CorrienteExponencial(c, f);
    return {i, c.Tension(i)};
  }
  // Straight: the current may come out negative, the Zener then off.
  const double i = (f.e - c.v0 + c.rs * c.iztA) / (c.rs + f.rt);
  return {i, i > 0 ? c.Tension(i) : f.e};
}

namespace {

// The member of the band's top or foot whose current is least or most.
Punto Extremo(const Envolvente& env, const Fuente& f, bool alta) {
  Punto x = PuntoDeTrabajo(env.Miembro(0, alta), f);
  for (std::size_t k = 1; k < env.Formas(); ++k) {
    const Punto p = PuntoDeTrabajo(env.Miembro(k, alta), f);
    if (alta ? p.iA < x.iA : p.iA > x.iA) x = p;
  }
  return x;
}

}  // namespace

Extremos PuntosExtremos(const Envolvente& env, const Fuente& f) {
  return {Extremo(env, f, true), Extremo(env, f, false)};
}

Punto CorrienteMinima(const Envolvente& env, const Fuente& f) {
  return Extremo(env, f, true);
}

Punto CorrienteMaxima(const Envolvente& env, const Fuente& f) {
  return Extremo(env, f, false);
}

}  // namespace zener
