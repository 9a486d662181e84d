#include "form/Form1.h"

#include "form/Campos.h"
#include "form/Controles.h"
#include "form/Procedimientos.h"

namespace zener {

namespace {
constexpr int kMostrarNormal = 1;
}

Form1::Form1(Ventana& ventana, LlamadaShell shell, std::string_view direccionWeb)
    : ventana_(ventana), shell_(shell), direccionWeb_(direccionWeb) {}

void Form1::Load() {
  LimpiarTodo(datos_, ventana_);
}

std::optional<Veredicto> Form1::Click(Control origen) {
  switch (origen) {
    case Control::cmdCalcular:
      return cmdCalcular_Click(datos_, ventana_);
    case Control::cmdReset:
      cmdReset_Click();
      break;
    case Control::imgSchema:
    case Control::imgLogo:
      AbrirSitioWeb();
      break;
    default:
      break;
  }
  return std::nullopt;
}

void Form1::KeyPress(Control campo, std::int16_t& keyascii) {
  if (EsCampo(campo)) Campo_KeyPress(FilaDe(MagnitudDe(campo)), datos_, ventana_, keyascii);
}

void Form1::GotFocus(Control campo) {
  if (EsCampo(campo)) Campo_GotFocus(FilaDe(MagnitudDe(campo)), datos_, ventana_);
}

void Form1::LostFocus(Control campo) {
  if (EsCampo(campo)) Campo_LostFocus(FilaDe(MagnitudDe(campo)), datos_, ventana_);
}

bool Form1::Poner(Control campo, std::string_view texto) {
  return EsCampo(campo) && Campo_Poner(FilaDe(MagnitudDe(campo)), datos_, ventana_, texto);
}

void Form1::cmdReset_Click() {
  LimpiarTodo(datos_, ventana_);
  ventana_.DarFoco(kPrimerCampo);
}

// Whether the page opened is not examined: nothing is reported either way.
void Form1::AbrirSitioWeb() {
  shell_(ventana_.Manejador(), "Open", direccionWeb_.c_str(), nullptr, nullptr, kMostrarNormal);
}

}  // namespace zener
