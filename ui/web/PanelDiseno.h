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
  // null, "resumen": the line above the report (the resistor values that
  // work, then the output and the junction's temperature, or why the design
  // cannot be built) or null}.
  std::string Disenar(std::string_view opcionesJson);

  // The options of a shared link, in the same form: each one kept if it is
  // an option of the panel that the library reads and, with the others
  // kept, within its limits. Gives {"aceptadas": {key: text},
  // "ignoradas": [keys]}.
  static std::string OpcionesDeEnlace(std::string_view opcionesJson);

  // The choices the page offers and the options' limits, all from the
  // library: {"series", "montajes" and "familias": [{nombre, texto,
  // montaje}], a family's montaje being the name of its mounting in
  // "montajes" (null for the others and the automatic family), "materiales":
  // the parts list's columns [{clave: the report's key, texto: the header}],
  // "porDefecto": {serie, familia, montaje}, "opciones": the numeric boxes,
  // [{clave, limites: as text, defecto: as text or null, conSigno}]}.
  static std::string Listas();

  // The reports of the last design; empty before the first.
  std::string Texto() const;
  std::string Html() const;
  std::string Spice() const;
  // Its parts list as the tool's --lista-materiales writes it; the header
  // alone for a design that cannot be built.
  std::string Materiales() const;

 private:
  std::optional<DatosCircuito> valores_;
  std::optional<Diseno> diseno_;
};

}  // namespace zener::web
