#include "ui/web/PanelDiseno.h"

#include "ui/web/Json.h"

namespace zener::web {

std::string PanelDiseno::Disenar(const OpcionesDiseno& opciones) {
  std::string json = valores_ ? "{\"valores\":true,\"error\":" : "{\"valores\":false,\"error\":";
  const auto error = ErrorDeOpciones(opciones);
  if (error) {
    AnadirCadena(json, *error);
  } else {
    json += "null";
  }
  json += ",\"informe\":";
  if (valores_ && !error) {
    diseno_ = zener::Disenar(*valores_, opciones);
    json += InformeJson(*diseno_);
  } else {
    json += "null";
  }
  return json + '}';
}

std::string PanelDiseno::Texto() const {
  return diseno_ ? InformeTexto(*diseno_) : std::string();
}

std::string PanelDiseno::Html() const {
  return diseno_ ? InformeHtml(*diseno_) : std::string();
}

}  // namespace zener::web
