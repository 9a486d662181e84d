// The catalogue a design chooses from: the standard resistor series, the
// standard resistor wattages and the Zener families with their datasheet rows.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "design/Diseno.h"

namespace zener {

struct TablaSerie {
  Serie serie;
  std::string_view nombre;
  double tolR;                    // the tolerance the series is made for
  const std::uint16_t* mantisas;  // hundredths of the values of one decade, ascending
  std::size_t cuantas;
};

// In the order of the enumeration.
extern const std::array<TablaSerie, 6> kSeries;
const TablaSerie& TablaDe(Serie serie);
std::optional<Serie> SerieDeNombre(std::string_view nombre);

// The series spans 1 ohm to 10 Mohm: seven decades and 10 Mohm itself.
inline constexpr int kDecadas = 7;
std::size_t CuantosValores(const TablaSerie& tabla);
double ValorEn(const TablaSerie& tabla, std::size_t indice);  // ohms, ascending

// The package and how it mounts.
struct Encapsulado {
  std::string_view nombre;
  Montaje montaje;
};

// The resistors a design may buy, each rated up to 70 °C ambient and derated
// linearly to nothing at 155 °C, as both sheets draw it: Vishay, "D/CRCW e3
// Standard Thick Film Chip Resistors" (document 20035, revision
// 23-Apr-2021), rated dissipation P70 and film temperature 155 °C; Chian Chia
// Electronic, "Metal Film Fixed Resistor" MF1/8W to MF5W, version B/3 (2017),
// 1.3, table 1 and Fig. 1.
struct ResistenciaComercial {
  std::string_view tipo;  // the maker's type, as ordered with value and tolerance
  Encapsulado encapsulado;
  double potenciaW;
  double tensionMaxV;  // the limiting element voltage, or the maximum working voltage
};
// Ascending power; at equal power the smaller part, a chip, first.
extern const std::array<ResistenciaComercial, 15> kResistencias;
inline constexpr double kRodillaResistenciaC = 70;
inline constexpr double kMaximaResistenciaC = 155;
// The fraction of its rated power a resistor may dissipate at this ambient.
double FactorResistencia(double temperaturaC);
// The sheet a resistor's figures come from, as the reports cite it.
std::string_view FuenteDeResistencia(const ResistenciaComercial& resistencia);
// The chip resistors are made at 1 % in the E24 and E96 values and at 5 % in
// the E24 ones: whether a value at this tolerance is among them.
bool ChipDisponible(double rOhm, double tolR);

// The temperature at which the datasheets state Vz and its range.
inline constexpr double kTemperaturaDeMedidaC = 25;

struct FilaZener {
  std::string_view numero;
  double vz;            // nominal, V
  double vzMin, vzMax;  // the datasheet's range at Izt and 25 °C
  double iztMa;         // test current
  double zztOhm;        // maximum dynamic impedance at Izt
  double izkMa;         // knee current
  double zzkOhm;        // maximum dynamic impedance at Izk
  double izmMa;         // maximum DC current; 0 where the datasheet gives none
  double tcMin, tcMax;  // temperature coefficient of Vz, %/K, where the family gives one
};

struct FamiliaZener {
  Familia familia;
  std::string_view nombre;
  Encapsulado encapsulado;
  double potenciaW;
  double rodillaC;             // the rating holds up to this temperature...
  std::string_view condicion;  // ...taken here, as the datasheet states it
  // How hot the junction gets: thermal resistance from it to the ambient for
  // the mounting stated, and the hottest it may run.
  double rthKPorW;
  double tjMaxC;
  std::string_view montaje;        // the mounting the thermal resistance is for
  std::string_view fuenteTermica;  // where that figure comes from
  bool conCoeficiente;             // whether its datasheet tabulates the temperature coefficient
  const FilaZener* filas;          // ascending voltage
  std::size_t cuantas;
};

// Ascending power; the automatic choice takes the first that is enough.
extern const std::array<FamiliaZener, 7> kFamilias;
const FamiliaZener& FamiliaDe(Familia familia);  // not Automatica
// What the reports call the automatic choice; each family, by its name.
inline constexpr std::string_view kNombreAutomatica = "automática";
// A family by its command-line name or by the name the reports give it.
std::optional<Familia> FamiliaDeNombre(std::string_view nombre);
// The command line's names of the families and of the mountings.
std::string NombresDeFamilias(std::string_view separador);
std::optional<Montaje> MontajeDeNombre(std::string_view nombre);
std::string_view NombreDeMontaje(Montaje montaje);
std::string NombresDeMontajes(std::string_view separador);
// Whether a part of this mounting is one of those asked for.
bool EsDelMontaje(Montaje pedido, Montaje pieza);
// Whether the options let the design try this family.
bool SePrueba(const FamiliaZener& familia, const OpcionesDiseno& opciones);

// The row of a nominal voltage, if the family's table holds it.
const FilaZener* FilaDeTension(const FamiliaZener& familia, double vz);

// The power the family takes at this ambient on its stated mounting: its
// rating, or less where the junction would pass its maximum; never below
// nothing.
double PotenciaAdmisibleW(const FamiliaZener& familia, double temperaturaC);
// The junction's temperature at this ambient and dissipation.
double TemperaturaUnion(const FamiliaZener& familia, double ambienteC, double potenciaW);
// The maximum current at this temperature: the datasheet's, or where it gives
// none, the power over the top of the voltage range (IZM = P / VZM, as the
// makers' notes on the maximum current define it), derated with the power.
double IzMaxAdmisibleMa(const FamiliaZener& familia, const FilaZener& fila, double temperaturaC);

}  // namespace zener
