#include "design/Componentes.h"

#include <algorithm>
#include <cmath>
#include <iterator>

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

// Fairchild Semiconductor, "BZX79C 3V3 - BZX79C 33 Series Half Watt Zeners":
// Vz min and max at Izt, Zzt at Izt, Zzk at Izk; no maximum current, which is
// then P / Vz max. Temperature coefficient at Izt from Shenzhen Yongerjia,
// "BZX79C Series Zener diode" (TKVZ, %/K), whose ranges and impedances for
// these parts are the same as Fairchild's. Below 3,3 V, where Fairchild's
// sheet starts, every figure is Yongerjia's; MCC's "BZX79C2V4 thru BZX79C75"
// (Rev. 7) prints the same ranges and impedances, and -0,009 to -0,06 %/K for
// 2V4 and 2V7, a narrower span than Yongerjia's -0,09 to -0,06, which wins.
// From 36 V Yongerjia's coefficients could not be read, so the family stops
// at 33 V.
constexpr FilaZener kBZX79[] = {
    {"BZX79C2V4", 2.4, 2.2, 2.6, 5, 100, 1, 600, 0, -0.09, -0.06},
    {"BZX79C2V7", 2.7, 2.5, 2.9, 5, 100, 1, 600, 0, -0.09, -0.06},
    {"BZX79C3V0", 3.0, 2.8, 3.2, 5, 95, 1, 600, 0, -0.08, -0.05},
    {"BZX79C3V3", 3.3, 3.1, 3.5, 5, 95, 1, 600, 0, -0.08, -0.05},
    {"BZX79C3V6", 3.6, 3.4, 3.8, 5, 90, 1, 600, 0, -0.08, -0.05},
    {"BZX79C3V9", 3.9, 3.7, 4.1, 5, 90, 1, 600, 0, -0.08, -0.05},
    {"BZX79C4V3", 4.3, 4.0, 4.6, 5, 90, 1, 600, 0, -0.06, -0.03},
    {"BZX79C4V7", 4.7, 4.4, 5.0, 5, 80, 1, 500, 0, -0.05, 0.02},
    {"BZX79C5V1", 5.1, 4.8, 5.4, 5, 60, 1, 480, 0, -0.02, 0.02},
    {"BZX79C5V6", 5.6, 5.2, 6.0, 5, 40, 1, 400, 0, -0.05, 0.05},
    {"BZX79C6V2", 6.2, 5.8, 6.6, 5, 10, 1, 150, 0, 0.03, 0.06},
    {"BZX79C6V8", 6.8, 6.4, 7.2, 5, 15, 1, 80, 0, 0.03, 0.07},
    {"BZX79C7V5", 7.5, 7.0, 7.9, 5, 15, 1, 80, 0, 0.03, 0.07},
    {"BZX79C8V2", 8.2, 7.7, 8.7, 5, 15, 1, 80, 0, 0.03, 0.08},
    {"BZX79C9V1", 9.1, 8.5, 9.6, 5, 15, 1, 100, 0, 0.03, 0.09},
    {"BZX79C10", 10, 9.4, 10.6, 5, 20, 1, 150, 0, 0.03, 0.10},
    {"BZX79C11", 11, 10.4, 11.6, 5, 20, 1, 150, 0, 0.03, 0.11},
    {"BZX79C12", 12, 11.4, 12.7, 5, 25, 1, 150, 0, 0.03, 0.11},
    {"BZX79C13", 13, 12.4, 14.1, 5, 30, 1, 170, 0, 0.03, 0.11},
    {"BZX79C15", 15, 13.8, 15.6, 5, 30, 1, 200, 0, 0.03, 0.11},
    {"BZX79C16", 16, 15.3, 17.1, 5, 40, 1, 200, 0, 0.03, 0.11},
    {"BZX79C18", 18, 16.8, 19.1, 5, 45, 1, 225, 0, 0.03, 0.11},
    {"BZX79C20", 20, 18.8, 21.2, 5, 55, 1, 225, 0, 0.03, 0.11},
    {"BZX79C22", 22, 20.8, 23.3, 5, 55, 1, 250, 0, 0.04, 0.12},
    {"BZX79C24", 24, 22.8, 25.6, 5, 70, 1, 250, 0, 0.04, 0.12},
    {"BZX79C27", 27, 25.1, 28.9, 2, 80, 0.5, 300, 0, 0.04, 0.12},
    {"BZX79C30", 30, 28, 32, 2, 80, 0.5, 300, 0, 0.04, 0.12},
    {"BZX79C33", 33, 31, 35, 2, 80, 0.5, 325, 0, 0.04, 0.12},
};

// A row of a family whose parts are within 5 % of their nominal voltage at
// Izt, as the A and B suffixes promise; these datasheets give no
// temperature coefficient.
constexpr double kTolerancia5 = 0.05;
constexpr FilaZener AlCinco(std::string_view numero, double vz, double izt, double zzt, double izk,
                            double zzk, double izm) {
  return {numero, vz, vz * (1 - kTolerancia5), vz * (1 + kTolerancia5), izt, zzt, izk, zzk, izm,
          0,      0};
}

