// The three forms of a design's report. The text and the page share the
// sections below, so that the page never says something the text does not.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/NumeroTexto.h"
#include "design/Componentes.h"
#include "design/Diseno.h"
#include "design/Texto.h"

namespace zener {

namespace {

constexpr double kPorCiento = 100;
constexpr char kRetornoRegla = '\r';

struct Seccion {
  std::string titulo;
  std::vector<std::string> lineas;
  bool conTabla = false;  // the worst-case table follows the lines
};

std::string Ohm(double r) {
  return CifraCorta(r, 2) + " Ω";
}
std::string Tol(double fraccion) {
  return CifraCorta(fraccion * kPorCiento, 2) + " %";
}

std::string NombreFamilia(Familia familia) {
  return familia == Familia::Automatica ? "automática" : std::string(FamiliaDe(familia).nombre);
}

// The rule's message box text as lines, without the spaces that centred it.
std::vector<std::string> LineasDeMensaje(const std::string& mensaje) {
  std::vector<std::string> lineas;
  std::size_t inicio = 0;
  while (inicio <= mensaje.size()) {
    std::size_t fin = mensaje.find(kRetornoRegla, inicio);
    if (fin == std::string::npos) fin = mensaje.size();
    std::string linea = mensaje.substr(inicio, fin - inicio);
    linea.erase(0, linea.find_first_not_of(' '));
    lineas.push_back(linea);
    inicio = fin + 1;
  }
  return lineas;
}

Seccion Datos(const Diseno& d) {
  const DatosCircuito& v = d.datos;
  return {
      "Datos",
      {"Tensión de entrada: " + Cifra(v.VeMin, 2) + " V a " + Cifra(v.VeMax, 2) + " V",
       "Corriente por la carga: " + Cifra(v.IcMin, 0) + " mA a " + Cifra(v.IcMax, 0) + " mA",
       "Tensión del zener: " + Cifra(v.VnZener, 2) + " V",
       "Corriente mínima del zener: " + Cifra(v.IzMin, 0) + " mA",
       "Serie " + std::string(TablaDe(d.opciones.serie).nombre) + ", resistencia al " +
           Tol(d.tolR) + ", zener al " + Tol(d.opciones.tolVz) + ", margen de potencia " +
           CifraCorta(d.opciones.margen, 2) + ", familia " + NombreFamilia(d.opciones.familia)}};
}

Seccion Reglas(const Diseno& d) {
  Seccion s{"Comprobación de las reglas", {}};
  const int regla = NumeroDeRegla(d.veredicto);
  if (regla > 0) {
    s.lineas.push_back("Se incumple la regla " + std::to_string(regla) + ":");
  } else if (d.veredicto == Veredicto::Cumple) {
    s.lineas.push_back("Se cumplen las siete reglas.");
  }
  if (d.veredicto != Veredicto::Cumple) {
    for (std::string& linea : LineasDeMensaje(d.mensaje)) s.lineas.push_back(std::move(linea));
  }
  return s;
}

Seccion Exacta(const Diseno& d) {
  const DatosCircuito& v = d.datos;
  return {"Paso 1. Resistencia exacta, con valores nominales",
          {"R = (VeMin − Vz) / (IzMin + IcMax) = (" + Cifra(v.VeMin, 2) + " − " +
           Cifra(v.VnZener, 2) + ") V / (" + Cifra(v.IzMin, 0) + " + " + Cifra(v.IcMax, 0) +
           ") mA = " + Cifra(v.RrLim, 2) + " Ω"}};
}

Seccion PeorCasoElegida(const Diseno& d) {
  const DatosCircuito& v = d.datos;
  const std::string r = CifraCorta(d.elegida->rOhm, 2);
  const std::string mas = "(1 + " + CifraCorta(d.opciones.tolVz, 4) + ")";
  const std::string menos = "(1 − " + CifraCorta(d.opciones.tolVz, 4) + ")";
  const std::string rMas = r + "·(1 + " + CifraCorta(d.tolR, 4) + ")";
  const std::string rMenos = r + "·(1 − " + CifraCorta(d.tolR, 4) + ")";
  const std::string vz = Cifra(v.VnZener, 2);
  const std::string caida = "(" + Cifra(v.VeMax, 2) + " − " + vz + "·" + menos + ")";
  return {"Paso 2. Peor caso: R y Vz en el extremo desfavorable de su tolerancia",
          {"Iz mín = (VeMin − Vz·(1+tZ)) / (R·(1+tR)) − IcMax = (" + Cifra(v.VeMin, 2) + " − " +
               vz + "·" + mas + ") V / (" + rMas + ") Ω − " + Cifra(v.IcMax, 0) +
               " mA = " + Cifra(d.elegida->izMinMa, 2) + " mA ≥ " + Cifra(v.IzMin, 0) + " mA",
           "P R = (VeMax − Vz·(1−tZ))² / (R·(1−tR)) = " + caida + "² V² / (" + rMenos +
               ") Ω = " + Cifra(d.elegida->prW, 3) + " W",
           "P Z sin carga = Vz·(1+tZ)·(VeMax − Vz·(1−tZ)) / (R·(1−tR)) = " + vz + "·" + mas + "·" +
               caida + " V² / (" + rMenos + ") Ω = " + Cifra(d.elegida->pzW, 3) + " W",
           "Se elige el mayor valor de la serie que cumple; sus vecinos en la tabla."},
          true};
}

std::string Potencia(const std::optional<double>& nominal) {
  return nominal ? CifraCorta(*nominal, 3) + " W" : "ninguna normalizada";
}

Seccion Piezas(const Diseno& d) {
  const double margen = d.opciones.margen;
  Seccion s{
      "Paso 3. Piezas",
      {"Resistencia: " + Ohm(d.elegida->rOhm) + " " +
           std::string(TablaDe(d.opciones.serie).nombre) + " al " + Tol(d.tolR) + ", " +
           CifraCorta(margen, 2) + " × " + Cifra(d.elegida->prW, 3) +
           " W = " + Cifra(margen * d.elegida->prW, 3) + " W → " + Potencia(d.potenciaResistenciaW),
       "Potencia del zener: " + CifraCorta(margen, 2) + " × " + Cifra(d.elegida->pzW, 3) +
           " W = " + Cifra(margen * d.elegida->pzW, 3) + " W → " + Potencia(d.potenciaZenerW)}};
  if (d.zener) {
    const ZenerElegido& z = *d.zener;
    s.lineas.push_back("Zener: " + std::string(z.numero) + " (" + NombreFamilia(z.familia) + ", " +
                       CifraCorta(z.potenciaW, 1) + " W): Izt " + CifraCorta(z.iztMa, 1) +
                       " mA, Zzt " + CifraCorta(z.zztOhm, 1) + " Ω, Iz máx " + Cifra(z.izMaxMa, 0) +
                       " mA");
  } else {
    s.lineas.push_back("Zener: ninguno de las tablas (véanse los avisos)");
  }
  return s;
}

Seccion Regulaciones(const Diseno& d) {
  const Regulacion& g = *d.regulacion;
  const std::string r = CifraCorta(d.elegida->rOhm, 2);
  const std::string zz = CifraCorta(g.zzOhm, 2);
  const std::string suma = "(" + r + " + " + zz + ")";
  const DatosCircuito& v = d.datos;
  return {"Paso 4. Regulación con Zz = " + zz + " Ω",
          {"Línea: Zz/(R+Zz) = " + zz + "/" + suma + " = " + Cifra(g.lineaMvV, 1) + " mV/V",
           "Carga: R·Zz/(R+Zz) = " + r + "·" + zz + "/" + suma + " = " + Cifra(g.cargaMvMa, 2) +
               " mV/mA",
           "Atenuación del rizado: 20·log10((R+Zz)/Zz) = 20·log10(" + suma + "/" + zz +
               ") = " + Cifra(g.rizadoDb, 1) + " dB",
           "Rendimiento a VeMin y plena carga: Vz·IcMax / (VeMin·(VeMin−Vz)/R) = " +
               Cifra(v.VnZener, 2) + " V·" + Cifra(v.IcMax, 0) + " mA / (" + Cifra(v.VeMin, 2) +
               " V·(" + Cifra(v.VeMin, 2) + " − " + Cifra(v.VnZener, 2) + ") V/" + r +
               " Ω) = " + Cifra(g.rendimiento * kPorCiento, 1) + " %"}};
}

std::vector<Seccion> Secciones(const Diseno& d) {
  std::vector<Seccion> s{Datos(d), Reglas(d)};
  if (d.veredicto != Veredicto::Cumple) return s;
  s.push_back(Exacta(d));
  if (!d.cumple) {
    s.push_back({"Resultado", LineasDeMensaje(d.mensaje)});
    return s;
  }
  s.push_back(PeorCasoElegida(d));
  s.push_back(Piezas(d));
  if (d.regulacion) s.push_back(Regulaciones(d));
  if (!d.avisos.empty()) s.push_back({"Avisos", d.avisos});
  return s;
}

// The chosen value among its neighbours, ascending.
std::vector<PeorCaso> FilasPeorCaso(const Diseno& d) {
  std::vector<PeorCaso> filas = d.vecinas;
  filas.push_back(*d.elegida);
  std::sort(filas.begin(), filas.end(),
            [](const PeorCaso& a, const PeorCaso& b) { return a.rOhm < b.rOhm; });
  return filas;
}

struct CeldasPeorCaso {
  std::string r, iz, pr, pz, resultado;
};

CeldasPeorCaso Celdas(const Diseno& d, const PeorCaso& c) {
  const bool elegida = c.rOhm == d.elegida->rOhm;
  return {CifraCorta(c.rOhm, 2), Cifra(c.izMinMa, 2), Cifra(c.prW, 3), Cifra(c.pzW, 3),
          std::string(c.cumple ? "cumple" : "no cumple") + (elegida ? " (elegida)" : "")};
}

const char* const kCabeceraPeorCaso[] = {"R (Ω)", "Iz mín (mA)", "P R (W)", "P Z (W)", "Resultado"};

std::string Relleno(const std::string& texto, std::size_t ancho) {
  const auto largo = static_cast<std::size_t>(LongitudEnCaracteres(texto));
  return texto + std::string(largo < ancho ? ancho - largo : 1, ' ');
}

std::string TablaTexto(const Diseno& d) {
  constexpr std::size_t kAncho = 14;
  std::string t = "  ";
  for (const char* cabecera : kCabeceraPeorCaso) t += Relleno(cabecera, kAncho);
  t.erase(t.find_last_not_of(' ') + 1);
  t += "\n";
  for (const PeorCaso& c : FilasPeorCaso(d)) {
    const CeldasPeorCaso k = Celdas(d, c);
    t += "  " + Relleno(k.r, kAncho) + Relleno(k.iz, kAncho) + Relleno(k.pr, kAncho) +
         Relleno(k.pz, kAncho) + k.resultado + "\n";
  }
  return t;
}

// ---- JSON

std::string CadenaJson(std::string_view texto) {
  std::string s = "\"";
  for (const char c : texto) {
    switch (c) {
      case '"':
        s += "\\\"";
        break;
      case '\\':
        s += "\\\\";
        break;
      case '\r':
        s += "\\r";
        break;
      case '\n':
        s += "\\n";
        break;
      case '\t':
        s += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          constexpr char kHex[] = "0123456789abcdef";
          s += "\\u00";
          s += kHex[(c >> 4) & 0xF];
          s += kHex[c & 0xF];
        } else {
          s += c;
        }
    }
  }
  return s + "\"";
}

class ObjetoJson {
 public:
  ObjetoJson& Campo(std::string_view clave, const std::string& valorJson) {
    texto_ += (texto_.size() > 1 ? "," : "") + CadenaJson(clave) + ":" + valorJson;
    return *this;
  }
  ObjetoJson& Numero(std::string_view clave, double valor) {
    return Campo(clave, NumeroJson(valor));
  }
  ObjetoJson& Numero(std::string_view clave, const std::optional<double>& valor) {
    return Campo(clave, valor ? NumeroJson(*valor) : "null");
  }
  std::string Cerrar() const { return texto_ + "}"; }

