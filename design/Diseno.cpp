#include "design/Diseno.h"

#include <algorithm>
#include <cmath>

#include "core/Tablas.h"
#include "design/Componentes.h"
#include "design/Texto.h"

namespace zener {

namespace {

constexpr double kMaximaTolerancia = 0.5;  // beyond it "worst case" stops meaning anything
constexpr double kMargenMinimo = 1;
constexpr double kMargenMaximo = 100;
constexpr double kMiliPorUno = 1000;
// Two voltages closer than this are the same standard value.
constexpr double kIgualdadTension = 1e-6;

PeorCaso EvaluarPeorCaso(const DatosCircuito& d, double r, double tolR, double tolVz) {
  const double vzAlta = d.VnZener * (1 + tolVz);
  const double vzBaja = d.VnZener * (1 - tolVz);
  const double rAlta = r * (1 + tolR);
  const double rBaja = r * (1 - tolR);
  PeorCaso caso;
  caso.rOhm = r;
  caso.izMinMa = (d.VeMin - vzAlta) / rAlta * kMiliPorUno - d.IcMax;
  const double caida = d.VeMax - vzBaja;
  caso.prW = caida * caida / rBaja;
  caso.pzW = vzAlta * caida / rBaja;
  caso.cumple = caso.izMinMa >= d.IzMin;
  return caso;
}

// The largest series value that passes: the closed-form bound finds the
// neighbourhood, the worst-case formula itself decides the last step.
std::optional<std::size_t> IndiceElegido(const DatosCircuito& d, const TablaSerie& tabla,
                                         double tolR, double tolVz) {
  const double cota =
      (d.VeMin - d.VnZener * (1 + tolVz)) / ((d.IzMin + d.IcMax) / kMiliPorUno * (1 + tolR));
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
  auto pasa = [&](std::size_t i) {
    return EvaluarPeorCaso(d, ValorEn(tabla, i), tolR, tolVz).cumple;
  };
  std::size_t i = alto;  // candidate count: values [0, i) are at or under the bound
  while (i < total && pasa(i)) ++i;
  while (i > 0 && !pasa(i - 1)) --i;
  if (i == 0) return std::nullopt;
  return i - 1;
}

template <std::size_t N>
std::optional<double> PrimeraQueBasta(const std::array<double, N>& potencias, double necesaria) {
  for (const double p : potencias) {
    if (p >= necesaria) return p;
  }
  return std::nullopt;
}

std::optional<Familia> FamiliaQueBasta(double necesaria) {
  for (const FamiliaZener& f : kFamilias) {
    if (f.potenciaW >= necesaria) return f.familia;
  }
  return std::nullopt;
}

const FilaZener* FilaDeTension(const FamiliaZener& familia, double vz) {
  const FilaZener* fin = familia.filas + familia.cuantas;
  const FilaZener* fila = std::find_if(familia.filas, fin, [vz](const FilaZener& f) {
    return std::fabs(f.vz - vz) <= kIgualdadTension * f.vz;
  });
  return fila == fin ? nullptr : fila;
}

std::string AvisoTensionNoNormalizada(const FamiliaZener& familia, double vz) {
  const FilaZener* fin = familia.filas + familia.cuantas;
  const FilaZener* mayor =
      std::find_if(familia.filas, fin, [vz](const FilaZener& f) { return f.vz > vz; });
  std::string aviso = "La tensión de zener " + Cifra(vz, 2) + " V no es un valor normalizado de " +
                      std::string(familia.nombre);
  if (mayor != familia.filas) aviso += "; por debajo: " + Cifra((mayor - 1)->vz, 1) + " V";
  if (mayor != fin) aviso += "; por encima: " + Cifra(mayor->vz, 1) + " V";
  return aviso + ".";
}

void ElegirZener(Diseno& diseno, double potenciaNecesaria) {
  const double vz = diseno.datos.VnZener;
  std::optional<Familia> familia = diseno.opciones.familia;
  if (familia == Familia::Automatica) familia = FamiliaQueBasta(potenciaNecesaria);
  if (!familia) {
    diseno.avisos.push_back(
        "Ningún diodo de estas familias disipa " + Cifra(potenciaNecesaria, 3) +
        " W. Ayudaría un intervalo de tensión de entrada más estrecho, una corriente "
        "mínima de zener menor o una serie de resistencias más fina (E48, E96, E192).");
    return;
  }
  const FamiliaZener& f = FamiliaDe(*familia);
  if (f.potenciaW < potenciaNecesaria) {
    diseno.avisos.push_back("La familia " + std::string(f.nombre) + " (" +
                            CifraCorta(f.potenciaW, 1) + " W) no basta para " +
                            Cifra(potenciaNecesaria, 3) + " W.");
  }
  const FilaZener* fila = FilaDeTension(f, vz);
  if (!fila) {
    diseno.avisos.push_back(AvisoTensionNoNormalizada(f, vz));
    return;
  }
  diseno.zener = ZenerElegido{fila->numero, f.familia,    f.potenciaW,      fila->vz,
                              fila->iztMa,  fila->zztOhm, IzMaxMa(f, *fila)};
}

Regulacion Regular(const Diseno& diseno, double zz) {
  const DatosCircuito& d = diseno.datos;
  const double r = diseno.elegida->rOhm;
  Regulacion regulacion;
  regulacion.zzOhm = zz;
  regulacion.lineaMvV = zz / (r + zz) * kMiliPorUno;
  regulacion.cargaMvMa = r * zz / (r + zz);
  regulacion.rizadoDb = 20 * std::log10((r + zz) / zz);
  regulacion.rendimiento =
      d.VnZener * d.IcMax / kMiliPorUno / (d.VeMin * (d.VeMin - d.VnZener) / r);
  return regulacion;
}

bool Finito(const PeorCaso& caso) {
  return std::isfinite(caso.izMinMa) && std::isfinite(caso.prW) && std::isfinite(caso.pzW);
}

}  // namespace

std::optional<std::string> ErrorDeOpciones(const OpcionesDiseno& o) {
  auto fuera = [](double v, double min, double max) { return !(v >= min && v <= max); };
  if (o.tolR && fuera(*o.tolR, 0, kMaximaTolerancia)) {
    return "la tolerancia de la resistencia ha de estar entre 0 y 50 %";
  }
  if (fuera(o.tolVz, 0, kMaximaTolerancia)) {
    return "la tolerancia del zener ha de estar entre 0 y 50 %";
  }
  if (fuera(o.margen, kMargenMinimo, kMargenMaximo)) {
    return "el margen de potencia ha de estar entre 1 y 100";
  }
  if (o.zz && !(*o.zz > 0 && std::isfinite(*o.zz))) {
    return "la impedancia del zener ha de ser mayor que 0";
  }
  return std::nullopt;
}

Diseno Disenar(const DatosCircuito& valores, const OpcionesDiseno& opciones) {
  Diseno diseno;
  DatosCircuito& d = diseno.datos;
  // Only the six design values: whatever else the caller's record holds is
  // no input of the design.
  for (const FilaCampo& fila : kCampos) d.*fila.valor = valores.*fila.valor;
  diseno.opciones = opciones;
  const TablaSerie& tabla = TablaDe(opciones.serie);
  diseno.tolR = opciones.tolR.value_or(tabla.tolR);
  if (auto error = ErrorDeOpciones(opciones)) {
    diseno.veredicto = Veredicto::FueraDeRango;
    diseno.mensaje = "Opciones no válidas: " + *error + ".";
    return diseno;
  }
  diseno.veredicto = Calcular(d);
  if (diseno.veredicto != Veredicto::Cumple) {
    const auto regla = ReglaDe(diseno.veredicto);
    diseno.mensaje = std::string(regla ? regla->prompt : kPromptFueraDeRango);
    return diseno;
  }
  const auto indice = IndiceElegido(d, tabla, diseno.tolR, opciones.tolVz);
  if (!indice) {
    diseno.mensaje = "Ningún valor de la serie " + std::string(tabla.nombre) +
                     " garantiza la corriente mínima del zener con estas tolerancias.";
    return diseno;
  }
  auto evaluar = [&](std::size_t i) {
    return EvaluarPeorCaso(d, ValorEn(tabla, i), diseno.tolR, opciones.tolVz);
  };
  diseno.elegida = evaluar(*indice);
  if (!Finito(*diseno.elegida)) {
    diseno.elegida.reset();
    diseno.veredicto = Veredicto::FueraDeRango;
    diseno.mensaje = std::string(kPromptFueraDeRango);
    return diseno;
  }
  if (*indice > 0) diseno.vecinas.push_back(evaluar(*indice - 1));
  if (*indice + 1 < CuantosValores(tabla)) diseno.vecinas.push_back(evaluar(*indice + 1));
  diseno.cumple = true;

  const double prNecesaria = opciones.margen * diseno.elegida->prW;
  diseno.potenciaResistenciaW = PrimeraQueBasta(kPotenciasResistencia, prNecesaria);
  if (!diseno.potenciaResistenciaW) {
    diseno.avisos.push_back("La resistencia ha de disipar " + Cifra(prNecesaria, 3) +
                            " W: más que la mayor potencia normalizada (5 W).");
  }
  const double pzNecesaria = opciones.margen * diseno.elegida->pzW;
  if (const auto familia = FamiliaQueBasta(pzNecesaria)) {
    diseno.potenciaZenerW = FamiliaDe(*familia).potenciaW;
  }
  ElegirZener(diseno, pzNecesaria);
  const std::optional<double> zz =
      opciones.zz ? opciones.zz
                  : (diseno.zener ? std::optional<double>(diseno.zener->zztOhm) : std::nullopt);
  if (zz) diseno.regulacion = Regular(diseno, *zz);
  return diseno;
}

}  // namespace zener
