// The design as a SPICE deck a user can run: the chosen resistor, the part as
// the extreme members of its datasheet envelope, and the worst cases as
// sources and loads. Only the standard diode model's parameters, so that any
// SPICE reads it; ngspice runs it as it is (ngspice -b).
#include <cmath>
#include <string>
#include <vector>

#include "core/Calculo.h"
#include "design/Componentes.h"
#include "design/Diseno.h"
#include "design/Envolvente.h"
#include "design/Texto.h"

namespace zener {

namespace {

// SPICE's thermal voltage at the deck's 25 °C: k·T/q.
constexpr double kVtA25C = 1.380649e-23 * 298.15 / 1.602176634e-19;
// SPICE's diode needs some exponential: a member with none is moved this
// share of the way towards the all-exponential corner, which keeps it inside
// the datasheet's region (it is convex) and lets ngspice converge.
constexpr double kHaciaLaExponencial = 0.02;
constexpr double kSaturacionA = 1e-14;

std::string N(double valor) {
  return NumeroJson(valor);
}

struct Modelo {
  std::string nombre;
  Caracteristica c;
  std::string descripcion;
};

// The members at the band's top ("alta") and foot ("baja") for every corner
// of the impedance region.
std::vector<Modelo> Modelos(const Envolvente& env) {
  static const char* const kFormas[] = {"ideal", "rs", "exp", "ambas"};
  constexpr std::size_t kExponencial = 2;
  std::vector<Modelo> modelos;
  for (const bool alta : {true, false}) {
    for (std::size_t k = 0; k < env.Formas(); ++k) {
      Caracteristica c = env.Miembro(k, alta);
      if (c.a <= 0) {
        // Without a part there is no region: any small exponential will do.
        const double a = env.Formas() > kExponencial ? env.Miembro(kExponencial, alta).a : kVtA25C;
        c.a = kHaciaLaExponencial * a;
        c.rs *= 1 - kHaciaLaExponencial;
      }
      modelos.push_back({std::string(alta ? "zalta_" : "zbaja_") + kFormas[k], c,
                         std::string(alta ? "Vz alta" : "Vz baja") + ", a = " + N(c.a) +
                             " V, RS = " + N(c.rs) + " ohm"});
    }
  }
  return modelos;
}

// IBV = Izt and BV = V0 − RS·Izt put the voltage at Izt at V0; the
// emission coefficient N = a/Vt gives the exponential (SPICE's breakdown
// uses N where no NBV is given).
std::string TarjetaModelo(const Modelo& m) {
  return ".model " + m.nombre + " D(IS=" + N(kSaturacionA) + " N=" + N(m.c.a / kVtA25C) +
         " RS=" + N(m.c.rs) + " BV=" + N(m.c.v0 - m.c.rs * m.c.iztA) + " IBV=" + N(m.c.iztA) +
         ")\n";
}

struct CircuitoDelMazo {
  std::string nombre, descripcion;
  double vs, r;
  double cargaMa;  // unless the load is a resistance
  bool alta;       // which members: the band's top or its foot
};

std::string Circuito(const CircuitoDelMazo& e, const Modelo& m,
                     const std::optional<double>& cargaOhm) {
  const std::string id = e.nombre + "_" + m.nombre.substr(1);
  std::string t = "* " + e.descripcion + "; " + m.descripcion + "\n";
  t += "v" + id + " e" + id + " 0 DC " + N(e.vs) + "\n";
  t += "r" + id + " e" + id + " s" + id + " " + N(e.r) + "\n";
  t += "vm" + id + " s" + id + " k" + id + " DC 0\n";  // measures the Zener's current
  t += "d" + id + " 0 k" + id + " " + m.nombre + "\n";
  if (cargaOhm) {
    t += "rl" + id + " s" + id + " 0 " + N(*cargaOhm) + "\n";
  } else if (e.cargaMa > 0) {
    t += "i" + id + " s" + id + " 0 DC " + N(e.cargaMa / kMiliPorUnidad) + "\n";
  }
  t += ".nodeset v(s" + id + ")=" + N(m.c.v0) + "\n";
  return t;
}

}  // namespace

std::string InformeSpice(const Diseno& d) {
  std::string t = "* Regulador con diodo zener y resistencia en serie\n";
  if (!d.ConResistencia()) {
    t += "* Sin resistencia elegida: no hay circuito que simular.\n";
    for (const Motivo& motivo : d.motivos) t += "* " + TextoDe(motivo) + "\n";
    return t + ".end\n";
  }
  const Cifras& c = d.cifras;
  const DatosCircuito& v = d.datos;
  const double media = d.opciones.rizadoMv.value_or(0) / kMiliPorUnidad / 2;
  const double rNominal = c.De(Figura::RNominal);
  const double rAlta = RAlta(d);
  const double rBaja = RBaja(d);
  const double bajo = c.De(Figura::VzBaja), alto = c.De(Figura::VzAlta);
  const Envolvente env = d.zener ? Envolvente(*d.zener->fila, bajo, alto) : Envolvente(bajo, alto);
  const auto tj = c[Figura::TjZener];
  t += "* R = " + N(rNominal) + " ohm, tolerancia " + N(d.tolR * 100) + " %";
  t += d.zener ? "; zener " + std::string(d.zener->fila->numero) : "; sin diodo elegido";
  t += "\n* Vz a Izt de " + N(bajo) + " V a " + N(alto) + " V (" +
       (tj ? "hasta la union a " + N(std::round(*tj * 10) / 10) + " C" : "a 25 C") + ").\n";
  t += "* Cada diodo es una curva V(I) = V(Izt) + a*ln(I/Izt) + RS*(I - Izt) que cumple la\n"
       "* hoja de datos (a/Izt + RS <= Zzt, a/Izk + RS <= Zzk): las esquinas de esa region,\n"
       "* con Vz en lo alto y en lo bajo de su intervalo, dan las tensiones extremas a cada\n"
       "* corriente. IBV = Izt y BV = V(Izt) - RS*Izt ponen la tension en Izt; N = a/Vt da la\n"
       "* exponencial. Los circuitos son independientes: .op da cada esquina (la corriente\n"
       "* del zener es la de vm...), y .dc barre la entrada del caso nominal.\n";
  t += ".options temp=25 tnom=25\n";
  const std::vector<Modelo> modelos = Modelos(env);
  for (const Modelo& m : modelos) t += TarjetaModelo(m);
  const CircuitoDelMazo esquinas[] = {
      {"izmin", "Iz min y Vout min: VeMin - rizado/2, R alta, carga IcMax", v.VeMin - media, rAlta,
       v.IcMax, true},
      {"vbaja", "Vout min: VeMin - rizado/2, R alta, carga IcMax", v.VeMin - media, rAlta, v.IcMax,
       false},
      {"izmax", "Iz max y P Z: VeMax + rizado/2, R baja, carga desconectada", v.VeMax + media,
       rBaja, 0, false},
      {"pzalta", "P Z: VeMax + rizado/2, R baja, carga desconectada", v.VeMax + media, rBaja, 0,
       true},
      {"vmax", "Vout max y P Z con carga: VeMax + rizado/2, R baja, carga IcMin", v.VeMax + media,
       rBaja, v.IcMin, true},
      {"pr", "P R: VeMax + rizado/2, R baja, carga IcMax", v.VeMax + media, rBaja, v.IcMax, false},
  };
  for (const CircuitoDelMazo& e : esquinas) {
    for (const Modelo& m : modelos) {
      if ((m.nombre[1] == 'a') != e.alta) continue;
      t += Circuito(e, m, d.opciones.cargaOhm);
    }
  }
  // The nominal case, for the sweep: mid load, nominal R and part.
  const Caracteristica centro = env.Centro(d.zener ? d.zener->fila->vz : v.VnZener);
  const Modelo nominal{"znominal", centro, "nominal"};
  t += TarjetaModelo(
      {nominal.nombre, {centro.v0, centro.a > 0 ? centro.a : kVtA25C, centro.rs, centro.iztA}, ""});
  t += Circuito({"nominal", "Nominal: entrada y carga a medio camino, R nominal",
                 (v.VeMin + v.VeMax) / 2, rNominal, (v.IcMin + v.IcMax) / 2, true},
                nominal, d.opciones.cargaOhm);
  t += ".op\n";
  // The sweep starts where the resistor alone carries a load current: below
  // that a current load would draw from nothing, pulling the output below
  // ground and the diode forward, no operating point of the design and one
  // ngspice cannot always solve beside the other circuits.
  const double desde =
      d.opciones.cargaOhm ? 0 : (v.IcMin + v.IcMax) / 2 / kMiliPorUnidad * rNominal;
  const double hasta = v.VeMax + media;
  t += ".dc vnominal_nominal " + N(desde) + " " + N(hasta) + " " + N((hasta - desde) / 100) + "\n";
  t += ".print dc v(snominal_nominal) i(vmnominal_nominal)\n";
  return t + ".end\n";
}

}  // namespace zener
