// What to change so that a design that cannot be built can: each change
// found by designing it again, a figure by bisection to the step a person
// types it in, never by a rule of thumb; each with the parts it gives.
#include <algorithm>
#include <cmath>
#include <functional>

#include "core/Calculo.h"
#include "core/Tablas.h"
#include "design/Circuitos.h"
#include "design/Componentes.h"
#include "design/Diseno.h"
#include "design/Lectura.h"

namespace zener {

namespace {

// The step the margin is sought to: a hundredth.
constexpr double kPasoMargen = 0.01;
constexpr int kMaximoPasosAtras = 20;

struct Prueba {
  const Diseno& base;

  // The design with these values and options, if it builds.
  std::optional<Diseno> operator()(const DatosCircuito& valores,
                                   const OpcionesDiseno& opciones) const {
    Diseno d = Disenar(valores, opciones, base.decimales, Alcance::Lote);
    if (!d.construible) return std::nullopt;
    return d;
  }
};

double EnLaRejilla(double valor, double paso, double hacia) {
  const double k = valor / paso;
  return (hacia > 0 ? std::ceil(k - 1e-9) : std::floor(k + 1e-9)) * paso;
}

// The value nearest `actual`, on the grid of `paso`, between it and
// `limite`, at which the design builds; none if not even at `limite`. Past
// the bisection the grid's steps towards `actual` are tried while they
// build, so that one step nearer does not.
std::optional<double> MasCercano(const std::function<bool(double)>& construye, double actual,
                                 double limite, double paso) {
  if (!(limite != actual) || !construye(limite)) return std::nullopt;
  const double hacia = limite > actual ? 1 : -1;
  double malo = actual, bueno = limite;
  while (std::fabs(bueno - malo) > paso / 2) {
    const double medio = (malo + bueno) / 2;
    (construye(medio) ? bueno : malo) = medio;
  }
  double valor = EnLaRejilla(bueno, paso, hacia);
  if ((valor - limite) * hacia > 0) valor = limite;
  if (!construye(valor)) return std::nullopt;
  for (int k = 0; k < kMaximoPasosAtras; ++k) {
    const double cerca = valor - hacia * paso;
    if ((cerca - actual) * hacia <= 0 || !construye(cerca)) break;
    valor = cerca;
  }
  return valor;
}

// A design value's step: its last decimal as typed or as the window holds
// it, whichever is finer, for the window rounds what it holds (its currents
// to the milliampere) and a value between its steps would not be the one
// that builds.
double PasoDe(const Diseno& base, Magnitud magnitud) {
  const auto i = static_cast<std::size_t>(magnitud);
  return std::pow(10.0, -std::max(base.decimales[i], DecimalesDeVentana()[i]));
}

Alternativa DeDiseno(std::string_view cambio, std::optional<double> valor, double paso,
                     std::string_view nombre, const Diseno& d) {
  return {cambio,
          valor,
          paso,
          nombre,
          d.datos,
          d.opciones,
          d.cifras.De(Figura::RNominal),
          d.zener->fila,
          d.transistorElegido ? d.transistor : nullptr};
}

// A design value moved to the nearest that builds, between it and a limit.
void PorValor(std::vector<Alternativa>& lista, const Prueba& prueba, Magnitud magnitud,
              double limite) {
  const Diseno& base = prueba.base;
  const double paso = PasoDe(base, magnitud);
  double DatosCircuito::*campo = FilaDe(magnitud).valor;
  DatosCircuito valores = base.datos;
  if (base.opciones.cargaOhm) return;
  auto construye = [&](double v) {
    valores.*campo = v;
    return prueba(valores, base.opciones).has_value();
  };
  const auto valor = MasCercano(construye, base.datos.*campo, limite, paso);
  if (!valor) return;
  valores.*campo = *valor;
  const auto d = prueba(valores, base.opciones);
  lista.push_back(
      DeDiseno(kNombresValores[static_cast<std::size_t>(magnitud)], valor, paso, {}, *d));
}

// An option changed to another choice, if that builds.
void PorOpcion(std::vector<Alternativa>& lista, const Prueba& prueba, std::string_view cambio,
               std::string_view nombre, const std::function<void(OpcionesDiseno&)>& cambiar) {
  OpcionesDiseno opciones = prueba.base.opciones;
  cambiar(opciones);
  if (ErrorDeOpciones(opciones)) return;
  if (const auto d = prueba(prueba.base.datos, opciones)) {
    lista.push_back(DeDiseno(cambio, std::nullopt, 0, nombre, *d));
  }
}

}  // namespace

std::vector<Alternativa> Alternativas(const Diseno& base) {
  std::vector<Alternativa> lista;
  // A broken rule is a value to change too; a value past what the tool reads
  // is not a design at all.
  if (base.construible || base.veredicto == Veredicto::FueraDeRango) return lista;
  const Prueba prueba{base};
  const OpcionesDiseno& o = base.opciones;
  // The power margin, down to 1.
  {
    OpcionesDiseno opciones = o;
    auto construye = [&](double margen) {
      opciones.margen = margen;
      return prueba(base.datos, opciones).has_value();
    };
    if (const auto margen = MasCercano(construye, o.margen, 1, kPasoMargen)) {
      opciones.margen = *margen;
      lista.push_back(DeDiseno("margen", margen, kPasoMargen, {}, *prueba(base.datos, opciones)));
    }
  }
  for (const TablaSerie& serie : kSeries) {
    if (serie.serie == o.serie) continue;
    PorOpcion(lista, prueba, "serie", serie.nombre, [&](auto& x) { x.serie = serie.serie; });
  }
  if (o.familia != Familia::Automatica) {
    PorOpcion(lista, prueba, "familia", kNombreAutomatica,
              [](auto& x) { x.familia = Familia::Automatica; });
  }
  for (const Montaje montaje : {Montaje::Cualquiera, Montaje::Tht, Montaje::Smd}) {
    if (montaje == o.montaje || o.familia != Familia::Automatica) continue;
    PorOpcion(lista, prueba, "montaje", NombreDeMontaje(montaje),
              [&](auto& x) { x.montaje = montaje; });
  }
  for (const DescripcionCircuito* circuito : kCircuitos) {
    if (circuito->circuito == o.circuito) continue;
    PorOpcion(lista, prueba, "circuito", circuito->nombre, [&](auto& x) {
      x.circuito = circuito->circuito;
      x.transistor = nullptr;
    });
  }
  const DatosCircuito& v = base.datos;
  if (v.IcMax > v.IcMin) PorValor(lista, prueba, Magnitud::IcMax, v.IcMin);
  PorValor(lista, prueba, Magnitud::VeMax, v.VeMin);
  PorValor(lista, prueba, Magnitud::VeMin, v.VeMax);
  PorValor(lista, prueba, Magnitud::IzMin, kIzMinMinima);
  return lista;
}

}  // namespace zener
