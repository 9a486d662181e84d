#include "ui/ColaEventos.h"

namespace zener {

void ColaEventos::Entregar() {
  if (ocupada_) return;
  ocupada_ = true;
  while (!pendientes_.empty()) {
    const Evento evento = pendientes_.front();
    pendientes_.pop_front();
    Ejecutar(evento);
  }
  ocupada_ = false;
}

void ColaEventos::KeyPress(Control campo, std::int16_t& keyascii) {
  const bool anidada = ocupada_;
  ocupada_ = true;
  destino_.KeyPress(campo, keyascii);
  ocupada_ = anidada;
  Entregar();
}

void ColaEventos::Ejecutar(const Evento& evento) {
  switch (evento.tipo) {
    case Evento::Tipo::Load:
      destino_.Load();
      break;
    case Evento::Tipo::Click:
      destino_.Click(evento.control);
      break;
    case Evento::Tipo::GotFocus:
      destino_.GotFocus(evento.control);
      break;
    case Evento::Tipo::LostFocus:
      destino_.LostFocus(evento.control);
      break;
  }
}

}  // namespace zener
