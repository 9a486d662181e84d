// Monte-Carlo runs of a design: each unit a Zener, a resistor and, for the
// follower, a transistor drawn from within their sheets' figures, solved at
// every corner of input (with its ripple), load and ambient as the worst
// case solves them, with its own junction in equilibrium with its power.
// Two passes draw the same units from the seed: the first gathers the
// yield, the promises broken and each measure's spread, the second its bins
// over the range the first found; nothing is kept per unit.
#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "core/Tablas.h"
#include "design/Componentes.h"
#include "design/Diseno.h"
#include "design/Envolvente.h"
#include "design/Muestreo.h"
#include "design/Texto.h"
#include "design/Transistores.h"

namespace zener {

const std::array<DescripcionMedida, kCuantasMedidas> kMedidas = {{
    {Medida::VoutNominal, "vout_nominal_v", "Vout_nominal_V", "Vout nominal", "V", 3, false, true},
    {Medida::VoutMin, "vout_min_v", "Vout_min_V", "Vout mín", "V", 3, false, true},
    {Medida::VoutMax, "vout_max_v", "Vout_max_V", "Vout máx", "V", 3, false, true},
    {Medida::IzMin, "iz_min_ma", "Iz_min_mA", "Iz mín", "mA", 3, false, true},
    {Medida::IzMax, "iz_max_ma", "Iz_max_mA", "Iz máx", "mA", 3, false, false},
    {Medida::PZ, "pz_w", "Pz_W", "P Z", "W", 4, false, true},
    {Medida::PR, "p_r_w", "P_R_W", "P R", "W", 4, false, true},
    {Medida::TjZener, "tj_c", "Tj_C", "Tj del zener", "°C", 1, false, false},
    {Medida::VR, "v_r_v", "V_R_V", "V en R", "V", 2, false, false},
    {Medida::PTransistor, "p_q_w", "P_Q_W", "P Q", "W", 4, true, false},
    {Medida::VceMax, "vce_max_v", "Vce_max_V", "Vce máx", "V", 2, true, false},
}};

const std::array<DescripcionPromesa, kCuantasPromesas> kPromesas = {{
    {Promesa::IzMin, Medida::IzMin, "iz_min", "la corriente mínima del zener", true, false},
    {Promesa::IzMax, Medida::IzMax, "iz_max", "la corriente máxima del zener", false, false},
    {Promesa::PZ, Medida::PZ, "pz", "la potencia del zener, con el margen", false, true},
    {Promesa::PR, Medida::PR, "p_r", "la potencia de la resistencia, con el margen", false, true},
    {Promesa::TjZener, Medida::TjZener, "tj", "la temperatura de la unión del zener", false, false},
    {Promesa::VR, Medida::VR, "v_r", "la tensión en bornes de la resistencia", false, false},
    {Promesa::PTransistor, Medida::PTransistor, "p_q", "la potencia del transistor, con el margen",
     false, true},
    {Promesa::VceMax, Medida::VceMax, "vce", "la Vce máxima del transistor", false, false},
    {Promesa::VoutMin, Medida::VoutMin, "vout_min", "la salida mínima pedida", true, false},
    {Promesa::VoutMax, Medida::VoutMax, "vout_max", "la salida máxima pedida", false, false},
}};

const DescripcionMedida& DescripcionDe(Medida medida) {
  return kMedidas[static_cast<std::size_t>(medida)];
}

namespace {

constexpr double kPorCiento = 100;
constexpr std::size_t kBarras = 20;
// The junction's equilibrium: to a thousandth of a kelvin, in a few rounds
// (each changes the next by under a fifth, as the worst case's does).
constexpr double kPrecisionTermicaK = 1e-3;
constexpr int kMaximoVueltasTermicas = 30;
// z of a two-sided 95 % interval.
constexpr double kZ95 = 1.959963984540054;

std::size_t I(Medida m) {
  return static_cast<std::size_t>(m);
}
std::size_t I(Promesa p) {
  return static_cast<std::size_t>(p);
}

// Uniform on [0, 1) from the 53 high bits: the same on every standard
// library, as the engine's sequence is.
double Uniforme(std::mt19937_64& azar) {
  constexpr double kDosALaMenos53 = 1.0 / 9007199254740992.0;
  return ComoReal(azar() >> 11) * kDosALaMenos53;
}

double Entre(std::mt19937_64& azar, double bajo, double alto) {
  return bajo + (alto - bajo) * Uniforme(azar);
}

// Where a corner's load sits.
enum class Carga { Maxima, Minima, Media, Ninguna };

// What every unit of a design shares: its parts' figures, its corners, the
// limits its promises hold it to.
struct Banco {
  const Diseno& d;
  const FilaZener& fila;
  const FamiliaZener& familia;
  const FilaTransistor* transistor;  // the follower's
  double iztA, izkA, zztOhm, zzkOhm;
  double rOhm, tolR;
  double veBaja, veAlta, veMedia;
  std::vector<double> ambientes;
  double ambienteNominal;
  std::array<std::optional<double>, kCuantasPromesas> limites;
};

// The load's current at a corner, A; for a resistance, none here.
double CorrienteDeCarga(const Banco& b, Carga carga) {
  const DatosCircuito& v = b.d.datos;
  switch (carga) {
    case Carga::Maxima:
      return v.IcMax / kMiliPorUnidad;
    case Carga::Minima:
      return v.IcMin / kMiliPorUnidad;
    case Carga::Media:
      return (v.IcMin + v.IcMax) / 2 / kMiliPorUnidad;
    case Carga::Ninguna:
      return 0;
  }
  return 0;
}

double PotenciaZener(const PuntoDeUnidad& p) {
  return std::max(p.izA, 0.0) * p.vzV;
}

// The follower's transistor at a load current and ambient: its gain and Vbe
// where the unit's fractions put them between the sheet's bounds.
struct Base {
  double ibA = 0, vbeV = 0, icA = 0;
};
Base BaseDe(const Banco& b, const Unidad& u, double ilA, double ambienteC) {
  const FilaTransistor& t = *b.transistor;
  const double vbeMin = VbeMinima(t, ambienteC).value_or(0);
  if (ilA <= 0) return {0, vbeMin, 0};
  const double hMin = GananciaMinima(t, ilA, ambienteC).value_or(1);
  const double hMax = std::max(GananciaMaximaA(t, ambienteC).value_or(hMin), hMin);
  const double hfe = hMin + u.hfeFraccion * (hMax - hMin);
  const double vbeMax = std::max(VbeMaxima(t, ilA, ambienteC).value_or(vbeMin), vbeMin);
  return {ilA / (hfe + 1), vbeMin + u.vbeFraccion * (vbeMax - vbeMin), ilA * hfe / (hfe + 1)};
}

// What the unit does at one corner, in its junction's equilibrium.
PuntoDeUnidad Resolver(const Banco& b, const Unidad& u, double vs, Carga carga, double ambienteC) {
  PuntoDeUnidad p{vs, CorrienteDeCarga(b, carga), std::nullopt, ambienteC};
  const std::optional<double>& cargaOhm = b.d.opciones.cargaOhm;
  Fuente f{};
  if (b.transistor) {
    const Base base = BaseDe(b, u, p.cargaA, ambienteC);
    p.ibA = base.ibA;
    p.vbeV = base.vbeV;
    p.icA = base.icA;
    f = FuenteConCarga(vs, u.rOhm, base.ibA);
  } else if (cargaOhm && carga != Carga::Ninguna) {
    p.cargaA = 0;
    p.cargaOhm = cargaOhm;
    f = FuenteConResistencia(vs, u.rOhm, *cargaOhm);
  } else {
    f = FuenteConCarga(vs, u.rOhm, p.cargaA);
  }
  double tjC = ambienteC;
  Punto punto{};
  for (int vuelta = 0; vuelta < kMaximoVueltasTermicas; ++vuelta) {
    const double deriva = 1 + u.tcPorCientoK / kPorCiento * (tjC - kTemperaturaDeMedidaC);
    punto = PuntoDeTrabajo({u.vzV * deriva, u.aV, u.rsOhm, b.iztA}, f);
    const double nueva = TemperaturaUnion(b.familia, ambienteC, std::max(punto.iA, 0.0) * punto.v);
    const bool asentada = std::fabs(nueva - tjC) < kPrecisionTermicaK;
    tjC = nueva;
    if (asentada || u.tcPorCientoK == 0) break;
  }
  p.tjC = tjC;
  p.vzV = punto.v;
  p.izA = punto.iA;
  p.voutV = punto.v - p.vbeV;
  if (!b.transistor) p.icA = p.cargaOhm ? punto.v / *p.cargaOhm : p.cargaA;
  return p;
}

void Mayor(double& m, double v) {
  m = std::max(m, v);
}
void Menor(double& m, double v) {
  m = std::min(m, v);
}

// The corners of a unit: with the load connected, with it gone (or, where
// it stays, again at its least), and the nominal one.
enum class EsquinaDeUnidad { ConCarga, SinCarga, Nominal };

template <typename F>
void Recorrer(const Banco& b, const Unidad& u, F&& f) {
  const bool fija = b.d.opciones.cargaFija;
  for (const double ta : b.ambientes) {
    f(EsquinaDeUnidad::ConCarga, Resolver(b, u, b.veBaja, Carga::Maxima, ta));
    f(EsquinaDeUnidad::ConCarga, Resolver(b, u, b.veAlta, Carga::Maxima, ta));
    const PuntoDeUnidad ligera = Resolver(b, u, b.veAlta, Carga::Minima, ta);
    f(EsquinaDeUnidad::ConCarga, ligera);
    f(EsquinaDeUnidad::SinCarga, fija ? ligera : Resolver(b, u, b.veAlta, Carga::Ninguna, ta));
  }
  f(EsquinaDeUnidad::Nominal, Resolver(b, u, b.veMedia, Carga::Media, b.ambienteNominal));
}

// The unit over the design's range: each measure at whichever corner it is
// worst, not where it is for most parts. A junction that heats with its
// current, on a coefficient below nothing, lowers Vz as the input rises or
// the load falls; the follower's Vbe bound falls with its current when
// cold, so that its output may be highest at the heaviest load. The output
// is the load's, connected.
void Medir(const Banco& b, Unidad& u) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  auto& m = u.medidas;
  m.fill(-kInf);
  for (Medida x : {Medida::VoutMin, Medida::IzMin}) m[I(x)] = kInf;
  Recorrer(b, u, [&](EsquinaDeUnidad esquina, const PuntoDeUnidad& p) {
    if (esquina == EsquinaDeUnidad::Nominal) {
      m[I(Medida::VoutNominal)] = p.voutV;
      return;
    }
    if (esquina == EsquinaDeUnidad::ConCarga) {
      Menor(m[I(Medida::VoutMin)], p.voutV);
      Mayor(m[I(Medida::VoutMax)], p.voutV);
    }
    const double vr = p.entradaV - p.vzV;
    Menor(m[I(Medida::IzMin)], p.izA * kMiliPorUnidad);
    Mayor(m[I(Medida::IzMax)], p.izA * kMiliPorUnidad);
    Mayor(m[I(Medida::PR)], vr * vr / u.rOhm);
    Mayor(m[I(Medida::VR)], vr);
    Mayor(m[I(Medida::PTransistor)], (p.entradaV - p.voutV) * p.icA);
    Mayor(m[I(Medida::VceMax)], p.entradaV - p.voutV);
    Mayor(m[I(Medida::PZ)], PotenciaZener(p));
    Mayor(m[I(Medida::TjZener)], p.tjC);
  });
  u.fallos = 0;
  for (const DescripcionPromesa& p : kPromesas) {
    const auto& limite = b.limites[I(p.promesa)];
    if (!limite) continue;
    const double valor = m[I(p.medida)] * (p.conMargen ? b.d.opciones.margen : 1);
    const bool cumple = p.minimo ? valor >= *limite : valor <= *limite;
    if (!cumple) u.fallos |= 1u << I(p.promesa);
  }
}

// A unit as its parts' sheets allow it: Vz at Izt anywhere in its range; the
// curve's shape anywhere in the region of (a, RS) the sheet allows, drawn by
// rejection from its bounding box (at least half of it is the region); the
// coefficient in its range; R in its tolerance; the transistor's gain and
// Vbe anywhere between their bounds.
Unidad Sortear(const Banco& b, std::mt19937_64& azar) {
  Unidad u;
  u.vzV = Entre(azar, b.fila.vzMin, b.fila.vzMax);
  const double aMax =
      std::min(b.zztOhm * b.iztA, b.izkA > 0 ? b.zzkOhm * b.izkA : b.zztOhm * b.iztA);
  const double rsMax = std::min(b.zztOhm, b.izkA > 0 ? b.zzkOhm : b.zztOhm);
  do {
    u.aV = Entre(azar, 0, aMax);
    u.rsOhm = Entre(azar, 0, rsMax);
  } while (u.aV / b.iztA + u.rsOhm > b.zztOhm ||
           (b.izkA > 0 && u.aV / b.izkA + u.rsOhm > b.zzkOhm));
  u.tcPorCientoK = b.familia.conCoeficiente ? Entre(azar, b.fila.tcMin, b.fila.tcMax) : 0;
  u.rOhm = b.rOhm * Entre(azar, 1 - b.tolR, 1 + b.tolR);
  if (b.transistor) {
    u.hfeFraccion = Uniforme(azar);
    u.vbeFraccion = Uniforme(azar);
  }
  return u;
}

// The limits a unit is held to: the parts' ratings at the hottest ambient,
// the power ones over the margin applied to the unit; none where the design
// has no part to rate it, which no unit then passes.
std::array<std::optional<double>, kCuantasPromesas> Limites(const Diseno& d,
                                                            const OpcionesMuestreo& o) {
  const FilaZener& fila = *d.zener->fila;
  const FamiliaZener& familia = *d.zener->familia;
  const Cifras& c = d.cifras;
  const double ambiente = d.opciones.tempMaxC;
  std::array<std::optional<double>, kCuantasPromesas> l;
  l[I(Promesa::IzMin)] = std::max(d.datos.IzMin, fila.izkMa);
  l[I(Promesa::IzMax)] = IzMaxAdmisibleMa(familia, fila, ambiente);
  l[I(Promesa::PZ)] = PotenciaAdmisibleW(familia, ambiente);
  l[I(Promesa::TjZener)] = familia.tjMaxC;
  if (d.resistencia) {
    l[I(Promesa::PR)] = d.resistencia->potenciaW * c.De(Figura::FactorR);
    l[I(Promesa::VR)] = d.resistencia->tensionMaxV;
  } else {
    l[I(Promesa::PR)] = -std::numeric_limits<double>::infinity();
    l[I(Promesa::VR)] = -std::numeric_limits<double>::infinity();
  }
  if (d.transistor) {
    l[I(Promesa::PTransistor)] =
        c[Figura::PTransistorAdmisible].value_or(-std::numeric_limits<double>::infinity());
    l[I(Promesa::VceMax)] = d.transistor->vceoV;
  }
  l[I(Promesa::VoutMin)] = o.voutMinV;
  l[I(Promesa::VoutMax)] = o.voutMaxV;
  return l;
}

std::optional<std::string> SinMuestreo(const Diseno& d) {
  if (d.veredicto != Veredicto::Cumple) return "No hay muestreo: el diseño no pasa las reglas.";
  if (!d.zener) return "No hay muestreo: no hay ningún zener de esa tensión que sortear.";
  if (!d.ConResistencia()) return "No hay muestreo: ningún valor de la serie da una resistencia.";
  if (d.opciones.circuito == Circuito::Seguidor && !d.transistor) {
    return "No hay muestreo: no hay transistor que sortear.";
  }
  return std::nullopt;
}

Banco BancoDe(const Diseno& d, const OpcionesMuestreo& o) {
  const DatosCircuito& v = d.datos;
  const double media = MediaRizadoV(d.opciones);
  Banco b{d,
          *d.zener->fila,
          *d.zener->familia,
          d.opciones.circuito == Circuito::Seguidor ? d.transistor : nullptr,
          d.zener->fila->iztMa / kMiliPorUnidad,
          d.zener->fila->izkMa / kMiliPorUnidad,
          d.zener->fila->zztOhm,
          d.zener->fila->zzkOhm,
          d.cifras.De(Figura::RNominal),
          d.tolR,
          v.VeMin - media,
          v.VeMax + media,
          (v.VeMin + v.VeMax) / 2,
          {d.opciones.tempMinC},
          (d.opciones.tempMinC + d.opciones.tempMaxC) / 2,
          Limites(d, o)};
  if (d.opciones.tempMaxC != d.opciones.tempMinC) b.ambientes.push_back(d.opciones.tempMaxC);
  return b;
}

// A measure's moments, run by Welford's update, and its extremes.
struct Momentos {
  std::uint64_t n = 0;
  double media = 0, m2 = 0;
  double minimo = std::numeric_limits<double>::infinity();
  double maximo = -std::numeric_limits<double>::infinity();
  void Anadir(double x) {
    ++n;
    const double delta = x - media;
    media += delta / ComoReal(n);
    m2 += delta * (x - media);
    minimo = std::min(minimo, x);
    maximo = std::max(maximo, x);
  }
  double Sigma() const { return n > 1 ? std::sqrt(m2 / ComoReal(n - 1)) : 0; }
};

// The worst case's bounds of a measure: the design's own figures.
struct Cotas {
  std::optional<double> baja, alta;
};
Cotas CotasDe(const Diseno& d, Medida m) {
  const Cifras& c = d.cifras;
  switch (m) {
    case Medida::VoutNominal:
      return {c[Figura::VoutMin], c[Figura::VoutMax]};
    case Medida::VoutMin:
      return {c[Figura::VoutMin], std::nullopt};
    case Medida::VoutMax:
      return {std::nullopt, c[Figura::VoutMax]};
    case Medida::IzMin:
      return {c[Figura::IzMin], std::nullopt};
    case Medida::IzMax:
      return {std::nullopt, c[Figura::IzMax]};
    case Medida::PZ:
      return {std::nullopt, c[Figura::PZSinCarga]};
    case Medida::PR:
      return {std::nullopt, c[Figura::PR]};
    case Medida::TjZener:
      return {std::nullopt, c[Figura::TjZener]};
    case Medida::VR:
      return {std::nullopt, c[Figura::VRMax]};
    case Medida::PTransistor:
      return {std::nullopt, c[Figura::PTransistor]};
    case Medida::VceMax:
      return {std::nullopt, c[Figura::VceMax]};
  }
  return {};
}

// The limits the promises hold a measure to, in its own terms (a power's
// rating over the margin).
void PonerLimites(Resumen& r, const Banco& b, Medida m) {
  for (const DescripcionPromesa& p : kPromesas) {
    const auto& limite = b.limites[I(p.promesa)];
    const bool propia =
        p.medida == m || (m == Medida::VoutNominal &&
                          (p.promesa == Promesa::VoutMin || p.promesa == Promesa::VoutMax));
    if (!propia || !limite || !std::isfinite(*limite)) continue;
    const double enSusTerminos = p.conMargen ? *limite / b.d.opciones.margen : *limite;
    (p.minimo ? r.limiteBajo : r.limiteAlto) = enSusTerminos;
  }
}

// Process capability against the limits given: the nearer one over three σ.
std::optional<double> Cpk(const Resumen& r) {
  if (!(r.sigma > 0) || (!r.limiteBajo && !r.limiteAlto)) return std::nullopt;
  double cpk = std::numeric_limits<double>::infinity();
  if (r.limiteBajo) cpk = std::min(cpk, (r.media - *r.limiteBajo) / (3 * r.sigma));
  if (r.limiteAlto) cpk = std::min(cpk, (*r.limiteAlto - r.media) / (3 * r.sigma));
  return cpk;
}

// The bins span what the units did and the worst case's bounds, so that
// both show.
Histograma Vacio(const Resumen& r) {
  double desde = r.minimo, hasta = r.maximo;
  for (const auto& cota : {r.cotaBaja, r.cotaAlta}) {
    if (!cota) continue;
    desde = std::min(desde, *cota);
    hasta = std::max(hasta, *cota);
  }
  if (!(hasta > desde)) {
    const double holgura = std::max(std::fabs(desde) * 1e-6, 1e-12);
    desde -= holgura;
    hasta += holgura;
  }
  return {desde, hasta, std::vector<std::uint64_t>(kBarras, 0)};
}

void Contar(Histograma& h, double x) {
  const double k = (x - h.desde) / (h.hasta - h.desde) * static_cast<double>(h.cuentas.size());
  const auto i = static_cast<std::size_t>(std::clamp(k, 0.0, static_cast<double>(kBarras - 1)));
  ++h.cuentas[i];
}

// Wilson's score interval for k passes of n at 95 %.
void Intervalo(Muestreo& m, std::uint64_t n) {
  const double nn = ComoReal(n);
  const double p = ComoReal(m.aprobadas) / nn;
  const double z2 = kZ95 * kZ95;
  const double centro = (p + z2 / (2 * nn)) / (1 + z2 / nn);
  const double medio = kZ95 * std::sqrt(p * (1 - p) / nn + z2 / (4 * nn * nn)) / (1 + z2 / nn);
  m.rendimiento = p;
  // At either end the interval ends there exactly.
  m.intervaloBajo = m.aprobadas == 0 ? 0 : std::max(centro - medio, 0.0);
  m.intervaloAlto = m.aprobadas == n ? 1 : std::min(centro + medio, 1.0);
}

std::vector<std::string> Leyes(const Banco& b) {
  const FilaZener& f = b.fila;
  std::vector<std::string> leyes = {
      "Vz de " + std::string(f.numero) + " a Izt = " + CifraCorta(f.iztMa, 2) +
          " mA y 25 °C: uniforme de " + CifraCorta(f.vzMin, 3) + " V a " + CifraCorta(f.vzMax, 3) +
          " V. La hoja da solo esos límites, y con solo límites la ley de máxima entropía es la "
          "uniforme (E. T. Jaynes, Phys. Rev. 106, 620, 1957); una normal centrada no se sostiene, "
          "pues los fabricantes apartan por su Vz medida los grados estrechos de la misma "
          "fabricación (BZX79-B al ±2 % y BZX79-C al ±5 %, Nexperia, BZX79 series).",
      "Forma de su curva V(I) = V(Izt) + a·ln(I/Izt) + RS·(I − Izt): (a, RS) uniforme sobre la "
      "región que la hoja permite, a/Izt + RS ≤ " +
          CifraCorta(f.zztOhm, 2) + " Ω y a/Izk + RS ≤ " + CifraCorta(f.zzkOhm, 2) +
          " Ω, de la que la envolvente del peor caso es el casco.",
      b.familia.conCoeficiente
          ? "Coeficiente de temperatura: uniforme de " + CifraCorta(f.tcMin, 3) + " %/K a " +
                CifraCorta(f.tcMax, 3) +
                " %/K, aplicado a la unión de cada unidad en equilibrio con su potencia."
          : "La hoja de " + std::string(b.familia.nombre) +
                " no da el coeficiente de temperatura: ninguno, como en el peor caso.",
      "R: uniforme en ±" + Porcentaje(b.tolR) + " de " + Ohmios(b.rOhm, 2) +
          ", como la fabrica su tolerancia, sin más ley publicada.",
  };
  if (b.transistor) {
    leyes.push_back("Transistor " + std::string(b.transistor->numero) +
                    ": su hFE, uniforme entre el mínimo de la hoja a su corriente y temperatura y "
                    "el máximo; su Vbe, uniforme entre su cota baja y la alta a su corriente, en "
                    "la misma fracción en cada esquina.");
  }
  leyes.push_back(
      "Cada unidad se resuelve en cada esquina de entrada (con el rizado), carga y temperatura "
      "ambiente con las mismas funciones que el peor caso, y se compara con cada promesa.");
  return leyes;
}

bool Aplica(const Banco& b, const DescripcionMedida& m) {
  return !m.deSeguidor || b.transistor;
}

}  // namespace

