// The transistor catalogue against the datasheets: every row typed here again
// from the sheets, not from the catalogue, so that a mistyped or misread
// figure shows; and the ratings a design leans on checked for every row.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "design/Transistores.h"

namespace zener {
namespace {

// A figure as a sheet gives it; null where it gives none or none could be
// read, which the catalogue must then hold as null too.
using Cifra = std::optional<double>;
constexpr Cifra kNulo = std::nullopt;

struct Punto {
  double icA, vceV, hfeMin;
  Cifra hfeMax;
};

struct Modelo {
  double is, bf, nf, xti, eg;
  Cifra xtb;
};

struct Limites {
  double vceoV, icMaxA, potenciaW, rodillaC, tjMaxC;
};

struct Termica {
  double rthJaKPorW;
  Cifra rthJcKPorW, rthCsKPorW;
};

struct Vbe {
  double vbeV, icA, vceV;
};

struct Iebo {
  double maxA, vebV;
};

// Built by a call, not a braced list, so that a row keeps to a few lines.
struct Hoja {
  Hoja(std::string_view numero, std::string_view encapsulado, Montaje montaje, Limites limites,
       Termica termica, std::vector<Punto> ganancia, Vbe vbeOnMax, Iebo iebo,
       std::optional<Modelo> spice, LineaDc soa)
      : numero(numero),
        encapsulado(encapsulado),
        montaje(montaje),
        limites(limites),
        termica(termica),
        ganancia(std::move(ganancia)),
        vbeOnMax(vbeOnMax),
        iebo(iebo),
        spice(spice),
        soa(soa) {}
  std::string_view numero, encapsulado;
  Montaje montaje;
  Limites limites;
  Termica termica;
  std::vector<Punto> ganancia;
  Vbe vbeOnMax;
  Iebo iebo;
  std::optional<Modelo> spice;
  LineaDc soa;
};

// What no sheet gives or what no figure could be read for, the same for all:
// a minimum Vbe, IEBO when hot, the Vbe coefficient, the gain's ratio at the
// coldest curve and the corners of a DC line.
const Hoja kHojas[] = {
    // onsemi BC337/D Rev. 8: 45 V; ST and NXP 500 mA (onsemi 800); 625 mW at
    // 25 °C ambient, 200 K/W on Fairchild's board, 150 °C; hFE at VCE 1 V,
    // 100 mA (-40: onsemi 630, ST 600) and 300 mA; VBE(on) 1.2 V at 300 mA;
    // IEBO 100 nA at 4 V. Philips QBC337-25/PLP and -40/PLP, XTB 0.
    Hoja("BC337-25", "TO-92", Montaje::Tht, {45, 0.5, 0.625, 25, 150}, {200, kNulo, kNulo},
         {{0.1, 1, 160, 400}, {0.3, 1, 60, kNulo}}, {1.2, 0.3, 1}, {100e-9, 4},
         Modelo{4.13e-14, 292.4, 0.9822, 3, 1.11, kNulo}, LineaDc::SinLeer),
    Hoja("BC337-40", "TO-92", Montaje::Tht, {45, 0.5, 0.625, 25, 150}, {200, kNulo, kNulo},
         {{0.1, 1, 250, 630}, {0.3, 1, 60, kNulo}}, {1.2, 0.3, 1}, {100e-9, 4},
         Modelo{7.809e-14, 436.8, 0.9916, 3, 1.11, kNulo}, LineaDc::SinLeer),
    // ST BD135/BD139: 80 V, 1.5 A, 12.5 W at Tc 25 °C, 1.25 W in free air
    // (100 K/W), RθJC 10 K/W, 150 °C; hFE at VCE 2 V: 5 mA 25, 150 mA 100 to
    // 250 (-16), 0.5 A 25; VBE 1 V at 0.5 A; IEBO 10 µA at 5 V. No TO-126
    // case-to-sink figure. Fairchild's BD139 model.
    Hoja("BD139-16", "TO-126", Montaje::Tht, {80, 1.5, 12.5, 25, 150}, {100, 10, kNulo},
         {{0.005, 2, 25, kNulo}, {0.15, 2, 100, 250}, {0.5, 2, 25, kNulo}}, {1, 0.5, 2}, {10e-6, 5},
         Modelo{2.3985e-13, 244.9, 1.0, 3.0, 1.2105, 1.1398}, LineaDc::SinLeer),
    // onsemi TIP31A/D: 100 V, 3 A, 40 W at Tc 25 °C, 2 W in free air
    // (62.5 K/W), RθJC 3.125 K/W, 150 °C; Thermalloy's 1 K/W with grease; hFE
    // at VCE 4 V: 1 A 25, 3 A 10 to 50; VBE(on) 1.8 V at 3 A; IEBO 1 mA at
    // 5 V. Texas Instruments' TIP31C model.
    Hoja("TIP31C", "TO-220", Montaje::Tht, {100, 3, 40, 25, 150}, {62.5, 3.125, 1},
         {{1, 4, 25, kNulo}, {3, 4, 10, 50}}, {1.8, 3, 4}, {1e-3, 5},
         Modelo{1.62181e-13, 83.6, 0.9899, 3, 1.1605, 1.5301}, LineaDc::SinLeer),
    // Diodes DS11107 and Diotec BC817: 45 V, 500 mA (Nexperia), 310 mW at
    // 25 °C ambient, 420 K/W with 3 mm² pads (Diotec), 150 °C; hFE at VCE
    // 1 V: 100 mA (-40 to 630, Diotec), 300 mA, 500 mA 40; VBE 1.2 V at
    // 300 mA; IEBO 100 nA at 4 V. Philips' models, XTB 0.
    Hoja("BC817-25", "SOT-23", Montaje::Smd, {45, 0.5, 0.31, 25, 150}, {420, kNulo, kNulo},
         {{0.1, 1, 160, 400}, {0.3, 1, 100, kNulo}, {0.5, 1, 40, kNulo}}, {1.2, 0.3, 1},
         {100e-9, 4}, Modelo{9.198e-14, 338.8, 1.003, 3, 1.11, kNulo}, LineaDc::SinLeer),
    Hoja("BC817-40", "SOT-23", Montaje::Smd, {45, 0.5, 0.31, 25, 150}, {420, kNulo, kNulo},
         {{0.1, 1, 250, 630}, {0.3, 1, 170, kNulo}, {0.5, 1, 40, kNulo}}, {1.2, 0.3, 1},
         {100e-9, 4}, Modelo{6.286e-14, 416.3, 0.9917, 3, 1.11, kNulo}, LineaDc::SinLeer),
    // Philips BCP54; BCP55; BCP56: 80 V, 1 A, 1.33 W at 25 °C ambient,
    // 94 K/W with 1 cm² of collector pad, 150 °C; hFE at VCE 2 V: 5 mA and
    // 0.5 A 25 (Infineon), 150 mA 100 to 250 (-16); VBE 1 V at 0.5 A; IEBO
    // 10 µA at 5 V (Zetex). No maker's model found.
    Hoja("BCP56-16", "SOT-223", Montaje::Smd, {80, 1, 1.33, 25, 150}, {94, kNulo, kNulo},
         {{0.005, 2, 25, kNulo}, {0.15, 2, 100, 250}, {0.5, 2, 25, kNulo}}, {1, 0.5, 2}, {10e-6, 5},
         std::nullopt, LineaDc::SinLeer),
};

struct Cifras {
  std::string nombre;
  Cifra hoja, catalogo;
};

template <typename T, typename Campo>
Cifra De(const std::optional<T>& valor, Campo campo) {
  return valor ? Cifra(campo(*valor)) : kNulo;
}

// Every figure of the row beside the sheet's, by name.
std::vector<Cifras> Comparadas(const Hoja& h, const FilaTransistor& f) {
  std::vector<Cifras> cifras = {
      {"vceoV", h.limites.vceoV, f.vceoV},
      {"icMaxA", h.limites.icMaxA, f.icMaxA},
      {"potenciaW", h.limites.potenciaW, f.potenciaW},
      {"rodillaC", h.limites.rodillaC, f.rodillaC},
      {"tjMaxC", h.limites.tjMaxC, f.tjMaxC},
      {"rthJaKPorW", h.termica.rthJaKPorW, f.rthJaKPorW},
      {"rthJcKPorW", h.termica.rthJcKPorW, f.rthJcKPorW},
      {"rthCsKPorW", h.termica.rthCsKPorW, f.rthCsKPorW},
      {"puntosGanancia", double(h.ganancia.size()), double(f.puntosGanancia)},
      {"vbeOnMax.vbeV", h.vbeOnMax.vbeV, f.vbeOnMax.vbeV},
      {"vbeOnMax.icA", h.vbeOnMax.icA, f.vbeOnMax.icA},
      {"vbeOnMax.vceV", h.vbeOnMax.vceV, f.vbeOnMax.vceV},
      {"vbeMin", kNulo, De(f.vbeMin, [](const LimiteVbe& v) { return v.vbeV; })},
      {"iebo.maxA", h.iebo.maxA, f.iebo.maxA},
      {"iebo.vebV", h.iebo.vebV, f.iebo.vebV},
      {"iebo.temperaturaC", 25, f.iebo.temperaturaC},
      {"ieboCaliente", kNulo, De(f.ieboCaliente, [](const CorteEmisor& c) { return c.maxA; })},
      {"coefVbe", kNulo,
       De(f.deriva.coefVbeMvPorK, [](const LecturaDeCurva& l) { return l.valor; })},
      {"gananciaFria", kNulo,
       De(f.deriva.gananciaFria, [](const GananciaFria& g) { return g.razon.valor; })},
      {"spice.is", De(h.spice, [](const Modelo& m) { return m.is; }),
       De(f.spice, [](const ModeloSpice& m) { return m.is; })},
      {"spice.bf", De(h.spice, [](const Modelo& m) { return m.bf; }),
       De(f.spice, [](const ModeloSpice& m) { return m.bf; })},
      {"spice.nf", De(h.spice, [](const Modelo& m) { return m.nf; }),
       De(f.spice, [](const ModeloSpice& m) { return m.nf; })},
      {"spice.xti", De(h.spice, [](const Modelo& m) { return m.xti; }),
       De(f.spice, [](const ModeloSpice& m) { return m.xti; })},
      {"spice.eg", De(h.spice, [](const Modelo& m) { return m.eg; }),
       De(f.spice, [](const ModeloSpice& m) { return m.eg; })},
      {"spice.xtb", h.spice ? h.spice->xtb : kNulo, f.spice ? f.spice->xtb : kNulo},
      {"soa.esquinas", 0, double(f.soa.cuantas)},
  };
  for (std::size_t i = 0; i < h.ganancia.size() && i < f.puntosGanancia; ++i) {
    const Punto& p = h.ganancia[i];
    const PuntoGanancia& q = f.ganancia[i];
    const std::string n = "ganancia[" + std::to_string(i) + "].";
    cifras.push_back({n + "icA", p.icA, q.icA});
    cifras.push_back({n + "vceV", p.vceV, q.vceV});
    cifras.push_back({n + "hfeMin", p.hfeMin, q.hfeMin});
    cifras.push_back({n + "hfeMax", p.hfeMax, q.hfeMax});
  }
  return cifras;
}

TEST(FilasTransistores, CadaFilaDelCatalogoEsLaDeSuHoja) {
  std::map<std::string_view, const Hoja*> porNumero;
  for (const Hoja& h : kHojas) {
    EXPECT_TRUE(porNumero.emplace(h.numero, &h).second) << h.numero << " twice in the sheets";
  }
  // Both ways: every catalogue row has its sheet and every sheet its row.
  for (const FilaTransistor& f : kTransistores) {
    EXPECT_TRUE(porNumero.count(f.numero)) << f.numero << " is in the catalogue, not the sheets";
  }
  EXPECT_EQ(kTransistores.size(), porNumero.size());

  for (const Hoja& h : kHojas) {
    SCOPED_TRACE(std::string(h.numero));
    const FilaTransistor* f = TransistorDeNombre(h.numero);
    if (f == nullptr) {
      ADD_FAILURE() << "the catalogue has no row";
      continue;
    }
    EXPECT_EQ(f->encapsulado.nombre, h.encapsulado);
    EXPECT_EQ(f->encapsulado.montaje, h.montaje);
    EXPECT_EQ(f->spice.has_value(), h.spice.has_value());
    EXPECT_TRUE(f->soa.linea == h.soa) << "the safe operating area's DC line";
    for (const Cifras& c : Comparadas(h, *f)) {
      EXPECT_EQ(c.hoja, c.catalogo) << c.nombre;
    }
  }
}

bool Positiva(double x) {
  return std::isfinite(x) && x > 0;
}

bool Positiva(Cifra x) {
  return !x || Positiva(*x);
}

// What the part takes in free air at 25 °C: its rating, or less where the
// junction would pass its maximum.
double AlAire(const FilaTransistor& f) {
  constexpr double kAmbienteC = 25;
  return std::min(f.potenciaW, (f.tjMaxC - kAmbienteC) / f.rthJaKPorW);
}

// The ratings a design leans on, for every row: none unknown, each where it
// belongs, and the table in the order the automatic choice walks it.
TEST(FilasTransistores, NingunaFilaLlevaUnaCifraDesconocida) {
  const FilaTransistor* anterior = nullptr;
  for (const FilaTransistor& f : kTransistores) {
    SCOPED_TRACE(std::string(f.numero));
    EXPECT_EQ(TransistorDeNombre(f.numero), &f) << "looked up by its name";
    for (std::string_view texto : {f.encapsulado.nombre, f.montaje, f.fuente, f.condicion}) {
      EXPECT_FALSE(texto.empty());
    }
    for (double cifra : {f.vceoV, f.icMaxA, f.potenciaW, f.tjMaxC, f.rthJaKPorW, f.vbeOnMax.vbeV,
                         f.vbeOnMax.icA, f.vbeOnMax.vceV, f.iebo.maxA, f.iebo.vebV}) {
      EXPECT_TRUE(Positiva(cifra)) << cifra;
    }
    EXPECT_TRUE(std::isfinite(f.rodillaC) && f.rodillaC < f.tjMaxC);
    EXPECT_LE(f.vbeOnMax.icA, f.icMaxA);
    EXPECT_TRUE(Positiva(f.rthJcKPorW) && Positiva(f.rthCsKPorW));
    // A heatsink's sum needs both figures; on copper there is none.
    EXPECT_TRUE(!f.rthCsKPorW || f.rthJcKPorW);
    EXPECT_TRUE(f.encapsulado.montaje != Montaje::Smd || !(f.rthJcKPorW || f.rthCsKPorW));

    ASSERT_GT(f.puntosGanancia, 0u);
    for (std::size_t i = 0; i < f.puntosGanancia; ++i) {
      const PuntoGanancia& p = f.ganancia[i];
      EXPECT_TRUE(Positiva(p.icA) && Positiva(p.vceV) && Positiva(p.hfeMin)) << "point " << i;
      EXPECT_LE(p.icA, f.icMaxA) << "point " << i;
      EXPECT_TRUE(!p.hfeMax || *p.hfeMax >= p.hfeMin) << "point " << i;
      EXPECT_TRUE(i == 0 || p.icA > f.ganancia[i - 1].icA) << "point " << i << " not ascending";
    }

    if (f.spice) {
      for (double cifra : {f.spice->is, f.spice->bf, f.spice->nf, f.spice->xti, f.spice->eg}) {
        EXPECT_TRUE(Positiva(cifra)) << cifra;
      }
      EXPECT_TRUE(Positiva(f.spice->xtb)) << "an XTB of 0 says nothing: null";
      EXPECT_FALSE(f.spice->fuente.empty());
    }

    // Corners only on a line read, at least two, ascending in Vce within the
    // ratings, the current falling as the voltage rises.
    EXPECT_EQ(f.soa.linea == LineaDc::Leida, f.soa.cuantas >= 2);
    for (std::size_t i = 0; i < f.soa.cuantas; ++i) {
      const EsquinaSoa& e = f.soa.esquinas[i];
      EXPECT_TRUE(Positiva(e.vceV) && e.vceV <= f.vceoV && Positiva(e.icA) && e.icA <= f.icMaxA);
      if (i > 0) {
        EXPECT_GT(e.vceV, f.soa.esquinas[i - 1].vceV);
        EXPECT_LE(e.icA, f.soa.esquinas[i - 1].icA);
      }
    }

    if (anterior != nullptr) {
      EXPECT_GE(f.encapsulado.montaje, anterior->encapsulado.montaje);
      if (f.encapsulado.montaje == anterior->encapsulado.montaje) {
        EXPECT_GE(AlAire(f), AlAire(*anterior)) << "after " << anterior->numero;
      }
    }
    anterior = &f;
  }
  EXPECT_EQ(TransistorDeNombre("BC546B"), nullptr);
}

}  // namespace
}  // namespace zener
