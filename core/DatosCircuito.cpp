#include "core/DatosCircuito.h"

#include <utility>

namespace zener {

DatosCircuito ValoresPorDefecto(DatosCircuito actual) {
  DatosCircuito porDefecto;
  porDefecto.IzMin = kIzMinPorDefecto;
  porDefecto.MsgTexto = std::move(actual.MsgTexto);
  porDefecto.MsgTitulo = std::move(actual.MsgTitulo);
  porDefecto.MsgEstilo = actual.MsgEstilo;
  porDefecto.MsgRespuesta = actual.MsgRespuesta;
  return porDefecto;
}

}  // namespace zener
