#include "design/Transistores.h"

namespace zener {

namespace {

// Where two sheets disagree the stricter figure is taken: the lower of two
// ratings or gain minima, the higher of two thermal resistances, leakages or
// gain maxima (the design must hold at both ends of the gain's range).
//
// No figure of any sheet could be read: the text of the sheets holds their
// axes and labels, not their curves. So the gain's temperature ratio, the
// Vbe coefficient and the safe-operating-area corners are null throughout,
// each sheet's comment saying what it draws.

constexpr AreaSegura kSoaSinLeer = {LineaDc::SinLeer, nullptr, 0};

constexpr Deriva kSinDeriva = {std::nullopt, std::nullopt};

constexpr std::string_view kDeAmbiente = "de ambiente";
constexpr std::string_view kEnLaCapsula = "en la cápsula";

// The absolute maxima and the power's rating, and how hot the junction gets.
struct Limites {
  double vceoV, icMaxA, potenciaW, rodillaC;
  std::string_view condicion;
  double tjMaxC;
};

struct Termica {
  std::string_view montaje;
  double rthJaKPorW;
  std::optional<double> rthJcKPorW, rthCsKPorW;
};

// onsemi, "BC337, BC337-25, BC337-40 Amplifier Transistors" (BC337/D,
// Rev. 8, November 2013), at 25 °C, VCE = 1 V: hFE at 100 mA (the -40's 630
// maximum, where ST's "BC337-25/BC337-40" (March 2003) and NXP's BC337 sheet
// give 600) and at 300 mA; VBE(on) at most 1.2 V at 300 mA (ST's 1.2 V is at
// 500 mA); IEBO 100 nA at VEB = 4 V (ST: 100 nA at 5 V). No minimum Vbe.
constexpr PuntoGanancia kGananciaBC337_25[] = {
    {0.1, 1, 160, 400},
    {0.3, 1, 60, std::nullopt},
};
constexpr PuntoGanancia kGananciaBC337_40[] = {
    {0.1, 1, 250, 630},
    {0.3, 1, 60, std::nullopt},
};
constexpr LimiteVbe kVbeBC337 = {1.2, 0.3, 1};
constexpr CorteEmisor kIeboBC337 = {100e-9, 4, 25};

// Philips, SPICE library of its small-signal transistors (phil_bjt.lib,
// 21 November 1996), QBC337-25/PLP and QBC337-40/PLP. XTB is 0 there, as for
// every part of that library read.
constexpr ModeloSpice kSpiceBC337_25 = {
    "Philips, biblioteca SPICE de transistores de pequeña señal (1996), QBC337-25/PLP",
    4.13e-14,
    292.4,
    0.9822,
    3,
    1.11,
    std::nullopt};
constexpr ModeloSpice kSpiceBC337_40 = {
    "Philips, biblioteca SPICE de transistores de pequeña señal (1996), QBC337-40/PLP",
    7.809e-14,
    436.8,
    0.9916,
    3,
    1.11,
    std::nullopt};

// TO-92 ratings. Continuous Ic: onsemi and Fairchild rate 800 mA, ST and NXP
// 500 mA. 625 mW at 25 °C ambient, 5.0 mW/°C less (onsemi, Fairchild), RθJA
// 200 K/W and a 150 °C junction (onsemi's and ST's thermal tables);
// Fairchild, "BC337/BC338" (Rev. 1.5, 2015), states it on a 76 x 114 x
// 1.57 mm FR-4 board with the minimum land pattern. onsemi's Fig. 1 prints
// 375 °C/W beside an RθJC of 100 °C/W, where its own table and the other
// sheets give 200 and 83.3: a transient plot's normalisation, not taken.
// No heatsink: the 83.3 K/W junction-to-case figure is to the body, which
// has no tab, and no case-to-sink figure for it could be cited.
// Temperature: onsemi's Fig. 3 draws the gain at 25 °C and 135 °C only, so
// no colder curve; its Fig. 6 draws the Vbe coefficient, not read.
// Safe operating area: onsemi's Fig. 2 draws a DC line at TA and at TC =
// 25 °C, not read.
constexpr Limites kLimitesBC337 = {45, 0.5, 0.625, 25, kDeAmbiente, 150};
constexpr Termica kTermicaTO92 = {"en placa FR-4 de 76 × 114 × 1,57 mm con las islas mínimas", 200,
                                  std::nullopt, std::nullopt};
constexpr std::string_view kFuenteBC337 =
    "onsemi BC337/D (Rev. 8, 2013); ST BC337-25/BC337-40 (2003); Fairchild BC337/BC338 (Rev. 1.5)";

// ST, "BD135/BD139" (September 2001, and Rev 5 of May 2008); onsemi,
// "BD135G, BD137G, BD139G" (BD135/D); Fairchild, "BD135/137/139" (Rev. A,
// February 2000), all at VCE = 2 V: hFE at least 25 at 5 mA and at 0.5 A,
// the -16 group 100 to 250 at 150 mA (Central's BD139 sheet gives 40 at
// 5 mA); VBE at most 1 V at 0.5 A; IEBO 10 µA at VEB = 5 V (Central: 100 nA).
constexpr PuntoGanancia kGananciaBD139_16[] = {
    {0.005, 2, 25, std::nullopt},
    {0.15, 2, 100, 250},
    {0.5, 2, 25, std::nullopt},
};
constexpr LimiteVbe kVbeBD139 = {1, 0.5, 2};
constexpr CorteEmisor kIeboBD139 = {10e-6, 5, 25};

// Fairchild's BD139 model (mfg fairchild, as models/bjt/npn/bd139.mod of
// madmpro/spice-workspace keeps it), the ungraded part's.
constexpr ModeloSpice kSpiceBD139 = {
    "Fairchild, modelo SPICE del BD139", 2.3985e-13, 244.9, 1.0, 3.0, 1.2105, 1.1398};

// TO-126: 12.5 W with the case at 25 °C, 1.25 W at 25 °C ambient (ST,
// onsemi, Fairchild); RθJC 10 K/W (ST, onsemi; Central gives the same to the
// mounting base) and RθJA 100 K/W in free air (onsemi; Comset
// "in free air"); junction 150 °C. No case-to-sink figure for the TO-126
// with compound could be read (Philips' mounting instructions for it give
// one, in a table whose text was lost), so no heatsink is offered.
// Temperature: onsemi's Fig. 1 draws the gain at -55, 25 and 150 °C, not
// read. Safe operating area: onsemi's Fig. 6 and Fairchild's Fig. 3 draw a
// DC line, not read.
constexpr std::string_view kMontajeAire = "en el aire libre, sin disipador";
constexpr Limites kLimitesBD139 = {80, 1.5, 12.5, 25, kEnLaCapsula, 150};
constexpr Termica kTermicaTO126 = {kMontajeAire, 100, 10, std::nullopt};

// onsemi, "TIP31, TIP31A, TIP31B, TIP31C (NPN)..." (TIP31A/D), at 25 °C,
// VCE = 4 V: hFE at least 25 at 1 A and 10 to 50 at 3 A; VBE(on) at most
// 1.8 V at 3 A; IEBO 1 mA at VEB = 5 V.
constexpr PuntoGanancia kGananciaTIP31C[] = {
    {1, 4, 25, std::nullopt},
    {3, 4, 10, 50},
};
constexpr LimiteVbe kVbeTIP31C = {1.8, 3, 4};
constexpr CorteEmisor kIeboTIP31C = {1e-3, 5, 25};

// Texas Instruments' TIP31C model (MFG TEXAS, as models/bjt/npn/tip31c.mod
// of madmpro/spice-workspace keeps it).
constexpr ModeloSpice kSpiceTIP31C = {
    "Texas Instruments, modelo SPICE del TIP31C", 1.62181e-13, 83.6, 0.9899, 3, 1.1605, 1.5301};

// TO-220: 40 W with the case at 25 °C, 0.32 W/°C less, and 2 W at 25 °C
// ambient (onsemi; ST "TIP31A/31C" of October 1999 alike); RθJC 3.125 K/W
// (onsemi; ST 3.12) and RθJA 62.5 K/W (ST; onsemi's 2 W); junction 150 °C.
// Case to sink: 1 K/W without insulator, with Thermalcote silicone grease,
// from Thermalloy's catalogue (p. 57, Fig. 9, as a published lecture quotes
// it); Micro Electronics' ML7800 sheet gives 0.3 to 0.4 K/W for a TO-220
// with mica and grease, so 1 K/W is on the safe side.
// Temperature: onsemi's Fig. 8 draws the gain at -55, 25 and 150 °C and its
// Fig. 11 the Vbe coefficient, not read. Safe operating area: onsemi's
// Fig. 5 names single pulses of 100 µs, 1 ms and 5 ms and the
// secondary-breakdown limit, no DC line, but a DC line can only lie under
// those; ST's figure could not be read either.
constexpr Limites kLimitesTIP31C = {100, 3, 40, 25, kEnLaCapsula, 150};
constexpr Termica kTermicaTO220 = {kMontajeAire, 62.5, 3.125, 1};

// Diodes Incorporated, "BC817-16/-25/-40" (DS11107), at 25 °C, VCE = 1 V:
// hFE at 100 mA and at 300 mA; VBE at most 1.2 V at 300 mA; IEBO 100 nA at
// VEB = 4 V. Diotec, "BC817 ... BC818" (2017-08-15): hFE at least 40 at
// 500 mA, and 630 as the -40's maximum at 100 mA, where Diodes and Nexperia
// ("BC817 series", Rev. 8, 2022) give 600.
constexpr PuntoGanancia kGananciaBC817_25[] = {
    {0.1, 1, 160, 400},
    {0.3, 1, 100, std::nullopt},
    {0.5, 1, 40, std::nullopt},
};
constexpr PuntoGanancia kGananciaBC817_40[] = {
    {0.1, 1, 250, 630},
    {0.3, 1, 170, std::nullopt},
    {0.5, 1, 40, std::nullopt},
};
constexpr LimiteVbe kVbeBC817 = {1.2, 0.3, 1};
constexpr CorteEmisor kIeboBC817 = {100e-9, 4, 25};

// Philips' models of the same library, as models/bjt/npn/bc817-25.mod and
// bc817-40.mod (mfg Philips) of madmpro/spice-workspace keep them; XTB 0.
constexpr ModeloSpice kSpiceBC817_25 = {
    "Philips, modelo SPICE del BC817-25", 9.198e-14, 338.8, 1.003, 3, 1.11, std::nullopt};
constexpr ModeloSpice kSpiceBC817_40 = {
    "Philips, modelo SPICE del BC817-40", 6.286e-14, 416.3, 0.9917, 3, 1.11, std::nullopt};

// SOT-23: continuous Ic 500 mA (Nexperia, Diodes' BC817-xxQ; Diodes' older
// sheet and Diotec rate 800 mA). 310 mW at 25 °C ambient (Diotec; Diodes on
// its minimum recommended pads) and RθJA below 420 K/W with 3 mm² of copper
// at each terminal (Diotec), where Diodes gives 403 K/W on its minimum pads;
// junction 150 °C. Semtech's "BC817/BC818" gives 500 K/W with 200 mW and no
// mounting, so it is not comparable; Nexperia's thermal table could not be
// read. No gain or Vbe curve of these sheets could be read, nor whether they
// draw a safe operating area.
constexpr Limites kLimitesBC817 = {45, 0.5, 0.31, 25, kDeAmbiente, 150};
constexpr Termica kTermicaSOT23 = {"en placa con 3 mm² de cobre en cada terminal", 420,
                                   std::nullopt, std::nullopt};
constexpr std::string_view kFuenteBC817 =
    "Diodes BC817-16/-25/-40 (DS11107); Diotec BC817 ... BC818 (2017-08-15); Nexperia BC817 "
    "(Rev. 8)";

// Philips, "BCP54; BCP55; BCP56" (1999 Apr 08; issue of 2003 Feb 06 for
// RθJA), at 25 °C, VCE = 2 V: the -16 group 100 to 250 at 150 mA; VBE at most
// 1 V at 0.5 A. At 5 mA and 0.5 A Philips and NXP's "BCP56; BCX56; BC56PA"
// (Rev. 9, 2011) give at least 63 and 40, Infineon's "BCP54...BCP56" (2001)
// 25 and 25 (Zetex's BCP56, Issue 3 of 1995: 25 at 0.5 A). IEBO: 10 µA at
// VEB = 5 V (Zetex, Siemens), where Philips and NXP give 100 nA.
constexpr PuntoGanancia kGananciaBCP56_16[] = {
    {0.005, 2, 25, std::nullopt},
    {0.15, 2, 100, 250},
    {0.5, 2, 25, std::nullopt},
};
constexpr LimiteVbe kVbeBCP56 = {1, 0.5, 2};
constexpr CorteEmisor kIeboBCP56 = {10e-6, 5, 25};

// SOT-223: 1.33 W at 25 °C ambient and RθJA 94 K/W on a single-sided board
// with 1 cm² of collector pad (Philips); Ic 1 A; junction 150 °C. Philips'
// 13 K/W to the soldering point is the copper's path, already in RθJA, not a
// heatsink's. No SPICE model of the maker's could be found; no curve read.
constexpr Limites kLimitesBCP56 = {80, 1, 1.33, 25, kDeAmbiente, 150};
constexpr Termica kTermicaSOT223 = {"en placa de una cara con 1 cm² de cobre en el colector", 94,
                                    std::nullopt, std::nullopt};
constexpr std::string_view kFuenteBCP56 =
    "Philips BCP54; BCP55; BCP56 (1999, 2003); Infineon BCP54...BCP56 (2001); NXP BCP56 (Rev. 9)";

// No sheet read gives a minimum Vbe or IEBO when hot, and none of their
// curves could be read: those figures are null in every row.
template <std::size_t N>
constexpr FilaTransistor Fila(std::string_view numero, Encapsulado encapsulado,
                              std::string_view fuente, const Limites& l, const Termica& t,
                              const PuntoGanancia (&ganancia)[N], LimiteVbe vbeOnMax,
                              CorteEmisor iebo, std::optional<ModeloSpice> spice) {
  return {numero,       encapsulado, t.montaje,   fuente,     l.vceoV,      l.icMaxA,
          l.potenciaW,  l.rodillaC,  l.condicion, l.tjMaxC,   t.rthJaKPorW, t.rthJcKPorW,
          t.rthCsKPorW, ganancia,    N,           vbeOnMax,   std::nullopt, iebo,
          std::nullopt, kSinDeriva,  spice,       kSoaSinLeer};
}

}  // namespace

const std::array<FilaTransistor, 7> kTransistores = {{
    Fila("BC337-25", {"TO-92", Montaje::Tht}, kFuenteBC337, kLimitesBC337, kTermicaTO92,
         kGananciaBC337_25, kVbeBC337, kIeboBC337, kSpiceBC337_25),
    Fila("BC337-40", {"TO-92", Montaje::Tht}, kFuenteBC337, kLimitesBC337, kTermicaTO92,
         kGananciaBC337_40, kVbeBC337, kIeboBC337, kSpiceBC337_40),
    Fila("BD139-16", {"TO-126", Montaje::Tht},
         "ST BD135/BD139 (2001, Rev 5 2008); onsemi BD135/D; Fairchild BD135/137/139 (Rev. A)",
         kLimitesBD139, kTermicaTO126, kGananciaBD139_16, kVbeBD139, kIeboBD139, kSpiceBD139),
    Fila("TIP31C", {"TO-220", Montaje::Tht}, "onsemi TIP31A/D; ST TIP31A/31C (1999)",
         kLimitesTIP31C, kTermicaTO220, kGananciaTIP31C, kVbeTIP31C, kIeboTIP31C, kSpiceTIP31C),
    Fila("BC817-25", {"SOT-23", Montaje::Smd}, kFuenteBC817, kLimitesBC817, kTermicaSOT23,
         kGananciaBC817_25, kVbeBC817, kIeboBC817, kSpiceBC817_25),
    Fila("BC817-40", {"SOT-23", Montaje::Smd}, kFuenteBC817, kLimitesBC817, kTermicaSOT23,
         kGananciaBC817_40, kVbeBC817, kIeboBC817, kSpiceBC817_40),
    Fila("BCP56-16", {"SOT-223", Montaje::Smd}, kFuenteBCP56, kLimitesBCP56, kTermicaSOT223,
         kGananciaBCP56_16, kVbeBCP56, kIeboBCP56, std::nullopt),
}};

const FilaTransistor* TransistorDeNombre(std::string_view numero) {
  for (const FilaTransistor& fila : kTransistores) {
    if (fila.numero == numero) return &fila;
  }
  return nullptr;
}

std::string NombresDeTransistores(std::string_view separador) {
  std::string texto;
  for (const FilaTransistor& fila : kTransistores) {
    if (!texto.empty()) texto += separador;
    texto += fila.numero;
  }
  return texto;
}

}  // namespace zener