std::vector<PuntoDeUnidad> PuntosDeUnidad(const Diseno& d, const Unidad& u) {
  std::vector<PuntoDeUnidad> puntos;
  if (SinMuestreo(d)) return puntos;
  const Banco b = BancoDe(d, OpcionesMuestreo{});
  Recorrer(b, u, [&](EsquinaDeUnidad, const PuntoDeUnidad& p) { puntos.push_back(p); });
  return puntos;
}

Muestreo Muestrear(const Diseno& d, const OpcionesMuestreo& o,
                   const std::function<void(const Unidad&)>& cada) {
  Muestreo m;
  m.opciones = o;
  if ((m.sinMuestreo = SinMuestreo(d)) || o.unidades == 0) return m;
  const Banco b = BancoDe(d, o);
  m.leyes = Leyes(b);
  for (const DescripcionPromesa& p : kPromesas) {
    m.comprobadas[I(p.promesa)] = b.limites[I(p.promesa)].has_value();
  }
  std::array<Momentos, kCuantasMedidas> momentos;
  std::mt19937_64 azar(o.semilla);
  for (std::uint64_t k = 0; k < o.unidades; ++k) {
    Unidad u = Sortear(b, azar);
    Medir(b, u);
    if (u.fallos == 0) ++m.aprobadas;
    for (std::size_t p = 0; p < kCuantasPromesas; ++p) m.fallos[p] += (u.fallos >> p) & 1u;
    for (std::size_t i = 0; i < kCuantasMedidas; ++i) momentos[i].Anadir(u.medidas[i]);
    if (cada) cada(u);
  }
  Intervalo(m, o.unidades);
  for (std::size_t p = 0; p < kCuantasPromesas; ++p) {
    if (m.fallos[p] > 0 && (!m.masFallada || m.fallos[p] > m.fallos[I(*m.masFallada)])) {
      m.masFallada = static_cast<Promesa>(p);
    }
  }
  for (const DescripcionMedida& x : kMedidas) {
    if (!Aplica(b, x)) continue;
    const Momentos& mo = momentos[I(x.medida)];
    Resumen r;
    r.media = mo.media;
    r.sigma = mo.Sigma();
    r.minimo = mo.minimo;
    r.maximo = mo.maximo;
    const Cotas cotas = CotasDe(d, x.medida);
    r.cotaBaja = cotas.baja;
    r.cotaAlta = cotas.alta;
    PonerLimites(r, b, x.medida);
    r.cpk = Cpk(r);
    if (x.histograma) r.histograma = Vacio(r);
    m.medidas[I(x.medida)] = r;
  }
  // The same units again, into the bins.
  azar.seed(o.semilla);
  for (std::uint64_t k = 0; k < o.unidades; ++k) {
    Unidad u = Sortear(b, azar);
    Medir(b, u);
    for (const DescripcionMedida& x : kMedidas) {
      if (x.histograma && m.medidas[I(x.medida)]) {
        Contar(m.medidas[I(x.medida)]->histograma, u.medidas[I(x.medida)]);
      }
    }
  }
  return m;
}

