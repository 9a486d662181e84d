// The text form of numbers: comma decimals, point thousands, whatever the
// machine's locale.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zener {

// Above this a value's 15-significant-digit form rounds past the largest
// double, and its text could not be read back.
inline constexpr double kMayorLegible = 1.797693134862315e308;

// A value whose text LeerCifra reads back: finite, not negative, in range.
bool Mostrable(double valor);

// Single-comma test: no comma or exactly one, but not the lone ",".
bool CifraValida(std::string_view texto);

// Digits with optional grouping points in the integer part, then optionally a
// comma and digits; at least one digit. Surrounding spaces are ignored.
// Without a comma, points must group thousands (1.234, 12.500): 12.5 is refused.
// Nothing when the text is no such number or lies beyond a double.
std::optional<double> LeerCifra(std::string_view texto);

// The value to 15 significant digits, comma decimal, no grouping, no exponent.
std::string TextoGeneral(double valor);

// The text's value rounded half away from zero to the mask's decimals, as the
// user sees it (its 15-significant-digit form), grouped by thousands.
std::optional<std::string> FormatearCifra(std::string_view texto, std::string_view mascara);
// The same for a value: FormatearCifra of its TextoGeneral, without the text
// between, for callers that format many values.
std::optional<std::string> FormatearValor(double valor, std::string_view mascara);

// An empty or zero text becomes the default text, any other the formatted one.
std::optional<std::string> NormalizarCifra(std::string_view texto, std::string_view mascara,
                                           std::string_view textoInicial);

// Number of characters (not bytes) of a UTF-8 text.
int LongitudEnCaracteres(std::string_view texto);

}  // namespace zener
