// The six design values and the options, as the design tests write them.
#pragma once

#include <functional>

#include "core/DatosCircuito.h"
#include "design/Diseno.h"

namespace zener {

inline DatosCircuito Valores(double veMin, double veMax, double icMin, double icMax, double vz,
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

inline OpcionesDiseno Con(const std::function<void(OpcionesDiseno&)>& cambiar) {
  OpcionesDiseno o;
  cambiar(o);
  return o;
}

}  // namespace zener
