// The figures of the reports, in the window's convention.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zener {

// Rounded to `decimales`, comma decimal, point thousands; a sign when negative.
std::string Cifra(double valor, int decimales);
// As Cifra, without the zeros a decimal part ends in: 240, 2,7, 1.000.000.
std::string CifraCorta(double valor, int decimales);
// As Cifra, with more decimals where rounding would carry the figure to the
// other side of, or onto, the limit it is compared with: 1,998 against 2,
// not 2,00.
std::string CifraSinCruzar(double valor, double limite, int decimales);
// Shortest round-trip form in plain decimal notation (no exponent), or null
// when not finite.
std::string NumeroJson(double valor);
// The value with `decimales` decimals (negative: the fewest that write it
// exactly), comma decimal and no grouping, so that a spreadsheet cell reads it
// as one number.
std::string CifraHoja(double valor, int decimales);
// The same, appended to `destino`, for the batch's many cells.
void AnadirCifraHoja(std::string& destino, double valor, int decimales);
// Without the spaces, tabs and carriage returns around it.
std::string_view SinEspacios(std::string_view texto);
// A fraction as a percentage ("5 %"), a temperature ("-20 °C").
std::string Porcentaje(double fraccion);
std::string Grados(double temperaturaC);
// A message's lines on one line, joined by spaces.
std::string UnaLinea(std::string_view texto);
// Ohms in the multiple that keeps the figure short: 910 kΩ, 4,7 kΩ, 1,5 MΩ,
// 270 Ω, 0,47 Ω; at most `decimales` decimals in that multiple, without the
// zeros a decimal part ends in, and more where fewer would show a positive
// value as 0.
std::string Ohmios(double ohm, int decimales);

// How many characters of a user's text a message quotes, by default.
inline constexpr std::size_t kMayorEco = 32;
// A user's text as a message quotes it: valid UTF-8 (U+FFFD for what is no
// character), "?" for a control character, and cut short, at a character's
// start, past `mayor` characters.
std::string Eco(std::string_view texto, std::size_t mayor = kMayorEco);

}  // namespace zener
