// The working record of the window and the two resets.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/Ventana.h"

namespace zener {

struct DatosCircuito {
  // Design values: volts and milliamperes, as typed.
  double VeMin = 0;
  double VeMax = 0;
  double IcMin = 0;
  double IcMax = 0;
  double VnZener = 0;
  double IzMin = 0;
  // Intermediate quantities (A, V) and results (W, ohms).
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

// Clears the four results and their labels; intermediates stay.
void Limpiar(DatosCircuito& datos, Ventana& ventana);

// Restores every default text and value; messages and focus stay.
void LimpiarTodo(DatosCircuito& datos, Ventana& ventana);

// The one way a message is shown.
void MostrarMensaje(DatosCircuito& datos, Ventana& ventana, std::string_view prompt,
                    std::int16_t estilo, std::string_view titulo);

}  // namespace zener
