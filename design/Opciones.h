// The design options that take a figure: one table for the tool, its help,
// the library and the page.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zener {

struct OpcionesDiseno;

// The unit of the options whose values may carry its multiples: 4k7, 2M2.
inline constexpr std::string_view kUnidadOhmio = "Ω";

// Each numeric option: its name in the JSON report and the page, on the
// command line and in messages, what the help calls its value and says it is
// when not given, its unit as the user types it, its limits, and how it reads
// and writes OpcionesDiseno in that unit. Its default is what `leer` gives of
// a default OpcionesDiseno.
struct OpcionNumerica {
  std::string_view clave;     // JSON and page
  std::string_view opcion;    // command line
  std::string_view nombre;    // in messages and help: "la tolerancia de la resistencia"
  std::string_view valor;     // in help: "PORCENTAJE"
  std::string_view sinValor;  // in help, when it has no default: "sin ella, la de la serie"
  std::string_view unidad;    // "%", "Ω", "mV", "°C" or empty
  double minimo, maximo;
  bool minimoIncluido;
  std::optional<double> (*leer)(const OpcionesDiseno&);
  void (*poner)(OpcionesDiseno&, double);
};
extern const std::array<OpcionNumerica, 9> kOpcionesNumericas;

// "estar entre 0 y 50 %", "ser mayor que 0 Ω y no pasar de 1 MΩ": the
// limits as messages and the help say them, after "ha de".
std::string LimitesDe(const OpcionNumerica& opcion);
// Whether the value, in the option's unit, is within its limits.
bool DentroDeLimites(const OpcionNumerica& opcion, double valor);

// One choice of an option that takes a name: the name it is read by, the
// words a list shows it with, and the mounting it belongs to (for the
// families and the transistors), if any.
struct Eleccion {
  std::string nombre;
  std::string texto;
  std::string_view montaje;  // the mounting's name, or empty
};

// Each option that takes one of a list of names: its key in the JSON and the
// page, on the command line and in messages, what the help says of it, its
// choices, and how it reads and writes OpcionesDiseno. Its default is what
// `leer` gives of a default OpcionesDiseno. A flag takes no value on the
// command line and sets its last choice.
struct OpcionDeLista {
  std::string_view clave;        // JSON and page
  std::string_view opcion;       // command line
  std::string_view nombre;       // in messages: "la serie de resistencias"
  std::string_view desconocida;  // a name it does not take: "serie desconocida"
  std::string_view ayuda;        // in help, what it does
  std::vector<Eleccion> (*elecciones)();
  bool (*poner)(OpcionesDiseno&, std::string_view nombre);  // false: no such choice
  std::string (*leer)(const OpcionesDiseno&);
  bool bandera;
};
extern const std::array<OpcionDeLista, 6> kOpcionesDeLista;
const OpcionDeLista* OpcionDeListaDeClave(std::string_view clave);
// "E6|E12|…": the names an option takes, joined.
std::string NombresDe(const OpcionDeLista& opcion, std::string_view separador);
// kOpcionesDeLista as a JSON array, for the page: each with its choices, its
// default and whether it is a flag (the page's check box).
std::string OpcionesDeListaJson();

// Whether the ambient range is other than the datasheets' 25 °C.
bool ConTemperatura(const OpcionesDiseno& opciones);

// Why the options cannot be used, if they cannot.
std::optional<std::string> ErrorDeOpciones(const OpcionesDiseno& opciones);
// kOpcionesNumericas as a JSON array, for the page.
std::string OpcionesNumericasJson();

}  // namespace zener
