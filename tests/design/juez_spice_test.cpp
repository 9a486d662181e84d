// ngspice judges the design library: for every design it calls buildable,
// the circuit is simulated with diode models that meet every figure of the
// chosen part's datasheet (the corners of what the datasheet allows, built
// here from the part's row, and a random part inside it), at the worst
// corners of input, resistor and load and at random points between them.
// Every simulated current, power, temperature, output voltage and change of
// the output with the input and the load must lie inside what the library
// states, within 0,1 %.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <limits>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "Disenos.h"
#include "design/Componentes.h"
#include "design/Diseno.h"
#include "design/Muestreo.h"
#include "design/Transistores.h"

namespace zener {
namespace {

constexpr double kTolerancia = 1e-3;  // 0,1 %
constexpr double kVt25C = 1.380649e-23 * 298.15 / 1.602176634e-19;
constexpr double kHaciaLaExponencial = 0.02;
constexpr int kDisenosAlAzar = 2400;
// ngspice's time grows faster than the circuits in one deck: many small
// decks run far faster than one large one.
constexpr std::size_t kCircuitosPorMazo = 1000;

// One part the datasheet allows: V(I) = v0 + a·ln(I/Izt) + rs·(I − Izt).
struct Parte {
  double v0, a, rs, izt;
};

// The corners of {a ≥ 0, rs ≥ 0, a/Izt + rs ≤ Zzt, a/Izk + rs ≤ Zzk}, those
// without exponential moved 2 % towards the all-exponential corner (ngspice
// needs some; the region is convex), and a random point inside it.
std::vector<std::pair<double, double>> Formas(const FilaZener& f, std::mt19937& azar) {
  const double izt = f.iztMa / 1000, izk = f.izkMa / 1000;
  const double aMax = std::min(f.zztOhm * izt, f.zzkOhm * izk);
  const double rsMax = std::min(f.zztOhm, f.zzkOhm);
  const double l = kHaciaLaExponencial;
  std::vector<std::pair<double, double>> formas = {
      {l * aMax, 0}, {l * aMax, (1 - l) * rsMax}, {aMax, 0}};
  const double a = (f.zzkOhm - f.zztOhm) / (1 / izk - 1 / izt);
  if (a > 0 && f.zztOhm - a / izt > 0) formas.push_back({a, f.zztOhm - a / izt});
  std::uniform_real_distribution<double> uno(0, 1);
  double u = uno(azar), v = uno(azar);
  if (u + v > 1) u = 1 - u, v = 1 - v;  // a point of the triangle of the first three
  formas.push_back({(1 - u - v) * formas[0].first + u * formas[1].first + v * formas[2].first,
                    (1 - u - v) * formas[0].second + u * formas[1].second + v * formas[2].second});
  return formas;
}

// A part at the centre of that region: the mean of its true corners, the
// nominal part the library states its nominal output with.
std::pair<double, double> Centro(const FilaZener& f) {
  const double izt = f.iztMa / 1000, izk = f.izkMa / 1000;
  std::vector<std::pair<double, double>> esquinas = {
      {0, 0}, {0, std::min(f.zztOhm, f.zzkOhm)}, {std::min(f.zztOhm * izt, f.zzkOhm * izk), 0}};
  const double a = (f.zzkOhm - f.zztOhm) / (1 / izk - 1 / izt);
  if (a > 0 && f.zztOhm - a / izt > 0) esquinas.push_back({a, f.zztOhm - a / izt});
  std::pair<double, double> centro{0, 0};
  for (const auto& [ea, ers] : esquinas) {
    centro.first += ea / esquinas.size();
    centro.second += ers / esquinas.size();
  }
  return centro;
}

// Vz at Izt from the coldest ambient to the stated junction temperature,
// with 25 °C, where the datasheet states it.
std::pair<double, double> Banda(const FilaZener& f, const FamiliaZener& familia, double desde,
                                double hasta) {
  double bajo = f.vzMin, alto = f.vzMax;
  if (familia.conCoeficiente) {
    for (const double t : {desde, hasta}) {
      for (const double tc : {f.tcMin, f.tcMax}) {
        bajo = std::min(bajo, f.vzMin * (1 + tc / 100 * (t - 25)));
        alto = std::max(alto, f.vzMax * (1 + tc / 100 * (t - 25)));
      }
    }
  }
  return {bajo, alto};
}

// One transistor its datasheet allows, as a Gummel–Poon card, at its
// junction's temperature: the follower's.
struct Transistor {
  double bf, is, nf, xtb, xti, eg, temperaturaC;
};

// One circuit: a source, the resistor, the part, and the load as a current
// or a resistance; with a transistor, the load is on its emitter.
struct Circuito {
  std::size_t diseno;
  // 'm' least current, 'M' most, 'c' with IcMin, 'r' resistor, 'x' inside, 'n' nominal;
  // 'l' the input and 'k' the load moved a step from circuit `base`.
  char que;
  double vs, r, cargaA, cargaOhm;
  Parte parte;
  std::size_t base = 0;
  double paso = 0;
  std::optional<Transistor> q = std::nullopt;
};

// The regulation figures are bounds on the change of the output: a step of
// the input, and of the load current down (the Zener's current rises, so its
// impedance stays within the bound), from a circuit already listed.
constexpr double kPasoEntrada = 0.01;  // of the input voltage
constexpr double kPasoCargaA = 1e-4;

void AnadirPasos(std::vector<Circuito>& circuitos, bool cargaEnCorriente) {
  const std::size_t base = circuitos.size() - 1;
  Circuito entrada = circuitos[base];
  entrada.que = 'l';
  entrada.base = base;
  entrada.paso = kPasoEntrada * entrada.vs;
  entrada.vs += entrada.paso;
  circuitos.push_back(entrada);
  if (!cargaEnCorriente || circuitos[base].cargaA < kPasoCargaA) return;
  Circuito carga = circuitos[base];
  carga.que = 'k';
  carga.base = base;
  carga.paso = kPasoCargaA;
  carga.cargaA -= kPasoCargaA;
  circuitos.push_back(carga);
}

// The output, the Zener's current; with a transistor, the base's voltage
// and the collector's current.
struct Simulado {
  double v, i, vb = 0, ic = 0;
};

std::string Numero(double x) {
  std::ostringstream s;
  s.precision(17);
  s << x;
  return s.str();
}

std::string Mazo(const std::vector<Circuito>& circuitos, std::size_t desde, std::size_t hasta) {
  // Tolerances far below the default 0,1 %, and every value printed with
  // 15 digits, not .op's 7: a regulation figure is a difference of two
  // operating points, which either would move by a percent.
  std::string t = "* juez\n.options temp=25 tnom=25 reltol=1e-7 vntol=1e-10 abstol=1e-15\n";
  for (std::size_t k = desde; k < hasta; ++k) {
    const Circuito& c = circuitos[k];
    const std::string n = std::to_string(k);
    const Parte& p = c.parte;
    t += ".model m" + n + " D(IS=1e-14 N=" + Numero(p.a / kVt25C) + " RS=" + Numero(p.rs) +
         " BV=" + Numero(p.v0 - p.rs * p.izt) + " IBV=" + Numero(p.izt) + ")\n";
    t += "v" + n + " e" + n + " 0 DC " + Numero(c.vs) + "\n";
    t += "r" + n + " e" + n + " s" + n + " " + Numero(c.r) + "\n";
    t += "vm" + n + " s" + n + " k" + n + " DC 0\n";
    t += "d" + n + " 0 k" + n + " m" + n + "\n";
    const std::string salida = (c.q ? "o" : "s") + n;
    if (c.q) {
      const Transistor& q = *c.q;
      t += "vc" + n + " e" + n + " c" + n + " DC 0\n";
      t += "q" + n + " c" + n + " s" + n + " o" + n + " q" + n + " temp=" + Numero(q.temperaturaC) +
           "\n";
      t += ".model q" + n + " NPN(IS=" + Numero(q.is) + " BF=" + Numero(q.bf) +
           " NF=" + Numero(q.nf) + " XTB=" + Numero(q.xtb) + " XTI=" + Numero(q.xti) +
           " EG=" + Numero(q.eg) + ")\n";
    }
    if (c.cargaOhm > 0) t += "rl" + n + " " + salida + " 0 " + Numero(c.cargaOhm) + "\n";
    if (c.cargaA > 0) t += "i" + n + " " + salida + " 0 DC " + Numero(c.cargaA) + "\n";
    t += ".nodeset v(s" + n + ")=" + Numero(p.v0);
    if (c.q) t += " v(o" + n + ")=" + Numero(p.v0 - 0.7);
    t += "\n";
  }
  return t + ".control\nset numdgt=15\nop\nprint all\n.endc\n.end\n";
}

// Runs ngspice on a deck and reads back every value it prints as a name and
// a number: node voltages and source currents. The deck is named after the
// test, so that tests run side by side do not write each other's.
std::map<std::string, double> Ngspice(const std::string& mazo, std::string& texto) {
  const std::string ruta = std::string(ZENER_DIR_TEMPORAL) + "/juez-" +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".cir";
  std::ofstream(ruta) << mazo;
  texto.clear();
  // Its notes on standard error would cut into the values: apart, and
  // after them in the text a failure shows.
  const std::string errores = ruta + ".err";
  FILE* tubo = popen(("ngspice -b " + ruta + " 2>" + errores).c_str(), "r");
  if (!tubo) return {};
  char trozo[1 << 16];
  for (std::size_t n; (n = fread(trozo, 1, sizeof trozo, tubo)) > 0;) texto.append(trozo, n);
  const int estado = pclose(tubo);
  std::istringstream lineas(texto);
  texto += std::string(std::istreambuf_iterator<char>(std::ifstream(errores).rdbuf()), {});
  texto += "\nngspice salió con " + std::to_string(WIFEXITED(estado) ? WEXITSTATUS(estado) : -1);
  std::map<std::string, double> valores;
  for (std::string linea; std::getline(lineas, linea);) {
    std::istringstream campos(linea);
    // "name value" as .op prints it, or "name = value" as print does.
    std::string nombre, igual;
    double valor;
    if (!(campos >> nombre)) continue;
    if (campos.peek(), campos >> std::ws, campos.peek() == '=') campos >> igual;
    if (campos >> valor) valores[nombre] = valor;
  }
  return valores;
}

// Simulates the circuits [desde, hasta): each output voltage and Zener
// current.
bool Simular(const std::vector<Circuito>& circuitos, std::size_t desde, std::size_t hasta,
             std::vector<Simulado>& salida, std::string& error) {
  std::string texto;
  const auto valores = Ngspice(Mazo(circuitos, desde, hasta), texto);
  auto leer = [&](const std::string& nombre, double& destino) {
    const auto v = valores.find(nombre);
    if (v == valores.end() || !std::isfinite(v->second)) return false;
    destino = v->second;
    return true;
  };
  for (std::size_t k = desde; k < hasta; ++k) {
    const std::string n = std::to_string(k);
    Simulado& s = salida[k];
    const bool seguidor = circuitos[k].q.has_value();
    const bool leido = leer((seguidor ? "o" : "s") + n, s.v) && leer("vm" + n + "#branch", s.i) &&
                       (!seguidor || (leer("s" + n, s.vb) && leer("vc" + n + "#branch", s.ic)));
    if (!leido) {
      error = "ngspice no dio el circuito " + n + ": " + texto.substr(0, 2000);
      return false;
    }
  }
  return true;
}

struct Caso {
  std::string nombre;
  DatosCircuito valores;
  OpcionesDiseno opciones;
};

Caso ConOpciones(std::string nombre, DatosCircuito v,
                 const std::function<void(OpcionesDiseno&)>& f) {
  Caso c{std::move(nombre), v, {}};
  f(c.opciones);
  return c;
}

// The designs of the findings, and the edges: low-voltage BZX79 above Izt,
// the 1N53xxB far below Izt, ripple, temperature, a given resistor, a load
// resistance, the finest series.
std::vector<Caso> CasosDeBorde() {
  auto nada = [](OpcionesDiseno&) {};
  return {
      ConOpciones("12 14 10 40 5,1 15 --margen 1", Valores(12, 14, 10, 40, 5.1, 15),
                  [](auto& o) { o.margen = 1; }),
      ConOpciones("5,806 6,917 0 13,941 3,6 19,455", Valores(5.806, 6.917, 0, 13.941, 3.6, 19.455),
                  nada),
      ConOpciones("9,3 18,6 0 40 3,3 5 --margen 1", Valores(9.3, 18.6, 0, 40, 3.3, 5),
                  [](auto& o) { o.margen = 1; }),
      ConOpciones("4,2 5 0 10 3,3 1 -40..85 °C", Valores(4.2, 5, 0, 10, 3.3, 1),
                  [](auto& o) {
                    o.tempMinC = -40;
                    o.tempMaxC = 85;
                  }),
      ConOpciones("30 35 0 10 24 3 --rizado 4000", Valores(30, 35, 0, 10, 24, 3),
                  [](auto& o) { o.rizadoMv = 4000; }),
      ConOpciones("1N53 lejos de Izt", Valores(14, 16, 0, 20, 12, 2),
                  [](auto& o) { o.familia = Familia::N53; }),
      ConOpciones("BZX79C12 caliente", Valores(24, 26, 0, 5, 12, 5),
                  [](auto& o) {
                    o.familia = Familia::BZX79;
                    o.margen = 1;
                  }),
      ConOpciones("--r 150", Valores(12, 15, 5, 20, 5.1, 5), [](auto& o) { o.rOhm = 150; }),
      ConOpciones("--carga-ohm 270", Valores(12, 15, 0, 0, 5.1, 5),
                  [](auto& o) { o.cargaOhm = 270; }),
      ConOpciones("E192 sin tolerancia", Valores(6.34, 11.05, 27, 188, 3.3, 17),
                  [](auto& o) {
                    o.serie = Serie::E192;
                    o.tolR = 0;
                  }),
      ConOpciones("12 15 5 20 5,1 5", Valores(12, 15, 5, 20, 5.1, 5), nada),
      ConOpciones("9 12 0 20 5,1 5 --montaje smd", Valores(9, 12, 0, 20, 5.1, 5),
                  [](auto& o) { o.montaje = Montaje::Smd; }),
      ConOpciones("9 12 0 20 5,1 5 --montaje tht", Valores(9, 12, 0, 20, 5.1, 5),
                  [](auto& o) { o.montaje = Montaje::Tht; }),
      // The soft knees below 3,3 V, and the tops of the tables.
      ConOpciones("4,5 5,5 0 5 2,7 1", Valores(4.5, 5.5, 0, 5, 2.7, 1), nada),
      ConOpciones("4,5 5,5 0 5 2,4 1 --montaje tht", Valores(4.5, 5.5, 0, 5, 2.4, 1),
                  [](auto& o) { o.montaje = Montaje::Tht; }),
      ConOpciones("60 62 0 5 39 1", Valores(60, 62, 0, 5, 39, 1), nada),
      ConOpciones("230 232 0 2 150 1", Valores(230, 232, 0, 2, 150, 1), nada),
  };
}

std::vector<Caso> CasosAlAzar() {
  std::vector<const FilaZener*> filas;
  for (const FamiliaZener& f : kFamilias) {
    for (std::size_t i = 0; i < f.cuantas; ++i) filas.push_back(&f.filas[i]);
  }
  std::mt19937 azar(19);
  std::uniform_int_distribution<std::size_t> cual(0, filas.size() - 1);
  std::uniform_real_distribution<double> uno(0, 1);
  std::vector<Caso> casos;
  for (int n = 0; n < kDisenosAlAzar; ++n) {
    const double vz = filas[cual(azar)]->vz;
    Caso c{"al azar " + std::to_string(n), {}, {}};
    OpcionesDiseno& o = c.opciones;
    o.serie = static_cast<Serie>(n % 6);
    // Every mounting, so that each family and resistor kind has its turn.
    o.montaje = static_cast<Montaje>(n / 6 % 3);
    o.margen = 1 + uno(azar);
    if (uno(azar) < 0.25) o.rizadoMv = uno(azar) * 1000 * std::min(vz / 4, 3.0);
    if (uno(azar) < 0.3) {
      o.tempMinC = -40 + 60 * uno(azar);
      o.tempMaxC = 25 + 60 * uno(azar);
    }
    const double veMin = vz + 0.5 + o.rizadoMv.value_or(0) / 2000 + uno(azar) * vz;
    const double veMax = veMin + uno(azar) * vz;
    const double icMax = uno(azar) * 100 * (n % 3 == 0 ? 3 : 0.5);
    c.valores = Valores(veMin, veMax, icMax * uno(azar), icMax, vz, 1 + uno(azar) * 20);
    if (n % 11 == 0 && icMax > 1) o.cargaOhm = vz / icMax * 1000;
    casos.push_back(c);
  }
  return casos;
}

struct Margen {
  std::string promesa;
  std::vector<double> margenes;  // (stated − simulated) / stated, for a bound from above
};

// The promises judged, each with its margins; the first failures show their
// design and circuit.
class Juicio {
 public:
  explicit Juicio(std::map<char, Margen> margenes) : margenes_(std::move(margenes)) {}

