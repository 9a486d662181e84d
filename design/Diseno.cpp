#include "design/Diseno.h"

#include <algorithm>
#include <cmath>

#include "core/Tablas.h"
#include "design/Componentes.h"
#include "design/Envolvente.h"
#include "design/Opciones.h"
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

std::string FueraDeTolerancia(const FilaZener& fila, double tolVz) {
  return std::string(fila.numero) + " (" + CifraCorta(fila.vzMin, 3) + " V a " +
         CifraCorta(fila.vzMax, 3) + " V) se sale del ±" + Porcentaje(tolVz) + " pedido.";
}

// Each family's nominal voltages as the reports write them, formatted once:
// a batch of voltages no table holds asks for them on every row.
const std::vector<std::string>& TensionesDe(const FamiliaZener& familia) {
  static const auto tensiones = [] {
    std::array<std::vector<std::string>, kFamilias.size()> todas;
    for (std::size_t f = 0; f < kFamilias.size(); ++f) {
      for (std::size_t i = 0; i < kFamilias[f].cuantas; ++i) {
        todas[f].push_back(CifraCorta(kFamilias[f].filas[i].vz, 1) + " V");
      }
    }
    return todas;
  }();
  return tensiones[static_cast<std::size_t>(&familia - kFamilias.data())];
}

// Where the voltage stands in each family's verified rows.
std::string SinFila(double vz, const OpcionesDiseno& o) {
  constexpr std::size_t kLargo = 192;  // the longest it gets, to grow it once
  std::string texto;
  texto.reserve(kLargo);
  texto += "No hay zener de " + CifraCorta(vz, 3) + " V en las tablas verificadas:";
  const char* separador = " ";
  for (const FamiliaZener& f : kFamilias) {
    if (!SePrueba(f, o)) continue;
    const FilaZener* fin = f.filas + f.cuantas;
    const auto mayor = static_cast<std::size_t>(
        std::upper_bound(f.filas, fin, vz,
                         [](double v, const FilaZener& fila) { return v < fila.vz; }) -
        f.filas);
    const std::vector<std::string>& tensiones = TensionesDe(f);
    const bool fuera = mayor == 0 || mayor == f.cuantas;
    for (const std::string_view parte :
         {std::string_view(separador), f.nombre, std::string_view(fuera ? " de " : " tiene "),
          std::string_view(fuera ? tensiones.front() : tensiones[mayor - 1]),
          std::string_view(fuera ? " a " : " y "),
          std::string_view(fuera ? tensiones.back() : tensiones[mayor])}) {
      texto += parte;
    }
    separador = "; ";
  }
  return texto + ".";
}

// The series finer than the one in use, as advice.
std::string SeriesMasFinas(Serie serie) {
  std::string nombres;
  for (std::size_t i = static_cast<std::size_t>(serie) + 1; i < kSeries.size(); ++i) {
    nombres += (nombres.empty() ? "" : ", ") + std::string(kSeries[i].nombre);
  }
  return nombres;
}

std::string ConsejoDePotencia(Serie serie) {
  std::string consejo =
      "Ayudaría un intervalo de tensión de entrada más estrecho o una corriente mínima de zener "
      "menor";
  const std::string finas = SeriesMasFinas(serie);
  if (!finas.empty()) consejo += ", o una serie de resistencias más fina (" + finas + ")";
  return consejo + ".";
}

// The part a worst case is solved with: its envelope, and what it takes.
// Without a part, the band alone.
struct Pieza {
  const FamiliaZener* familia = nullptr;
  const FilaZener* fila = nullptr;
};

// What the worst case of one resistor needs besides the resistor.
struct Entorno {
  const DatosCircuito& d;
  double tolR;
  Envolvente env;
  std::optional<double> cargaOhm;
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
  return e.cargaOhm ? FuenteConResistencia(vs, r, *e.cargaOhm)
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
  return PuntosExtremos(e.env, FuenteDe(e, VeBaja(e), r * (1 + e.tolR), e.d.IcMax));
}

// Whether the least current reaches the required one.
bool Cumple(const Entorno& e, double r) {
  const Fuente f = FuenteDe(e, VeBaja(e), r * (1 + e.tolR), e.d.IcMax);
  return CorrienteMinima(e.env, f).iA * kMiliPorUnidad >= e.izRequeridaMa;
}

