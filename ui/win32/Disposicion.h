// The design of the window: every control with its container, place and size
// in twips, text, font and colours.
#pragma once

#include <windows.h>

#include <array>
#include <optional>

#include "window/Ventana.h"
#include "ui/win32/Identificadores.h"

namespace zener::win32 {

enum class Clase { Etiqueta, Campo, Resultado, Boton, Marco, Imagen };
enum class Fuente { Ventana, Titulo, Cifra, Marco, Calcular, Reset };

inline constexpr COLORREF kColorDelSistema = CLR_INVALID;

struct Pieza {
  Id id;
  Clase clase;
  std::optional<Id> marco;  // the frame that holds it, if any
  int izquierda, arriba, ancho, alto;
  const wchar_t* texto;  // or the resource name of a picture
  Fuente fuente;
  COLORREF fondo;
  COLORREF tinta;
  std::optional<Control> control;  // the name the logic knows it by
};

inline constexpr COLORREF kAmarilloClaro = RGB(255, 255, 128);
inline constexpr COLORREF kGrisPalido = RGB(238, 238, 238);
inline constexpr COLORREF kGrisClaro = RGB(224, 224, 224);
inline constexpr COLORREF kPlata = RGB(192, 192, 192);
inline constexpr COLORREF kRojoOscuro = RGB(192, 0, 0);
inline constexpr COLORREF kAzul = RGB(0, 0, 255);
inline constexpr COLORREF kAzulOscuro = RGB(0, 0, 192);
inline constexpr COLORREF kNegro = RGB(0, 0, 0);

inline constexpr int kAnchoCliente = 10335;  // twips
inline constexpr int kAltoCliente = 7995;

// In creation order, which is the tab order; frames before what they hold.
extern const std::array<Pieza, 29> kPiezas;

// Font: height in hundredths of a point, weight, italic, underlined.
struct Letra {
  int centesimasDePunto;
  int peso;
  bool cursiva;
  bool subrayada;
};
const Letra& LetraDe(Fuente fuente);

}  // namespace zener::win32