// Vishay Semiconductors, "1N4728 thru 1N4764 Zener Diodes", document 88304:
// Vz, Izt, Zzt at Izt, Zzk at Izk, Izm at 50 °C; A suffix for 5 %, whose
// limits Fairchild's "1N4728A - 1N4764A Zeners" (Rev. G2) lists as exactly
// 5 %. Vishay's rows could be read up to 30 V; from 33 V to 39 V Vz, Izt,
// Zzt, Izk and Zzk are DC Components' "1N4728A thru 1N4754A", whose rows
// below are Vishay's figures too, and whose maximum-current column could not
// be read, so there Izm is P / Vz max. Above 39 V no sheet could be read.
constexpr FilaZener kN47[] = {
    AlCinco("1N4728A", 3.3, 76, 10, 1, 400, 276),
    AlCinco("1N4729A", 3.6, 69, 10, 1, 400, 252),
    AlCinco("1N4730A", 3.9, 64, 9, 1, 400, 234),
    AlCinco("1N4731A", 4.3, 58, 9, 1, 400, 217),
    AlCinco("1N4732A", 4.7, 53, 8, 1, 500, 193),
    AlCinco("1N4733A", 5.1, 49, 7, 1, 550, 178),
    AlCinco("1N4734A", 5.6, 45, 5, 1, 600, 162),
    AlCinco("1N4735A", 6.2, 41, 2, 1, 700, 146),
    AlCinco("1N4736A", 6.8, 37, 3.5, 1, 700, 133),
    AlCinco("1N4737A", 7.5, 34, 4, 0.5, 700, 121),
    AlCinco("1N4738A", 8.2, 31, 4.5, 0.5, 700, 110),
    AlCinco("1N4739A", 9.1, 28, 5, 0.5, 700, 100),
    AlCinco("1N4740A", 10, 25, 7, 0.25, 700, 91),
    AlCinco("1N4741A", 11, 23, 8, 0.25, 700, 83),
    AlCinco("1N4742A", 12, 21, 9, 0.25, 700, 76),
    AlCinco("1N4743A", 13, 19, 10, 0.25, 700, 69),
    AlCinco("1N4744A", 15, 17, 14, 0.25, 700, 61),
    AlCinco("1N4745A", 16, 15.5, 16, 0.25, 700, 57),
    AlCinco("1N4746A", 18, 14, 20, 0.25, 750, 50),
    AlCinco("1N4747A", 20, 12.5, 22, 0.25, 750, 45),
    AlCinco("1N4748A", 22, 11.5, 23, 0.25, 750, 41),
    AlCinco("1N4749A", 24, 10.5, 25, 0.25, 750, 38),
    AlCinco("1N4750A", 27, 9.5, 35, 0.25, 750, 34),
    AlCinco("1N4751A", 30, 8.5, 40, 0.25, 1000, 30),
    AlCinco("1N4752A", 33, 7.5, 45, 0.25, 1000, 0),
    AlCinco("1N4753A", 36, 7.0, 50, 0.25, 1000, 0),
    AlCinco("1N4754A", 39, 6.5, 60, 0.25, 1000, 0),
};

// Shenzhen Yongerjia, "BZX84C Series Zener diode" (SOT-23; no revision
// printed), at 25 °C: Vz min and max at Izt = 5 mA, rzjT at Izt, rzjK at
// Izk = 1 mA and TKVZ (%/K); no maximum current. Its thermal figures are a
// leaded part's and are not used. Rows from 2V4 to 22 V: the 24 V row's
// coefficient could not be read. Lite-On's "BZX84Cx Series" gives Zzk 600
// ohm for 4V7 where this sheet and National's BZX84C give 500.
constexpr FilaZener kBZX84[] = {
    {"BZX84C2V4", 2.4, 2.2, 2.6, 5, 100, 1, 600, 0, -0.09, -0.06},
    {"BZX84C2V7", 2.7, 2.5, 2.9, 5, 100, 1, 600, 0, -0.09, -0.06},
    {"BZX84C3V0", 3.0, 2.8, 3.2, 5, 95, 1, 600, 0, -0.08, -0.05},
    {"BZX84C3V3", 3.3, 3.1, 3.5, 5, 95, 1, 600, 0, -0.08, -0.05},
    {"BZX84C3V6", 3.6, 3.4, 3.8, 5, 90, 1, 600, 0, -0.08, -0.05},
    {"BZX84C3V9", 3.9, 3.7, 4.1, 5, 90, 1, 600, 0, -0.08, -0.05},
    {"BZX84C4V3", 4.3, 4.0, 4.6, 5, 90, 1, 600, 0, -0.06, -0.03},
    {"BZX84C4V7", 4.7, 4.4, 5.0, 5, 80, 1, 500, 0, -0.05, 0.02},
    {"BZX84C5V1", 5.1, 4.8, 5.4, 5, 60, 1, 480, 0, -0.02, 0.02},
    {"BZX84C5V6", 5.6, 5.2, 6.0, 5, 40, 1, 400, 0, -0.05, 0.05},
    {"BZX84C6V2", 6.2, 5.8, 6.6, 5, 10, 1, 150, 0, 0.03, 0.06},
    {"BZX84C6V8", 6.8, 6.4, 7.2, 5, 15, 1, 80, 0, 0.03, 0.07},
    {"BZX84C7V5", 7.5, 7.0, 7.9, 5, 15, 1, 80, 0, 0.03, 0.07},
    {"BZX84C8V2", 8.2, 7.7, 8.7, 5, 15, 1, 80, 0, 0.03, 0.08},
    {"BZX84C9V1", 9.1, 8.5, 9.6, 5, 15, 1, 100, 0, 0.03, 0.09},
    {"BZX84C10", 10, 9.4, 10.6, 5, 20, 1, 150, 0, 0.03, 0.1},
    {"BZX84C11", 11, 10.4, 11.6, 5, 20, 1, 150, 0, 0.03, 0.11},
    {"BZX84C12", 12, 11.4, 12.7, 5, 25, 1, 150, 0, 0.03, 0.11},
    {"BZX84C13", 13, 12.4, 14.1, 5, 30, 1, 170, 0, 0.03, 0.11},
    {"BZX84C15", 15, 13.8, 15.6, 5, 30, 1, 200, 0, 0.03, 0.11},
    {"BZX84C16", 16, 15.3, 17.1, 5, 40, 1, 200, 0, 0.03, 0.11},
    {"BZX84C18", 18, 16.8, 19.1, 5, 45, 1, 225, 0, 0.03, 0.11},
    {"BZX84C20", 20, 18.8, 21.2, 5, 55, 1, 225, 0, 0.03, 0.11},
    {"BZX84C22", 22, 20.8, 23.3, 5, 55, 1, 250, 0, 0.04, 0.12},
};

