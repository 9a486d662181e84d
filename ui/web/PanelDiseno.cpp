#include "ui/web/PanelDiseno.h"

#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/Tablas.h"
#include "design/Componentes.h"
#include "design/Lectura.h"
#include "design/Materiales.h"
#include "design/Muestreo.h"
#include "design/Secciones.h"
#include "design/Texto.h"
#include "ui/web/Json.h"

namespace zener::web {

namespace {

constexpr int kDecimalesOhmios = 1;
// The panel's own figures: its boxes' limits and defaults, the summary's
// voltages, the changes its links make.
constexpr int kDecimalesPanel = 3;

// The Monte-Carlo run's boxes: whole numbers, the panel's own keys. The
// units stop well short of the library's most, for the panel designs again
// at every key; with the box empty, a run has its default units.
struct CajaDeMuestreo {
  std::string_view clave;
  std::string_view nombre;
  double minimo, maximo;
  std::optional<double> defecto;
  std::uint64_t OpcionesMuestreo::*campo;
};
constexpr std::string_view kClaveUnidades = "montecarlo";
constexpr std::string_view kClaveSemilla = "semilla";
constexpr double kUnidadesPorDefecto = 2000;
constexpr double kMaximoUnidadesPanel = 20000;
constexpr CajaDeMuestreo kCajasDeMuestreo[] = {
    {kClaveUnidades, "el número de unidades de Monte Carlo", 1, kMaximoUnidadesPanel,
     kUnidadesPorDefecto, &OpcionesMuestreo::unidades},
    {kClaveSemilla, "la semilla", 0, kMayorSemilla, std::nullopt, &OpcionesMuestreo::semilla},
};

const CajaDeMuestreo* CajaDeMuestreoDeClave(std::string_view clave) {
  for (const CajaDeMuestreo& caja : kCajasDeMuestreo) {
    if (caja.clave == clave) return &caja;
  }
  return nullptr;
}

bool EsOpcionDelPanel(std::string_view clave) {
  return OpcionDeListaDeClave(clave) != nullptr || OpcionDeClave(clave) != nullptr ||
         CajaDeMuestreoDeClave(clave) != nullptr;
}

// The design's options and, when its units are asked for, the run's.
struct OpcionesPanel {
  OpcionesDiseno diseno;
  OpcionesMuestreo muestreo;
};

// A run's box: a whole number within its limits; empty, its default.
std::optional<std::string> LeerCajaDeMuestreo(OpcionesMuestreo& muestreo,
                                              const CajaDeMuestreo& caja, std::string_view texto) {
  std::optional<double> valor = caja.defecto;
  if (!SinEspacios(texto).empty()) valor = LeerValor(texto).valor;
  if (valor && *valor == std::floor(*valor) && *valor >= caja.minimo && *valor <= caja.maximo) {
    muestreo.*caja.campo = static_cast<std::uint64_t>(*valor);
    return std::nullopt;
  }
  return std::string(caja.nombre) + " «" + std::string(texto) + "» ha de ser un entero de " +
         Cifra(caja.minimo, 0) + " a " + Cifra(caja.maximo, 0);
}

// One box's or list's text into the options, through the library's readers;
// why it cannot be read, if it cannot. An empty text is the option's
// default.
std::optional<std::string> LeerUna(OpcionesPanel& opciones, std::string_view clave,
                                   const ValorJson& valor) {
  const auto* texto = std::get_if<std::string>(&valor);
  if (texto == nullptr) return "«" + std::string(clave) + "» no es un texto";
  if (const CajaDeMuestreo* caja = CajaDeMuestreoDeClave(clave)) {
    return LeerCajaDeMuestreo(opciones.muestreo, *caja, *texto);
  }
  const OpcionDeLista* lista = OpcionDeListaDeClave(clave);
  const OpcionNumerica* opcion = OpcionDeClave(clave);
  if (lista == nullptr && opcion == nullptr) return "«" + std::string(clave) + "» no es una opción";
  if (SinEspacios(*texto).empty()) return std::nullopt;
  if (lista != nullptr) {
    if (lista->poner(opciones.diseno, *texto)) return std::nullopt;
    return std::string(lista->desconocida) + " «" + *texto + "»";
  }
  if (auto motivo = LeerOpcion(opciones.diseno, *opcion, *texto)) {
    return std::string(opcion->nombre) + " «" + *texto + "» " + *motivo;
  }
  return std::nullopt;
}

// Two choices that only clash with each other: the narrower is at fault, as
// the library's message says, for the other is the broader choice.
struct Choque {
  std::string_view estrecha, amplia;
};
constexpr Choque kChoques[] = {
    {"familia", "montaje"}, {"transistor", "montaje"}, {"carga_ohm", "circuito"}};

// The key whose option alone, every other at its default, breaks the limits
// as the whole set does; else the narrower of two that do so together;
// empty when neither.
std::string ClaveEnFalta(const ObjetoJson& objeto, const std::string& error) {
  for (const auto& [clave, valor] : objeto) {
    OpcionesPanel sola;
    if (!LeerUna(sola, clave, valor) && ErrorDeOpciones(sola.diseno) == error) return clave;
  }
  for (const auto& [estrecha, amplia] : kChoques) {
    const auto una = objeto.find(estrecha);
    const auto otra = objeto.find(amplia);
    if (una == objeto.end() || otra == objeto.end()) continue;
    OpcionesPanel ambas;
    LeerUna(ambas, estrecha, una->second);
    LeerUna(ambas, amplia, otra->second);
    if (ErrorDeOpciones(ambas.diseno) == error) return std::string(estrecha);
  }
  return {};
}

struct Fallo {
  std::string motivo;
  std::string clave;  // the box at fault; empty for none in particular
};

std::variant<OpcionesPanel, Fallo> LeerOpciones(const ObjetoJson& objeto) {
  OpcionesPanel opciones;
  for (const auto& [clave, valor] : objeto) {
    if (auto motivo = LeerUna(opciones, clave, valor)) return Fallo{*motivo, clave};
  }
  if (auto error = ErrorDeOpciones(opciones.diseno)) {
    return Fallo{*error, ClaveEnFalta(objeto, *error)};
  }
  return opciones;
}

std::variant<OpcionesPanel, Fallo> LeerOpciones(std::string_view json) {
  const auto objeto = LeerObjetoPlano(json);
  if (!objeto) return Fallo{"las opciones no se pueden leer", {}};
  return LeerOpciones(*objeto);
}

// The resistor values that work, for the panel's line above the report.
std::optional<std::string> VentanaDeR(const Diseno& diseno) {
  if (diseno.veredicto != Veredicto::Cumple) return std::nullopt;
  const auto rMin = diseno.cifras[Figura::RMin];
  const auto rMax = diseno.cifras[Figura::RMax];
  if (!rMax) return "Ninguna R sirve: ni sin ella se mantiene IzMin en el peor caso";
  auto ohmios = [](double r) { return Ohmios(r, kDecimalesOhmios); };
  const std::string de = diseno.zener ? " con el " + std::string(diseno.zener->fila->numero) : "";
  if (!rMin) return "R de hasta " + ohmios(*rMax);
  if (!(*rMin <= *rMax)) {
    return "Ninguna R sirve" + de + ": la mínima, " + ohmios(*rMin) + ", pasa de la máxima, " +
           ohmios(*rMax);
  }
  return "R entre " + ohmios(*rMin) + " y " + ohmios(*rMax) + de;
}

// What the regulator's user needs first of a design that can be built: the
// range the output stays in, and how hot the Zener's junction runs.
std::string SalidaYUnion(const Diseno& diseno) {
  const Cifras& c = diseno.cifras;
  std::string texto = "Salida de " + CifraCorta(c.De(Figura::VoutMin), kDecimalesPanel) + " V a " +
                      CifraCorta(c.De(Figura::VoutMax), kDecimalesPanel) + " V";
  if (const auto tj = c[Figura::TjZener]) {
    texto += "; unión hasta " + CifraCorta(*tj, 0) + " °C";
  }
  return texto;
}

// The line under the verdict: what a buildable design gives, and the
// resistor values that work with the part shown, each one sentence.
std::string Resumen(const Diseno& diseno) {
  std::string resumen;
  if (diseno.construible) resumen = SalidaYUnion(diseno) + ". ";
  if (auto ventana = VentanaDeR(diseno)) resumen += *ventana + ". ";
  if (!resumen.empty()) resumen.pop_back();
  return resumen;
}

// What an alternative changes, key by key, each as the panel's lists and
// boxes and the window's fields take it: found by comparing its options and
// values with the design's through the library's own readers, so that a
// change that carries another (the circuit resets the transistor) comes
// whole.
std::vector<std::pair<std::string_view, std::string>> Cambios(const Diseno& diseno,
                                                              const Alternativa& alternativa) {
  std::vector<std::pair<std::string_view, std::string>> cambios;
  for (const OpcionDeLista& lista : kOpcionesDeLista) {
    std::string nombre = lista.leer(alternativa.opciones);
    if (nombre != lista.leer(diseno.opciones)) cambios.emplace_back(lista.clave, std::move(nombre));
  }
  for (const OpcionNumerica& opcion : kOpcionesNumericas) {
    const auto valor = opcion.leer(alternativa.opciones);
    if (valor == opcion.leer(diseno.opciones)) continue;
    cambios.emplace_back(opcion.clave, valor ? CifraCorta(*valor, kDecimalesPanel) : std::string());
  }
  for (std::size_t i = 0; i < kCampos.size(); ++i) {
    const double valor = alternativa.valores.*kCampos[i].valor;
    if (valor == diseno.datos.*kCampos[i].valor) continue;
    cambios.emplace_back(kNombresValores[i], CifraCorta(valor, kDecimalesPanel));
  }
  return cambios;
}

// "De 0 a 50 %", "Más de 0 a 1.000.000 Ω": under each box.
std::string Limites(const OpcionNumerica& opcion) {
  std::string texto = (opcion.minimoIncluido ? "De " : "Más de ") +
                      CifraCorta(opcion.minimo, kDecimalesPanel) + " a " +
                      CifraCorta(opcion.maximo, kDecimalesPanel);
  if (!opcion.unidad.empty()) texto += " " + std::string(opcion.unidad);
  return texto;
}

void AnadirCadenaONulo(std::string& json, const std::optional<std::string>& texto) {
  if (texto) {
    AnadirCadena(json, *texto);
  } else {
    json += "null";
  }
}

// The alternatives as the panel's links show them: their text, and the keys
// each changes with their new texts.
void AnadirAlternativas(std::string& json, const Diseno& diseno) {
  json += '[';
  for (const Alternativa& alternativa : diseno.alternativas) {
    json += "{\"texto\":";
    AnadirCadena(json, TextoDe(alternativa));
    json += ",\"cambios\":{";
    for (const auto& [clave, texto] : Cambios(diseno, alternativa)) {
      AnadirCadena(json, clave);
      json += ':';
      AnadirCadena(json, texto);
      json += ',';
    }
    if (json.back() == ',') json.pop_back();
    json += "}},";
  }
  if (json.back() == ',') json.pop_back();
  json += ']';
}

// The run's nominal output, bin by bin, as the text report lists it: each
// interval and its units.
void AnadirBarras(std::string& json, const zener::Resumen& salida) {
  const DescripcionMedida& medida = DescripcionDe(Medida::VoutNominal);
  json += "{\"titulo\":";
  AnadirCadena(json, std::string(medida.nombre) + ", unidades por intervalo");
  json += ",\"filas\":[";
  for (const BarraDeHistograma& intervalo : BarrasDe(salida, medida)) {
    json += '[';
    AnadirCadena(json, intervalo.texto);
    json += ',';
    AnadirCadena(json, Cifra(ComoReal(intervalo.unidades), 0));
    json += "],";
  }
  json.back() = ']';
  json += '}';
}

// The run as the panel shows it beside the verdict: the report's line in
// the verdict, its section's lines before the laws drawn from, and the
// output's bins; null without a run.
void AnadirMuestreo(std::string& json, const Diseno& diseno) {
  const auto seccion = SeccionMuestreo(diseno);
  if (!seccion) {
    json += "null";
    return;
  }
  json += "{\"veredicto\":";
  AnadirCadenaONulo(json, LineaDeMuestreo(diseno));
  json += ",\"lineas\":[";
  const std::size_t leyes = diseno.muestreo->sinMuestreo ? 0 : diseno.muestreo->leyes.size();
  for (std::size_t i = 0; i + leyes < seccion->lineas.size(); ++i) {
    AnadirCadena(json, seccion->lineas[i]);
    json += ',';
  }
  if (json.back() == ',') json.pop_back();
  json += "],\"histograma\":";
  const auto& salida = diseno.muestreo->medidas[static_cast<std::size_t>(Medida::VoutNominal)];
  if (diseno.muestreo->sinMuestreo || !salida || salida->histograma.cuentas.empty()) {
    json += "null";
  } else {
    AnadirBarras(json, *salida);
  }
  json += '}';
}

// Each numeric box: its key, its limits and default as the panel shows them,
// and whether it takes a minus sign.
void AnadirCaja(std::string& json, const OpcionNumerica& opcion) {
  const auto defecto = opcion.leer(OpcionesDiseno{});
  json += "{\"clave\":";
  AnadirCadena(json, opcion.clave);
  json += ",\"limites\":";
  AnadirCadena(json, Limites(opcion));
  json += ",\"defecto\":";
  AnadirCadenaONulo(json,
                    defecto ? std::optional(CifraCorta(*defecto, kDecimalesPanel)) : std::nullopt);
  json += opcion.minimo < 0 ? ",\"conSigno\":true}," : ",\"conSigno\":false},";
}

// A run's box, in the same form.
void AnadirCaja(std::string& json, const CajaDeMuestreo& caja) {
  json += "{\"clave\":";
  AnadirCadena(json, caja.clave);
  json += ",\"limites\":";
  AnadirCadena(json, "De " + Cifra(caja.minimo, 0) + " a " + Cifra(caja.maximo, 0));
  json += ",\"defecto\":";
  AnadirCadenaONulo(json, caja.defecto ? std::optional(Cifra(*caja.defecto, 0)) : std::nullopt);
  json += ",\"conSigno\":false},";
}

}  // namespace

std::string PanelDiseno::Disenar(std::string_view opcionesJson) {
  std::string json = valores_ ? "{\"valores\":true" : "{\"valores\":false";
  const auto leidas = LeerOpciones(opcionesJson);
  const auto* fallo = std::get_if<Fallo>(&leidas);
  json += ",\"error\":";
  AnadirCadenaONulo(json, fallo ? std::optional(fallo->motivo) : std::nullopt);
  json += ",\"clave\":";
  AnadirCadenaONulo(json,
                    fallo && !fallo->clave.empty() ? std::optional(fallo->clave) : std::nullopt);
  json += ",\"informe\":";
  if (valores_ && !fallo) {
    const OpcionesPanel& opciones = std::get<OpcionesPanel>(leidas);
    diseno_ = zener::Disenar(*valores_, opciones.diseno);
    if (opciones.muestreo.unidades > 0) diseno_->muestreo = Muestrear(*diseno_, opciones.muestreo);
    json += InformeJson(*diseno_);
    json += ",\"resumen\":";
    AnadirCadena(json, Resumen(*diseno_));
    json += ",\"alternativas\":";
    AnadirAlternativas(json, *diseno_);
    json += ",\"muestreo\":";
    AnadirMuestreo(json, *diseno_);
  } else {
    json += "null,\"resumen\":null,\"alternativas\":[],\"muestreo\":null";
  }
  return json + '}';
}

// Those the library cannot read go first; then, while the rest break the
// limits, the one option that breaks them alone.
std::string PanelDiseno::OpcionesDeEnlace(std::string_view opcionesJson) {
  ObjetoJson aceptadas = LeerObjetoPlano(opcionesJson).value_or(ObjetoJson{});
  std::vector<std::string> ignoradas;
  for (auto opcion = aceptadas.begin(); opcion != aceptadas.end();) {
    OpcionesPanel prueba;
    const bool valida = EsOpcionDelPanel(opcion->first);
    if (valida && !LeerUna(prueba, opcion->first, opcion->second)) {
      // A choice by the name its list gives it, whichever the link used.
      const OpcionDeLista* lista = OpcionDeListaDeClave(opcion->first);
      if (lista != nullptr) opcion->second = lista->leer(prueba.diseno);
      ++opcion;
      continue;
    }
    if (valida) ignoradas.push_back(opcion->first);
    opcion = aceptadas.erase(opcion);
  }
  // A seed is a run's: without one it says nothing.
  if (aceptadas.count(kClaveSemilla) > 0 && aceptadas.count(kClaveUnidades) == 0) {
    ignoradas.emplace_back(kClaveSemilla);
    aceptadas.erase(aceptadas.find(kClaveSemilla));
  }
  for (auto leidas = LeerOpciones(aceptadas); std::holds_alternative<Fallo>(leidas);
       leidas = LeerOpciones(aceptadas)) {
    const std::string& clave = std::get<Fallo>(leidas).clave;
    if (clave.empty()) break;
    ignoradas.push_back(clave);
    aceptadas.erase(clave);
  }
  std::string json = "{\"aceptadas\":{";
  for (const auto& [clave, valor] : aceptadas) {
    AnadirCadena(json, clave);
    json += ':';
    AnadirCadena(json, std::get<std::string>(valor));
    json += ',';
  }
  if (json.back() == ',') json.pop_back();
  json += "},\"ignoradas\":[";
  for (const std::string& clave : ignoradas) {
    AnadirCadena(json, clave);
    json += ',';
  }
  if (json.back() == ',') json.pop_back();
  return json + "]}";
}

std::string PanelDiseno::Listas() {
  std::string json = "{\"listas\":" + OpcionesDeListaJson() + ",\"materiales\":[";
  for (std::size_t i = 0; i < kClavesMateriales.size(); ++i) {
    json += "{\"clave\":";
    AnadirCadena(json, kClavesMateriales[i]);
    json += ",\"texto\":";
    AnadirCadena(json, kCabeceraMateriales[i]);
    json += "},";
  }
  json.back() = ']';
  json += ",\"opciones\":[";
  for (const OpcionNumerica& opcion : kOpcionesNumericas) AnadirCaja(json, opcion);
  for (const CajaDeMuestreo& caja : kCajasDeMuestreo) AnadirCaja(json, caja);
  json.back() = ']';
  return json + '}';
}

std::string PanelDiseno::Texto() const {
  return diseno_ ? InformeTexto(*diseno_) : std::string();
}

std::string PanelDiseno::Html() const {
  return diseno_ ? InformeHtml(*diseno_) : std::string();
}

std::string PanelDiseno::Spice() const {
  return diseno_ ? InformeSpice(*diseno_) : std::string();
}

std::string PanelDiseno::Materiales() const {
  SumaMateriales suma;
  if (diseno_) suma.Anadir(*diseno_);
  return suma.Csv();
}

}  // namespace zener::web
