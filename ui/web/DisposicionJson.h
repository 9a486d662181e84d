// The window's design table as JSON, from which the page builds its elements.
#pragma once

#include <string>

namespace zener::web {

// {"ancho", "alto" (twips), "twipsPorPixel", "fondo" (the window's),
// "familias" (the font family, then its stand-in), "margenTituloMarco",
// "margenFoco" (pixels), "letras": [{centesimasDePunto, peso, cursiva,
// subrayada}], "piezas": [{nombre, clase, marco, izquierda, arriba, ancho,
// alto, texto, fuente, rotulo, nombreAccesible, sinPuntos (the text without
// its leader dots), for a field its "clave" in the page's address and its
// "teclado" ("decimal" or "numeric"), fondo, tinta ("#rrggbb" or null for
// the system's), control (its number or null)}]}, the pieces in reading
// order: each caption before the control it names, a frame's pieces after it
// top to bottom, every focusable control in the window's tab order.
std::string DisposicionJson();

}  // namespace zener::web
