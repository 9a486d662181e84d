// What a Zener part's datasheet allows its voltage to do as its current
// moves, and the operating points a series resistor and a load give it.
#pragma once

#include <array>
#include <cstddef>

namespace zener {

struct FilaZener;

// One breakdown characteristic of the class SPICE's diode writes: an
// exponential of emission coefficient NBV and a series resistance,
//   V(I) = V0 + a·ln(I/Izt) + RS·(I − Izt),  a = NBV·Vt,
// so that V0 is the voltage at the test current Izt and a/I + RS the dynamic
// impedance at I.
struct Caracteristica {
  double v0;    // V at Izt
  double a;     // V
  double rs;    // Ω
  double iztA;  // A
  double Tension(double iA) const;
  double Impedancia(double iA) const { return a / iA + rs; }
};

// The impedance shapes a datasheet allows: every (a ≥ 0, RS ≥ 0) with
//   a/Izt + RS ≤ Zzt  and  a/Izk + RS ≤ Zzk.
// That region is a polygon whose corners are (0, 0); all series resistance
// (0, min(Zzt, Zzk)); all exponential (min(Zzt·Izt, Zzk·Izk), 0); and, where
// it needs neither term negative, both limits met at once:
//   a = (Zzk − Zzt) / (1/Izk − 1/Izt),  RS = Zzt − a/Izt.
// Anything linear in (a, RS) takes its extremes over the region at those
// corners. V(I) − V0 = a·ln(I/Izt) + RS·(I − Izt) is linear in (a, RS) at each
// current, and so is the impedance a/I + RS: the highest and the lowest
// voltage any allowed part has at a current, and its largest impedance there,
// are those of one of the corners. Above Izt both terms are positive, so the
// corner (0, 0) gives the lowest voltage, and all series resistance the
// highest (as ln x ≤ x − 1, no member rises more than min(Zzt, Zzk)·(I − Izt));
// below Izt both are negative, (0, 0) gives the highest and the others
// compete for the lowest, the exponential winning further down.
struct Forma {
  double a, rs;
};
inline constexpr std::size_t kMaximoFormas = 4;

class Envolvente {
 public:
  // A part: its voltage at Izt anywhere in [v0Bajo, v0Alto] and its
  // impedance within the datasheet's Zzt at Izt and Zzk at Izk.
  Envolvente(const FilaZener& fila, double v0Bajo, double v0Alto);
  // No part: a voltage anywhere in the band and no impedance at all.
  Envolvente(double v0Bajo, double v0Alto);

  double V0Bajo() const { return v0Bajo_; }
  double V0Alto() const { return v0Alto_; }
  double IzkA() const { return izkA_; }  // 0 without a part
  std::size_t Formas() const { return cuantas_; }
  // The member of corner k with its voltage at Izt at the band's top or foot.
  Caracteristica Miembro(std::size_t k, bool alta) const;
  // A part of this voltage at Izt with the impedance shape at the centre of
  // the region: what a typical part may be.
  Caracteristica Centro(double v0) const;
  // The highest and lowest voltage any member has at this current.
  double TensionAlta(double iA) const;
  double TensionBaja(double iA) const;
  // The largest dynamic impedance any member has at this current.
  double ImpedanciaMaxima(double iA) const;

 private:
  double v0Bajo_, v0Alto_;
  double iztA_ = 1, izkA_ = 0;
  std::array<Forma, kMaximoFormas> formas_{};
  std::size_t cuantas_ = 1;  // (0, 0) always
};

// A source E behind a resistance Rt feeding the Zener: the series resistor
// with the load folded in (a current source lowers E by Rt·I; a resistance
// in parallel makes a Thevenin equivalent).
struct Fuente {
  double e;   // V
  double rt;  // Ω
};
Fuente FuenteConCarga(double vs, double r, double cargaA);
Fuente FuenteConResistencia(double vs, double r, double cargaOhm);

struct Punto {
  double iA;  // Zener current
  double v;   // Zener voltage, the output
};
// The one operating point of a member on this source: the current where
// E − V(I) − Rt·I = 0, which falls strictly with I. A current at or below
// nothing means the Zener is off; the point then carries the open voltage and
// a non-positive current.
Punto PuntoDeTrabajo(const Caracteristica& c, const Fuente& f);

// The operating points of every member at the top or at the foot of the
// band: the one with the least current for the top, the most for the foot.
struct Extremos {
  Punto menor;  // least current: the highest voltage
  Punto mayor;  // most current: the lowest voltage
};
Extremos PuntosExtremos(const Envolvente& env, const Fuente& f);
// Only the first, the least current; only the second, the most.
Punto CorrienteMinima(const Envolvente& env, const Fuente& f);
Punto CorrienteMaxima(const Envolvente& env, const Fuente& f);

}  // namespace zener