// Micro Commercial Components, "MMSZ5221B thru MMSZ5259B" (SOD-123),
// electrical characteristics at 25 °C: nominal Vz, Izt, Zzt at Izt, Zzk at
// Izk = 0,25 mA; no maximum current. The B suffix is 5 % (Vishay, document
// 85774). Its temperature-coefficient column could be read only up to 8,2 V,
// so the family carries none. Every row the sheet lists, 2,4 V to 39 V; from
// 43 V to 75 V, where MCC's sheet ends and Vishay's 85774 family does, every
// figure is the second page of the "MMSZ5221BT1, MMSZ4678T1, MMSZ2V4T1
// Series" sheet (Motorola, now ON Semiconductor), whose rows from 30 V to
// 39 V are MCC's figure for figure and whose limits are the 5 %.
constexpr double kIzkMmsz = 0.25;
constexpr FilaZener kMMSZ52[] = {
    AlCinco("MMSZ5221B", 2.4, 20, 30, kIzkMmsz, 1200, 0),
    AlCinco("MMSZ5222B", 2.5, 20, 30, kIzkMmsz, 1250, 0),
    AlCinco("MMSZ5223B", 2.7, 20, 30, kIzkMmsz, 1300, 0),
    AlCinco("MMSZ5225B", 3.0, 20, 29, kIzkMmsz, 1600, 0),
    AlCinco("MMSZ5226B", 3.3, 20, 28, kIzkMmsz, 1600, 0),
    AlCinco("MMSZ5227B", 3.6, 20, 24, kIzkMmsz, 1700, 0),
    AlCinco("MMSZ5228B", 3.9, 20, 23, kIzkMmsz, 1900, 0),
    AlCinco("MMSZ5229B", 4.3, 20, 22, kIzkMmsz, 2000, 0),
    AlCinco("MMSZ5230B", 4.7, 20, 19, kIzkMmsz, 1900, 0),
    AlCinco("MMSZ5231B", 5.1, 20, 17, kIzkMmsz, 1600, 0),
    AlCinco("MMSZ5232B", 5.6, 20, 11, kIzkMmsz, 1600, 0),
    AlCinco("MMSZ5234B", 6.2, 20, 7, kIzkMmsz, 1000, 0),
    AlCinco("MMSZ5235B", 6.8, 20, 5, kIzkMmsz, 750, 0),
    AlCinco("MMSZ5236B", 7.5, 20, 6, kIzkMmsz, 500, 0),
    AlCinco("MMSZ5237B", 8.2, 20, 8, kIzkMmsz, 500, 0),
    AlCinco("MMSZ5239B", 9.1, 20, 10, kIzkMmsz, 600, 0),
    AlCinco("MMSZ5240B", 10, 20, 17, kIzkMmsz, 600, 0),
    AlCinco("MMSZ5241B", 11, 20, 22, kIzkMmsz, 600, 0),
    AlCinco("MMSZ5242B", 12, 20, 30, kIzkMmsz, 600, 0),
    AlCinco("MMSZ5243B", 13, 9.5, 13, kIzkMmsz, 600, 0),
    AlCinco("MMSZ5245B", 15, 8.5, 16, kIzkMmsz, 600, 0),
    AlCinco("MMSZ5246B", 16, 7.8, 17, kIzkMmsz, 600, 0),
    AlCinco("MMSZ5248B", 18, 7.0, 21, kIzkMmsz, 600, 0),
    AlCinco("MMSZ5250B", 20, 6.2, 25, kIzkMmsz, 600, 0),
    AlCinco("MMSZ5251B", 22, 5.6, 29, kIzkMmsz, 600, 0),
    AlCinco("MMSZ5252B", 24, 5.2, 33, kIzkMmsz, 600, 0),
    AlCinco("MMSZ5254B", 27, 4.6, 41, kIzkMmsz, 600, 0),
    AlCinco("MMSZ5255B", 28, 4.5, 44, kIzkMmsz, 600, 0),
    AlCinco("MMSZ5256B", 30, 4.2, 49, kIzkMmsz, 600, 0),
    AlCinco("MMSZ5257B", 33, 3.8, 58, kIzkMmsz, 700, 0),
    AlCinco("MMSZ5258B", 36, 3.4, 70, kIzkMmsz, 700, 0),
    AlCinco("MMSZ5259B", 39, 3.2, 80, kIzkMmsz, 800, 0),
    AlCinco("MMSZ5260B", 43, 3.0, 93, kIzkMmsz, 900, 0),
    AlCinco("MMSZ5261B", 47, 2.7, 105, kIzkMmsz, 1000, 0),
    AlCinco("MMSZ5262B", 51, 2.5, 125, kIzkMmsz, 1100, 0),
    AlCinco("MMSZ5263B", 56, 2.2, 150, kIzkMmsz, 1300, 0),
    AlCinco("MMSZ5264B", 60, 2.1, 170, kIzkMmsz, 1400, 0),
    AlCinco("MMSZ5265B", 62, 2.0, 185, kIzkMmsz, 1400, 0),
    AlCinco("MMSZ5266B", 68, 1.8, 230, kIzkMmsz, 1600, 0),
    AlCinco("MMSZ5267B", 75, 1.7, 270, kIzkMmsz, 1700, 0),
};

