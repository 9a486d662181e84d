// The circuits a design can be: each is a table entry with its solver, the
// worst cases it states with their corners, and how the reports explain its
// own steps. The reports, the batch and the deck read a design through this
// table and the figures' table, never through one circuit's fields.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "design/Diseno.h"
#include "design/Figuras.h"

namespace zener {

struct Diseno;
struct Seccion;

struct DescripcionCircuito {
  Circuito circuito;
  std::string_view nombre;  // as the command line names it
  std::string_view titulo;  // the reports' heading: "regulador con diodo zener y …"
  // Solves the design once the rules pass: its parts, figures and reasons.
  void (*resolver)(Diseno&);
  // The worst cases it states at the chosen resistor, each with its corner,
  // in the reports' order.
  const EsquinaDeFigura* esquinas;
  std::size_t cuantasEsquinas;
  // The reports' steps of its own: the exact resistor, and the regulation.
  Seccion (*exacta)(const Diseno&);
  Seccion (*regulacion)(const Diseno&);
};

extern const DescripcionCircuito kDerivacion;
extern const DescripcionCircuito kSeguidor;
inline constexpr std::array<const DescripcionCircuito*, 2> kCircuitos = {&kDerivacion, &kSeguidor};
std::optional<Circuito> CircuitoDeNombre(std::string_view nombre);
std::string NombresDeCircuitos(std::string_view separador);
const DescripcionCircuito& CircuitoDe(const Diseno& diseno);
// The corner at which the circuit solves a figure, if it does.
const Esquina* EsquinaDe(const DescripcionCircuito& circuito, Figura figura);

}  // namespace zener
