// The command-line tool, callable with any streams so that tests run it
// in-process.
#pragma once

#include <iosfwd>

namespace zener {

// Exit codes.
inline constexpr int kSalidaCumple = 0;
inline constexpr int kSalidaIncumple = 1;  // a design rule or the series failed
inline constexpr int kSalidaErrorEntrada = 2;

int Principal(int argc, const char* const* argv, std::ostream& salida, std::ostream& errores);

}  // namespace zener
