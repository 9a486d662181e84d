#include "design/Json.h"

#include "design/Texto.h"

namespace zener {

std::string CadenaJson(std::string_view texto) {
  std::string s = "\"";
  for (const char c : texto) {
    switch (c) {
      case '"':
        s += "\\\"";
        break;
      case '\\':
        s += "\\\\";
        break;
      case '\r':
        s += "\\r";
        break;
      case '\n':
        s += "\\n";
        break;
      case '\t':
        s += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          constexpr char kHex[] = "0123456789abcdef";
          s += "\\u00";
          s += kHex[(c >> 4) & 0xF];
          s += kHex[c & 0xF];
        } else {
          s += c;
        }
    }
  }
  return s + "\"";
}

ObjetoJson& ObjetoJson::Campo(std::string_view clave, const std::string& valorJson) {
  texto_ += (texto_.size() > 1 ? "," : "") + CadenaJson(clave) + ":" + valorJson;
  return *this;
}

ObjetoJson& ObjetoJson::Numero(std::string_view clave, double valor) {
  return Campo(clave, NumeroJson(valor));
}

ObjetoJson& ObjetoJson::Numero(std::string_view clave, const std::optional<double>& valor) {
  return Campo(clave, valor ? NumeroJson(*valor) : "null");
}

ObjetoJson& ObjetoJson::Cadena(std::string_view clave, std::string_view valor) {
  return Campo(clave, CadenaJson(valor));
}

ObjetoJson& ObjetoJson::Booleano(std::string_view clave, bool valor) {
  return Campo(clave, valor ? "true" : "false");
}

}  // namespace zener
