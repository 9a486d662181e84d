// The command-line tool, callable with any streams so that tests run it
// in-process.
#pragma once

#include <iosfwd>

namespace zener {

// Exit codes.
inline constexpr int kSalidaConstruible = 0;
inline constexpr int kSalidaNoConstruible = 1;  // a rule, the series, a wattage or the parts fail
inline constexpr int kSalidaErrorEntrada = 2;
inline constexpr int kSalidaErrorEscritura = 3;  // the output could not be written

int Principal(int argc, const char* const* argv, std::ostream& salida, std::ostream& errores);

}  // namespace zener
