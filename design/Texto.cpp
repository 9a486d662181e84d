#include "design/Texto.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "core/NumeroTexto.h"

namespace zener {

namespace {

constexpr int kMaximoDecimales = 6;

// "#,##0" with the decimals as zeros; those of the usual figures made once.
std::string Mascara(int decimales) {
  std::string mascara = "#,##0";
  if (decimales > 0) mascara += "." + std::string(static_cast<std::size_t>(decimales), '0');
  return mascara;
}

const std::array<std::string, kMaximoDecimales + 1>& MascarasUsuales() {
  static const auto mascaras = [] {
    std::array<std::string, kMaximoDecimales + 1> m;
    for (int d = 0; d <= kMaximoDecimales; ++d) m[static_cast<std::size_t>(d)] = Mascara(d);
    return m;
  }();
  return mascaras;
}

}  // namespace

std::string Cifra(double valor, int decimales) {
  if (!std::isfinite(valor)) return "—";
  const bool usual = decimales >= 0 && decimales <= kMaximoDecimales;
  const std::string otra = usual ? std::string() : Mascara(decimales);
  const auto texto = FormatearValor(
      std::fabs(valor), usual ? MascarasUsuales()[static_cast<std::size_t>(decimales)] : otra);
  if (!texto) return "—";
  const bool cero = texto->find_first_not_of("0,.") == std::string::npos;
  return (valor < 0 && !cero ? "-" : "") + *texto;
}

std::string CifraCorta(double valor, int decimales) {
  std::string texto = Cifra(valor, decimales);
  if (texto.find(',') == std::string::npos) return texto;
  while (texto.back() == '0') texto.pop_back();
  if (texto.back() == ',') texto.pop_back();
  return texto;
}

std::string CifraSinCruzar(double valor, double limite, int decimales) {
  for (int d = decimales; d < kMaximoDecimales; ++d) {
    const double escala = std::pow(10.0, d);
    const double mostrado = std::round(valor * escala) / escala;
    const bool cruza =
        (valor < limite && mostrado >= limite) || (valor > limite && mostrado <= limite);
    if (!cruza) return Cifra(valor, d);
  }
  return Cifra(valor, kMaximoDecimales);
}

std::string NumeroJson(double valor) {
  if (!std::isfinite(valor)) return "null";
  // Room for the longest fixed form of a double: 309 integer digits, or 324
  // decimals of the smallest.
  char buffer[400];
  const char* fin =
      std::to_chars(buffer, buffer + sizeof buffer, valor, std::chars_format::fixed).ptr;
  return std::string(buffer, static_cast<std::size_t>(fin - buffer));
}

std::string_view SinEspacios(std::string_view texto) {
  const auto primero = texto.find_first_not_of(" \t\r");
  if (primero == std::string_view::npos) return {};
  return texto.substr(primero, texto.find_last_not_of(" \t\r") - primero + 1);
}

std::string Porcentaje(double fraccion) {
  constexpr double kPorCiento = 100;
  return CifraCorta(fraccion * kPorCiento, 2) + " %";
}

std::string Grados(double temperaturaC) {
  return CifraCorta(temperaturaC, 1) + " °C";
}

std::string UnaLinea(std::string_view texto) {
  std::string linea(texto);
  std::replace(linea.begin(), linea.end(), '\n', ' ');
  return linea;
}

void AnadirCifraHoja(std::string& destino, double valor, int decimales) {
  if (!std::isfinite(valor)) return;
  char buffer[400];
  const auto [fin, error] =
      decimales < 0 ? std::to_chars(buffer, buffer + sizeof buffer, valor, std::chars_format::fixed)
                    : std::to_chars(buffer, buffer + sizeof buffer, valor, std::chars_format::fixed,
                                    std::min(decimales, kMaximoDecimales));
  if (error != std::errc()) return;
  char* punto = std::find(buffer, fin, '.');
  if (punto != fin) *punto = ',';
  destino.append(buffer, fin);
}

std::string CifraHoja(double valor, int decimales) {
  std::string texto;
  AnadirCifraHoja(texto, valor, decimales);
  return texto;
}

}  // namespace zener
