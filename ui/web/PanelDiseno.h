// The design panel below the window: the practical design of the values the
// window last calculated, with the options the page gives.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/DatosCircuito.h"
#include "design/Diseno.h"

namespace zener::web {

class PanelDiseno {
 public:
  // The window's design values, after a calculation that passed the rules.
  void Seguir(const DatosCircuito& valores) { valores_ = valores; }

  // The options as the panel's boxes hold them, one JSON object of texts:
  // "serie", "familia" and "montaje" (names of Listas()) and any of the library's
  // numeric option keys ("tol_r", "margen", "temp_min_c"...) with the text
  // typed, comma decimals, empty for the option's default. Gives {"valores":
  // bool, "error": why the options cannot be used or null, "clave": the key
  // of the box at fault or null, "informe": the design's JSON report or
  // null, "ventanaR": the resistor values that work, as text, or null}.
  std::string Disenar(std::string_view opcionesJson);

  // The options of a shared link, in the same form: each one kept if it is
  // an option of the panel that the library reads and, with the others
  // kept, within its limits. Gives {"aceptadas": {key: text},
  // "ignoradas": [keys]}.
  static std::string OpcionesDeEnlace(std::string_view opcionesJson);

  // The choices the page offers and the options' limits, all from the
  // library: {"series": [{nombre, texto}], "familias": [{nombre, texto}],
  // "montajes": [{nombre, texto}], "materiales": the parts list's columns
  // [{clave: the report's key, texto: the header}], "porDefecto": {serie,
  // familia, montaje}, "opciones": OpcionesNumericasJson()}.
  static std::string Listas();

  // The reports of the last design; empty before the first.
  std::string Texto() const;
  std::string Html() const;
  std::string Spice() const;

 private:
  std::optional<DatosCircuito> valores_;
  std::optional<Diseno> diseno_;
};

}  // namespace zener::web
