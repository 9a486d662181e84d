// Any six design values through the calculation: it names a rule, reports a
// value out of range, or gives finite results whose label texts read back.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/Calculo.h"
#include "core/NumeroTexto.h"
#include "core/Tablas.h"

namespace {

void Exigir(bool condicion) {
  if (!condicion) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
  using namespace zener;
  double valores[6] = {};
  std::memcpy(valores, datos, tamano < sizeof valores ? tamano : sizeof valores);
  DatosCircuito d;
  double* diseno[] = {&d.VeMin, &d.VeMax, &d.IcMin, &d.IcMax, &d.VnZener, &d.IzMin};
  for (int i = 0; i < 6; ++i) *diseno[i] = valores[i];
  const DatosCircuito antes = d;

  const Veredicto veredicto = Calcular(d);
  const int regla = NumeroDeRegla(veredicto);
  for (int i = 0; i < 6; ++i) Exigir(std::memcmp(diseno[i], &valores[i], sizeof(double)) == 0);
  if (regla != 0) {
    Exigir(kReglas[static_cast<std::size_t>(regla - 1)].falla(antes));
    for (int r = 0; r < regla - 1; ++r) Exigir(!kReglas[static_cast<std::size_t>(r)].falla(antes));
    Exigir(d.RrLim == 0 && d.IrMax == 0);
    return 0;
  }
  for (const Regla& regla : kReglas) Exigir(!regla.falla(antes));
  if (veredicto == Veredicto::FueraDeRango) {
    for (const double v :
         {d.RrLim, d.IrMax, d.IzMaxCon, d.IzMaxSin, d.VrMax, d.PzSin, d.PzCon, d.PrLim}) {
      Exigir(v == 0);
    }
    return 0;
  }
  Exigir(veredicto == Veredicto::Cumple);
  for (const double v : {d.IrMax, d.IzMaxCon, d.IzMaxSin, d.VrMax}) Exigir(std::isfinite(v));
  for (const FilaResultado& fila : kResultados) {
    const auto texto = FormatearCifra(TextoGeneral(d.*fila.valor), fila.MascaraResultado);
    Exigir(texto.has_value() && LeerCifra(*texto).has_value());
  }
  return 0;
}