  void Anotar(char promesa, double prometido, double simulado, const std::string& caso,
              const Circuito& c) {
    constexpr int kFallosMostrados = 20;
    const double margen = (prometido - simulado) / std::fabs(prometido);
    margenes_[promesa].margenes.push_back(margen);
    if (margen >= -kTolerancia || ++fallos_ > kFallosMostrados) return;
    ADD_FAILURE() << caso << ": " << margenes_[promesa].promesa << " prometido " << prometido
                  << ", simulado " << simulado << " (" << c.que << ", Vs " << c.vs << ", R " << c.r
                  << ", v0 " << c.parte.v0 << ", a " << c.parte.a << ", RS " << c.parte.rs
                  << (c.q ? ", BF " + Numero(c.q->bf) + ", IS " + Numero(c.q->is) : "") << ")";
  }

  void Concluir(int construibles, std::size_t disenos, std::size_t circuitos) {
    EXPECT_EQ(fallos_, 0) << "figuras que el simulador desmiente";
    std::cout << construibles << " diseños construibles de " << disenos << ", " << circuitos
              << " circuitos simulados.\n"
              << "Margen (prometido − simulado) / prometido, por promesa: peor, 1 %, mediana\n";
    for (auto& [clave, m] : margenes_) {
      if (m.margenes.empty()) continue;
      std::sort(m.margenes.begin(), m.margenes.end());
      const auto cuantil = [&](double q) {
        return m.margenes[std::size_t(q * (m.margenes.size() - 1))];
      };
      std::printf("  %-34s %9.5f %%  %9.5f %%  %9.5f %%  (%zu)\n", m.promesa.c_str(),
                  100 * m.margenes.front(), 100 * cuantil(0.01), 100 * cuantil(0.5),
                  m.margenes.size());
    }
  }

