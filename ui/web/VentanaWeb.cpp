#include "ui/web/VentanaWeb.h"

#include <utility>

#include "ui/web/Pagina.h"

namespace zener::web {

namespace {

int Numero(Control control) {
  return static_cast<int>(control);
}

int Bytes(std::string_view texto) {
  return static_cast<int>(texto.size());
}

}  // namespace

void VentanaWeb::CuadroCerrado(std::int16_t respuesta) {
  if (alCerrar_) std::exchange(alCerrar_, nullptr)(respuesta);
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

void VentanaWeb::MostrarCuadro(std::string_view prompt, std::int16_t estilo,
                               std::string_view titulo, AlCerrarCuadro alCerrar) {
  alCerrar_ = std::move(alCerrar);
  PaginaMostrarCuadro(prompt.data(), Bytes(prompt), estilo, titulo.data(), Bytes(titulo));
}

void VentanaWeb::PedirEntrega() {
  PaginaPedirEntrega();
}

}  // namespace zener::web
