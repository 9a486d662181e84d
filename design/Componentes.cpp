#include "design/Componentes.h"

#include <algorithm>

namespace zener {

namespace {

// IEC 60063 preferred numbers, as published: not the rounded formula, from
// which several E12/E24 values and E192's 9,20 differ.
constexpr std::uint16_t kE6[] = {100, 150, 220, 330, 470, 680};
constexpr std::uint16_t kE12[] = {100, 120, 150, 180, 220, 270, 330, 390, 470, 560, 680, 820};
constexpr std::uint16_t kE24[] = {100, 110, 120, 130, 150, 160, 180, 200, 220, 240, 270, 300,
                                  330, 360, 390, 430, 470, 510, 560, 620, 680, 750, 820, 910};
constexpr std::uint16_t kE48[] = {100, 105, 110, 115, 121, 127, 133, 140, 147, 154, 162, 169,
                                  178, 187, 196, 205, 215, 226, 237, 249, 261, 274, 287, 301,
                                  316, 332, 348, 365, 383, 402, 422, 442, 464, 487, 511, 536,
                                  562, 590, 619, 649, 681, 715, 750, 787, 825, 866, 909, 953};
constexpr std::uint16_t kE96[] = {
    100, 102, 105, 107, 110, 113, 115, 118, 121, 124, 127, 130, 133, 137, 140, 143,
    147, 150, 154, 158, 162, 165, 169, 174, 178, 182, 187, 191, 196, 200, 205, 210,
    215, 221, 226, 232, 237, 243, 249, 255, 261, 267, 274, 280, 287, 294, 301, 309,
    316, 324, 332, 340, 348, 357, 365, 374, 383, 392, 402, 412, 422, 432, 442, 453,
    464, 475, 487, 499, 511, 523, 536, 549, 562, 576, 590, 604, 619, 634, 649, 665,
    681, 698, 715, 732, 750, 768, 787, 806, 825, 845, 866, 887, 909, 931, 953, 976};
constexpr std::uint16_t kE192[] = {
    100, 101, 102, 104, 105, 106, 107, 109, 110, 111, 113, 114, 115, 117, 118, 120, 121, 123,
    124, 126, 127, 129, 130, 132, 133, 135, 137, 138, 140, 142, 143, 145, 147, 149, 150, 152,
    154, 156, 158, 160, 162, 164, 165, 167, 169, 172, 174, 176, 178, 180, 182, 184, 187, 189,
    191, 193, 196, 198, 200, 203, 205, 208, 210, 213, 215, 218, 221, 223, 226, 229, 232, 234,
    237, 240, 243, 246, 249, 252, 255, 258, 261, 264, 267, 271, 274, 277, 280, 284, 287, 291,
    294, 298, 301, 305, 309, 312, 316, 320, 324, 328, 332, 336, 340, 344, 348, 352, 357, 361,
    365, 370, 374, 379, 383, 388, 392, 397, 402, 407, 412, 417, 422, 427, 432, 437, 442, 448,
    453, 459, 464, 470, 475, 481, 487, 493, 499, 505, 511, 517, 523, 530, 536, 542, 549, 556,
    562, 569, 576, 583, 590, 597, 604, 612, 619, 626, 634, 642, 649, 657, 665, 673, 681, 690,
    698, 706, 715, 723, 732, 741, 750, 759, 768, 777, 787, 796, 806, 816, 825, 835, 845, 856,
    866, 876, 887, 898, 909, 920, 931, 942, 953, 965, 976, 988};

template <std::size_t N>
constexpr TablaSerie Tabla(Serie serie, std::string_view nombre, double tolR,
                           const std::uint16_t (&mantisas)[N]) {
  return {serie, nombre, tolR, mantisas, N};
}

constexpr double kPotenciasDeDiez[kDecadas + 1] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7};
constexpr double kCentesimas = 100;

// Fairchild Semiconductor, "BZX79C 3V3 - BZX79C 33 Series Half Watt Zeners"
// datasheet: Vz, Zzt at Izt. No maximum current is listed: 0,5 W / Vz.
constexpr FilaZener kBZX79[] = {
    {"BZX79C3V3", 3.3, 5, 95, 0}, {"BZX79C3V6", 3.6, 5, 90, 0}, {"BZX79C3V9", 3.9, 5, 90, 0},
    {"BZX79C4V3", 4.3, 5, 90, 0}, {"BZX79C4V7", 4.7, 5, 80, 0}, {"BZX79C5V1", 5.1, 5, 60, 0},
    {"BZX79C5V6", 5.6, 5, 40, 0}, {"BZX79C6V2", 6.2, 5, 10, 0}, {"BZX79C6V8", 6.8, 5, 15, 0},
    {"BZX79C7V5", 7.5, 5, 15, 0}, {"BZX79C8V2", 8.2, 5, 15, 0}, {"BZX79C9V1", 9.1, 5, 15, 0},
    {"BZX79C10", 10, 5, 20, 0},   {"BZX79C11", 11, 5, 20, 0},   {"BZX79C12", 12, 5, 25, 0},
    {"BZX79C13", 13, 5, 30, 0},   {"BZX79C15", 15, 5, 30, 0},   {"BZX79C16", 16, 5, 40, 0},
    {"BZX79C18", 18, 5, 45, 0},   {"BZX79C20", 20, 5, 55, 0},   {"BZX79C22", 22, 5, 55, 0},
    {"BZX79C24", 24, 5, 70, 0},   {"BZX79C27", 27, 2, 80, 0},   {"BZX79C30", 30, 2, 80, 0},
    {"BZX79C33", 33, 2, 80, 0},
};

// Vishay Semiconductors, "1N4728 thru 1N4764 Zener Diodes", document 88304:
// Vz, Izt, Zzt at Izt, Izm at 50 °C; A suffix for 5 %. Only the rows up to
// 30 V could be read and checked.
constexpr FilaZener kN47[] = {
    {"1N4728A", 3.3, 76, 10, 276}, {"1N4729A", 3.6, 69, 10, 252},  {"1N4730A", 3.9, 64, 9, 234},
    {"1N4731A", 4.3, 58, 9, 217},  {"1N4732A", 4.7, 53, 8, 193},   {"1N4733A", 5.1, 49, 7, 178},
    {"1N4734A", 5.6, 45, 5, 162},  {"1N4735A", 6.2, 41, 2, 146},   {"1N4736A", 6.8, 37, 3.5, 133},
    {"1N4737A", 7.5, 34, 4, 121},  {"1N4738A", 8.2, 31, 4.5, 110}, {"1N4739A", 9.1, 28, 5, 100},
    {"1N4740A", 10, 25, 7, 91},    {"1N4741A", 11, 23, 8, 83},     {"1N4742A", 12, 21, 9, 76},
    {"1N4743A", 13, 19, 10, 69},   {"1N4744A", 15, 17, 14, 61},    {"1N4745A", 16, 15.5, 16, 57},
    {"1N4746A", 18, 14, 20, 50},   {"1N4747A", 20, 12.5, 22, 45},  {"1N4748A", 22, 11.5, 23, 41},
    {"1N4749A", 24, 10.5, 25, 38}, {"1N4750A", 27, 9.5, 35, 34},   {"1N4751A", 30, 8.5, 40, 30},
};

// ON Semiconductor, "1N53 Series, 5 Watt Surmetic 40 Zener Voltage
// Regulators" datasheet: Vz nominal, Izt, Zzt at Izt, Izm. Only the rows up
// to 10 V could be read and checked.
constexpr FilaZener kN53[] = {
    {"1N5333B", 3.3, 380, 3, 1440},  {"1N5334B", 3.6, 350, 2.5, 1320},
    {"1N5335B", 3.9, 320, 2, 1220},  {"1N5336B", 4.3, 290, 2, 1100},
    {"1N5337B", 4.7, 260, 2, 1010},  {"1N5338B", 5.1, 240, 1.5, 930},
    {"1N5339B", 5.6, 220, 1, 865},   {"1N5340B", 6.0, 200, 1, 790},
    {"1N5341B", 6.2, 200, 1, 765},   {"1N5342B", 6.8, 175, 1, 700},
    {"1N5343B", 7.5, 175, 1.5, 630}, {"1N5344B", 8.2, 150, 1.5, 580},
    {"1N5345B", 8.7, 150, 2, 545},   {"1N5346B", 9.1, 150, 2, 520},
    {"1N5347B", 10, 125, 2, 475},
};

template <std::size_t N>
constexpr FamiliaZener FamiliaDeTabla(Familia familia, std::string_view nombre, double potenciaW,
                                const FilaZener (&filas)[N]) {
  return {familia, nombre, potenciaW, filas, N};
}

}  // namespace

