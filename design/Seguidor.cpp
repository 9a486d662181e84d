// The emitter follower: the series resistor feeds the Zener and the base of
// an NPN transistor whose collector takes the input and whose emitter feeds
// the load, Vout = Vz − Vbe. The Zener only biases the base; the transistor
// carries the load. The Zener's side is the shunt's, with the base current as
// its load; this file adds what the transistor brings.
//
// What the transistor's sheet bounds, and how:
//  - Its gain, hFE, at the currents its sheet tests it at, at 25 °C. Between
//    two of them the gain is at least the lesser of the two: the gain of a
//    bipolar transistor rises with the current to a peak and falls past it
//    (recombination in the base-emitter junction below, high injection
//    above: the Gummel–Poon model's two roll-offs), so it has no dip between
//    two points. Below the lowest, the base current cannot exceed the one at
//    that point, for both currents grow with Vbe: hFE(Ic) ≥ h0·Ic/Ic0. Above
//    the highest nothing is bounded, and the part is not offered.
//  - Colder, the gain falls: hFE(T) = hFE(25 °C)·(T/T0)^XTB (SPICE's
//    Gummel–Poon temperature law), with the XTB of the maker's model. A part
//    whose maker gives none is not offered below 25 °C.
//  - Vbe at most its Vbe(on) maximum at and below the sheet's test current,
//    for Vbe grows with the current; above it, nothing, and the part is not
//    offered. Colder it rises: the maker's model's junction moves by
//    NF·Vt·ln(Ic/IS(T)) with IS(T) = IS·(T/T0)^(XTI/NF)·exp((T/T0 − 1)·EG/(NF·Vt)),
//    and the maximum moves by as much (the ohmic part of Vbe only falls when
//    colder). A part without a maker's model is not offered below 25 °C.
//  - Vbe at least −Vt·ln(hFE max + 1). No sheet read gives a minimum. The
//    least Vbe is with the least emitter current, none at all: an unloaded
//    emitter floats where the transport current IS·e^(Vbe/Vt) balances the
//    base-emitter junction's own IS/BF·(1 − e^(Vbe/Vt)) (Gummel–Poon, the
//    collector junction reversed), e^(Vbe/Vt) = 1/(BF + 1): the collector's
//    leakage lifts the emitter above the base, more the higher the gain. Any
//    emitter current only raises Vbe. BF is at most the largest maximum of
//    the sheet's gain, Vt the hottest ambient's (no load, no heating); a
//    part whose sheet gives no maximum gain is not offered. Hotter than
//    25 °C the gain grows as it falls when colder, by the maker's XTB; a part
//    whose maker gives none is not offered above 25 °C either.
//  - The transistor's power at the highest input against the lowest output,
//    at the heaviest load; its junction Ta + P·RθJA in free air, or
//    Ta + P·(RθJC + RθCS + RθSA) on a heatsink, each with the power margin.
//    The largest heatsink resistance that keeps it at its maximum is stated
//    where one is needed; a part whose sheet gives no case figure takes none.
//  - Vceo and Ic max against the highest Vce and the heaviest load. The safe
//    operating area's thermal line is the junction above; its
//    second-breakdown line could not be read off any sheet, and the report
//    names the point to check on the sheet's figure.
#include <algorithm>
#include <cmath>
#include <limits>
#include <variant>

#include "core/Tablas.h"
#include "design/Circuitos.h"
#include "design/Componentes.h"
#include "design/Derivacion.h"
#include "design/Diseno.h"
#include "design/Envolvente.h"
#include "design/Secciones.h"
#include "design/Texto.h"
#include "design/Transistores.h"

