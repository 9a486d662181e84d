// Every figure a design states, described once: the reports, the JSON, the
// batch's columns, the deck and the tests all read a design's figures
// through this table, whichever circuit states them.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

namespace zener {

enum class Figura : std::uint8_t {
  RExacta,
  RNominal,
  RMin,
  RMax,
  VzBaja,
  VzAlta,
  IzMin,
  IzMax,
  PR,
  PRNominal,
  PZSinCarga,
  PZConIcMin,
  PZNominal,
  VoutMin,
  VoutMax,
  VoutNominal,
  TjZener,
  VRMax,
  VbMin,
  VbMax,
  IbMax,
  HfeMin,
  VbeMin,
  VbeMax,
  VceMax,
  PTransistor,
  TjTransistor,
  DisipadorRth,
  IzRequerida,
  FactorR,
  PZAdmisible,
  IzMaxAdmisible,
  TjLimiteZener,
  VRLimite,
  PTransistorAdmisible,
  TjSinDisipador,
  TjLimiteTransistor,
  VceoTransistor,
  Zz,
  ZzDesde,
  ZzHasta,
  Zp,
  Linea,
  Carga,
  RizadoDb,
  RizadoSalida,
  Rendimiento,
};
inline constexpr std::size_t kCuantasFiguras = static_cast<std::size_t>(Figura::Rendimiento) + 1;

// Where a figure belongs: to the design, to each resistor value of the
// worst-case table (the chosen one and its neighbours), or to the
// regulation, which the JSON nests.
enum class Grupo : std::uint8_t { Diseno, PorResistencia, Regulacion };

// A rating's decimals in the batch: as its datasheet writes it, 1,25 W.
inline constexpr int kComoLaHoja = -1;

// What a figure is held against: nothing; another figure from below or from
// above; or from above once multiplied by the power margin.
enum class Cota : std::uint8_t { Ninguna, Minimo, Maximo, MaximoConMargen };

struct DescripcionFigura {
  Figura figura;
  std::string_view clave;    // in the JSON
  std::string_view columna;  // in the batch; empty where it has none
  int decimalesHoja;         // in the batch
  std::string_view nombre;   // in the reports: "Iz mín"
  std::string_view unidad;   // "mA"
  int decimales;             // in the reports
  Grupo grupo;
  Cota cota = Cota::Ninguna;
  Figura limite = Figura::RExacta;  // with a bound: the figure it is held against
};

// In the order of the batch's columns and of the JSON's keys.
inline constexpr std::array<DescripcionFigura, kCuantasFiguras> kFiguras = {{
    {Figura::RExacta, "r_exacta_ohm", "R_exacta_ohm", 2, "R exacta", "Ω", 2, Grupo::Diseno},
    {Figura::RNominal, "r_normalizada_ohm", "R_ohm", 2, "R", "Ω", 2, Grupo::PorResistencia},
    {Figura::RMin, "r_min_ohm", "R_min_ohm", 2, "R mín", "Ω", 2, Grupo::Diseno},
    {Figura::RMax, "r_max_ohm", "R_max_ohm", 2, "R máx", "Ω", 2, Grupo::Diseno},
    {Figura::VzBaja, "vz_min_v", "Vz_min_V", 3, "Vz baja", "V", 3, Grupo::Diseno},
    {Figura::VzAlta, "vz_max_v", "Vz_max_V", 3, "Vz alta", "V", 3, Grupo::Diseno},
    {Figura::IzMin, "iz_min_peor_ma", "Iz_min_peor_mA", 3, "Iz mín", "mA", 2, Grupo::PorResistencia,
     Cota::Minimo, Figura::IzRequerida},
    {Figura::IzMax, "iz_max_peor_ma", "Iz_max_peor_mA", 3, "Iz máx", "mA", 2, Grupo::PorResistencia,
     Cota::Maximo, Figura::IzMaxAdmisible},
    {Figura::PR, "p_r_peor_w", "P_R_peor_W", 4, "P R", "W", 3, Grupo::PorResistencia},
    {Figura::PRNominal, "p_r_nominal_w", "P_R_W", kComoLaHoja, "Potencia de la resistencia", "W", 3,
     Grupo::Diseno},
    {Figura::PZSinCarga, "pz_sin_carga_peor_w", "Pz_sin_carga_peor_W", 4, "P Z sin carga", "W", 3,
     Grupo::PorResistencia, Cota::MaximoConMargen, Figura::PZAdmisible},
    {Figura::PZConIcMin, "pz_ic_min_peor_w", "Pz_ic_min_peor_W", 4, "P Z con la carga mínima", "W",
     3, Grupo::PorResistencia},
    {Figura::PZNominal, "zener_potencia_w", "Pz_W", kComoLaHoja, "Potencia del zener", "W", 2,
     Grupo::Diseno},
    {Figura::VoutMin, "vout_min_v", "Vout_min_V", 3, "Vout mín", "V", 3, Grupo::PorResistencia},
    {Figura::VoutMax, "vout_max_v", "Vout_max_V", 3, "Vout máx", "V", 3, Grupo::PorResistencia},
    {Figura::VoutNominal, "vout_nominal_v", "Vout_nominal_V", 3, "Vout nominal", "V", 3,
     Grupo::Diseno},
    {Figura::TjZener, "tj_max_c", "Tj_max_C", 1, "Tj del zener", "°C", 1, Grupo::Diseno,
     Cota::Maximo, Figura::TjLimiteZener},
    {Figura::VRMax, "v_r_max_v", "V_R_max_V", 2, "V R máx", "V", 2, Grupo::Diseno, Cota::Maximo,
     Figura::VRLimite},
    {Figura::VbMin, "vb_min_v", "Vb_min_V", 3, "Vb mín", "V", 3, Grupo::PorResistencia},
    {Figura::VbMax, "vb_max_v", "Vb_max_V", 3, "Vb máx", "V", 3, Grupo::PorResistencia},
    {Figura::IbMax, "ib_max_ma", "Ib_max_mA", 3, "Ib máx", "mA", 2, Grupo::Diseno},
    {Figura::HfeMin, "hfe_min", "hFE_min", 1, "hFE mín", "", 1, Grupo::Diseno},
    {Figura::VbeMin, "vbe_min_v", "Vbe_min_V", 3, "Vbe mín", "V", 3, Grupo::Diseno},
    {Figura::VbeMax, "vbe_max_v", "Vbe_max_V", 3, "Vbe máx", "V", 3, Grupo::Diseno},
    {Figura::VceMax, "vce_max_v", "Vce_max_V", 2, "Vce máx", "V", 2, Grupo::Diseno, Cota::Maximo,
     Figura::VceoTransistor},
    {Figura::PTransistor, "p_transistor_w", "P_Q_peor_W", 4, "P Q", "W", 3, Grupo::Diseno,
     Cota::MaximoConMargen, Figura::PTransistorAdmisible},
    {Figura::TjTransistor, "tj_transistor_c", "Tj_Q_C", 1, "Tj del transistor", "°C", 1,
     Grupo::Diseno, Cota::Maximo, Figura::TjLimiteTransistor},
    {Figura::DisipadorRth, "disipador_rth_k_w", "Disipador_K_W", 2, "RθSA del disipador", "K/W", 2,
     Grupo::Diseno},
    {Figura::IzRequerida, "iz_requerida_ma", "", 0, "Iz requerida", "mA", 2, Grupo::Diseno},
    {Figura::FactorR, "p_r_factor_temperatura", "", 0, "Factor de la resistencia", "", 3,
     Grupo::Diseno},
    {Figura::PZAdmisible, "zener_potencia_admisible_w", "", 0, "P Z admisible", "W", 3,
     Grupo::Diseno},
    {Figura::IzMaxAdmisible, "zener_iz_max_ma", "", 0, "Iz máx admisible", "mA", 2, Grupo::Diseno},
    {Figura::TjLimiteZener, "zener_tj_limite_c", "", 0, "Tj máx del zener", "°C", 0, Grupo::Diseno},
    {Figura::VRLimite, "resistencia_tension_max_v", "", 0, "V R admisible", "V", 0, Grupo::Diseno},
    {Figura::PTransistorAdmisible, "p_transistor_admisible_w", "", 0, "P Q admisible", "W", 3,
     Grupo::Diseno},
    {Figura::TjSinDisipador, "tj_sin_disipador_c", "", 0, "Tj sin disipador", "°C", 1,
     Grupo::Diseno},
    {Figura::TjLimiteTransistor, "transistor_tj_limite_c", "", 0, "Tj máx del transistor", "°C", 0,
     Grupo::Diseno},
    {Figura::VceoTransistor, "transistor_vceo_v", "", 0, "Vceo", "V", 0, Grupo::Diseno},
    {Figura::Zz, "zz_ohm", "", 0, "Zz", "Ω", 2, Grupo::Regulacion},
    {Figura::ZzDesde, "zz_desde_ma", "", 0, "Zz desde", "mA", 2, Grupo::Regulacion},
    {Figura::ZzHasta, "zz_hasta_ma", "", 0, "Zz hasta", "mA", 2, Grupo::Regulacion},
    {Figura::Zp, "zp_ohm", "", 0, "Zp", "Ω", 2, Grupo::Regulacion},
    {Figura::Linea, "linea_mv_v", "", 0, "Regulación de línea", "mV/V", 1, Grupo::Regulacion},
    {Figura::Carga, "carga_mv_ma", "", 0, "Regulación de carga", "mV/mA", 2, Grupo::Regulacion},
    {Figura::RizadoDb, "rizado_db", "", 0, "Atenuación del rizado", "dB", 1, Grupo::Regulacion},
    {Figura::RizadoSalida, "rizado_salida_mv", "", 0, "Rizado de salida", "mV", 2,
     Grupo::Regulacion},
    {Figura::Rendimiento, "rendimiento", "", 0, "Rendimiento", "", 3, Grupo::Regulacion},
}};

constexpr bool FigurasEnOrden() {
  for (std::size_t i = 0; i < kCuantasFiguras; ++i) {
    if (static_cast<std::size_t>(kFiguras[i].figura) != i) return false;
  }
  return true;
}
static_assert(FigurasEnOrden(), "DescripcionDe looks figures up by position");

constexpr const DescripcionFigura& DescripcionDe(Figura figura) {
  return kFiguras[static_cast<std::size_t>(figura)];
}

// Where a worst case sits: the input's end (its mean less or plus half the
// ripple), the resistor's end, the load, and which of the envelope's curves.
// Peor: whichever end or curve makes that figure worst.
enum class Lado : std::uint8_t { Ninguno, Bajo, Alto, Medio, Peor };
enum class CargaEn : std::uint8_t { Maxima, Minima, Desconectada, Media };
// A transistor's gain and base-emitter voltage at their least or most.
struct Esquina {
  Lado entrada, r;
  CargaEn carga;
  Lado curva;
  Lado ganancia = Lado::Ninguno;
  Lado vbe = Lado::Ninguno;
};

// A figure a circuit solves at a corner.
struct EsquinaDeFigura {
  Figura figura;
  Esquina esquina;
};

// A design's figures: null where one has no meaning.
class Cifras {
 public:
  Cifras() { valores_.fill(kNulo); }
  std::optional<double> operator[](Figura f) const {
    const double v = valores_[Indice(f)];
    return std::isnan(v) ? std::nullopt : std::optional<double>(v);
  }
  // The figure, which the caller knows is there.
  double De(Figura f) const { return valores_[Indice(f)]; }
  bool Tiene(Figura f) const { return !std::isnan(valores_[Indice(f)]); }
  // What is not finite has no meaning either.
  void Poner(Figura f, double v) { valores_[Indice(f)] = std::isfinite(v) ? v : kNulo; }
  void Poner(Figura f, const std::optional<double>& v) { Poner(f, v.value_or(kNulo)); }

 private:
  static constexpr double kNulo = std::numeric_limits<double>::quiet_NaN();
  static std::size_t Indice(Figura f) { return static_cast<std::size_t>(f); }
  std::array<double, kCuantasFiguras> valores_;
};

}  // namespace zener