// Vishay Telefunken, "BZG05C..." (SMA, DO-214AC; document 85595, Rev. 6,
// 01-Apr-99), at 25 °C: Vz nominal, Izt, Vz min and max at Izt, rzj at Izt,
// rzj at Izk, Izk and TKVZ (%/K); no maximum current. The column heads were
// lost in the text read; their order is that of Vishay's BZX85C sheets laid
// out alike, whose Izt, ranges and impedances for these voltages are the
// same, while their coefficients differ. The 12 V row and those above could
// not be read, so the family stops at 11 V.
constexpr FilaZener kBZG05[] = {
    {"BZG05C3V3", 3.3, 3.1, 3.5, 80, 20, 1, 400, 0, -0.08, -0.05},
    {"BZG05C3V6", 3.6, 3.4, 3.8, 60, 20, 1, 500, 0, -0.08, -0.05},
    {"BZG05C3V9", 3.9, 3.7, 4.1, 60, 15, 1, 500, 0, -0.07, -0.02},
    {"BZG05C4V3", 4.3, 4.0, 4.6, 50, 13, 1, 500, 0, -0.07, -0.01},
    {"BZG05C4V7", 4.7, 4.4, 5.0, 45, 13, 1, 600, 0, -0.03, 0.04},
    {"BZG05C5V1", 5.1, 4.8, 5.4, 45, 10, 1, 500, 0, -0.01, 0.04},
    {"BZG05C5V6", 5.6, 5.2, 6.0, 45, 7, 1, 400, 0, 0, 0.045},
    {"BZG05C6V2", 6.2, 5.8, 6.6, 35, 4, 1, 300, 0, 0.01, 0.055},
    {"BZG05C6V8", 6.8, 6.4, 7.2, 35, 3.5, 1, 300, 0, 0.015, 0.06},
    {"BZG05C7V5", 7.5, 7.0, 7.9, 35, 3, 0.5, 200, 0, 0.02, 0.065},
    {"BZG05C8V2", 8.2, 7.7, 8.7, 25, 5, 0.5, 200, 0, 0.03, 0.07},
    {"BZG05C9V1", 9.1, 8.5, 9.6, 25, 5, 0.5, 200, 0, 0.035, 0.075},
    {"BZG05C10", 10, 9.4, 10.6, 25, 7, 0.5, 200, 0, 0.04, 0.08},
    {"BZG05C11", 11, 10.4, 11.6, 20, 8, 0.5, 300, 0, 0.045, 0.08},
};

