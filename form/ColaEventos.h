// Delivers the window's events to the logic one at a time and in the order
// they happened. Focus events raised while a handler runs (for instance by a
// handler that moves the focus, or behind a modal message box) wait until
// that handler has ended.
#pragma once

#include <cstdint>
#include <deque>

#include "window/Ventana.h"

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
  // Events wait that the next turn of the message loop delivers: none are
  // due while a handler runs (behind a modal message box, say).
  bool EntregaPendiente() const { return !pendientes_.empty() && !ocupada_; }

  // Delivers what is queued, unless a handler is running: then its caller
  // does. A handler that throws leaves the queue usable.
  void Entregar();

  // A key must be answered at once: the field inserts what the handler leaves.
  void KeyPress(Control campo, std::int16_t& keyascii);

 private:
  void Ejecutar(const Evento& evento);

  // Marks the queue busy while it lives, and restores it however it ends.
  class Ocupada {
   public:
    explicit Ocupada(bool& ocupada) : ocupada_(ocupada), antes_(ocupada) { ocupada_ = true; }
    ~Ocupada() { ocupada_ = antes_; }
    Ocupada(const Ocupada&) = delete;
    Ocupada& operator=(const Ocupada&) = delete;

   private:
    bool& ocupada_;
    bool antes_;
  };

  EventosVentana& destino_;
  std::deque<Evento> pendientes_;
  bool ocupada_ = false;
};

}  // namespace zener
