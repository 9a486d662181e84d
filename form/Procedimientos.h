// The window's procedures over its record: the two resets, the one way a
// message is shown, and the calculate button.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/Calculo.h"
#include "core/DatosCircuito.h"
#include "window/Ventana.h"

namespace zener {

// What a handler still has to do once the user has closed its message box.
using TrasElCuadro = std::function<void()>;

// Clears the four results and their labels; intermediates stay.
void Limpiar(DatosCircuito& datos, Ventana& ventana);

// Restores every default text and value; messages and focus stay.
void LimpiarTodo(DatosCircuito& datos, Ventana& ventana);

// The one way a message is shown; `despues` runs once its box is closed.
void MostrarMensaje(DatosCircuito& datos, Ventana& ventana, std::string_view prompt,
                    std::int16_t estilo, std::string_view titulo, TrasElCuadro despues = {});

// The box text of a failed rule or of a result out of range: the message's
// lines, each indented as the box has always centred it, joined by a 13.
std::string TextoDelCuadro(Veredicto veredicto);

// The calculate button: the rules, their message and focus, or the results
// written into the four labels.
Veredicto cmdCalcular_Click(DatosCircuito& datos, Ventana& ventana);

}  // namespace zener
