#include "design/Lectura.h"

#include <algorithm>

#include "core/NumeroTexto.h"
#include "design/Texto.h"

namespace zener {

namespace {

int DecimalesDe(std::string_view texto) {
  const auto coma = texto.find(',');
  return coma == std::string_view::npos ? 0 : static_cast<int>(texto.size() - coma - 1);
}

// "12.5" with a point for the decimal comma: the figure it meant, to hint at.
std::optional<std::string> ConComa(std::string_view texto) {
  if (texto.find(',') != std::string_view::npos) return std::nullopt;
  if (std::count(texto.begin(), texto.end(), '.') != 1) return std::nullopt;
  std::string conComa(texto);
  conComa[conComa.find('.')] = ',';
  if (!LeerCifra(conComa)) return std::nullopt;
  return conComa;
}

Lectura Leer(std::string_view texto, bool conSigno) {
  texto = SinEspacios(texto);
  if (texto.empty()) return {std::nullopt, "está vacío"};
  const bool negativo = texto.front() == '-';
  if (negativo && !conSigno) return {std::nullopt, "es negativo"};
  const std::string_view cifra = negativo ? texto.substr(1) : texto;
  const auto valor = LeerCifra(cifra);
  if (!valor) {
    if (const auto conComa = ConComa(cifra)) {
      return {std::nullopt, "no es una cifra: escriba la coma decimal: " +
                                std::string(negativo ? "-" : "") + *conComa};
    }
    return {std::nullopt, "no es una cifra (coma decimal, p. ej. 5,1)"};
  }
  return {negativo ? -*valor : *valor, {}, DecimalesDe(cifra)};
}

}  // namespace

Lectura LeerValor(std::string_view texto) {
  return Leer(texto, false);
}

Lectura LeerValorConSigno(std::string_view texto) {
  return Leer(texto, true);
}

const OpcionNumerica* OpcionDeClave(std::string_view clave) {
  const auto it = std::find_if(kOpcionesNumericas.begin(), kOpcionesNumericas.end(),
                               [clave](const OpcionNumerica& o) { return o.clave == clave; });
  return it == kOpcionesNumericas.end() ? nullptr : &*it;
}

std::optional<std::string> LeerOpcion(OpcionesDiseno& opciones, const OpcionNumerica& opcion,
                                      std::string_view texto) {
  const Lectura lectura = LeerValorConSigno(texto);
  if (!lectura.valor) return lectura.motivo;
  opcion.poner(opciones, *lectura.valor);
  return std::nullopt;
}

}  // namespace zener
