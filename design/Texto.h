// The figures of the reports, in the window's convention.
#pragma once

#include <string>
#include <string_view>

namespace zener {

// Rounded to `decimales`, comma decimal, point thousands; a sign when negative.
std::string Cifra(double valor, int decimales);
// As Cifra, without the zeros a decimal part ends in: 240, 2,7, 1.000.000.
std::string CifraCorta(double valor, int decimales);
// Shortest round-trip form with a decimal point, or null when not finite.
std::string NumeroJson(double valor);
// The value with `decimales` decimals, comma decimal and no grouping, so that a
// spreadsheet cell reads it as one number.
std::string CifraHoja(double valor, int decimales);

}  // namespace zener
