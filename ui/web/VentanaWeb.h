// The window form1 in a web page: the logic's operations go out to the
// page's elements through the module's imports.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "window/Ventana.h"

namespace zener::web {

class VentanaWeb final : public Ventana {
 public:
  // The page's message box was closed with this button.
  void CuadroCerrado(std::int16_t respuesta);

  std::string LeerTexto(Control campo) const override;
  void EscribirTexto(Control campo, std::string_view texto) override;
  void FijarSeleccion(Control campo, int inicio, int longitud) override;
  void EscribirEtiqueta(Control resultado, std::string_view texto) override;
  void DarFoco(Control destino) override;
  void MostrarCuadro(std::string_view prompt, std::int16_t estilo, std::string_view titulo,
                     AlCerrarCuadro alCerrar) override;
  void* Manejador() const override { return nullptr; }
  void Mostrar() override {}  // the page shows its window as it builds it
  void PedirEntrega() override;

 private:
  // What the logic does once the box on show is closed: a page cannot wait
  // for the user.
  AlCerrarCuadro alCerrar_;
};

}  // namespace zener::web
