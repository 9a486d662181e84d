#include "design/Texto.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "core/NumeroTexto.h"
#include "design/Codificacion.h"

namespace zener {

namespace {

constexpr int kMaximoDecimales = 6;

// The ohm's multiples, largest first: each takes values from its factor up.
struct Multiplo {
  double factor;
  std::string_view unidad;
};
constexpr std::array<Multiplo, 4> kMultiplosOhmio = {{
    {1e9, "GΩ"},
    {1e6, "MΩ"},
    {1e3, "kΩ"},
    {1, "Ω"},
}};
constexpr double kMilDelMultiplo = 1000;

double Redondeado(double valor, int decimales) {
  const double escala = std::pow(10.0, decimales);
  return std::round(valor * escala) / escala;
}

// The fewest decimals, no fewer than asked, that show a positive value as
// more than 0.
int DecimalesVisibles(double valor, int decimales) {
  while (valor > 0 && Redondeado(valor, decimales) == 0) ++decimales;
  return decimales;
}

// The multiple a value is written in: the largest it reaches, or the next
// above where rounding carries it to a thousand (999,996 Ω is 1 kΩ).
std::size_t MultiploDe(double ohm, int decimales) {
  std::size_t i = 0;
  while (i + 1 < kMultiplosOhmio.size() && ohm < kMultiplosOhmio[i].factor) ++i;
  const bool aMil = Redondeado(ohm / kMultiplosOhmio[i].factor, decimales) >= kMilDelMultiplo;
  return aMil && i > 0 ? i - 1 : i;
}

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

std::string Ohmios(double ohm, int decimales) {
  const Multiplo& multiplo = kMultiplosOhmio[MultiploDe(std::fabs(ohm), decimales)];
  const double valor = ohm / multiplo.factor;
  return CifraCorta(valor, DecimalesVisibles(std::fabs(valor), decimales)) + " " +
         std::string(multiplo.unidad);
}

std::string Eco(std::string_view texto, std::size_t mayor) {
  std::string eco;
  for (std::size_t caracteres = 0; !texto.empty(); ++caracteres) {
    if (caracteres == mayor) return eco + "…";
    const std::size_t largo = LargoDeCaracter(texto);
    const unsigned char c = static_cast<unsigned char>(texto.front());
    if (largo == 0) {
      eco += kSustituto;
    } else if (c < 0x20 || c == 0x7F) {
      eco += '?';
    } else {
      eco += texto.substr(0, largo);
    }
    texto.remove_prefix(std::max<std::size_t>(largo, 1));
  }
  return eco;
}

namespace {

// A figure to a few decimals without std::to_chars's exact path, which
// costs a batch row a third of its time, where the answer cannot differ
// from it: the value scaled to a whole number of its last decimal lies far
// from a half, and is small enough that the scaling's own error is far
// below that distance. False where it must take the exact path.
bool AnadirCifraCorta(std::string& destino, double valor, int decimales) {
  // Signed 32-bit whole numbers: they hold every figure below the bound,
  // and 32-bit x86 converts them without its x87 unit.
  constexpr std::array<std::int32_t, kMaximoDecimales + 1> kEscalas = {1,     10,     100,    1000,
                                                                       10000, 100000, 1000000};
  // Below 1e9 the product is within 1,2e-7 of exact: a tenth of the band.
  constexpr double kMayorEscalado = 1e9, kCercaDeLaMitad = 1e-6;
  if (decimales < 0 || decimales > kMaximoDecimales) return false;
  const std::int32_t escala = kEscalas[static_cast<std::size_t>(decimales)];
  const double escalado = std::fabs(valor) * static_cast<double>(escala);
  if (!(escalado < kMayorEscalado)) return false;
  const double entero = std::floor(escalado);
  if (std::fabs(escalado - entero - 0.5) < kCercaDeLaMitad) return false;
  const std::int32_t n = static_cast<std::int32_t>(entero) + (escalado - entero > 0.5 ? 1 : 0);
  char buffer[32];
  char* p = buffer;
  if (std::signbit(valor)) *p++ = '-';
  p = std::to_chars(p, buffer + sizeof buffer, n / escala).ptr;
  if (decimales > 0) {
    *p++ = ',';
    char* fraccion = std::to_chars(p, buffer + sizeof buffer, n % escala).ptr;
    const auto cifras = static_cast<std::size_t>(fraccion - p);
    const auto ceros = static_cast<std::size_t>(decimales) - cifras;
    std::memmove(p + ceros, p, cifras);
    std::fill_n(p, ceros, '0');
    p += decimales;
  }
  destino.append(buffer, p);
  return true;
}

}  // namespace

void AnadirCifraHoja(std::string& destino, double valor, int decimales) {
  if (!std::isfinite(valor)) return;
  if (AnadirCifraCorta(destino, valor, decimales)) return;
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
