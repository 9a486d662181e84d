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
#include "design/Opciones.h"

namespace zener {

enum class Serie { E6, E12, E24, E48, E96, E192 };
// 0,3 W SOT-23 BZX84-C, 0,5 W SOD-123 MMSZ52xxB, 0,5 W BZX79-C, 1 W 1N47xxA,
// 1,25 W SMA BZG05C, 5 W SMB SMBJ53xxB, 5 W 1N53xxB
enum class Familia { Automatica, BZX79, N47, N53, MMSZ52, BZX84, BZG05, SMBJ53 };
// How the part goes on the board: any, through-hole or surface-mount.
enum class Montaje { Cualquiera, Tht, Smd };

struct OpcionesDiseno {
  Serie serie = Serie::E24;
  std::optional<double> tolR;  // fraction; default by series
  // Fraction: the widest Zener tolerance accepted. Without it, the worst case
  // takes the proposed part's datasheet range, whatever it is.
  std::optional<double> tolVz;
  double margen = 2;  // on the powers of the resistor and of the Zener
  Familia familia = Familia::Automatica;
  Montaje montaje = Montaje::Cualquiera;  // the families tried
  std::optional<double> zz;               // ohms, overrides the part's datasheet impedance
  std::optional<double> rOhm;             // a resistor to check instead of choosing one
  std::optional<double> cargaOhm;         // the load as a resistance instead of IcMin to IcMax
  std::optional<double> rizadoMv;         // input ripple, mV peak to peak
  double tempMinC = 25;                   // ambient range
  double tempMaxC = 25;
};

// The decimals each of the six design values is shown with: as typed, or
// the window's masks.
using Decimales = std::array<int, 6>;
Decimales DecimalesDeVentana();

// The part's voltage at its test current Izt, over the junction's
// temperatures.
struct IntervaloVz {
  double bajo = 0, alto = 0;  // V
};

// One resistor value with both tolerances at their worst ends, each figure
// solved on the part's envelope: the highest or lowest voltage any part its
// datasheet allows has at the current the circuit gives it. The input's
// extremes are VeMin less half the ripple and VeMax plus half of it.
struct PeorCaso {
  double rOhm = 0;
  double izMinMa = 0;      // at the lowest input and full load, R high, the highest voltage
  double izMaxMa = 0;      // at the highest input with the load disconnected, R low, the lowest
  double prW = 0;          // resistor power at the highest input and full load, the lowest voltage
  double pzSinCargaW = 0;  // Zener power at the highest input, load disconnected, R low
  double pzConIcMinW = 0;  // the same with the load drawing its minimum
  double voutMinV = 0;     // the output over the load's range and the input's
  double voutMaxV = 0;
  bool cumple = false;  // izMinMa reaches IzMin and, with a part, its Izk
};

struct FamiliaZener;
struct FilaZener;
struct ResistenciaComercial;

struct ZenerElegido {
  const FamiliaZener* familia = nullptr;
  const FilaZener* fila = nullptr;
  double potenciaAdmisibleW = 0;  // at the highest ambient
  double izMaxAdmisibleMa = 0;
};

// The nominal values that work with the part: Rmax keeps IzMin at the worst
// case, none where not even a short does; Rmin keeps the part within its
// power and maximum current with the load disconnected, none without a part.
struct IntervaloR {
  std::optional<double> rMinOhm;
  std::optional<double> rMaxOhm;
};

struct Regulacion {
  double zzOhm = 0;         // the largest the part's envelope allows from desdeMa up
  std::string_view origen;  // "envolvente" or "dada"
  double desdeMa = 0;       // the worst case's least current; 0 when given
  double hastaMa = 0;       // its most, with the load disconnected
  double zpOhm = 0;         // Zz with a load resistance across it; Zz without one
  double lineaMvV = 0;
  double cargaMvMa = 0;
  double rizadoDb = 0;
  std::optional<double> rizadoSalidaMv;
  double rendimiento = 0;  // fraction, at VeMin and full load
};

struct Diseno {
  DatosCircuito datos;  // the six design values and, if the rules pass, Calcular's results
  Decimales decimales{};
  OpcionesDiseno opciones;
  double tolR = 0;  // the one used: given or the series' default
  Veredicto veredicto = Veredicto::Cumple;
  std::string mensaje;  // the failed rule's message, its lines joined by '\n'
  // The rules hold, a series value keeps IzMin, and a wattage and a part take it.
  bool construible = false;
  std::vector<std::string> motivos;  // why not, when not
  std::optional<IntervaloVz> vz;     // the Zener voltages of the worst case
  std::optional<PeorCaso> elegida;
  std::vector<PeorCaso> vecinas;  // the series values either side of it
  std::optional<IntervaloR> intervaloR;
  double izRequeridaMa = 0;            // IzMin or, where higher, the part's Izk
  std::optional<double> voutNominalV;  // mid input and load, nominal R and part
  std::optional<double>
      tjMaxC;  // the chosen part's junction at the hottest ambient and worst power
  double factorResistencia = 1;                       // of the rated power, at the highest ambient
  const ResistenciaComercial* resistencia = nullptr;  // none above the largest of the mounting
  std::optional<ZenerElegido> zener;
  // The part whose band the worst case shows: the chosen one or, without
  // one, the first tried.
  std::optional<ZenerElegido> candidato;
  std::optional<Regulacion> regulacion;
  std::string sinRegulacion;  // why there is none
  std::vector<std::string> avisos;
};

// Half the input's ripple, V: it rides on each of the input's extremes.
double MediaRizadoV(const OpcionesDiseno& opciones);
// The most the chosen resistor ever has across it, V: the highest input
// against the lowest output.
double TensionResistenciaMaxV(const Diseno& diseno);

Diseno Disenar(const DatosCircuito& valores, const OpcionesDiseno& opciones,
               const Decimales& decimales = DecimalesDeVentana());

std::string InformeTexto(const Diseno& diseno);
std::string InformeJson(const Diseno& diseno);
std::string InformeHtml(const Diseno& diseno);
// A netlist that runs as it is in ngspice: the worst cases with the part's
// extreme models, .op at each and a .dc sweep of the input.
std::string InformeSpice(const Diseno& diseno);

}  // namespace zener
