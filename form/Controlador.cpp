#include "form/Controlador.h"

#include <utility>

#include "core/Tablas.h"
#include "form/Campos.h"
#include "form/Controles.h"

namespace zener {

namespace {
constexpr std::int32_t kMayorCodigo = 255;  // the window's 8-bit character set
}

Controlador::Controlador(Ventana& ventana, LlamadaShell shell, std::string_view direccionWeb)
    : ventana_(ventana), form_(*this, shell, direccionWeb) {}

// Load runs before the window is first shown, so that its first paint
// already shows the defaults.
void Controlador::Abrir() {
  {
    const Ocupada ocupada(ocupada_);
    form_.Load();
  }
  ventana_.Mostrar();
  ventana_.DarFoco(kPrimerCampo);
  Entregar();
}

// A key must be answered at once: the field inserts what the handler leaves.
// What the focus moves before it raised is delivered first.
std::int16_t Controlador::Tecla(Control campo, std::int32_t codigo) {
  if (codigo < 0 || codigo > kMayorCodigo || !EsCampo(campo)) return 0;
  Entregar();
  if (cuadroAbierto_) return 0;
  auto keyascii = static_cast<std::int16_t>(codigo);
  {
    const Ocupada ocupada(ocupada_);
    form_.KeyPress(campo, keyascii);
  }
  Entregar();
  return keyascii;
}

// Focus events are raised inside the toolkit's focus change: they wait for a
// turn of their own.
void Controlador::Foco(Control control) {
  if (foco_ == control) return;
  const std::optional<Control> anterior = std::exchange(foco_, control);
  const bool pierde = anterior && EsCampo(*anterior);
  if (pierde) pendientes_.push_back({Evento::Tipo::LostFocus, *anterior});
  if (EsCampo(control)) pendientes_.push_back({Evento::Tipo::GotFocus, control});
  if (pierde || EsCampo(control)) ventana_.PedirEntrega();
}

void Controlador::Reactivar() {
  if (foco_) ventana_.DarFoco(*foco_);
}

// While a handler runs, a click can only come from behind its message box,
// which the user cannot get past.
std::optional<Veredicto> Controlador::Clic(Control origen) {
  if (EsCampo(origen) || ocupada_ || cuadroAbierto_) return std::nullopt;
  Entregar();
  if (cuadroAbierto_) return std::nullopt;
  std::optional<Veredicto> veredicto;
  {
    const Ocupada ocupada(ocupada_);
    veredicto = form_.Click(origen);
  }
  if (veredicto == Veredicto::Cumple) resultados_ = true;
  Entregar();
  return veredicto;
}

bool Controlador::Poner(Control campo, std::string_view texto) {
  if (!EsCampo(campo) || ocupada_ || cuadroAbierto_) return false;
  Entregar();
  if (cuadroAbierto_) return false;
  const Ocupada ocupada(ocupada_);
  return form_.Poner(campo, texto);
}

std::string Controlador::TextoConfirmado(Control campo) const {
  return EsCampo(campo) ? TextoDeValor(FilaDe(MagnitudDe(campo)), form_.Datos()) : std::string();
}

void Controlador::Entregar() {
  if (ocupada_) return;
  const Ocupada ocupada(ocupada_);
  while (!pendientes_.empty() && !cuadroAbierto_) {
    const Evento evento = pendientes_.front();
    pendientes_.pop_front();
    Ejecutar(evento);
  }
}

bool Controlador::EntregaPendiente() const {
  return !pendientes_.empty() && !ocupada_ && !cuadroAbierto_;
}

void Controlador::Ejecutar(const Evento& evento) {
  switch (evento.tipo) {
    case Evento::Tipo::GotFocus:
      form_.GotFocus(evento.campo);
      break;
    case Evento::Tipo::LostFocus:
      form_.LostFocus(evento.campo);
      break;
  }
}

std::string Controlador::LeerTexto(Control campo) const {
  return ventana_.LeerTexto(campo);
}

void Controlador::EscribirTexto(Control campo, std::string_view texto) {
  ventana_.EscribirTexto(campo, texto);
}

void Controlador::FijarSeleccion(Control campo, int inicio, int longitud) {
  ventana_.FijarSeleccion(campo, inicio, longitud);
}

void Controlador::EscribirEtiqueta(Control resultado, std::string_view texto) {
  resultados_ = false;
  ventana_.EscribirEtiqueta(resultado, texto);
}

void Controlador::DarFoco(Control destino) {
  ventana_.DarFoco(destino);
}

// Until the box is closed nothing reaches the handlers; then what the
// handler that opened it still had to do runs, and what waited follows.
void Controlador::MostrarCuadro(std::string_view prompt, std::int16_t estilo,
                                std::string_view titulo, AlCerrarCuadro alCerrar) {
  cuadroAbierto_ = true;
  ventana_.MostrarCuadro(prompt, estilo, titulo,
                         [this, alCerrar = std::move(alCerrar)](std::int16_t respuesta) {
                           cuadroAbierto_ = false;
                           {
                             const Ocupada ocupada(ocupada_);
                             alCerrar(respuesta);
                           }
                           Entregar();
                         });
}

void* Controlador::Manejador() const {
  return ventana_.Manejador();
}

void Controlador::Mostrar() {
  ventana_.Mostrar();
}

void Controlador::PedirEntrega() {
  ventana_.PedirEntrega();
}

}  // namespace zener