const std::array<TablaSerie, 6> kSeries = {{
    Tabla(Serie::E6, "E6", 0.20, kE6),
    Tabla(Serie::E12, "E12", 0.10, kE12),
    Tabla(Serie::E24, "E24", 0.05, kE24),
    Tabla(Serie::E48, "E48", 0.02, kE48),
    Tabla(Serie::E96, "E96", 0.01, kE96),
    Tabla(Serie::E192, "E192", 0.005, kE192),
}};

const TablaSerie& TablaDe(Serie serie) {
  return kSeries[static_cast<std::size_t>(serie)];
}

std::optional<Serie> SerieDeNombre(std::string_view nombre) {
  for (const TablaSerie& tabla : kSeries) {
    if (tabla.nombre == nombre) return tabla.serie;
  }
  return std::nullopt;
}

std::size_t CuantosValores(const TablaSerie& tabla) {
  return tabla.cuantas * kDecadas + 1;
}

double ValorEn(const TablaSerie& tabla, std::size_t indice) {
  const std::size_t decada = indice / tabla.cuantas;
  const std::size_t posicion = indice % tabla.cuantas;
  return tabla.mantisas[posicion] * kPotenciasDeDiez[decada] / kCentesimas;
}

const std::array<FamiliaZener, 3> kFamilias = {{
    FamiliaDeTabla(Familia::BZX79, "BZX79-C", 0.5, kBZX79),
    FamiliaDeTabla(Familia::N47, "1N47xxA", 1, kN47),
    FamiliaDeTabla(Familia::N53, "1N53xxB", 5, kN53),
}};

const FamiliaZener& FamiliaDe(Familia familia) {
  return *std::find_if(kFamilias.begin(), kFamilias.end(),
                       [familia](const FamiliaZener& f) { return f.familia == familia; });
}

std::optional<Familia> FamiliaDeNombre(std::string_view nombre) {
  struct Alias {
    std::string_view nombre;
    Familia familia;
  };
  static constexpr Alias kAlias[] = {{"auto", Familia::Automatica},
                                     {"BZX79", Familia::BZX79},
                                     {"1N47", Familia::N47},
                                     {"1N53", Familia::N53}};
  for (const Alias& alias : kAlias) {
    if (alias.nombre == nombre) return alias.familia;
  }
  return std::nullopt;
}

double IzMaxMa(const FamiliaZener& familia, const FilaZener& fila) {
  constexpr double kMiliamperiosPorAmperio = 1000;
  return fila.izmMa > 0 ? fila.izmMa : familia.potenciaW / fila.vz * kMiliamperiosPorAmperio;
}

}  // namespace zener
