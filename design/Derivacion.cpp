#include "design/Derivacion.h"

#include <algorithm>
#include <cmath>

#include "core/Tablas.h"
#include "design/Circuitos.h"
#include "design/Componentes.h"
#include "design/Diseno.h"
#include "design/Envolvente.h"
#include "design/Opciones.h"
#include "design/Secciones.h"
#include "design/Texto.h"

namespace zener {

namespace {

constexpr double kPorCiento = 100;
// Without a part, the band the worst case takes when no tolerance is asked
// for: the 5 % of the families' letters.
constexpr double kTolVzSinPieza = 0.05;

bool MasAnchaQue(const FilaZener& fila, double tolVz) {
  constexpr double kHolgura = 1e-9;  // the rows' 5 % limits, computed, are not exact
  return fila.vzMin < fila.vz * (1 - tolVz) * (1 - kHolgura) ||
         fila.vzMax > fila.vz * (1 + tolVz) * (1 + kHolgura);
}

// What the worst case of one resistor needs besides the resistor.
struct Entorno {
  const DatosCircuito& d;
  double tolR;
  Envolvente env;
  CargaDelZener carga;
  double mediaRizadoV;  // half the ripple rides on each of the input's extremes
  double izRequeridaMa;
};

double Amperios(double mA) {
  return mA / kMiliPorUnidad;
}

double VeBaja(const Entorno& e) {
  return e.d.VeMin - e.mediaRizadoV;
}
double VeAlta(const Entorno& e) {
  return e.d.VeMax + e.mediaRizadoV;
}

// The resistor with the load folded in: the given resistance, or a current.
Fuente FuenteDe(const Entorno& e, double vs, double r, double cargaMa) {
  return e.carga.ohm ? FuenteConResistencia(vs, r, *e.carga.ohm)
                     : FuenteConCarga(vs, r, Amperios(cargaMa));
}

// The largest a·v − b·v² for v in the band: the Zener's power at its worst
// voltage on the load line, not the product of the band's two ends.
double MaximoEnBanda(double a, double b, double bajo, double alto) {
  const double v = std::clamp(a / (2 * b), bajo, alto);
  return std::max(a * v - b * v * v, 0.0);
}

// The Zener's power V·(E − V)/Rt at its worst voltage among every part's
// operating points on this source.
double PotenciaZenerW(const Extremos& x, const Fuente& f) {
  return MaximoEnBanda(f.e / f.rt, 1 / f.rt, x.mayor.v, x.menor.v);
}

// The least current of any part: the lowest input, R high, the heaviest
// load, the highest voltage; and, there, the lowest output.
Extremos PuntosMinimos(const Entorno& e, double r) {
  return PuntosExtremos(e.env, FuenteDe(e, VeBaja(e), r * (1 + e.tolR), e.carga.maxMa));
}

// Whether the least current reaches the required one.
bool Cumple(const Entorno& e, double r) {
  const Fuente f = FuenteDe(e, VeBaja(e), r * (1 + e.tolR), e.carga.maxMa);
  return CorrienteMinima(e.env, f).iA * kMiliPorUnidad >= e.izRequeridaMa;
}

// The most: the highest input, R low, the load disconnected, or at its
// least where it stays connected.
struct SinCarga {
  double izMaxMa, pzW;
};
SinCarga PeorSinCarga(const Entorno& e, double r) {
  const double rBaja = r * (1 - e.tolR);
  const Fuente f = e.carga.fija ? FuenteDe(e, VeAlta(e), rBaja, e.carga.minMa)
                                : FuenteConCarga(VeAlta(e), rBaja, 0);
  const Extremos x = PuntosExtremos(e.env, f);
  return {x.mayor.iA * kMiliPorUnidad, PotenciaZenerW(x, f)};
}

// One resistor value's worst case.
struct Caso {
  double rOhm = 0;
  double izMinMa = 0, izMaxMa = 0, prW = 0, pzSinCargaW = 0, pzConIcMinW = 0;
  double voutMinV = 0, voutMaxV = 0;
};

Caso Evaluar(const Entorno& e, double r) {
  const double rAlta = r * (1 + e.tolR);
  const double rBaja = r * (1 - e.tolR);
  Caso caso;
  caso.rOhm = r;
  const Extremos minimo = PuntosMinimos(e, r);
  caso.izMinMa = minimo.menor.iA * kMiliPorUnidad;
  caso.voutMinV = minimo.mayor.v;
  const SinCarga sinCarga = PeorSinCarga(e, r);
  caso.izMaxMa = sinCarga.izMaxMa;
  caso.pzSinCargaW = sinCarga.pzW;
  const Fuente conIcMin = FuenteDe(e, VeAlta(e), rBaja, e.carga.minMa);
  const Extremos ligera = PuntosExtremos(e.env, conIcMin);
  caso.pzConIcMinW = PotenciaZenerW(ligera, conIcMin);
  caso.voutMaxV = ligera.menor.v;
  // The resistor carries the most with the Zener at its lowest voltage, that
  // is with the heaviest load; which end of R is worse depends on whether R
  // or the Zener's impedance is larger, so with a part both are tried.
  // Without one the voltage does not move, and the low end carries more.
  const std::size_t extremos = e.env.Formas() > 1 ? 2 : 1;
  const double extremosR[] = {rBaja, rAlta};
  for (std::size_t k = 0; k < extremos; ++k) {
    const double rr = extremosR[k];
    const double v = CorrienteMaxima(e.env, FuenteDe(e, VeAlta(e), rr, e.carga.maxMa)).v;
    caso.prW = std::max(caso.prW, (VeAlta(e) - v) * (VeAlta(e) - v) / rr);
  }
  return caso;
}

// A resistor value's worst case as the design states it.
Cifras CifrasDe(const Caso& caso) {
  Cifras c;
  c.Poner(Figura::RNominal, caso.rOhm);
  c.Poner(Figura::IzMin, caso.izMinMa);
  c.Poner(Figura::IzMax, caso.izMaxMa);
  c.Poner(Figura::PR, caso.prW);
  c.Poner(Figura::PZSinCarga, caso.pzSinCargaW);
  c.Poner(Figura::PZConIcMin, caso.pzConIcMinW);
  c.Poner(Figura::VoutMin, caso.voutMinV);
  c.Poner(Figura::VoutMax, caso.voutMaxV);
  return c;
}

// The largest nominal value that keeps the required current at the worst
// case: there the highest voltage any part has at that current is the
// envelope's, so the bound is closed-form.
double RMaxima(const Entorno& e) {
  const double v = e.env.TensionAlta(Amperios(e.izRequeridaMa));
  const double cargaMa = e.carga.ohm ? v / *e.carga.ohm * kMiliPorUnidad : e.carga.maxMa;
  return (VeBaja(e) - v) * kMiliPorUnidad / ((e.izRequeridaMa + cargaMa) * (1 + e.tolR));
}

// What a part admits at the hottest ambient.
struct Admisible {
  double potenciaW;
  double izMaxMa;
};

bool CabeEnLaPieza(double pzSinCargaW, double izMaxMa, const Admisible& z, double margen) {
  return margen * pzSinCargaW <= z.potenciaW && izMaxMa <= z.izMaxMa;
}

// The smallest nominal value that keeps the part within its power, with the
// margin, and its maximum current, with the load disconnected. Both fall as
// R grows: from the chosen value, steps of a factor of two bracket it, and
// regula falsi on the logarithm (the Illinois variant, which never stalls on
// one side) closes in on it to within a millionth, on the side that fits.
double RMinima(const Entorno& e, const Admisible& z, double margen, double desde) {
  constexpr double kMenorR = 1e-3, kMayorR = 1e10;  // Ω: far outside any series
  constexpr double kPrecision = 1e-7;               // of the logarithm
  constexpr int kMaximoPasos = 60;
  if (!(z.potenciaW > 0 && z.izMaxMa > 0)) return kMayorR;
  // How far past the part's limits R is: at or below nothing, it fits.
  auto exceso = [&](double u) {
    const SinCarga c = PeorSinCarga(e, std::exp(u));
    return std::max(margen * c.pzW / z.potenciaW, c.izMaxMa / z.izMaxMa) - 1;
  };
  double bajo = std::log(desde), alto = bajo;
  double fBajo = exceso(bajo), fAlto = fBajo;
  const double paso = std::log(2.0);
  while (fBajo <= 0 && bajo > std::log(kMenorR)) {
    alto = bajo, fAlto = fBajo;
    bajo -= paso, fBajo = exceso(bajo);
  }
  while (fAlto > 0 && alto < std::log(kMayorR)) {
    bajo = alto, fBajo = fAlto;
    alto += paso, fAlto = exceso(alto);
  }
  if (fBajo <= 0 || fAlto > 0) return std::exp(fBajo <= 0 ? bajo : alto);
  int lado = 0;
  for (int k = 0; k < kMaximoPasos && alto - bajo > kPrecision; ++k) {
    const double u = (bajo * fAlto - alto * fBajo) / (fAlto - fBajo);
    const double fu = exceso(u);
    if (fu > 0) {
      bajo = u, fBajo = fu;
      if (lado == -1) fAlto /= 2;
      lado = -1;
    } else {
      alto = u, fAlto = fu;
      if (lado == 1) fBajo /= 2;
      lado = 1;
    }
  }
  return std::exp(alto);
}

// The largest series value that passes: the closed-form bound finds the
// neighbourhood, the worst case itself decides the last step.
std::optional<std::size_t> IndiceElegido(const Entorno& e, const TablaSerie& tabla) {
  const double cota = RMaxima(e);
  const std::size_t total = CuantosValores(tabla);
  std::size_t bajo = 0;
  std::size_t alto = total;  // first value above the bound
  while (bajo < alto) {
    const std::size_t medio = (bajo + alto) / 2;
    if (ValorEn(tabla, medio) <= cota) {
      bajo = medio + 1;
    } else {
      alto = medio;
    }
  }
  auto pasa = [&](std::size_t i) { return Cumple(e, ValorEn(tabla, i)); };
  std::size_t i = alto;  // candidate count: values [0, i) are at or under the bound
  while (i < total && pasa(i)) ++i;
  while (i > 0 && !pasa(i - 1)) --i;
  if (i == 0) return std::nullopt;
  return i - 1;
}

// A resistor and its worst case: the given one, or the series' largest that
// passes and its neighbours.
struct Resistencia {
  std::optional<Caso> elegida;
  std::vector<Caso> vecinas;
  double rMaxOhm = 0;
};

// The value the worst case asks for, and where it stands in the series.
struct Valor {
  double rOhm;
  std::optional<std::size_t> indice;  // none when given
};

std::optional<Valor> ValorElegido(const Entorno& e, const OpcionesDiseno& o) {
  if (o.rOhm) return Valor{*o.rOhm, std::nullopt};
  const TablaSerie& tabla = TablaDe(o.serie);
  const auto indice = IndiceElegido(e, tabla);
  if (!indice) return std::nullopt;
  return Valor{ValorEn(tabla, *indice), indice};
}

Resistencia ResistenciaDe(const Entorno& e, const OpcionesDiseno& o,
                          const std::optional<Valor>& valor, bool conVecinas) {
  Resistencia r;
  r.rMaxOhm = RMaxima(e);
  if (!valor) return r;
  r.elegida = Evaluar(e, valor->rOhm);
  if (!valor->indice || !conVecinas) return r;
  const TablaSerie& tabla = TablaDe(o.serie);
  const std::size_t i = *valor->indice;
  constexpr std::size_t kVecinas = 2;
  r.vecinas.reserve(kVecinas);
  if (i > 0) r.vecinas.push_back(Evaluar(e, ValorEn(tabla, i - 1)));
  if (i + 1 < CuantosValores(tabla)) r.vecinas.push_back(Evaluar(e, ValorEn(tabla, i + 1)));
  return r;
}

// The part's voltage at its test current Izt, over the junction's
// temperatures.
struct Banda {
  double bajo = 0, alto = 0;  // V
};

// The part's datasheet range at Izt, widened by its temperature coefficient
// from the coldest ambient to the hottest junction where the datasheet gives
// one.
Banda BandaDe(const Zener& z, double desdeC, double hastaC) {
  const FilaZener& fila = *z.fila;
  Banda banda{fila.vzMin, fila.vzMax};
  if (!z.familia->conCoeficiente) return banda;
  for (const double t : {desdeC, hastaC}) {
    for (const double tc : {fila.tcMin, fila.tcMax}) {
      const double factor = 1 + tc / kPorCiento * (t - kTemperaturaDeMedidaC);
      banda.bajo = std::min(banda.bajo, fila.vzMin * factor);
      banda.alto = std::max(banda.alto, fila.vzMax * factor);
    }
  }
  return banda;
}

// One part evaluated on its own: its band, the resistor its worst case asks
// for, and why it cannot take that worst case, if it cannot. Without a part,
// the band alone.
struct Candidato {
  std::optional<Zener> pieza;
  Banda vz;
  std::optional<Valor> valor;  // none: no series value keeps the current
  bool cumple = false;         // the value keeps it
  Admisible admisible{};
  double izRequeridaMa = 0;
  std::optional<double> tjMaxC;
  std::optional<motivo::NoBasta> fallo;  // why the part does not do
};

Envolvente EnvolventeDe(const Candidato& c) {
  return c.pieza ? Envolvente(*c.pieza->fila, c.vz.bajo, c.vz.alto)
                 : Envolvente(c.vz.bajo, c.vz.alto);
}

constexpr double kHolguraTermicaK = 0.1;
constexpr int kMaximoVueltasTermicas = 50;

// What the worst cases of a design share, whichever part they are solved on.
struct Problema {
  const DatosCircuito& d;
  const OpcionesDiseno& o;
  double tolR;
  CargaDelZener carga;
  Alcance alcance;
};

Entorno EntornoDe(const Problema& p, const Envolvente& env, double izRequeridaMa) {
  return {p.d, p.tolR, env, p.carga, MediaRizadoV(p.o), izRequeridaMa};
}

// The output at mid input and mid load with the nominal resistor and a part
// of nominal voltage at the centre of what its datasheet allows.
double SalidaNominal(const Entorno& e, const Caracteristica& nominal, double r) {
  const DatosCircuito& d = e.d;
  const Fuente f = FuenteDe(e, (d.VeMin + d.VeMax) / 2, r, (e.carga.minMa + e.carga.maxMa) / 2);
  return PuntoDeTrabajo(nominal, f).v;
}

motivo::NoBasta NoBasta(const Candidato& c, const SinCarga& caso, const OpcionesDiseno& o) {
  const bool porPotencia = o.margen * caso.pzW > c.admisible.potenciaW;
  return {c.pieza->fila,
          porPotencia,
          o.margen,
          porPotencia ? caso.pzW : caso.izMaxMa,
          porPotencia ? c.admisible.potenciaW : c.admisible.izMaxMa,
          o.tempMaxC,
          o.cargaFija};
}

// The worst case of a part heats its junction, and a warmer junction moves
// its voltage, which moves the worst case. The band runs from the coldest
// ambient to the junction's temperature, so it only widens as that rises:
// each round's worst power is at least the last one's, and the junction's
// temperature climbs monotonically. Either it settles, within the allowance,
// or it passes the junction's maximum, where the part fails anyway. With the
// figures of these families a round changes the next by a small fraction
// (Rth·dPz/dVz·dVz/dT is below 0,2), so a few rounds do.
Candidato EvaluarPieza(const Problema& p, const Zener& z) {
  const OpcionesDiseno& o = p.o;
  Candidato c;
  c.pieza = z;
  const FilaZener& fila = *z.fila;
  const FamiliaZener& familia = *z.familia;
  c.izRequeridaMa = std::max(p.d.IzMin, fila.izkMa);
  c.admisible = {PotenciaAdmisibleW(familia, o.tempMaxC),
                 IzMaxAdmisibleMa(familia, fila, o.tempMaxC)};
  double tjC = o.tempMaxC;
  for (int vuelta = 0; vuelta < kMaximoVueltasTermicas; ++vuelta) {
    c.vz = BandaDe(z, o.tempMinC, tjC + kHolguraTermicaK);
    const Entorno e = EntornoDe(p, Envolvente(fila, c.vz.bajo, c.vz.alto), c.izRequeridaMa);
    const std::optional<Valor> valor = ValorElegido(e, o);
    if (!valor) return c;
    // The load only takes current from the Zener: it is hottest disconnected.
    const SinCarga sinCarga = PeorSinCarga(e, valor->rOhm);
    c.tjMaxC = TemperaturaUnion(familia, o.tempMaxC, sinCarga.pzW);
    const bool asentada = *c.tjMaxC <= tjC + kHolguraTermicaK;
    if (asentada || *c.tjMaxC > familia.tjMaxC || !familia.conCoeficiente) {
      c.valor = valor;
      c.cumple = Cumple(e, valor->rOhm);
      if (c.cumple && !CabeEnLaPieza(sinCarga.pzW, sinCarga.izMaxMa, c.admisible, o.margen)) {
        c.fallo = NoBasta(c, sinCarga, o);
      }
      return c;
    }
    tjC = *c.tjMaxC;
  }
  return c;
}

// Without a part: the band of the tolerance asked for, or of the families'
// letters, and no impedance.
Candidato SinPieza(const Problema& p) {
  Candidato c;
  const double tolVz = p.o.tolVz.value_or(kTolVzSinPieza);
  c.vz = {p.d.VnZener * (1 - tolVz), p.d.VnZener * (1 + tolVz)};
  c.izRequeridaMa = p.d.IzMin;
  const Entorno e = EntornoDe(p, EnvolventeDe(c), p.d.IzMin);
  c.valor = ValorElegido(e, p.o);
  c.cumple = c.valor && Cumple(e, c.valor->rOhm);
  return c;
}

// Everything the report shows of the candidate shown: its resistor's worst
// case and its neighbours', the least value its part takes, the nominal
// output. Done for that one alone: it is the costly part.
struct Completo {
  Resistencia resistencia;
  std::optional<double> rMinOhm;
  std::optional<double> voutNominalV;
};

// What a narrower scope worked already, `hecho`, is taken as it is where
// this scope would work it the same.
Completo Completar(const Problema& p, const Candidato& c,
                   const std::optional<Completo>& hecho = std::nullopt) {
  const Entorno e = EntornoDe(p, EnvolventeDe(c), c.izRequeridaMa);
  Completo x;
  const bool conVecinas = p.alcance == Alcance::Completo;
  x.resistencia =
      hecho && !conVecinas ? hecho->resistencia : ResistenciaDe(e, p.o, c.valor, conVecinas);
  if (!c.valor || p.alcance == Alcance::Construible) return x;
  const double r = c.valor->rOhm;
  x.voutNominalV = SalidaNominal(e, e.env.Centro(c.pieza ? c.pieza->fila->vz : p.d.VnZener), r);
  if (c.pieza) x.rMinOhm = RMinima(e, c.admisible, p.o.margen, r);
  return x;
}

}  // namespace

struct TanteosGuardados::Memoria {
  struct Tanteo {
    const FilaZener* fila;
    CargaDelZener carga;
    Candidato candidato;
    std::optional<Completo> completo;  // at the design's scope
    std::optional<Completo> parcial;   // whether it builds, alone
  };
  std::vector<Tanteo> tanteos;
};

namespace {

thread_local TanteosGuardados::Memoria* tMemoria = nullptr;

bool MismaCarga(const CargaDelZener& a, const CargaDelZener& b) {
  return a.minMa == b.minMa && a.maxMa == b.maxMa && a.ohm == b.ohm && a.fija == b.fija;
}

TanteosGuardados::Memoria::Tanteo* Guardado(const FilaZener* fila, const CargaDelZener& carga) {
  if (!tMemoria) return nullptr;
  for (auto& t : tMemoria->tanteos) {
    if (t.fila == fila && MismaCarga(t.carga, carga)) return &t;
  }
  return nullptr;
}

// The part worked on the problem, or as it was when last asked for.
Candidato Tanteado(const Problema& p, const Zener& z) {
  if (const auto* t = Guardado(z.fila, p.carga)) return t->candidato;
  Candidato c = EvaluarPieza(p, z);
  if (tMemoria) tMemoria->tanteos.push_back({z.fila, p.carga, c, std::nullopt, std::nullopt});
  return c;
}

// Likewise, everything shown of a part: whether it builds, worked once,
// is part of the whole, which any scope takes.
Completo Completado(const Problema& p, const Candidato& c) {
  auto* t = c.pieza ? Guardado(c.pieza->fila, p.carga) : nullptr;
  if (!t) return Completar(p, c);
  if (t->completo) return *t->completo;
  if (p.alcance == Alcance::Construible) {
    if (!t->parcial) t->parcial = Completar(p, c);
    return *t->parcial;
  }
  t->completo = Completar(p, c, t->parcial);
  return *t->completo;
}

// The parts of the voltage that may be tried, in ascending power, and why
// the others may not.
struct EleccionDeZener {
  std::vector<Candidato> probados;
  std::optional<std::size_t> elegido;
  std::vector<Motivo> descartes;
  bool hayFila = false;
};

// Tries the parts of the voltage in ascending power and keeps the first
// that takes the worst case of its own band.
EleccionDeZener ElegirCandidato(const Problema& p) {
  EleccionDeZener eleccion;
  for (const FamiliaZener& f : kFamilias) {
    if (!SePrueba(f, p.o)) continue;
    const FilaZener* fila = FilaDeTension(f, p.d.VnZener);
    if (!fila) continue;
    eleccion.hayFila = true;
    if (p.o.tolVz && MasAnchaQue(*fila, *p.o.tolVz)) {
      eleccion.descartes.push_back(motivo::FueraDeTolerancia{fila, *p.o.tolVz});
      continue;
    }
    Candidato c = Tanteado(p, {&f, fila});
    const bool toma = c.cumple && !c.fallo;
    if (c.fallo) eleccion.descartes.push_back(*c.fallo);
    eleccion.probados.push_back(std::move(c));
    if (toma) {
      eleccion.elegido = eleccion.probados.size() - 1;
      break;
    }
  }
  return eleccion;
}

// Without a part that takes it, the one that comes nearest: of those a
// series value keeps alive, the one that admits the most power.
std::size_t Mejor(const EleccionDeZener& eleccion) {
  std::size_t mejor = 0;
  for (std::size_t i = 0; i < eleccion.probados.size(); ++i) {
    const Candidato& c = eleccion.probados[i];
    const Candidato& m = eleccion.probados[mejor];
    const bool mejorVivo = m.valor && m.cumple;
    if (c.valor && c.cumple && (!mejorVivo || c.admisible.potenciaW > m.admisible.potenciaW)) {
      mejor = i;
    }
  }
  return mejor;
}

// The figures of the candidate shown, and of its part where it was chosen.
void Publicar(Diseno& diseno, const Candidato& mostrado, bool elegido, Completo completo) {
  Cifras& c = diseno.cifras;
  const Resistencia& r = completo.resistencia;
  if (r.elegida) {
    const Cifras caso = CifrasDe(*r.elegida);
    for (const DescripcionFigura& f : kFiguras) {
      if (f.grupo == Grupo::PorResistencia) c.Poner(f.figura, caso[f.figura]);
    }
    c.Poner(Figura::IzRequerida, mostrado.izRequeridaMa);
  }
  for (const Caso& vecina : r.vecinas) diseno.vecinas.push_back(CifrasDe(vecina));
  c.Poner(Figura::VzBaja, mostrado.vz.bajo);
  c.Poner(Figura::VzAlta, mostrado.vz.alto);
  c.Poner(Figura::RMin, completo.rMinOhm);
  if (r.rMaxOhm > 0) c.Poner(Figura::RMax, r.rMaxOhm);
  c.Poner(Figura::VoutNominal, completo.voutNominalV);
  diseno.zener = mostrado.pieza;
  diseno.zenerElegido = elegido;
  if (!elegido) return;
  const FamiliaZener& familia = *mostrado.pieza->familia;
  c.Poner(Figura::TjZener, mostrado.tjMaxC);
  c.Poner(Figura::PZNominal, familia.potenciaW);
  c.Poner(Figura::PZAdmisible, mostrado.admisible.potenciaW);
  c.Poner(Figura::IzMaxAdmisible, mostrado.admisible.izMaxMa);
  c.Poner(Figura::TjLimiteZener, familia.tjMaxC);
}

// The design shown: the chosen part's or, without one, the first tried, or
// that of the band alone; the discarded parts' reasons are warnings when a
// part was chosen, and reasons why not when none was.
void Ensamblar(Diseno& diseno, const Problema& p, const EleccionDeZener& eleccion,
               const Candidato& mostrado) {
  const OpcionesDiseno& o = diseno.opciones;
  Publicar(diseno, mostrado, eleccion.elegido.has_value(), Completado(p, mostrado));
  if (!mostrado.pieza) {
    if (eleccion.hayFila) {
      diseno.motivos.push_back(
          motivo::SinTolerancia{diseno.datos.VnZener, o.tolVz.value_or(kTolVzSinPieza)});
    } else {
      diseno.motivos.push_back(motivo::SinFila{diseno.datos.VnZener, o.familia, o.montaje});
    }
    if (ConTemperatura(o)) diseno.avisos.push_back(motivo::SinDeriva{});
  }
  for (const Motivo& m : eleccion.descartes) diseno.descartes.push_back(m);
  const Zener* z = diseno.ZenerElegido();
  if (!z) return;
  if (z->fila->izkMa > diseno.datos.IzMin) diseno.avisos.push_back(motivo::IzkSobreIzMin{z->fila});
  if (!z->familia->conCoeficiente) {
    diseno.avisos.push_back(motivo::SinCoeficiente{z->familia, *mostrado.tjMaxC});
  }
}

// Why no series value does, or why the one given does not.
Motivo SinValorDeSerie(const Diseno& d) {
  if (d.opciones.rOhm && d.ConResistencia()) {
    const Cifras& c = d.cifras;
    return motivo::RDadaNoBasta{c.De(Figura::RNominal), c.De(Figura::IzMin),
                                c.De(Figura::IzRequerida), d.datos.IzMin};
  }
  return motivo::SinValorDeSerie{d.opciones.serie};
}

void AvisarDisponibilidad(Diseno& diseno) {
  const ResistenciaComercial& r = *diseno.resistencia;
  const double rOhm = diseno.cifras.De(Figura::RNominal);
  if (r.encapsulado.montaje != Montaje::Smd || ChipDisponible(rOhm, diseno.tolR)) return;
  diseno.avisos.push_back(motivo::ChipNoDisponible{&r, rOhm, diseno.tolR});
}

// The most resistors in series a refusal names as what would do.
constexpr int kMaximoEnSerie = 10;

// No part of the mounting takes the voltage: the one that takes the most,
// and the fewest of the smallest part that, in series, share the voltage and
// the power within their ratings.
motivo::SinResistencia SinResistencia(Montaje montaje, double tension, double necesaria,
                                      double factor) {
  motivo::SinResistencia m{montaje, tension, nullptr, 0, nullptr};
  for (const ResistenciaComercial& r : kResistencias) {
    if (!EsDelMontaje(montaje, r.encapsulado.montaje)) continue;
    if (!m.mayor || r.tensionMaxV > m.mayor->tensionMaxV) m.mayor = &r;
  }
  for (int n = 2; n <= kMaximoEnSerie; ++n) {
    for (const ResistenciaComercial& r : kResistencias) {
      if (!EsDelMontaje(montaje, r.encapsulado.montaje)) continue;
      if (tension / n <= r.tensionMaxV && r.potenciaW * factor >= necesaria / n) {
        m.enSerie = n;
        m.enSerieTipo = &r;
        return m;
      }
    }
  }
  return m;
}

// The smallest resistor of the mounting asked for that takes the power and
// the voltage across it, each within its sheet's rating.
void ElegirResistencia(Diseno& diseno) {
  const Montaje montaje = diseno.opciones.montaje;
  const double factor = diseno.cifras.De(Figura::FactorR);
  const double necesaria = diseno.opciones.margen * diseno.cifras.De(Figura::PR);
  // The most the resistor ever has across it: the highest input against the
  // Zener's lowest voltage.
  const double tension =
      diseno.datos.VeMax + MediaRizadoV(diseno.opciones) - diseno.cifras.De(Figura::VoutMin);
  diseno.cifras.Poner(Figura::VRMax, tension);
  const ResistenciaComercial* mayor = nullptr;
  bool porTension = false;
  for (const ResistenciaComercial& r : kResistencias) {
    if (!EsDelMontaje(montaje, r.encapsulado.montaje)) continue;
    if (tension > r.tensionMaxV) {
      porTension = true;
      continue;
    }
    mayor = &r;
    if (r.potenciaW * factor >= necesaria) {
      diseno.resistencia = &r;
      diseno.cifras.Poner(Figura::PRNominal, r.potenciaW);
      diseno.cifras.Poner(Figura::VRLimite, r.tensionMaxV);
      AvisarDisponibilidad(diseno);
      return;
    }
  }
  if (!mayor) {
    diseno.motivos.push_back(SinResistencia(montaje, tension, necesaria, factor));
    return;
  }
  diseno.motivos.push_back(
      motivo::ResistenciaInsuficiente{montaje, necesaria, mayor, mayor->potenciaW * factor,
                                      diseno.opciones.tempMaxC, porTension, tension});
}

void Regular(Diseno& diseno) {
  const auto zz = ImpedanciaDelZener(diseno);
  if (!zz) return;
  const double zzOhm = *zz;
  Cifras& c = diseno.cifras;
  const DatosCircuito& d = diseno.datos;
  const double r = c.De(Figura::RNominal);
  // Bounds over the resistor's tolerance too: what comes in passes most
  // through the lowest R, a load's change moves the output most through the
  // highest.
  const double rBaja = RBaja(diseno);
  const double rAlta = RAlta(diseno);
  // The load resistance, where given, shunts the Zener for what comes in.
  const std::optional<double>& cargaOhm = diseno.opciones.cargaOhm;
  const double zp = cargaOhm ? zzOhm * *cargaOhm / (zzOhm + *cargaOhm) : zzOhm;
  c.Poner(Figura::Zp, zp);
  c.Poner(Figura::Linea, zp / (rBaja + zp) * kMiliPorUnidad);
  c.Poner(Figura::Carga, rAlta * zzOhm / (rAlta + zzOhm));
  c.Poner(Figura::RizadoDb, 20 * std::log10((rBaja + zp) / zp));
  if (diseno.opciones.rizadoMv) {
    c.Poner(Figura::RizadoSalida, *diseno.opciones.rizadoMv * zp / (rBaja + zp));
  }
  c.Poner(Figura::Rendimiento,
          d.VnZener * d.IcMax / kMiliPorUnidad / (d.VeMin * (d.VeMin - d.VnZener) / r));
}

// ---- How the reports explain the shunt's own steps

Seccion Exacta(const Diseno& d) {
  return {"Paso 1. Resistencia exacta, con valores nominales",
          {"R = (VeMin − Vz) / (IzMin + IcMax) = (" + Dato(d, Magnitud::VeMin) + " − " +
           Dato(d, Magnitud::VnZener) + ") V / (" + Dato(d, Magnitud::IzMin) + " + " +
           Dato(d, Magnitud::IcMax) + ") mA = " + Cifra(d.datos.RrLim, 2) + " Ω"}};
}

std::string TituloRegulacion(const Diseno& d) {
  const Cifras& c = d.cifras;
  const std::string zz = "Zz = " + CifraCorta(c.De(Figura::Zz), 2) + " Ω";
  if (d.origenZz == OrigenZz::Dada) return "Paso 5. Regulación con " + zz + " (dada)";
  return "Paso 5. Regulación con " + zz +
         " (cota: la mayor impedancia que la envolvente permite con el zener de " +
         Cifra(c.De(Figura::ZzDesde), 2) + " mA a " + Cifra(c.De(Figura::ZzHasta), 2) +
         " mA, su punto de trabajo)";
}

Seccion Regulaciones(const Diseno& d) {
  if (!d.origenZz) return {"Paso 5. Regulación", {TextoDe(*d.sinRegulacion)}};
  const Cifras& c = d.cifras;
  const std::string r = CifraCorta(c.De(Figura::RNominal), 2);
  const std::string rBaja = CifraCorta(RBaja(d), 2);
  const std::string rAlta = CifraCorta(RAlta(d), 2);
  const std::string zz = CifraCorta(c.De(Figura::Zz), 2);
  const std::string suma = "(" + rAlta + " + " + zz + ")";
  const std::string vz = Dato(d, Magnitud::VnZener);
  const std::string veMin = Dato(d, Magnitud::VeMin);
  // What comes in sees Zz, or Zz with the load resistance across it.
  const bool paralelo = d.opciones.cargaOhm.has_value();
  const std::string z = paralelo ? "Zp" : "Zz";
  const std::string zp = paralelo ? CifraCorta(c.De(Figura::Zp), 2) : zz;
  const std::string sumaP = "(" + rBaja + " + " + zp + ")";
  Seccion s{TituloRegulacion(d), {}};
  if (paralelo) {
    const std::string rl = CifraCorta(*d.opciones.cargaOhm, 2);
    s.lineas.push_back("Zp = Zz·RL/(Zz+RL) = " + zz + "·" + rl + "/(" + zz + " + " + rl +
                       ") = " + zp + " Ω, la carga en paralelo con el zener");
  }
  s.lineas.push_back("Línea, como mucho: " + z + "/(R baja+" + z + ") = " + zp + "/" + sumaP +
                     " = " + Cifra(c.De(Figura::Linea), 1) + " mV/V");
  s.lineas.push_back("Carga, como mucho: R alta·Zz/(R alta+Zz) = " + rAlta + "·" + zz + "/" + suma +
                     " = " + Cifra(c.De(Figura::Carga), 2) + " mV/mA");
  s.lineas.push_back("Atenuación del rizado, al menos: 20·log10((R baja+" + z + ")/" + z +
                     ") = 20·log10(" + sumaP + "/" + zp +
                     ") = " + Cifra(c.De(Figura::RizadoDb), 1) + " dB");
  s.lineas.push_back("Rendimiento a VeMin y plena carga: Vz·IcMax / (VeMin·(VeMin−Vz)/R) = " + vz +
                     " V·" + Dato(d, Magnitud::IcMax) + " mA / (" + veMin + " V·(" + veMin + " − " +
                     vz + ") V/" + r + " Ω) = " + Cifra(c.De(Figura::Rendimiento) * kPorCiento, 1) +
                     " %");
  if (const auto salida = c[Figura::RizadoSalida]) {
    s.lineas.push_back("Rizado: " + CifraCorta(*d.opciones.rizadoMv, 3) + " mV pp a la entrada → " +
                       Cifra(*salida, 2) + " mV pp a la salida");
  }
  return s;
}

// The worst cases, each at the corner that makes it worst.
constexpr EsquinaDeFigura kEsquinas[] = {
    {Figura::IzMin, {Lado::Bajo, Lado::Alto, CargaEn::Maxima, Lado::Alto}},
    {Figura::IzMax, {Lado::Alto, Lado::Bajo, CargaEn::Desconectada, Lado::Bajo}},
    {Figura::PR, {Lado::Alto, Lado::Peor, CargaEn::Maxima, Lado::Bajo}},
    {Figura::PZSinCarga, {Lado::Alto, Lado::Bajo, CargaEn::Desconectada, Lado::Peor}},
    {Figura::PZConIcMin, {Lado::Alto, Lado::Bajo, CargaEn::Minima, Lado::Peor}},
    {Figura::VoutMin, {Lado::Bajo, Lado::Alto, CargaEn::Maxima, Lado::Bajo}},
    {Figura::VoutMax, {Lado::Alto, Lado::Bajo, CargaEn::Minima, Lado::Alto}},
    {Figura::VoutNominal, {Lado::Medio, Lado::Medio, CargaEn::Media, Lado::Medio}},
};

}  // namespace

const DescripcionCircuito kDerivacion = {Circuito::Derivacion,
                                         "derivacion",
                                         "regulador con diodo zener y resistencia en serie",
                                         ResolverDerivacion,
                                         kEsquinas,
                                         std::size(kEsquinas),
                                         Exacta,
                                         Regulaciones};

std::optional<double> ImpedanciaDelZener(Diseno& diseno) {
  const Zener* z = diseno.ZenerElegido();
  if (!z && !diseno.opciones.zz) {
    diseno.sinRegulacion = motivo::SinImpedancia{};
    return std::nullopt;
  }
  Cifras& c = diseno.cifras;
  const double izMinMa = c.De(Figura::IzMin);
  double zzOhm = 0;
  if (diseno.opciones.zz) {
    zzOhm = *diseno.opciones.zz;
    c.Poner(Figura::ZzDesde, 0.0);
    diseno.origenZz = OrigenZz::Dada;
  } else {
    const FilaZener& fila = *z->fila;
    if (izMinMa < fila.izkMa) {
      diseno.sinRegulacion = motivo::BajoIzk{izMinMa, fila.izkMa};
      return std::nullopt;
    }
    // The impedance a/I + RS of every allowed part falls as its current
    // rises: its largest over the worst case's currents is at the least.
    const Envolvente env(fila, c.De(Figura::VzBaja), c.De(Figura::VzAlta));
    zzOhm = env.ImpedanciaMaxima(izMinMa / kMiliPorUnidad);
    c.Poner(Figura::ZzDesde, izMinMa);
    diseno.origenZz = OrigenZz::Envolvente;
  }
  c.Poner(Figura::ZzHasta, c.De(Figura::IzMax));
  c.Poner(Figura::Zz, zzOhm);
  return zzOhm;
}

TanteosGuardados::TanteosGuardados() : memoria_(std::make_unique<Memoria>()), anterior_(tMemoria) {
  // A part of each family at each load a design works: one allocation.
  constexpr std::size_t kTanteosDeUnDiseno = 16;
  memoria_->tanteos.reserve(kTanteosDeUnDiseno);
  tMemoria = memoria_.get();
}

TanteosGuardados::~TanteosGuardados() {
  tMemoria = anterior_;
}

void ResolverZener(Diseno& diseno, const CargaDelZener& carga) {
  const Problema p{diseno.datos, diseno.opciones, diseno.tolR, carga, diseno.alcance};
  const EleccionDeZener eleccion = ElegirCandidato(p);
  if (p.alcance == Alcance::Construible && !eleccion.elegido) return;
  if (eleccion.probados.empty()) {
    Ensamblar(diseno, p, eleccion, SinPieza(p));
  } else {
    Ensamblar(diseno, p, eleccion, eleccion.probados[eleccion.elegido.value_or(Mejor(eleccion))]);
  }
  if (!diseno.ConResistencia() || !diseno.Cumple()) {
    diseno.motivos.insert(diseno.motivos.begin(), SinValorDeSerie(diseno));
    if (!diseno.ConResistencia()) return;
  }
  const Cifras& c = diseno.cifras;
  const bool finito = c.Tiene(Figura::IzMin) && c.Tiene(Figura::PR) &&
                      c.Tiene(Figura::PZSinCarga) && c.Tiene(Figura::PZConIcMin);
  if (!finito) {
    Diseno fuera;
    fuera.datos = diseno.datos;
    fuera.decimales = diseno.decimales;
    fuera.opciones = diseno.opciones;
    fuera.alcance = diseno.alcance;
    fuera.tolR = diseno.tolR;
    fuera.veredicto = Veredicto::FueraDeRango;
    fuera.mensaje = std::string(kMensajeFueraDeRango);
    fuera.motivos.push_back(motivo::FueraDeRango{});
    fuera.cifras.Poner(Figura::FactorR, diseno.cifras[Figura::FactorR]);
    diseno = std::move(fuera);
    return;
  }
  ElegirResistencia(diseno);
}

void ResolverDerivacion(Diseno& diseno) {
  const DatosCircuito& d = diseno.datos;
  ResolverZener(diseno, {d.IcMin, d.IcMax, diseno.opciones.cargaOhm, diseno.opciones.cargaFija});
  if (diseno.veredicto != Veredicto::Cumple || !diseno.ConResistencia()) return;
  if (diseno.alcance != Alcance::Construible) Regular(diseno);
  diseno.construible = diseno.Cumple() && diseno.resistencia && diseno.ZenerElegido();
}

}  // namespace zener
