// Any text through the number text: no crash, and whatever is accepted
// normalises to a text that reads back to the value shown and normalises to
// itself.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/NumeroTexto.h"
#include "core/Tablas.h"

namespace {

void Exigir(bool condicion) {
  if (!condicion) std::abort();
}

int Decimales(std::string_view mascara) {
  const auto punto = mascara.find('.');
  return punto == std::string_view::npos ? 0 : static_cast<int>(mascara.size() - punto - 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
  using namespace zener;
  const std::string_view texto(reinterpret_cast<const char*>(datos), tamano);
  CifraValida(texto);
  const auto valor = LeerCifra(texto);
  if (valor) Exigir(std::isfinite(*valor) && *valor >= 0);
  for (const std::string_view mascara : {kMascaraTension, kMascaraCorriente, kMascaraPotencia}) {
    const auto formateado = FormatearCifra(texto, mascara);
    if (!formateado) continue;
    Exigir(valor.has_value());
    const auto leido = LeerCifra(*formateado);
    Exigir(leido.has_value());
    const double mediaUnidad = 0.5 * std::pow(10.0, -Decimales(mascara));
    Exigir(std::fabs(*leido - *valor) <= mediaUnidad + *valor * 1e-14);
    Exigir(FormatearCifra(*formateado, mascara) == formateado);
  }
  for (const FilaCampo& fila : kCampos) {
    const auto normalizado = NormalizarCifra(texto, fila.MascaraCampo, fila.TextoInicial);
    if (!normalizado) continue;
    Exigir(LeerCifra(*normalizado).has_value());
    Exigir(NormalizarCifra(*normalizado, fila.MascaraCampo, fila.TextoInicial) == normalizado);
  }
  return 0;
}
