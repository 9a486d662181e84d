// The window form1 in a web page: the page's elements stand for the controls,
// its events come in through the exported entry points and the logic's
// operations go out to it through the module's imports.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "form/ColaEventos.h"
#include "form/Form1.h"
#include "window/Ventana.h"

namespace zener::web {

class VentanaWeb final : public Ventana {
 public:
  VentanaWeb(LlamadaShell shell, std::string_view direccionWeb);
  VentanaWeb(const VentanaWeb&) = delete;
  VentanaWeb& operator=(const VentanaWeb&) = delete;

  // Loads the window and puts the focus in the first field, as on opening.
  void Abrir();

  // A typed character: gives back what the field inserts, 0 for nothing.
  std::int16_t Tecla(Control campo, std::int32_t codigo);
  void Pulsar(Control origen);
  void CampoRecibeFoco(Control campo);
  // haciaLaVentana: the focus goes to another control of the window, not to
  // a message box, another part of the page or another program.
  void CampoPierdeFoco(Control campo, bool haciaLaVentana);
  void Entregar() { cola_.Entregar(); }

  const DatosCircuito& Datos() const { return form_.Datos(); }
  // The design values of the last click on CALCULAR whose rules passed.
  const std::optional<DatosCircuito>& Calculados() const { return calculados_; }

  std::string LeerTexto(Control campo) const override;
  void EscribirTexto(Control campo, std::string_view texto) override;
  void FijarSeleccion(Control campo, int inicio, int longitud) override;
  void EscribirEtiqueta(Control resultado, std::string_view texto) override;
  void DarFoco(Control destino) override;
  std::int16_t MostrarCuadro(std::string_view prompt, std::int16_t estilo,
                             std::string_view titulo) override;
  void* Manejador() const override { return nullptr; }

 private:
  void Notificar(Evento evento);

  // The field the logic was last told has the focus: a field that gets the
  // focus back after a message box or another page element raises no event.
  std::optional<Control> campoConFoco_;
  std::optional<DatosCircuito> calculados_;
  Form1 form_;
  ColaEventos cola_;
};

}  // namespace zener::web
