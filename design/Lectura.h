// Figures as users type them, in the window's convention (comma decimals,
// point thousands): the six design values and the design options, with the
// reason when a text is no figure. The tool, the batch and the page read
// through these.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "design/Diseno.h"

namespace zener {

// A value read from text, with the decimals it was written with, or why it
// could not be read.
struct Lectura {
  std::optional<double> valor;
  std::string motivo;  // empty when read
  int decimales = 0;
};
// A design value: a figure, not negative.
Lectura LeerValor(std::string_view texto);
// An option's value: a figure that may carry a minus sign.
Lectura LeerValorConSigno(std::string_view texto);

// The names of the six design values, in the order of the window's fields.
inline constexpr std::array<std::string_view, 6> kNombresValores = {"VeMin", "VeMax",   "IcMin",
                                                                    "IcMax", "VnZener", "IzMin"};

// The numeric option of that JSON key ("tol_r"), if there is one.
const OpcionNumerica* OpcionDeClave(std::string_view clave);
// Reads an option's text into the options, or says why it cannot: "0,5" in a
// tolerance is half a percent; an option in ohms also takes the multiples
// resistors are marked with (4k7, 4,7k, 2M2, 470R). Its limits are
// ErrorDeOpciones's to check.
std::optional<std::string> LeerOpcion(OpcionesDiseno& opciones, const OpcionNumerica& opcion,
                                      std::string_view texto);

}  // namespace zener
