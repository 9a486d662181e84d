#include "core/NumeroTexto.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <system_error>

namespace zener {

namespace {

constexpr char kComa = ',';
constexpr char kPunto = '.';

bool EsDigito(char c) {
  return c >= '0' && c <= '9';
}

std::string_view SinEspaciosAlrededor(std::string_view texto) {
  const auto primero = texto.find_first_not_of(' ');
  if (primero == std::string_view::npos) return {};
  return texto.substr(primero, texto.find_last_not_of(' ') - primero + 1);
}

// A decimal figure of at most 16 significant digits (15, and one more after a
// carry): value = 0.digitos x 10^exponente, no leading zero; none for zero.
struct Decimal {
  char digitos[16];
  int cuantos = 0;
  int exponente = 0;
};

// The 15-significant-digit form of a finite, non-negative value.
Decimal QuinceCifras(double valor) {
  Decimal d;
  if (valor == 0) return d;
  char buffer[32];
  const char* fin =
      std::to_chars(buffer, buffer + sizeof buffer, valor, std::chars_format::scientific, 14).ptr;
  // "d.dddddddddddddde+XX"
  const char* c = buffer;
  for (; *c != 'e'; ++c) {
    if (EsDigito(*c)) d.digitos[d.cuantos++] = *c;
  }
  const bool negativo = *++c == '-';
  int exponente = 0;
  for (++c; c < fin; ++c) exponente = exponente * 10 + (*c - '0');
  d.exponente = (negativo ? -exponente : exponente) + 1;
  return d;
}

void QuitarCerosFinales(Decimal& d) {
  while (d.cuantos > 0 && d.digitos[d.cuantos - 1] == '0') --d.cuantos;
  if (d.cuantos == 0) d.exponente = 0;
}

// Rounds half away from zero, keeping `decimales` digits after the point.
void Redondear(Decimal& d, int decimales) {
  const long conservar = static_cast<long>(d.exponente) + decimales;
  if (conservar < 0 || conservar >= d.cuantos) return;
  const bool subir = d.digitos[conservar] >= '5';
  d.cuantos = static_cast<int>(conservar);
  if (subir) {
    int i = d.cuantos;
    while (i > 0 && d.digitos[i - 1] == '9') d.digitos[--i] = '0';
    if (i == 0) {
      std::memmove(d.digitos + 1, d.digitos, static_cast<std::size_t>(d.cuantos));
      d.digitos[0] = '1';
      ++d.cuantos;
      ++d.exponente;
    } else {
      ++d.digitos[i - 1];
    }
  }
  QuitarCerosFinales(d);
}

// Digit k of the figure counted from the point: k = 0 is the first decimal,
// k = -1 the units.
char DigitoEn(const Decimal& d, long k) {
  const long i = d.exponente + k;
  return (i >= 0 && i < d.cuantos) ? d.digitos[i] : '0';
}

// The figure with `decimales` digits after the comma and, if asked, points
// between the thousands of its integer part.
std::string Escribir(const Decimal& d, bool negativo, long decimales, bool agrupar) {
  const long enteras = std::max(d.exponente, 1);
  const long puntos = agrupar ? (enteras - 1) / 3 : 0;
  std::string texto;
  texto.reserve(static_cast<std::size_t>(negativo + enteras + puntos + 1 + decimales));
  if (negativo) texto.push_back('-');
  for (long k = -enteras; k < 0; ++k) {
    texto.push_back(DigitoEn(d, k));
    if (agrupar && k < -1 && (-k - 1) % 3 == 0) texto.push_back(kPunto);
  }
  if (decimales > 0) {
    texto.push_back(kComa);
    for (long k = 0; k < decimales; ++k) texto.push_back(DigitoEn(d, k));
  }
  return texto;
}

// Without a comma, a point can only be a thousands mark: 1.234 or 12.500,
// never 12.5 or 0.500, which read as decimals elsewhere and would silently
// become a figure a thousand times too large.
bool PuntosComoMillares(std::string_view texto) {
  if (texto.find(kComa) != std::string_view::npos) return true;
  auto punto = texto.find(kPunto);
  if (punto == std::string_view::npos) return true;
  constexpr std::size_t kGrupo = 3;
  if (punto == 0 || punto > kGrupo || texto.front() == '0') return false;
  while (punto != std::string_view::npos) {
    const auto siguiente = texto.find(kPunto, punto + 1);
    const auto fin = siguiente == std::string_view::npos ? texto.size() : siguiente;
    if (fin - punto - 1 != kGrupo) return false;
    punto = siguiente;
  }
  return true;
}

int DecimalesDeMascara(std::string_view mascara) {
  const auto punto = mascara.find(kPunto);
  return punto == std::string_view::npos ? 0 : static_cast<int>(mascara.size() - punto - 1);
}

}  // namespace

bool Mostrable(double valor) {
  return valor >= 0 && valor < kMayorLegible;
}

bool CifraValida(std::string_view texto) {
  return texto.find(kComa) == texto.rfind(kComa) && texto != ",";
}

std::optional<double> LeerCifra(std::string_view texto) {
  texto = SinEspaciosAlrededor(texto);
  if (!PuntosComoMillares(texto)) return std::nullopt;
  // Rewritten in the form from_chars reads: grouping points dropped, the
  // comma turned into a point, leading zeros of the integer part dropped, and
  // a zero put before a bare point. Short figures, the usual ones, are
  // rewritten on the stack.
  char enPila[64];
  std::string enMonton;
  char* cifra = enPila;
  if (texto.size() + 1 > sizeof enPila) {
    enMonton.resize(texto.size() + 1);
    cifra = enMonton.data();
  }
  std::size_t largo = 0;
  bool hayComa = false;
  bool hayDigito = false;
  cifra[largo++] = '0';
  for (const char c : texto) {
    if (EsDigito(c)) {
      hayDigito = true;
      if (c != '0' || hayComa || largo > 1) cifra[largo++] = c;
    } else if (c == kComa && !hayComa) {
      hayComa = true;
      cifra[largo++] = kPunto;
    } else if (c != kPunto || hayComa) {
      return std::nullopt;
    }
  }
  if (!hayDigito) return std::nullopt;
  const bool parteEnteraNula = largo == 1 || cifra[1] == kPunto;
  const char* inicio = parteEnteraNula ? cifra : cifra + 1;
  const char* fin = cifra + largo;
  double valor = 0;
  const auto [leido, error] = std::from_chars(inicio, fin, valor, std::chars_format::fixed);
  if (error == std::errc::result_out_of_range && parteEnteraNula) return 0.0;  // underflow
  if (error != std::errc() || leido != fin) return std::nullopt;
  return valor;
}

std::string TextoGeneral(double valor) {
  if (!std::isfinite(valor)) return {};
  Decimal d = QuinceCifras(std::fabs(valor));
  QuitarCerosFinales(d);
  return Escribir(d, valor < 0, std::max(d.cuantos - d.exponente, 0), false);
}

std::optional<std::string> FormatearValor(double valor, std::string_view mascara) {
  if (!Mostrable(valor)) return std::nullopt;
  const int decimales = DecimalesDeMascara(mascara);
  Decimal d = QuinceCifras(valor);
  Redondear(d, decimales);
  return Escribir(d, false, decimales, true);
}

std::optional<std::string> FormatearCifra(std::string_view texto, std::string_view mascara) {
  const auto valor = LeerCifra(texto);
  if (!valor) return std::nullopt;
  return FormatearValor(*valor, mascara);
}

std::optional<std::string> NormalizarCifra(std::string_view texto, std::string_view mascara,
                                           std::string_view textoInicial) {
  if (texto.empty()) return std::string(textoInicial);
  const auto valor = LeerCifra(texto);
  if (!valor) return std::nullopt;
  if (*valor == 0) return std::string(textoInicial);
  return FormatearCifra(texto, mascara);
}

int LongitudEnCaracteres(std::string_view texto) {
  return static_cast<int>(std::count_if(texto.begin(), texto.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

}  // namespace zener
