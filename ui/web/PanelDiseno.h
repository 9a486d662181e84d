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

  // The options as the panel's lists and boxes hold them, one JSON object of
  // texts: any of the library's keys of options that take a name ("serie",
  // "circuito", "carga_fija"...: a choice's name) or a figure ("tol_r",
  // "margen"...: the text typed, comma decimals); an empty text is the
  // option's default. "montecarlo" (units, empty for the panel's default)
  // asks for a Monte-Carlo run beside the worst case, "semilla" its seed.
  // Gives {"valores": bool, "error": why the options
  // cannot be used or null, "clave": the key at fault or null, "informe":
  // the design's JSON report or null, "resumen": the line under its verdict
  // (the output and the junction's temperature of a design that can be
  // built, the resistor values that work) or null, "alternativas": [{texto,
  // cambios: {key: the text it takes}}], the report's alternatives as the
  // options and values each changes, "muestreo": null without a run, else
  // {veredicto: the report's line beside its verdict or null, lineas: its
  // section's lines before the laws, histograma: {titulo, filas: [[the
  // interval, its units]]} of the nominal output, or null}}.
  std::string Disenar(std::string_view opcionesJson);

  // The options of a shared link, in the same form: each one kept if it is
  // an option of the panel that the library reads and, with the others
  // kept, within its limits; a choice by the name its list gives it. Gives
  // {"aceptadas": {key: text}, "ignoradas": [keys]}.
  static std::string OpcionesDeEnlace(std::string_view opcionesJson);

  // The choices the page offers and the options' limits, all from the
  // library: {"listas": the options that take a name, as the library's
  // OpcionesDeListaJson gives them, "materiales": the parts list's columns
  // [{clave: the report's key, texto: the header}], "opciones": the numeric
  // boxes, [{clave, limites: as text, defecto: as text or null,
  // conSigno}], the Monte-Carlo run's boxes last}.
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
