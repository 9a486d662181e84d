// The system's reasons for a failure, in Spanish whatever the machine's
// locale: the tool's messages are Spanish throughout.
#pragma once

#include <string>

namespace zener {

// The reason for an errno value, or for 0 a write that failed without one.
std::string Razon(int error);

}  // namespace zener
