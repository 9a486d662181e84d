#include "ui/web/PanelDiseno.h"

#include <vector>

#include "core/NumeroTexto.h"
#include "design/Componentes.h"
#include "design/Lectura.h"
#include "design/Materiales.h"
#include "design/Texto.h"
#include "ui/web/Json.h"

namespace zener::web {

namespace {

constexpr std::string_view kClaveSerie = "serie";
constexpr std::string_view kClaveFamilia = "familia";
constexpr std::string_view kClaveMontaje = "montaje";
constexpr std::string_view kFamiliaAutomatica = "auto";
constexpr std::string_view kTextoAutomatica = "Automática";
constexpr int kDecimalesOhmios = 1;

// The mountings as the panel's list shows them; their values are the
// library's names.
struct TextoDeMontaje {
  Montaje montaje;
  std::string_view texto;
};
constexpr TextoDeMontaje kTextosDeMontaje[] = {{Montaje::Cualquiera, "Cualquiera"},
                                               {Montaje::Tht, "De inserción (THT)"},
                                               {Montaje::Smd, "Superficial (SMD)"}};

std::optional<Familia> FamiliaPorNombre(std::string_view nombre) {
  if (nombre == kFamiliaAutomatica) return Familia::Automatica;
  for (const FamiliaZener& familia : kFamilias) {
    if (familia.nombre == nombre) return familia.familia;
  }
  return std::nullopt;
}

std::string_view NombreDe(Familia familia) {
  return familia == Familia::Automatica ? kFamiliaAutomatica : FamiliaDe(familia).nombre;
}

bool EsOpcionDelPanel(std::string_view clave) {
  return clave == kClaveSerie || clave == kClaveFamilia || clave == kClaveMontaje ||
         OpcionDeClave(clave) != nullptr;
}

// One box's text into the options, through the library's readers; why it
// cannot be read, if it cannot. An empty numeric box is the option's default.
std::optional<std::string> LeerUna(OpcionesDiseno& opciones, std::string_view clave,
                                   const ValorJson& valor) {
  const auto* texto = std::get_if<std::string>(&valor);
  if (texto == nullptr) return "«" + std::string(clave) + "» no es un texto";
  if (clave == kClaveSerie) {
    const auto serie = SerieDeNombre(*texto);
    if (!serie) return "la serie «" + *texto + "» no existe";
    opciones.serie = *serie;
    return std::nullopt;
  }
  if (clave == kClaveFamilia) {
    const auto familia = FamiliaPorNombre(*texto);
    if (!familia) return "la familia «" + *texto + "» no existe";
    opciones.familia = *familia;
    return std::nullopt;
  }
  if (clave == kClaveMontaje) {
    const auto montaje = MontajeDeNombre(*texto);
    if (!montaje) return "el montaje «" + *texto + "» no existe";
    opciones.montaje = *montaje;
    return std::nullopt;
  }
  const OpcionNumerica* opcion = OpcionDeClave(clave);
  if (opcion == nullptr) return "«" + std::string(clave) + "» no es una opción";
  if (SinEspacios(*texto).empty()) return std::nullopt;
  if (auto motivo = LeerOpcion(opciones, *opcion, *texto)) {
    return std::string(opcion->nombre) + " «" + *texto + "» " + *motivo;
  }
  return std::nullopt;
}

// The key whose option alone, every other at its default, breaks the limits
// as the whole set does; empty when no one option does. A family of another
// mounting than the one asked for breaks them only with the mounting: the
// family is at fault, as the message says, for the mounting is the broader
// choice.
std::string ClaveEnFalta(const ObjetoJson& objeto, const std::string& error) {
  OpcionesDiseno familiaYMontaje;
  for (const auto& [clave, valor] : objeto) {
    OpcionesDiseno sola;
    if (!LeerUna(sola, clave, valor) && ErrorDeOpciones(sola) == error) return clave;
    if (clave == kClaveFamilia || clave == kClaveMontaje) LeerUna(familiaYMontaje, clave, valor);
  }
  if (ErrorDeOpciones(familiaYMontaje) == error) return std::string(kClaveFamilia);
  return {};
}

struct Fallo {
  std::string motivo;
  std::string clave;  // the box at fault; empty for none in particular
};

std::variant<OpcionesDiseno, Fallo> LeerOpciones(const ObjetoJson& objeto) {
  OpcionesDiseno opciones;
  for (const auto& [clave, valor] : objeto) {
    if (auto motivo = LeerUna(opciones, clave, valor)) return Fallo{*motivo, clave};
  }
  if (auto error = ErrorDeOpciones(opciones)) return Fallo{*error, ClaveEnFalta(objeto, *error)};
  return opciones;
}

std::variant<OpcionesDiseno, Fallo> LeerOpciones(std::string_view json) {
  const auto objeto = LeerObjetoPlano(json);
  if (!objeto) return Fallo{"las opciones no se pueden leer", {}};
  return LeerOpciones(*objeto);
}

std::string Ohmios(double valor) {
  return CifraCorta(valor, kDecimalesOhmios) + " Ω";
}

// The resistor values that work, for the panel's line above the report.
std::optional<std::string> VentanaDeR(const Diseno& diseno) {
  if (diseno.veredicto != Veredicto::Cumple) return std::nullopt;
  const auto rMin = diseno.cifras[Figura::RMin];
  const auto rMax = diseno.cifras[Figura::RMax];
  if (!rMax) return "Ninguna R sirve: ni sin ella se mantiene IzMin en el peor caso";
  if (!rMin) return "R de hasta " + Ohmios(*rMax);
  if (!(*rMin <= *rMax)) {
    return "Ninguna R sirve: la mínima, " + Ohmios(*rMin) + ", pasa de la máxima, " + Ohmios(*rMax);
  }
  return "R entre " + Ohmios(*rMin) + " y " + Ohmios(*rMax);
}

void AnadirOpcion(std::string& json, std::string_view nombre, std::string_view texto) {
  json += "{\"nombre\":";
  AnadirCadena(json, nombre);
  json += ",\"texto\":";
  AnadirCadena(json, texto);
  json += "},";
}

void AnadirCadenaONulo(std::string& json, const std::optional<std::string>& texto) {
  if (texto) {
    AnadirCadena(json, *texto);
  } else {
    json += "null";
  }
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
    diseno_ = zener::Disenar(*valores_, std::get<OpcionesDiseno>(leidas));
    json += InformeJson(*diseno_);
    json += ",\"ventanaR\":";
    AnadirCadenaONulo(json, VentanaDeR(*diseno_));
  } else {
    json += "null,\"ventanaR\":null";
  }
  return json + '}';
}

// Those the library cannot read go first; then, while the rest break the
// limits, the one option that breaks them alone.
std::string PanelDiseno::OpcionesDeEnlace(std::string_view opcionesJson) {
  ObjetoJson aceptadas = LeerObjetoPlano(opcionesJson).value_or(ObjetoJson{});
  std::vector<std::string> ignoradas;
  for (auto opcion = aceptadas.begin(); opcion != aceptadas.end();) {
    OpcionesDiseno prueba;
    const bool valida = EsOpcionDelPanel(opcion->first);
    if (valida && !LeerUna(prueba, opcion->first, opcion->second)) {
      ++opcion;
      continue;
    }
    if (valida) ignoradas.push_back(opcion->first);
    opcion = aceptadas.erase(opcion);
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
  const OpcionesDiseno porDefecto;
  std::string json = "{\"series\":[";
  for (const TablaSerie& serie : kSeries) AnadirOpcion(json, serie.nombre, serie.nombre);
  json.back() = ']';
  json += ",\"familias\":[";
  AnadirOpcion(json, kFamiliaAutomatica, kTextoAutomatica);
  // The package too, which tells the mounting.
  for (const FamiliaZener& familia : kFamilias) {
    AnadirOpcion(json, familia.nombre,
                 std::string(familia.nombre) + " (" + TextoGeneral(familia.potenciaW) + " W, " +
                     std::string(familia.encapsulado.nombre) + ")");
  }
  json.back() = ']';
  json += ",\"montajes\":[";
  for (const auto& [montaje, texto] : kTextosDeMontaje) {
    AnadirOpcion(json, NombreDeMontaje(montaje), texto);
  }
  json.back() = ']';
  json += ",\"materiales\":[";
  for (std::size_t i = 0; i < kClavesMateriales.size(); ++i) {
    json += "{\"clave\":";
    AnadirCadena(json, kClavesMateriales[i]);
    json += ",\"texto\":";
    AnadirCadena(json, kCabeceraMateriales[i]);
    json += "},";
  }
  json.back() = ']';
  json += ",\"porDefecto\":{\"serie\":";
  AnadirCadena(json, TablaDe(porDefecto.serie).nombre);
  json += ",\"familia\":";
  AnadirCadena(json, NombreDe(porDefecto.familia));
  json += ",\"montaje\":";
  AnadirCadena(json, NombreDeMontaje(porDefecto.montaje));
  json += "},\"opciones\":";
  return json + OpcionesNumericasJson() + '}';
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

}  // namespace zener::web
