// Many designs at once, from and to what a Spanish spreadsheet writes: rows of
// semicolon-separated figures with comma decimals.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "design/Diseno.h"

namespace zener {

// A design value read from text, or why it could not be.
struct Lectura {
  std::optional<double> valor;
  std::string_view motivo;  // empty when read
};
Lectura LeerValor(std::string_view texto);

// The names of the six design values, in the order of the window's fields.
inline constexpr std::array<std::string_view, 6> kNombresValores = {"VeMin", "VeMax",   "IcMin",
                                                                    "IcMax", "VnZener", "IzMin"};
inline constexpr std::string_view kCabeceraLotes = "VeMin;VeMax;IcMin;IcMax;VnZener;IzMin";
inline constexpr std::size_t kMayorArchivoLotes = 64u << 20;  // bytes

struct ResultadoLotes {
  std::optional<std::string> error;  // the file as a whole cannot be read
  std::string salida;                // header and one row per input row
  int filas = 0;
  int cumplen = 0;
  int incumplen = 0;  // a rule or the series failed
  int erroneas = 0;   // unreadable rows
};

ResultadoLotes ProcesarLotes(std::string_view contenido, const OpcionesDiseno& opciones);

}  // namespace zener
