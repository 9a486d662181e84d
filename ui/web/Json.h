// Just enough JSON for what the module and the page hand each other.
#pragma once

#include <charconv>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace zener::web {

inline void AnadirCadena(std::string& json, std::string_view texto) {
  static constexpr char kHex[] = "0123456789abcdef";
  json += '"';
  for (const char c : texto) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (u < 0x20) {
      json += "\\u00";
      json += kHex[u >> 4];
      json += kHex[u & 15];
    } else {
      json += c;
    }
  }
  json += '"';
}

inline void AnadirEntero(std::string& json, int valor) {
  char cifras[16];
  const auto fin = std::to_chars(cifras, cifras + sizeof cifras, valor).ptr;
  json.append(cifras, fin);
}

// The shortest text that reads back as the same double.
inline void AnadirNumero(std::string& json, double valor) {
  char cifras[32];
  const auto fin = std::to_chars(cifras, cifras + sizeof cifras, valor).ptr;
  json.append(cifras, fin);
}

// null, a number or a string.
using ValorJson = std::variant<std::monostate, double, std::string>;
using ObjetoJson = std::map<std::string, ValorJson, std::less<>>;

// An object whose values are all null, numbers or strings, as JSON.stringify
// writes it; nothing for any other text.
std::optional<ObjetoJson> LeerObjetoPlano(std::string_view json);

}  // namespace zener::web
