// The Monte-Carlo run as the reports give it: a line beside the verdict, a
// section with the yield, the promise that fails most, the laws drawn from
// and each measure's spread, and the JSON object.
#include <algorithm>
#include <string>

#include "design/Diseno.h"
#include "design/Json.h"
#include "design/Muestreo.h"
#include "design/Secciones.h"
#include "design/Texto.h"

namespace zener {

namespace {

constexpr double kPorCiento = 100;
constexpr int kDecimalesRendimiento = 2;
constexpr int kDecimalesIntervalo = 3;
constexpr int kDecimalesCpk = 2;
constexpr std::size_t kAnchoBarra = 40;

// A share as a percentage that never rounds onto 0 or 100 it does not reach.
std::string PorCientoDe(double fraccion, int decimales) {
  const double x = fraccion * kPorCiento;
  const double limite = x > kPorCiento / 2 ? kPorCiento : 0;
  return CifraSinCruzar(x, limite, decimales) + " %";
}

std::string Rendimiento(const Muestreo& m) {
  return PorCientoDe(m.rendimiento, kDecimalesRendimiento) +
         " (intervalo del 95 %, de Wilson: " + PorCientoDe(m.intervaloBajo, kDecimalesIntervalo) +
         " a " + PorCientoDe(m.intervaloAlto, kDecimalesIntervalo) + ")";
}

std::string Unidades(std::uint64_t n) {
  return Cifra(ComoReal(n), 0);
}

std::string Limites(const Resumen& r, const DescripcionMedida& x) {
  if (r.limiteBajo && r.limiteAlto) {
    return Cifra(*r.limiteBajo, x.decimales) + " a " + Cifra(*r.limiteAlto, x.decimales);
  }
  if (r.limiteBajo) return "≥ " + Cifra(*r.limiteBajo, x.decimales);
  if (r.limiteAlto) return "≤ " + Cifra(*r.limiteAlto, x.decimales);
  return "—";
}

std::string Cotas(const Resumen& r, const DescripcionMedida& x) {
  if (r.cotaBaja && r.cotaAlta) {
    return Cifra(*r.cotaBaja, x.decimales) + " a " + Cifra(*r.cotaAlta, x.decimales);
  }
  if (r.cotaBaja) return "≥ " + Cifra(*r.cotaBaja, x.decimales);
  if (r.cotaAlta) return "≤ " + Cifra(*r.cotaAlta, x.decimales);
  return "—";
}

Tabla TablaDeMedidas(const Muestreo& m) {
  Tabla t{{"Figura", "Media", "σ", "Mín", "Máx", "Peor caso", "Límite", "Cpk"}, {}};
  for (const DescripcionMedida& x : kMedidas) {
    const auto& r = m.medidas[static_cast<std::size_t>(x.medida)];
    if (!r) continue;
    t.filas.push_back({{std::string(x.nombre) + " (" + std::string(x.unidad) + ")",
                        Cifra(r->media, x.decimales), Cifra(r->sigma, x.decimales + 1),
                        Cifra(r->minimo, x.decimales), Cifra(r->maximo, x.decimales), Cotas(*r, x),
                        Limites(*r, x), r->cpk ? Cifra(*r->cpk, kDecimalesCpk) : "—"}});
  }
  return t;
}

std::string MasFallada(const Muestreo& m) {
  if (!m.masFallada) return "Ninguna unidad falla una promesa.";
  const DescripcionPromesa& p = kPromesas[static_cast<std::size_t>(*m.masFallada)];
  return "La promesa que más falla: " + std::string(p.nombre) + ", en " +
         Unidades(m.fallos[static_cast<std::size_t>(p.promesa)]) + " unidades.";
}

std::string ResumenJson(const Resumen& r) {
  return ObjetoJson()
      .Numero("media", r.media)
      .Numero("sigma", r.sigma)
      .Numero("min", r.minimo)
      .Numero("max", r.maximo)
      .Numero("cota_baja", r.cotaBaja)
      .Numero("cota_alta", r.cotaAlta)
      .Numero("limite_bajo", r.limiteBajo)
      .Numero("limite_alto", r.limiteAlto)
      .Numero("cpk", r.cpk)
      .Campo(
          "histograma",
          r.histograma.cuentas.empty()
              ? "null"
              : ObjetoJson()
                    .Numero("desde", r.histograma.desde)
                    .Numero("hasta", r.histograma.hasta)
                    .Campo("cuentas", ListaJson(r.histograma.cuentas,
                                                [](std::uint64_t c) { return std::to_string(c); }))
                    .Cerrar())
      .Cerrar();
}

}  // namespace

std::optional<std::string> LineaDeMuestreo(const Diseno& d) {
  if (!d.muestreo || d.muestreo->sinMuestreo) return std::nullopt;
  const Muestreo& m = *d.muestreo;
  return "Monte Carlo: " + PorCientoDe(m.rendimiento, kDecimalesRendimiento) + " de " +
         Unidades(m.opciones.unidades) +
         " unidades cumple todas sus promesas; la garantía es el veredicto del peor caso.";
}

std::optional<Seccion> SeccionMuestreo(const Diseno& d) {
  if (!d.muestreo) return std::nullopt;
  const Muestreo& m = *d.muestreo;
  Seccion s{std::string(kTituloMuestreo), {}};
  if (m.sinMuestreo) {
    s.lineas.push_back(*m.sinMuestreo);
    return s;
  }
  s.lineas.push_back(Unidades(m.opciones.unidades) + " unidades, semilla " +
                     std::to_string(m.opciones.semilla));
  s.lineas.push_back("Rendimiento: " + Rendimiento(m));
  s.lineas.push_back(MasFallada(m));
  for (const std::string& ley : m.leyes) s.lineas.push_back(ley);
  s.tabla = TablaDeMedidas(m);
  return s;
}

std::vector<BarraDeHistograma> BarrasDe(const Resumen& r, const DescripcionMedida& x) {
  const Histograma& h = r.histograma;
  const double ancho = (h.hasta - h.desde) / static_cast<double>(h.cuentas.size());
  std::vector<BarraDeHistograma> intervalos;
  for (std::size_t i = 0; i < h.cuentas.size(); ++i) {
    const double desde = h.desde + ancho * static_cast<double>(i);
    intervalos.push_back({Cifra(desde, x.decimales) + " a " + Cifra(desde + ancho, x.decimales) +
                              " " + std::string(x.unidad),
                          h.cuentas[i]});
  }
  return intervalos;
}

std::string HistogramaTexto(const Resumen& r, const DescripcionMedida& x) {
  const Histograma& h = r.histograma;
  const std::uint64_t mayor = *std::max_element(h.cuentas.begin(), h.cuentas.end());
  std::string t;
  for (const BarraDeHistograma& i : BarrasDe(r, x)) {
    const auto barra = mayor == 0 ? 0 : static_cast<std::size_t>(i.unidades * kAnchoBarra / mayor);
    t += "  " + i.texto + "  " + std::string(barra, '#') + (barra > 0 ? " " : "") +
         Unidades(i.unidades) + "\n";
  }
  return t;
}

std::string MuestreoJson(const Diseno& d) {
  if (!d.muestreo) return "null";
  const Muestreo& m = *d.muestreo;
  ObjetoJson o;
  o.Numero("n", ComoReal(m.opciones.unidades))
      .Campo("semilla", std::to_string(m.opciones.semilla))
      .Cadena("sin_muestreo", m.sinMuestreo.value_or(""));
  if (m.sinMuestreo) return o.Cerrar();
  ObjetoJson fallos, cpk, medidas;
  for (const DescripcionPromesa& p : kPromesas) {
    const auto i = static_cast<std::size_t>(p.promesa);
    fallos.Campo(p.clave, m.comprobadas[i] ? std::to_string(m.fallos[i]) : "null");
  }
  for (const DescripcionMedida& x : kMedidas) {
    const auto& r = m.medidas[static_cast<std::size_t>(x.medida)];
    if (!r) continue;
    cpk.Numero(x.clave, r->cpk);
    medidas.Campo(x.clave, ResumenJson(*r));
  }
  o.Numero("rendimiento", m.rendimiento)
      .Campo("intervalo",
             "[" + NumeroJson(m.intervaloBajo) + "," + NumeroJson(m.intervaloAlto) + "]")
      .Numero("aprobadas", ComoReal(m.aprobadas))
      .Campo("falla_mas", m.masFallada
                              ? CadenaJson(kPromesas[static_cast<std::size_t>(*m.masFallada)].clave)
                              : "null")
      .Campo("fallos", fallos.Cerrar())
      .Campo("cpk", cpk.Cerrar())
      .Campo("medidas", medidas.Cerrar())
      .Campo("leyes", ListaJson(m.leyes, [](const std::string& l) { return CadenaJson(l); }));
  return o.Cerrar();
}

}  // namespace zener
