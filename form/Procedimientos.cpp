#include "form/Procedimientos.h"

#include <utility>

#include "core/Calculo.h"
#include "core/NumeroTexto.h"
#include "core/Tablas.h"
#include "form/Controles.h"

namespace zener {

namespace {

void BorrarEtiquetas(Ventana& ventana) {
  for (std::size_t i = 0; i < kResultados.size(); ++i) {
    ventana.EscribirEtiqueta(kEtiquetas[i], kResultados[i].textoBorrado);
  }
}

}  // namespace

void Limpiar(DatosCircuito& datos, Ventana& ventana) {
  BorrarEtiquetas(ventana);
  for (const FilaResultado& fila : kResultados) datos.*fila.valor = 0;
}

void LimpiarTodo(DatosCircuito& datos, Ventana& ventana) {
  for (const FilaCampo& fila : kCampos) {
    ventana.EscribirTexto(CampoDe(fila.magnitud), fila.textoReset);
  }
  BorrarEtiquetas(ventana);
  datos = ValoresPorDefecto(std::move(datos));
}

void MostrarMensaje(DatosCircuito& datos, Ventana& ventana, std::string_view prompt,
                    std::int16_t estilo, std::string_view titulo, TrasElCuadro despues) {
  datos.MsgTexto = prompt;
  datos.MsgEstilo = estilo;
  datos.MsgTitulo = titulo;
  ventana.MostrarCuadro(datos.MsgTexto, datos.MsgEstilo, datos.MsgTitulo,
                        [&datos, despues = std::move(despues)](std::int16_t respuesta) {
                          datos.MsgRespuesta = respuesta;
                          if (despues) despues();
                        });
}

Veredicto cmdCalcular_Click(DatosCircuito& datos, Ventana& ventana) {
  Limpiar(datos, ventana);
  const Veredicto veredicto = Calcular(datos);
  if (veredicto == Veredicto::FueraDeRango) {
    MostrarMensaje(datos, ventana, kPromptFueraDeRango, kEstiloExclamacion, kTituloError);
    return veredicto;
  }
  if (const auto regla = ReglaDe(veredicto)) {
    const Control campo = CampoDe(regla->campo);
    MostrarMensaje(datos, ventana, regla->prompt, kEstiloInformacion, regla->titulo,
                   [&datos, &ventana, campo] {
                     Limpiar(datos, ventana);
                     ventana.DarFoco(campo);
                   });
    return veredicto;
  }
  for (std::size_t i = 0; i < kResultados.size(); ++i) {
    const FilaResultado& fila = kResultados[i];
    // Calcular only lets through results that can be shown.
    ventana.EscribirEtiqueta(
        kEtiquetas[i], *FormatearCifra(TextoGeneral(datos.*fila.valor), fila.MascaraResultado));
  }
  return veredicto;
}

}  // namespace zener
