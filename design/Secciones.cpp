#include "design/Secciones.h"

#include <algorithm>
#include <cmath>

#include "design/Circuitos.h"
#include "design/Componentes.h"
#include "design/Materiales.h"
#include "design/Texto.h"
#include "design/Transistores.h"

namespace zener {

namespace {

constexpr double kPorCiento = 100;
constexpr char kSaltoDeMensaje = '\n';
constexpr int kDecimalesDerivados = 2;  // currents the load resistance gives
constexpr int kDecimalesDeCota = 6;     // a requirement is shown as asked
constexpr int kDecimalesOhmios = 2;

std::string NombreFamilia(Familia familia) {
  return std::string(familia == Familia::Automatica ? kNombreAutomatica
                                                    : FamiliaDe(familia).nombre);
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
  if (o.cargaFija) {
    s.lineas.push_back(
        "Carga fija: nunca baja de IcMin ni se desconecta; la corriente, la "
        "potencia y la unión del zener se calculan con ella");
  }
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

Seccion Tension(const Diseno& d) {
  Seccion s{"Paso 2. Tensión del zener en el peor caso", {}};
  const double bajo = d.cifras.De(Figura::VzBaja);
  const double alto = d.cifras.De(Figura::VzAlta);
  const OpcionesDiseno& o = d.opciones;
  if (d.zener) {
    const FilaZener& f = *d.zener->fila;
    const FamiliaZener& familia = *d.zener->familia;
    s.lineas.push_back(
        std::string(f.numero) + (d.zenerElegido ? "" : " (no basta; véase el resultado)") +
        ": de " + Voltios(f.vzMin) + " a " + Voltios(f.vzMax) +
        " a Izt = " + CifraCorta(f.iztMa, 2) + " mA y 25 °C, según su hoja de datos");
    if (familia.conCoeficiente) {
      const auto tj = d.cifras[Figura::TjZener];
      const std::string hasta =
          tj ? Grados(std::round(*tj)) + " en la unión" : "la unión en su peor caso";
      s.lineas.push_back("Coeficiente de temperatura de " + CifraCorta(f.tcMin, 3) + " %/K a " +
                         CifraCorta(f.tcMax, 3) + " %/K; de " + Grados(o.tempMinC) +
                         " de ambiente a " + hasta + ": de " + Voltios(bajo) + " a " +
                         Voltios(alto) + " a Izt");
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
                       Porcentaje((alto - bajo) / (alto + bajo)) + ", de " + Voltios(bajo) + " a " +
                       Voltios(alto) + ", sin impedancia");
  }
  s.lineas.push_back("Vz baja = " + Voltios(bajo) + ", Vz alta = " + Voltios(alto) +
                     (d.zener ? " a Izt" : ""));
  s.lineas.push_back("Entrada: VeMin y VeMax son los extremos de su valor medio" +
                     std::string(o.rizadoMv ? "; el rizado va encima: de " +
                                                  EntradaExtrema(d, Magnitud::VeMin) + " a " +
                                                  EntradaExtrema(d, Magnitud::VeMax)
                                            : ""));
  return s;
}

std::string Unidos(const std::vector<std::string>& partes) {
  std::string texto;
  for (std::size_t i = 0; i < partes.size(); ++i) {
    if (i > 0) texto += i + 1 == partes.size() ? " y " : ", ";
    texto += partes[i];
  }
  return texto;
}

std::optional<std::string> TextoDeEntrada(const Diseno& d, Lado e) {
  switch (e) {
    case Lado::Bajo:
      return EntradaExtrema(d, Magnitud::VeMin);
    case Lado::Alto:
      return EntradaExtrema(d, Magnitud::VeMax);
    case Lado::Medio:
      return "la entrada a medio camino";
    default:
      return std::nullopt;
  }
}

std::optional<std::string> TextoDeR(const Diseno& d, Lado e) {
  switch (e) {
    case Lado::Bajo:
      return "R·(1 − " + CifraCorta(d.tolR, 4) + ")";
    case Lado::Alto:
      return "R·(1 + " + CifraCorta(d.tolR, 4) + ")";
    case Lado::Peor:
      return "el extremo de R que la empeora";
    case Lado::Medio:
      return "R nominal";
    default:
      return std::nullopt;
  }
}

std::string TextoDeCarga(const Diseno& d, CargaEn carga) {
  switch (carga) {
    case CargaEn::Maxima:
      return CargaTexto(d, Magnitud::IcMax);
    case CargaEn::Minima:
      return CargaTexto(d, Magnitud::IcMin);
    case CargaEn::Desconectada:
      return d.opciones.cargaFija ? CargaTexto(d, Magnitud::IcMin) + ", pues no se desconecta"
                                  : "carga desconectada";
    case CargaEn::Media:
      break;
  }
  return "la carga a medio camino";
}

std::optional<std::string> TextoDeCurva(const Diseno& d, Lado e) {
  const bool pieza = d.zener.has_value();
  switch (e) {
    case Lado::Bajo:
      return pieza ? "la tensión más baja de la envolvente" : "Vz baja";
    case Lado::Alto:
      return pieza ? "la tensión más alta de la envolvente" : "Vz alta";
    case Lado::Peor:
      return pieza ? "la tensión de la envolvente que la empeora" : "la Vz que la empeora";
    case Lado::Medio:
      return pieza ? "un diodo de Vz nominal en el centro de lo que su hoja de datos permite"
                   : "Vz nominal";
    default:
      return std::nullopt;
  }
}

std::optional<std::string> TextoDeGanancia(const Diseno& d, Lado e) {
  switch (e) {
    case Lado::Bajo: {
      const double frioC = std::min(d.opciones.tempMinC, kTemperaturaDeMedidaC);
      return "la ganancia mínima, hFE = " + CifraCorta(d.cifras.De(Figura::HfeMin), 1) + " a " +
             Grados(frioC);
    }
    case Lado::Alto:
      return "sin corriente de base";
    case Lado::Medio:
      return "el transistor típico";
    default:
      return std::nullopt;
  }
}

std::optional<std::string> TextoDeVbe(const Diseno& d, Lado e) {
  switch (e) {
    case Lado::Alto:
      return "Vbe = " + Voltios(d.cifras.De(Figura::VbeMax)) + ", la más alta";
    case Lado::Bajo:
      return "Vbe = " + Voltios(d.cifras.De(Figura::VbeMin)) + ", la más baja";
    default:
      return std::nullopt;
  }
}

bool EsDeSalida(Figura f) {
  return f == Figura::VoutMin || f == Figura::VoutMax || f == Figura::VoutNominal;
}

// A bound the design itself sets, as the worst-case line shows it: the least
// current against the one required, and whether that is the part's Izk.
std::string TextoDeCota(const Diseno& d, const DescripcionFigura& f, double valor) {
  if (f.cota != Cota::Minimo) return {};
  const double limite = d.cifras.De(f.limite);
  const bool izk = f.limite == Figura::IzRequerida && limite > d.datos.IzMin;
  return std::string(valor >= limite ? " ≥ " : " < ") + CifraCorta(limite, kDecimalesDeCota) + " " +
         std::string(f.unidad) + (izk ? " (Izk)" : "");
}

std::string LineaDePeorCaso(const Diseno& d, const EsquinaDeFigura& e) {
  const DescripcionFigura& f = DescripcionDe(e.figura);
  const double valor = d.cifras.De(e.figura);
  const std::string cifra = f.cota == Cota::Minimo
                                ? CifraSinCruzar(valor, d.cifras.De(f.limite), f.decimales)
                                : Cifra(valor, f.decimales);
  return std::string(f.nombre) + ", con " + TextoDeEsquina(d, e.esquina) + " = " + cifra + " " +
         std::string(f.unidad) + TextoDeCota(d, f, valor);
}

Tabla TablaPeorCaso(const Diseno& d);

Seccion PeorCasoElegido(const Diseno& d) {
  const DescripcionCircuito& circuito = CircuitoDe(d);
  std::vector<std::string> lineas = {
      "R = " + CifraCorta(d.cifras.De(Figura::RNominal), 2) +
      " Ω; cada figura, en el extremo de R, de la entrada y de la carga que la "
      "empeora, y con la curva de la envolvente que la empeora"};
  for (std::size_t i = 0; i < circuito.cuantasEsquinas; ++i) {
    const EsquinaDeFigura& e = circuito.esquinas[i];
    if (!EsDeSalida(e.figura)) lineas.push_back(LineaDePeorCaso(d, e));
  }
  lineas.push_back(
      d.opciones.rOhm ? "La resistencia es la dada."
                      : "Se elige el mayor valor de la serie que cumple; sus vecinos en la tabla.");
  return {"Paso 3. Peor caso: R y Vz en el extremo desfavorable", lineas, TablaPeorCaso(d)};
}

Seccion Salida(const Diseno& d) {
  const DescripcionCircuito& circuito = CircuitoDe(d);
  auto extremo = [&](Figura f) {
    return Voltios(d.cifras.De(f)) + " (" + TextoDeEsquina(d, *EsquinaDe(circuito, f)) + ")";
  };
  Seccion s{"Tensión de salida",
            {"De " + extremo(Figura::VoutMin) + " a " + extremo(Figura::VoutMax)}};
  if (const auto nominal = d.cifras[Figura::VoutNominal]) {
    s.lineas.push_back("Nominal: " + Voltios(*nominal) + ", con " +
                       TextoDeEsquina(d, *EsquinaDe(circuito, Figura::VoutNominal)));
  }
  return s;
}

Seccion IntervaloDeR(const Diseno& d) {
  const auto rMax = d.cifras[Figura::RMax];
  if (!rMax) {
    return {"Valores de R que sirven",
            {"Ninguno: ni sin resistencia se mantiene IzMin en el peor caso."}};
  }
  const auto rMin = d.cifras[Figura::RMin];
  if (!rMin) {
    return {
        "Valores de R que sirven",
        {"R máx = " + Ohm(*rMax) + " (mantiene IzMin en el peor caso); sin diodo no hay R mín."}};
  }
  const bool vacia = !(*rMin <= *rMax);
  return {"Valores de R que sirven",
          {"De R mín = " + Ohm(*rMin) + " (potencia e Iz máx del " +
           std::string(d.zener->fila->numero) +
           (d.opciones.cargaFija ? ", carga mínima" : ", carga desconectada") +
           ") a R máx = " + Ohm(*rMax) + " (IzMin en el peor caso), en valores nominales" +
           (vacia ? ": ninguno." : ".")}};
}

std::string ResistenciaElegida(const Diseno& d) {
  if (!d.resistencia)
    return "ninguna de montaje " + std::string(NombreDeMontaje(d.opciones.montaje));
  const ResistenciaComercial& r = *d.resistencia;
  const std::string tension = ", hasta " + CifraCorta(r.tensionMaxV, 0) + " V";
  return std::string(r.tipo) + " (" + std::string(r.encapsulado.nombre) + ", " +
         CifraCorta(r.potenciaW, 3) + " W hasta " + Grados(kRodillaResistenciaC) + tension + "; " +
         std::string(FuenteDeResistencia(r)) + ")";
}

Seccion Piezas(const Diseno& d) {
  const double margen = d.opciones.margen;
  const Cifras& c = d.cifras;
  const double prW = c.De(Figura::PR);
  Seccion s{"Paso 4. Piezas",
            {"Resistencia: " + Ohm(c.De(Figura::RNominal)) + " " +
             std::string(TablaDe(d.opciones.serie).nombre) + " al " + Porcentaje(d.tolR) + ", " +
             CifraCorta(margen, 2) + " × " + Cifra(prW, 3) + " W = " + Cifra(margen * prW, 3) +
             " W → " + ResistenciaElegida(d)}};
  const double factor = c.De(Figura::FactorR);
  if (factor < 1) {
    s.lineas.push_back("A " + Grados(d.opciones.tempMaxC) + " una resistencia admite el " +
                       CifraCorta(factor * kPorCiento, 1) + " % de su potencia (plena hasta " +
                       Grados(kRodillaResistenciaC) + ", nula a " + Grados(kMaximaResistenciaC) +
                       ")");
  }
  const Zener* z = d.ZenerElegido();
  if (!z) {
    s.lineas.push_back("Zener: ninguno de las tablas (véase el resultado)");
    return s;
  }
  const FilaZener& f = *z->fila;
  const FamiliaZener& familia = *z->familia;
  const double pzW = c.De(Figura::PZSinCarga);
  const double izMaxAdmisible = c.De(Figura::IzMaxAdmisible);
  s.lineas.push_back("Zener: " + std::string(f.numero) + " (" + std::string(familia.nombre) + ", " +
                     std::string(familia.encapsulado.nombre) + "), " +
                     CifraCorta(familia.potenciaW, 2) + " W hasta " + Grados(familia.rodillaC) +
                     " " + std::string(familia.condicion));
  s.lineas.push_back("Montaje: " + std::string(familia.montaje) +
                     ", RθJA = " + CifraCorta(familia.rthKPorW, 2) + " K/W, unión hasta " +
                     Grados(familia.tjMaxC) + " (" + std::string(familia.fuenteTermica) + ")");
  s.lineas.push_back("Potencia: " + CifraCorta(margen, 2) + " × " + Cifra(pzW, 3) +
                     " W = " + Cifra(margen * pzW, 3) + " W ≤ " +
                     Cifra(c.De(Figura::PZAdmisible), 3) + " W a " + Grados(d.opciones.tempMaxC));
  s.lineas.push_back("Temperatura de la unión: " + Grados(d.opciones.tempMaxC) + " + " +
                     Cifra(std::max(pzW, c.De(Figura::PZConIcMin)), 3) + " W × " +
                     CifraCorta(familia.rthKPorW, 2) + " K/W = " + Cifra(c.De(Figura::TjZener), 1) +
                     " °C ≤ " + Grados(familia.tjMaxC));
  const std::string origen =
      f.izmMa > 0 ? "Izm de la hoja de datos" : "P / Vz máx: la hoja de datos no da Izm";
  s.lineas.push_back("Iz máx: " + CifraSinCruzar(c.De(Figura::IzMax), izMaxAdmisible, 2) +
                     " mA ≤ " + Cifra(izMaxAdmisible, 2) + " mA (" + origen + ", a " +
                     Grados(d.opciones.tempMaxC) + ")");
  s.lineas.push_back("Izt " + CifraCorta(f.iztMa, 2) + " mA, Zzt " + CifraCorta(f.zztOhm, 2) +
                     " Ω; Izk " + CifraCorta(f.izkMa, 2) + " mA, Zzk " + CifraCorta(f.zzkOhm, 2) +
                     " Ω");
  return s;
}

// The follower's transistor: what its sheet gives, the gain and Vbe the
// worst case takes, its voltage, power and junction.
Seccion PasoTransistor(const Diseno& d) {
  Seccion s{"Paso 4b. Transistor", {}};
  if (!d.transistorElegido) {
    s.lineas.push_back("Ninguno del catálogo (véase el resultado)");
    return s;
  }
  const FilaTransistor& t = *d.transistor;
  const Cifras& c = d.cifras;
  const double margen = d.opciones.margen;
  const double ambienteC = d.opciones.tempMaxC;
  const double pW = c.De(Figura::PTransistor);
  s.lineas.push_back(std::string(t.numero) + " (" + std::string(t.encapsulado.nombre) + "), Vceo " +
                     CifraCorta(t.vceoV, 0) + " V, Ic máx " + CifraCorta(t.icMaxA, 3) + " A, " +
                     CifraCorta(t.potenciaW, 3) + " W hasta " + Grados(t.rodillaC) + " " +
                     std::string(t.condicion) + " (" + std::string(t.fuente) + ")");
  s.lineas.push_back("Ganancia: hFE ≥ " + CifraCorta(c.De(Figura::HfeMin), 1) +
                     " con IcMax = " + Dato(d, Magnitud::IcMax) +
                     " mA; la base toma como mucho Ib máx = " + Cifra(c.De(Figura::IbMax), 3) +
                     " mA");
  s.lineas.push_back("Vbe: de " + Voltios(c.De(Figura::VbeMin)) + " a " +
                     Voltios(c.De(Figura::VbeMax)) + " (su hoja: como mucho " +
                     Voltios(t.vbeOnMax.vbeV) + " a " + CifraCorta(t.vbeOnMax.icA, 3) + " A)");
  s.lineas.push_back("Vce máx = " + Voltios(c.De(Figura::VceMax)) + " ≤ Vceo " +
                     CifraCorta(t.vceoV, 0) + " V");
  const std::string potencia =
      CifraCorta(margen, 2) + " × " + Cifra(pW, 3) + " W = " + Cifra(margen * pW, 3) + " W";
  const double sinDisipadorC = c.De(Figura::TjSinDisipador);
  if (const auto disipador = c[Figura::DisipadorRth]) {
    s.lineas.push_back("Potencia: " + potencia + "; sin disipador la unión llegaría a " +
                       Cifra(sinDisipadorC, 1) + " °C, más de " + Grados(t.tjMaxC));
    s.lineas.push_back("Disipador de como mucho " + Cifra(*disipador, 2) +
                       " K/W: " + Grados(ambienteC) + " + " + Cifra(pW, 3) + " W × (" +
                       CifraCorta(*t.rthJcKPorW, 3) + " + " + CifraCorta(*t.rthCsKPorW, 3) + " + " +
                       Cifra(*disipador, 2) + ") K/W = " + Cifra(c.De(Figura::TjTransistor), 1) +
                       " °C, con el margen hasta " + Grados(t.tjMaxC));
  } else {
    s.lineas.push_back("Potencia: " + potencia + " ≤ " +
                       Cifra(c.De(Figura::PTransistorAdmisible), 3) + " W sin disipador a " +
                       Grados(ambienteC));
    s.lineas.push_back("Temperatura de la unión, sin disipador: " + Grados(ambienteC) + " + " +
                       Cifra(pW, 3) + " W × " + CifraCorta(t.rthJaKPorW, 3) +
                       " K/W = " + Cifra(sinDisipadorC, 1) + " °C ≤ " + Grados(t.tjMaxC) + " (" +
                       std::string(t.montaje) + ")");
  }
  return s;
}

Seccion Resultado(const Diseno& d) {
  if (d.construible) return {"Resultado", {"Construible."}};
  Seccion s{"Resultado", {"No construible:"}};
  for (const Motivo& motivo : d.motivos) s.lineas.push_back(TextoDe(motivo));
  if (d.motivos.empty()) {
    s.lineas.push_back("ninguna de las piezas probadas basta (véanse sus motivos abajo).");
  }
  return s;
}

// The parts tried and left, each with why: the details under the verdict.
Seccion Descartes(const Diseno& d) {
  return {"Piezas probadas y descartadas", TextosDe(d.descartes)};
}

// The chosen value among its neighbours, ascending.
std::vector<Cifras> FilasPeorCaso(const Diseno& d) {
  std::vector<Cifras> filas = d.vecinas;
  filas.push_back(d.cifras);
  std::sort(filas.begin(), filas.end(), [](const Cifras& a, const Cifras& b) {
    return a.De(Figura::RNominal) < b.De(Figura::RNominal);
  });
  return filas;
}

// Why a row of the table fails, or nothing when it works.
std::string_view FalloDeFila(const Diseno& d, const Cifras& fila) {
  if (!d.Cumple(fila)) return "Iz mín";
  if (!d.ZenerElegido()) return {};
  const Cifras& c = d.cifras;
  if (d.opciones.margen * fila.De(Figura::PZSinCarga) > c.De(Figura::PZAdmisible)) return "P Z";
  if (fila.De(Figura::IzMax) > c.De(Figura::IzMaxAdmisible)) return "Iz máx";
  return {};
}

Tabla TablaPeorCaso(const Diseno& d) {
  Tabla t{{"R (Ω)", "Iz mín (mA)", "Iz máx (mA)", "P R (W)", "P Z sin carga (W)", "Resultado"}, {}};
  const double rElegida = d.cifras.De(Figura::RNominal);
  for (const Cifras& fila : FilasPeorCaso(d)) {
    const bool elegida = fila.De(Figura::RNominal) == rElegida;
    const std::string_view fallo = FalloDeFila(d, fila);
    const std::string resultado =
        fallo.empty() ? "cumple" : "no cumple (" + std::string(fallo) + ")";
    t.filas.push_back(
        {{CifraCorta(fila.De(Figura::RNominal), 2),
          CifraSinCruzar(fila.De(Figura::IzMin), d.cifras.De(Figura::IzRequerida), 2),
          Cifra(fila.De(Figura::IzMax), 2), Cifra(fila.De(Figura::PR), 3),
          Cifra(fila.De(Figura::PZSinCarga), 3), resultado + (elegida ? " (elegida)" : "")},
         elegida,
         !fallo.empty()});
  }
  return t;
}

}  // namespace

std::string Ohm(double r) {
  return Ohmios(r, kDecimalesOhmios);
}

std::string Voltios(double v) {
  return CifraCorta(v, 3) + " V";
}

std::string Dato(const Diseno& d, Magnitud m) {
  const auto i = static_cast<std::size_t>(m);
  const bool derivada = d.opciones.cargaOhm && (m == Magnitud::IcMin || m == Magnitud::IcMax);
  return Cifra(d.datos.*kCampos[i].valor, derivada ? kDecimalesDerivados : d.decimales[i]);
}

std::string EntradaExtrema(const Diseno& d, Magnitud m) {
  if (!d.opciones.rizadoMv) return Dato(d, m) + " V";
  const bool baja = m == Magnitud::VeMin;
  const double v = d.datos.*kCampos[static_cast<std::size_t>(m)].valor;
  return Voltios(baja ? v - MediaRizadoV(d.opciones) : v + MediaRizadoV(d.opciones)) + " (" +
         Dato(d, m) + " V " + (baja ? "−" : "+") + " " + Voltios(MediaRizadoV(d.opciones)) + ")";
}

std::string CargaTexto(const Diseno& d, Magnitud m) {
  return d.opciones.cargaOhm
             ? "la carga de " + Ohm(*d.opciones.cargaOhm)
             : std::string(m == Magnitud::IcMax ? "IcMax = " : "IcMin = ") + Dato(d, m) + " mA";
}

std::string TextoDeEsquina(const Diseno& d, const Esquina& e) {
  std::vector<std::string> partes;
  for (auto parte : {TextoDeEntrada(d, e.entrada), TextoDeR(d, e.r),
                     std::optional<std::string>(TextoDeCarga(d, e.carga)), TextoDeCurva(d, e.curva),
                     TextoDeGanancia(d, e.ganancia), TextoDeVbe(d, e.vbe)}) {
    if (parte) partes.push_back(std::move(*parte));
  }
  return Unidos(partes);
}

std::vector<Seccion> Secciones(const Diseno& d) {
  std::vector<Seccion> s{{"Veredicto", {LineaDeVeredicto(d)}}, Datos(d), Reglas(d)};
  if (auto linea = LineaDeMuestreo(d)) s.front().lineas.push_back(std::move(*linea));
  if (d.veredicto == Veredicto::Cumple) {
    const DescripcionCircuito& circuito = CircuitoDe(d);
    s.push_back(circuito.exacta(d));
    s.push_back(Tension(d));
    if (d.ConResistencia()) {
      s.push_back(PeorCasoElegido(d));
      s.push_back(Salida(d));
      s.push_back(IntervaloDeR(d));
      s.push_back(Piezas(d));
      if (d.transistor) s.push_back(PasoTransistor(d));
      s.push_back(circuito.regulacion(d));
    }
  }
  s.push_back(Resultado(d));
  if (auto muestreo = SeccionMuestreo(d)) s.push_back(std::move(*muestreo));
  if (!d.construible && d.veredicto != Veredicto::FueraDeRango) {
    Seccion cambios{"Qué cambiar para construirlo, cada cambio por sí solo", {}};
    for (const Alternativa& a : d.alternativas) cambios.lineas.push_back(TextoDe(a));
    if (d.alternativas.empty()) {
      cambios.lineas.push_back(
          "Ninguno: ni el margen, ni otra serie, familia, montaje o circuito, ni mover una sola "
          "de las cifras de diseño lo hacen construible.");
    }
    s.push_back(std::move(cambios));
  }
  if (!d.descartes.empty()) s.push_back(Descartes(d));
  if (!d.avisos.empty()) s.push_back({"Avisos", TextosDe(d.avisos)});
  return s;
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

}  // namespace zener