 private:
  std::string texto_ = "{";
};

std::string Booleano(bool valor) {
  return valor ? "true" : "false";
}

std::string VecinaJson(const PeorCaso& c) {
  return ObjetoJson()
      .Numero("r_ohm", c.rOhm)
      .Numero("iz_min_peor_ma", c.izMinMa)
      .Numero("p_r_peor_w", c.prW)
      .Numero("pz_peor_w", c.pzW)
      .Campo("cumple", Booleano(c.cumple))
      .Cerrar();
}

template <typename T, typename F>
std::string ListaJson(const std::vector<T>& elementos, F aJson) {
  std::string s = "[";
  for (const T& e : elementos) s += (s.size() > 1 ? "," : "") + aJson(e);
  return s + "]";
}

// ---- HTML

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
@media (max-width:480px){body{font-size:10pt;padding:0 .3em}th,td{padding:2px 3px}
table{display:block;overflow-x:auto;max-width:100%}}
)";

struct Trazo {
  double veV;   // the input voltage of the line
  double vzV;   // Zener voltage used
  double rOhm;  // resistance used
  std::string nombre;
  std::string estilo;  // SVG stroke attributes
};

// The Zener current against the load current, at both ends of the input.
std::string Grafico(const Diseno& d) {
  const DatosCircuito& v = d.datos;
  const double r = d.elegida->rOhm;
  const std::vector<Trazo> trazos = {
      {v.VeMax, v.VnZener, r, "VeMax, nominal", "stroke=\"#c33\""},
      {v.VeMin, v.VnZener, r, "VeMin, nominal", "stroke=\"#36c\""},
      {v.VeMin, v.VnZener * (1 + d.opciones.tolVz), r * (1 + d.tolR), "VeMin, peor caso",
       "stroke=\"#36c\" stroke-dasharray=\"6 4\""},
  };
  const double xMax = v.IcMax > 0 ? v.IcMax : 1;
  auto iz = [](const Trazo& t, double il) { return (t.veV - t.vzV) / t.rOhm * 1000 - il; };
  double yMin = 0;
  double yMax = v.IzMin;
  for (const Trazo& t : trazos) {
    yMax = std::max({yMax, iz(t, 0), iz(t, xMax)});
    yMin = std::min({yMin, iz(t, 0), iz(t, xMax)});
  }
  if (d.zener) yMax = std::max(yMax, d.zener->izMaxMa);
  yMax *= 1.1;
  constexpr double kAncho = 640, kAlto = 340, kIzq = 60, kDer = 20, kArriba = 20, kAbajo = 50;
  auto X = [&](double il) { return kIzq + il / xMax * (kAncho - kIzq - kDer); };
  auto Y = [&](double i) {
    return kArriba + (yMax - i) / (yMax - yMin) * (kAlto - kArriba - kAbajo);
  };
  auto n = [](double valor) { return NumeroJson(std::round(valor * 10) / 10); };
  std::string s = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + n(kAncho) + " " +
                  n(kAlto) + "\" role=\"img\" aria-label=\"Corriente del zener\">";
  s += "<rect x=\"" + n(kIzq) + "\" y=\"" + n(kArriba) + "\" width=\"" + n(kAncho - kIzq - kDer) +
       "\" height=\"" + n(kAlto - kArriba - kAbajo) + "\" fill=\"none\" stroke=\"#333\"/>";
  constexpr int kMarcas = 5;
  for (int k = 0; k <= kMarcas; ++k) {
    const double il = xMax * k / kMarcas;
    const double i = yMin + (yMax - yMin) * k / kMarcas;
    s += "<text x=\"" + n(X(il)) + "\" y=\"" + n(kAlto - kAbajo + 16) +
         "\" font-size=\"11\" text-anchor=\"middle\">" + Cifra(il, 1) + "</text>";
    s += "<text x=\"" + n(kIzq - 6) + "\" y=\"" + n(Y(i) + 4) +
         "\" font-size=\"11\" text-anchor=\"end\">" + Cifra(i, 1) + "</text>";
  }
  s += "<text x=\"" + n((kAncho + kIzq) / 2) + "\" y=\"" + n(kAlto - 10) +
       "\" font-size=\"12\" text-anchor=\"middle\">Corriente por la carga (mA)</text>";
  s += "<text x=\"14\" y=\"" + n(kAlto / 2) +
       "\" font-size=\"12\" text-anchor=\"middle\" "
       "transform=\"rotate(-90 14 " +
       n(kAlto / 2) + ")\">Corriente del zener (mA)</text>";
  // The lower limit is labelled at the left, where the lines run high above
  // it; the upper one at the right, clear of the legend.
  auto limite = [&](double i, const std::string& nombre, const char* color, bool izquierda) {
    s += "<line x1=\"" + n(X(0)) + "\" x2=\"" + n(X(xMax)) + "\" y1=\"" + n(Y(i)) + "\" y2=\"" +
         n(Y(i)) + "\" stroke=\"" + color + "\" stroke-dasharray=\"2 3\"/>";
    s += "<text x=\"" + n(izquierda ? X(0) + 4 : X(xMax) - 4) + "\" y=\"" + n(Y(i) - 4) +
         "\" font-size=\"11\" fill=\"" + color + "\" text-anchor=\"" +
         (izquierda ? "start" : "end") + "\">" + Escapar(nombre) + "</text>";
  };
  limite(v.IzMin, "Iz mín " + Cifra(v.IzMin, 0) + " mA", "#080", true);
  if (d.zener) {
    limite(d.zener->izMaxMa,
           "Iz máx " + std::string(d.zener->numero) + " " + Cifra(d.zener->izMaxMa, 0) + " mA",
           "#a60", false);
  }
  double leyenda = kArriba + 14;
  for (const Trazo& t : trazos) {
    s += "<line x1=\"" + n(X(0)) + "\" y1=\"" + n(Y(iz(t, 0))) + "\" x2=\"" + n(X(xMax)) +
         "\" y2=\"" + n(Y(iz(t, xMax))) + "\" stroke-width=\"2\" " + t.estilo + "/>";
    s += "<line x1=\"" + n(kIzq + 10) + "\" x2=\"" + n(kIzq + 40) + "\" y1=\"" + n(leyenda) +
         "\" y2=\"" + n(leyenda) + "\" stroke-width=\"2\" " + t.estilo + "/>";
    s += "<text x=\"" + n(kIzq + 46) + "\" y=\"" + n(leyenda + 4) + "\" font-size=\"11\">" +
         Escapar(t.nombre) + "</text>";
    leyenda += 16;
  }
  return s + "</svg>";
}

