// The three forms of a design's report. The text and the page share the
// sections below, so that the page never says something the text does not.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "core/NumeroTexto.h"
#include "core/Tablas.h"
#include "design/Componentes.h"
#include "design/Diseno.h"
#include "design/Envolvente.h"
#include "design/Json.h"
#include "design/Materiales.h"
#include "design/Texto.h"

namespace zener {

namespace {

constexpr double kPorCiento = 100;
constexpr char kSaltoDeMensaje = '\n';
constexpr int kDecimalesDerivados = 2;  // currents the load resistance gives
constexpr int kDecimalesOhmios = 2;

// A table of the report: a text one aligns its columns, a page's marks the
// row the design takes and the cells that fail.
struct Tabla {
  struct Fila {
    std::vector<std::string> celdas;
    bool destacada = false;
    bool falla = false;  // of its last cell
  };
  std::vector<std::string> cabecera;
  std::vector<Fila> filas;
};

struct Seccion {
  std::string titulo;
  std::vector<std::string> lineas;
  std::optional<Tabla> tabla = std::nullopt;  // after the lines
};

std::string Ohm(double r) {
  return Ohmios(r, kDecimalesOhmios);
}
std::string Voltios(double v) {
  return CifraCorta(v, 3) + " V";
}

std::string NombreFamilia(Familia familia) {
  return std::string(familia == Familia::Automatica ? kNombreAutomatica
                                                    : FamiliaDe(familia).nombre);
}

// A design value with the decimals it was given; the currents a load
// resistance gives, with two.
std::string Dato(const Diseno& d, Magnitud m) {
  const auto i = static_cast<std::size_t>(m);
  const bool derivada = d.opciones.cargaOhm && (m == Magnitud::IcMin || m == Magnitud::IcMax);
  return Cifra(d.datos.*kCampos[i].valor, derivada ? kDecimalesDerivados : d.decimales[i]);
}

// The rule's message as lines.
std::vector<std::string> LineasDeMensaje(const std::string& mensaje) {
  std::vector<std::string> lineas;
  std::size_t inicio = 0;
  while (inicio <= mensaje.size()) {
    std::size_t fin = mensaje.find(kSaltoDeMensaje, inicio);
    if (fin == std::string::npos) fin = mensaje.size();
    lineas.push_back(mensaje.substr(inicio, fin - inicio));
    inicio = fin + 1;
  }
  return lineas;
}

std::string ToleranciaZener(const OpcionesDiseno& o) {
  return o.tolVz ? "zener al ±" + Porcentaje(*o.tolVz) + " como máximo"
                 : "zener según su hoja de datos";
}

Seccion Datos(const Diseno& d) {
  const OpcionesDiseno& o = d.opciones;
  Seccion s{"Datos",
            {"Tensión de entrada: " + Dato(d, Magnitud::VeMin) + " V a " +
             Dato(d, Magnitud::VeMax) + " V"}};
  if (o.cargaOhm) {
    s.lineas.push_back("Carga: " + Ohm(*o.cargaOhm) + ", " + Dato(d, Magnitud::IcMax) +
                       " mA a la tensión nominal del zener");
  } else {
    s.lineas.push_back("Corriente por la carga: " + Dato(d, Magnitud::IcMin) + " mA a " +
                       Dato(d, Magnitud::IcMax) + " mA");
  }
  s.lineas.push_back("Tensión del zener: " + Dato(d, Magnitud::VnZener) + " V");
  s.lineas.push_back("Corriente mínima del zener: " + Dato(d, Magnitud::IzMin) + " mA");
  s.lineas.push_back("Serie " + std::string(TablaDe(o.serie).nombre) + ", resistencia al " +
                     Porcentaje(d.tolR) + ", " + ToleranciaZener(o) + ", margen de potencia " +
                     CifraCorta(o.margen, 2) + ", familia " + NombreFamilia(o.familia));
  s.lineas.push_back("Temperatura ambiente: " +
                     (ConTemperatura(o) ? "de " + Grados(o.tempMinC) + " a " + Grados(o.tempMaxC)
                                        : Grados(o.tempMaxC)));
  if (o.rOhm) s.lineas.push_back("Resistencia a comprobar: " + Ohm(*o.rOhm));
  if (o.rizadoMv) s.lineas.push_back("Rizado de entrada: " + CifraCorta(*o.rizadoMv, 3) + " mV pp");
  return s;
}

Seccion Reglas(const Diseno& d) {
  Seccion s{"Comprobación de las reglas", {}};
  const int regla = NumeroDeRegla(d.veredicto);
  if (regla > 0) {
    s.lineas.push_back("Se incumple la regla " + std::to_string(regla) + ":");
  } else if (d.veredicto == Veredicto::Cumple) {
    s.lineas.push_back("Se cumplen las siete reglas.");
  }
  if (d.veredicto != Veredicto::Cumple) {
    for (std::string& linea : LineasDeMensaje(d.mensaje)) s.lineas.push_back(std::move(linea));
  }
  return s;
}

Seccion Exacta(const Diseno& d) {
  return {"Paso 1. Resistencia exacta, con valores nominales",
          {"R = (VeMin − Vz) / (IzMin + IcMax) = (" + Dato(d, Magnitud::VeMin) + " − " +
           Dato(d, Magnitud::VnZener) + ") V / (" + Dato(d, Magnitud::IzMin) + " + " +
           Dato(d, Magnitud::IcMax) + ") mA = " + Cifra(d.datos.RrLim, 2) + " Ω"}};
}

std::string EntradaExtrema(const Diseno& d, Magnitud m) {
  if (!d.opciones.rizadoMv) return Dato(d, m) + " V";
  const bool baja = m == Magnitud::VeMin;
  const double v = d.datos.*kCampos[static_cast<std::size_t>(m)].valor;
  return Voltios(baja ? v - MediaRizadoV(d.opciones) : v + MediaRizadoV(d.opciones)) + " (" +
         Dato(d, m) + " V " + (baja ? "−" : "+") + " " + Voltios(MediaRizadoV(d.opciones)) + ")";
}

Seccion Tension(const Diseno& d) {
  Seccion s{"Paso 2. Tensión del zener en el peor caso", {}};
  const IntervaloVz& vz = *d.vz;
  const OpcionesDiseno& o = d.opciones;
  if (d.candidato) {
    const FilaZener& f = *d.candidato->fila;
    const FamiliaZener& familia = *d.candidato->familia;
    s.lineas.push_back(std::string(f.numero) + (d.zener ? "" : " (no basta; véase el resultado)") +
                       ": de " + Voltios(f.vzMin) + " a " + Voltios(f.vzMax) + " a Izt = " +
                       CifraCorta(f.iztMa, 2) + " mA y 25 °C, según su hoja de datos");
    if (familia.conCoeficiente && d.tjMaxC) {
      // A junction that would pass its maximum stops the rounds there.
      const std::string hasta =
          *d.tjMaxC > familia.tjMaxC
              ? "más de los " + Grados(familia.tjMaxC) + " que admite la unión"
              : Grados(std::round(*d.tjMaxC)) + " en la unión";
      s.lineas.push_back("Coeficiente de temperatura de " + CifraCorta(f.tcMin, 3) + " %/K a " +
                         CifraCorta(f.tcMax, 3) + " %/K; de " + Grados(o.tempMinC) +
                         " de ambiente a " + hasta + ": de " + Voltios(vz.bajo) + " a " +
                         Voltios(vz.alto) + " a Izt");
    }
    s.lineas.push_back(
        "Envolvente: toda curva V(I) = V(Izt) + a·ln(I/Izt) + RS·(I − Izt), a ≥ 0, RS ≥ 0, con "
        "impedancia a/I + RS de como mucho Zzt = " +
        CifraCorta(f.zztOhm, 2) + " Ω a Izt y Zzk = " + CifraCorta(f.zzkOhm, 2) +
        " Ω a Izk = " + CifraCorta(f.izkMa, 2) +
        " mA; cada corriente del peor caso se resuelve con la tensión más alta o más baja que "
        "alguna de ellas da ahí. Por debajo de Izk la hoja de datos no dice nada.");
  } else {
    s.lineas.push_back("Sin diodo elegido: " + Voltios(d.datos.VnZener) + " ± " +
                       Porcentaje((vz.alto - vz.bajo) / (vz.alto + vz.bajo)) + ", de " +
                       Voltios(vz.bajo) + " a " + Voltios(vz.alto) + ", sin impedancia");
  }
  s.lineas.push_back("Vz baja = " + Voltios(vz.bajo) + ", Vz alta = " + Voltios(vz.alto) +
                     (d.candidato ? " a Izt" : ""));
  s.lineas.push_back("Entrada: VeMin y VeMax son los extremos de su valor medio" +
                     std::string(o.rizadoMv ? "; el rizado va encima: de " +
                                                  EntradaExtrema(d, Magnitud::VeMin) + " a " +
                                                  EntradaExtrema(d, Magnitud::VeMax)
                                            : ""));
  return s;
}

std::string CargaTexto(const Diseno& d, Magnitud m) {
  return d.opciones.cargaOhm
             ? "la carga de " + Ohm(*d.opciones.cargaOhm)
             : std::string(m == Magnitud::IcMax ? "IcMax = " : "IcMin = ") + Dato(d, m) + " mA";
}

Tabla TablaPeorCaso(const Diseno& d);

Seccion PeorCasoElegida(const Diseno& d) {
  const PeorCaso& c = *d.elegida;
  const std::string r = CifraCorta(c.rOhm, 2);
  const std::string rMas = "R·(1 + " + CifraCorta(d.tolR, 4) + ")";
  const std::string rMenos = "R·(1 − " + CifraCorta(d.tolR, 4) + ")";
  const std::string veMin = EntradaExtrema(d, Magnitud::VeMin);
  const std::string veMax = EntradaExtrema(d, Magnitud::VeMax);
  const std::string tension =
      d.candidato ? "la tensión más alta de la envolvente a esa corriente" : "Vz alta";
  const std::string baja = d.candidato ? "la más baja" : "Vz baja";
  std::vector<std::string> lineas = {
      "R = " + r +
          " Ω; cada figura, en el extremo de R, de la entrada y de la carga que la "
          "empeora, y con la curva de la envolvente que la empeora",
      "Iz mín, con " + veMin + ", " + rMas + " y " + CargaTexto(d, Magnitud::IcMax) + ", con " +
          tension + " = " + CifraSinCruzar(c.izMinMa, d.izRequeridaMa, 2) + " mA " +
          (c.cumple ? "≥ " : "< ") + CifraCorta(d.izRequeridaMa, 6) + " mA" +
          (d.izRequeridaMa > d.datos.IzMin ? " (Izk)" : ""),
      "Iz máx, con " + veMax + ", " + rMenos + ", carga desconectada y " + baja + " = " +
          Cifra(c.izMaxMa, 2) + " mA",
      "P R, con " + veMax + ", " + CargaTexto(d, Magnitud::IcMax) + " y " + baja +
          ", en el peor extremo de R = " + Cifra(c.prW, 3) + " W",
      "P Z, carga desconectada = máx. de Vz·(VeMax − Vz) / (R·(1−tR)) entre las tensiones que "
      "toman las curvas = " +
          Cifra(c.pzSinCargaW, 3) + " W",
      "P Z, con " + CargaTexto(d, Magnitud::IcMin) + " = " + Cifra(c.pzConIcMinW, 3) + " W",
      d.opciones.rOhm ? "La resistencia es la dada."
                      : "Se elige el mayor valor de la serie que cumple; sus vecinos en la tabla.",
  };
  return {"Paso 3. Peor caso: R y Vz en el extremo desfavorable", lineas, TablaPeorCaso(d)};
}

Seccion Salida(const Diseno& d) {
  const PeorCaso& c = *d.elegida;
  Seccion s{"Tensión de salida",
            {"De " + Voltios(c.voutMinV) + " (entrada de " +
             Voltios(d.datos.VeMin - MediaRizadoV(d.opciones)) + ", R alta, " +
             CargaTexto(d, Magnitud::IcMax) + ") a " + Voltios(c.voutMaxV) + " (entrada de " +
             Voltios(d.datos.VeMax + MediaRizadoV(d.opciones)) + ", R baja, " +
             CargaTexto(d, Magnitud::IcMin) + ")"}};
  if (d.voutNominalV) {
    s.lineas.push_back("Nominal: " + Voltios(*d.voutNominalV) +
                       " con la entrada y la carga a medio camino, R nominal" +
                       (d.candidato ? " y un diodo de Vz nominal en el centro de lo que su hoja "
                                      "de datos permite"
                                    : ""));
  }
  return s;
}

Seccion IntervaloDeR(const Diseno& d) {
  const IntervaloR& w = *d.intervaloR;
  const std::string rMax = Ohm(w.rMaxOhm);
  if (!w.rMinOhm) {
    return {"Valores de R que sirven",
            {"R máx = " + rMax + " (mantiene IzMin en el peor caso); sin diodo no hay R mín."}};
  }
  const bool vacia = !(*w.rMinOhm <= w.rMaxOhm);
  return {"Valores de R que sirven",
          {"De R mín = " + Ohm(*w.rMinOhm) + " (potencia e Iz máx del " +
           std::string(d.candidato->fila->numero) + ", carga desconectada) a R máx = " + rMax +
           " (IzMin en el peor caso), en valores nominales" + (vacia ? ": ninguno." : ".")}};
}

std::string ResistenciaElegida(const Diseno& d) {
  if (!d.resistencia)
    return "ninguna de montaje " + std::string(NombreDeMontaje(d.opciones.montaje));
  const ResistenciaComercial& r = *d.resistencia;
  const std::string tension =
      r.tensionMaxV > 0 ? ", hasta " + CifraCorta(r.tensionMaxV, 0) + " V" : "";
  return std::string(r.tipo) + " (" + std::string(r.encapsulado.nombre) + ", " +
         CifraCorta(r.potenciaW, 3) + " W hasta " + Grados(kRodillaResistenciaC) + tension + "; " +
         std::string(FuenteDeResistencia(r)) + ")";
}

Seccion Piezas(const Diseno& d) {
  const double margen = d.opciones.margen;
  const PeorCaso& c = *d.elegida;
  Seccion s{"Paso 4. Piezas",
            {"Resistencia: " + Ohm(c.rOhm) + " " + std::string(TablaDe(d.opciones.serie).nombre) +
             " al " + Porcentaje(d.tolR) + ", " + CifraCorta(margen, 2) + " × " + Cifra(c.prW, 3) +
             " W = " + Cifra(margen * c.prW, 3) + " W → " + ResistenciaElegida(d)}};
  if (d.factorResistencia < 1) {
    s.lineas.push_back("A " + Grados(d.opciones.tempMaxC) + " una resistencia admite el " +
                       CifraCorta(d.factorResistencia * kPorCiento, 1) +
                       " % de su potencia (plena hasta " + Grados(kRodillaResistenciaC) +
                       ", nula a " + Grados(kMaximaResistenciaC) + ")");
  }
  if (!d.zener) {
    s.lineas.push_back("Zener: ninguno de las tablas (véase el resultado)");
    return s;
  }
  const ZenerElegido& z = *d.zener;
  const FilaZener& f = *z.fila;
  const FamiliaZener& familia = *z.familia;
  s.lineas.push_back("Zener: " + std::string(f.numero) + " (" + std::string(familia.nombre) + ", " +
                     std::string(familia.encapsulado.nombre) + "), " +
                     CifraCorta(familia.potenciaW, 2) + " W hasta " + Grados(familia.rodillaC) +
                     " " + std::string(familia.condicion));
  s.lineas.push_back("Montaje: " + std::string(familia.montaje) +
                     ", RθJA = " + CifraCorta(familia.rthKPorW, 2) + " K/W, unión hasta " +
                     Grados(familia.tjMaxC) + " (" + std::string(familia.fuenteTermica) + ")");
  s.lineas.push_back("Potencia: " + CifraCorta(margen, 2) + " × " + Cifra(c.pzSinCargaW, 3) +
                     " W = " + Cifra(margen * c.pzSinCargaW, 3) + " W ≤ " +
                     Cifra(z.potenciaAdmisibleW, 3) + " W a " + Grados(d.opciones.tempMaxC));
  s.lineas.push_back("Temperatura de la unión: " + Grados(d.opciones.tempMaxC) + " + " +
                     Cifra(std::max(c.pzSinCargaW, c.pzConIcMinW), 3) + " W × " +
                     CifraCorta(familia.rthKPorW, 2) + " K/W = " + Cifra(*d.tjMaxC, 1) + " °C ≤ " +
                     Grados(familia.tjMaxC));
  const std::string origen =
      f.izmMa > 0 ? "Izm de la hoja de datos" : "P / Vz máx: la hoja de datos no da Izm";
  s.lineas.push_back("Iz máx: " + CifraSinCruzar(c.izMaxMa, z.izMaxAdmisibleMa, 2) + " mA ≤ " +
                     Cifra(z.izMaxAdmisibleMa, 2) + " mA (" + origen + ", a " +
                     Grados(d.opciones.tempMaxC) + ")");
  s.lineas.push_back("Izt " + CifraCorta(f.iztMa, 2) + " mA, Zzt " + CifraCorta(f.zztOhm, 2) +
                     " Ω; Izk " + CifraCorta(f.izkMa, 2) + " mA, Zzk " + CifraCorta(f.zzkOhm, 2) +
                     " Ω");
  return s;
}

std::string TituloRegulacion(const Diseno& d) {
  const Regulacion& g = *d.regulacion;
  const std::string zz = "Zz = " + CifraCorta(g.zzOhm, 2) + " Ω";
  if (g.origen == "dada") return "Paso 5. Regulación con " + zz + " (dada)";
  return "Paso 5. Regulación con " + zz +
         " (cota: la mayor impedancia que la envolvente permite con el zener de " +
         Cifra(g.desdeMa, 2) + " mA a " + Cifra(g.hastaMa, 2) + " mA, su punto de trabajo)";
}

Seccion Regulaciones(const Diseno& d) {
  if (!d.regulacion) return {"Paso 5. Regulación", {d.sinRegulacion}};
  const Regulacion& g = *d.regulacion;
  const std::string r = CifraCorta(d.elegida->rOhm, 2);
  const std::string rBaja = CifraCorta(d.elegida->rOhm * (1 - d.tolR), 2);
  const std::string rAlta = CifraCorta(d.elegida->rOhm * (1 + d.tolR), 2);
  const std::string zz = CifraCorta(g.zzOhm, 2);
  const std::string suma = "(" + rAlta + " + " + zz + ")";
  const std::string vz = Dato(d, Magnitud::VnZener);
  const std::string veMin = Dato(d, Magnitud::VeMin);
  // What comes in sees Zz, or Zz with the load resistance across it.
  const bool paralelo = d.opciones.cargaOhm.has_value();
  const std::string z = paralelo ? "Zp" : "Zz";
  const std::string zp = paralelo ? CifraCorta(g.zpOhm, 2) : zz;
  const std::string sumaP = "(" + rBaja + " + " + zp + ")";
  Seccion s{TituloRegulacion(d), {}};
  if (paralelo) {
    const std::string rl = CifraCorta(*d.opciones.cargaOhm, 2);
    s.lineas.push_back("Zp = Zz·RL/(Zz+RL) = " + zz + "·" + rl + "/(" + zz + " + " + rl +
                       ") = " + zp + " Ω, la carga en paralelo con el zener");
  }
  s.lineas.push_back("Línea, como mucho: " + z + "/(R baja+" + z + ") = " + zp + "/" + sumaP +
                     " = " + Cifra(g.lineaMvV, 1) + " mV/V");
  s.lineas.push_back("Carga, como mucho: R alta·Zz/(R alta+Zz) = " + rAlta + "·" + zz + "/" + suma +
                     " = " + Cifra(g.cargaMvMa, 2) + " mV/mA");
  s.lineas.push_back("Atenuación del rizado, al menos: 20·log10((R baja+" + z + ")/" + z +
                     ") = 20·log10(" + sumaP + "/" + zp + ") = " + Cifra(g.rizadoDb, 1) + " dB");
  s.lineas.push_back("Rendimiento a VeMin y plena carga: Vz·IcMax / (VeMin·(VeMin−Vz)/R) = " + vz +
                     " V·" + Dato(d, Magnitud::IcMax) + " mA / (" + veMin + " V·(" + veMin + " − " +
                     vz + ") V/" + r + " Ω) = " + Cifra(g.rendimiento * kPorCiento, 1) + " %");
  if (g.rizadoSalidaMv) {
    s.lineas.push_back("Rizado: " + CifraCorta(*d.opciones.rizadoMv, 3) + " mV pp a la entrada → " +
                       Cifra(*g.rizadoSalidaMv, 2) + " mV pp a la salida");
  }
  return s;
}

Seccion Resultado(const Diseno& d) {
  if (d.construible) return {"Resultado", {"Construible."}};
  Seccion s{"Resultado", {"No construible:"}};
  for (const std::string& motivo : d.motivos) s.lineas.push_back(motivo);
  return s;
}

std::vector<Seccion> Secciones(const Diseno& d) {
  std::vector<Seccion> s{Datos(d), Reglas(d)};
  if (d.veredicto == Veredicto::Cumple) {
    s.push_back(Exacta(d));
    s.push_back(Tension(d));
    if (d.elegida) {
      s.push_back(PeorCasoElegida(d));
      s.push_back(Salida(d));
      s.push_back(IntervaloDeR(d));
      s.push_back(Piezas(d));
      s.push_back(Regulaciones(d));
    }
  }
  s.push_back(Resultado(d));
  if (!d.avisos.empty()) s.push_back({"Avisos", d.avisos});
  return s;
}

// The chosen value among its neighbours, ascending.
std::vector<PeorCaso> FilasPeorCaso(const Diseno& d) {
  std::vector<PeorCaso> filas = d.vecinas;
  filas.push_back(*d.elegida);
  std::sort(filas.begin(), filas.end(),
            [](const PeorCaso& a, const PeorCaso& b) { return a.rOhm < b.rOhm; });
  return filas;
}

// Why a row of the table fails, or nothing when it works.
std::string_view FalloDeFila(const Diseno& d, const PeorCaso& c) {
  if (!c.cumple) return "Iz mín";
  if (!d.zener) return {};
  if (d.opciones.margen * c.pzSinCargaW > d.zener->potenciaAdmisibleW) return "P Z";
  if (c.izMaxMa > d.zener->izMaxAdmisibleMa) return "Iz máx";
  return {};
}

Tabla TablaPeorCaso(const Diseno& d) {
  Tabla t{{"R (Ω)", "Iz mín (mA)", "Iz máx (mA)", "P R (W)", "P Z sin carga (W)", "Resultado"}, {}};
  for (const PeorCaso& c : FilasPeorCaso(d)) {
    const bool elegida = c.rOhm == d.elegida->rOhm;
    const std::string_view fallo = FalloDeFila(d, c);
    const std::string resultado =
        fallo.empty() ? "cumple" : "no cumple (" + std::string(fallo) + ")";
    t.filas.push_back(
        {{CifraCorta(c.rOhm, 2), CifraSinCruzar(c.izMinMa, d.izRequeridaMa, 2), Cifra(c.izMaxMa, 2),
          Cifra(c.prW, 3), Cifra(c.pzSinCargaW, 3), resultado + (elegida ? " (elegida)" : "")},
         elegida,
         !fallo.empty()});
  }
  return t;
}

Seccion Materiales(const Diseno& d) {
  const std::vector<LineaMateriales> lista = ListaDeMateriales(d);
  if (lista.empty()) return {"Lista de materiales", {"Ninguna: el diseño no es construible."}};
  Tabla t{{kCabeceraMateriales.begin(), kCabeceraMateriales.end()}, {}};
  for (const LineaMateriales& l : lista) {
    t.filas.push_back({{l.referencia, l.valor, l.tolerancia, l.encapsulado, l.potencia, l.numero}});
  }
  return {"Lista de materiales", {}, t};
}

std::string Relleno(const std::string& texto, std::size_t ancho) {
  const auto largo = static_cast<std::size_t>(LongitudEnCaracteres(texto));
  return texto + std::string(largo < ancho ? ancho - largo : 1, ' ');
}

std::string TablaTexto(const Tabla& tabla) {
  constexpr std::size_t kSeparacion = 2;
  std::vector<std::vector<std::string>> filas{tabla.cabecera};
  for (const Tabla::Fila& fila : tabla.filas) filas.push_back(fila.celdas);
  std::vector<std::size_t> anchos(tabla.cabecera.size());
  for (const auto& fila : filas) {
    for (std::size_t i = 0; i < fila.size(); ++i) {
      anchos[i] = std::max(anchos[i], static_cast<std::size_t>(LongitudEnCaracteres(fila[i])));
    }
  }
  std::string t;
  for (const auto& fila : filas) {
    std::string linea = "  ";
    for (std::size_t i = 0; i < fila.size(); ++i)
      linea += Relleno(fila[i], anchos[i] + kSeparacion);
    linea.erase(linea.find_last_not_of(' ') + 1);
    t += linea + "\n";
  }
  return t;
}

// ---- JSON

std::string VecinaJson(const PeorCaso& c) {
  return ObjetoJson()
      .Numero("r_ohm", c.rOhm)
      .Numero("iz_min_peor_ma", c.izMinMa)
      .Numero("iz_max_peor_ma", c.izMaxMa)
      .Numero("p_r_peor_w", c.prW)
      .Numero("pz_sin_carga_peor_w", c.pzSinCargaW)
      .Numero("pz_ic_min_peor_w", c.pzConIcMinW)
      .Numero("vout_min_v", c.voutMinV)
      .Numero("vout_max_v", c.voutMaxV)
      .Booleano("cumple", c.cumple)
      .Cerrar();
}

std::string MaterialJson(const LineaMateriales& l) {
  ObjetoJson o;
  const auto campos = l.Campos();
  for (std::size_t i = 0; i < campos.size(); ++i) o.Cadena(kClavesMateriales[i], campos[i]);
  return o.Cerrar();
}

std::string EntradasJson(const Diseno& d) {
  static constexpr std::string_view kClaves[] = {"ve_min_v",  "ve_max_v", "ic_min_ma",
                                                 "ic_max_ma", "vz_v",     "iz_min_ma"};
  ObjetoJson o;
  for (std::size_t i = 0; i < kCampos.size(); ++i) o.Numero(kClaves[i], d.datos.*kCampos[i].valor);
  return o.Cerrar();
}

std::string OpcionesJson(const Diseno& d) {
  ObjetoJson o;
  o.Cadena("serie", TablaDe(d.opciones.serie).nombre)
      .Cadena("familia", NombreFamilia(d.opciones.familia))
      .Cadena("montaje", NombreDeMontaje(d.opciones.montaje));
  for (const OpcionNumerica& opcion : kOpcionesNumericas) {
    o.Numero(opcion.clave, opcion.leer(d.opciones));
  }
  return o.Cerrar();
}

std::string RegulacionJson(const Diseno& d) {
  if (!d.regulacion) return "null";
  const Regulacion& g = *d.regulacion;
  return ObjetoJson()
      .Numero("zz_ohm", g.zzOhm)
      .Cadena("zz_origen", g.origen)
      .Numero("zz_desde_ma", g.desdeMa)
      .Numero("zz_hasta_ma", g.hastaMa)
      .Numero("zp_ohm", g.zpOhm)
      .Numero("linea_mv_v", g.lineaMvV)
      .Numero("carga_mv_ma", g.cargaMvMa)
      .Numero("rizado_db", g.rizadoDb)
      .Numero("rizado_salida_mv", g.rizadoSalidaMv)
      .Numero("rendimiento", g.rendimiento)
      .Cerrar();
}

template <typename T, typename F>
std::optional<double> Si(const std::optional<T>& valor, F campo) {
  return valor ? std::optional<double>(campo(*valor)) : std::nullopt;
}

std::string Cadenas(const std::vector<std::string>& textos) {
  return ListaJson(textos, [](const std::string& t) { return CadenaJson(t); });
}

void ZenerJson(ObjetoJson& o, const Diseno& d) {
  const std::optional<ZenerElegido>& z = d.zener;
  auto fila = [&](double FilaZener::*campo) {
    return Si(z, [campo](const ZenerElegido& e) { return e.fila->*campo; });
  };
  o.Campo("zener", z ? CadenaJson(z->fila->numero) : "null")
      .Campo("zener_familia", z ? CadenaJson(z->familia->nombre) : "null")
      .Campo("zener_encapsulado", z ? CadenaJson(z->familia->encapsulado.nombre) : "null")
      .Numero("zener_vz_min_v", fila(&FilaZener::vzMin))
      .Numero("zener_vz_max_v", fila(&FilaZener::vzMax))
      .Numero("zener_izt_ma", fila(&FilaZener::iztMa))
      .Numero("zener_zzt_ohm", fila(&FilaZener::zztOhm))
      .Numero("zener_izk_ma", fila(&FilaZener::izkMa))
      .Numero("zener_zzk_ohm", fila(&FilaZener::zzkOhm))
      .Numero("zener_potencia_w", Si(z, [](const ZenerElegido& e) { return e.familia->potenciaW; }))
      .Numero("zener_rodilla_c", Si(z, [](const ZenerElegido& e) { return e.familia->rodillaC; }))
      .Campo("zener_condicion", z ? CadenaJson(z->familia->condicion) : "null")
      .Numero("zener_potencia_admisible_w",
              Si(z, [](const ZenerElegido& e) { return e.potenciaAdmisibleW; }))
      .Numero("zener_iz_max_ma", Si(z, [](const ZenerElegido& e) { return e.izMaxAdmisibleMa; }))
      .Numero("zener_rth_k_w", Si(z, [](const ZenerElegido& e) { return e.familia->rthKPorW; }))
      .Numero("zener_tj_limite_c", Si(z, [](const ZenerElegido& e) { return e.familia->tjMaxC; }))
      .Campo("zener_montaje", z ? CadenaJson(z->familia->montaje) : "null")
      .Campo("zener_fuente_termica", z ? CadenaJson(z->familia->fuenteTermica) : "null");
}

// ---- HTML

std::string Escapar(std::string_view texto) {
  std::string s;
  for (const char c : texto) {
    switch (c) {
      case '&':
        s += "&amp;";
        break;
      case '<':
        s += "&lt;";
        break;
      case '>':
        s += "&gt;";
        break;
      case '"':
        s += "&quot;";
        break;
      default:
        s += c;
    }
  }
  return s;
}

constexpr std::string_view kEstilo = R"(
body{font-family:"DejaVu Sans",Arial,sans-serif;font-size:11pt;color:#111;max-width:180mm;margin:1em auto;padding:0 1em}
h1{font-size:16pt;border-bottom:2px solid #333}
h2{font-size:12pt;margin:1.2em 0 .3em}
p{margin:.2em 0}
table{border-collapse:collapse;margin:.5em 0}
th,td{border:1px solid #888;padding:2px 8px;text-align:right}
tr.elegida td{font-weight:bold;background:#eef}
.falla{color:#a00}
svg{width:100%;height:auto;max-width:170mm}
figure{margin:0}
section,table,figure{break-inside:avoid;page-break-inside:avoid}
@page{size:A4;margin:15mm}
@media print{body{margin:0;padding:0;max-width:none;font-size:10pt}}
@media (max-width:480px){body{font-size:16px;padding:0 .3em}th,td{padding:2px 3px}
table,figure{display:block;overflow-x:auto;max-width:100%}
table::before,figure::after{display:block;font-style:italic;text-align:left}
table::before{content:"Desplace la tabla de lado para ver todas sus columnas."}
figure::after{content:"Desplace el gráfico de lado para verlo entero."}
svg{width:700px;max-width:none}}
)";

struct Trazo {
  double veV;   // the input voltage of the line
  double vzV;   // Zener voltage used
  double rOhm;  // resistance used
  std::string nombre;
  std::string estilo;  // SVG stroke attributes
};

// A round step near a fifth of the span: 1, 2, 2,5 or 5 times a power of ten.
double PasoRedondo(double extension) {
  constexpr double kMarcas = 5;
  const double bruto = extension / kMarcas;
  const double potencia = std::pow(10.0, std::floor(std::log10(bruto)));
  for (const double m : {1.0, 2.0, 2.5, 5.0}) {
    if (m * potencia >= bruto) return m * potencia;
  }
  return 10 * potencia;
}

// The fewest decimals that write the step exactly: 10 with none, 2,5 with one.
int DecimalesDePaso(double paso) {
  constexpr int kMaximo = 6;
  for (int d = 0; d < kMaximo; ++d) {
    const double escalado = paso * std::pow(10.0, d);
    if (std::fabs(escalado - std::round(escalado)) < 1e-9 * escalado) return d;
  }
  return kMaximo;
}

struct Eje {
  double minimo, maximo, paso;
};

Eje EjeRedondo(double minimo, double maximo) {
  if (!(maximo > minimo)) maximo = minimo + 1;
  const double paso = PasoRedondo(maximo - minimo);
  return {std::floor(minimo / paso) * paso, std::ceil(maximo / paso) * paso, paso};
}

int Marcas(const Eje& eje) {
  return static_cast<int>(std::lround((eje.maximo - eje.minimo) / eje.paso));
}

// A plot's drawing: its size, the margins around the area the data takes,
// and the two axes.
struct Lienzo {
  double ancho, alto, izq, der, arriba, abajo;
  Eje x, y;
  double X(double valor) const {
    return izq + (valor - x.minimo) / (x.maximo - x.minimo) * (ancho - izq - der);
  }
  double Y(double valor) const {
    return arriba + (y.maximo - valor) / (y.maximo - y.minimo) * (alto - arriba - abajo);
  }
};

// A coordinate to a tenth of a unit.
std::string Coordenada(double valor) {
  return NumeroJson(std::round(valor * 10) / 10);
}

// What both plots draw alike: the svg opened, the area's frame, the round
// ticks of each axis (with the classes given) and the axes' titles, above a
// band of `pie` units left for a legend.
std::string Marco(const Lienzo& l, std::string_view nombre, std::string_view claseX,
                  std::string_view claseY, std::string_view tituloX, std::string_view tituloY,
                  double pie) {
  const auto n = Coordenada;
  std::string s = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + n(l.ancho) + " " +
                  n(l.alto) + "\" role=\"img\" aria-label=\"" + std::string(nombre) + "\">";
  s += "<rect x=\"" + n(l.izq) + "\" y=\"" + n(l.arriba) + "\" width=\"" +
       n(l.ancho - l.izq - l.der) + "\" height=\"" + n(l.alto - l.arriba - l.abajo) +
       "\" fill=\"none\" stroke=\"#333\"/>";
  for (int k = 0; k <= Marcas(l.x); ++k) {
    const double valor = l.x.minimo + k * l.x.paso;
    s += "<text class=\"" + std::string(claseX) + "\" x=\"" + n(l.X(valor)) + "\" y=\"" +
         n(l.alto - l.abajo + 16) + "\" font-size=\"11\" text-anchor=\"middle\">" +
         Cifra(valor, DecimalesDePaso(l.x.paso)) + "</text>";
  }
  for (int k = 0; k <= Marcas(l.y); ++k) {
    const double valor = l.y.minimo + k * l.y.paso;
    s += "<text class=\"" + std::string(claseY) + "\" x=\"" + n(l.izq - 6) + "\" y=\"" +
         n(l.Y(valor) + 4) + "\" font-size=\"11\" text-anchor=\"end\">" +
         Cifra(valor, DecimalesDePaso(l.y.paso)) + "</text>";
  }
  s += "<text x=\"" + n((l.ancho + l.izq) / 2) + "\" y=\"" + n(l.alto - pie - 10) +
       "\" font-size=\"12\" text-anchor=\"middle\">" + std::string(tituloX) + "</text>";
  s += "<text x=\"14\" y=\"" + n((l.alto - pie) / 2) +
       "\" font-size=\"12\" text-anchor=\"middle\" transform=\"rotate(-90 14 " +
       n((l.alto - pie) / 2) + ")\">" + std::string(tituloY) + "</text>";
  return s;
}

struct Entrada {
  std::string_view nombre, estilo;  // estilo: the SVG stroke attributes
};

// The legend, two entries a column, in the band of `pie` units under the axis
// title, where no curve runs.
std::string Leyenda(const Lienzo& l, double pie, const std::vector<Entrada>& entradas) {
  const auto n = Coordenada;
  constexpr double kFila = 18;
  const double columna = (l.ancho - l.izq - l.der) / 2;
  std::string s = "<g class=\"leyenda\">";
  for (std::size_t k = 0; k < entradas.size(); ++k) {
    const double x0 = l.izq + static_cast<double>(k / 2) * columna;
    const double y0 = l.alto - pie + 14 + static_cast<double>(k % 2) * kFila;
    s += "<line x1=\"" + n(x0) + "\" x2=\"" + n(x0 + 30) + "\" y1=\"" + n(y0) + "\" y2=\"" + n(y0) +
         "\" stroke-width=\"2\" " + std::string(entradas[k].estilo) + "/>";
    s += "<text x=\"" + n(x0 + 36) + "\" y=\"" + n(y0 + 4) + "\" font-size=\"11\">" +
         Escapar(entradas[k].nombre) + "</text>";
  }
  return s + "</g>";
}

// Beyond this many times the curves' top, the maximum current is marked at
// the plot's edge instead of stretching the axis to it.
constexpr double kIzMaxLejana = 3;

// The Zener current against the load current, at both ends of the input.
std::string Grafico(const Diseno& d) {
  const DatosCircuito& v = d.datos;
  const double r = d.elegida->rOhm;
  const IntervaloVz& vz = *d.vz;
  const std::vector<Trazo> trazos = {
      {v.VeMax, v.VnZener, r, "VeMax, nominal", "stroke=\"#c33\""},
      {v.VeMax, vz.bajo, r * (1 - d.tolR), "VeMax, peor caso",
       "stroke=\"#c33\" stroke-dasharray=\"6 4\""},
      {v.VeMin, v.VnZener, r, "VeMin, nominal", "stroke=\"#36c\""},
      {v.VeMin, vz.alto, r * (1 + d.tolR), "VeMin, peor caso",
       "stroke=\"#36c\" stroke-dasharray=\"6 4\""},
  };
  const Eje x = EjeRedondo(0, v.IcMax > 0 ? v.IcMax : 1);
  auto iz = [](const Trazo& t, double il) {
    return (t.veV - t.vzV) / t.rOhm * kMiliPorUnidad - il;
  };
  double yMin = 0;
  double yMax = v.IzMin;
  for (const Trazo& t : trazos) {
    yMax = std::max({yMax, iz(t, 0), iz(t, v.IcMax)});
    yMin = std::min({yMin, iz(t, 0), iz(t, v.IcMax)});
  }
  const double izMax = d.zener ? d.zener->izMaxAdmisibleMa : 0;
  const bool izMaxLejana = d.zener && izMax > kIzMaxLejana * yMax;
  if (d.zener && !izMaxLejana) yMax = std::max(yMax, izMax);
  const Eje y = EjeRedondo(yMin, yMax);
  // The legend has a band of its own under the axis, where no curve runs.
  constexpr double kLeyenda = 50;
  constexpr double kAncho = 640, kAlto = 340 + kLeyenda, kIzq = 60, kDer = 20, kArriba = 20,
                   kAbajo = 50 + kLeyenda;
  const Lienzo lienzo{kAncho, kAlto, kIzq, kDer, kArriba, kAbajo, x, y};
  auto X = [&](double il) { return lienzo.X(il); };
  auto Y = [&](double i) { return lienzo.Y(i); };
  const auto n = Coordenada;
  std::string s = Marco(lienzo, "Corriente del zener", "marca-x", "marca-y",
                        "Corriente por la carga (mA)", "Corriente del zener (mA)", kLeyenda);
  // The lower limit is labelled at the left, where the lines run high above
  // it; the upper one at the right, where they have fallen away from it.
  auto limite = [&](double i, const std::string& nombre, const char* color, bool izquierda) {
    s += "<line x1=\"" + n(X(x.minimo)) + "\" x2=\"" + n(X(x.maximo)) + "\" y1=\"" + n(Y(i)) +
         "\" y2=\"" + n(Y(i)) + "\" stroke=\"" + color + "\" stroke-dasharray=\"2 3\"/>";
    s += "<text x=\"" + n(izquierda ? X(x.minimo) + 4 : X(x.maximo) - 4) + "\" y=\"" + n(Y(i) - 4) +
         "\" font-size=\"11\" fill=\"" + color + "\" text-anchor=\"" +
         (izquierda ? "start" : "end") + "\">" + Escapar(nombre) + "</text>";
  };
  limite(v.IzMin, "Iz mín " + Dato(d, Magnitud::IzMin) + " mA", "#080", true);
  if (d.zener) {
    const std::string nombre =
        "Iz máx " + std::string(d.zener->fila->numero) + " " + Cifra(izMax, 0) + " mA";
    if (izMaxLejana) {
      limite(y.maximo, "↑ " + nombre + ", fuera de escala", "#a60", false);
    } else {
      limite(izMax, nombre, "#a60", false);
    }
  }
  for (const Trazo& t : trazos) {
    s += "<line class=\"curva\" x1=\"" + n(X(0)) + "\" y1=\"" + n(Y(iz(t, 0))) + "\" x2=\"" +
         n(X(v.IcMax)) + "\" y2=\"" + n(Y(iz(t, v.IcMax))) + "\" stroke-width=\"2\" " + t.estilo +
         "/>";
  }
  std::vector<Entrada> entradas;
  for (const Trazo& t : trazos) entradas.push_back({t.nombre, t.estilo});
  return s + Leyenda(lienzo, kLeyenda, entradas) + "</svg>";
}

// The part's envelope, Vz against Iz, the band between its highest and
// lowest curve, with the resistor's load lines at the worst corners: where a
// line meets the band is where the Zener can sit, seen against Izk, Izt and
// its maximum current.
std::string GraficoEnvolvente(const Diseno& d) {
  const DatosCircuito& v = d.datos;
  const FilaZener& fila = *d.candidato->fila;
  const Envolvente env(fila, d.vz->bajo, d.vz->alto);
  const PeorCaso& c = *d.elegida;
  const double media = MediaRizadoV(d.opciones);
  const double rAlta = c.rOhm * (1 + d.tolR), rBaja = c.rOhm * (1 - d.tolR);
  auto fuente = [&](double vs, double r, double cargaMa) {
    return d.opciones.cargaOhm ? FuenteConResistencia(vs, r, *d.opciones.cargaOhm)
                               : FuenteConCarga(vs, r, cargaMa / kMiliPorUnidad);
  };
  struct Recta {
    Fuente f;
    std::string nombre, estilo;
  };
  const std::vector<Recta> rectas = {
      {fuente(v.VeMin - media, rAlta, v.IcMax), "VeMin, R alta, IcMax", "stroke=\"#36c\""},
      {fuente(v.VeMax + media, rBaja, v.IcMin), "VeMax, R baja, IcMin",
       "stroke=\"#c33\" stroke-dasharray=\"6 4\""},
      {FuenteConCarga(v.VeMax + media, rBaja, 0), "VeMax, R baja, sin carga", "stroke=\"#c33\""},
  };
  const double izMax = d.zener ? d.zener->izMaxAdmisibleMa : c.izMaxMa;
  const double desde = fila.izkMa;
  const double hasta = std::max({c.izMaxMa, fila.iztMa, desde * 2}) * 1.1;
  constexpr int kMuestras = 80;
  std::vector<double> corrientes;
  for (int k = 0; k <= kMuestras; ++k)
    corrientes.push_back(desde + (hasta - desde) * k / kMuestras);
  auto alta = [&](double ma) { return env.TensionAlta(ma / kMiliPorUnidad); };
  auto baja = [&](double ma) { return env.TensionBaja(ma / kMiliPorUnidad); };
  const Eje x = EjeRedondo(0, hasta);
  const Eje y = EjeRedondo(baja(desde), alta(hasta));
  constexpr double kLeyenda = 50;
  constexpr double kAncho = 640, kAlto = 340 + kLeyenda, kIzq = 60, kDer = 20, kArriba = 20,
                   kAbajo = 50 + kLeyenda;
  const Lienzo lienzo{kAncho, kAlto, kIzq, kDer, kArriba, kAbajo, x, y};
  auto X = [&](double ma) { return lienzo.X(ma); };
  auto Y = [&](double volt) { return lienzo.Y(volt); };
  const auto n = Coordenada;
  std::string s = Marco(lienzo, "Envolvente del zener", "marca-iz", "marca-vz",
                        "Corriente del zener (mA)", "Tensión del zener (V)", kLeyenda);
  // A nested viewport in the same coordinates clips the band and the lines
  // to the plot's area.
  const std::string area = n(kIzq) + " " + n(kArriba) + " " + n(kAncho - kIzq - kDer) + " " +
                           n(kAlto - kArriba - kAbajo);
  s += "<svg x=\"" + n(kIzq) + "\" y=\"" + n(kArriba) + "\" width=\"" + n(kAncho - kIzq - kDer) +
       "\" height=\"" + n(kAlto - kArriba - kAbajo) + "\" viewBox=\"" + area + "\">";
  // The band: along the highest curve and back along the lowest.
  std::string banda = "<path fill=\"#fd8\" fill-opacity=\"0.6\" stroke=\"#a60\" d=\"M";
  for (const double ma : corrientes) banda += n(X(ma)) + "," + n(Y(alta(ma))) + " ";
  for (auto i = corrientes.rbegin(); i != corrientes.rend(); ++i) {
    banda += "L" + n(X(*i)) + "," + n(Y(baja(*i))) + " ";
  }
  s += banda + "Z\"/>";
  auto vertical = [&](double ma, const std::string& nombre, const char* color) {
    s += "<line x1=\"" + n(X(ma)) + "\" x2=\"" + n(X(ma)) + "\" y1=\"" + n(kArriba) + "\" y2=\"" +
         n(kAlto - kAbajo) + "\" stroke=\"" + color + "\" stroke-dasharray=\"2 3\"/>";
    s += "<text x=\"" + n(X(ma) + 3) + "\" y=\"" + n(kAlto - kAbajo - 4) +
         "\" font-size=\"11\" fill=\"" + color + "\">" + Escapar(nombre) + "</text>";
  };
  vertical(fila.izkMa, "Izk", "#555");
  vertical(fila.iztMa, "Izt", "#555");
  if (izMax <= x.maximo) vertical(izMax, "Iz máx", "#a60");
  for (const Recta& r : rectas) {
    auto voltios = [&](double ma) { return r.f.e - r.f.rt * ma / kMiliPorUnidad; };
    s += "<line x1=\"" + n(X(x.minimo)) + "\" y1=\"" + n(Y(voltios(x.minimo))) + "\" x2=\"" +
         n(X(x.maximo)) + "\" y2=\"" + n(Y(voltios(x.maximo))) + "\" stroke-width=\"2\" " +
         r.estilo + "/>";
  }
  auto punto = [&](double ma, double volt) {
    s += "<circle cx=\"" + n(X(ma)) + "\" cy=\"" + n(Y(volt)) + "\" r=\"4\" fill=\"#080\"/>";
  };
  punto(c.izMinMa, alta(c.izMinMa));
  punto(c.izMaxMa, baja(c.izMaxMa));
  s += "</svg>";
  std::vector<Entrada> entradas;
  for (const Recta& r : rectas) entradas.push_back({r.nombre, r.estilo});
  return s + Leyenda(lienzo, kLeyenda, entradas) + "</svg>";
}

// On a phone tables and plots scroll sideways in their own box: the
// keyboard reaches them to scroll.
constexpr const char* kDesplazable = " tabindex=\"0\"";

std::string TablaHtml(const Tabla& tabla) {
  std::string t = std::string("<table") + kDesplazable + "><thead><tr>";
  for (const std::string& cabecera : tabla.cabecera) t += "<th>" + Escapar(cabecera) + "</th>";
  t += "</tr></thead><tbody>";
  for (const Tabla::Fila& fila : tabla.filas) {
    t += fila.destacada ? "<tr class=\"elegida\">" : "<tr>";
    for (std::size_t i = 0; i < fila.celdas.size(); ++i) {
      const bool falla = fila.falla && i + 1 == fila.celdas.size();
      t += "<td" + std::string(falla ? " class=\"falla\"" : "") + ">" + Escapar(fila.celdas[i]) +
           "</td>";
    }
    t += "</tr>";
  }
  return t + "</tbody></table>";
}

std::string SeccionTexto(const Seccion& s) {
  std::string t = "\n" + s.titulo + "\n";
  for (const std::string& linea : s.lineas) t += "  " + linea + "\n";
  if (s.tabla) t += (s.lineas.empty() ? "" : "\n") + TablaTexto(*s.tabla);
  return t;
}

std::string SeccionHtml(const Seccion& s) {
  std::string h = "<section><h2>" + Escapar(s.titulo) + "</h2>";
  for (const std::string& linea : s.lineas) h += "<p>" + Escapar(linea) + "</p>";
  if (s.tabla) h += TablaHtml(*s.tabla);
  return h + "</section>";
}

}  // namespace

std::string InformeTexto(const Diseno& d) {
  std::string t = "Diseño del regulador con diodo zener y resistencia en serie\n";
  for (const Seccion& s : Secciones(d)) t += SeccionTexto(s);
  return t + SeccionTexto(Materiales(d));
}

std::string InformeJson(const Diseno& d) {
  const auto elegida = [&](double PeorCaso::*campo) {
    return Si(d.elegida, [campo](const PeorCaso& c) { return c.*campo; });
  };
  const auto vz = [&](double IntervaloVz::*campo) {
    return Si(d.vz, [campo](const IntervaloVz& i) { return i.*campo; });
  };
  ObjetoJson o;
  o.Booleano("construible", d.construible)
      .Campo("motivos", Cadenas(d.motivos))
      .Numero("regla", static_cast<double>(NumeroDeRegla(d.veredicto)))
      .Cadena("mensaje", d.mensaje)
      .Campo("entradas", EntradasJson(d))
      .Campo("opciones", OpcionesJson(d))
      .Numero("tol_r_usada", d.tolR * kPorCiento)
      .Numero("r_exacta_ohm", d.veredicto == Veredicto::Cumple
                                  ? std::optional<double>(d.datos.RrLim)
                                  : std::nullopt)
      .Numero("vz_min_v", vz(&IntervaloVz::bajo))
      .Numero("vz_max_v", vz(&IntervaloVz::alto))
      .Numero("r_normalizada_ohm", elegida(&PeorCaso::rOhm))
      .Numero("r_min_ohm", d.intervaloR ? d.intervaloR->rMinOhm : std::optional<double>())
      .Numero("r_max_ohm", Si(d.intervaloR, [](const IntervaloR& w) { return w.rMaxOhm; }))
      .Numero("iz_min_peor_ma", elegida(&PeorCaso::izMinMa))
      .Numero("iz_max_peor_ma", elegida(&PeorCaso::izMaxMa))
      .Numero("p_r_peor_w", elegida(&PeorCaso::prW))
      .Numero("p_r_nominal_w",
              d.resistencia ? std::optional<double>(d.resistencia->potenciaW) : std::nullopt)
      .Campo("resistencia_tipo", d.resistencia ? CadenaJson(d.resistencia->tipo) : "null")
      .Campo("resistencia_encapsulado",
             d.resistencia ? CadenaJson(d.resistencia->encapsulado.nombre) : "null")
      .Campo("resistencia_fuente",
             d.resistencia ? CadenaJson(FuenteDeResistencia(*d.resistencia)) : "null")
      .Numero("p_r_factor_temperatura", d.factorResistencia)
      .Numero("pz_sin_carga_peor_w", elegida(&PeorCaso::pzSinCargaW))
      .Numero("pz_ic_min_peor_w", elegida(&PeorCaso::pzConIcMinW))
      .Numero("vout_min_v", elegida(&PeorCaso::voutMinV))
      .Numero("vout_max_v", elegida(&PeorCaso::voutMaxV))
      .Numero("vout_nominal_v", d.voutNominalV)
      .Numero("iz_requerida_ma", d.elegida ? std::optional<double>(d.izRequeridaMa) : std::nullopt)
      .Numero("tj_max_c", d.tjMaxC);
  ZenerJson(o, d);
  o.Campo("vecinas", ListaJson(d.vecinas, VecinaJson))
      .Campo("regulacion", RegulacionJson(d))
      .Cadena("sin_regulacion", d.sinRegulacion)
      .Campo("avisos", Cadenas(d.avisos))
      .Campo("lista_materiales", ListaJson(ListaDeMateriales(d), MaterialJson));
  return o.Cerrar();
}

std::string InformeHtml(const Diseno& d) {
  std::string h =
      "<!DOCTYPE html>\n<html lang=\"es\"><head><meta charset=\"utf-8\">"
      "<title>Diseño del regulador con zener</title><style>";
  h += kEstilo;
  // One main landmark holds it all, for screen readers' landmark navigation.
  h += "</style></head><body><main><h1>Diseño del regulador con diodo zener y resistencia en "
       "serie</h1>";
  for (const Seccion& s : Secciones(d)) h += SeccionHtml(s);
  if (d.elegida && d.veredicto == Veredicto::Cumple) {
    h += std::string("<figure") + kDesplazable + "><h2>Corriente del zener según la carga</h2>" +
         Grafico(d) + "</figure>";
    if (d.candidato) {
      h += std::string("<figure") + kDesplazable + "><h2>Envolvente del " +
           Escapar(d.candidato->fila->numero) + " y rectas de carga en el peor caso</h2>" +
           GraficoEnvolvente(d) + "</figure>";
    }
  }
  // The parts list last, after the figures: what to order ends the report.
  return h + SeccionHtml(Materiales(d)) + "</main></body></html>\n";
}

}  // namespace zener
