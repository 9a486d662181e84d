#include "design/Diseno.h"

#include <algorithm>
#include <cmath>

#include "core/Tablas.h"
#include "design/Componentes.h"
#include "design/Opciones.h"
#include "design/Texto.h"

namespace zener {

namespace {

constexpr double kPorCiento = 100;
// Without a part, the band the worst case takes when no tolerance is asked
// for: the 5 % of the families' letters.
constexpr double kTolVzSinPieza = 0.05;

// What the worst case of one Zener band needs besides the resistor.
struct Entorno {
  const DatosCircuito& d;
  double tolR;
  IntervaloVz vz;
  std::optional<double> cargaOhm;
};

// The load current at this Zener voltage: the given one, or that of the
// load resistance.
double CargaMa(const Entorno& e, double vz, double icMa) {
  return e.cargaOhm ? vz / *e.cargaOhm * kMiliPorUnidad : icMa;
}

// The largest a·v − b·v² for v in the band: the power of the Zener at its
// worst voltage, not the product of the band's two ends.
double MaximoEnBanda(double a, double b, const IntervaloVz& vz) {
  const double v = std::clamp(a / (2 * b), vz.bajo, vz.alto);
  return std::max(a * v - b * v * v, 0.0);
}

PeorCaso Evaluar(const Entorno& e, double r) {
  const DatosCircuito& d = e.d;
  const double rAlta = r * (1 + e.tolR);
  const double rBaja = r * (1 - e.tolR);
  PeorCaso caso;
  caso.rOhm = r;
  caso.izMinMa = (d.VeMin - e.vz.alto) / rAlta * kMiliPorUnidad - CargaMa(e, e.vz.alto, d.IcMax);
  const double caida = d.VeMax - e.vz.bajo;
  caso.izMaxMa = caida / rBaja * kMiliPorUnidad;
  caso.prW = caida * caida / rBaja;
  caso.pzSinCargaW = MaximoEnBanda(d.VeMax / rBaja, 1 / rBaja, e.vz);
  const double icMin = e.cargaOhm ? 0 : d.IcMin / kMiliPorUnidad;
  const double gCarga = e.cargaOhm ? 1 / *e.cargaOhm : 0;
  caso.pzConIcMinW = MaximoEnBanda(d.VeMax / rBaja - icMin, 1 / rBaja + gCarga, e.vz);
  caso.cumple = caso.izMinMa >= d.IzMin;
  return caso;
}

bool Finito(const PeorCaso& caso) {
  return std::isfinite(caso.izMinMa) && std::isfinite(caso.prW) &&
         std::isfinite(caso.pzSinCargaW) && std::isfinite(caso.pzConIcMinW);
}

// The largest nominal value that keeps IzMin at the worst case.
double RMaxima(const Entorno& e) {
  const DatosCircuito& d = e.d;
  return (d.VeMin - e.vz.alto) * kMiliPorUnidad /
         ((d.IzMin + CargaMa(e, e.vz.alto, d.IcMax)) * (1 + e.tolR));
}

// The smallest that keeps the part within its power, with the margin, and
// its maximum current, with the load disconnected.
double RMinima(const Entorno& e, const ZenerElegido& z, double margen) {
  const double porPotencia = margen * MaximoEnBanda(e.d.VeMax, 1, e.vz) / z.potenciaAdmisibleW;
  const double porCorriente = (e.d.VeMax - e.vz.bajo) * kMiliPorUnidad / z.izMaxAdmisibleMa;
  return std::max(porPotencia, porCorriente) / (1 - e.tolR);
}

// The largest series value that passes: the closed-form bound finds the
// neighbourhood, the worst-case formula itself decides the last step.
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
  auto pasa = [&](std::size_t i) { return Evaluar(e, ValorEn(tabla, i)).cumple; };
  std::size_t i = alto;  // candidate count: values [0, i) are at or under the bound
  while (i < total && pasa(i)) ++i;
  while (i > 0 && !pasa(i - 1)) --i;
  if (i == 0) return std::nullopt;
  return i - 1;
}

// The resistor for one band: the given one, or the series' largest that
// passes and its neighbours.
void Resolver(Diseno& diseno, const Entorno& e) {
  diseno.vz = e.vz;
  diseno.elegida.reset();
  diseno.vecinas.clear();
  diseno.intervaloR = IntervaloR{std::nullopt, RMaxima(e)};
  if (diseno.opciones.rOhm) {
    diseno.elegida = Evaluar(e, *diseno.opciones.rOhm);
    return;
  }
  const TablaSerie& tabla = TablaDe(diseno.opciones.serie);
  const auto indice = IndiceElegido(e, tabla);
  if (!indice) return;
  diseno.elegida = Evaluar(e, ValorEn(tabla, *indice));
  if (*indice > 0) diseno.vecinas.push_back(Evaluar(e, ValorEn(tabla, *indice - 1)));
  if (*indice + 1 < CuantosValores(tabla)) {
    diseno.vecinas.push_back(Evaluar(e, ValorEn(tabla, *indice + 1)));
  }
}

// The part's datasheet range at Izt, widened by its temperature coefficient
// over the ambient range where the datasheet gives one.
IntervaloVz BandaDe(const FamiliaZener& familia, const FilaZener& fila, const OpcionesDiseno& o) {
  IntervaloVz banda{fila.vzMin, fila.vzMax};
  if (!familia.conCoeficiente) return banda;
  for (const double t : {o.tempMinC, o.tempMaxC}) {
    for (const double tc : {fila.tcMin, fila.tcMax}) {
      const double factor = 1 + tc / kPorCiento * (t - kTemperaturaDeMedidaC);
      banda.bajo = std::min(banda.bajo, fila.vzMin * factor);
      banda.alto = std::max(banda.alto, fila.vzMax * factor);
    }
  }
  return banda;
}

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
  std::string texto = "No hay zener de " + CifraCorta(vz, 3) + " V en las tablas verificadas:";
  const char* separador = " ";
  for (const FamiliaZener& f : kFamilias) {
    if (o.familia != Familia::Automatica && f.familia != o.familia) continue;
    const FilaZener* fin = f.filas + f.cuantas;
    const auto mayor = static_cast<std::size_t>(
        std::find_if(f.filas, fin, [vz](const FilaZener& fila) { return fila.vz > vz; }) - f.filas);
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

// Why the part cannot take the worst case, if it cannot.
std::optional<std::string> FalloDePieza(const Diseno& d, const ZenerElegido& z) {
  const PeorCaso& c = *d.elegida;
  const double margen = d.opciones.margen;
  const std::string numero(z.fila->numero);
  const std::string aTemperatura = " a " + Grados(d.opciones.tempMaxC) + ".";
  if (margen * c.pzSinCargaW > z.potenciaAdmisibleW) {
    return numero + " no basta: " + CifraCorta(margen, 2) + " × " + Cifra(c.pzSinCargaW, 3) +
           " W = " + Cifra(margen * c.pzSinCargaW, 3) + " W con la carga desconectada, y admite " +
           Cifra(z.potenciaAdmisibleW, 3) + " W" + aTemperatura;
  }
  if (c.izMaxMa > z.izMaxAdmisibleMa) {
    return numero + " no basta: Iz máx " + CifraSinCruzar(c.izMaxMa, z.izMaxAdmisibleMa, 0) +
           " mA con la carga desconectada, y admite " + Cifra(z.izMaxAdmisibleMa, 0) + " mA" +
           aTemperatura;
  }
  return std::nullopt;
}

std::string SinValorDeSerie(const Diseno& d) {
  if (d.opciones.rOhm && d.elegida) {
    return "Con " + CifraCorta(d.elegida->rOhm, 2) +
           " Ω la corriente mínima del zener en el peor caso es " +
           CifraSinCruzar(d.elegida->izMinMa, d.datos.IzMin, 2) + " mA, menos de " +
           CifraCorta(d.datos.IzMin, 6) + " mA.";
  }
  return "Ningún valor de la serie " + std::string(TablaDe(d.opciones.serie).nombre) +
         " garantiza la corriente mínima del zener con estas tolerancias.";
}

// Tries the parts of the voltage in ascending power and keeps the first
// that takes the worst case of its own band. Without one, the design shown is
// that of the first part tried, or of the tolerance asked for, with the
// reasons.
void ElegirZener(Diseno& diseno) {
  const OpcionesDiseno& o = diseno.opciones;
  const double vz = diseno.datos.VnZener;
  std::vector<std::string> descartes;
  bool hayFila = false;
  std::optional<std::pair<IntervaloVz, ZenerElegido>> primera;
  auto probar = [&](const IntervaloVz& banda, const ZenerElegido& z) {
    const Entorno e{diseno.datos, diseno.tolR, banda, o.cargaOhm};
    Resolver(diseno, e);
    diseno.intervaloR->rMinOhm = RMinima(e, z, o.margen);
    diseno.candidato = z;
  };
  for (const FamiliaZener& f : kFamilias) {
    if (o.familia != Familia::Automatica && f.familia != o.familia) continue;
    const FilaZener* fila = FilaDeTension(f, vz);
    if (!fila) continue;
    hayFila = true;
    if (o.tolVz && MasAnchaQue(*fila, *o.tolVz)) {
      descartes.push_back(FueraDeTolerancia(*fila, *o.tolVz));
      continue;
    }
    const ZenerElegido z{&f, fila, PotenciaAdmisibleW(f, o.tempMaxC),
                         IzMaxAdmisibleMa(f, *fila, o.tempMaxC)};
    const IntervaloVz banda = BandaDe(f, *fila, o);
    if (!primera) primera.emplace(banda, z);
    probar(banda, z);
    if (!diseno.elegida || !diseno.elegida->cumple) continue;
    const auto fallo = FalloDePieza(diseno, z);
    if (!fallo) {
      diseno.zener = z;
      break;
    }
    descartes.push_back(*fallo);
  }
  if (!diseno.zener && primera) probar(primera->first, primera->second);
  if (!primera) {
    const double tolVz = o.tolVz.value_or(kTolVzSinPieza);
    Resolver(diseno, {diseno.datos, diseno.tolR, {vz * (1 - tolVz), vz * (1 + tolVz)}, o.cargaOhm});
    diseno.motivos.push_back(hayFila ? "Ningún zener de " + CifraCorta(vz, 3) +
                                           " V de las tablas cumple el ±" + Porcentaje(tolVz) +
                                           " pedido."
                                     : SinFila(vz, o));
    if (ConTemperatura(o)) {
      diseno.avisos.push_back(
          "Sin diodo, el intervalo de Vz no incluye su deriva con la temperatura.");
    }
  }
  std::vector<std::string>& destino = diseno.zener ? diseno.avisos : diseno.motivos;
  for (std::string& d : descartes) destino.push_back(std::move(d));
  if (!diseno.zener && primera && diseno.elegida && diseno.elegida->cumple) {
    diseno.avisos.push_back(ConsejoDePotencia(o.serie));
  }
  if (diseno.zener && ConTemperatura(o) && !diseno.zener->familia->conCoeficiente) {
    diseno.avisos.push_back("La hoja de datos de " + std::string(diseno.zener->familia->nombre) +
                            " no da el coeficiente de temperatura de Vz: el intervalo de Vz es el "
                            "de 25 °C.");
  }
}

void ElegirPotenciaResistencia(Diseno& diseno) {
  diseno.factorResistencia = FactorResistencia(diseno.opciones.tempMaxC);
  const double necesaria = diseno.opciones.margen * diseno.elegida->prW;
  for (const double p : kPotenciasResistencia) {
    if (p * diseno.factorResistencia >= necesaria) {
      diseno.potenciaResistenciaW = p;
      return;
    }
  }
  diseno.motivos.push_back("La resistencia ha de disipar " + Cifra(necesaria, 3) +
                           " W: más de lo que admite la mayor normalizada, " +
                           Cifra(kPotenciasResistencia.back() * diseno.factorResistencia, 3) +
                           " W a " + Grados(diseno.opciones.tempMaxC) + ".");
}

struct Impedancia {
  double ohm;
  std::string_view origen;
  double desdeMa;
};

// A datasheet impedance that holds at the worst-case minimum current: Zzt
// from Izt up, Zzk, the larger, from Izk up; below Izk the sheet says nothing.
std::optional<Impedancia> ImpedanciaValida(const Diseno& d) {
  if (d.opciones.zz) return Impedancia{*d.opciones.zz, "dada", 0};
  const FilaZener& fila = *d.zener->fila;
  const double iz = d.elegida->izMinMa;
  if (iz >= fila.iztMa) return Impedancia{fila.zztOhm, "Zzt", fila.iztMa};
  if (iz >= fila.izkMa) return Impedancia{fila.zzkOhm, "Zzk", fila.izkMa};
  return std::nullopt;
}

void Regular(Diseno& diseno) {
  if (!diseno.zener && !diseno.opciones.zz) {
    diseno.sinRegulacion = "Sin diodo elegido no hay impedancia de la hoja de datos.";
    return;
  }
  const auto z = ImpedanciaValida(diseno);
  if (!z) {
    diseno.sinRegulacion =
        "La corriente mínima del zener, " + Cifra(diseno.elegida->izMinMa, 2) +
        " mA, queda por debajo de Izk = " + CifraCorta(diseno.zener->fila->izkMa, 2) +
        " mA: la hoja de datos no da la impedancia ahí.";
    return;
  }
  const DatosCircuito& d = diseno.datos;
  const double r = diseno.elegida->rOhm;
  // The load resistance, where given, shunts the Zener for what comes in.
  const double zp = diseno.opciones.cargaOhm
                        ? z->ohm * *diseno.opciones.cargaOhm / (z->ohm + *diseno.opciones.cargaOhm)
                        : z->ohm;
  Regulacion g;
  g.zzOhm = z->ohm;
  g.origen = z->origen;
  g.desdeMa = z->desdeMa;
  g.zpOhm = zp;
  g.lineaMvV = zp / (r + zp) * kMiliPorUnidad;
  g.cargaMvMa = r * z->ohm / (r + z->ohm);
  g.rizadoDb = 20 * std::log10((r + zp) / zp);
  if (diseno.opciones.rizadoMv) g.rizadoSalidaMv = *diseno.opciones.rizadoMv * zp / (r + zp);
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
  ElegirZener(diseno);
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
  ElegirPotenciaResistencia(diseno);
  Regular(diseno);
  diseno.construible = diseno.elegida->cumple && diseno.potenciaResistenciaW && diseno.zener;
  return diseno;
}

}  // namespace zener
