#include "design/Lectura.h"

#include <algorithm>
#include <array>

#include "core/NumeroTexto.h"
#include "design/Texto.h"

namespace zener {

namespace {

constexpr char kMenos = '-';
constexpr std::string_view kNoEsCifra = "no es una cifra (coma decimal, p. ej. 5,1)";

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

// `sufijo` is what followed the figure (a multiple of the ohm), for the hint.
Lectura Leer(std::string_view texto, bool conSigno, std::string_view sufijo = {}) {
  texto = SinEspacios(texto);
  if (texto.empty()) return {std::nullopt, "está vacío"};
  const bool negativo = texto.front() == kMenos;
  const std::string_view cifra = negativo ? texto.substr(1) : texto;
  const auto valor = LeerCifra(cifra);
  if (!valor) {
    if (const auto conComa = ConComa(cifra)) {
      return {std::nullopt, "no es una cifra: escriba la coma decimal: " +
                                std::string(negativo ? "-" : "") + *conComa + std::string(sufijo)};
    }
    return {std::nullopt, std::string(kNoEsCifra)};
  }
  if (negativo && !conSigno) return {std::nullopt, "es negativo"};
  return {negativo ? -*valor : *valor, {}, DecimalesDe(cifra)};
}

// The multiples of the ohm a value may carry, after its figure (4,7k, 470R)
// or in place of its comma (4k7, 2M2, 0R47), as resistors are marked. K is
// kilo as well as k: the marking code writes it so, and it means nothing
// else. A lowercase m is refused: milli to some, mega to others.
struct Prefijo {
  char letra;
  double factor;
};
constexpr std::array<Prefijo, 5> kPrefijos = {{
    {'R', 1},
    {'k', 1e3},
    {'K', 1e3},
    {'M', 1e6},
    {'G', 1e9},
}};
constexpr char kMiliOMega = 'm';
constexpr std::array<std::string_view, 2> kSimbolosOhmio = {"\u03A9", "\u2126"};  // omega, ohm sign
constexpr std::string_view kCaracteresDeCifra = "0123456789,.- \t";
constexpr std::string_view kDigitos = "0123456789";

const Prefijo* PrefijoDe(char letra) {
  const auto it = std::find_if(kPrefijos.begin(), kPrefijos.end(),
                               [letra](const Prefijo& p) { return p.letra == letra; });
  return it == kPrefijos.end() ? nullptr : &*it;
}

std::string_view SinSimboloOhmio(std::string_view texto) {
  for (const std::string_view simbolo : kSimbolosOhmio) {
    if (texto.size() >= simbolo.size() && texto.substr(texto.size() - simbolo.size()) == simbolo) {
      return SinEspacios(texto.substr(0, texto.size() - simbolo.size()));
    }
  }
  return texto;
}

Lectura Rechazo(std::string motivo) {
  return {std::nullopt, std::move(motivo)};
}

Lectura Multiplicada(Lectura lectura, double factor) {
  if (lectura.valor) *lectura.valor *= factor;
  return lectura;
}

// A value in ohms, with or without a multiple; "4,7 kΩ" as a report writes it.
Lectura LeerOhmios(std::string_view texto) {
  texto = SinSimboloOhmio(SinEspacios(texto));
  const std::size_t letra = texto.find_first_not_of(kCaracteresDeCifra);
  if (letra == std::string_view::npos) return Leer(texto, true);
  if (texto[letra] == kMiliOMega) {
    return Rechazo("lleva una m, que unos leen mili y otros mega: escriba M para megaohmios");
  }
  const Prefijo* prefijo = PrefijoDe(texto[letra]);
  const std::string_view antes = SinEspacios(texto.substr(0, letra));
  const std::string_view despues = SinEspacios(texto.substr(letra + 1));
  const std::size_t otraLetra = despues.find_first_not_of(kDigitos);
  if (prefijo && otraLetra != std::string_view::npos && PrefijoDe(despues[otraLetra])) {
    return Rechazo("lleva dos prefijos: escriba uno, como en 4k7 o 4,7k");
  }
  if (!prefijo || otraLetra != std::string_view::npos || (antes.empty() && despues.empty())) {
    return Rechazo("no es una cifra de ohmios (p. ej. 4,7, 4.700, 4k7, 4,7k, 2M2 o 470R)");
  }
  if (despues.empty()) return Multiplicada(Leer(antes, true, {&texto[letra], 1}), prefijo->factor);
  // The letter stands for the comma: a comma or a point before it is a
  // second one, and which of them was meant cannot be told.
  if (antes.find_first_of(",.") != std::string_view::npos) {
    return Rechazo("lleva coma y prefijo en su lugar: escriba 1,5k o 1k5, no ambos");
  }
  return Multiplicada(Leer(std::string(antes) + "," + std::string(despues), true), prefijo->factor);
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
  const Lectura lectura = opcion.unidad == kUnidadOhmio ? LeerOhmios(texto) : Leer(texto, true);
  if (!lectura.valor) return lectura.motivo;
  opcion.poner(opciones, *lectura.valor);
  return std::nullopt;
}

}  // namespace zener
