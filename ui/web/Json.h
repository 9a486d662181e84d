// Just enough JSON writing for what the module hands the page.
#pragma once

#include <charconv>
#include <string>
#include <string_view>

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

}  // namespace zener::web