// ON Semiconductor, "1N53 Series, 5 Watt Surmetic 40 Zener Voltage
// Regulators" (1N5333B/D, Rev. 15): Vz min and max at Izt, Izt, Zzt, Zzk at
// Izk, Izm, up to 10 V. From 11 V, Taiwan's TEL "1N5348B thru 1N5388B": Izt,
// Zzt, Zzk at 1 mA, B suffix for 5 %; its maximum current column could not be
// read, so there Izm is P / Vz max. From 33 V to 62 V Izt is LGE's
// "1N5333B-1N5388B" (revision 20170701-P1), whose Zzt agree with TEL's. From
// 68 V to 140 V Vz and Izt are Galaxy Electrical's "1N5348B-1N5388B"
// (document 0284007), whose Izt and Zzt from 11 V up are LGE's, TEL's and
// Motorola's figure for figure; Zzt and Zzk are TEL's, and no maximum current
// of these rows could be read, so Izm is P / Vz max as from 11 V. From 150 V
// to 200 V every figure, Izm too, is Motorola's "TVS/Zener Device Data",
// 5 Watt Surmetic 40 data sheet, page 6-135, whose impedances agree with
// TEL's.
constexpr FilaZener kN53[] = {
    {"1N5333B", 3.3, 3.14, 3.47, 380, 3, 1, 400, 1440, 0, 0},
    {"1N5334B", 3.6, 3.42, 3.78, 350, 2.5, 1, 500, 1320, 0, 0},
    {"1N5335B", 3.9, 3.71, 4.10, 320, 2, 1, 500, 1220, 0, 0},
    {"1N5336B", 4.3, 4.09, 4.52, 290, 2, 1, 500, 1100, 0, 0},
    {"1N5337B", 4.7, 4.47, 4.94, 260, 2, 1, 450, 1010, 0, 0},
    {"1N5338B", 5.1, 4.85, 5.36, 240, 1.5, 1, 400, 930, 0, 0},
    {"1N5339B", 5.6, 5.32, 5.88, 220, 1, 1, 400, 865, 0, 0},
    {"1N5340B", 6.0, 5.70, 6.30, 200, 1, 1, 300, 790, 0, 0},
    {"1N5341B", 6.2, 5.89, 6.51, 200, 1, 1, 200, 765, 0, 0},
    {"1N5342B", 6.8, 6.46, 7.14, 175, 1, 1, 200, 700, 0, 0},
    {"1N5343B", 7.5, 7.13, 7.88, 175, 1.5, 1, 200, 630, 0, 0},
    {"1N5344B", 8.2, 7.79, 8.61, 150, 1.5, 1, 200, 580, 0, 0},
    {"1N5345B", 8.7, 8.27, 9.14, 150, 2, 1, 200, 545, 0, 0},
    {"1N5346B", 9.1, 8.65, 9.56, 150, 2, 1, 150, 520, 0, 0},
    {"1N5347B", 10, 9.50, 10.5, 125, 2, 1, 125, 475, 0, 0},
    AlCinco("1N5348B", 11, 125, 2.5, 1, 125, 0),
    AlCinco("1N5349B", 12, 100, 2.5, 1, 125, 0),
    AlCinco("1N5350B", 13, 100, 2.5, 1, 100, 0),
    AlCinco("1N5351B", 14, 100, 2.5, 1, 75, 0),
    AlCinco("1N5352B", 15, 75, 2.5, 1, 75, 0),
    AlCinco("1N5353B", 16, 75, 2.5, 1, 75, 0),
    AlCinco("1N5354B", 17, 70, 2.5, 1, 75, 0),
    AlCinco("1N5355B", 18, 65, 2.5, 1, 75, 0),
    AlCinco("1N5356B", 19, 65, 3, 1, 75, 0),
    AlCinco("1N5357B", 20, 65, 3, 1, 75, 0),
    AlCinco("1N5358B", 22, 50, 3.5, 1, 75, 0),
    AlCinco("1N5359B", 24, 50, 3.5, 1, 100, 0),
    AlCinco("1N5360B", 25, 50, 4, 1, 110, 0),
    AlCinco("1N5361B", 27, 50, 5, 1, 120, 0),
    AlCinco("1N5362B", 28, 50, 6, 1, 130, 0),
    AlCinco("1N5363B", 30, 40, 8, 1, 140, 0),
    AlCinco("1N5364B", 33, 40, 10, 1, 150, 0),
    AlCinco("1N5365B", 36, 30, 11, 1, 160, 0),
    AlCinco("1N5366B", 39, 30, 14, 1, 170, 0),
    AlCinco("1N5367B", 43, 30, 20, 1, 190, 0),
    AlCinco("1N5368B", 47, 25, 25, 1, 210, 0),
    AlCinco("1N5369B", 51, 25, 27, 1, 230, 0),
    AlCinco("1N5370B", 56, 20, 35, 1, 280, 0),
    AlCinco("1N5371B", 60, 20, 40, 1, 350, 0),
    AlCinco("1N5372B", 62, 20, 42, 1, 400, 0),
    AlCinco("1N5373B", 68, 20, 44, 1, 500, 0),
    AlCinco("1N5374B", 75, 20, 45, 1, 620, 0),
    AlCinco("1N5375B", 82, 15, 65, 1, 720, 0),
    AlCinco("1N5376B", 87, 15, 75, 1, 760, 0),
    AlCinco("1N5377B", 91, 15, 75, 1, 760, 0),
    AlCinco("1N5378B", 100, 12, 90, 1, 800, 0),
    AlCinco("1N5379B", 110, 12, 125, 1, 1000, 0),
    AlCinco("1N5380B", 120, 10, 170, 1, 1150, 0),
    AlCinco("1N5381B", 130, 10, 190, 1, 1250, 0),
    AlCinco("1N5382B", 140, 8, 230, 1, 1500, 0),
    AlCinco("1N5383B", 150, 8, 330, 1, 1500, 31.6),
    AlCinco("1N5384B", 160, 8, 350, 1, 1650, 29.4),
    AlCinco("1N5385B", 170, 8, 380, 1, 1750, 28),
    AlCinco("1N5386B", 180, 5, 430, 1, 1750, 26.4),
    AlCinco("1N5387B", 190, 5, 450, 1, 1850, 25),
    AlCinco("1N5388B", 200, 5, 480, 1, 1850, 23.6),
};

