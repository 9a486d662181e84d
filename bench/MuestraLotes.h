// Batch designs drawn as people ask for them, from a seed, so that the
// benchmark and the side-by-side timing of two builds of the tool run the
// same rows: the tables' standard voltages, inputs and loads that build more
// often than not, and groups of rows with ripple and with an ambient range,
// which a batch takes as options of the whole run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/DatosCircuito.h"
#include "design/Diseno.h"

namespace zener {

struct FilaMuestra {
  DatosCircuito valores;
  std::optional<Montaje> montaje;  // the row's Montaje cell; empty takes the run's
};

// The rows one run of the tool takes, and the options of that run.
struct GrupoMuestra {
  OpcionesDiseno opciones;
  std::vector<FilaMuestra> filas;
};

std::vector<GrupoMuestra> Muestra(std::size_t filas, std::uint32_t semilla);

// The group as the tool reads it: the header and a row per design, with the
// Montaje column.
std::string CsvDe(const GrupoMuestra& grupo);
// The options of the group on the tool's command line, each argument on its
// own line.
std::string ArgumentosDe(const GrupoMuestra& grupo);

}  // namespace zener
