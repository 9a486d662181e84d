// What a production run of real parts does: units drawn from what the
// datasheets allow, each solved over the design's whole operating range
// with the worst case's own functions, and counted against its promises.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zener {

struct Diseno;

struct OpcionesMuestreo {
  std::uint64_t unidades = 0;  // none: no sampling
  std::uint64_t semilla = 0;
  // The output, added to the promises when given.
  std::optional<double> voutMinV, voutMaxV;
};
// The most units one run takes: a minute's work at most.
inline constexpr std::uint64_t kMaximoUnidades = 10000000;
// A count as a double, through a signed integer: every count here is far
// below 2^63, and converting an unsigned one takes 32-bit x86 an x87 step
// whose precision is not the rest's.
inline double ComoReal(std::uint64_t n) {
  return static_cast<double>(static_cast<std::int64_t>(n));
}
// The largest seed: what a page's number holds exactly, 2^53 − 1.
inline constexpr double kMayorSemilla = 9007199254740991.0;

// What each unit is measured for, at the corner of input, load and ambient
// where it is most: the worst case's figures, unit by unit.
enum class Medida : std::uint8_t {
  VoutNominal,
  VoutMin,
  VoutMax,
  IzMin,
  IzMax,
  PZ,
  PR,
  TjZener,
  VR,
  PTransistor,
  VceMax,
};
inline constexpr std::size_t kCuantasMedidas = static_cast<std::size_t>(Medida::VceMax) + 1;

// What a unit is held to: the design's promises and, when given, the output.
enum class Promesa : std::uint8_t {
  IzMin,
  IzMax,
  PZ,
  PR,
  TjZener,
  VR,
  PTransistor,
  VceMax,
  VoutMin,
  VoutMax,
};
inline constexpr std::size_t kCuantasPromesas = static_cast<std::size_t>(Promesa::VoutMax) + 1;

struct DescripcionMedida {
  Medida medida;
  std::string_view clave;    // JSON
  std::string_view columna;  // the samples' CSV
  std::string_view nombre;   // reports
  std::string_view unidad;
  int decimales;
  bool deSeguidor;  // the follower's alone
  bool histograma;  // reported with its spread
};
extern const std::array<DescripcionMedida, kCuantasMedidas> kMedidas;
const DescripcionMedida& DescripcionDe(Medida medida);

struct DescripcionPromesa {
  Promesa promesa;
  Medida medida;
  std::string_view clave;   // JSON
  std::string_view nombre;  // "la corriente mínima del zener"
  bool minimo;              // the unit's figure at least the limit, else at most
  bool conMargen;           // a power: the unit's, times the margin, against the rating
};
extern const std::array<DescripcionPromesa, kCuantasPromesas> kPromesas;

// One built unit: what was drawn and what it does.
struct Unidad {
  double vzV = 0;    // the Zener's voltage at Izt and 25 °C
  double aV = 0;     // its curve's exponential term
  double rsOhm = 0;  // and series resistance
  double tcPorCientoK = 0;
  double rOhm = 0;
  // The follower's transistor: where its gain and its Vbe fall between the
  // sheet's bounds, 0 the least, 1 the most.
  double hfeFraccion = 0, vbeFraccion = 0;
  std::array<double, kCuantasMedidas> medidas{};
  std::uint32_t fallos = 0;  // a bit per promise broken
};

struct Histograma {
  double desde = 0, hasta = 0;
  std::vector<std::uint64_t> cuentas;
};

// One measure over the run: its spread, what the worst case bounds it by, the
// limits its promises hold it to, its capability against them, its bins.
struct Resumen {
  double media = 0, sigma = 0, minimo = 0, maximo = 0;
  std::optional<double> cotaBaja, cotaAlta;  // the worst case's
  std::optional<double> limiteBajo, limiteAlto;
  std::optional<double> cpk;
  Histograma histograma;
};

struct Muestreo {
  OpcionesMuestreo opciones;
  // Why none could be drawn: no part, no resistor, a rule that fails.
  std::optional<std::string> sinMuestreo;
  std::uint64_t aprobadas = 0;
  double rendimiento = 0;
  double intervaloBajo = 0, intervaloAlto = 0;  // 95 %, Wilson
  std::array<std::uint64_t, kCuantasPromesas> fallos{};
  std::array<bool, kCuantasPromesas> comprobadas{};
  std::optional<Promesa> masFallada;
  std::array<std::optional<Resumen>, kCuantasMedidas> medidas;
  std::vector<std::string> leyes;  // what was drawn, how and why
};

// One corner a unit is solved at, as solved: the source, the load (a
// current or a resistance), the ambient and the junction it settles at, the
// Zener's point and, for the follower, the base's current and Vbe.
struct PuntoDeUnidad {
  double entradaV = 0;
  double cargaA = 0;
  std::optional<double> cargaOhm;
  double ambienteC = 0;
  double tjC = 0;
  double vzV = 0, izA = 0;
  double ibA = 0, vbeV = 0, icA = 0;
  double voutV = 0;
};
// Every corner of a unit, in the order it is solved: at each ambient the
// lowest input at the heaviest load, the highest input at the heaviest, at
// the least and with the load gone (or at its least, where it stays); last
// the nominal one. None where the design cannot be sampled.
std::vector<PuntoDeUnidad> PuntosDeUnidad(const Diseno& diseno, const Unidad& unidad);

// Draws and solves the units of a design, each handed to `cada` as it is
// done (for the samples' file); memory does not grow with their number.
Muestreo Muestrear(const Diseno& diseno, const OpcionesMuestreo& opciones,
                   const std::function<void(const Unidad&)>& cada = {});

// The samples' file: its header and a unit's row, as a spreadsheet reads
// them (";" and comma decimals).
std::string CabeceraDeUnidades(const Diseno& diseno);
std::string FilaDeUnidad(const Diseno& diseno, std::uint64_t numero, const Unidad& unidad);

}  // namespace zener
