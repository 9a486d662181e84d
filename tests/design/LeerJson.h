// Just enough JSON reading for the tests: the keys and raw values of an
// object's top level.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zener {

// The top-level members of a JSON object, in order: key and value text.
inline std::vector<std::pair<std::string, std::string>> Miembros(std::string_view json) {
  std::vector<std::pair<std::string, std::string>> miembros;
  int profundidad = 0;
  bool enCadena = false;
  std::string clave;
  std::size_t inicioValor = 0;
  std::size_t inicioCadena = 0;
  for (std::size_t i = 0; i < json.size(); ++i) {
    const char c = json[i];
    if (enCadena) {
      if (c == '\\') ++i;
      if (c == '"') {
        enCadena = false;
        if (profundidad == 1 && inicioValor == 0) {
          clave = std::string(json.substr(inicioCadena, i - inicioCadena));
        }
      }
      continue;
    }
    if (c == '"') {
      enCadena = true;
      inicioCadena = i + 1;
    } else if (c == ':' && profundidad == 1) {
      inicioValor = i + 1;
    } else if ((c == ',' || c == '}') && profundidad == 1 && inicioValor > 0) {
      miembros.emplace_back(clave, std::string(json.substr(inicioValor, i - inicioValor)));
      inicioValor = 0;
    }
    if (c == '{' || c == '[') ++profundidad;
    if (c == '}' || c == ']') --profundidad;
  }
  return miembros;
}

// The raw text of one top-level value; empty when absent.
inline std::string Valor(std::string_view json, std::string_view clave) {
  for (auto& [k, v] : Miembros(json)) {
    if (k == clave) return v;
  }
  return {};
}

}  // namespace zener