// The most: the highest input, R low, the load disconnected.
struct SinCarga {
  double izMaxMa, pzW;
};
SinCarga PeorSinCarga(const Entorno& e, double r) {
  const Fuente f = FuenteConCarga(VeAlta(e), r * (1 - e.tolR), 0);
  const Extremos x = PuntosExtremos(e.env, f);
  return {x.mayor.iA * kMiliPorUnidad, PotenciaZenerW(x, f)};
}

PeorCaso Evaluar(const Entorno& e, double r) {
  const DatosCircuito& d = e.d;
  const double rAlta = r * (1 + e.tolR);
  const double rBaja = r * (1 - e.tolR);
  PeorCaso caso;
  caso.rOhm = r;
  const Extremos minimo = PuntosMinimos(e, r);
  caso.izMinMa = minimo.menor.iA * kMiliPorUnidad;
  caso.voutMinV = minimo.mayor.v;
  const SinCarga sinCarga = PeorSinCarga(e, r);
  caso.izMaxMa = sinCarga.izMaxMa;
  caso.pzSinCargaW = sinCarga.pzW;
  const Fuente conIcMin = FuenteDe(e, VeAlta(e), rBaja, d.IcMin);
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
    const double v = CorrienteMaxima(e.env, FuenteDe(e, VeAlta(e), rr, d.IcMax)).v;
    caso.prW = std::max(caso.prW, (VeAlta(e) - v) * (VeAlta(e) - v) / rr);
  }
  caso.cumple = caso.izMinMa >= e.izRequeridaMa;
  return caso;
}

bool Finito(const PeorCaso& caso) {
  return std::isfinite(caso.izMinMa) && std::isfinite(caso.prW) &&
         std::isfinite(caso.pzSinCargaW) && std::isfinite(caso.pzConIcMinW);
}

// The largest nominal value that keeps the required current at the worst
// case: there the highest voltage any part has at that current is the
// envelope's, so the bound is closed-form.
double RMaxima(const Entorno& e) {
  const DatosCircuito& d = e.d;
  const double v = e.env.TensionAlta(Amperios(e.izRequeridaMa));
  const double cargaMa = e.cargaOhm ? v / *e.cargaOhm * kMiliPorUnidad : d.IcMax;
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
  std::optional<PeorCaso> elegida;
  std::vector<PeorCaso> vecinas;
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
                          const std::optional<Valor>& valor) {
  Resistencia r;
  r.rMaxOhm = RMaxima(e);
  if (!valor) return r;
  r.elegida = Evaluar(e, valor->rOhm);
  if (!valor->indice) return r;
  const TablaSerie& tabla = TablaDe(o.serie);
  const std::size_t i = *valor->indice;
  constexpr std::size_t kVecinas = 2;
  r.vecinas.reserve(kVecinas);
  if (i > 0) r.vecinas.push_back(Evaluar(e, ValorEn(tabla, i - 1)));
  if (i + 1 < CuantosValores(tabla)) r.vecinas.push_back(Evaluar(e, ValorEn(tabla, i + 1)));
  return r;
}

