// The sections a design's report is made of, for the text and the page
// alike, so that the page never says something the text does not; and the
// pieces of wording every circuit's own sections share.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Tablas.h"
#include "design/Diseno.h"

namespace zener {

// A table of the report: a text one aligns its columns, a page's marks the
// row the design takes and the cells that fail.
struct Tabla {
  struct Fila {
    std::vector<std::string> celdas;
    bool destacada = false;
    bool falla = false;  // of its last cell
  };
  std::vector<std::string> cabecera;
  std::vector<Fila> filas;
};

struct Seccion {
  std::string titulo;
  std::vector<std::string> lineas;
  std::optional<Tabla> tabla = std::nullopt;  // after the lines
};

std::string Ohm(double r);
std::string Voltios(double v);
// A design value with the decimals it was given; the currents a load
// resistance gives, with two.
std::string Dato(const Diseno& d, Magnitud m);
// VeMin less half the ripple, or VeMax plus half of it, saying so.
std::string EntradaExtrema(const Diseno& d, Magnitud m);
// "IcMax = 20 mA", or the load resistance.
std::string CargaTexto(const Diseno& d, Magnitud m);
// Where a worst case sits, in words: "12 V, R·(1 + 0,05), IcMax = 20 mA y la
// tensión más alta de la envolvente".
std::string TextoDeEsquina(const Diseno& d, const Esquina& e);

inline constexpr std::string_view kTituloMuestreo =
    "Monte Carlo: lo que hace una fabricación de piezas reales";
// The Monte-Carlo run, when there is one: the line beside the verdict, its
// section, a measure's bins as text lines (each its interval as the report
// writes it and its units), its JSON object (null without).
std::optional<std::string> LineaDeMuestreo(const Diseno& d);
std::optional<Seccion> SeccionMuestreo(const Diseno& d);
struct BarraDeHistograma {
  std::string texto;
  std::uint64_t unidades;
};
std::vector<BarraDeHistograma> BarrasDe(const Resumen& resumen, const DescripcionMedida& medida);
std::string HistogramaTexto(const Resumen& resumen, const DescripcionMedida& medida);
std::string MuestreoJson(const Diseno& d);

// The report's sections, in order.
std::vector<Seccion> Secciones(const Diseno& d);
// What to order, last.
Seccion Materiales(const Diseno& d);

}  // namespace zener