 private:
  std::map<char, Margen> margenes_;
  int fallos_ = 0;
};

// Simulates every circuit in decks of `porMazo`.
std::vector<Simulado> SimularTodos(const std::vector<Circuito>& circuitos,
                                   std::size_t porMazo = kCircuitosPorMazo) {
  std::vector<Simulado> simulados(circuitos.size());
  for (std::size_t desde = 0; desde < circuitos.size(); desde += porMazo) {
    std::string error;
    if (!Simular(circuitos, desde, std::min(desde + porMazo, circuitos.size()), simulados, error)) {
      ADD_FAILURE() << error;
      return {};
    }
  }
  return simulados;
}

TEST(JuezSpice, LoQueSePrometeSeCumpleEnElSimulador) {
  std::vector<Caso> casos = CasosDeBorde();
  const std::size_t bordes = casos.size();
  for (Caso& c : CasosAlAzar()) casos.push_back(std::move(c));

  // The designs: given resistors again at a neighbour of the chosen one, so
  // that --r is judged on its own worst case too.
  std::vector<Diseno> disenos;
  std::mt19937 azar(7);
  std::uniform_real_distribution<double> uno(0, 1);
  for (std::size_t n = 0; n < casos.size(); ++n) {
    Diseno d = Disenar(casos[n].valores, casos[n].opciones);
    if (n >= bordes && n % 7 == 0 && d.construible) {
      OpcionesDiseno o = casos[n].opciones;
      o.rOhm = d.cifras.De(Figura::RNominal) * (0.8 + 0.2 * uno(azar));
      d = Disenar(casos[n].valores, o);
    }
    disenos.push_back(std::move(d));
  }

  std::vector<Circuito> circuitos;
  int construibles = 0;
  for (std::size_t n = 0; n < disenos.size(); ++n) {
    const Diseno& d = disenos[n];
    if (!d.construible) continue;
    ++construibles;
    const DatosCircuito& v = d.datos;
    const OpcionesDiseno& o = d.opciones;
    const FilaZener& fila = *d.zener->fila;
    const auto [bajo, alto] =
        Banda(fila, *d.zener->familia, o.tempMinC, d.cifras.De(Figura::TjZener));
    const double media = o.rizadoMv.value_or(0) / 2000;
    const double r = d.cifras.De(Figura::RNominal);
    const double rl = o.cargaOhm.value_or(0);
    auto carga = [&](double ma) { return o.cargaOhm ? 0 : ma / 1000; };
    const double izt = fila.iztMa / 1000;
    const bool regula = d.origenZz == OrigenZz::Envolvente;
    for (const auto& [a, rs] : Formas(fila, azar)) {
      const Parte altaP{alto, a, rs, izt}, bajaP{bajo, a, rs, izt};
      for (const Parte& p : {altaP, bajaP}) {
        circuitos.push_back({n, 'm', v.VeMin - media, r * (1 + d.tolR), carga(v.IcMax), rl, p});
        if (regula) AnadirPasos(circuitos, !o.cargaOhm);
      }
      for (const Parte& p : {altaP, bajaP}) {
        circuitos.push_back({n, 'M', v.VeMax + media, r * (1 - d.tolR), 0, 0, p});
        // The regulation figures are for the load connected.
        circuitos.push_back({n, 'c', v.VeMax + media, r * (1 - d.tolR), carga(v.IcMin), rl, p});
        if (regula) AnadirPasos(circuitos, false);
        for (const double rr : {r * (1 - d.tolR), r * (1 + d.tolR)}) {
          circuitos.push_back({n, 'r', v.VeMax + media, rr, carga(v.IcMax), rl, p});
        }
      }
      // A random point of the operating range, with a random part of the band.
      const Parte dentro{bajo + (alto - bajo) * uno(azar), a, rs, izt};
      const double vs = v.VeMin - media + (v.VeMax - v.VeMin + 2 * media) * uno(azar);
      circuitos.push_back({n, 'x', vs, r * (1 + d.tolR * (2 * uno(azar) - 1)),
                           carga(v.IcMin + (v.IcMax - v.IcMin) * uno(azar)), rl, dentro});
    }
    // The nominal output: mid input and load, nominal R, the centre part.
    const auto [aCentro, rsCentro] = Centro(fila);
    circuitos.push_back({n,
                         'n',
                         (v.VeMin + v.VeMax) / 2,
                         r,
                         carga((v.IcMin + v.IcMax) / 2),
                         rl,
                         {fila.vz, aCentro, rsCentro, izt}});
  }
  ASSERT_GT(construibles, 600);
  // The rows below 3,3 V and above 30 V are judged too, not only drawn.
  const auto cuantos = [&](auto en) {
    return std::count_if(disenos.begin(), disenos.end(),
                         [&](const Diseno& d) { return d.construible && en(d.zener->fila->vz); });
  };
  const auto bajos = cuantos([](double vz) { return vz < 3.3; });
  const auto altos = cuantos([](double vz) { return vz > 30; });
  EXPECT_GT(bajos, 0);
  EXPECT_GT(altos, 0);

  const std::vector<Simulado> simulados = SimularTodos(circuitos);
  ASSERT_EQ(simulados.size(), circuitos.size());

  Juicio juicio({{'m', {"Iz mín ≥ la prometida y ≥ IzMin", {}}},
                 {'M', {"Iz máx", {}}},
                 {'z', {"P Z", {}}},
                 {'r', {"P R", {}}},
                 {'t', {"Tj", {}}},
                 {'b', {"Vout mín", {}}},
                 {'a', {"Vout máx", {}}},
                 {'g', {"regulación de línea", {}}},
                 {'h', {"regulación de carga", {}}},
                 {'n', {"Vout nominal, ± el simulado", {}}},
                 {'p', {"P R × margen ≤ la de la pieza", {}}},
                 {'u', {"V R ≤ la de la pieza", {}}},
                 {'v', {"V R ≤ la máxima prometida", {}}}});
  std::map<std::size_t, double> pzSimulada;
  auto anotar = [&](char promesa, double prometido, double simulado, const Circuito& c) {
    juicio.Anotar(promesa, prometido, simulado, casos[c.diseno].nombre, c);
  };
  for (std::size_t k = 0; k < circuitos.size(); ++k) {
    const Circuito& c = circuitos[k];
    const Diseno& d = disenos[c.diseno];
    const Cifras& e = d.cifras;
    const Simulado& s = simulados[k];
    const double iMa = s.i * 1000;
    const double pz = s.v * s.i;
    // A step past the worst input is no operating point of the design.
    const bool enSuIntervalo = c.que != 'l' && c.que != 'k';
    if (enSuIntervalo && c.que != 'n') pzSimulada[c.diseno] = std::max(pzSimulada[c.diseno], pz);
    // The resistor part the parts list orders, at every operating point.
    const ResistenciaComercial& pieza = *d.resistencia;
    const double vr = c.vs - s.v;
    if (enSuIntervalo) {
      anotar('p', pieza.potenciaW * d.cifras.De(Figura::FactorR), d.opciones.margen * vr * vr / c.r,
             c);
      anotar('u', pieza.tensionMaxV, vr, c);
      anotar('v', d.cifras.De(Figura::VRMax), vr, c);
    }
    switch (c.que) {
      case 'm':
        anotar('m', -std::max(e.De(Figura::IzMin), d.datos.IzMin), -iMa, c);
        anotar('b', -e.De(Figura::VoutMin), -s.v, c);
        break;
      case 'M':
        anotar('M', e.De(Figura::IzMax), iMa, c);
        anotar('z', e.De(Figura::PZSinCarga), pz, c);
        break;
      case 'c':
        anotar('z', e.De(Figura::PZConIcMin), pz, c);
        anotar('a', e.De(Figura::VoutMax), s.v, c);
        break;
      case 'r':
        anotar('r', e.De(Figura::PR), (c.vs - s.v) * (c.vs - s.v) / c.r, c);
        break;
      case 'l':
        anotar('g', d.cifras.De(Figura::Linea) / 1000, (s.v - simulados[c.base].v) / c.paso, c);
        break;
      case 'k':
        anotar('h', d.cifras.De(Figura::Carga), (s.v - simulados[c.base].v) / c.paso, c);
        break;
      case 'n':  // a figure, not a bound: as far off either way
        anotar('n', d.cifras.De(Figura::VoutNominal),
               d.cifras.De(Figura::VoutNominal) + std::fabs(d.cifras.De(Figura::VoutNominal) - s.v),
               c);
        break;
      case 'x':
        anotar('m', -d.datos.IzMin, -iMa, c);
        anotar('M', e.De(Figura::IzMax), iMa, c);
        anotar('z', e.De(Figura::PZSinCarga), pz, c);
        anotar('b', -e.De(Figura::VoutMin), -s.v, c);
        anotar('a', e.De(Figura::VoutMax), s.v, c);
        break;
    }
  }
  for (const auto& [n, pz] : pzSimulada) {
    const Diseno& d = disenos[n];
    const double tj = d.opciones.tempMaxC + pz * d.zener->familia->rthKPorW;
    juicio.Anotar('t', d.cifras.De(Figura::TjZener), tj, casos[n].nombre, circuitos.front());
  }
  juicio.Concluir(construibles, disenos.size(), circuitos.size());
}

// The follower's random designs: every Zener row, rails 1,2 to 3 times its
// voltage, loads up to 1 A drawn mostly small, every mounting, margins 1 to
// 2, some ripple, some ambient range; each transistor forced in turn now and
// then, so that every row has its designs.
std::vector<Caso> CasosDelSeguidor(int cuantos) {
  std::vector<const FilaZener*> filas;
  for (const FamiliaZener& f : kFamilias) {
    for (std::size_t i = 0; i < f.cuantas; ++i) filas.push_back(&f.filas[i]);
  }
  std::mt19937 azar(23);
  std::uniform_int_distribution<std::size_t> cual(0, filas.size() - 1);
  std::uniform_real_distribution<double> uno(0, 1);
  std::vector<Caso> casos;
  for (int n = 0; n < cuantos; ++n) {
    const double vz = filas[cual(azar)]->vz;
    Caso c{"seguidor al azar " + std::to_string(n), {}, {}};
    OpcionesDiseno& o = c.opciones;
    o.circuito = zener::Circuito::Seguidor;
    o.serie = static_cast<Serie>(n % 6);
    o.montaje = static_cast<Montaje>(n / 6 % 3);
    if (n % 4 == 0) {
      const FilaTransistor& t = kTransistores[n / 4 % kTransistores.size()];
      o.transistor = &t;
      o.montaje = t.encapsulado.montaje;
    }
    o.margen = 1 + uno(azar);
    if (uno(azar) < 0.25) o.rizadoMv = uno(azar) * 1000 * std::min(vz / 4, 3.0);
    if (uno(azar) < 0.25) {
      o.tempMinC = -40 + 60 * uno(azar);
      o.tempMaxC = 25 + 50 * uno(azar);
    }
    const double veMin = vz * (1.2 + 0.8 * uno(azar)) + 1 + o.rizadoMv.value_or(0) / 2000;
    const double veMax = veMin * (1 + 0.3 * uno(azar));
    const double icMax = 1000 * std::pow(uno(azar), 2);
    c.valores = Valores(veMin, veMax, icMax * uno(azar) * (n % 2), icMax, vz, 1 + uno(azar) * 10);
    casos.push_back(c);
  }
  return casos;
}

// The row's transistor at its ends, as parts its datasheet allows: the
// least gain the library bounds it by at 25 °C, moved to the coldest
// ambient by SPICE's own temperature law with the maker's XTB, and Vbe at the
// sheet's Vbe(on) maximum at the sheet's test current, moved by SPICE's own
// saturation-current law with the maker's XTI and EG; or the most gain the
// sheet gives, at the hottest ambient, with a saturation current a
// thousand times the typical one (Vbe low); or anything between.
Transistor Terminos(const FilaTransistor& t) {
  if (t.spice) return {0, 0, t.spice->nf, t.spice->xtb.value_or(0), t.spice->xti, t.spice->eg, 25};
  return {0, 0, 1, 0, 3, 1.11, 25};
}

Transistor Minimo(const FilaTransistor& t, double icA, double frioC) {
  Transistor q = Terminos(t);
  q.bf = *GananciaMinima(t, icA, 25);
  q.is = t.vbeOnMax.icA * std::exp(-t.vbeOnMax.vbeV / (q.nf * kVt25C));
  q.temperaturaC = std::min(frioC, 25.0);
  return q;
}

Transistor Maximo(const FilaTransistor& t, double calorC) {
  Transistor q = Terminos(t);
  q.bf = *GananciaMaxima(t);
  q.is = 1e-11;
  q.temperaturaC = calorC;
  return q;
}

Transistor Entre(const Transistor& a, const Transistor& b, std::mt19937& azar) {
  std::uniform_real_distribution<double> uno(0, 1);
  Transistor q = a;
  q.bf = a.bf + (b.bf - a.bf) * uno(azar);
  q.is = std::exp(std::log(a.is) + (std::log(b.is) - std::log(a.is)) * uno(azar));
  q.temperaturaC = a.temperaturaC + (b.temperaturaC - a.temperaturaC) * uno(azar);
  return q;
}

// At least a thousand buildable followers with loads up to 1 A: the Zener's
// members as for the shunt, the transistor at the ends of what its sheet
// allows and between them, at the worst corners and at random points; every
// promise within 0,1 %.
TEST(JuezSpice, ElSeguidorCumpleEnElSimulador) {
  constexpr int kConstruiblesPedidos = 1000;
  const std::vector<Caso> casos = CasosDelSeguidor(6000);
  std::vector<Diseno> disenos;
  int construibles = 0;
  for (const Caso& c : casos) {
    if (construibles == kConstruiblesPedidos) break;
    disenos.push_back(Disenar(c.valores, c.opciones));
    construibles += disenos.back().construible;
  }
  ASSERT_EQ(construibles, kConstruiblesPedidos);
  std::mt19937 azar(29);
  std::uniform_real_distribution<double> uno(0, 1);
  std::vector<Circuito> circuitos;
  std::map<std::string, int> porTransistor;
  for (std::size_t n = 0; n < disenos.size(); ++n) {
    const Diseno& d = disenos[n];
    if (!d.construible) continue;
    ++porTransistor[std::string(d.transistor->numero)];
    const DatosCircuito& v = d.datos;
    const OpcionesDiseno& o = d.opciones;
    const FilaZener& fila = *d.zener->fila;
    const FilaTransistor& t = *d.transistor;
    const auto [bajo, alto] =
        Banda(fila, *d.zener->familia, o.tempMinC, d.cifras.De(Figura::TjZener));
    const double media = o.rizadoMv.value_or(0) / 2000;
    const double r = d.cifras.De(Figura::RNominal);
    const double icMax = v.IcMax / 1000, icMin = v.IcMin / 1000;
    const double izt = fila.iztMa / 1000;
    const Transistor frio = Minimo(t, icMax, o.tempMinC);
    const Transistor caliente = Maximo(t, o.tempMaxC);
    const bool regula = d.origenZz == OrigenZz::Envolvente;
    auto circuito = [&](char que, double vs, double rr, double cargaA, const Parte& p,
                        const Transistor& q) {
      circuitos.push_back({n, que, vs, rr, cargaA, 0, p, 0, 0, q});
    };
    for (const auto& [a, rs] : Formas(fila, azar)) {
      const Parte altaP{alto, a, rs, izt}, bajaP{bajo, a, rs, izt};
      for (const Parte& p : {altaP, bajaP}) {
        circuito('m', v.VeMin - media, r * (1 + d.tolR), icMax, p, frio);
        if (regula) AnadirPasos(circuitos, false);
        circuito('M', v.VeMax + media, r * (1 - d.tolR), 0, p, caliente);
        // An unloaded emitter sits where leakage currents of 1e-14 A balance,
        // which no simulator's tolerances resolve: a microampere stands for
        // the least load there is.
        constexpr double kCargaMinimaA = 1e-6;
        circuito('c', v.VeMax + media, r * (1 - d.tolR),
                 std::max(icMin, std::min(kCargaMinimaA, icMax)), p, caliente);
        for (const double rr : {r * (1 - d.tolR), r * (1 + d.tolR)}) {
          circuito('r', v.VeMax + media, rr, icMax, p, frio);
        }
      }
      const Parte dentro{bajo + (alto - bajo) * uno(azar), a, rs, izt};
      circuito('x', v.VeMin - media + (v.VeMax - v.VeMin + 2 * media) * uno(azar),
               r * (1 + d.tolR * (2 * uno(azar) - 1)), icMin + (icMax - icMin) * uno(azar), dentro,
               Entre(frio, caliente, azar));
    }
    if (d.cifras.Tiene(Figura::VoutNominal)) {
      const auto [aCentro, rsCentro] = Centro(fila);
      Transistor tipico = Terminos(t);
      tipico.bf = t.spice->bf;
      tipico.is = t.spice->is;
      circuito('n', (v.VeMin + v.VeMax) / 2, r, (icMin + icMax) / 2,
               {fila.vz, aCentro, rsCentro, izt}, tipico);
    }
  }
  // Transistors make ngspice's one matrix of many circuits harder to solve:
  // smaller decks.
  constexpr std::size_t kCircuitosConTransistor = 20;
  const std::vector<Simulado> simulados = SimularTodos(circuitos, kCircuitosConTransistor);
  ASSERT_EQ(simulados.size(), circuitos.size());

  Juicio juicio({{'m', {"Iz mín ≥ la prometida y ≥ IzMin", {}}},
                 {'M', {"Iz máx", {}}},
                 {'z', {"P Z", {}}},
                 {'r', {"P R", {}}},
                 {'b', {"Vout mín", {}}},
                 {'a', {"Vout máx", {}}},
                 {'g', {"regulación de línea", {}}},
                 {'n', {"Vout nominal, ± el simulado", {}}},
                 {'q', {"P Q", {}}},
                 {'e', {"Vce ≤ Vce máx", {}}},
                 {'t', {"Tj del zener y del transistor", {}}},
                 {'p', {"P R × margen ≤ la de la pieza", {}}},
                 {'v', {"V R ≤ la máxima prometida", {}}},
                 {'B', {"Vb entre Vb mín y Vb máx", {}}},
                 {'i', {"Ib ≤ Ib máx", {}}}});
  std::map<std::size_t, double> pzSimulada, pqSimulada;
  for (std::size_t k = 0; k < circuitos.size(); ++k) {
    const Circuito& c = circuitos[k];
    const Diseno& d = disenos[c.diseno];
    const Cifras& e = d.cifras;
    const Simulado& s = simulados[k];
    auto anotar = [&](char promesa, double prometido, double simulado) {
      juicio.Anotar(promesa, prometido, simulado, casos[c.diseno].nombre, c);
    };
    const double iMa = s.i * 1000;
    const double pz = s.vb * s.i;
    const double vce = c.vs - s.v;
    const double pq = vce * s.ic;
    const double vr = c.vs - s.vb;
    if (c.que != 'l' && c.que != 'n') {
      pzSimulada[c.diseno] = std::max(pzSimulada[c.diseno], pz);
      pqSimulada[c.diseno] = std::max(pqSimulada[c.diseno], pq);
      anotar('p', d.resistencia->potenciaW * e.De(Figura::FactorR),
             d.opciones.margen * vr * vr / c.r);
      anotar('v', e.De(Figura::VRMax), vr);
      anotar('q', e.De(Figura::PTransistor), pq);
      anotar('e', e.De(Figura::VceMax), vce);
      anotar('B', -e.De(Figura::VbMin), -s.vb);
      anotar('B', e.De(Figura::VbMax), s.vb);
      // What R carries beyond the Zener's current goes into the base.
      anotar('i', e.De(Figura::IbMax), (vr / c.r - s.i) * 1000);
    }
    switch (c.que) {
      case 'm':
        anotar('m', -std::max(e.De(Figura::IzMin), d.datos.IzMin), -iMa);
        anotar('b', -e.De(Figura::VoutMin), -s.v);
        break;
      case 'M':
        anotar('M', e.De(Figura::IzMax), iMa);
        anotar('z', e.De(Figura::PZSinCarga), pz);
        break;
      case 'c':
        anotar('z', e.De(Figura::PZSinCarga), pz);
        anotar('a', e.De(Figura::VoutMax), s.v);
        break;
      case 'r':
        anotar('r', e.De(Figura::PR), vr * vr / c.r);
        break;
      case 'l':
        anotar('g', e.De(Figura::Linea) / 1000, (s.v - simulados[c.base].v) / c.paso);
        break;
      case 'n':
        anotar('n', e.De(Figura::VoutNominal),
               e.De(Figura::VoutNominal) + std::fabs(e.De(Figura::VoutNominal) - s.v));
        break;
      case 'x':
        anotar('m', -d.datos.IzMin, -iMa);
        anotar('M', e.De(Figura::IzMax), iMa);
        anotar('b', -e.De(Figura::VoutMin), -s.v);
        anotar('a', e.De(Figura::VoutMax), s.v);
        break;
    }
  }
  for (const auto& [n, pq] : pqSimulada) {
    const Diseno& d = disenos[n];
    const FilaTransistor& t = *d.transistor;
    const auto disipador = d.cifras[Figura::DisipadorRth];
    const double rth = disipador ? *t.rthJcKPorW + *t.rthCsKPorW + *disipador : t.rthJaKPorW;
    juicio.Anotar('t', d.cifras.De(Figura::TjTransistor), d.opciones.tempMaxC + pq * rth,
                  casos[n].nombre, circuitos.front());
    if (const auto libre = d.cifras[Figura::TjSinDisipador]) {
      juicio.Anotar('t', *libre, d.opciones.tempMaxC + pq * t.rthJaKPorW, casos[n].nombre,
                    circuitos.front());
    }
    juicio.Anotar('t', d.cifras.De(Figura::TjZener),
                  d.opciones.tempMaxC + pzSimulada[n] * d.zener->familia->rthKPorW, casos[n].nombre,
                  circuitos.front());
  }
  std::cout << "Transistores elegidos:";
  for (const auto& [numero, cuantos] : porTransistor) std::cout << " " << numero << " " << cuantos;
  std::cout << "\n";
  juicio.Concluir(construibles, disenos.size(), circuitos.size());
}

// The deck the tool writes for the user runs as it is, and its worst-case
// circuits keep the report's promises: no Iz mín circuit runs below the
// stated least current, and no output leaves the stated range.
// The deck the tool writes for the user runs as it is, checks its own
// promises, sweeps the nominal case, and prints each worst case's figure as
// the report states it: at least as good, and for those the library solves
// on one of the deck's members, the same within 0,1 %. The deck's models are
// the library's members, so this holds their cards (N, RS, BV) to the
// library's too. The shunt's edge designs, the deck findings (a load
// resistance disconnected, the Zener's power at the foot of the band with
// IcMin) and followers of each size.
TEST(JuezSpice, ElCircuitoDelInformeCorre) {
  std::vector<Caso> casos = CasosDeBorde();
  auto caso = [&](std::string nombre, DatosCircuito v, auto cambiar) {
    casos.push_back(ConOpciones(std::move(nombre), v, cambiar));
  };
  caso("carga resistiva desconectada", Valores(25.24, 34.76, 0, 0, 4.7, 1),
       [](auto& o) { o.cargaOhm = 150; });
  caso("P Z con IcMin al pie de la banda", Valores(10.87, 13.13, 0.5, 10, 9.1, 3), [](auto&) {});
  for (const auto& [v, margen] : {std::pair{Valores(15, 18, 0, 50, 12, 5), 2.0},
                                  {Valores(11, 13, 100, 100, 5.6, 2), 1.5},
                                  {Valores(24, 28, 0, 1000, 15, 5), 1.0},
                                  {Valores(12, 15, 5, 20, 5.1, 5), 2.0}}) {
    caso("seguidor", v, [margen = margen](auto& o) {
      o.circuito = zener::Circuito::Seguidor;
      o.margen = margen;
      o.tempMinC = -20;
    });
  }
  // Figures the deck reaches exactly: a least or most over its circuits.
  const std::map<std::string, bool> exactas = {{"iz_min_peor_ma", true},
                                               {"iz_max_peor_ma", false},
                                               {"p_r_peor_w", false},
                                               {"vout_min_v", true},
                                               {"vout_nominal_v", false}};
  int comprobados = 0;
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    const Diseno d = Disenar(c.valores, c.opciones);
    if (!d.construible) continue;
    ++comprobados;
    std::string texto;
    Ngspice(InformeSpice(d), texto);
    EXPECT_EQ(texto.find("FALLA"), std::string::npos) << texto.substr(0, 3000);
    EXPECT_NE(texto.find("Index"), std::string::npos) << "sin el barrido nominal";
    // Every promise held: the deck says so in its exit status.
    EXPECT_EQ(texto.substr(texto.rfind('\n') + 1), "ngspice salió con 0");
    std::map<std::string, std::pair<double, double>> extremos;  // least and most
    std::istringstream lineas(texto);
    for (std::string linea; std::getline(lineas, linea);) {
      std::istringstream campos(linea);
      std::string figura, clave, circuito;
      double valor;
      if (!(campos >> figura >> clave >> circuito >> valor) || figura != "figura") continue;
      auto [it, nueva] = extremos.try_emplace(clave, valor, valor);
      it->second = {std::min(it->second.first, valor), std::max(it->second.second, valor)};
    }
    ASSERT_GT(extremos.size(), 4u) << texto.substr(0, 2000);
    for (const DescripcionFigura& f : kFiguras) {
      const auto impreso = extremos.find(std::string(f.clave));
      if (impreso == extremos.end()) continue;
      SCOPED_TRACE(f.clave);
      const bool minimo = f.figura == Figura::IzMin || f.figura == Figura::VoutMin;
      const double deck = minimo ? impreso->second.first : impreso->second.second;
      const double informe = d.cifras.De(f.figura);
      const double holgura = kTolerancia * std::fabs(informe);
      if (minimo) {
        EXPECT_GE(deck, informe - holgura);
      } else {
        EXPECT_LE(deck, informe + holgura);
      }
      if (exactas.count(std::string(f.clave)) && !d.transistor) {
        EXPECT_NEAR(deck, informe, holgura);
      }
    }
  }
  EXPECT_GT(comprobados, 15);
}

// Designs to sample as people ask for them: both circuits, ripple, an
// ambient range, a load that stays and a load given as a resistance, each
// drawn often enough that every kind has its units.
std::vector<Diseno> DisenosAMuestrear(int cuantos) {
  std::mt19937 azar(31);
  std::uniform_real_distribution<double> uno(0, 1);
  const double tensiones[] = {2.7, 3.3, 4.7, 5.1, 6.8, 9.1, 12, 15, 24, 33};
  std::vector<Diseno> disenos;
  for (int n = 0; static_cast<int>(disenos.size()) < cuantos; ++n) {
    const double vz = tensiones[n % std::size(tensiones)];
    OpcionesDiseno o;
    o.circuito = n % 3 == 0 ? zener::Circuito::Seguidor : zener::Circuito::Derivacion;
    o.margen = 1 + uno(azar);
    if (n % 4 == 1) {
      o.tempMinC = -40 + 50 * uno(azar);
      o.tempMaxC = 30 + 45 * uno(azar);
    }
    if (n % 5 == 2) o.rizadoMv = 600 * uno(azar);
    if (n % 7 == 3) o.cargaFija = true;
    const bool resistiva = n % 4 == 2 && o.circuito == zener::Circuito::Derivacion;
    const double veMin = vz * (1.3 + 1.5 * uno(azar)) + o.rizadoMv.value_or(0) / 2000;
    const double icMax = 1 + 150 * uno(azar) * uno(azar);
    if (resistiva) o.cargaOhm = vz / icMax * 1000;
    Diseno d = Disenar(Valores(veMin, veMin * (1 + 0.4 * uno(azar)), icMax * uno(azar), icMax, vz,
                               1 + 9 * uno(azar)),
                       o);
    if (Muestrear(d, OpcionesMuestreo{}).sinMuestreo) continue;
    disenos.push_back(std::move(d));
  }
  return disenos;
}

// A unit's Zener at a corner: its own V0 moved to the corner's junction.
Parte ParteDeUnidad(const Unidad& u, const PuntoDeUnidad& p, double iztA) {
  const double deriva = 1 + u.tcPorCientoK / 100 * (p.tjC - kTemperaturaDeMedidaC);
  return {u.vzV * deriva, u.aV, u.rsOhm, iztA};
}

// The corners of a unit, as PuntosDeUnidad lists them: per ambient four,
// then the nominal one.
enum class Esquinas { DeOperacion, ConCarga, Nominal };
bool EnEsquinas(Esquinas e, std::size_t k, std::size_t cuantas) {
  constexpr std::size_t kPorAmbiente = 4, kSinCarga = 3;
  const bool nominal = k + 1 == cuantas;
  switch (e) {
    case Esquinas::DeOperacion:
      return !nominal;
    case Esquinas::ConCarga:  // the load gone is no output (where it stays, a copy)
      return !nominal && k % kPorAmbiente != kSinCarga;
    case Esquinas::Nominal:
      return nominal;
  }
  return false;
}

// One corner as simulated, with what the tool took for the rest of it.
struct EsquinaSimulada {
  const PuntoDeUnidad& p;
  const Simulado& s;
  double rOhm, rthKPorW;
  double Vout() const { return s.v - p.vbeV; }
  double TjC() const { return p.ambienteC + s.v * s.i * rthKPorW; }
};

// Each measure of a unit as the extreme over the corners it may be at,
// from the simulated points: not the tool's choice of corner, but every
// corner it could have missed.
struct MedidaSimulada {
  Medida medida;
  Esquinas esquinas;
  bool minimo;
  double (*valor)(const EsquinaSimulada&);
};
constexpr MedidaSimulada kMedidasSimuladas[] = {
    {Medida::VoutNominal, Esquinas::Nominal, false,
     [](const EsquinaSimulada& e) { return e.Vout(); }},
    {Medida::VoutMin, Esquinas::ConCarga, true, [](const EsquinaSimulada& e) { return e.Vout(); }},
    {Medida::VoutMax, Esquinas::ConCarga, false, [](const EsquinaSimulada& e) { return e.Vout(); }},
    {Medida::IzMin, Esquinas::DeOperacion, true,
     [](const EsquinaSimulada& e) { return e.s.i * 1000; }},
    {Medida::IzMax, Esquinas::DeOperacion, false,
     [](const EsquinaSimulada& e) { return e.s.i * 1000; }},
    {Medida::PZ, Esquinas::DeOperacion, false,
     [](const EsquinaSimulada& e) { return e.s.v * std::max(e.s.i, 0.0); }},
    {Medida::PR, Esquinas::DeOperacion, false,
     [](const EsquinaSimulada& e) {
       return (e.p.entradaV - e.s.v) * (e.p.entradaV - e.s.v) / e.rOhm;
     }},
    {Medida::TjZener, Esquinas::DeOperacion, false,
     [](const EsquinaSimulada& e) { return e.TjC(); }},
    {Medida::VR, Esquinas::DeOperacion, false,
     [](const EsquinaSimulada& e) { return e.p.entradaV - e.s.v; }},
    {Medida::PTransistor, Esquinas::DeOperacion, false,
     [](const EsquinaSimulada& e) { return (e.p.entradaV - e.Vout()) * e.p.icA; }},
    {Medida::VceMax, Esquinas::DeOperacion, false,
     [](const EsquinaSimulada& e) { return e.p.entradaV - e.Vout(); }},
};

// The worst disagreement of a figure, against its tolerance; the first
// failures show their unit and corner.
class Desacuerdos {
 public:
  void Anotar(const std::string& figura, double tolerancia, double desacuerdo,
              const std::string& donde) {
    constexpr int kFallosMostrados = 20;
    auto& [peor, tol] = peores_[figura];
    peor = std::max(peor, desacuerdo);
    tol = tolerancia;
    if (desacuerdo <= tolerancia || ++fallos_ > kFallosMostrados) return;  // NaN fails
    ADD_FAILURE() << figura << ": desacuerdo " << desacuerdo << " > " << tolerancia << " en "
                  << donde;
  }
  void Concluir(std::size_t unidades, std::size_t esquinas) const {
    std::cout << unidades << " unidades, " << esquinas << " esquinas simuladas.\n"
              << "Peor desacuerdo con el simulador (tolerancia):\n";
    for (const auto& [figura, peor] : peores_) {
      std::printf("  %-28s %10.3e  (%g)\n", figura.c_str(), peor.first, peor.second);
    }
  }

