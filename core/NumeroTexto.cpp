#include "core/NumeroTexto.h"

#include <algorithm>
#include <charconv>
#include <cmath>
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

// A decimal figure: value = 0.digitos x 10^exponente, digitos without leading
// zeros (empty for zero).
struct Decimal {
  std::string digitos;
  int exponente = 0;
};

// The 15-significant-digit form of a finite, non-negative value.
Decimal QuinceCifras(double valor) {
  if (valor == 0) return {};
  char buffer[32];
  const auto fin =
      std::to_chars(buffer, buffer + sizeof buffer, valor, std::chars_format::scientific, 14).ptr;
  // "d.dddddddddddddde+XX"
  const std::string_view texto(buffer, static_cast<std::size_t>(fin - buffer));
  const auto e = texto.find('e');
  Decimal d;
  d.digitos.push_back(texto[0]);
  d.digitos.append(texto.substr(2, e - 2));
  int exponente = 0;
  const char* inicio = texto.data() + e + 1;
  if (*inicio == '+') ++inicio;
  std::from_chars(inicio, texto.data() + texto.size(), exponente);
  d.exponente = exponente + 1;
  return d;
}

void QuitarCerosFinales(Decimal& d) {
  const auto ultimo = d.digitos.find_last_not_of('0');
  d.digitos.erase(ultimo == std::string::npos ? 0 : ultimo + 1);
  if (d.digitos.empty()) d.exponente = 0;
}

// Rounds half away from zero, keeping `decimales` digits after the point.
void Redondear(Decimal& d, int decimales) {
  const long conservar = static_cast<long>(d.exponente) + decimales;
  if (conservar < 0 || static_cast<std::size_t>(conservar) >= d.digitos.size()) return;
  const bool subir = d.digitos[static_cast<std::size_t>(conservar)] >= '5';
  d.digitos.resize(static_cast<std::size_t>(conservar));
  if (subir) {
    auto i = d.digitos.size();
    while (i > 0 && d.digitos[i - 1] == '9') d.digitos[--i] = '0';
    if (i == 0) {
      d.digitos.insert(d.digitos.begin(), '1');
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
  return (i >= 0 && i < static_cast<long>(d.digitos.size()))
             ? d.digitos[static_cast<std::size_t>(i)]
             : '0';
}

std::string ParteEntera(const Decimal& d) {
  std::string entera;
  for (long k = -std::max(d.exponente, 1); k < 0; ++k) entera.push_back(DigitoEn(d, k));
  return entera;
}

std::string AgruparMiles(const std::string& entera) {
  std::string agrupada;
  for (std::size_t i = 0; i < entera.size(); ++i) {
    if (i > 0 && (entera.size() - i) % 3 == 0) agrupada.push_back(kPunto);
    agrupada.push_back(entera[i]);
  }
  return agrupada;
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
  // Rewritten in the form from_chars reads: grouping points dropped, the
  // comma turned into a point, leading zeros of the integer part dropped.
  std::string cifra;
  bool hayComa = false;
  bool hayDigito = false;
  for (const char c : texto) {
    if (EsDigito(c)) {
      hayDigito = true;
      if (c != '0' || hayComa || !cifra.empty()) cifra.push_back(c);
    } else if (c == kComa && !hayComa) {
      hayComa = true;
      cifra.push_back(kPunto);
    } else if (c != kPunto || hayComa) {
      return std::nullopt;
    }
  }
  if (!hayDigito) return std::nullopt;
  const bool parteEnteraNula = cifra.empty() || cifra.front() == kPunto;
  if (parteEnteraNula) cifra.insert(cifra.begin(), '0');
  double valor = 0;
  const auto [fin, error] =
      std::from_chars(cifra.data(), cifra.data() + cifra.size(), valor, std::chars_format::fixed);
  if (error == std::errc::result_out_of_range && parteEnteraNula) return 0.0;  // underflow
  if (error != std::errc() || fin != cifra.data() + cifra.size()) return std::nullopt;
  return valor;
}

std::string TextoGeneral(double valor) {
  if (!std::isfinite(valor)) return {};
  Decimal d = QuinceCifras(std::fabs(valor));
  QuitarCerosFinales(d);
  std::string texto = std::signbit(valor) && valor != 0 ? "-" : "";
  texto += ParteEntera(d);
  const long decimales = static_cast<long>(d.digitos.size()) - d.exponente;
  if (decimales > 0) {
    texto.push_back(kComa);
    for (long k = 0; k < decimales; ++k) texto.push_back(DigitoEn(d, k));
  }
  return texto;
}

std::optional<std::string> FormatearCifra(std::string_view texto, std::string_view mascara) {
  const auto valor = LeerCifra(texto);
  if (!valor || !Mostrable(*valor)) return std::nullopt;
  const int decimales = DecimalesDeMascara(mascara);
  Decimal d = QuinceCifras(*valor);
  Redondear(d, decimales);
  std::string resultado = AgruparMiles(ParteEntera(d));
  if (decimales > 0) {
    resultado.push_back(kComa);
    for (long k = 0; k < decimales; ++k) resultado.push_back(DigitoEn(d, k));
  }
  return resultado;
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
