#include "ui/web/VentanaWeb.h"

#include "core/Calculo.h"
#include "ui/web/Pagina.h"

namespace zener::web {

namespace {

// The message box of the page has a single button.
constexpr std::int16_t kRespuestaAceptar = 1;

int Numero(Control control) {
  return static_cast<int>(control);
}

int Bytes(std::string_view texto) {
  return static_cast<int>(texto.size());
}

}  // namespace

VentanaWeb::VentanaWeb(LlamadaShell shell, std::string_view direccionWeb)
    : form_(*this, shell, direccionWeb), cola_(form_) {}

void VentanaWeb::Abrir() {
  Notificar({Evento::Tipo::Load, Control::txtVeMin});
  DarFoco(Control::txtVeMin);
}

// Characters beyond the 8-bit set never reach the handlers.
std::int16_t VentanaWeb::Tecla(Control campo, std::int32_t codigo) {
  if (codigo < 0 || codigo > 255 || !EsCampo(campo)) return 0;
  auto keyascii = static_cast<std::int16_t>(codigo);
  cola_.KeyPress(campo, keyascii);
  return keyascii;
}

// A click comes from a task of its own, never from inside a focus change:
// what is queued before it, such as the loss of focus of the field it leaves,
// is delivered first.
void VentanaWeb::Pulsar(Control origen) {
  if (EsCampo(origen)) return;
  cola_.Encolar({Evento::Tipo::Click, origen});
  cola_.Entregar();
  if (origen != Control::cmdCalcular) return;
  // The rules see only the design values, so a second look tells whether
  // the click showed results.
  DatosCircuito copia = Datos();
  if (Calcular(copia) != Veredicto::Cumple) return;
  calculados_ = Datos();
  PaginaCalculado();
}

void VentanaWeb::CampoRecibeFoco(Control campo) {
  if (!EsCampo(campo) || campoConFoco_ == campo) return;
  campoConFoco_ = campo;
  Notificar({Evento::Tipo::GotFocus, campo});
}

void VentanaWeb::CampoPierdeFoco(Control campo, bool haciaLaVentana) {
  if (!EsCampo(campo) || !haciaLaVentana) return;
  campoConFoco_.reset();
  Notificar({Evento::Tipo::LostFocus, campo});
}

// Focus events are raised inside the browser's focus change: they wait in the
// queue for a task of their own.
void VentanaWeb::Notificar(Evento evento) {
  cola_.Encolar(evento);
  PaginaPedirEntrega();
}

std::string VentanaWeb::LeerTexto(Control campo) const {
  std::string texto(64, '\0');
  int bytes = PaginaLeerTexto(Numero(campo), texto.data(), Bytes(texto));
  if (bytes > Bytes(texto)) {
    texto.resize(static_cast<std::size_t>(bytes));
    bytes = PaginaLeerTexto(Numero(campo), texto.data(), bytes);
  }
  texto.resize(static_cast<std::size_t>(bytes));
  return texto;
}

void VentanaWeb::EscribirTexto(Control campo, std::string_view texto) {
  PaginaEscribirTexto(Numero(campo), texto.data(), Bytes(texto));
}

void VentanaWeb::FijarSeleccion(Control campo, int inicio, int longitud) {
  PaginaFijarSeleccion(Numero(campo), inicio, longitud);
}

void VentanaWeb::EscribirEtiqueta(Control resultado, std::string_view texto) {
  PaginaEscribirTexto(Numero(resultado), texto.data(), Bytes(texto));
}

void VentanaWeb::DarFoco(Control destino) {
  PaginaDarFoco(Numero(destino));
}

// The page cannot wait for the user: the dialog stays open while the logic
// goes on, the rest of the page is inert behind it, and the focus the logic
// gives meanwhile is applied when it closes.
std::int16_t VentanaWeb::MostrarCuadro(std::string_view prompt, std::int16_t estilo,
                                       std::string_view titulo) {
  PaginaMostrarCuadro(prompt.data(), Bytes(prompt), estilo, titulo.data(), Bytes(titulo));
  return kRespuestaAceptar;
}

}  // namespace zener::web
