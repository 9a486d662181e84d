#include "ui/web/PanelDiseno.h"

#include <cmath>
#include <limits>
#include <variant>

#include "core/NumeroTexto.h"
#include "design/Componentes.h"
#include "ui/web/Json.h"

namespace zener::web {

namespace {

constexpr double kPorCiento = 100;
constexpr double kSinDato = std::numeric_limits<double>::quiet_NaN();
constexpr std::string_view kFamiliaAutomatica = "auto";
constexpr std::string_view kTextoAutomatica = "Automática";

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

// A number given, or nothing for null; a value of another kind is no number.
std::optional<double> Numero(const ObjetoJson& objeto, std::string_view clave) {
  const auto valor = objeto.find(clave);
  if (valor == objeto.end()) return std::nullopt;
  if (const auto* numero = std::get_if<double>(&valor->second)) return *numero;
  if (std::holds_alternative<std::monostate>(valor->second)) return std::nullopt;
  return kSinDato;
}

std::string Cadena(const ObjetoJson& objeto, std::string_view clave) {
  const auto valor = objeto.find(clave);
  const auto* cadena = valor == objeto.end() ? nullptr : std::get_if<std::string>(&valor->second);
  return cadena ? *cadena : std::string();
}

// The options, or why they cannot be read.
std::variant<OpcionesDiseno, std::string> LeerOpciones(std::string_view json) {
  const auto objeto = LeerObjetoPlano(json);
  if (!objeto) return std::string("las opciones no se pueden leer");
  const auto serie = SerieDeNombre(Cadena(*objeto, "serie"));
  if (!serie) return std::string("serie desconocida");
  const auto familia = FamiliaPorNombre(Cadena(*objeto, "familia"));
  if (!familia) return std::string("familia desconocida");
  OpcionesDiseno opciones;
  opciones.serie = *serie;
  opciones.familia = *familia;
  if (const auto tolR = Numero(*objeto, "tolR")) opciones.tolR = *tolR / kPorCiento;
  if (const auto tolVz = Numero(*objeto, "tolVz")) opciones.tolVz = *tolVz / kPorCiento;
  opciones.margen = Numero(*objeto, "margen").value_or(kSinDato);
  opciones.zz = Numero(*objeto, "zz");
  return opciones;
}

void AnadirOpcion(std::string& json, std::string_view nombre, std::string_view texto) {
  json += "{\"nombre\":";
  AnadirCadena(json, nombre);
  json += ",\"texto\":";
  AnadirCadena(json, texto);
  json += "},";
}

}  // namespace

std::string PanelDiseno::Disenar(std::string_view opcionesJson) {
  std::string json = valores_ ? "{\"valores\":true,\"error\":" : "{\"valores\":false,\"error\":";
  const auto leidas = LeerOpciones(opcionesJson);
  const auto* opciones = std::get_if<OpcionesDiseno>(&leidas);
  const std::optional<std::string> error =
      opciones ? ErrorDeOpciones(*opciones) : std::get<std::string>(leidas);
  if (error) {
    AnadirCadena(json, *error);
  } else {
    json += "null";
  }
  json += ",\"informe\":";
  if (valores_ && !error) {
    diseno_ = zener::Disenar(*valores_, *opciones);
    json += InformeJson(*diseno_);
  } else {
    json += "null";
  }
  return json + '}';
}

std::string PanelDiseno::Listas() {
  const OpcionesDiseno porDefecto;
  std::string json = "{\"series\":[";
  for (const TablaSerie& serie : kSeries) AnadirOpcion(json, serie.nombre, serie.nombre);
  json.back() = ']';
  json += ",\"familias\":[";
  AnadirOpcion(json, kFamiliaAutomatica, kTextoAutomatica);
  for (const FamiliaZener& familia : kFamilias) {
    AnadirOpcion(json, familia.nombre,
                 std::string(familia.nombre) + " (" + TextoGeneral(familia.potenciaW) + " W)");
  }
  json.back() = ']';
  json += ",\"porDefecto\":{\"serie\":";
  AnadirCadena(json, TablaDe(porDefecto.serie).nombre);
  json += ",\"tolVz\":";
  if (porDefecto.tolVz) {
    AnadirNumero(json, *porDefecto.tolVz * kPorCiento);
  } else {
    json += "null";
  }
  json += ",\"margen\":";
  AnadirNumero(json, porDefecto.margen);
  json += ",\"familia\":";
  AnadirCadena(json, NombreDe(porDefecto.familia));
  return json + "}}";
}

std::string PanelDiseno::Texto() const {
  return diseno_ ? InformeTexto(*diseno_) : std::string();
}

std::string PanelDiseno::Html() const {
  return diseno_ ? InformeHtml(*diseno_) : std::string();
}

}  // namespace zener::web
