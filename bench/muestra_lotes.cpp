// Writes the designs drawn as people ask for them, one batch file per group
// of run options, for two builds of the tool to run side by side:
//   muestra_lotes FILAS SEMILLA CARPETA
// gives CARPETA/grupo_N.csv and CARPETA/grupo_N.opciones, the options one a
// line.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "MuestraLotes.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "Uso: muestra_lotes FILAS SEMILLA CARPETA\n";
    return 2;
  }
  const auto grupos =
      zener::Muestra(std::strtoul(argv[1], nullptr, 10),
                     static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10)));
  const std::string carpeta = argv[3];
  for (std::size_t g = 0; g < grupos.size(); ++g) {
    const std::string base = carpeta + "/grupo_" + std::to_string(g);
    std::ofstream(base + ".csv", std::ios::binary) << zener::CsvDe(grupos[g]);
    std::ofstream(base + ".opciones", std::ios::binary) << zener::ArgumentosDe(grupos[g]);
  }
  return 0;
}
