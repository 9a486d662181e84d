// The window's design table as JSON, from which the page builds its elements.
#pragma once

#include <string>

namespace zener::web {

// {"ancho", "alto" (twips), "twipsPorPulgada", "letras": [{centesimasDePunto,
// peso, cursiva, subrayada}], "piezas": [{nombre, clase, marco, izquierda,
// arriba, ancho, alto, texto, fuente, fondo, tinta ("#rrggbb" or null for
// the system's), control (its number or null), rotulo, nombreAccesible}]}
std::string DisposicionJson();

}  // namespace zener::web
