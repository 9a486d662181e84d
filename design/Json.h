// A small JSON writer for the reports and the option table: keys in the
// order written, numbers in plain decimal form, null for what is absent.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zener {

std::string CadenaJson(std::string_view texto);

class ObjetoJson {
 public:
  ObjetoJson& Campo(std::string_view clave, const std::string& valorJson);
  ObjetoJson& Numero(std::string_view clave, double valor);
  ObjetoJson& Numero(std::string_view clave, const std::optional<double>& valor);
  ObjetoJson& Cadena(std::string_view clave, std::string_view valor);
  ObjetoJson& Booleano(std::string_view clave, bool valor);
  std::string Cerrar() const { return texto_ + "}"; }

 private:
  std::string texto_ = "{";
};

// Any sequence, each element written by aJson.
template <typename Secuencia, typename F>
std::string ListaJson(const Secuencia& elementos, F aJson) {
  std::string s = "[";
  for (const auto& e : elementos) s += (s.size() > 1 ? "," : "") + aJson(e);
  return s + "]";
}

}  // namespace zener
