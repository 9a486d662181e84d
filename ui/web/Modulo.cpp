// The entry points the page calls: the window's events, and memory for the
// texts it hands over.
#include <cmath>
#include <cstdlib>
#include <optional>

#include "form/Controlador.h"
#include "ui/web/DisposicionJson.h"
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
// The last text handed to the page; it reads it before its next call.
std::string salida;

const char* Entregar(std::string texto) {
  salida = std::move(texto);
  return salida.c_str();
}

// The page gives NaN for an option left to its default.
std::optional<double> Opcional(double valor) {
  return std::isnan(valor) ? std::nullopt : std::optional<double>(valor);
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

ZENER_EXPORTA(zener_disposicion) const char* ZenerDisposicion() {
  return Entregar(DisposicionJson());
}

// The length in bytes of the text the last call gave.
ZENER_EXPORTA(zener_bytes) int ZenerBytes() {
  return static_cast<int>(salida.size());
}

// Options as the design library takes them: tolerances as fractions, series
// and family as the numbers of their enumerations.
ZENER_EXPORTA(zener_disenar)
const char* ZenerDisenar(int serie, double tolR, double tolVz, double margen, int familia,
                         double zz) {
  if (serie < 0 || serie > static_cast<int>(Serie::E192) || familia < 0 ||
      familia > static_cast<int>(Familia::N53)) {
    return Entregar("{\"valores\":false,\"error\":\"opciones\",\"informe\":null}");
  }
  OpcionesDiseno opciones;
  opciones.serie = static_cast<Serie>(serie);
  opciones.tolR = Opcional(tolR);
  opciones.tolVz = tolVz;
  opciones.margen = margen;
  opciones.familia = static_cast<Familia>(familia);
  opciones.zz = Opcional(zz);
  return Entregar(panel.Disenar(opciones));
}

ZENER_EXPORTA(zener_informe_texto) const char* ZenerInformeTexto() {
  return Entregar(panel.Texto());
}

ZENER_EXPORTA(zener_informe_html) const char* ZenerInformeHtml() {
  return Entregar(panel.Html());
}