std::string CabeceraDeUnidades(const Diseno& d) {
  const bool seguidor = d.opciones.circuito == Circuito::Seguidor;
  // With the byte-order mark a spreadsheet reads UTF-8 by.
  std::string s = "\xEF\xBB\xBFUnidad;Vz_25C_V;a_V;RS_ohm;TC_pct_K;R_ohm";
  if (seguidor) s += ";hFE_fraccion;Vbe_fraccion";
  for (const DescripcionMedida& m : kMedidas) {
    if (!m.deSeguidor || seguidor) s += ";" + std::string(m.columna);
  }
  return s + ";Cumple;Falla\r\n";
}

std::string FilaDeUnidad(const Diseno& d, std::uint64_t numero, const Unidad& u) {
  const bool seguidor = d.opciones.circuito == Circuito::Seguidor;
  constexpr int kExacta = -1;
  std::string s = std::to_string(numero);
  for (const double v : {u.vzV, u.aV, u.rsOhm, u.tcPorCientoK, u.rOhm}) {
    s += ';';
    AnadirCifraHoja(s, v, kExacta);
  }
  if (seguidor) {
    for (const double v : {u.hfeFraccion, u.vbeFraccion}) {
      s += ';';
      AnadirCifraHoja(s, v, kExacta);
    }
  }
  for (const DescripcionMedida& m : kMedidas) {
    if (m.deSeguidor && !seguidor) continue;
    s += ';';
    AnadirCifraHoja(s, u.medidas[I(m.medida)], m.decimales + 3);
  }
  s += u.fallos == 0 ? ";si;" : ";no;";
  std::string falla;
  for (const DescripcionPromesa& p : kPromesas) {
    if ((u.fallos >> I(p.promesa)) & 1u)
      falla += (falla.empty() ? "" : ", ") + std::string(p.clave);
  }
  return s + falla + "\r\n";
}

}  // namespace zener
