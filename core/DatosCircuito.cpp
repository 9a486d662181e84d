#include "core/DatosCircuito.h"

#include "core/Tablas.h"

namespace zener {

namespace {

void BorrarEtiquetas(Ventana& ventana) {
  for (const FilaResultado& fila : kResultados) {
    ventana.EscribirEtiqueta(fila.etiqueta, fila.textoBorrado);
  }
}

}  // namespace

void Limpiar(DatosCircuito& datos, Ventana& ventana) {
  BorrarEtiquetas(ventana);
  for (const FilaResultado& fila : kResultados) datos.*fila.valor = 0;
}

void LimpiarTodo(DatosCircuito& datos, Ventana& ventana) {
  for (const FilaCampo& fila : kCampos) ventana.EscribirTexto(fila.campo, fila.textoReset);
  BorrarEtiquetas(ventana);
  DatosCircuito porDefecto;
  porDefecto.IzMin = 5;
  porDefecto.MsgTexto = std::move(datos.MsgTexto);
  porDefecto.MsgTitulo = std::move(datos.MsgTitulo);
  porDefecto.MsgEstilo = datos.MsgEstilo;
  porDefecto.MsgRespuesta = datos.MsgRespuesta;
  datos = std::move(porDefecto);
}

void MostrarMensaje(DatosCircuito& datos, Ventana& ventana, std::string_view prompt,
                    std::int16_t estilo, std::string_view titulo) {
  datos.MsgTexto = prompt;
  datos.MsgEstilo = estilo;
  datos.MsgTitulo = titulo;
  datos.MsgRespuesta = ventana.MostrarCuadro(datos.MsgTexto, datos.MsgEstilo, datos.MsgTitulo);
}

}  // namespace zener
