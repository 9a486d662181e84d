// The window interface: the only way the logic reaches the window. No toolkit
// header here.
#pragma once

#include <cstdint>
#include <functional>
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

inline constexpr int kNumeroDeControles = static_cast<int>(Control::imgLogo) + 1;

// True for the six entry fields, the only controls with focus events.
constexpr bool EsCampo(Control c) {
  return c <= Control::txtIzMin;
}

// What runs once the user has closed a message box, with the code of the
// button pressed.
using AlCerrarCuadro = std::function<void(std::int16_t respuesta)>;

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
  // Moves the focus; the window reports where it went as it does for the
  // user's own moves.
  virtual void DarFoco(Control destino) = 0;
  // Modal: while it is open the user cannot reach the window, and opening or
  // closing it raises no focus event. `alCerrar` runs once the user has
  // closed it: before this returns on a window that can wait for the user,
  // later on one that cannot (a web page).
  virtual void MostrarCuadro(std::string_view prompt, std::int16_t estilo, std::string_view titulo,
                             AlCerrarCuadro alCerrar) = 0;
  // Usable as the owner window of a shell call.
  virtual void* Manejador() const = 0;
  // Shows the window, once it has its first texts.
  virtual void Mostrar() = 0;
  // Has Entregar called from a turn of its own, as a posted message would.
  virtual void PedirEntrega() = 0;
};

}  // namespace zener
