// Which control of the window shows each design value and each result, and
// the chain along which Enter moves the focus.
#pragma once

#include <array>
#include <cstddef>

#include "core/Tablas.h"
#include "window/Ventana.h"

namespace zener {

// The entry fields stand first among the controls, in the order of the
// design values.
constexpr Control CampoDe(Magnitud magnitud) {
  return static_cast<Control>(magnitud);
}
constexpr Magnitud MagnitudDe(Control campo) {
  return static_cast<Magnitud>(campo);
}
static_assert(CampoDe(Magnitud::IzMin) == Control::txtIzMin, "fields follow the design values");

// Where the focus goes when the window opens and after a reset.
inline constexpr Control kPrimerCampo = Control::txtVeMin;

// Enter moves on to the next field; from the last one, to the calculate button.
constexpr Control SiguienteDe(Control campo) {
  return campo == Control::txtIzMin ? Control::cmdCalcular
                                    : static_cast<Control>(static_cast<int>(campo) + 1);
}

// The label of each row of kResultados.
inline constexpr std::array<Control, 4> kEtiquetas = {Control::lblRrLim, Control::lblPrLim,
                                                      Control::lblPzSin, Control::lblPzCon};
static_assert(kEtiquetas.size() == kResultados.size());

}  // namespace zener
