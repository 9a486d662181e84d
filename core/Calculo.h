// The seven design rules and the formulas of the regulator, without a window.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/DatosCircuito.h"
#include "core/Tablas.h"

namespace zener {

// The thresholds of the rules.
inline constexpr double kTensionZenerMinima = 2;    // V: rule 4 fails at or below it
inline constexpr double kMargenEntradaZener = 0.5;  // V: VeMin must exceed VnZener by this
inline constexpr double kIzMinMinima = 1;           // mA
inline constexpr double kIzMinMaxima = 100;         // mA
inline constexpr double kMiliPorUnidad = 1000;      // mA per A, and mA·ohm per V·1000

// Message box styles: exclamation or information icon, OK button.
inline constexpr std::int16_t kEstiloExclamacion = 48;
inline constexpr std::int16_t kEstiloInformacion = 64;

struct Regla {
  bool (*falla)(const DatosCircuito&);
  std::string_view mensaje;  // its lines, joined by '\n'; the box lays them out
  std::string_view titulo;
  Magnitud campo;  // the design value at fault
};

// In the order they are checked; rule n is kReglas[n - 1].
extern const std::array<Regla, 7> kReglas;

// What a calculation gives: all rules passed, the first rule that failed, or
// a formula that overflowed, divided by zero or gave a result no label shows.
enum class Veredicto {
  Cumple,
  Regla1,
  Regla2,
  Regla3,
  Regla4,
  Regla5,
  Regla6,
  Regla7,
  FueraDeRango
};

// The rule a verdict names, if it names one.
std::optional<Regla> ReglaDe(Veredicto veredicto);
// 1 to 7 for a failed rule, 0 otherwise.
int NumeroDeRegla(Veredicto veredicto);

inline constexpr std::string_view kMensajeFueraDeRango =
    "Los valores introducidos dan un resultado fuera de rango.\n"
    "Por favor, revise las cifras.";
inline constexpr std::string_view kTituloError = "Error";

// Checks the rules on the stored design values and, when all pass, stores the
// intermediates and results. Out of range, the eight computed quantities are
// left at 0.
Veredicto Calcular(DatosCircuito& datos);

}  // namespace zener
