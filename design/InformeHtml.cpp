// The report as a printable page: the same sections as the text, its
// tables marked, and two plots.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/Tablas.h"
#include "design/Circuitos.h"
#include "design/Componentes.h"
#include "design/Diseno.h"
#include "design/Envolvente.h"
#include "design/Json.h"
#include "design/Secciones.h"
#include "design/Texto.h"

namespace zener {

namespace {

std::string Escapar(std::string_view texto) {
  std::string s;
  for (const char c : texto) {
    switch (c) {
      case '&':
        s += "&amp;";
        break;
      case '<':
        s += "&lt;";
        break;
      case '>':
        s += "&gt;";
        break;
      case '"':
        s += "&quot;";
        break;
      default:
        s += c;
    }
  }
  return s;
}

constexpr std::string_view kEstilo = R"(
body{font-family:"DejaVu Sans",Arial,sans-serif;font-size:11pt;color:#111;max-width:180mm;margin:1em auto;padding:0 1em}
h1{font-size:16pt;border-bottom:2px solid #333}
h2{font-size:12pt;margin:1.2em 0 .3em}
p{margin:.2em 0}
table{border-collapse:collapse;margin:.5em 0}
th,td{border:1px solid #888;padding:2px 8px;text-align:right}
tr.elegida td{font-weight:bold;background:#eef}
.falla{color:#a00}
svg{width:100%;height:auto;max-width:170mm}
figure{margin:0}
section,table,figure{break-inside:avoid;page-break-inside:avoid}
@page{size:A4;margin:15mm}
@media print{body{margin:0;padding:0;max-width:none;font-size:10pt}}
@media (max-width:480px){body{font-size:16px;padding:0 .3em}th,td{padding:2px 3px}
table,figure{display:block;overflow-x:auto;max-width:100%}
table::before,figure::after{display:block;font-style:italic;text-align:left}
table::before{content:"Desplace la tabla de lado para ver todas sus columnas."}
figure::after{content:"Desplace el gráfico de lado para verlo entero."}
svg{width:700px;max-width:none}}
)";

struct Trazo {
  double veV;   // the input voltage of the line
  double vzV;   // Zener voltage used
  double rOhm;  // resistance used
  std::string nombre;
  std::string estilo;  // SVG stroke attributes
};

// A round step near a fifth of the span: 1, 2, 2,5 or 5 times a power of ten.
double PasoRedondo(double extension) {
  constexpr double kMarcas = 5;
  const double bruto = extension / kMarcas;
  const double potencia = std::pow(10.0, std::floor(std::log10(bruto)));
  for (const double m : {1.0, 2.0, 2.5, 5.0}) {
    if (m * potencia >= bruto) return m * potencia;
  }
  return 10 * potencia;
}

// The fewest decimals that write the step exactly: 10 with none, 2,5 with one.
int DecimalesDePaso(double paso) {
  constexpr int kMaximo = 6;
  for (int d = 0; d < kMaximo; ++d) {
    const double escalado = paso * std::pow(10.0, d);
    if (std::fabs(escalado - std::round(escalado)) < 1e-9 * escalado) return d;
  }
  return kMaximo;
}

struct Eje {
  double minimo, maximo, paso;
};

Eje EjeRedondo(double minimo, double maximo) {
  if (!(maximo > minimo)) maximo = minimo + 1;
  const double paso = PasoRedondo(maximo - minimo);
  return {std::floor(minimo / paso) * paso, std::ceil(maximo / paso) * paso, paso};
}

int Marcas(const Eje& eje) {
  return static_cast<int>(std::lround((eje.maximo - eje.minimo) / eje.paso));
}

// A plot's drawing: its size, the margins around the area the data takes,
// and the two axes.
struct Lienzo {
  double ancho, alto, izq, der, arriba, abajo;
  Eje x, y;
  double X(double valor) const {
    return izq + (valor - x.minimo) / (x.maximo - x.minimo) * (ancho - izq - der);
  }
  double Y(double valor) const {
    return arriba + (y.maximo - valor) / (y.maximo - y.minimo) * (alto - arriba - abajo);
  }
};

// Every plot is 640 units wide, its area `alto` high above a band of its
// own for the legend, where no curve runs, and `izq` left for the ticks'
// labels.
constexpr double kLeyenda = 50;
constexpr double kAltoDeCurvas = 340, kIzqDeCurvas = 60;
Lienzo LienzoDeGrafico(double alto, double izq, const Eje& x, const Eje& y) {
  constexpr double kAncho = 640, kDer = 20, kArriba = 20, kAbajo = 50 + kLeyenda;
  return {kAncho, alto + kLeyenda, izq, kDer, kArriba, kAbajo, x, y};
}

// A coordinate to a tenth of a unit.
std::string Coordenada(double valor) {
  return NumeroJson(std::round(valor * 10) / 10);
}

// What both plots draw alike: the svg opened, the area's frame, the round
// ticks of each axis (with the classes given) and the axes' titles, above a
// band of `pie` units left for a legend.
std::string Marco(const Lienzo& l, std::string_view nombre, std::string_view claseX,
                  std::string_view claseY, std::string_view tituloX, std::string_view tituloY,
                  double pie) {
  const auto n = Coordenada;
  std::string s = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + n(l.ancho) + " " +
                  n(l.alto) + "\" role=\"img\" aria-label=\"" + std::string(nombre) + "\">";
  s += "<rect x=\"" + n(l.izq) + "\" y=\"" + n(l.arriba) + "\" width=\"" +
       n(l.ancho - l.izq - l.der) + "\" height=\"" + n(l.alto - l.arriba - l.abajo) +
       "\" fill=\"none\" stroke=\"#333\"/>";
  for (int k = 0; k <= Marcas(l.x); ++k) {
    const double valor = l.x.minimo + k * l.x.paso;
    s += "<text class=\"" + std::string(claseX) + "\" x=\"" + n(l.X(valor)) + "\" y=\"" +
         n(l.alto - l.abajo + 16) + "\" font-size=\"11\" text-anchor=\"middle\">" +
         Cifra(valor, DecimalesDePaso(l.x.paso)) + "</text>";
  }
  for (int k = 0; k <= Marcas(l.y); ++k) {
    const double valor = l.y.minimo + k * l.y.paso;
    s += "<text class=\"" + std::string(claseY) + "\" x=\"" + n(l.izq - 6) + "\" y=\"" +
         n(l.Y(valor) + 4) + "\" font-size=\"11\" text-anchor=\"end\">" +
         Cifra(valor, DecimalesDePaso(l.y.paso)) + "</text>";
  }
  s += "<text x=\"" + n((l.ancho + l.izq) / 2) + "\" y=\"" + n(l.alto - pie - 10) +
       "\" font-size=\"12\" text-anchor=\"middle\">" + std::string(tituloX) + "</text>";
  s += "<text x=\"14\" y=\"" + n((l.alto - pie) / 2) +
       "\" font-size=\"12\" text-anchor=\"middle\" transform=\"rotate(-90 14 " +
       n((l.alto - pie) / 2) + ")\">" + std::string(tituloY) + "</text>";
  return s;
}

struct Entrada {
  std::string_view nombre, estilo;  // estilo: the SVG stroke attributes
};

// The legend, two entries a column, in the band of `pie` units under the axis
// title, where no curve runs.
std::string Leyenda(const Lienzo& l, double pie, const std::vector<Entrada>& entradas) {
  const auto n = Coordenada;
  constexpr double kFila = 18;
  const double columna = (l.ancho - l.izq - l.der) / 2;
  std::string s = "<g class=\"leyenda\">";
  for (std::size_t k = 0; k < entradas.size(); ++k) {
    const double x0 = l.izq + static_cast<double>(k / 2) * columna;
    const double y0 = l.alto - pie + 14 + static_cast<double>(k % 2) * kFila;
    s += "<line x1=\"" + n(x0) + "\" x2=\"" + n(x0 + 30) + "\" y1=\"" + n(y0) + "\" y2=\"" + n(y0) +
         "\" stroke-width=\"2\" " + std::string(entradas[k].estilo) + "/>";
    s += "<text x=\"" + n(x0 + 36) + "\" y=\"" + n(y0 + 4) + "\" font-size=\"11\">" +
         Escapar(entradas[k].nombre) + "</text>";
  }
  return s + "</g>";
}

// Beyond this many times the curves' top, the maximum current is marked at
// the plot's edge instead of stretching the axis to it.
constexpr double kIzMaxLejana = 3;

// The Zener current against the load current, at both ends of the input.
std::string Grafico(const Diseno& d) {
  const DatosCircuito& v = d.datos;
  const double r = d.cifras.De(Figura::RNominal);
  const std::vector<Trazo> trazos = {
      {v.VeMax, v.VnZener, r, "VeMax, nominal", "stroke=\"#c33\""},
      {v.VeMax, d.cifras.De(Figura::VzBaja), RBaja(d), "VeMax, peor caso",
       "stroke=\"#c33\" stroke-dasharray=\"6 4\""},
      {v.VeMin, v.VnZener, r, "VeMin, nominal", "stroke=\"#36c\""},
      {v.VeMin, d.cifras.De(Figura::VzAlta), RAlta(d), "VeMin, peor caso",
       "stroke=\"#36c\" stroke-dasharray=\"6 4\""},
  };
  const Eje x = EjeRedondo(0, v.IcMax > 0 ? v.IcMax : 1);
  auto iz = [](const Trazo& t, double il) {
    return (t.veV - t.vzV) / t.rOhm * kMiliPorUnidad - il;
  };
  double yMin = 0;
  double yMax = v.IzMin;
  for (const Trazo& t : trazos) {
    yMax = std::max({yMax, iz(t, 0), iz(t, v.IcMax)});
    yMin = std::min({yMin, iz(t, 0), iz(t, v.IcMax)});
  }
  const Zener* z = d.ZenerElegido();
  const double izMax = z ? d.cifras.De(Figura::IzMaxAdmisible) : 0;
  const bool izMaxLejana = z && izMax > kIzMaxLejana * yMax;
  if (z && !izMaxLejana) yMax = std::max(yMax, izMax);
  const Eje y = EjeRedondo(yMin, yMax);
  const Lienzo lienzo = LienzoDeGrafico(kAltoDeCurvas, kIzqDeCurvas, x, y);
  auto X = [&](double il) { return lienzo.X(il); };
  auto Y = [&](double i) { return lienzo.Y(i); };
  const auto n = Coordenada;
  std::string s = Marco(lienzo, "Corriente del zener", "marca-x", "marca-y",
                        "Corriente por la carga (mA)", "Corriente del zener (mA)", kLeyenda);
  // The lower limit is labelled at the left, where the lines run high above
  // it; the upper one at the right, where they have fallen away from it.
  auto limite = [&](double i, const std::string& nombre, const char* color, bool izquierda) {
    s += "<line x1=\"" + n(X(x.minimo)) + "\" x2=\"" + n(X(x.maximo)) + "\" y1=\"" + n(Y(i)) +
         "\" y2=\"" + n(Y(i)) + "\" stroke=\"" + color + "\" stroke-dasharray=\"2 3\"/>";
    s += "<text x=\"" + n(izquierda ? X(x.minimo) + 4 : X(x.maximo) - 4) + "\" y=\"" + n(Y(i) - 4) +
         "\" font-size=\"11\" fill=\"" + color + "\" text-anchor=\"" +
         (izquierda ? "start" : "end") + "\">" + Escapar(nombre) + "</text>";
  };
  limite(v.IzMin, "Iz mín " + Dato(d, Magnitud::IzMin) + " mA", "#080", true);
  if (z) {
    const std::string nombre =
        "Iz máx " + std::string(z->fila->numero) + " " + Cifra(izMax, 0) + " mA";
    if (izMaxLejana) {
      limite(y.maximo, "↑ " + nombre + ", fuera de escala", "#a60", false);
    } else {
      limite(izMax, nombre, "#a60", false);
    }
  }
  for (const Trazo& t : trazos) {
    s += "<line class=\"curva\" x1=\"" + n(X(0)) + "\" y1=\"" + n(Y(iz(t, 0))) + "\" x2=\"" +
         n(X(v.IcMax)) + "\" y2=\"" + n(Y(iz(t, v.IcMax))) + "\" stroke-width=\"2\" " + t.estilo +
         "/>";
  }
  std::vector<Entrada> entradas;
  for (const Trazo& t : trazos) entradas.push_back({t.nombre, t.estilo});
  return s + Leyenda(lienzo, kLeyenda, entradas) + "</svg>";
}

// The part's envelope, Vz against Iz, the band between its highest and
// lowest curve, with the resistor's load lines at the worst corners: where a
// line meets the band is where the Zener can sit, seen against Izk, Izt and
// its maximum current.
std::string GraficoEnvolvente(const Diseno& d) {
  const DatosCircuito& v = d.datos;
  const FilaZener& fila = *d.zener->fila;
  const Cifras& c = d.cifras;
  const Envolvente env(fila, c.De(Figura::VzBaja), c.De(Figura::VzAlta));
  const double media = MediaRizadoV(d.opciones);
  const double rAlta = RAlta(d), rBaja = RBaja(d);
  const double izMinMa = c.De(Figura::IzMin), izMaxMa = c.De(Figura::IzMax);
  auto fuente = [&](double vs, double r, double cargaMa) {
    return d.opciones.cargaOhm ? FuenteConResistencia(vs, r, *d.opciones.cargaOhm)
                               : FuenteConCarga(vs, r, cargaMa / kMiliPorUnidad);
  };
  struct Recta {
    Fuente f;
    std::string nombre, estilo;
  };
  const std::vector<Recta> rectas = {
      {fuente(v.VeMin - media, rAlta, v.IcMax), "VeMin, R alta, IcMax", "stroke=\"#36c\""},
      {fuente(v.VeMax + media, rBaja, v.IcMin), "VeMax, R baja, IcMin",
       "stroke=\"#c33\" stroke-dasharray=\"6 4\""},
      {FuenteConCarga(v.VeMax + media, rBaja, 0), "VeMax, R baja, sin carga", "stroke=\"#c33\""},
  };
  const double izMax = d.zenerElegido ? c.De(Figura::IzMaxAdmisible) : izMaxMa;
  const double desde = fila.izkMa;
  const double hasta = std::max({izMaxMa, fila.iztMa, desde * 2}) * 1.1;
  constexpr int kMuestras = 80;
  std::vector<double> corrientes;
  for (int k = 0; k <= kMuestras; ++k)
    corrientes.push_back(desde + (hasta - desde) * k / kMuestras);
  auto alta = [&](double ma) { return env.TensionAlta(ma / kMiliPorUnidad); };
  auto baja = [&](double ma) { return env.TensionBaja(ma / kMiliPorUnidad); };
  const Eje x = EjeRedondo(0, hasta);
  const Eje y = EjeRedondo(baja(desde), alta(hasta));
  const Lienzo lienzo = LienzoDeGrafico(kAltoDeCurvas, kIzqDeCurvas, x, y);
  auto X = [&](double ma) { return lienzo.X(ma); };
  auto Y = [&](double volt) { return lienzo.Y(volt); };
  const auto n = Coordenada;
  std::string s = Marco(lienzo, "Envolvente del zener", "marca-iz", "marca-vz",
                        "Corriente del zener (mA)", "Tensión del zener (V)", kLeyenda);
  // A nested viewport in the same coordinates clips the band and the lines
  // to the plot's area.
  const Lienzo& l = lienzo;
  const std::string area = n(l.izq) + " " + n(l.arriba) + " " + n(l.ancho - l.izq - l.der) + " " +
                           n(l.alto - l.arriba - l.abajo);
  s += "<svg x=\"" + n(l.izq) + "\" y=\"" + n(l.arriba) + "\" width=\"" +
       n(l.ancho - l.izq - l.der) + "\" height=\"" + n(l.alto - l.arriba - l.abajo) +
       "\" viewBox=\"" + area + "\">";
  // The band: along the highest curve and back along the lowest.
  std::string banda = "<path fill=\"#fd8\" fill-opacity=\"0.6\" stroke=\"#a60\" d=\"M";
  for (const double ma : corrientes) banda += n(X(ma)) + "," + n(Y(alta(ma))) + " ";
  for (auto i = corrientes.rbegin(); i != corrientes.rend(); ++i) {
    banda += "L" + n(X(*i)) + "," + n(Y(baja(*i))) + " ";
  }
  s += banda + "Z\"/>";
  auto vertical = [&](double ma, const std::string& nombre, const char* color) {
    s += "<line x1=\"" + n(X(ma)) + "\" x2=\"" + n(X(ma)) + "\" y1=\"" + n(l.arriba) + "\" y2=\"" +
         n(l.alto - l.abajo) + "\" stroke=\"" + color + "\" stroke-dasharray=\"2 3\"/>";
    s += "<text x=\"" + n(X(ma) + 3) + "\" y=\"" + n(l.alto - l.abajo - 4) +
         "\" font-size=\"11\" fill=\"" + color + "\">" + Escapar(nombre) + "</text>";
  };
  vertical(fila.izkMa, "Izk", "#555");
  vertical(fila.iztMa, "Izt", "#555");
  if (izMax <= x.maximo) vertical(izMax, "Iz máx", "#a60");
  for (const Recta& r : rectas) {
    auto voltios = [&](double ma) { return r.f.e - r.f.rt * ma / kMiliPorUnidad; };
    s += "<line x1=\"" + n(X(x.minimo)) + "\" y1=\"" + n(Y(voltios(x.minimo))) + "\" x2=\"" +
         n(X(x.maximo)) + "\" y2=\"" + n(Y(voltios(x.maximo))) + "\" stroke-width=\"2\" " +
         r.estilo + "/>";
  }
  auto punto = [&](double ma, double volt) {
    s += "<circle cx=\"" + n(X(ma)) + "\" cy=\"" + n(Y(volt)) + "\" r=\"4\" fill=\"#080\"/>";
  };
  punto(izMinMa, alta(izMinMa));
  punto(izMaxMa, baja(izMaxMa));
  s += "</svg>";
  std::vector<Entrada> entradas;
  for (const Recta& r : rectas) entradas.push_back({r.nombre, r.estilo});
  return s + Leyenda(lienzo, kLeyenda, entradas) + "</svg>";
}

// One measure of a Monte-Carlo run: units per bin, with the worst case's
// bounds dashed and the limits its promises hold it to in red.
std::string HistogramaSvg(const Resumen& r, const DescripcionMedida& x) {
  const Histograma& h = r.histograma;
  const std::uint64_t mayor = *std::max_element(h.cuentas.begin(), h.cuentas.end());
  double desde = h.desde, hasta = h.hasta;
  for (const auto& limite : {r.limiteBajo, r.limiteAlto}) {
    if (limite) desde = std::min(desde, *limite), hasta = std::max(hasta, *limite);
  }
  // Less high than the curves, and room at the left for counts in thousands.
  constexpr double kAltoDeHistograma = 260, kIzqDeHistograma = 70;
  const Lienzo l = LienzoDeGrafico(kAltoDeHistograma, kIzqDeHistograma, EjeRedondo(desde, hasta),
                                   EjeRedondo(0, ComoReal(std::max<std::uint64_t>(mayor, 1))));
  const auto n = Coordenada;
  const std::string titulo = std::string(x.nombre) + " (" + std::string(x.unidad) + ")";
  std::string s =
      Marco(l, "Monte Carlo: " + titulo, "marca-x", "marca-y", titulo, "Unidades", kLeyenda);
  const double ancho = (h.hasta - h.desde) / static_cast<double>(h.cuentas.size());
  for (std::size_t i = 0; i < h.cuentas.size(); ++i) {
    const double x0 = h.desde + ancho * static_cast<double>(i);
    const double c = ComoReal(h.cuentas[i]);
    s += "<rect class=\"barra\" x=\"" + n(l.X(x0)) + "\" y=\"" + n(l.Y(c)) + "\" width=\"" +
         n(l.X(x0 + ancho) - l.X(x0)) + "\" height=\"" + n(l.Y(0) - l.Y(c)) +
         "\" fill=\"#8ab\" stroke=\"#467\"/>";
  }
  constexpr std::string_view kCota = "stroke=\"#333\" stroke-dasharray=\"6 4\"";
  constexpr std::string_view kLimite = "stroke=\"#c00\"";
  auto vertical = [&](double valor, std::string_view estilo) {
    s += "<line x1=\"" + n(l.X(valor)) + "\" x2=\"" + n(l.X(valor)) + "\" y1=\"" +
         n(l.Y(l.y.minimo)) + "\" y2=\"" + n(l.Y(l.y.maximo)) + "\" stroke-width=\"2\" " +
         std::string(estilo) + "/>";
  };
  std::vector<Entrada> entradas;
  for (const auto& cota : {r.cotaBaja, r.cotaAlta}) {
    if (cota) vertical(*cota, kCota);
  }
  if (r.cotaBaja || r.cotaAlta) entradas.push_back({"Peor caso", kCota});
  for (const auto& limite : {r.limiteBajo, r.limiteAlto}) {
    if (limite) vertical(*limite, kLimite);
  }
  if (r.limiteBajo || r.limiteAlto) entradas.push_back({"Límite", kLimite});
  return s + Leyenda(l, kLeyenda, entradas) + "</svg>";
}

std::string Histogramas(const Diseno& d) {
  if (!d.muestreo || d.muestreo->sinMuestreo) return {};
  std::string h;
  for (const DescripcionMedida& x : kMedidas) {
    const auto& r = d.muestreo->medidas[static_cast<std::size_t>(x.medida)];
    if (!r || r->histograma.cuentas.empty()) continue;
    h += "<figure tabindex=\"0\"><h2>Monte Carlo: " + Escapar(x.nombre) + "</h2>" +
         HistogramaSvg(*r, x) + "</figure>";
  }
  return h;
}

// On a phone tables and plots scroll sideways in their own box: the
// keyboard reaches them to scroll.
constexpr const char* kDesplazable = " tabindex=\"0\"";

std::string TablaHtml(const Tabla& tabla) {
  std::string t = std::string("<table") + kDesplazable + "><thead><tr>";
  for (const std::string& cabecera : tabla.cabecera) t += "<th>" + Escapar(cabecera) + "</th>";
  t += "</tr></thead><tbody>";
  for (const Tabla::Fila& fila : tabla.filas) {
    t += fila.destacada ? "<tr class=\"elegida\">" : "<tr>";
    for (std::size_t i = 0; i < fila.celdas.size(); ++i) {
      const bool falla = fila.falla && i + 1 == fila.celdas.size();
      t += "<td" + std::string(falla ? " class=\"falla\"" : "") + ">" + Escapar(fila.celdas[i]) +
           "</td>";
    }
    t += "</tr>";
  }
  return t + "</tbody></table>";
}

std::string SeccionHtml(const Seccion& s) {
  std::string h = "<section><h2>" + Escapar(s.titulo) + "</h2>";
  for (const std::string& linea : s.lineas) h += "<p>" + Escapar(linea) + "</p>";
  if (s.tabla) h += TablaHtml(*s.tabla);
  return h + "</section>";
}

}  // namespace

std::string InformeHtml(const Diseno& d) {
  std::string h =
      "<!DOCTYPE html>\n<html lang=\"es\"><head><meta charset=\"utf-8\">"
      "<title>Diseño del regulador con zener</title><style>";
  h += kEstilo;
  // One main landmark holds it all, for screen readers' landmark navigation.
  h += "</style></head><body><main><h1>Diseño del " + std::string(CircuitoDe(d).titulo) + "</h1>";
  for (const Seccion& s : Secciones(d)) h += SeccionHtml(s);
  if (d.ConResistencia() && d.veredicto == Veredicto::Cumple) {
    h += std::string("<figure") + kDesplazable + "><h2>Corriente del zener según la carga</h2>" +
         Grafico(d) + "</figure>";
    if (d.zener) {
      h += std::string("<figure") + kDesplazable + "><h2>Envolvente del " +
           Escapar(d.zener->fila->numero) + " y rectas de carga en el peor caso</h2>" +
           GraficoEnvolvente(d) + "</figure>";
    }
  }
  h += Histogramas(d);
  // The parts list last, after the figures: what to order ends the report.
  return h + SeccionHtml(Materiales(d)) + "</main></body></html>\n";
}

}  // namespace zener
