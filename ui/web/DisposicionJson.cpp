#include "ui/web/DisposicionJson.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "core/Tablas.h"
#include "design/Lectura.h"
#include "form/Controles.h"
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

const Pieza& PiezaLlamada(std::string_view nombre) {
  return kPiezas[FilaPorNombre(nombre)];
}

// A frame's caption as words within a name: "sin desconexión de la carga".
std::string PalabrasDelMarco(std::string_view caption) {
  std::string palabras(caption.substr(0, caption.find_last_not_of(' ') + 1));
  for (char& c : palabras) {
    if (c == ' ') break;
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return palabras;
}

// The caption of the label that names a control, without its leader dots;
// inside a frame, with the frame's words before the unit, so that the two
// Zener powers are told apart: "Potencia del Zener sin desconexión de la
// carga (W)".
std::string NombreAccesible(const Pieza& pieza) {
  if (pieza.rotulo.empty()) return {};
  std::string nombre(SinPuntosGuia(PiezaLlamada(pieza.rotulo).texto));
  if (pieza.marco.empty()) return nombre;
  const std::size_t unidad = std::min(nombre.rfind(" ("), nombre.size());
  return nombre.insert(unidad, " " + PalabrasDelMarco(PiezaLlamada(pieza.marco).texto));
}

bool EsRotulo(const Pieza& pieza) {
  return std::any_of(kPiezas.begin(), kPiezas.end(),
                     [&](const Pieza& otra) { return otra.rotulo == pieza.nombre; });
}

// Adds the piece, after the caption that names it; a frame is followed by
// what it holds, top to bottom.
void AnadirEnOrden(std::vector<std::size_t>& orden, std::size_t fila) {
  const Pieza& pieza = kPiezas[fila];
  if (!pieza.rotulo.empty()) orden.push_back(FilaPorNombre(pieza.rotulo));
  orden.push_back(fila);
  if (pieza.clase != Clase::Marco) return;
  std::vector<std::size_t> dentro;
  for (std::size_t i = 0; i < kPiezas.size(); ++i) {
    if (kPiezas[i].marco == pieza.nombre && !EsRotulo(kPiezas[i])) dentro.push_back(i);
  }
  std::stable_sort(dentro.begin(), dentro.end(), [](std::size_t a, std::size_t b) {
    return kPiezas[a].arriba < kPiezas[b].arriba;
  });
  for (const std::size_t i : dentro) AnadirEnOrden(orden, i);
}

// The pieces in the order a reader meets them: the window's in the table's
// (tab) order, each with the caption that names it just before it, and the
// pieces of a frame after the frame, top to bottom. The table lists the
// first frame's results bottom up.
std::vector<std::size_t> OrdenDeLectura() {
  std::vector<std::size_t> orden;
  for (std::size_t fila = 0; fila < kPiezas.size(); ++fila) {
    if (kPiezas[fila].marco.empty() && !EsRotulo(kPiezas[fila])) AnadirEnOrden(orden, fila);
  }
  return orden;
}

// A field's name in the page's address, and the keyboard it asks for.
void AnadirDatosDeCampo(std::string& json, Control campo) {
  const auto magnitud = static_cast<std::size_t>(MagnitudDe(campo));
  AnadirCampo(json, "clave", kNombresValores[magnitud]);
  AnadirCampo(json, "teclado", kCampos[magnitud].admiteComa ? "decimal" : "numeric");
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
  for (const std::size_t fila : OrdenDeLectura()) {
    const Pieza& pieza = kPiezas[fila];
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
    AnadirCampo(json, "sinPuntos", SinPuntosGuia(pieza.texto));
    if (pieza.clase == Clase::Campo) AnadirDatosDeCampo(json, *pieza.control);
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
