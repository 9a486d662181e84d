// The entry points the page calls: the window's events, memory for the texts
// it hands over, and the texts it asks for.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "core/Tablas.h"
#include "design/Lectura.h"
#include "form/Controlador.h"
#include "form/Controles.h"
#include "ui/web/DisposicionJson.h"
#include "ui/web/Json.h"
#include "ui/web/Pagina.h"
#include "ui/web/PanelDiseno.h"
#include "ui/web/VentanaWeb.h"

#define ZENER_EXPORTA(nombre) extern "C" __attribute__((export_name(#nombre)))

namespace zener::web {
namespace {

// The shell's open call: a new tab on the address, whatever the operation.
void AbrirEnPestana(void*, const char*, const char* archivo, const char*, const char*, int) {
  const std::string_view direccion = archivo;
  PaginaAbrirDireccion(direccion.data(), static_cast<int>(direccion.size()));
}

// The window and its logic, made when the page opens it.
struct Calculadora {
  explicit Calculadora(std::string_view direccionWeb)
      : controlador(ventana, &AbrirEnPestana, direccionWeb) {}
  VentanaWeb ventana;
  Controlador controlador;
};

Calculadora* calculadora = nullptr;
PanelDiseno panel;
// The last text handed to the page, after its length; the page reads it
// before its next call.
std::string salida;

const char* Entregar(std::string_view texto) {
  const auto bytes = static_cast<std::uint32_t>(texto.size());
  salida.clear();
  for (int desplazamiento = 0; desplazamiento < 32; desplazamiento += 8) {
    salida += static_cast<char>((bytes >> desplazamiento) & 0xFF);
  }
  salida += texto;
  return salida.data();
}

// What the page keeps in its address and follows: the committed design
// values as their fields show them, by their names, and whether the window
// shows their results.
std::string Estado() {
  if (calculadora == nullptr) return "null";
  const Controlador& controlador = calculadora->controlador;
  std::string json = "{\"valores\":{";
  for (const FilaCampo& fila : kCampos) {
    AnadirCadena(json, kNombresValores[static_cast<std::size_t>(fila.magnitud)]);
    json += ':';
    AnadirCadena(json, controlador.TextoConfirmado(CampoDe(fila.magnitud)));
    json += ',';
  }
  json.back() = '}';
  json += controlador.MuestraResultados() ? ",\"resultados\":true}" : ",\"resultados\":false}";
  return json;
}

struct Peticion {
  std::string_view que;
  std::string (*texto)(std::string_view entrada);
};

constexpr Peticion kPeticiones[] = {
    {"disposicion", [](std::string_view) { return DisposicionJson(); }},
    {"listas", [](std::string_view) { return PanelDiseno::Listas(); }},
    {"diseno", [](std::string_view opciones) { return panel.Disenar(opciones); }},
    {"informe-texto", [](std::string_view) { return panel.Texto(); }},
    {"informe-html", [](std::string_view) { return panel.Html(); }},
    {"informe-spice", [](std::string_view) { return panel.Spice(); }},
    {"materiales-csv", [](std::string_view) { return panel.Materiales(); }},
    {"estado", [](std::string_view) { return Estado(); }},
    {"opciones-enlace",
     [](std::string_view opciones) { return PanelDiseno::OpcionesDeEnlace(opciones); }},
    {"direccion", [](std::string_view) { return std::string(ZENER_DIRECCION_WEB); }},
};

std::string Texto(std::string_view que, std::string_view entrada) {
  for (const Peticion& peticion : kPeticiones) {
    if (peticion.que == que) return peticion.texto(entrada);
  }
  return {};
}

std::optional<Control> ControlDe(int numero) {
  if (numero < 0 || numero >= kNumeroDeControles) return std::nullopt;
  return static_cast<Control>(numero);
}

}  // namespace
}  // namespace zener::web

using namespace zener;
using namespace zener::web;

ZENER_EXPORTA(zener_abrir) void ZenerAbrir() {
  if (calculadora != nullptr) return;
  calculadora = new Calculadora(ZENER_DIRECCION_WEB);
  calculadora->controlador.Abrir();
}

ZENER_EXPORTA(zener_tecla) int ZenerTecla(int campo, int codigo) {
  const auto control = ControlDe(campo);
  return calculadora && control ? calculadora->controlador.Tecla(*control, codigo) : 0;
}

// A figure for a field from the page's address: 1 when the field took it.
ZENER_EXPORTA(zener_poner) int ZenerPoner(int campo, const char* texto, int bytes) {
  const auto control = ControlDe(campo);
  return calculadora && control &&
         calculadora->controlador.Poner(*control,
                                        std::string_view(texto, static_cast<std::size_t>(bytes)));
}

// The focus is now on this control of the window.
ZENER_EXPORTA(zener_foco) void ZenerFoco(int control) {
  if (const auto c = ControlDe(control); calculadora && c) calculadora->controlador.Foco(*c);
}

// A press on the window while the focus was elsewhere on the page.
ZENER_EXPORTA(zener_reactivar) void ZenerReactivar() {
  if (calculadora) calculadora->controlador.Reactivar();
}

// A click: when CALCULAR shows results, the design panel follows them.
ZENER_EXPORTA(zener_pulsar) void ZenerPulsar(int origen) {
  const auto control = ControlDe(origen);
  if (!calculadora || !control) return;
  if (calculadora->controlador.Clic(*control) != Veredicto::Cumple) return;
  panel.Seguir(calculadora->controlador.Datos());
  PaginaCalculado();
}

ZENER_EXPORTA(zener_cuadro_cerrado) void ZenerCuadroCerrado(int respuesta) {
  if (calculadora) calculadora->ventana.CuadroCerrado(static_cast<std::int16_t>(respuesta));
}

ZENER_EXPORTA(zener_entregar) void ZenerEntregar() {
  if (calculadora) calculadora->controlador.Entregar();
}

ZENER_EXPORTA(zener_reservar) void* ZenerReservar(int bytes) {
  return std::malloc(static_cast<std::size_t>(bytes));
}

ZENER_EXPORTA(zener_liberar) void ZenerLiberar(void* memoria) {
  std::free(memoria);
}

// The one way a text comes back to the page: what is asked for (with its
// input, for a design the options' JSON) gives the address of the text's
// length in bytes, four of them with the lowest first, followed by the text.
// It stays there until the next call. Asked for: "disposicion" (the layout
// JSON), "listas" (the design panel's choices and limits), "diseno",
// "informe-texto", "informe-html", "informe-spice", "materiales-csv" (the
// parts list as a spreadsheet's file), "estado" (the committed values and
// whether their results are shown), "opciones-enlace" (a link's panel
// options, checked), "direccion" (the address the pictures open); anything
// else gives an empty text.
ZENER_EXPORTA(zener_texto)
const char* ZenerTexto(const char* que, int bytesQue, const char* entrada, int bytesEntrada) {
  return Entregar(Texto(std::string_view(que, static_cast<std::size_t>(bytesQue)),
                        std::string_view(entrada, static_cast<std::size_t>(bytesEntrada))));
}
