// The seven design rules and the formulas of the regulator.
#pragma once

#include <array>
#include <string_view>

#include "core/DatosCircuito.h"
#include "ui/Ventana.h"

namespace zener {

struct Regla {
  bool (*falla)(const DatosCircuito&);
  std::string_view prompt;
  std::string_view titulo;
  Control campo;  // where the focus goes when the rule fails
};

// In the order they are checked; rule n is kReglas[n - 1].
extern const std::array<Regla, 7> kReglas;

// What Calcular gives besides the number (1 to 7) of the first failed rule.
inline constexpr int kReglasCumplidas = 0;
inline constexpr int kFueraDeRango = -1;  // a formula overflowed or divided by zero

inline constexpr std::string_view kPromptFueraDeRango =
    "Los valores introducidos dan un resultado fuera de rango.\r"
    "Por favor, revise las cifras.";
inline constexpr std::string_view kTituloError = "Error";

// Checks the rules on the stored design values and, when all pass, stores the
// intermediates and results. On a floating-point fault, or a result no label
// can show, the eight computed quantities are left at 0.
int Calcular(DatosCircuito& datos);

// The calculate button: the rules, their message and focus, or the results
// written into the four labels.
void cmdCalcular_Click(DatosCircuito& datos, Ventana& ventana);

}  // namespace zener
