#include "form/Procedimientos.h"

#include <array>
#include <utility>
#include <vector>

#include "core/Calculo.h"
#include "core/NumeroTexto.h"
#include "core/Tablas.h"
#include "form/Controles.h"

namespace zener {

namespace {

constexpr char kSaltoDelCuadro = '\r';

// The spaces before each line of each rule's box, which centred it in the
// box's proportional font; lines past the list have none.
const std::array<std::vector<std::size_t>, 7> kSangriasDeReglas = {{
    {0, 6},
    {0, 24},
    {0, 24},
    {0, 0},
    {0, 1, 0},
    {0, 14},
    {0, 5},
}};

std::string Maquetar(std::string_view mensaje, const std::vector<std::size_t>& sangrias) {
  std::string texto;
  std::size_t linea = 0;
  while (true) {
    const std::size_t fin = mensaje.find('\n');
    if (linea < sangrias.size()) texto.append(sangrias[linea], ' ');
    texto += mensaje.substr(0, fin);
    if (fin == std::string_view::npos) return texto;
    texto += kSaltoDelCuadro;
    mensaje.remove_prefix(fin + 1);
    ++linea;
  }
}

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

std::string TextoDelCuadro(Veredicto veredicto) {
  const int regla = NumeroDeRegla(veredicto);
  if (regla == 0) return Maquetar(kMensajeFueraDeRango, {});
  const auto indice = static_cast<std::size_t>(regla - 1);
  return Maquetar(kReglas[indice].mensaje, kSangriasDeReglas[indice]);
}

Veredicto cmdCalcular_Click(DatosCircuito& datos, Ventana& ventana) {
  Limpiar(datos, ventana);
  const Veredicto veredicto = Calcular(datos);
  if (veredicto == Veredicto::FueraDeRango) {
    MostrarMensaje(datos, ventana, TextoDelCuadro(veredicto), kEstiloExclamacion, kTituloError);
    return veredicto;
  }
  if (const auto regla = ReglaDe(veredicto)) {
    const Control campo = CampoDe(regla->campo);
    MostrarMensaje(datos, ventana, TextoDelCuadro(veredicto), kEstiloInformacion, regla->titulo,
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