// The part's datasheet range at Izt, widened by its temperature coefficient
// from the coldest ambient to the hottest junction where the datasheet gives
// one.
IntervaloVz BandaDe(const Pieza& p, double desdeC, double hastaC) {
  const FilaZener& fila = *p.fila;
  IntervaloVz banda{fila.vzMin, fila.vzMax};
  if (!p.familia->conCoeficiente) return banda;
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
// for, and why it cannot take that worst case, if it cannot.
struct Candidato {
  Pieza pieza;
  IntervaloVz vz;
  std::optional<Valor> valor;  // none: no series value keeps the current
  bool cumple = false;         // the value keeps it
  Admisible admisible{};
  double izRequeridaMa = 0;
  std::optional<double> tjMaxC;
  std::optional<std::string> fallo;  // why the part does not do
};

Envolvente EnvolventeDe(const Candidato& c) {
  return c.pieza.fila ? Envolvente(*c.pieza.fila, c.vz.bajo, c.vz.alto)
                      : Envolvente(c.vz.bajo, c.vz.alto);
}

constexpr double kHolguraTermicaK = 0.1;
constexpr int kMaximoVueltasTermicas = 50;

Entorno EntornoDe(const DatosCircuito& d, const OpcionesDiseno& o, double tolR,
                  const Envolvente& env, double izRequeridaMa) {
  return {d, tolR, env, o.cargaOhm, MediaRizadoV(o), izRequeridaMa};
}

// The output at mid input and mid load with the nominal resistor and a part
// of nominal voltage at the centre of what its datasheet allows.
double SalidaNominal(const Entorno& e, const Caracteristica& nominal, double r) {
  const DatosCircuito& d = e.d;
  const Fuente f = FuenteDe(e, (d.VeMin + d.VeMax) / 2, r, (d.IcMin + d.IcMax) / 2);
  return PuntoDeTrabajo(nominal, f).v;
}

std::string NoBasta(const Candidato& c, const SinCarga& caso, double margen,
                    const OpcionesDiseno& o) {
  const std::string numero(c.pieza.fila->numero);
  const std::string aTemperatura = " a " + Grados(o.tempMaxC) + ".";
  if (margen * caso.pzW > c.admisible.potenciaW) {
    return numero + " no basta: " + CifraCorta(margen, 2) + " × " + Cifra(caso.pzW, 3) +
           " W = " + Cifra(margen * caso.pzW, 3) + " W con la carga desconectada, y admite " +
           Cifra(c.admisible.potenciaW, 3) + " W" + aTemperatura;
  }
  return numero + " no basta: Iz máx " + CifraSinCruzar(caso.izMaxMa, c.admisible.izMaxMa, 0) +
         " mA con la carga desconectada, y admite " + Cifra(c.admisible.izMaxMa, 0) + " mA" +
         aTemperatura;
}

// The worst case of a part heats its junction, and a warmer junction moves
// its voltage, which moves the worst case. The band runs from the coldest
// ambient to the junction's temperature, so it only widens as that rises:
// each round's worst power is at least the last one's, and the junction's
// temperature climbs monotonically. Either it settles, within the allowance,
// or it passes the junction's maximum, where the part fails anyway. With the
// figures of these families a round changes the next by a small fraction
// (Rth·dPz/dVz·dVz/dT is below 0,2), so a few rounds do.
Candidato EvaluarPieza(const DatosCircuito& d, const OpcionesDiseno& o, double tolR,
                       const Pieza& p) {
  Candidato c;
  c.pieza = p;
  const FilaZener& fila = *p.fila;
  const FamiliaZener& familia = *p.familia;
  c.izRequeridaMa = std::max(d.IzMin, fila.izkMa);
  c.admisible = {PotenciaAdmisibleW(familia, o.tempMaxC),
                 IzMaxAdmisibleMa(familia, fila, o.tempMaxC)};
  double tjC = o.tempMaxC;
  for (int vuelta = 0; vuelta < kMaximoVueltasTermicas; ++vuelta) {
    c.vz = BandaDe(p, o.tempMinC, tjC + kHolguraTermicaK);
    const Entorno e =
        EntornoDe(d, o, tolR, Envolvente(fila, c.vz.bajo, c.vz.alto), c.izRequeridaMa);
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
        c.fallo = NoBasta(c, sinCarga, o.margen, o);
      }
      return c;
    }
    tjC = *c.tjMaxC;
  }
  return c;
}

