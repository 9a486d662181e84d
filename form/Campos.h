// The behaviour of the six entry fields, driven by their row of kCampos.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/DatosCircuito.h"
#include "core/Tablas.h"
#include "window/Ventana.h"

namespace zener {

inline constexpr std::int16_t kTeclaEnter = 13;

inline constexpr std::string_view kPromptCifraInvalida =
    "La cifra no es válida, por favor introdúzcala de nuevo.";

// Key filter of the voltage fields: digits, Backspace, Enter and the comma;
// a point becomes a comma.
void Validar1(std::int16_t& keyascii);

// Key filter of the current fields: digits, Backspace and Enter.
void Validar3(std::int16_t& keyascii);

// Filters the key; Enter commits the text and moves the focus along the chain.
void Campo_KeyPress(const FilaCampo& fila, DatosCircuito& datos, Ventana& ventana,
                    std::int16_t& keyascii);

// Commits the text and stores the value it shows as the design value.
void Campo_LostFocus(const FilaCampo& fila, DatosCircuito& datos, Ventana& ventana);

// Clears the results and selects the whole text.
void Campo_GotFocus(const FilaCampo& fila, DatosCircuito& datos, Ventana& ventana);

// A figure given from outside the window (a page's address): written and
// committed as a focus loss commits it, the results cleared. A text the
// commit refuses gives no message: the field keeps what it showed and the
// design value stays. The whole text is selected either way. False when
// refused.
bool Campo_Poner(const FilaCampo& fila, DatosCircuito& datos, Ventana& ventana,
                 std::string_view texto);

// The text a field shows for its committed design value, which Campo_Poner
// takes back to the same value.
std::string TextoDeValor(const FilaCampo& fila, const DatosCircuito& datos);

}  // namespace zener
