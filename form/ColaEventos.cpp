#include "form/ColaEventos.h"

namespace zener {

void ColaEventos::Entregar() {
  if (ocupada_) return;
  const Ocupada ocupada(ocupada_);
  while (!pendientes_.empty()) {
    const Evento evento = pendientes_.front();
    pendientes_.pop_front();
    Ejecutar(evento);
  }
}

void ColaEventos::KeyPress(Control campo, std::int16_t& keyascii) {
  {
    const Ocupada ocupada(ocupada_);
    destino_.KeyPress(campo, keyascii);
  }
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
