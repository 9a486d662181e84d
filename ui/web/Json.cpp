#include "ui/web/Json.h"

#include <algorithm>

namespace zener::web {

namespace {

constexpr std::string_view kEspacios = " \t\r\n";
constexpr std::string_view kCaracteresDeNumero = "+-0123456789.eE";

class Lector {
 public:
  explicit Lector(std::string_view texto) : resto_(texto) {}

  bool Tomar(char c) {
    Saltar();
    if (resto_.empty() || resto_.front() != c) return false;
    resto_.remove_prefix(1);
    return true;
  }

  bool AlFinal() {
    Saltar();
    return resto_.empty();
  }

  std::optional<std::string> Cadena() {
    if (!Tomar('"')) return std::nullopt;
    std::string cadena;
    while (!resto_.empty() && resto_.front() != '"') {
      char c = resto_.front();
      resto_.remove_prefix(1);
      if (c == '\\') {
        if (resto_.empty() ||
            std::string_view("\"\\/").find(resto_.front()) == std::string_view::npos) {
          return std::nullopt;
        }
        c = resto_.front();
        resto_.remove_prefix(1);
      }
      cadena += c;
    }
    if (!Tomar('"')) return std::nullopt;
    return cadena;
  }

  std::optional<ValorJson> Valor() {
    Saltar();
    if (resto_.substr(0, 4) == "null") {
      resto_.remove_prefix(4);
      return ValorJson{};
    }
    if (!resto_.empty() && resto_.front() == '"') {
      auto cadena = Cadena();
      if (!cadena) return std::nullopt;
      return ValorJson{std::move(*cadena)};
    }
    const std::size_t largo =
        std::min(resto_.find_first_not_of(kCaracteresDeNumero), resto_.size());
    double numero = 0;
    const auto [fin, error] = std::from_chars(resto_.data(), resto_.data() + largo, numero);
    if (error != std::errc() || largo == 0 || fin != resto_.data() + largo) return std::nullopt;
    resto_.remove_prefix(largo);
    return ValorJson{numero};
  }

 private:
  void Saltar() {
    const std::size_t inicio = resto_.find_first_not_of(kEspacios);
    resto_.remove_prefix(std::min(inicio, resto_.size()));
  }

  std::string_view resto_;
};

}  // namespace

std::optional<ObjetoJson> LeerObjetoPlano(std::string_view json) {
  Lector lector(json);
  ObjetoJson objeto;
  if (!lector.Tomar('{')) return std::nullopt;
  if (!lector.Tomar('}')) {
    do {
      auto clave = lector.Cadena();
      if (!clave || !lector.Tomar(':')) return std::nullopt;
      auto valor = lector.Valor();
      if (!valor) return std::nullopt;
      objeto[std::move(*clave)] = std::move(*valor);
    } while (lector.Tomar(','));
    if (!lector.Tomar('}')) return std::nullopt;
  }
  if (!lector.AlFinal()) return std::nullopt;
  return objeto;
}

}  // namespace zener::web
