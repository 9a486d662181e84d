// The working record of the calculator: design values, intermediates, results
// and the last message shown.
#pragma once

#include <cstdint>
#include <string>

namespace zener {

struct DatosCircuito {
  // Design values: volts and milliamperes, as typed.
  double VeMin = 0;
  double VeMax = 0;
  double IcMin = 0;
  double IcMax = 0;
  double VnZener = 0;
  double IzMin = 0;
  // Intermediate quantities (A, V) and results (W, ohms). "Sin" and "Con"
  // follow the captions of the window's two frames: the Zener power without
  // and with disconnection of the load.
  double IzMaxSin = 0;
  double IzMaxCon = 0;
  double PzSin = 0;
  double PzCon = 0;
  double VrMax = 0;
  double IrMax = 0;
  double RrLim = 0;
  double PrLim = 0;
  // The last message shown.
  std::string MsgTexto;
  std::string MsgTitulo;
  std::int16_t MsgEstilo = 0;
  std::int16_t MsgRespuesta = 0;
};

// The design value IzMin takes on a full reset; every other one is 0.
inline constexpr double kIzMinPorDefecto = 5;

// The record after a full reset, keeping the message slots of `actual`.
DatosCircuito ValoresPorDefecto(DatosCircuito actual);

}  // namespace zener
