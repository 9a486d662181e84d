// From the exact resistor to parts that can be bought: a standard resistor
// that keeps the Zener alive at the worst ends of the resistor's tolerance and
// of the Zener part's own datasheet range, its wattage, a Zener part that
// takes the worst case, and the reports that explain the choice.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Calculo.h"
#include "core/DatosCircuito.h"
#include "design/Figuras.h"
#include "design/Motivos.h"
#include "design/Muestreo.h"
#include "design/Opciones.h"

namespace zener {

enum class Serie { E6, E12, E24, E48, E96, E192 };
// 0,3 W SOT-23 BZX84-C, 0,5 W SOD-123 MMSZ52xxB, 0,5 W BZX79-C, 1 W 1N47xxA,
// 1,25 W SMA BZG05C, 5 W SMB SMBJ53xxB, 5 W 1N53xxB
enum class Familia { Automatica, BZX79, N47, N53, MMSZ52, BZX84, BZG05, SMBJ53 };
// How the part goes on the board: any, through-hole or surface-mount.
enum class Montaje { Cualquiera, Tht, Smd };
// The circuit: the Zener and its series resistor alone, or driving an
// emitter follower that carries the load.
enum class Circuito { Derivacion, Seguidor };

struct FilaTransistor;

struct OpcionesDiseno {
  Circuito circuito = Circuito::Derivacion;
  Serie serie = Serie::E24;
  std::optional<double> tolR;  // fraction; default by series
  // Fraction: the widest Zener tolerance accepted. Without it, the worst case
  // takes the proposed part's datasheet range, whatever it is.
  std::optional<double> tolVz;
  double margen = 2;  // on the powers of the resistor and of the Zener
  Familia familia = Familia::Automatica;
  Montaje montaje = Montaje::Cualquiera;       // the families tried
  const FilaTransistor* transistor = nullptr;  // the follower's, forced; none: the first that does
  std::optional<double> zz;                    // ohms, overrides the part's datasheet impedance
  std::optional<double> rOhm;                  // a resistor to check instead of choosing one
  std::optional<double> cargaOhm;              // the load as a resistance instead of IcMin to IcMax
  std::optional<double> rizadoMv;              // input ripple, mV peak to peak
  double tempMinC = 25;                        // ambient range
  double tempMaxC = 25;
  // The load never goes below IcMin (nor away, as a resistance): the Zener's
  // most current, power and junction are worked at IcMin.
  bool cargaFija = false;
};

// The decimals each of the six design values is shown with: as typed, or
// the window's masks.
using Decimales = std::array<int, 6>;
Decimales DecimalesDeVentana();

struct FamiliaZener;
struct FilaZener;
struct ResistenciaComercial;

// A Zener part: its family's ratings and its row's figures.
struct Zener {
  const FamiliaZener* familia;
  const FilaZener* fila;
};

// What the caller reads of a design: all of it, or the figures of a batch
// row, which leaves out the series values either side and the alternatives,
// or only whether it builds and with which parts, which leaves out besides
// the least R, the nominal output and the regulation, and the reasons why
// no part is chosen.
enum class Alcance { Completo, Lote, Construible };

// A change that makes a design that cannot be built buildable, found by
// designing it again: the figure or option changed (its key, as the JSON and
// a link name it), its new value or choice, and the design it gives.
struct Alternativa {
  std::string_view cambio;      // "margen", "serie", "IcMax", ...
  std::optional<double> valor;  // a figure's new value
  double paso;                  // the step it was sought to: one step nearer does not build
  std::string_view nombre;      // an option's new choice
  DatosCircuito valores;
  OpcionesDiseno opciones;
  double rOhm;
  const FilaZener* zener;
  const FilaTransistor* transistor;  // none for the shunt
};

// As the reports say it: "margen 1,5: 56 Ω y 1N5338B".
std::string TextoDe(const Alternativa& alternativa);

// Where the regulation's Zz comes from.
enum class OrigenZz { Envolvente, Dada };

// A design: what was asked, whether and why it can be built, its figures at
// the chosen resistor (each worst case solved on the part's envelope: the
// highest or lowest voltage any part its datasheet allows has at the current
// the circuit gives it), and the parts it orders.
struct Diseno {
  DatosCircuito datos;  // the six design values and, if the rules pass, Calcular's results
  Decimales decimales{};
  OpcionesDiseno opciones;
  Alcance alcance = Alcance::Completo;
  double tolR = 0;  // the one used: given or the series' default
  Veredicto veredicto = Veredicto::Cumple;
  std::string mensaje;  // the failed rule's message, its lines joined by '\n'
  // The rules hold, a series value keeps IzMin, and a wattage and a part take it.
  bool construible = false;
  std::vector<Motivo> motivos;  // why not, when not
  std::vector<Motivo> avisos;
  std::vector<Motivo> descartes;  // the parts tried and left, and why
  // The one promise that blocks the best candidate, when it cannot be built,
  // and the nearest changes that would build it.
  std::optional<Motivo> bloqueo;
  std::vector<Alternativa> alternativas;
  Cifras cifras;                // the design's, and the chosen resistor's worst case
  std::vector<Cifras> vecinas;  // the series values either side of it, their worst cases
  // The part the figures are for: the chosen one or, without one, the first
  // tried; none for the band alone.
  std::optional<Zener> zener;
  bool zenerElegido = false;
  const ResistenciaComercial* resistencia = nullptr;  // none above the largest of the mounting
  // The follower's transistor: the chosen one or, without one, the one its
  // figures are for.
  const FilaTransistor* transistor = nullptr;
  bool transistorElegido = false;
  std::optional<OrigenZz> origenZz;     // with the regulation's figures
  std::optional<Motivo> sinRegulacion;  // why there are none
  // A production run drawn from the parts' sheets, when asked for: beside
  // the verdict, never in its place.
  std::optional<Muestreo> muestreo;

  // The part chosen, if one takes the worst case.
  const Zener* ZenerElegido() const { return zenerElegido ? &*zener : nullptr; }
  bool ConResistencia() const { return cifras.Tiene(Figura::RNominal); }
  // Whether the resistor keeps the required current at the worst case.
  bool Cumple() const { return Cumple(cifras); }
  bool Cumple(const Cifras& caso) const {
    return caso.De(Figura::IzMin) >= cifras.De(Figura::IzRequerida);
  }
};

// Half the input's ripple, V: it rides on each of the input's extremes.
double MediaRizadoV(const OpcionesDiseno& opciones);
// The resistor's ends, Ω.
double RBaja(const Diseno& diseno);
double RAlta(const Diseno& diseno);

// The one promise that blocks the best candidate of a design that cannot be
// built: the rule, the options, no part of the voltage, no series value, the
// part's own power or current, the resistor's, the transistor's.
std::optional<Motivo> Bloqueo(const Diseno& diseno);

// The nearest changes that build a design that cannot be built (none for
// one that can, or that breaks a rule): the power margin, another series,
// family, mounting or circuit, and each design value moved to the nearest
// that builds.
std::vector<Alternativa> Alternativas(const Diseno& diseno);

Diseno Disenar(const DatosCircuito& valores, const OpcionesDiseno& opciones,
               const Decimales& decimales = DecimalesDeVentana(),
               Alcance alcance = Alcance::Completo);

std::string InformeTexto(const Diseno& diseno);
std::string InformeJson(const Diseno& diseno);
std::string InformeHtml(const Diseno& diseno);
// A netlist that runs as it is in ngspice: the worst cases with the part's
// extreme models, .op at each and a .dc sweep of the input.
std::string InformeSpice(const Diseno& diseno);

}  // namespace zener
