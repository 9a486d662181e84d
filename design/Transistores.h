// The NPN pass transistors an emitter follower chooses from: each a row of
// datasheet figures, every one with its source beside it in Transistores.cpp.
// A figure no sheet gives, or no sheet text could be read for, is null: the
// design refuses what it would need it for rather than assume it.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "design/Componentes.h"

namespace zener {

// One DC current gain test point of the sheet, at 25 °C.
struct PuntoGanancia {
  double icA;
  double vceV;
  double hfeMin;
  std::optional<double> hfeMax;
};

// A base-emitter voltage limit and the point the sheet tests it at.
struct LimiteVbe {
  double vbeV;
  double icA;
  double vceV;
};

// The emitter cut-off current's maximum at a reverse emitter-base voltage.
struct CorteEmisor {
  double maxA;
  double vebV;
  double temperaturaC;
};

// A typical figure read off one of the sheet's curves, at the collector
// current it was read at.
struct LecturaDeCurva {
  double valor;
  double icA;
};

// The typical gain at the sheet's coldest curve over that at 25 °C.
struct GananciaFria {
  double temperaturaC;
  LecturaDeCurva razon;
};

struct Deriva {
  std::optional<LecturaDeCurva> coefVbeMvPorK;
  std::optional<GananciaFria> gananciaFria;
};

// The maker's Gummel-Poon model, as far as the temperature terms go. XTB is
// null where the model leaves it at 0, SPICE's default: it then says nothing
// about how the gain moves with temperature.
struct ModeloSpice {
  std::string_view fuente;
  double is, bf, nf, xti, eg;
  std::optional<double> xtb;
};

// The DC line of the sheet's safe-operating-area figure at Tc = 25 °C.
enum class LineaDc {
  NoDibujada,  // the sheet draws none: Pd and Ic max bound the part
  SinLeer,     // drawn, or not known to be absent, and its corners not read
  Leida,       // its corners below
};

struct EsquinaSoa {
  double vceV, icA;
};

struct AreaSegura {
  LineaDc linea;
  const EsquinaSoa* esquinas;  // ascending Vce; none unless Leida
  std::size_t cuantas;
};

struct FilaTransistor {
  std::string_view numero;
  Encapsulado encapsulado;
  std::string_view montaje;  // the mounting RθJA is stated for
  std::string_view fuente;   // the sheets, as the reports cite them
  double vceoV;
  double icMaxA;  // continuous
  double potenciaW;
  double rodillaC;             // the power holds up to this temperature...
  std::string_view condicion;  // ...taken here
  double tjMaxC;
  double rthJaKPorW;
  // To the tab or mounting base, and from it to a greased heatsink; null
  // where no heatsink can be fitted or its sum cannot be cited. On the
  // surface-mount parts the copper is the heatsink and RθJA holds it.
  std::optional<double> rthJcKPorW;
  std::optional<double> rthCsKPorW;
  const PuntoGanancia* ganancia;  // ascending Ic
  std::size_t puntosGanancia;
  LimiteVbe vbeOnMax;
  std::optional<LimiteVbe> vbeMin;
  CorteEmisor iebo;
  std::optional<CorteEmisor> ieboCaliente;
  Deriva deriva;
  std::optional<ModeloSpice> spice;
  AreaSegura soa;
};

// The least gain the sheet bounds at this collector current and junction
// temperature, and the most Vbe: none where it bounds none (Seguidor.cpp
// says how).
std::optional<double> GananciaMinima(const FilaTransistor& t, double icA, double temperaturaC);
std::optional<double> VbeMaxima(const FilaTransistor& t, double icA, double temperaturaC);
// The largest of the sheet's gain maxima, and the least Vbe it leaves an
// unloaded emitter at this temperature.
std::optional<double> GananciaMaxima(const FilaTransistor& t);
// The most gain at this temperature: grown by the maker's XTB when hotter.
std::optional<double> GananciaMaximaA(const FilaTransistor& t, double temperaturaC);
std::optional<double> VbeMinima(const FilaTransistor& t, double temperaturaC);

// By mounting, through-hole first, then ascending power in free air at 25 °C.
extern const std::array<FilaTransistor, 7> kTransistores;
const FilaTransistor* TransistorDeNombre(std::string_view numero);
// The names, for the command line's help.
std::string NombresDeTransistores(std::string_view separador);

}  // namespace zener
