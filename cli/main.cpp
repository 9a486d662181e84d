#ifdef _WIN32
#include <windows.h>
#endif

#include <iostream>

#include "cli/Principal.h"

int main(int argc, char** argv) {
#ifdef _WIN32
  // The reports are UTF-8: accents and Ω.
  SetConsoleOutputCP(CP_UTF8);
#endif
  return zener::Principal(argc, argv, std::cout, std::cerr);
}
