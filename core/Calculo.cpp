#include "core/Calculo.h"

#include <cmath>
#include <initializer_list>

#include "core/NumeroTexto.h"
#include "core/Tablas.h"

namespace zener {

const std::array<Regla, 7> kReglas = {{
    {[](const DatosCircuito& d) { return d.VeMin == 0; },
     "La tensión mínima de entrada no puede ser CERO\r"
     "      Por favor, introduzca un número superior",
     "Introducir un número mayor que CERO", Control::txtVeMin},
    {[](const DatosCircuito& d) { return d.VeMax < d.VeMin; },
     "La tensión máxima de entrada ha de ser igual o superior a la mínima\r"
     "                        Por favor, introduzca un número válido",
     "Introducir un número válido", Control::txtVeMax},
    {[](const DatosCircuito& d) { return d.IcMax < d.IcMin; },
     "La corriente máxima por la carga ha de ser igual o superior a la mínima\r"
     "                        Por favor, introduzca un número válido",
     "Introducir un número válido", Control::txtIcMax},
    {[](const DatosCircuito& d) { return d.VnZener <= 2; },
     "Valor muy bajo de la tensión zener\r"
     "Por favor, introduzca un número mayor",
     "Introducir un número mayor", Control::txtVnZener},
    {[](const DatosCircuito& d) { return d.VeMin - 0.5 < d.VnZener; },
     "La tensión mínima de entrada ha de ser\r"
     " al menos 0,5V mayor que la del zener.\r"
     "Por favor, introduzca un número válido",
     "Introducir un número mayor", Control::txtVeMin},
    {[](const DatosCircuito& d) { return d.IzMin < 1; },
     "El valor para la corriente mínima del zener ha de ser superior a 0\r"
     "              Por favor, introduzca un número entre 1 y 100 mA",
     "Introducir un número válido", Control::txtIzMin},
    {[](const DatosCircuito& d) { return d.IzMin > 100; },
     "Valor demasiado alto para la corriente mínima del zener\r"
     "     Por favor, introduzca un número entre 1 y 100 mA",
     "Introducir un número válido", Control::txtIzMin},
}};

namespace {

int PrimeraReglaIncumplida(const DatosCircuito& datos) {
  for (std::size_t i = 0; i < kReglas.size(); ++i) {
    if (kReglas[i].falla(datos)) return static_cast<int>(i) + 1;
  }
  return kReglasCumplidas;
}

// The formulas, in their order and grouping, on a copy of the record.
DatosCircuito AplicarFormulas(DatosCircuito d) {
  d.RrLim = ((d.VeMin - d.VnZener) / (d.IzMin + d.IcMax)) * 1000;
  d.IrMax = (d.VeMax - d.VnZener) / d.RrLim;
  d.IzMaxCon = d.IrMax;
  d.IzMaxSin = d.IrMax - (d.IcMin / 1000);
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

int Calcular(DatosCircuito& datos) {
  if (const int regla = PrimeraReglaIncumplida(datos); regla != kReglasCumplidas) return regla;
  const DatosCircuito calculado = AplicarFormulas(datos);
  if (!EnRango(calculado)) {
    BorrarCalculados(datos);
    return kFueraDeRango;
  }
  datos = calculado;
  return kReglasCumplidas;
}

void cmdCalcular_Click(DatosCircuito& datos, Ventana& ventana) {
  Limpiar(datos, ventana);
  const int veredicto = Calcular(datos);
  if (veredicto == kFueraDeRango) {
    MostrarMensaje(datos, ventana, kPromptFueraDeRango, kEstiloExclamacion, kTituloError);
    return;
  }
  if (veredicto != kReglasCumplidas) {
    const Regla& regla = kReglas[static_cast<std::size_t>(veredicto - 1)];
    MostrarMensaje(datos, ventana, regla.prompt, kEstiloInformacion, regla.titulo);
    Limpiar(datos, ventana);
    ventana.DarFoco(regla.campo);
    return;
  }
  for (const FilaResultado& fila : kResultados) {
    // Calcular only lets through results that can be shown.
    ventana.EscribirEtiqueta(
        fila.etiqueta, *FormatearCifra(TextoGeneral(datos.*fila.valor), fila.MascaraResultado));
  }
}

}  // namespace zener
