// One row per design value and per result: everything in which they differ,
// so that one piece of code serves them all.
#pragma once

#include <array>
#include <string_view>

#include "core/DatosCircuito.h"

namespace zener {

inline constexpr std::string_view kMascaraTension = "##,##0.00";
inline constexpr std::string_view kMascaraCorriente = "##,##0";
inline constexpr std::string_view kMascaraPotencia = "##,##0.000";

// The six design values, in the order of their entry fields.
enum class Magnitud { VeMin, VeMax, IcMin, IcMax, VnZener, IzMin };

struct FilaCampo {
  Magnitud magnitud;
  double DatosCircuito::*valor;
  std::string_view MascaraCampo;
  std::string_view TextoInicial;  // what an empty or zero text becomes
  std::string_view textoReset;    // what a full reset writes
  bool pruebaComa;                // guarded commit: single-comma test
  bool admiteComa;                // voltage key filter rather than digits only
};

inline constexpr std::array<FilaCampo, 6> kCampos = {{
    {Magnitud::VeMin, &DatosCircuito::VeMin, kMascaraTension, "0,00", "0,00", true, true},
    {Magnitud::VeMax, &DatosCircuito::VeMax, kMascaraTension, "0,00", "0,00", true, true},
    {Magnitud::IcMin, &DatosCircuito::IcMin, kMascaraCorriente, "0", "0", true, false},
    {Magnitud::IcMax, &DatosCircuito::IcMax, kMascaraCorriente, "0", "0", false, false},
    {Magnitud::VnZener, &DatosCircuito::VnZener, kMascaraTension, "0,00", "0,00", true, true},
    {Magnitud::IzMin, &DatosCircuito::IzMin, kMascaraCorriente, "0", "5", false, false},
}};

constexpr const FilaCampo& FilaDe(Magnitud magnitud) {
  return kCampos[static_cast<std::size_t>(magnitud)];
}

constexpr bool CamposEnOrden() {
  for (std::size_t i = 0; i < kCampos.size(); ++i) {
    if (kCampos[i].magnitud != static_cast<Magnitud>(i)) return false;
  }
  return true;
}
static_assert(CamposEnOrden(), "FilaDe looks design values up by position");

struct FilaResultado {
  double DatosCircuito::*valor;
  std::string_view MascaraResultado;
  std::string_view textoBorrado;
};

// In the order the results are shown: RrLim, PrLim, PzSin, PzCon.
inline constexpr std::array<FilaResultado, 4> kResultados = {{
    {&DatosCircuito::RrLim, kMascaraTension, "0,00"},
    {&DatosCircuito::PrLim, kMascaraPotencia, "0,000"},
    {&DatosCircuito::PzSin, kMascaraPotencia, "0,000"},
    {&DatosCircuito::PzCon, kMascaraPotencia, "0,000"},
}};

}  // namespace zener
