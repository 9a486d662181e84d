#include "ui/web/Json.h"

#include <algorithm>

namespace zener::web {

namespace {

constexpr std::string_view kEspacios = " \t\r\n";
constexpr std::string_view kCaracteresDeNumero = "+-0123456789.eE";
// The escapes of one letter, and the characters they stand for.
constexpr std::string_view kEscapesCortos = "\"\\/bfnrt";
constexpr std::string_view kCaracteresEscapados = "\"\\/\b\f\n\r\t";
constexpr unsigned kPrimerSustituto = 0xD800;
constexpr unsigned kUltimoSustituto = 0xDFFF;

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
      const char c = resto_.front();
      resto_.remove_prefix(1);
      if (c != '\\') {
        cadena += c;
      } else if (!Escape(cadena)) {
        return std::nullopt;
      }
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
  // After a backslash: what the escape stands for, in UTF-8. A surrogate
  // (\ud800 to \udfff) is refused: what JSON.stringify escapes that way is
  // half a character.
  bool Escape(std::string& cadena) {
    if (resto_.empty()) return false;
    const char c = resto_.front();
    resto_.remove_prefix(1);
    if (const auto corto = kEscapesCortos.find(c); corto != std::string_view::npos) {
      cadena += kCaracteresEscapados[corto];
      return true;
    }
    unsigned codigo = 0;
    constexpr std::size_t kCifrasHex = 4;
    if (c != 'u' || resto_.size() < kCifrasHex) return false;
    const auto [fin, error] =
        std::from_chars(resto_.data(), resto_.data() + kCifrasHex, codigo, 16);
    if (error != std::errc() || fin != resto_.data() + kCifrasHex) return false;
    if (codigo >= kPrimerSustituto && codigo <= kUltimoSustituto) return false;
    resto_.remove_prefix(kCifrasHex);
    AnadirUtf8(cadena, codigo);
    return true;
  }

  static void AnadirUtf8(std::string& cadena, unsigned codigo) {
    if (codigo < 0x80) {
      cadena += static_cast<char>(codigo);
    } else if (codigo < 0x800) {
      cadena += static_cast<char>(0xC0 | (codigo >> 6));
      cadena += static_cast<char>(0x80 | (codigo & 0x3F));
    } else {
      cadena += static_cast<char>(0xE0 | (codigo >> 12));
      cadena += static_cast<char>(0x80 | ((codigo >> 6) & 0x3F));
      cadena += static_cast<char>(0x80 | (codigo & 0x3F));
    }
  }

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
