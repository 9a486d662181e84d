// The design as a SPICE deck a user runs as it is (ngspice -b): each worst
// case the circuit states, at the corner its description gives, as circuits
// of their own with the part's extreme members (and, for the follower, the
// transistor's extreme models); a check per promise that prints whether it
// holds; the nominal case swept over the input; and a .subckt of each chosen
// part to reuse. Only the standard diode and bipolar models' parameters, so
// that any SPICE reads it.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "core/Calculo.h"
#include "design/Circuitos.h"
#include "design/Componentes.h"
#include "design/Diseno.h"
#include "design/Envolvente.h"
#include "design/Transistores.h"

namespace zener {

namespace {

// SPICE's thermal voltage at the deck's 25 °C: k·T/q.
constexpr double kVtA25C = 1.380649e-23 * 298.15 / 1.602176634e-19;
constexpr double kCeroAbsolutoC = -273.15;
// SPICE's diode needs some exponential: a member with none takes this share
// of the all-exponential corner's, its series resistance this share less
// (inside the datasheet's region, which is convex), and its voltage at Izt
// moved so that it passes through the library's own operating point on the
// circuit's source: the circuit then sits where the library says it does.
constexpr double kHaciaLaExponencial = 0.02;
constexpr double kSaturacionA = 1e-14;
constexpr int kCifras = 12;
// A gain no load current tells from an endless one: the transistor's other
// end. Its Vbe at that end is the maker's model's, or a typical silicon
// junction's where there is none: Vbe cannot be brought near nothing by the
// model's IS without its transport current flowing at no Vbe at all, which
// would lift an unloaded emitter to the collector.
constexpr double kGananciaSinBase = 1e6;
constexpr double kSaturacionTipica = 1e-14;  // A
// Silicon's, as SPICE takes them where a maker gives none.
constexpr double kEmisionSilicio = 1, kXtiSilicio = 3, kEgSilicio = 1.11;

std::string N(double valor) {
  char texto[64];
  const auto fin =
      std::to_chars(texto, texto + sizeof texto, valor, std::chars_format::general, kCifras).ptr;
  return std::string(texto, fin);
}

double TensionTermica(double temperaturaC) {
  return kVtA25C * (temperaturaC - kCeroAbsolutoC) / (25 - kCeroAbsolutoC);
}

// A member's name by its shape, whatever order the envelope keeps them in.
std::string_view Forma(double a, double rs) {
  if (a <= 0) return rs <= 0 ? "ideal" : "rs";
  return rs <= 0 ? "exp" : "ambas";
}

double MayorExponencial(const Envolvente& env) {
  double a = 0;
  for (std::size_t k = 0; k < env.Formas(); ++k) a = std::max(a, env.Miembro(k, true).a);
  return a > 0 ? a : kVtA25C;
}

// The member SPICE is given for this source: itself where it has an
// exponential, else moved as above.
Caracteristica ParaSpice(Caracteristica c, const Envolvente& env, const Fuente& f) {
  if (c.a > 0) return c;
  const Punto p = PuntoDeTrabajo(c, f);
  c.a = kHaciaLaExponencial * MayorExponencial(env);
  c.rs *= 1 - kHaciaLaExponencial;
  if (p.iA > 0) c.v0 = p.v - c.a * std::log(p.iA / c.iztA) - c.rs * (p.iA - c.iztA);
  return c;
}

// IBV = Izt and BV = V0 − RS·Izt put the voltage at Izt at V0; the emission
// coefficient N = a/Vt gives the exponential (SPICE's breakdown uses N where
// no NBV is given).
std::string TarjetaDiodo(const std::string& nombre, const Caracteristica& c) {
  return ".model " + nombre + " D(IS=" + N(kSaturacionA) + " N=" + N(c.a / kVtA25C) +
         " RS=" + N(c.rs) + " BV=" + N(c.v0 - c.rs * c.iztA) + " IBV=" + N(c.iztA) + ")\n";
}

// A Gummel–Poon card of the transistor, with its temperature terms.
struct ModeloQ {
  double is, bf, nf, xtb, xti, eg;
  double temperaturaC;  // the instance's
};

std::string TarjetaTransistor(const std::string& nombre, const ModeloQ& m) {
  return ".model " + nombre + " NPN(IS=" + N(m.is) + " BF=" + N(m.bf) + " NF=" + N(m.nf) +
         " XTB=" + N(m.xtb) + " XTI=" + N(m.xti) + " EG=" + N(m.eg) + ")\n";
}

// The maker's temperature terms, or silicon's at 25 °C.
ModeloQ Terminos(const FilaTransistor& t) {
  if (t.spice) {
    const ModeloSpice& s = *t.spice;
    return {s.is, s.bf, s.nf, s.xtb.value_or(0), s.xti, s.eg, 25};
  }
  return {0, 0, kEmisionSilicio, 0, kXtiSilicio, kEgSilicio, 25};
}

// The transistor at the ends the figures are bounded at: the least gain and
// the most Vbe at the heaviest load and the coldest ambient (BF with its
// temperature law gives hFE(T) − 1, so that the base takes the load over the
// gain exactly as the library bounds it; IS puts Vbe at its bound at that
// current); or no base current and Vbe near nothing; or the maker's typical.
ModeloQ Transistor(const Diseno& d, Lado ganancia, Lado vbe) {
  const FilaTransistor& t = *d.transistor;
  ModeloQ m = Terminos(t);
  if (ganancia == Lado::Medio && t.spice) return m;
  const double frioC = std::min(d.opciones.tempMinC, 25.0);
  m.temperaturaC = ganancia == Lado::Bajo || vbe == Lado::Alto ? frioC : 25;
  const double razon = (m.temperaturaC - kCeroAbsolutoC) / (25 - kCeroAbsolutoC);
  const double hfe = d.cifras.De(Figura::HfeMin);
  m.bf = ganancia == Lado::Alto ? kGananciaSinBase : (hfe - 1) / std::pow(razon, m.xtb);
  if (vbe == Lado::Bajo) {
    // The most gain the sheet gives, at the hottest ambient: an unloaded
    // emitter floats highest there.
    m.bf = *GananciaMaxima(t);
    m.temperaturaC = d.opciones.tempMaxC;
    m.is = t.spice ? t.spice->is : kSaturacionTipica;
    return m;
  }
  const double vt = TensionTermica(m.temperaturaC);
  const double icA = d.datos.IcMax / kMiliPorUnidad * (1 - 1 / hfe);
  const double isFrio = icA * std::exp(-d.cifras.De(Figura::VbeMax) / (m.nf * vt));
  m.is = isFrio / (std::pow(razon, m.xti / m.nf) * std::exp((razon - 1) * m.eg / (m.nf * vt)));
  return m;
}

// One circuit of the deck: a figure's corner with one member of the part.
struct Malla {
  std::string id;
  Figura figura;
  double vs, r;
  std::optional<double> cargaA;    // a current load...
  std::optional<double> cargaOhm;  // ...or a resistance; neither: disconnected
  Caracteristica zener;
  std::optional<ModeloQ> q;
  std::string descripcion;
};

std::string Netlist(const Malla& m) {
  const std::string& i = m.id;
  const bool seguidor = m.q.has_value();
  const std::string nodo = (seguidor ? "b" : "s") + i;  // the Zener's cathode side
  const std::string salida = (seguidor ? "o" : "s") + i;
  std::string t = "* " + m.descripcion + "\n";
  t += "v" + i + " e" + i + " 0 DC " + N(m.vs) + "\n";
  t += "r" + i + " e" + i + " " + nodo + " " + N(m.r) + "\n";
  t += "vm" + i + " " + nodo + " k" + i + " DC 0\n";  // the Zener's current
  t += "d" + i + " 0 k" + i + " dz" + i + "\n";
  t += TarjetaDiodo("dz" + i, m.zener);
  if (seguidor) {
    t += "vc" + i + " e" + i + " c" + i + " DC 0\n";  // the collector's current
    t += "q" + i + " c" + i + " " + nodo + " " + salida + " q" + i +
         " temp=" + N(m.q->temperaturaC) + "\n";
    t += TarjetaTransistor("q" + i, *m.q);
  }
  if (m.cargaOhm) t += "rl" + i + " " + salida + " 0 " + N(*m.cargaOhm) + "\n";
  if (m.cargaA && *m.cargaA > 0) t += "i" + i + " " + salida + " 0 DC " + N(*m.cargaA) + "\n";
  t += ".nodeset v(" + nodo + ")=" + N(m.zener.v0);
  if (seguidor) t += " v(" + salida + ")=" + N(std::max(m.zener.v0 - 0.6, 0.0));
  return t + "\n";
}

// What a figure reads off its circuit, in the figure's unit.
std::string LecturaDe(const Malla& m) {
  const std::string& i = m.id;
  const bool seguidor = m.q.has_value();
  const std::string nodo = (seguidor ? "v(b" : "v(s") + i + ")";
  switch (m.figura) {
    case Figura::IzMin:
    case Figura::IzMax:
      return "i(vm" + i + ")*1000";
    case Figura::PR:
      return "(v(e" + i + ")-" + nodo + ")^2/" + N(m.r);
    case Figura::PZSinCarga:
    case Figura::PZConIcMin:
      return nodo + "*i(vm" + i + ")";
    case Figura::PTransistor:
      return "(v(c" + i + ")-v(o" + i + "))*i(vc" + i + ")";
    default:
      return seguidor ? "v(o" + i + ")" : "v(s" + i + ")";
  }
}

// The promise a figure's circuit checks, if it checks one: its reading
// against the figure's bound, with the margin where it takes it.
std::string Comprobacion(const Diseno& d, const Malla& m) {
  const DescripcionFigura& f = DescripcionDe(m.figura);
  const auto limite = d.cifras[f.limite];
  if (f.cota == Cota::Ninguna || !limite) return {};
  const bool minimo = f.cota == Cota::Minimo;
  const double margen = f.cota == Cota::MaximoConMargen ? d.opciones.margen : 1;
  const std::string x = "x" + m.id;
  return "if " + N(margen) + "*" + x + (minimo ? " ge " : " le ") + N(*limite) +
         "\n  echo \"cumple " + std::string(f.clave) + " " + m.id + "\"\nelse\n  echo \"FALLA " +
         std::string(f.clave) + " " + m.id + ": " + (minimo ? "menos de " : "más de ") +
         N(*limite) + "\"\n  let fallas = fallas + 1\nend\n";
}

std::vector<double> Entradas(const Diseno& d, Lado lado) {
  const double media = MediaRizadoV(d.opciones);
  switch (lado) {
    case Lado::Bajo:
      return {d.datos.VeMin - media};
    case Lado::Alto:
      return {d.datos.VeMax + media};
    default:
      return {(d.datos.VeMin + d.datos.VeMax) / 2};
  }
}

std::vector<double> Resistencias(const Diseno& d, Lado lado) {
  switch (lado) {
    case Lado::Bajo:
      return {RBaja(d)};
    case Lado::Alto:
      return {RAlta(d)};
    case Lado::Peor:
      return {RBaja(d), RAlta(d)};
    default:
      return {d.cifras.De(Figura::RNominal)};
  }
}

// The load of a corner: a current or the resistance, or none at all.
void Carga(const Diseno& d, CargaEn carga, Malla& m) {
  if (carga == CargaEn::Desconectada && !d.opciones.cargaFija) return;
  if (carga == CargaEn::Desconectada) carga = CargaEn::Minima;
  if (d.opciones.cargaOhm) {
    m.cargaOhm = *d.opciones.cargaOhm;
    return;
  }
  const DatosCircuito& v = d.datos;
  const double ma = carga == CargaEn::Maxima   ? v.IcMax
                    : carga == CargaEn::Minima ? v.IcMin
                                               : (v.IcMin + v.IcMax) / 2;
  // An emitter with no load at all sits where leakage currents of 1e-14 A
  // balance, which no simulator's tolerances resolve: a microampere stands
  // for the least load there is.
  constexpr double kCargaMinimaA = 1e-6;
  const double cargaA = ma / kMiliPorUnidad;
  m.cargaA =
      d.transistor ? std::max(cargaA, std::min(kCargaMinimaA, v.IcMax / kMiliPorUnidad)) : cargaA;
}

// The current the Zener feeds besides itself in a circuit: the load, or the
// follower's base.
Fuente FuenteDelZener(const Malla& m) {
  if (m.cargaOhm) return FuenteConResistencia(m.vs, m.r, *m.cargaOhm);
  const double cargaA = m.cargaA.value_or(0);
  if (!m.q) return FuenteConCarga(m.vs, m.r, cargaA);
  return FuenteConCarga(m.vs, m.r, cargaA / (m.q->bf + 1));
}

struct Miembro {
  Caracteristica c;
  std::string nombre;
};

std::vector<Miembro> Miembros(const Envolvente& env, Lado curva, double vNominal) {
  std::vector<Miembro> miembros;
  if (curva == Lado::Medio) return {{env.Centro(vNominal), "centro"}};
  for (const bool alta : {true, false}) {
    if ((curva == Lado::Alto && !alta) || (curva == Lado::Bajo && alta)) continue;
    for (std::size_t k = 0; k < env.Formas(); ++k) {
      const Caracteristica c = env.Miembro(k, alta);
      miembros.push_back(
          {c, std::string(alta ? "alta_" : "baja_") + std::string(Forma(c.a, c.rs))});
    }
  }
  return miembros;
}

std::string NombreDe(Figura f) {
  std::string nombre(DescripcionDe(f).clave);
  nombre.erase(std::remove(nombre.begin(), nombre.end(), '_'), nombre.end());
  return nombre;
}

std::vector<Malla> Mallas(const Diseno& d, const Envolvente& env) {
  const DescripcionCircuito& circuito = CircuitoDe(d);
  const double vNominal = d.zener ? d.zener->fila->vz : d.datos.VnZener;
  std::vector<Malla> mallas;
  for (std::size_t n = 0; n < circuito.cuantasEsquinas; ++n) {
    const EsquinaDeFigura& e = circuito.esquinas[n];
    if (!d.cifras.Tiene(e.figura)) continue;
    const Esquina& x = e.esquina;
    for (const double vs : Entradas(d, x.entrada)) {
      for (const double r : Resistencias(d, x.r)) {
        for (const Miembro& miembro : Miembros(env, x.curva, vNominal)) {
          Malla m;
          m.id = NombreDe(e.figura) + std::to_string(mallas.size());
          m.figura = e.figura;
          m.vs = vs;
          m.r = r;
          Carga(d, x.carga, m);
          if (d.transistor) {
            m.q = Transistor(d, x.ganancia == Lado::Ninguno ? Lado::Bajo : x.ganancia,
                             x.vbe == Lado::Ninguno ? Lado::Alto : x.vbe);
          }
          m.zener = ParaSpice(miembro.c, env, FuenteDelZener(m));
          m.descripcion = std::string(DescripcionDe(e.figura).nombre) + ": " + N(vs) +
                          " V, R = " + N(r) + " ohm, zener " + miembro.nombre;
          mallas.push_back(std::move(m));
        }
      }
    }
  }
  return mallas;
}

// The chosen parts, each as a subcircuit to reuse: the Zener at the centre
// of what its datasheet allows and at its extremes, the transistor typical.
std::string Subcircuitos(const Diseno& d, const Envolvente& env) {
  std::string t;
  if (const Zener* z = d.ZenerElegido()) {
    std::vector<Miembro> miembros = Miembros(env, Lado::Peor, z->fila->vz);
    miembros.push_back({env.Centro(z->fila->vz), "centro"});
    for (const Miembro& m : miembros) {
      Caracteristica c = m.c;
      if (c.a <= 0) {
        c.a = kHaciaLaExponencial * MayorExponencial(env);
        c.rs *= 1 - kHaciaLaExponencial;
      }
      const std::string nombre = std::string(z->fila->numero) + "_" + m.nombre;
      t += ".subckt " + nombre + " k a\nd1 a k dz\n" + TarjetaDiodo("dz", c) + ".ends " + nombre +
           "\n";
    }
  }
  if (d.transistorElegido && d.transistor->spice) {
    const std::string nombre(d.transistor->numero);
    t += ".subckt " + nombre + " c b e\nq1 c b e q\n" +
         TarjetaTransistor("q", Terminos(*d.transistor)) + ".ends " + nombre + "\n";
  }
  return t;
}

std::string Cabecera(const Diseno& d) {
  const Cifras& c = d.cifras;
  const auto tj = c[Figura::TjZener];
  std::string t = "* " + std::string(CircuitoDe(d).titulo) + "\n";
  t += "* R = " + N(c.De(Figura::RNominal)) + " ohm, tolerancia " + N(d.tolR * 100) + " %";
  t += d.zener ? "; zener " + std::string(d.zener->fila->numero) : "; sin diodo elegido";
  if (d.transistor) t += "; transistor " + std::string(d.transistor->numero);
  t += "\n* Vz a Izt de " + N(c.De(Figura::VzBaja)) + " V a " + N(c.De(Figura::VzAlta)) + " V (" +
       (tj ? "hasta la union a " + N(std::round(*tj * 10) / 10) + " C" : "a 25 C") + ").\n";
  return t +
         "* Cada diodo es una curva V(I) = V(Izt) + a*ln(I/Izt) + RS*(I - Izt) que cumple la\n"
         "* hoja de datos (a/Izt + RS <= Zzt, a/Izk + RS <= Zzk): las esquinas de esa region,\n"
         "* con Vz en lo alto y en lo bajo de su intervalo, dan las tensiones extremas a cada\n"
         "* corriente. IBV = Izt y BV = V(Izt) - RS*Izt ponen la tension en Izt; N = a/Vt da la\n"
         "* exponencial. Una esquina sin exponencial toma un 2 % de ella y pasa por el punto de\n"
         "* trabajo que da el informe. Cada peor caso es un circuito aparte, en la esquina de\n"
         "* entrada, R, carga y curva que lo empeora; el bloque .control imprime cada figura\n"
         "* (\"figura clave circuito valor\") y si cumple su promesa, y barre la entrada del\n"
         "* caso nominal; ngspice -b sale con 0 si se cumple cada promesa, con 1 si no.\n";
}

}  // namespace

std::string InformeSpice(const Diseno& d) {
  if (!d.ConResistencia()) return {};
  const Cifras& c = d.cifras;
  const Envolvente env =
      d.zener ? Envolvente(*d.zener->fila, c.De(Figura::VzBaja), c.De(Figura::VzAlta))
              : Envolvente(c.De(Figura::VzBaja), c.De(Figura::VzAlta));
  std::string t = Cabecera(d);
  t += ".options temp=25 tnom=25 reltol=1e-7 vntol=1e-10 abstol=1e-15\n";
  t += Subcircuitos(d, env);
  const std::vector<Malla> mallas = Mallas(d, env);
  for (const Malla& m : mallas) t += Netlist(m);
  t += ".control\nset numdgt=12\nlet fallas = 0\nop\n";
  for (const Malla& m : mallas) {
    const std::string x = "x" + m.id;
    t += "let " + x + " = " + LecturaDe(m) + "\n";
    t += "echo \"figura " + std::string(DescripcionDe(m.figura).clave) + " " + m.id + " $&" + x +
         "\"\n";
    t += Comprobacion(d, m);
  }
  // The nominal case, swept from where the resistor alone carries a current
  // load (below, the load would pull the output under ground) to the top of
  // the input.
  const auto nominal = std::find_if(mallas.begin(), mallas.end(),
                                    [](const Malla& m) { return m.figura == Figura::VoutNominal; });
  if (nominal != mallas.end()) {
    const double desde = nominal->cargaA.value_or(0) * nominal->r;
    const double hasta = d.datos.VeMax + MediaRizadoV(d.opciones);
    const std::string salida = (nominal->q ? "v(o" : "v(s") + nominal->id + ")";
    t += "dc v" + nominal->id + " " + N(desde) + " " + N(hasta) + " " + N((hasta - desde) / 100) +
         "\nprint " + salida + " i(vm" + nominal->id + ")\n";
  }
  // Its exit status says whether every promise held, for a script to act
  // on; left to itself, batch mode would end with "no simulations run".
  return t + "if fallas > 0\n  quit 1\nend\nquit 0\n.endc\n.end\n";
}

}  // namespace zener