 private:
  std::map<std::string, std::pair<double, double>> peores_;
  int fallos_ = 0;
};

// Monte-Carlo units of shunts and followers, ripple, ambient ranges, fixed
// and resistive loads, each unit at each of its corners in ngspice with its
// own Zener at the junction temperature the tool settled, its own R, its
// source and its load. The follower's base is a current sink of the unit's
// base current: its transistor comes from the sheet's bounds, not from a
// model, so what is judged is the Zener's side and Vout = Vz − Vbe.
TEST(JuezSpice, LasUnidadesDeMonteCarloCorrenEnElSimulador) {
  constexpr int kDisenos = 32;
  constexpr std::uint64_t kUnidadesPorDiseno = 15;
  // The deck solves each voltage and current to 1e-7, the tool its own to
  // the same, and the two agree to 2e-6 over these units: ten times that.
  constexpr double kToleranciaRelativa = 1e-5;
  // The tool settles each junction to a thousandth of a kelvin; the deck's
  // Zener sits at the one it settled.
  constexpr double kToleranciaTjK = 1e-3;
  const std::vector<Diseno> disenos = DisenosAMuestrear(kDisenos);
  struct Muestra {
    std::size_t diseno;
    Unidad unidad;
    std::size_t primera, cuantas;  // its corners among the circuits
  };
  std::vector<Muestra> muestras;
  std::vector<PuntoDeUnidad> puntos;
  std::vector<Circuito> circuitos;
  std::map<std::string, int> clases;
  for (std::size_t n = 0; n < disenos.size(); ++n) {
    const Diseno& d = disenos[n];
    const OpcionesDiseno& o = d.opciones;
    const bool seguidor = o.circuito == zener::Circuito::Seguidor;
    clases[seguidor ? "seguidor" : "derivación"] += kUnidadesPorDiseno;
    if (o.rizadoMv) clases["rizado"] += kUnidadesPorDiseno;
    if (o.tempMinC != o.tempMaxC) clases["ambiente"] += kUnidadesPorDiseno;
    if (o.cargaFija) clases["carga fija"] += kUnidadesPorDiseno;
    if (o.cargaOhm) clases["carga resistiva"] += kUnidadesPorDiseno;
    const double izt = d.zener->fila->iztMa / 1000;
    OpcionesMuestreo opciones;
    opciones.unidades = kUnidadesPorDiseno;
    opciones.semilla = n + 1;
    Muestrear(d, opciones, [&](const Unidad& u) {
      const std::vector<PuntoDeUnidad> suyos = PuntosDeUnidad(d, u);
      muestras.push_back({n, u, circuitos.size(), suyos.size()});
      for (const PuntoDeUnidad& p : suyos) {
        puntos.push_back(p);
        circuitos.push_back({n, 'u', p.entradaV, u.rOhm, seguidor ? p.ibA : p.cargaA,
                             p.cargaOhm.value_or(0), ParteDeUnidad(u, p, izt)});
      }
    });
  }
  for (const char* clase :
       {"seguidor", "derivación", "rizado", "ambiente", "carga fija", "carga resistiva"}) {
    EXPECT_GT(clases[clase], 0) << clase;
  }
  const std::vector<Simulado> simulados = SimularTodos(circuitos);
  ASSERT_EQ(simulados.size(), circuitos.size());

  Desacuerdos desacuerdos;
  auto relativo = [](double a, double b, double escala) { return std::fabs(a - b) / escala; };
  for (std::size_t m = 0; m < muestras.size(); ++m) {
    const Muestra& x = muestras[m];
    const Diseno& d = disenos[x.diseno];
    const double rth = d.zener->familia->rthKPorW;
    std::vector<EsquinaSimulada> esquinas;
    for (std::size_t k = x.primera; k < x.primera + x.cuantas; ++k) {
      const PuntoDeUnidad& p = puntos[k];
      const Simulado& s = simulados[k];
      esquinas.push_back({p, s, x.unidad.rOhm, rth});
      const std::string donde = "diseño " + std::to_string(x.diseno) + ", unidad " +
                                std::to_string(m) + ", esquina " + std::to_string(k - x.primera);
      // A current is as exact as the resistor's, of which it is a part.
      const double corrienteR = std::fabs(p.entradaV - p.vzV) / x.unidad.rOhm;
      desacuerdos.Anotar("Vz", kToleranciaRelativa, relativo(s.v, p.vzV, p.vzV), donde);
      desacuerdos.Anotar("Iz (de la de R)", kToleranciaRelativa, relativo(s.i, p.izA, corrienteR),
                         donde);
      desacuerdos.Anotar("Vout", kToleranciaRelativa,
                         relativo(esquinas.back().Vout(), p.voutV, p.voutV), donde);
      desacuerdos.Anotar("Tj (K)", kToleranciaTjK, std::fabs(esquinas.back().TjC() - p.tjC), donde);
    }
    for (const MedidaSimulada& ms : kMedidasSimuladas) {
      const DescripcionMedida& descripcion = DescripcionDe(ms.medida);
      if (descripcion.deSeguidor && !d.transistor) continue;
      constexpr double kInf = std::numeric_limits<double>::infinity();
      double extremo = ms.minimo ? kInf : -kInf;
      for (std::size_t k = 0; k < esquinas.size(); ++k) {
        if (!EnEsquinas(ms.esquinas, k, esquinas.size())) continue;
        const double v = ms.valor(esquinas[k]);
        extremo = ms.minimo ? std::min(extremo, v) : std::max(extremo, v);
      }
      const double herramienta = x.unidad.medidas[static_cast<std::size_t>(ms.medida)];
      const bool temperatura = ms.medida == Medida::TjZener;
      desacuerdos.Anotar(std::string(descripcion.nombre),
                         temperatura ? kToleranciaTjK : kToleranciaRelativa,
                         temperatura ? std::fabs(extremo - herramienta)
                                     : relativo(extremo, herramienta, std::fabs(herramienta)),
                         "diseño " + std::to_string(x.diseno) + ", unidad " + std::to_string(m));
    }
  }
  std::cout << disenos.size() << " diseños:";
  for (const auto& [clase, unidades] : clases) std::cout << " " << clase << " " << unidades;
  std::cout << " unidades\n";
  desacuerdos.Concluir(muestras.size(), circuitos.size());
}

}  // namespace
}  // namespace zener
