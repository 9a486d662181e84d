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
// The panel's own figures: its boxes' limits and defaults, the summary's
// voltages.
constexpr int kDecimalesPanel = 3;

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

// The panel's line above the report: the verdict first, then what a
// buildable design gives, and the resistor values that work with the part
// shown, each part one sentence.
std::string Resumen(const Diseno& diseno) {
  std::vector<std::string> partes{LineaDeVeredicto(diseno)};
  if (diseno.construible) partes.push_back(SalidaYUnion(diseno));
  if (auto ventana = VentanaDeR(diseno)) partes.push_back(*ventana);
  std::string resumen;
  for (std::string_view parte : partes) {
    if (!parte.empty() && parte.back() == '.') parte.remove_suffix(1);
    if (parte.empty()) continue;
    if (!resumen.empty()) resumen += ". ";
    resumen += parte;
  }
  return resumen;
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

// One choice of a list; a family's with the mounting it belongs to, by the
// mounting list's name (null for the automatic choice, which fits any).
void AnadirOpcion(std::string& json, std::string_view nombre, std::string_view texto,
                  std::optional<std::string> montaje = std::nullopt) {
  json += "{\"nombre\":";
  AnadirCadena(json, nombre);
  json += ",\"texto\":";
  AnadirCadena(json, texto);
  json += ",\"montaje\":";
  AnadirCadenaONulo(json, montaje);
  json += "},";
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
    json += ",\"resumen\":";
    AnadirCadena(json, Resumen(*diseno_));
  } else {
    json += "null,\"resumen\":null";
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
                     std::string(familia.encapsulado.nombre) + ")",
                 std::string(NombreDeMontaje(familia.encapsulado.montaje)));
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
  json += "},\"opciones\":[";
  for (const OpcionNumerica& opcion : kOpcionesNumericas) AnadirCaja(json, opcion);
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
