// Delivers the window's events to the logic one at a time and in the order
// they happened. Focus events raised while a handler runs (for instance by a
// handler that moves the focus, or behind a modal message box) wait until
// that handler has ended.
#pragma once

#include <cstdint>
#include <deque>

#include "ui/Ventana.h"

namespace zener {

struct Evento {
  enum class Tipo { Load, Click, GotFocus, LostFocus };
  Tipo tipo;
  Control control;
};

class ColaEventos {
 public:
  explicit ColaEventos(EventosVentana& destino) : destino_(destino) {}

  void Encolar(Evento evento) { pendientes_.push_back(evento); }

  // Delivers what is queued, unless a handler is running: then its caller does.
  void Entregar();

  // A key must be answered at once: the field inserts what the handler leaves.
  void KeyPress(Control campo, std::int16_t& keyascii);

 private:
  void Ejecutar(const Evento& evento);

  EventosVentana& destino_;
  std::deque<Evento> pendientes_;
  bool ocupada_ = false;
};

}  // namespace zener