// Without a part: the band of the tolerance asked for, or of the families'
// letters, and no impedance.
Candidato SinPieza(const DatosCircuito& d, const OpcionesDiseno& o, double tolR) {
  Candidato c;
  const double tolVz = o.tolVz.value_or(kTolVzSinPieza);
  c.vz = {d.VnZener * (1 - tolVz), d.VnZener * (1 + tolVz)};
  c.izRequeridaMa = d.IzMin;
  const Entorno e = EntornoDe(d, o, tolR, EnvolventeDe(c), d.IzMin);
  c.valor = ValorElegido(e, o);
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

Completo Completar(const Diseno& diseno, const Candidato& c) {
  const OpcionesDiseno& o = diseno.opciones;
  const Entorno e = EntornoDe(diseno.datos, o, diseno.tolR, EnvolventeDe(c), c.izRequeridaMa);
  Completo x;
  x.resistencia = ResistenciaDe(e, o, c.valor);
  if (!c.valor) return x;
  const double r = c.valor->rOhm;
  x.voutNominalV =
      SalidaNominal(e, e.env.Centro(c.pieza.fila ? c.pieza.fila->vz : diseno.datos.VnZener), r);
  if (c.pieza.fila) x.rMinOhm = RMinima(e, c.admisible, o.margen, r);
  return x;
}

std::string SinValorDeSerie(const Diseno& d) {
  if (d.opciones.rOhm && d.elegida) {
    const std::string texto = "Con " + CifraCorta(d.elegida->rOhm, 2) +
                              " Ω la corriente mínima del zener en el peor caso es " +
                              CifraSinCruzar(d.elegida->izMinMa, d.izRequeridaMa, 2) + " mA, ";
    if (d.elegida->izMinMa < d.datos.IzMin) {
      return texto + "menos de " + CifraCorta(d.datos.IzMin, 6) + " mA.";
    }
    return texto + "por debajo de Izk = " + CifraCorta(d.izRequeridaMa, 6) +
           " mA, donde la hoja de datos no dice nada.";
  }
  return "Ningún valor de la serie " + std::string(TablaDe(d.opciones.serie).nombre) +
         " garantiza la corriente mínima del zener con estas tolerancias.";
}

// The parts of the voltage that may be tried, in ascending power, and why
// the others may not.
struct Eleccion {
  std::vector<Candidato> probados;
  std::optional<std::size_t> elegido;
  std::vector<std::string> descartes;
  bool hayFila = false;
};

// Tries the parts of the voltage in ascending power and keeps the first
// that takes the worst case of its own band.
Eleccion ElegirCandidato(const DatosCircuito& d, const OpcionesDiseno& o, double tolR) {
  Eleccion eleccion;
  for (const FamiliaZener& f : kFamilias) {
    if (!SePrueba(f, o)) continue;
    const FilaZener* fila = FilaDeTension(f, d.VnZener);
    if (!fila) continue;
    eleccion.hayFila = true;
    if (o.tolVz && MasAnchaQue(*fila, *o.tolVz)) {
      eleccion.descartes.push_back(FueraDeTolerancia(*fila, *o.tolVz));
      continue;
    }
    Candidato c = EvaluarPieza(d, o, tolR, {&f, fila});
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

ZenerElegido ZenerDe(const Candidato& c) {
  return {c.pieza.familia, c.pieza.fila, c.admisible.potenciaW, c.admisible.izMaxMa};
}

// The design shown: the chosen part's or, without one, the first tried, or
// that of the band alone; the discarded parts' reasons are warnings when a
// part was chosen, and reasons why not when none was.
void Ensamblar(Diseno& diseno, const Eleccion& eleccion, const Candidato& mostrado) {
  const OpcionesDiseno& o = diseno.opciones;
  Completo completo = Completar(diseno, mostrado);
  diseno.vz = mostrado.vz;
  diseno.elegida = completo.resistencia.elegida;
  diseno.vecinas = std::move(completo.resistencia.vecinas);
  const double rMax = completo.resistencia.rMaxOhm;
  diseno.intervaloR = IntervaloR{completo.rMinOhm, rMax > 0 ? std::optional(rMax) : std::nullopt};
  diseno.izRequeridaMa = mostrado.izRequeridaMa;
  diseno.voutNominalV = completo.voutNominalV;
  if (eleccion.elegido) diseno.tjMaxC = mostrado.tjMaxC;
  if (mostrado.pieza.fila) diseno.candidato = ZenerDe(mostrado);
  if (eleccion.elegido) diseno.zener = ZenerDe(mostrado);
  if (!mostrado.pieza.fila) {
    const double tolVz = o.tolVz.value_or(kTolVzSinPieza);
    diseno.motivos.push_back(
        eleccion.hayFila ? "Ningún zener de " + CifraCorta(diseno.datos.VnZener, 3) +
                               " V de las tablas cumple el ±" + Porcentaje(tolVz) + " pedido."
                         : SinFila(diseno.datos.VnZener, o));
    if (ConTemperatura(o)) {
      diseno.avisos.push_back(
          "Sin diodo, el intervalo de Vz no incluye su deriva con la temperatura.");
    }
  }
  std::vector<std::string>& destino = diseno.zener ? diseno.avisos : diseno.motivos;
  for (const std::string& d : eleccion.descartes) destino.push_back(d);
  if (!diseno.zener && mostrado.pieza.fila && diseno.elegida && diseno.elegida->cumple) {
    diseno.avisos.push_back(ConsejoDePotencia(o.serie));
  }
  if (!diseno.zener) return;
  const FilaZener& fila = *diseno.zener->fila;
  const FamiliaZener& familia = *diseno.zener->familia;
  if (fila.izkMa > diseno.datos.IzMin) {
    diseno.avisos.push_back(
        "La corriente mínima del zener se lleva a Izk = " + CifraCorta(fila.izkMa, 2) + " mA del " +
        std::string(fila.numero) + ": por debajo, su hoja de datos no dice nada.");
  }
  if (!familia.conCoeficiente) {
    diseno.avisos.push_back("La hoja de datos de " + std::string(familia.nombre) +
                            " no da el coeficiente de temperatura de Vz: el intervalo de Vz es el "
                            "de 25 °C, aunque la unión llega a " +
                            Grados(std::round(*diseno.tjMaxC)) + ".");
  }
}

void AvisarDisponibilidad(Diseno& diseno) {
  const ResistenciaComercial& r = *diseno.resistencia;
  if (r.encapsulado.montaje != Montaje::Smd || ChipDisponible(diseno.elegida->rOhm, diseno.tolR)) {
    return;
  }
  diseno.avisos.push_back("La " + std::string(r.tipo) +
                          " se fabrica al ±1 % en valores E24 y E96 " +
                          "y al ±5 % en valores E24: " + CifraCorta(diseno.elegida->rOhm, 2) +
                          " Ω al ±" + Porcentaje(diseno.tolR) + " no está entre ellas.");
}

// The smallest resistor of the mounting asked for that takes the power, and
// the voltage where its sheet limits it.
void ElegirResistencia(Diseno& diseno) {
  const Montaje montaje = diseno.opciones.montaje;
  diseno.factorResistencia = FactorResistencia(diseno.opciones.tempMaxC);
  const double necesaria = diseno.opciones.margen * diseno.elegida->prW;
  const double tension = TensionResistenciaMaxV(diseno);
  const ResistenciaComercial* mayor = nullptr;
  bool porTension = false;
  for (const ResistenciaComercial& r : kResistencias) {
    if (!EsDelMontaje(montaje, r.encapsulado.montaje)) continue;
    if (r.tensionMaxV > 0 && tension > r.tensionMaxV) {
      porTension = true;
      continue;
    }
    mayor = &r;
    if (r.potenciaW * diseno.factorResistencia >= necesaria) {
      diseno.resistencia = &r;
      AvisarDisponibilidad(diseno);
      return;
    }
  }
  const std::string deMontaje =
      montaje == Montaje::Cualquiera ? "" : " de montaje " + std::string(NombreDeMontaje(montaje));
  const std::string enBornes = Cifra(tension, 2) + " V en bornes";
  if (!mayor) {
    diseno.motivos.push_back("Ninguna resistencia" + deMontaje + " admite " + enBornes + ".");
    return;
  }
  diseno.motivos.push_back(
      "La resistencia ha de disipar " + Cifra(necesaria, 3) + " W: más de lo que admite la mayor" +
      deMontaje + ", " + Cifra(mayor->potenciaW * diseno.factorResistencia, 3) + " W (" +
      std::string(mayor->tipo) + ") a " + Grados(diseno.opciones.tempMaxC) + "." +
      (porTension ? " Con " + enBornes + " no sirven las de chip que no los admiten." : ""));
}

void Regular(Diseno& diseno) {
  if (!diseno.zener && !diseno.opciones.zz) {
    diseno.sinRegulacion = "Sin diodo elegido no hay impedancia de la hoja de datos.";
    return;
  }
  const PeorCaso& caso = *diseno.elegida;
  Regulacion g;
  g.hastaMa = caso.izMaxMa;
  if (diseno.opciones.zz) {
    g.zzOhm = *diseno.opciones.zz;
    g.origen = "dada";
  } else {
    const FilaZener& fila = *diseno.zener->fila;
    if (caso.izMinMa < fila.izkMa) {
      diseno.sinRegulacion = "La corriente mínima del zener, " + Cifra(caso.izMinMa, 2) +
                             " mA, queda por debajo de Izk = " + CifraCorta(fila.izkMa, 2) +
                             " mA: la hoja de datos no da la impedancia ahí.";
      return;
    }
    // The impedance a/I + RS of every allowed part falls as its current
    // rises: its largest over the worst case's currents is at the least.
    const Envolvente env(fila, diseno.vz->bajo, diseno.vz->alto);
    g.zzOhm = env.ImpedanciaMaxima(caso.izMinMa / kMiliPorUnidad);
    g.origen = "envolvente";
    g.desdeMa = caso.izMinMa;
  }
  const DatosCircuito& d = diseno.datos;
  const double r = caso.rOhm;
  // Bounds over the resistor's tolerance too: what comes in passes most
  // through the lowest R, a load's change moves the output most through the
  // highest.
  const double rBaja = r * (1 - diseno.tolR);
  const double rAlta = r * (1 + diseno.tolR);
  // The load resistance, where given, shunts the Zener for what comes in.
  const double zp = diseno.opciones.cargaOhm ? g.zzOhm * *diseno.opciones.cargaOhm /
                                                   (g.zzOhm + *diseno.opciones.cargaOhm)
                                             : g.zzOhm;
  g.zpOhm = zp;
  g.lineaMvV = zp / (rBaja + zp) * kMiliPorUnidad;
  g.cargaMvMa = rAlta * g.zzOhm / (rAlta + g.zzOhm);
  g.rizadoDb = 20 * std::log10((rBaja + zp) / zp);
  if (diseno.opciones.rizadoMv) g.rizadoSalidaMv = *diseno.opciones.rizadoMv * zp / (rBaja + zp);
  g.rendimiento = d.VnZener * d.IcMax / kMiliPorUnidad / (d.VeMin * (d.VeMin - d.VnZener) / r);
  diseno.regulacion = g;
}

}  // namespace

Decimales DecimalesDeVentana() {
  Decimales decimales{};
  for (std::size_t i = 0; i < kCampos.size(); ++i) {
    const std::string_view mascara = kCampos[i].MascaraCampo;
    const auto punto = mascara.find('.');
    decimales[i] =
        punto == std::string_view::npos ? 0 : static_cast<int>(mascara.size() - punto - 1);
  }
  return decimales;
}

double MediaRizadoV(const OpcionesDiseno& opciones) {
  return opciones.rizadoMv.value_or(0) / kMiliPorUnidad / 2;
}

double TensionResistenciaMaxV(const Diseno& diseno) {
  return diseno.datos.VeMax + MediaRizadoV(diseno.opciones) - diseno.elegida->voutMinV;
}

Diseno Disenar(const DatosCircuito& valores, const OpcionesDiseno& opciones,
               const Decimales& decimales) {
  Diseno diseno;
  DatosCircuito& d = diseno.datos;
  // Only the six design values: whatever else the caller's record holds is
  // no input of the design.
  for (const FilaCampo& fila : kCampos) d.*fila.valor = valores.*fila.valor;
  diseno.decimales = decimales;
  diseno.opciones = opciones;
  diseno.tolR = opciones.tolR.value_or(TablaDe(opciones.serie).tolR);
  if (auto error = ErrorDeOpciones(opciones)) {
    diseno.veredicto = Veredicto::FueraDeRango;
    diseno.mensaje = "Opciones no válidas: " + *error + ".";
    diseno.motivos.push_back(diseno.mensaje);
    return diseno;
  }
  if (opciones.cargaOhm) d.IcMin = d.IcMax = d.VnZener / *opciones.cargaOhm * kMiliPorUnidad;
  diseno.veredicto = Calcular(d);
  if (diseno.veredicto != Veredicto::Cumple) {
    const auto regla = ReglaDe(diseno.veredicto);
    diseno.mensaje = std::string(regla ? regla->mensaje : kMensajeFueraDeRango);
    diseno.motivos.push_back(UnaLinea(diseno.mensaje));
    return diseno;
  }
  const Eleccion eleccion = ElegirCandidato(d, opciones, diseno.tolR);
  if (eleccion.probados.empty()) {
    Ensamblar(diseno, eleccion, SinPieza(d, opciones, diseno.tolR));
  } else {
    Ensamblar(diseno, eleccion, eleccion.probados[eleccion.elegido.value_or(0)]);
  }
  if (!diseno.elegida || !diseno.elegida->cumple) {
    diseno.motivos.insert(diseno.motivos.begin(), SinValorDeSerie(diseno));
    if (!diseno.elegida) return diseno;
  }
  if (!Finito(*diseno.elegida)) {
    Diseno fuera;
    fuera.datos = diseno.datos;
    fuera.decimales = decimales;
    fuera.opciones = opciones;
    fuera.tolR = diseno.tolR;
    fuera.veredicto = Veredicto::FueraDeRango;
    diseno = std::move(fuera);
    diseno.mensaje = std::string(kMensajeFueraDeRango);
    diseno.motivos.push_back(UnaLinea(diseno.mensaje));
    return diseno;
  }
  ElegirResistencia(diseno);
  Regular(diseno);
  diseno.construible = diseno.elegida->cumple && diseno.resistencia && diseno.zener;
  return diseno;
}

}  // namespace zener
