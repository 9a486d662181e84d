#include "ui/web/DisposicionJson.h"

#include "ui/web/Json.h"
#include "window/Disposicion.h"

namespace zener::web {

namespace {

constexpr std::string_view kClases[] = {"Etiqueta", "Campo", "Resultado",
                                        "Boton",    "Marco", "Imagen"};

void AnadirColor(std::string& json, const std::optional<Rgb>& color) {
  if (!color) {
    json += "null";
    return;
  }
  static constexpr char kHex[] = "0123456789abcdef";
  json += "\"#";
  for (const std::uint8_t canal : {color->r, color->g, color->b}) {
    json += kHex[canal >> 4];
    json += kHex[canal & 15];
  }
  json += '"';
}

void AnadirCampo(std::string& json, std::string_view nombre, int valor) {
  AnadirCadena(json, nombre);
  json += ':';
  AnadirEntero(json, valor);
  json += ',';
}

void AnadirCampo(std::string& json, std::string_view nombre, std::string_view valor) {
  AnadirCadena(json, nombre);
  json += ':';
  AnadirCadena(json, valor);
  json += ',';
}

// The caption of the label that names a control, without its leader dots.
std::string_view NombreAccesible(const Pieza& pieza) {
  if (pieza.rotulo.empty()) return {};
  return SinPuntosGuia(kPiezas[FilaPorNombre(pieza.rotulo)].texto);
}

void AnadirColor(std::string& json, std::string_view nombre, const std::optional<Rgb>& color) {
  AnadirCadena(json, nombre);
  json += ':';
  AnadirColor(json, color);
  json += ',';
}

}  // namespace

std::string DisposicionJson() {
  std::string json = "{";
  AnadirCampo(json, "ancho", kAnchoCliente);
  AnadirCampo(json, "alto", kAltoCliente);
  AnadirCampo(json, "twipsPorPixel", kTwipsPorPixel);
  AnadirColor(json, "fondo", kFondoVentana);
  json += "\"familias\":[";
  AnadirCadena(json, kFamiliaLetra);
  json += ',';
  AnadirCadena(json, kFamiliaSustituta);
  json += "],";
  AnadirCampo(json, "margenTituloMarco", kMargenTituloMarco);
  AnadirCampo(json, "margenFoco", kMargenFoco);
  json += "\"letras\":[";
  for (const Letra& letra : kLetras) {
    json += '{';
    AnadirCampo(json, "centesimasDePunto", letra.centesimasDePunto);
    AnadirCampo(json, "peso", letra.peso);
    json += letra.cursiva ? "\"cursiva\":true," : "\"cursiva\":false,";
    json += letra.subrayada ? "\"subrayada\":true}," : "\"subrayada\":false},";
  }
  json.back() = ']';
  json += ",\"piezas\":[";
  for (const Pieza& pieza : kPiezas) {
    json += '{';
    AnadirCampo(json, "nombre", pieza.nombre);
    AnadirCampo(json, "clase", kClases[static_cast<int>(pieza.clase)]);
    AnadirCampo(json, "marco", pieza.marco);
    AnadirCampo(json, "izquierda", pieza.izquierda);
    AnadirCampo(json, "arriba", pieza.arriba);
    AnadirCampo(json, "ancho", pieza.ancho);
    AnadirCampo(json, "alto", pieza.alto);
    AnadirCampo(json, "texto", pieza.texto);
    AnadirCampo(json, "fuente", static_cast<int>(pieza.fuente));
    AnadirCampo(json, "rotulo", pieza.rotulo);
    AnadirCampo(json, "nombreAccesible", NombreAccesible(pieza));
    AnadirColor(json, "fondo", pieza.fondo);
    AnadirColor(json, "tinta", pieza.tinta);
    json += "\"control\":";
    if (pieza.control) {
      AnadirEntero(json, static_cast<int>(*pieza.control));
    } else {
      json += "null";
    }
    json += "},";
  }
  json.back() = ']';
  json += '}';
  return json;
}

}  // namespace zener::web
