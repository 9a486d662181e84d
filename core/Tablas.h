// One row per entry field and per result label: everything in which they
// differ, so that one piece of code serves them all.
#pragma once

#include <array>
#include <string_view>

#include "core/DatosCircuito.h"
#include "ui/Ventana.h"

namespace zener {

inline constexpr std::string_view kMascaraTension = "##,##0.00";
inline constexpr std::string_view kMascaraCorriente = "##,##0";
inline constexpr std::string_view kMascaraPotencia = "##,##0.000";

struct FilaCampo {
  Control campo;
  double DatosCircuito::*valor;
  std::string_view MascaraCampo;
  std::string_view TextoInicial;  // what an empty or zero text becomes
  std::string_view textoReset;    // what LimpiarTodo writes
  bool pruebaComa;                // guarded commit: single-comma test
  bool admiteComa;                // voltage key filter rather than digits only
  Control siguiente;              // where Enter sends the focus
};

inline constexpr std::array<FilaCampo, 6> kCampos = {{
    {Control::txtVeMin, &DatosCircuito::VeMin, kMascaraTension, "0,00", "0,00", true, true,
     Control::txtVeMax},
    {Control::txtVeMax, &DatosCircuito::VeMax, kMascaraTension, "0,00", "0,00", true, true,
     Control::txtIcMin},
    {Control::txtIcMin, &DatosCircuito::IcMin, kMascaraCorriente, "0", "0", true, false,
     Control::txtIcMax},
    {Control::txtIcMax, &DatosCircuito::IcMax, kMascaraCorriente, "0", "0", false, false,
     Control::txtVnZener},
    {Control::txtVnZener, &DatosCircuito::VnZener, kMascaraTension, "0,00", "0,00", true, true,
     Control::txtIzMin},
    {Control::txtIzMin, &DatosCircuito::IzMin, kMascaraCorriente, "0", "5", false, false,
     Control::cmdCalcular},
}};

// The row of an entry field: the rows stand in the order of the fields.
constexpr const FilaCampo& FilaDe(Control campo) {
  return kCampos[static_cast<int>(campo)];
}

constexpr bool CamposEnOrden() {
  for (std::size_t i = 0; i < kCampos.size(); ++i) {
    if (kCampos[i].campo != static_cast<Control>(i)) return false;
  }
  return true;
}
static_assert(CamposEnOrden(), "FilaDe looks fields up by position");

struct FilaResultado {
  Control etiqueta;
  double DatosCircuito::*valor;
  std::string_view MascaraResultado;
  std::string_view textoBorrado;
};

// In the order the labels are written.
inline constexpr std::array<FilaResultado, 4> kResultados = {{
    {Control::lblRrLim, &DatosCircuito::RrLim, kMascaraTension, "0,00"},
    {Control::lblPrLim, &DatosCircuito::PrLim, kMascaraPotencia, "0,000"},
    {Control::lblPzSin, &DatosCircuito::PzSin, kMascaraPotencia, "0,000"},
    {Control::lblPzCon, &DatosCircuito::PzCon, kMascaraPotencia, "0,000"},
}};

}  // namespace zener
