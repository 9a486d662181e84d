// The Zener behind a series resistor: the shunt regulator, and the Zener
// side of any circuit that feeds a Zener through a resistor and draws a
// current from it. Internal to the library.
#pragma once

#include <memory>
#include <optional>

namespace zener {

struct Diseno;

// What the Zener feeds besides itself: a current between two bounds, or a
// resistance across it.
struct CargaDelZener {
  double minMa, maxMa;
  std::optional<double> ohm;
  bool fija = false;  // never below minMa, nor away: the worst case without it is at minMa
};

// The resistor, the Zener part and their worst cases, for the design's
// values and options with this load on the Zener: the figures, the parts
// and why not, into the design. The rules have passed.
void ResolverZener(Diseno& diseno, const CargaDelZener& carga);

// While one lives, the parts tried on a design are kept, and a part asked
// for again on the same load is not worked again: for the design solved
// anew with the same values and options but its mounting, which decides
// only which parts are tried, never how one fares. One per thread; a newer
// one hides an older until it goes.
class TanteosGuardados {
 public:
  TanteosGuardados();
  ~TanteosGuardados();
  TanteosGuardados(const TanteosGuardados&) = delete;
  TanteosGuardados& operator=(const TanteosGuardados&) = delete;
  struct Memoria;

 private:
  std::unique_ptr<Memoria> memoria_;
  Memoria* anterior_;
};

// The largest impedance the Zener may have over the worst case's currents,
// or the one given; none, and why, where the datasheet does not bound it.
// Into the design's regulation figures.
std::optional<double> ImpedanciaDelZener(Diseno& diseno);

// The shunt regulator: the load itself on the Zener, and its regulation.
void ResolverDerivacion(Diseno& diseno);

}  // namespace zener