// Microsemi, "SMBJ5333B thru SMBJ5388B" (SMB, DO-214AA): "equivalent to the
// JEDEC registered 1N5333 thru 1N5388B with identical electrical
// characteristics and testing". So its rows are the 1N53xxB's under their
// own numbers, from 5,1 V (SMBJ5338B), where Micro Commercial Components'
// "SMBJ5338B thru SMBJ5388B" (Rev. 3-1, 2019), whose thermal figures the
// family takes, begins.
constexpr std::size_t kLargoNumero = 16;
constexpr std::size_t kDesdeSMBJ = 5;  // 1N5338B
constexpr std::size_t kFilasSMBJ = std::size(kN53) - kDesdeSMBJ;

struct Numeros {
  char texto[kFilasSMBJ][kLargoNumero]{};
  std::size_t largo[kFilasSMBJ]{};
};

constexpr Numeros NumerosSMBJ() {
  constexpr std::string_view kDe = "1N";
  constexpr std::string_view kA = "SMBJ";
  Numeros n{};
  for (std::size_t i = 0; i < kFilasSMBJ; ++i) {
    const std::string_view resto = kN53[kDesdeSMBJ + i].numero.substr(kDe.size());
    std::size_t largo = 0;
    for (const char c : kA) n.texto[i][largo++] = c;
    for (const char c : resto) n.texto[i][largo++] = c;
    n.largo[i] = largo;
  }
  return n;
}
constexpr Numeros kNumerosSMBJ = NumerosSMBJ();

constexpr std::array<FilaZener, kFilasSMBJ> FilasSMBJ() {
  std::array<FilaZener, kFilasSMBJ> filas{};
  for (std::size_t i = 0; i < kFilasSMBJ; ++i) {
    filas[i] = kN53[kDesdeSMBJ + i];
    filas[i].numero = std::string_view(kNumerosSMBJ.texto[i], kNumerosSMBJ.largo[i]);
  }
  return filas;
}
constexpr std::array<FilaZener, kFilasSMBJ> kSMBJ53 = FilasSMBJ();

struct Termica {
  double rthKPorW, tjMaxC;
  std::string_view montaje, fuente;
};

template <typename Filas>
constexpr FamiliaZener FamiliaDeTabla(Familia familia, std::string_view nombre,
                                      Encapsulado encapsulado, double potenciaW, double rodillaC,
                                      std::string_view condicion, const Termica& t,
                                      bool conCoeficiente, const Filas& filas) {
  return {familia,        nombre,           encapsulado,     potenciaW, rodillaC,
          condicion,      t.rthKPorW,       t.tjMaxC,        t.montaje, t.fuente,
          conCoeficiente, std::data(filas), std::size(filas)};
}

template <typename T>
struct Nombre {
  std::string_view nombre;
  T valor;
};

constexpr Nombre<Familia> kNombresFamilias[] = {
    {"auto", Familia::Automatica}, {"BZX79", Familia::BZX79},   {"1N47", Familia::N47},
    {"1N53", Familia::N53},        {"MMSZ52", Familia::MMSZ52}, {"BZX84", Familia::BZX84},
    {"BZG05", Familia::BZG05},     {"SMBJ53", Familia::SMBJ53}};
constexpr Nombre<Montaje> kNombresMontajes[] = {
    {"cualquiera", Montaje::Cualquiera}, {"tht", Montaje::Tht}, {"smd", Montaje::Smd}};

template <typename T, std::size_t N>
std::optional<T> DeNombre(const Nombre<T> (&nombres)[N], std::string_view nombre) {
  for (const Nombre<T>& n : nombres) {
    if (n.nombre == nombre) return n.valor;
  }
  return std::nullopt;
}

template <typename T, std::size_t N>
std::string Nombres(const Nombre<T> (&nombres)[N], std::string_view separador) {
  std::string texto;
  for (const Nombre<T>& n : nombres) {
    texto += (texto.empty() ? "" : std::string(separador)) + std::string(n.nombre);
  }
  return texto;
}

// Two voltages closer than this are the same standard value.
constexpr double kIgualdadTension = 1e-6;

}  // namespace

const std::array<TablaSerie, 6> kSeries = {{
    Tabla(Serie::E6, "E6", 0.20, kE6),
    Tabla(Serie::E12, "E12", 0.10, kE12),
    Tabla(Serie::E24, "E24", 0.05, kE24),
    Tabla(Serie::E48, "E48", 0.02, kE48),
    Tabla(Serie::E96, "E96", 0.01, kE96),
    Tabla(Serie::E192, "E192", 0.005, kE192),
}};

