// The window's behaviour between a front end and the handlers of form1. The
// front end reports what the user and its toolkit did (a typed character,
// where the focus went, a click, the window active again) and carries out
// the operations; this class decides which events the handlers get, and
// when, so that every front end behaves alike.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "core/Calculo.h"
#include "core/DatosCircuito.h"
#include "form/Form1.h"
#include "window/Ventana.h"

namespace zener {

class Controlador final : private Ventana {
 public:
  Controlador(Ventana& ventana, LlamadaShell shell, std::string_view direccionWeb);
  Controlador(const Controlador&) = delete;
  Controlador& operator=(const Controlador&) = delete;

  // Load, then the window shown and the focus in the first field.
  void Abrir();

  // A character typed into a field: what the field inserts, 0 for nothing.
  // Codes beyond the 8-bit set never reach the handlers, nor does any key
  // while a message box is open.
  std::int16_t Tecla(Control campo, std::int32_t codigo);

  // The focus is now on this control of the window. Where it goes outside
  // the window (a message box, another program, the rest of a page) is not
  // reported: the field keeps the logic's focus, and commits its figure only
  // when the focus reaches another control.
  void Foco(Control control);

  // The window is active again after the focus was outside it: the focus
  // goes back to the control that had it, with no event, before whatever
  // the click that brought the user back does.
  void Reactivar();

  // A click on a button or a picture (the mouse, or Space or Enter on a
  // button), with the verdict of the rules when it ran CALCULAR. The focus
  // events it raised come first; when they open a message box, the box
  // takes the click, which then does nothing.
  std::optional<Veredicto> Clic(Control origen);

  // A figure for a field from outside the window, such as a shared link:
  // committed as a focus loss commits it, but a text the commit refuses
  // leaves the field as it was, with no message (Campo_Poner). False when
  // refused, and while a message box is open or a handler runs.
  bool Poner(Control campo, std::string_view texto);

  // Delivers the focus events that wait for a turn of their own. Nothing is
  // delivered while a handler runs or a message box is open.
  void Entregar();
  // Something waits that Entregar would deliver now.
  bool EntregaPendiente() const;
  bool CuadroAbierto() const { return cuadroAbierto_; }

  const DatosCircuito& Datos() const { return form_.Datos(); }
  // The text a field shows for its committed design value.
  std::string TextoConfirmado(Control campo) const;
  // The window shows the results of its design values: from a CALCULAR that
  // passed until a result label is next written (cleared).
  bool MuestraResultados() const { return resultados_; }

 private:
  struct Evento {
    enum class Tipo { GotFocus, LostFocus };
    Tipo tipo;
    Control campo;
  };

  // Marks a handler running while it lives, and restores the mark however
  // the handler ends.
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

  void Ejecutar(const Evento& evento);

  // The window as the handlers see it: the front end's, with each message
  // box followed from its opening to its closing.
  std::string LeerTexto(Control campo) const override;
  void EscribirTexto(Control campo, std::string_view texto) override;
  void FijarSeleccion(Control campo, int inicio, int longitud) override;
  void EscribirEtiqueta(Control resultado, std::string_view texto) override;
  void DarFoco(Control destino) override;
  void MostrarCuadro(std::string_view prompt, std::int16_t estilo, std::string_view titulo,
                     AlCerrarCuadro alCerrar) override;
  void* Manejador() const override;
  void Mostrar() override;
  void PedirEntrega() override;

  Ventana& ventana_;
  Form1 form_;
  std::deque<Evento> pendientes_;
  bool ocupada_ = false;
  bool cuadroAbierto_ = false;
  // The control the logic last knew to have the focus.
  std::optional<Control> foco_;
  bool resultados_ = false;
};

}  // namespace zener
