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

  // The options as one JSON object, as the command line takes them:
  // {"serie": "E24", "tolR": percent or null for the series', "tolVz":
  // percent, "margen", "familia": a name of Listas(), "zz": ohms or null for
  // the part's}. Gives {"valores": bool, "error": why the options cannot be
  // used or null, "informe": the design's JSON report or null}.
  std::string Disenar(std::string_view opcionesJson);

  // The choices the page offers and their defaults: {"series": [{nombre,
  // texto}], "familias": [{nombre, texto}], "porDefecto": {serie, tolVz,
  // margen, familia}}.
  static std::string Listas();

  // The reports of the last design; empty before the first.
  std::string Texto() const;
  std::string Html() const;

 private:
  std::optional<DatosCircuito> valores_;
  std::optional<Diseno> diseno_;
};

}  // namespace zener::web
