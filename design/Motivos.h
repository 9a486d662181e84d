// Why a design cannot be built, what to look out for when it can, and why
// it has no regulation figures: as data, with the figures each needs. The
// solver only states them; the reports put them in words (TextoDe), so that
// a batch row pays for the words of what it writes, never for those of the
// parts it tried and left.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zener {

enum class Serie;
enum class Familia;
enum class Montaje;
struct FilaZener;
struct FamiliaZener;
struct ResistenciaComercial;
struct FilaTransistor;

namespace motivo {

// A rule of the window fails: its message.
struct Regla {
  std::string_view mensaje;
};
struct OpcionesNoValidas {
  std::string error;
};
// A figure overflowed or gave what no label shows.
struct FueraDeRango {};
// No row of that voltage in the families the options try.
struct SinFila {
  double vz;
  Familia familia;
  Montaje montaje;
};
// Rows of that voltage, none within the tolerance asked for.
struct SinTolerancia {
  double vz, tolVz;
};
struct FueraDeTolerancia {
  const FilaZener* fila;
  double tolVz;
};
// A part that cannot take the worst case with the load disconnected: its
// power (W, before the margin) or its maximum current (mA), against what it
// admits at the hottest ambient.
struct NoBasta {
  const FilaZener* fila;
  bool porPotencia;
  double margen, necesita, admite, temperaturaC;
  bool cargaFija;  // the worst case at the load's least, which stays connected
};
struct SinValorDeSerie {
  Serie serie;
};
// The resistor given keeps less than IzMin, or less than the part's Izk.
struct RDadaNoBasta {
  double rOhm, izMinMa, izRequeridaMa, izMin;
};
// No resistor of the mounting takes the voltage across it: the one that
// takes the most, and how many of which part in series would share it, with
// the power, if so many as the tool names would.
struct SinResistencia {
  Montaje montaje;
  double tensionV;
  const ResistenciaComercial* mayor;
  int enSerie;  // 0: not even the most the tool names
  const ResistenciaComercial* enSerieTipo;
};
// Past the largest resistor of the mounting; chips may have been left out for
// their voltage.
struct ResistenciaInsuficiente {
  Montaje montaje;
  double necesariaW;
  const ResistenciaComercial* mayor;
  double admiteW, temperaturaC;
  bool porTension;
  double tensionV;
};

// The follower's transistor cannot carry the load: past its current, past
// what its sheet bounds (the gain, Vbe, below 25 °C), past its Vceo, or past
// the power it takes in free air and on any heatsink it takes.
struct TransistorSinCorriente {
  const FilaTransistor* fila;
  double icA, maximoA;
};
struct TransistorSinDato {
  enum Dato { Ganancia, Vbe, Temperatura, GananciaMaxima };
  const FilaTransistor* fila;
  Dato dato;
  double icA, frioC;
};
struct TransistorSinTension {
  const FilaTransistor* fila;
  double vceV;
};
struct TransistorNoBasta {
  const FilaTransistor* fila;
  double margen, potenciaW, admiteW, temperaturaC;
  bool admiteDisipador;
};

// Warnings.
struct SinDeriva {};
struct MontajesMezclados {};
struct SinLimiteDeCorriente {};
struct SinVbeMinima {};
struct AreaSeguraSinLeer {
  const FilaTransistor* fila;
  double vceV, icA;
};  // without a part, the band has no drift
struct IzkSobreIzMin {
  const FilaZener* fila;
};
struct SinCoeficiente {
  const FamiliaZener* familia;
  double tjC;
};
struct ChipNoDisponible {
  const ResistenciaComercial* resistencia;
  double rOhm, tolR;
};

// Why there are no regulation figures.
struct SinImpedancia {};
struct BajoIzk {
  double izMinMa, izkMa;
};

}  // namespace motivo

using Motivo =
    std::variant<motivo::Regla, motivo::OpcionesNoValidas, motivo::FueraDeRango, motivo::SinFila,
                 motivo::SinTolerancia, motivo::FueraDeTolerancia, motivo::NoBasta,
                 motivo::SinValorDeSerie, motivo::RDadaNoBasta, motivo::SinResistencia,
                 motivo::ResistenciaInsuficiente, motivo::TransistorSinCorriente,
                 motivo::TransistorSinDato, motivo::TransistorSinTension, motivo::TransistorNoBasta,
                 motivo::SinDeriva, motivo::MontajesMezclados, motivo::SinLimiteDeCorriente,
                 motivo::SinVbeMinima, motivo::AreaSeguraSinLeer, motivo::IzkSobreIzMin,
                 motivo::SinCoeficiente, motivo::ChipNoDisponible, motivo::SinImpedancia,
                 motivo::BajoIzk>;

// As the reports say it, in one line.
std::string TextoDe(const Motivo& motivo);
// The design's verdict in one line: buildable with which parts, or the one
// promise that blocks its best candidate, with its figures.
std::string LineaDeVeredicto(const struct Diseno& diseno);
std::vector<std::string> TextosDe(const std::vector<Motivo>& motivos);

}  // namespace zener