namespace zener {

namespace {

constexpr double kPorCiento = 100;
constexpr double kCeroAbsolutoC = -273.15;
constexpr double kBoltzmannSobreCarga = 8.617333262e-5;  // V/K

double Kelvin(double temperaturaC) {
  return temperaturaC - kCeroAbsolutoC;
}

double TensionTermica(double temperaturaC) {
  return kBoltzmannSobreCarga * Kelvin(temperaturaC);
}

}  // namespace

std::optional<double> GananciaMinima(const FilaTransistor& t, double icA, double temperaturaC) {
  const PuntoGanancia* p = t.ganancia;
  const std::size_t n = t.puntosGanancia;
  if (n == 0 || icA > p[n - 1].icA) return std::nullopt;
  double h = 0;
  if (icA <= p[0].icA) {
    // Nor does the base ever take more than the emitter gives.
    h = std::max(p[0].hfeMin * icA / p[0].icA, 1.0);
  } else {
    std::size_t k = 0;
    while (p[k + 1].icA < icA) ++k;
    h = std::min(p[k].hfeMin, p[k + 1].hfeMin);
  }
  if (temperaturaC >= kTemperaturaDeMedidaC) return h;
  if (!t.spice || !t.spice->xtb) return std::nullopt;
  return h * std::pow(Kelvin(temperaturaC) / Kelvin(kTemperaturaDeMedidaC), *t.spice->xtb);
}

std::optional<double> GananciaMaxima(const FilaTransistor& t) {
  std::optional<double> maxima;
  for (std::size_t k = 0; k < t.puntosGanancia; ++k) {
    const auto h = t.ganancia[k].hfeMax;
    if (h && (!maxima || *h > *maxima)) maxima = h;
  }
  return maxima;
}

// The most gain at this temperature: the sheet's, grown by the maker's XTB
// when hotter; none where the sheet or the maker does not say.
std::optional<double> GananciaMaximaA(const FilaTransistor& t, double temperaturaC) {
  auto hfe = GananciaMaxima(t);
  if (!hfe || temperaturaC <= kTemperaturaDeMedidaC) return hfe;
  if (!t.spice || !t.spice->xtb) return std::nullopt;
  return *hfe * std::pow(Kelvin(temperaturaC) / Kelvin(kTemperaturaDeMedidaC), *t.spice->xtb);
}

std::optional<double> VbeMinima(const FilaTransistor& t, double temperaturaC) {
  const auto hfe = GananciaMaximaA(t, temperaturaC);
  if (!hfe) return std::nullopt;
  return -TensionTermica(temperaturaC) * std::log(*hfe + 1);
}

std::optional<double> VbeMaxima(const FilaTransistor& t, double icA, double temperaturaC) {
  if (icA > t.vbeOnMax.icA) return std::nullopt;
  const double v0 = t.vbeOnMax.vbeV;
  if (temperaturaC >= kTemperaturaDeMedidaC) return v0;
  if (!t.spice || icA <= 0) return std::nullopt;
  const ModeloSpice& m = *t.spice;
  auto vbe = [&](double tC) {
    const double razon = Kelvin(tC) / Kelvin(kTemperaturaDeMedidaC);
    const double vt = TensionTermica(tC);
    const double is =
        m.is * std::pow(razon, m.xti / m.nf) * std::exp((razon - 1) * m.eg / (m.nf * vt));
    return m.nf * vt * std::log(icA / is);
  };
  return v0 + vbe(temperaturaC) - vbe(kTemperaturaDeMedidaC);
}

namespace {

// What one transistor makes of the design: the Zener's side solved with its
// base current, its own figures, and why it does not do, if it does not.
struct Evaluacion {
  const FilaTransistor* fila = nullptr;
  Diseno zener;
  std::optional<Motivo> fallo;
  bool conDisipador = false;
};

double IcMaxA(const Diseno& d) {
  return d.datos.IcMax / kMiliPorUnidad;
}

// The free-air power it admits at the hottest ambient.
double PotenciaAdmisibleW(const FilaTransistor& t, double ambienteC) {
  return std::max((t.tjMaxC - ambienteC) / t.rthJaKPorW, 0.0);
}

// The Zener side's voltages are the base's; the output is a Vbe below them.
void ASalida(Cifras& c, double vbeMaxV, double vbeMinV) {
  c.Poner(Figura::VbMin, c[Figura::VoutMin]);
  c.Poner(Figura::VbMax, c[Figura::VoutMax]);
  c.Poner(Figura::VoutMin, c.De(Figura::VbMin) - vbeMaxV);
  c.Poner(Figura::VoutMax, c.De(Figura::VbMax) - vbeMinV);
}

// The output at mid input and mid load with the nominal resistor, a Zener
// of nominal voltage at the centre of what its datasheet allows and the
// maker's typical transistor at 25 °C; none where the maker gives no model.
std::optional<double> SalidaNominal(const Diseno& d, const FilaTransistor& t) {
  if (!t.spice || !d.zener) return std::nullopt;
  const ModeloSpice& m = *t.spice;
  const DatosCircuito& v = d.datos;
  const double ilA = (v.IcMin + v.IcMax) / 2 / kMiliPorUnidad;
  if (ilA <= 0) return std::nullopt;
  const Cifras& c = d.cifras;
  const Envolvente env(*d.zener->fila, c.De(Figura::VzBaja), c.De(Figura::VzAlta));
  const Fuente f =
      FuenteConCarga((v.VeMin + v.VeMax) / 2, c.De(Figura::RNominal), ilA / (m.bf + 1));
  const double vb = PuntoDeTrabajo(env.Centro(d.zener->fila->vz), f).v;
  const double icA = ilA * m.bf / (m.bf + 1);
  return vb - m.nf * TensionTermica(kTemperaturaDeMedidaC) * std::log(icA / m.is);
}

// Why the transistor cannot carry the load at all, before any Zener.
std::optional<Motivo> FueraDeSuHoja(const FilaTransistor& t, const Diseno& d, double icA) {
  const double frioC = d.opciones.tempMinC;
  if (icA > t.icMaxA) return motivo::TransistorSinCorriente{&t, icA, t.icMaxA};
  if (!GananciaMinima(t, icA, kTemperaturaDeMedidaC)) {
    return motivo::TransistorSinDato{&t, motivo::TransistorSinDato::Ganancia, icA, frioC};
  }
  if (!VbeMaxima(t, icA, kTemperaturaDeMedidaC)) {
    return motivo::TransistorSinDato{&t, motivo::TransistorSinDato::Vbe, icA, frioC};
  }
  if (!GananciaMaxima(t)) {
    return motivo::TransistorSinDato{&t, motivo::TransistorSinDato::GananciaMaxima, icA, frioC};
  }
  if (!GananciaMinima(t, icA, frioC) || !VbeMaxima(t, icA, frioC) ||
      !VbeMinima(t, d.opciones.tempMaxC)) {
    return motivo::TransistorSinDato{&t, motivo::TransistorSinDato::Temperatura, icA, frioC};
  }
  return std::nullopt;
}

// The transistor's figures once its Zener side is solved: its power and
// junction, in free air and, where it needs one, on the largest heatsink
// that will do.
void Transistor(Evaluacion& e, double margen) {
  const FilaTransistor& t = *e.fila;
  Diseno& d = e.zener;
  Cifras& c = d.cifras;
  const double ambienteC = d.opciones.tempMaxC;
  // The most across it: the highest input against the lowest output there,
  // the base at its lowest with the resistor high and the base current at
  // its most, and Vbe at its most.
  const double veAlta = d.datos.VeMax + MediaRizadoV(d.opciones);
  const Envolvente env =
      d.zener ? Envolvente(*d.zener->fila, c.De(Figura::VzBaja), c.De(Figura::VzAlta))
              : Envolvente(c.De(Figura::VzBaja), c.De(Figura::VzAlta));
  const double vbBaja =
      CorrienteMaxima(env, FuenteConCarga(veAlta, RAlta(d), c.De(Figura::IbMax) / kMiliPorUnidad))
          .v;
  const double vceMax = veAlta - (vbBaja - c.De(Figura::VbeMax));
  const double pW = vceMax * IcMaxA(d);
  const double admisibleW = PotenciaAdmisibleW(t, ambienteC);
  c.Poner(Figura::VceMax, vceMax);
  c.Poner(Figura::VceoTransistor, t.vceoV);
  c.Poner(Figura::PTransistor, pW);
  c.Poner(Figura::PTransistorAdmisible, admisibleW);
  c.Poner(Figura::TjLimiteTransistor, t.tjMaxC);
  c.Poner(Figura::TjSinDisipador, ambienteC + pW * t.rthJaKPorW);
  c.Poner(Figura::TjTransistor, ambienteC + pW * t.rthJaKPorW);
  if (vceMax > t.vceoV) {
    e.fallo = motivo::TransistorSinTension{&t, vceMax};
    return;
  }
  if (margen * pW <= admisibleW) return;
  // RθJC + RθCS + RθSA ≤ (Tj max − Ta) / (margin·P).
  if (t.rthJcKPorW && t.rthCsKPorW && pW > 0) {
    const double disipador = (t.tjMaxC - ambienteC) / (margen * pW) - *t.rthJcKPorW - *t.rthCsKPorW;
    if (disipador > 0) {
      e.conDisipador = true;
      c.Poner(Figura::DisipadorRth, disipador);
      c.Poner(Figura::PTransistorAdmisible,
              (t.tjMaxC - ambienteC) / (*t.rthJcKPorW + *t.rthCsKPorW + disipador));
      c.Poner(Figura::TjTransistor, ambienteC + pW * (*t.rthJcKPorW + *t.rthCsKPorW + disipador));
      return;
    }
  }
  e.fallo = motivo::TransistorNoBasta{&t,         margen,    pW,
                                      admisibleW, ambienteC, t.rthJcKPorW && t.rthCsKPorW};
}

Evaluacion Evaluar(const Diseno& base, const FilaTransistor& t) {
  Evaluacion e;
  e.fila = &t;
  e.zener = base;
  Diseno& d = e.zener;
  const double icA = IcMaxA(d);
  const double frioC = d.opciones.tempMinC;
  if ((e.fallo = FueraDeSuHoja(t, d, icA))) return e;
  const double hfe = *GananciaMinima(t, icA, frioC);
  // The load is the emitter's current; the base takes it over the gain at
  // most, Ic being below it.
  const double ibMaxMa = d.datos.IcMax / hfe;
  // With a load that stays, the base takes at least its least over the most
  // gain the sheet gives, at the hottest ambient.
  const double ibMinMa =
      d.opciones.cargaFija ? d.datos.IcMin / (*GananciaMaximaA(t, d.opciones.tempMaxC) + 1) : 0;
  ResolverZener(d, {ibMinMa, ibMaxMa, std::nullopt, d.opciones.cargaFija});
  Cifras& c = d.cifras;
  c.Poner(Figura::HfeMin, hfe);
  c.Poner(Figura::IbMax, ibMaxMa);
  if (d.veredicto != Veredicto::Cumple || !d.ConResistencia()) return e;
  const double vbeMax = *VbeMaxima(t, icA, frioC);
  const double vbeMin = *VbeMinima(t, d.opciones.tempMaxC);
  c.Poner(Figura::VbeMax, vbeMax);
  c.Poner(Figura::VbeMin, vbeMin);
  ASalida(c, vbeMax, vbeMin);
  for (Cifras& vecina : d.vecinas) ASalida(vecina, vbeMax, vbeMin);
  c.Poner(Figura::VoutNominal, SalidaNominal(d, t));
  Transistor(e, d.opciones.margen);
  return e;
}

bool Sirve(const Evaluacion& e) {
  const Diseno& d = e.zener;
  return !e.fallo && d.veredicto == Veredicto::Cumple && d.ConResistencia() && d.Cumple() &&
         d.resistencia && d.ZenerElegido();
}

// The transistors to try: the one forced, or those of the mounting asked
// for, in the catalogue's order.
std::vector<const FilaTransistor*> Candidatos(const OpcionesDiseno& o) {
  if (o.transistor) return {o.transistor};
  std::vector<const FilaTransistor*> candidatos;
  for (const FilaTransistor& t : kTransistores) {
    if (EsDelMontaje(o.montaje, t.encapsulado.montaje)) candidatos.push_back(&t);
  }
  return candidatos;
}

// How far a part whose Zener side builds is from taking the power: its
// power with the margin over what it admits; anything else, infinitely far.
double FaltaDePotencia(const Evaluacion& e) {
  const auto* m = e.fallo ? std::get_if<motivo::TransistorNoBasta>(&*e.fallo) : nullptr;
  if (!m || m->admiteW <= 0) return std::numeric_limits<double>::infinity();
  return m->margen * m->potenciaW / m->admiteW;
}

// The first part that takes it in free air; else the one that needs the
// least heatsink, the largest RθSA; else, of those whose Zener side builds,
// the one nearest to taking the power, to show; or the first tried.
std::size_t Elegida(const std::vector<Evaluacion>& evaluaciones) {
  std::optional<std::size_t> conDisipador, zenerQueSirve;
  for (std::size_t i = 0; i < evaluaciones.size(); ++i) {
    const Evaluacion& e = evaluaciones[i];
    if (Sirve(e) && !e.conDisipador) return i;
    if (Sirve(e) &&
        (!conDisipador || e.zener.cifras.De(Figura::DisipadorRth) >
                              evaluaciones[*conDisipador].zener.cifras.De(Figura::DisipadorRth))) {
      conDisipador = i;
    }
    const Diseno& d = e.zener;
    if (d.ConResistencia() && d.Cumple() && d.ZenerElegido() &&
        (!zenerQueSirve || FaltaDePotencia(e) < FaltaDePotencia(evaluaciones[*zenerQueSirve]))) {
      zenerQueSirve = i;
    }
  }
  if (conDisipador) return *conDisipador;
  if (zenerQueSirve) return *zenerQueSirve;
  // Else the first whose Zener side was solved at all, for the report to
  // show its figures.
  for (std::size_t i = 0; i < evaluaciones.size(); ++i) {
    if (evaluaciones[i].zener.ConResistencia()) return i;
  }
  return 0;
}

void Avisar(Diseno& d) {
  d.avisos.push_back(motivo::SinLimiteDeCorriente{});
  d.avisos.push_back(motivo::SinVbeMinima{});
  const FilaTransistor& t = *d.transistor;
  if (t.soa.linea != LineaDc::Leida) {
    d.avisos.push_back(motivo::AreaSeguraSinLeer{&t, d.cifras.De(Figura::VceMax), IcMaxA(d)});
  }
}

// The line's change reaches the base through R and the Zener, whose
// impedance the base's input only lowers, and the output follows the base.
void Regular(Diseno& d) {
  const auto zz = ImpedanciaDelZener(d);
  if (!zz) return;
  Cifras& c = d.cifras;
  const double rBaja = RBaja(d);
  c.Poner(Figura::Zp, *zz);
  c.Poner(Figura::Linea, *zz / (rBaja + *zz) * kMiliPorUnidad);
  c.Poner(Figura::RizadoDb, 20 * std::log10((rBaja + *zz) / *zz));
  if (d.opciones.rizadoMv) {
    c.Poner(Figura::RizadoSalida, *d.opciones.rizadoMv * *zz / (rBaja + *zz));
  }
  // Out over in at the lowest input and full load: the load's current at the
  // lowest output, against the resistor's and the load's from the input.
  const double ilA = IcMaxA(d);
  const double irA = (d.datos.VeMin - MediaRizadoV(d.opciones) - c.De(Figura::VbMin)) / RAlta(d);
  c.Poner(Figura::Rendimiento,
          c.De(Figura::VoutMin) * ilA / ((d.datos.VeMin - MediaRizadoV(d.opciones)) * (ilA + irA)));
}

void ResolverSeguidor(Diseno& diseno) {
  std::vector<Evaluacion> evaluaciones;
  for (const FilaTransistor* t : Candidatos(diseno.opciones)) {
    evaluaciones.push_back(Evaluar(diseno, *t));
  }
  const std::size_t i = Elegida(evaluaciones);
  Evaluacion& elegida = evaluaciones[i];
  const bool sirve = Sirve(elegida);
  Diseno resultado = std::move(elegida.zener);
  resultado.transistor = elegida.fila;
  resultado.transistorElegido = sirve;
  for (std::size_t k = 0; k < evaluaciones.size(); ++k) {
    if (evaluaciones[k].fallo && (!sirve || k < i)) {
      resultado.descartes.push_back(*evaluaciones[k].fallo);
    }
  }
  diseno = std::move(resultado);
  if (!diseno.ConResistencia() || diseno.veredicto != Veredicto::Cumple) return;
  // Past the rules the exact resistor is the follower's: the base takes the
  // load over the gain.
  const DatosCircuito& d = diseno.datos;
  if (diseno.cifras.Tiene(Figura::IbMax)) {
    diseno.cifras.Poner(Figura::RExacta, (d.VeMin - d.VnZener) * kMiliPorUnidad /
                                             (d.IzMin + diseno.cifras.De(Figura::IbMax)));
  }
  if (diseno.cifras.Tiene(Figura::VceMax)) Avisar(diseno);
  Regular(diseno);
  diseno.construible = sirve;
}

// ---- How the reports explain the follower's own steps

Seccion Exacta(const Diseno& d) {
  Seccion s{"Paso 1. Resistencia exacta, con valores nominales", {}};
  const Cifras& c = d.cifras;
  if (!c.Tiene(Figura::IbMax)) {
    s.lineas.push_back("Sin transistor que lleve la carga no hay corriente de base que sumar.");
    return s;
  }
  s.lineas.push_back("R = (VeMin − Vz) / (IzMin + IcMax / hFE mín) = (" + Dato(d, Magnitud::VeMin) +
                     " − " + Dato(d, Magnitud::VnZener) + ") V / (" + Dato(d, Magnitud::IzMin) +
                     " + " + Dato(d, Magnitud::IcMax) + " / " +
                     CifraCorta(c.De(Figura::HfeMin), 1) +
                     ") mA = " + Cifra(c.De(Figura::RExacta), 2) + " Ω");
  return s;
}

Seccion Regulaciones(const Diseno& d) {
  if (!d.origenZz) return {"Paso 5. Regulación", {TextoDe(*d.sinRegulacion)}};
  const Cifras& c = d.cifras;
  const std::string zz = CifraCorta(c.De(Figura::Zz), 2);
  const std::string suma = "(" + CifraCorta(RBaja(d), 2) + " + " + zz + ")";
  Seccion s{"Paso 5. Regulación con Zz = " + zz + " Ω (" +
                (d.origenZz == OrigenZz::Dada
                     ? std::string("dada")
                     : "cota de la envolvente desde " + Cifra(c.De(Figura::ZzDesde), 2) + " mA") +
                ")",
            {}};
  s.lineas.push_back("Línea, como mucho: Zz/(R baja+Zz) = " + zz + "/" + suma + " = " +
                     Cifra(c.De(Figura::Linea), 1) +
                     " mV/V; la base pasa su cambio a la salida, y la hoja no da el efecto "
                     "Early, que no se cuenta");
  s.lineas.push_back("Atenuación del rizado, al menos: 20·log10(" + suma + "/" + zz +
                     ") = " + Cifra(c.De(Figura::RizadoDb), 1) + " dB");
  s.lineas.push_back(
      "Carga: sin cota de pequeña señal, pues la hoja no acota Vbe por abajo; la salida queda "
      "entre Vout mín y Vout máx");
  s.lineas.push_back("Rendimiento a VeMin y plena carga, como poco: " +
                     Cifra(c.De(Figura::Rendimiento) * kPorCiento, 1) + " %");
  if (const auto salida = c[Figura::RizadoSalida]) {
    s.lineas.push_back("Rizado: " + CifraCorta(*d.opciones.rizadoMv, 3) + " mV pp a la entrada → " +
                       Cifra(*salida, 2) + " mV pp a la salida");
  }
  return s;
}

// The worst cases, each at the corner that makes it worst: the base's
// current is the Zener's load, at its most with the heaviest load and the
// least gain, and none with the load disconnected.
constexpr EsquinaDeFigura kEsquinas[] = {
    {Figura::IzMin,
     {Lado::Bajo, Lado::Alto, CargaEn::Maxima, Lado::Alto, Lado::Bajo, Lado::Ninguno}},
    {Figura::IzMax, {Lado::Alto, Lado::Bajo, CargaEn::Desconectada, Lado::Bajo}},
    {Figura::PR, {Lado::Alto, Lado::Peor, CargaEn::Maxima, Lado::Bajo, Lado::Bajo, Lado::Ninguno}},
    {Figura::PZSinCarga, {Lado::Alto, Lado::Bajo, CargaEn::Desconectada, Lado::Peor}},
    {Figura::PTransistor,
     {Lado::Alto, Lado::Alto, CargaEn::Maxima, Lado::Bajo, Lado::Bajo, Lado::Alto}},
    {Figura::VoutMin,
     {Lado::Bajo, Lado::Alto, CargaEn::Maxima, Lado::Bajo, Lado::Bajo, Lado::Alto}},
    {Figura::VoutMax,
     {Lado::Alto, Lado::Bajo, CargaEn::Minima, Lado::Alto, Lado::Alto, Lado::Bajo}},
    {Figura::VoutNominal,
     {Lado::Medio, Lado::Medio, CargaEn::Media, Lado::Medio, Lado::Medio, Lado::Medio}},
};

}  // namespace

const DescripcionCircuito kSeguidor = {Circuito::Seguidor,
                                       "seguidor",
                                       "regulador con diodo zener y seguidor de emisor",
                                       ResolverSeguidor,
                                       kEsquinas,
                                       std::size(kEsquinas),
                                       Exacta,
                                       Regulaciones};

}  // namespace zener