// Vishay 20035: P70 and the limiting element voltage of each size. Chian
// Chia's MF sheet, version B/3, table 1: the maximum working voltage of each
// wattage.
const std::array<ResistenciaComercial, 15> kResistencias = {{
    {"CRCW0402", {"0402", Montaje::Smd}, 0.063, 50},
    {"CRCW0603", {"0603", Montaje::Smd}, 0.1, 75},
    {"CRCW0805", {"0805", Montaje::Smd}, 0.125, 150},
    {"MF1/8W", {"axial", Montaje::Tht}, 0.125, 150},
    {"CRCW1206", {"1206", Montaje::Smd}, 0.25, 200},
    {"MF1/4W", {"axial", Montaje::Tht}, 0.25, 250},
    {"CRCW1210", {"1210", Montaje::Smd}, 0.5, 200},
    {"MF1/2W", {"axial", Montaje::Tht}, 0.5, 300},
    {"CRCW2010", {"2010", Montaje::Smd}, 0.75, 400},
    {"CRCW1218", {"1218", Montaje::Smd}, 1, 200},
    {"CRCW2512", {"2512", Montaje::Smd}, 1, 500},
    {"MF1W", {"axial", Montaje::Tht}, 1, 350},
    {"MF2W", {"axial", Montaje::Tht}, 2, 500},
    {"MF3W", {"axial", Montaje::Tht}, 3, 500},
    {"MF5W", {"axial", Montaje::Tht}, 5, 500},
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

// The ratings and how hot the junction runs. Fairchild's BZX79C sheet: 500
// mW at 25 °C ambient less 4,0 mW/°C, that is 250 K/W to a 150 °C junction.
// Vishay 88304: 1 W at 50 °C ambient with the leads held at it 10 mm from the
// body, and Fairchild's 1N4728A sheet: 6,67 mW/°C less above 50 °C, that is
// 150 K/W to a 200 °C junction. ON Semiconductor's 1N53 sheet (Rev. 15): 5 W
// with the leads at 25 °C 3/8" from the body, 40 mW/°C less above it: a
// rating of the leads, not of a board. On a board, Microsemi's sheet of the
// same family (T4-LDS-0246) gives RθJA 85 °C/W on FR4 with 4 mm² pads and a
// 150 °C junction: about 1,47 W at 25 °C ambient.
// Vishay, "MMSZ5225-V to MMSZ5267-V" (document 85774, Rev. 1.6): 500 mW with
// the leads at 75 °C; RthJA 340 K/W on an FR-4 or FR-5 board with the
// minimum recommended pads, junction 150 °C, so about 370 mW at 25 °C
// ambient: below the BZX79-C's half watt, and first for that. Vishay,
// "BZX84-V-Series" (document 85763, Rev. 1.8): 300 mW at 25 °C ambient and
// RthJA 420 K/W on the sheet's fiberglass substrate layout, junction 150 °C.
// Vishay 85595 (Rev. 6), and the same figures in its successor "BZG05C-Series"
// (document 85893, Rev. 1.0): 1,25 W at 25 °C ambient where RthJA is below
// 100 K/W, which only its Al2O3 ceramic board gives; on an epoxy-glass board
// laid out as its Fig. 1b RthJA is 125 K/W, junction 150 °C, so 1 W at 25 °C
// ambient. That ties with the 1N47xxA; the SMA part comes after it, so a
// design the through-hole part takes keeps it.
// Micro Commercial Components, "SMBJ5338B thru SMBJ5388B" (Rev. 3-1, 2019):
// 5 W with the leads at 75 °C; RθJA 90 K/W with its suggested pad layout,
// junction 150 °C: about 1,39 W at 25 °C ambient, after the SMA part and
// before the 1N53xxB on its board.
const std::array<FamiliaZener, 7> kFamilias = {{
    FamiliaDeTabla(Familia::BZX84, "BZX84-C", {"SOT-23", Montaje::Smd}, 0.3, 25, "de ambiente",
                   {420, 150, "en el sustrato de fibra de vidrio de la hoja de datos",
                    "Vishay 85763 (Rev. 1.8): 300 mW, RthJA 420 K/W en fibra de vidrio"},
                   true, kBZX84),
    FamiliaDeTabla(Familia::MMSZ52, "MMSZ52xxB", {"SOD-123", Montaje::Smd}, 0.5, 75,
                   "en los terminales",
                   {340, 150, "en placa FR-4 o FR-5 con los pads mínimos recomendados",
                    "Vishay 85774 (Rev. 1.6): RthJA 340 K/W en FR-4 o FR-5, pads mínimos"},
                   false, kMMSZ52),
    FamiliaDeTabla(Familia::BZX79, "BZX79-C", {"DO-35", Montaje::Tht}, 0.5, 25, "de ambiente",
                   {250, 150, "en el aire, como la hoja de datos da su potencia",
                    "Fairchild, BZX79C: 500 mW a 25 °C, 4,0 mW/°C menos"},
                   true, kBZX79),
    FamiliaDeTabla(Familia::N47, "1N47xxA", {"DO-41", Montaje::Tht}, 1, 50,
                   "de ambiente, con los terminales a esa temperatura a 10 mm del cuerpo",
                   {150, 200, "con los terminales a la temperatura ambiente a 10 mm del cuerpo",
                    "Vishay 88304 y Fairchild 1N4728A (Rev. G2): 1 W a 50 °C, 6,67 mW/°C menos"},
                   false, kN47),
    FamiliaDeTabla(Familia::BZG05, "BZG05C", {"SMA (DO-214AC)", Montaje::Smd}, 1.25, 25,
                   "de ambiente, con RthJA por debajo de 100 K/W",
                   {125, 150, "en placa de fibra de vidrio y epoxi como su fig. 1b",
                    "Vishay 85595 (Rev. 6): RthJA 125 K/W en fibra de vidrio y epoxi, fig. 1b"},
                   true, kBZG05),
    FamiliaDeTabla(Familia::SMBJ53, "SMBJ53xxB", {"SMB (DO-214AA)", Montaje::Smd}, 5, 75,
                   "en los terminales, en el plano de montaje",
                   {90, 150, "con los pads que sugiere su hoja de datos",
                    "MCC SMBJ5338B-SMBJ5388B (Rev. 3-1): RθJA 90 °C/W, unión hasta 150 °C"},
                   false, kSMBJ53),
    FamiliaDeTabla(Familia::N53, "1N53xxB", {"axial, Surmetic 40", Montaje::Tht}, 5, 25,
                   "en los terminales a 9,5 mm (3/8\") del cuerpo",
                   {85, 150, "en placa FR4 con pads de 4 mm²",
                    "Microsemi T4-LDS-0246: RθJA 85 °C/W en FR4 con pads de 4 mm²"},
                   false, kN53),
}};

const FamiliaZener& FamiliaDe(Familia familia) {
  return *std::find_if(kFamilias.begin(), kFamilias.end(),
                       [familia](const FamiliaZener& f) { return f.familia == familia; });
}

// The short name, or the name the reports give: a report's options read back.
std::optional<Familia> FamiliaDeNombre(std::string_view nombre) {
  if (const auto familia = DeNombre(kNombresFamilias, nombre)) return familia;
  if (nombre == kNombreAutomatica) return Familia::Automatica;
  const auto it = std::find_if(kFamilias.begin(), kFamilias.end(),
                               [nombre](const FamiliaZener& f) { return f.nombre == nombre; });
  return it == kFamilias.end() ? std::nullopt : std::optional<Familia>(it->familia);
}

std::string NombresDeFamilias(std::string_view separador) {
  return Nombres(kNombresFamilias, separador);
}

std::optional<Montaje> MontajeDeNombre(std::string_view nombre) {
  return DeNombre(kNombresMontajes, nombre);
}

std::string_view NombreDeMontaje(Montaje montaje) {
  for (const Nombre<Montaje>& n : kNombresMontajes) {
    if (n.valor == montaje) return n.nombre;
  }
  return {};
}

std::string NombresDeMontajes(std::string_view separador) {
  return Nombres(kNombresMontajes, separador);
}

bool SePrueba(const FamiliaZener& familia, const OpcionesDiseno& opciones) {
  const bool suFamilia =
      opciones.familia == Familia::Automatica || opciones.familia == familia.familia;
  return suFamilia && EsDelMontaje(opciones.montaje, familia.encapsulado.montaje);
}

bool EsDelMontaje(Montaje pedido, Montaje pieza) {
  return pedido == Montaje::Cualquiera || pedido == pieza;
}

// The rows ascend in voltage: the first not below the voltage, less the
// allowance, is the only one that may match.
const FilaZener* FilaDeTension(const FamiliaZener& familia, double vz) {
  const FilaZener* fin = familia.filas + familia.cuantas;
  const FilaZener* fila =
      std::lower_bound(familia.filas, fin, vz, [](const FilaZener& f, double v) {
        return f.vz < v && std::fabs(f.vz - v) > kIgualdadTension * f.vz;
      });
  return fila != fin && std::fabs(fila->vz - vz) <= kIgualdadTension * fila->vz ? fila : nullptr;
}

std::string_view FuenteDeResistencia(const ResistenciaComercial& resistencia) {
  return resistencia.encapsulado.montaje == Montaje::Smd
             ? "Vishay D/CRCW e3, documento 20035 (23-abr-2021)"
             : "Chian Chia, Metal Film Fixed Resistor, versión B/3, tabla 1";
}

bool ChipDisponible(double rOhm, double tolR) {
  constexpr double kUnoPorCiento = 0.01;
  constexpr double kCincoPorCiento = 0.05;
  // Three digits, whatever the rounding of the logarithm at a power of ten.
  long mantisa = std::lround(rOhm / std::pow(10, std::floor(std::log10(rOhm))) * kCentesimas);
  while (mantisa >= 10 * kCentesimas) mantisa = std::lround(mantisa / 10.0);
  while (mantisa > 0 && mantisa < kCentesimas) mantisa *= 10;
  auto en = [mantisa](const auto& serie) {
    return std::find(std::begin(serie), std::end(serie), mantisa) != std::end(serie);
  };
  if (tolR >= kCincoPorCiento && en(kE24)) return true;
  return tolR >= kUnoPorCiento && (en(kE24) || en(kE96));
}

double FactorResistencia(double temperaturaC) {
  if (temperaturaC <= kRodillaResistenciaC) return 1;
  const double factor =
      (kMaximaResistenciaC - temperaturaC) / (kMaximaResistenciaC - kRodillaResistenciaC);
  return std::max(factor, 0.0);
}

double PotenciaAdmisibleW(const FamiliaZener& familia, double temperaturaC) {
  const double hastaElMaximo = (familia.tjMaxC - temperaturaC) / familia.rthKPorW;
  return std::clamp(hastaElMaximo, 0.0, familia.potenciaW);
}

double TemperaturaUnion(const FamiliaZener& familia, double ambienteC, double potenciaW) {
  return ambienteC + potenciaW * familia.rthKPorW;
}

double IzMaxAdmisibleMa(const FamiliaZener& familia, const FilaZener& fila, double temperaturaC) {
  const double potencia = PotenciaAdmisibleW(familia, temperaturaC);
  if (fila.izmMa > 0) return fila.izmMa * potencia / familia.potenciaW;
  return potencia / fila.vzMax * kMiliPorUnidad;
}

}  // namespace zener
