#include "core/Calculo.h"

#include <cmath>
#include <initializer_list>

#include "core/NumeroTexto.h"

namespace zener {

const std::array<Regla, 7> kReglas = {{
    {[](const DatosCircuito& d) { return d.VeMin == 0; },
     "La tensión mínima de entrada no puede ser CERO\n"
     "Por favor, introduzca un número superior",
     "Introducir un número mayor que CERO", Magnitud::VeMin},
    {[](const DatosCircuito& d) { return d.VeMax < d.VeMin; },
     "La tensión máxima de entrada ha de ser igual o superior a la mínima\n"
     "Por favor, introduzca un número válido",
     "Introducir un número válido", Magnitud::VeMax},
    {[](const DatosCircuito& d) { return d.IcMax < d.IcMin; },
     "La corriente máxima por la carga ha de ser igual o superior a la mínima\n"
     "Por favor, introduzca un número válido",
     "Introducir un número válido", Magnitud::IcMax},
    {[](const DatosCircuito& d) { return d.VnZener <= kTensionZenerMinima; },
     "Valor muy bajo de la tensión zener\n"
     "Por favor, introduzca un número mayor",
     "Introducir un número mayor", Magnitud::VnZener},
    {[](const DatosCircuito& d) { return d.VeMin - kMargenEntradaZener < d.VnZener; },
     "La tensión mínima de entrada ha de ser\n"
     "al menos 0,5V mayor que la del zener.\n"
     "Por favor, introduzca un número válido",
     "Introducir un número mayor", Magnitud::VeMin},
    {[](const DatosCircuito& d) { return d.IzMin < kIzMinMinima; },
     "El valor para la corriente mínima del zener ha de ser superior a 0\n"
     "Por favor, introduzca un número entre 1 y 100 mA",
     "Introducir un número válido", Magnitud::IzMin},
    {[](const DatosCircuito& d) { return d.IzMin > kIzMinMaxima; },
     "Valor demasiado alto para la corriente mínima del zener\n"
     "Por favor, introduzca un número entre 1 y 100 mA",
     "Introducir un número válido", Magnitud::IzMin},
}};

namespace {

Veredicto PrimeraReglaIncumplida(const DatosCircuito& datos) {
  for (std::size_t i = 0; i < kReglas.size(); ++i) {
    if (kReglas[i].falla(datos)) return static_cast<Veredicto>(i + 1);
  }
  return Veredicto::Cumple;
}

// The formulas, in their order and grouping, on a copy of the record.
DatosCircuito AplicarFormulas(DatosCircuito d) {
  d.RrLim = ((d.VeMin - d.VnZener) / (d.IzMin + d.IcMax)) * kMiliPorUnidad;
  d.IrMax = (d.VeMax - d.VnZener) / d.RrLim;
  d.IzMaxCon = d.IrMax;
  d.IzMaxSin = d.IrMax - (d.IcMin / kMiliPorUnidad);
  d.VrMax = d.VeMax - d.VnZener;
  d.PzSin = d.IzMaxSin * d.VnZener;
  d.PzCon = d.IzMaxCon * d.VnZener;
  d.PrLim = d.VrMax * d.IrMax;
  return d;
}

// Division by zero, overflow and invalid operations all end in a value that
// is not finite. A result must also be one its label can show and read back:
// a negative one (from loads no key can type) is no result either.
bool EnRango(const DatosCircuito& d) {
  for (const double v : {d.IrMax, d.IzMaxCon, d.IzMaxSin, d.VrMax}) {
    if (!std::isfinite(v)) return false;
  }
  for (const FilaResultado& fila : kResultados) {
    if (!Mostrable(d.*fila.valor)) return false;
  }
  return true;
}

void BorrarCalculados(DatosCircuito& d) {
  d.RrLim = d.IrMax = d.IzMaxCon = d.IzMaxSin = d.VrMax = d.PzSin = d.PzCon = d.PrLim = 0;
}

}  // namespace

std::optional<Regla> ReglaDe(Veredicto veredicto) {
  const int numero = NumeroDeRegla(veredicto);
  if (numero == 0) return std::nullopt;
  return kReglas[static_cast<std::size_t>(numero - 1)];
}

int NumeroDeRegla(Veredicto veredicto) {
  const bool esRegla = veredicto >= Veredicto::Regla1 && veredicto <= Veredicto::Regla7;
  return esRegla ? static_cast<int>(veredicto) : 0;
}

Veredicto Calcular(DatosCircuito& datos) {
  if (const Veredicto v = PrimeraReglaIncumplida(datos); v != Veredicto::Cumple) return v;
  const DatosCircuito calculado = AplicarFormulas(datos);
  if (!EnRango(calculado)) {
    BorrarCalculados(datos);
    return Veredicto::FueraDeRango;
  }
  datos = calculado;
  return Veredicto::Cumple;
}

}  // namespace zener
