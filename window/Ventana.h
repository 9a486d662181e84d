// The window interface: the only way the logic reaches the window, and the
// events through which the window reaches the logic. No toolkit header here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zener {

// The controls of the window that the logic names.
enum class Control {
  txtVeMin,
  txtVeMax,
  txtIcMin,
  txtIcMax,
  txtVnZener,
  txtIzMin,
  lblRrLim,
  lblPrLim,
  lblPzSin,
  lblPzCon,
  cmdCalcular,
  cmdReset,
  imgSchema,
  imgLogo,
};

// True for the six entry fields, the only controls with focus events.
constexpr bool EsCampo(Control c) {
  return c <= Control::txtIzMin;
}

// Operations the logic calls. Texts are UTF-8; a prompt breaks its lines
// with the single character 13.
class Ventana {
 public:
  virtual ~Ventana() = default;

  virtual std::string LeerTexto(Control campo) const = 0;
  // Shown at once; runs no handler and moves no focus.
  virtual void EscribirTexto(Control campo, std::string_view texto) = 0;
  // Start 0 is before the first character; positions count characters.
  virtual void FijarSeleccion(Control campo, int inicio, int longitud) = 0;
  virtual void EscribirEtiqueta(Control resultado, std::string_view texto) = 0;
  // When the focus really moves, the focus loss of the field that loses it is
  // delivered before the focus entry of the field that receives it.
  virtual void DarFoco(Control destino) = 0;
  // Modal; raises no focus event; returns the code of the button pressed.
  virtual std::int16_t MostrarCuadro(std::string_view prompt, std::int16_t estilo,
                                     std::string_view titulo) = 0;
  // Usable as the owner window of a shell call.
  virtual void* Manejador() const = 0;
};

// Events the window delivers, one at a time, each handler running to its end.
class EventosVentana {
 public:
  virtual ~EventosVentana() = default;

  virtual void Load() = 0;
  virtual void Click(Control origen) = 0;
  // keyascii is the typed character; the field inserts what the handler
  // leaves there, and nothing for 0.
  virtual void KeyPress(Control campo, std::int16_t& keyascii) = 0;
  virtual void GotFocus(Control campo) = 0;
  virtual void LostFocus(Control campo) = 0;
};

}  // namespace zener