std::string TablaHtml(const Diseno& d) {
  std::string t = "<table><thead><tr>";
  for (const char* cabecera : kCabeceraPeorCaso) t += "<th>" + Escapar(cabecera) + "</th>";
  t += "</tr></thead><tbody>";
  for (const PeorCaso& c : FilasPeorCaso(d)) {
    const CeldasPeorCaso k = Celdas(d, c);
    t += std::string(c.rOhm == d.elegida->rOhm ? "<tr class=\"elegida\">" : "<tr>");
    t += "<td>" + k.r + "</td><td>" + k.iz + "</td><td>" + k.pr + "</td><td>" + k.pz + "</td>";
    t += "<td" + std::string(c.cumple ? "" : " class=\"falla\"") + ">" + k.resultado + "</td>";
    t += "</tr>";
  }
  return t + "</tbody></table>";
}

}  // namespace

std::string InformeTexto(const Diseno& d) {
  std::string t = "Diseño del regulador con diodo zener y resistencia en serie\n";
  for (const Seccion& s : Secciones(d)) {
    t += "\n" + s.titulo + "\n";
    for (const std::string& linea : s.lineas) t += "  " + linea + "\n";
    if (s.conTabla) t += "\n" + TablaTexto(d);
  }
  return t;
}

std::string InformeJson(const Diseno& d) {
  ObjetoJson o;
  o.Campo("cumple", Booleano(d.cumple))
      .Numero("regla", static_cast<double>(NumeroDeRegla(d.veredicto)))
      .Campo("mensaje", d.cumple ? "\"\"" : CadenaJson(d.mensaje))
      .Numero("r_exacta_ohm", d.veredicto == Veredicto::Cumple
                                  ? std::optional<double>(d.datos.RrLim)
                                  : std::nullopt)
      .Campo("serie", CadenaJson(TablaDe(d.opciones.serie).nombre))
      .Numero("tol_r", d.tolR)
      .Numero("tol_vz", d.opciones.tolVz)
      .Numero("margen", d.opciones.margen);
  const auto elegida = [&](double PeorCaso::*campo) {
    return d.elegida ? std::optional<double>((*d.elegida).*campo) : std::nullopt;
  };
  o.Numero("r_normalizada_ohm", elegida(&PeorCaso::rOhm))
      .Numero("iz_min_peor_ma", elegida(&PeorCaso::izMinMa))
      .Numero("p_r_peor_w", elegida(&PeorCaso::prW))
      .Numero("p_r_nominal_w", d.potenciaResistenciaW)
      .Numero("pz_peor_w", elegida(&PeorCaso::pzW))
      .Numero("pz_nominal_w", d.potenciaZenerW)
      .Campo("zener", d.zener ? CadenaJson(d.zener->numero) : "null");
  if (d.zener) {
    o.Numero("zener_izt_ma", d.zener->iztMa)
        .Numero("zener_zzt_ohm", d.zener->zztOhm)
        .Numero("zener_iz_max_ma", d.zener->izMaxMa);
  }
  o.Campo("vecinas", ListaJson(d.vecinas, VecinaJson));
  if (d.regulacion) {
    const Regulacion& g = *d.regulacion;
    o.Campo("regulacion", ObjetoJson()
                              .Numero("zz_ohm", g.zzOhm)
                              .Numero("linea_mv_v", g.lineaMvV)
                              .Numero("carga_mv_ma", g.cargaMvMa)
                              .Numero("rizado_db", g.rizadoDb)
                              .Numero("rendimiento", g.rendimiento)
                              .Cerrar());
  }
  o.Campo("avisos", ListaJson(d.avisos, [](const std::string& a) { return CadenaJson(a); }));
  return o.Cerrar();
}

std::string InformeHtml(const Diseno& d) {
  std::string h =
      "<!DOCTYPE html>\n<html lang=\"es\"><head><meta charset=\"utf-8\">"
      "<title>Diseño del regulador con zener</title><style>";
  h += kEstilo;
  h += "</style></head><body><h1>Diseño del regulador con diodo zener y resistencia en serie</h1>";
  for (const Seccion& s : Secciones(d)) {
    h += "<section><h2>" + Escapar(s.titulo) + "</h2>";
    for (const std::string& linea : s.lineas) h += "<p>" + Escapar(linea) + "</p>";
    if (s.conTabla) h += TablaHtml(d);
    h += "</section>";
  }
  if (d.cumple) {
    h += "<figure><h2>Corriente del zener según la carga</h2>" + Grafico(d) + "</figure>";
  }
  return h + "</body></html>\n";
}

}  // namespace zener
