// The window's design table as JSON, from which the page builds its elements.
#pragma once

#include <string>

namespace zener::web {

// {"ancho", "alto" (twips), "twipsPorPixel", "fondo" (the window's),
// "familias" (the font family, then its stand-in), "margenTituloMarco",
// "margenFoco" (pixels), "letras": [{centesimasDePunto, peso, cursiva,
// subrayada}], "piezas": [{nombre, clase, marco, izquierda, arriba, ancho,
// alto, texto, fuente, rotulo, nombreAccesible, fondo, tinta ("#rrggbb" or
// null for the system's), control (its number or null)}]}
std::string DisposicionJson();

}  // namespace zener::web
