// The catalogue a design chooses from: the standard resistor series, the
// standard resistor wattages and the Zener families with their datasheet rows.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
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

// Standard resistor wattages, ascending.
inline constexpr std::array<double, 7> kPotenciasResistencia = {0.125, 0.25, 0.5, 1, 2, 3, 5};

struct FilaZener {
  std::string_view numero;
  double vz;      // V
  double iztMa;   // test current
  double zztOhm;  // maximum dynamic impedance at Izt
  double izmMa;   // maximum regulator current; 0 where the datasheet gives none
};

struct FamiliaZener {
  Familia familia;
  std::string_view nombre;
  double potenciaW;
  const FilaZener* filas;  // ascending voltage
  std::size_t cuantas;
};

// Ascending power; the automatic choice takes the first that is enough.
extern const std::array<FamiliaZener, 3> kFamilias;
const FamiliaZener& FamiliaDe(Familia familia);  // not Automatica
std::optional<Familia> FamiliaDeNombre(std::string_view nombre);

// The datasheet's maximum current or, where it gives none, its power over Vz.
double IzMaxMa(const FamiliaZener& familia, const FilaZener& fila);

}  // namespace zener
