// From the exact resistor to parts that can be bought: a standard resistor
// that keeps the Zener alive at the worst ends of both tolerances, its
// wattage, a Zener diode, and the reports that explain the choice.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Calculo.h"
#include "core/DatosCircuito.h"

namespace zener {

enum class Serie { E6, E12, E24, E48, E96, E192 };
enum class Familia { Automatica, BZX79, N47, N53 };  // 0,5 W BZX79-C, 1 W 1N47xxA, 5 W 1N53xxB

struct OpcionesDiseno {
  Serie serie = Serie::E24;
  std::optional<double> tolR;  // fraction; default by series
  double tolVz = 0.05;         // fraction
  double margen = 2;
  Familia familia = Familia::Automatica;
  std::optional<double> zz;  // ohms, overrides the part's Zzt
};

// One resistor value with both tolerances at their worst ends.
struct PeorCaso {
  double rOhm = 0;
  double izMinMa = 0;   // Zener current at VeMin and full load
  double prW = 0;       // resistor power at VeMax
  double pzW = 0;       // Zener power at VeMax with the load disconnected
  bool cumple = false;  // izMinMa reaches IzMin
};

struct ZenerElegido {
  std::string_view numero;  // part number, e.g. BZX79C5V1
  Familia familia = Familia::Automatica;
  double potenciaW = 0;
  double vz = 0;
  double iztMa = 0;
  double zztOhm = 0;
  double izMaxMa = 0;
};

struct Regulacion {
  double zzOhm = 0;
  double lineaMvV = 0;
  double cargaMvMa = 0;
  double rizadoDb = 0;
  double rendimiento = 0;  // fraction, at VeMin and full load
};

struct Diseno {
  DatosCircuito datos;  // the six design values and, if the rules pass, Calcular's results
  OpcionesDiseno opciones;
  double tolR = 0;  // the one used: given or the series' default
  Veredicto veredicto = Veredicto::Cumple;
  bool cumple = false;  // the rules pass and a series value keeps the Zener current
  std::string mensaje;  // why not, when it does not
  std::optional<PeorCaso> elegida;
  std::vector<PeorCaso> vecinas;               // the series values either side of it
  std::optional<double> potenciaResistenciaW;  // none above the largest wattage
  std::optional<double> potenciaZenerW;        // none above the largest class
  std::optional<ZenerElegido> zener;
  std::optional<Regulacion> regulacion;
  std::vector<std::string> avisos;
};

// Why the options cannot be used, if they cannot.
std::optional<std::string> ErrorDeOpciones(const OpcionesDiseno& opciones);

Diseno Disenar(const DatosCircuito& valores, const OpcionesDiseno& opciones);

std::string InformeTexto(const Diseno& diseno);
std::string InformeJson(const Diseno& diseno);
std::string InformeHtml(const Diseno& diseno);

}  // namespace zener
