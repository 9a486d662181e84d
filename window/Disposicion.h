// The design of the window, whatever draws it: every control with its name,
// container, place and size in twips, text, font and colours. Both front ends
// build their window from this one table.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "window/Ventana.h"

namespace zener {

enum class Clase { Etiqueta, Campo, Resultado, Boton, Marco, Imagen };
enum class Fuente { Ventana, Titulo, Cifra, Marco, Calcular, Reset };

struct Rgb {
  std::uint8_t r, g, b;
};
// No colour of its own: the system's (window background, label text...).
inline constexpr std::optional<Rgb> kDelSistema = std::nullopt;

inline constexpr Rgb kAmarilloClaro{255, 255, 128};
inline constexpr Rgb kGrisPalido{238, 238, 238};
inline constexpr Rgb kGrisClaro{224, 224, 224};
inline constexpr Rgb kPlata{192, 192, 192};
inline constexpr Rgb kRojoOscuro{192, 0, 0};
inline constexpr Rgb kAzul{0, 0, 255};
inline constexpr Rgb kAzulOscuro{0, 0, 192};
inline constexpr Rgb kNegro{0, 0, 0};

inline constexpr int kTwipsPorPulgada = 1440;
// The scale the design is drawn at: 15 twips to the pixel.
inline constexpr int kPppBase = 96;
inline constexpr int kTwipsPorPixel = kTwipsPorPulgada / kPppBase;
inline constexpr int kAnchoCliente = 10335;  // twips
inline constexpr int kAltoCliente = 7995;
inline constexpr Rgb kFondoVentana = kAmarilloClaro;

// The window's one font family, and the face with the same metrics that
// stands in for it where it is missing.
inline constexpr std::string_view kFamiliaLetra = "Arial";
inline constexpr std::string_view kFamiliaSustituta = "Liberation Sans";

// Pixels at the base scale: a frame's caption in from its left edge, a
// button's caption clear of its edges, a button's focus rectangle inside them.
inline constexpr int kMargenTituloMarco = 8;
inline constexpr int kMargenTextoBoton = 6;
inline constexpr int kMargenFoco = 4;

struct Pieza {
  std::string_view nombre;
  Clase clase;
  std::string_view marco;  // the frame that holds it; empty on the window
  int izquierda, arriba, ancho, alto;
  std::string_view texto;  // UTF-8; for a picture, its resource name
  Fuente fuente;
  std::optional<Rgb> fondo;
  std::optional<Rgb> tinta;
  std::optional<Control> control;  // the name the logic knows it by
  std::string_view rotulo;         // the caption label that names it, if any
};

// In tab order; frames before what they hold.
inline constexpr std::array<Pieza, 29> kPiezas = {{
    {"lblTitulo", Clase::Etiqueta, "", 225, 240, 9870, 330,
     "CALCULADOR DE CIRCUITOS ZENER CON RESISTENCIA LIMITADORA", Fuente::Titulo, kAmarilloClaro,
     kAzulOscuro, std::nullopt, ""},
    {"txtVeMin", Clase::Campo, "", 3735, 855, 1785, 450, "0,00", Fuente::Cifra, kDelSistema, kNegro,
     Control::txtVeMin, "lblVeMin"},
    {"txtVeMax", Clase::Campo, "", 3735, 1350, 1785, 450, "0,00", Fuente::Cifra, kDelSistema,
     kNegro, Control::txtVeMax, "lblVeMax"},
    {"txtIcMin", Clase::Campo, "", 3735, 1845, 1785, 450, "0", Fuente::Cifra, kDelSistema, kNegro,
     Control::txtIcMin, "lblIcMin"},
    {"txtIcMax", Clase::Campo, "", 3735, 2340, 1785, 450, "0", Fuente::Cifra, kDelSistema, kNegro,
     Control::txtIcMax, "lblIcMax"},
    {"txtVnZener", Clase::Campo, "", 3735, 2835, 1785, 450, "0,00", Fuente::Cifra, kDelSistema,
     kNegro, Control::txtVnZener, "lblVnZener"},
    {"txtIzMin", Clase::Campo, "", 3735, 3330, 1785, 450, "0", Fuente::Cifra, kDelSistema, kNegro,
     Control::txtIzMin, "lblIzMin"},
    {"cmdCalcular", Clase::Boton, "", 5760, 4822, 4425, 1515, " CALCULAR ", Fuente::Calcular,
     kPlata, kDelSistema, Control::cmdCalcular, ""},
    {"cmdReset", Clase::Boton, "", 5760, 6483, 4425, 570, "RESET", Fuente::Reset, kPlata,
     kDelSistema, Control::cmdReset, ""},
    {"fraValoresSinDesc", Clase::Marco, "", 5760, 855, 4410, 2175, "SIN desconexión de la carga ",
     Fuente::Marco, kGrisPalido, kDelSistema, std::nullopt, ""},
    {"lblPzSinTxt", Clase::Etiqueta, "fraValoresSinDesc", 120, 1545, 2640, 375,
     "Potencia del Zener (W) .........", Fuente::Ventana, kGrisPalido, kNegro, std::nullopt, ""},
    {"lblPzSin", Clase::Resultado, "fraValoresSinDesc", 2775, 1485, 1515, 375, "0,000",
     Fuente::Cifra, kGrisClaro, kRojoOscuro, Control::lblPzSin, "lblPzSinTxt"},
    {"lblPrLim", Clase::Resultado, "fraValoresSinDesc", 2775, 1005, 1515, 375, "0,000",
     Fuente::Cifra, kGrisClaro, kRojoOscuro, Control::lblPrLim, "lblPrlimTxt"},
    {"lblPrlimTxt", Clase::Etiqueta, "fraValoresSinDesc", 120, 1065, 2640, 315,
     "Potencia de R (W) ................", Fuente::Ventana, kGrisPalido, kNegro, std::nullopt, ""},
    {"lblRrLimTxt", Clase::Etiqueta, "fraValoresSinDesc", 120, 585, 2640, 255,
     "Valor de R (Ohmios) .............", Fuente::Ventana, kGrisPalido, kNegro, std::nullopt, ""},
    {"lblRrLim", Clase::Resultado, "fraValoresSinDesc", 2775, 525, 1515, 375, "0,00", Fuente::Cifra,
     kGrisClaro, kRojoOscuro, Control::lblRrLim, "lblRrLimTxt"},
    {"lblVeMin", Clase::Etiqueta, "", 225, 960, 3465, 255,
     "Tensión mínima de entrada (V) ............", Fuente::Ventana, kAmarilloClaro, kDelSistema,
     std::nullopt, ""},
    {"lblVeMax", Clase::Etiqueta, "", 225, 1455, 3465, 255,
     "Tensión máxima de entrada (V) ...........", Fuente::Ventana, kAmarilloClaro, kDelSistema,
     std::nullopt, ""},
    {"lblIcMin", Clase::Etiqueta, "", 225, 1950, 3465, 255,
     "Corriente mínima por la carga (mA) ......", Fuente::Ventana, kAmarilloClaro, kDelSistema,
     std::nullopt, ""},
    {"lblIcMax", Clase::Etiqueta, "", 225, 2445, 3465, 255,
     "Corriente máxima por la carga (mA) .....", Fuente::Ventana, kAmarilloClaro, kDelSistema,
     std::nullopt, ""},
    {"lblVnZener", Clase::Etiqueta, "", 225, 2940, 3465, 255,
     "Tensión nominal del Zener (V) .............", Fuente::Ventana, kAmarilloClaro, kDelSistema,
     std::nullopt, ""},
    {"lblIzMin", Clase::Etiqueta, "", 225, 3435, 3465, 255,
     "Corriente mínima por el Zener (mA) ......", Fuente::Ventana, kAmarilloClaro, kDelSistema,
     std::nullopt, ""},
    {"Frame1", Clase::Marco, "", 5760, 3176, 4410, 1500, "CON desconexión de la carga ",
     Fuente::Marco, kGrisPalido, kDelSistema, std::nullopt, ""},
    {"lblPzCon", Clase::Resultado, "Frame1", 2775, 480, 1515, 375, "0,000", Fuente::Cifra,
     kGrisClaro, kAzul, Control::lblPzCon, "lblPzConTxt"},
    {"lblPzConTxt", Clase::Etiqueta, "Frame1", 135, 525, 2640, 315,
     "Potencia del zener (W) .........", Fuente::Ventana, kGrisPalido, kDelSistema, std::nullopt,
     ""},
    {"Label1", Clase::Etiqueta, "Frame1", 90, 1035, 4215, 240,
     "NOTA: Los valores de la resistencia R no varian", Fuente::Ventana, kGrisPalido, kAzul,
     std::nullopt, ""},
    {"Label2", Clase::Etiqueta, "", 45, 7695, 1080, 255, "Versión 1.0", Fuente::Ventana,
     kAmarilloClaro, kDelSistema, std::nullopt, ""},
    {"imgSchema", Clase::Imagen, "", 270, 4050, 5115, 3420, "ESQUEMA", Fuente::Ventana,
     kAmarilloClaro, kDelSistema, Control::imgSchema, ""},
    {"imgLogo", Clase::Imagen, "", 5715, 7200, 4500, 690, "LOGO", Fuente::Ventana, kAmarilloClaro,
     kDelSistema, Control::imgLogo, ""},
}};

// Font: size in hundredths of a point, weight, italic, underlined.
struct Letra {
  int centesimasDePunto;
  int peso;
  bool cursiva;
  bool subrayada;
};

inline constexpr int kNormal = 400;
inline constexpr int kNegrita = 700;

inline constexpr std::array<Letra, 6> kLetras = {{
    {975, kNormal, true, false},     // window
    {1425, kNegrita, true, true},    // title
    {1425, kNegrita, false, false},  // figures
    {975, kNegrita, true, false},    // frame captions
    {2400, kNegrita, true, false},   // calculate button
    {1800, kNormal, true, false},    // reset button
}};

constexpr const Letra& LetraDe(Fuente fuente) {
  return kLetras[static_cast<std::size_t>(fuente)];
}

// The row of a piece by its name; kPiezas.size() for none.
constexpr std::size_t FilaPorNombre(std::string_view nombre) {
  std::size_t fila = 0;
  while (fila < kPiezas.size() && kPiezas[fila].nombre != nombre) ++fila;
  return fila;
}

// A caption without its leader dots: what names the control it labels.
constexpr std::string_view SinPuntosGuia(std::string_view caption) {
  const auto fin = caption.find_last_not_of(". ");
  return fin == std::string_view::npos ? caption : caption.substr(0, fin + 1);
}

}  // namespace zener
