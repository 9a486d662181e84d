#include "MuestraLotes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <random>

#include "design/Componentes.h"
#include "design/Lotes.h"
#include "design/Opciones.h"
#include "design/Texto.h"

namespace zener {

namespace {

// The Zener voltages people ask for: those of the tables in this range.
constexpr double kVzMenor = 3.3, kVzMayor = 24;
// The input's low end as a multiple of Vz, and how far its high end goes
// above it: at 1,2 times Vz from 3,3 V the input stays 0,5 V above it, as
// the rules ask.
constexpr double kEntradaMenor = 1.2, kEntradaMayor = 3.5, kSubidaMayor = 0.25;
// Full loads spread evenly on a logarithmic scale, mA.
constexpr double kCargaMenorMa = 1, kCargaMayorMa = 100;
// The share of rows whose load never quite goes: a minimum of nothing.
constexpr double kSinCargaMinima = 0.25;
constexpr std::array<double, 5> kIzMinimas = {1, 2, 3, 5, 10};  // mA
// The figures as the rows write them: tenths of a volt, whole mA.
constexpr int kDecimalesTension = 1, kDecimalesCorriente = 0;

// The run options of each group, with its share of the rows.
struct GrupoDeOpciones {
  double parte;
  std::optional<double> rizadoMv;
  double tempMinC, tempMaxC;
};
constexpr std::array<GrupoDeOpciones, 4> kGrupos = {{
    {0.4, std::nullopt, 25, 25},
    {0.2, 500, 25, 25},  // a rectifier's ripple
    {0.2, std::nullopt, 0, 70},
    {0.2, 200, -40, 85},
}};

// Half the rows take any mounting, a quarter each of the others.
constexpr std::array<std::optional<Montaje>, 4> kMontajes = {std::nullopt, std::nullopt,
                                                             Montaje::Smd, Montaje::Tht};

std::vector<double> TensionesDeTablas() {
  std::vector<double> tensiones;
  for (const FamiliaZener& f : kFamilias) {
    for (std::size_t i = 0; i < f.cuantas; ++i) {
      const double vz = f.filas[i].vz;
      if (vz >= kVzMenor && vz <= kVzMayor) tensiones.push_back(vz);
    }
  }
  std::sort(tensiones.begin(), tensiones.end());
  tensiones.erase(std::unique(tensiones.begin(), tensiones.end()), tensiones.end());
  return tensiones;
}

double Redondeada(double valor, int decimales) {
  const double escala = std::pow(10.0, decimales);
  return std::round(valor * escala) / escala;
}

template <typename Lista>
const auto& UnoDe(const Lista& lista, std::mt19937& azar) {
  return lista[std::uniform_int_distribution<std::size_t>(0, lista.size() - 1)(azar)];
}

FilaMuestra Fila(const std::vector<double>& tensiones, std::mt19937& azar) {
  std::uniform_real_distribution<double> unidad(0, 1);
  auto entre = [&](double a, double b) { return a + (b - a) * unidad(azar); };
  DatosCircuito d;
  d.VnZener = UnoDe(tensiones, azar);
  d.VeMin = Redondeada(d.VnZener * entre(kEntradaMenor, kEntradaMayor), kDecimalesTension);
  d.VeMax = Redondeada(d.VeMin * entre(1, 1 + kSubidaMayor), kDecimalesTension);
  d.IcMax = Redondeada(kCargaMenorMa * std::pow(kCargaMayorMa / kCargaMenorMa, unidad(azar)),
                       kDecimalesCorriente);
  d.IcMin =
      unidad(azar) < kSinCargaMinima ? 0 : Redondeada(d.IcMax * unidad(azar), kDecimalesCorriente);
  d.IzMin = UnoDe(kIzMinimas, azar);
  return {d, UnoDe(kMontajes, azar)};
}

}  // namespace

std::vector<GrupoMuestra> Muestra(std::size_t filas, std::uint32_t semilla) {
  const std::vector<double> tensiones = TensionesDeTablas();
  std::mt19937 azar(semilla);
  std::vector<GrupoMuestra> grupos;
  for (const GrupoDeOpciones& g : kGrupos) {
    GrupoMuestra grupo;
    grupo.opciones.rizadoMv = g.rizadoMv;
    grupo.opciones.tempMinC = g.tempMinC;
    grupo.opciones.tempMaxC = g.tempMaxC;
    const auto cuantas =
        static_cast<std::size_t>(std::lround(g.parte * static_cast<double>(filas)));
    for (std::size_t i = 0; i < cuantas; ++i) grupo.filas.push_back(Fila(tensiones, azar));
    grupos.push_back(std::move(grupo));
  }
  return grupos;
}

std::string CsvDe(const GrupoMuestra& grupo) {
  std::string csv = std::string(kCabeceraLotes) + ";" + std::string(kColumnaMontaje) + "\n";
  for (const FilaMuestra& fila : grupo.filas) {
    const DatosCircuito& d = fila.valores;
    for (const double v : {d.VeMin, d.VeMax}) csv += CifraHoja(v, kDecimalesTension) + ";";
    for (const double v : {d.IcMin, d.IcMax}) csv += CifraHoja(v, kDecimalesCorriente) + ";";
    csv += CifraHoja(d.VnZener, kDecimalesTension) + ";" + CifraHoja(d.IzMin, kDecimalesCorriente) +
           ";";
    if (fila.montaje) csv += NombreDeMontaje(*fila.montaje);
    csv += "\n";
  }
  return csv;
}

std::string ArgumentosDe(const GrupoMuestra& grupo) {
  const OpcionesDiseno& o = grupo.opciones;
  std::string argumentos;
  if (o.rizadoMv) argumentos += "--rizado\n" + CifraHoja(*o.rizadoMv, 0) + "\n";
  if (ConTemperatura(o)) {
    argumentos += "--temp-min\n" + CifraHoja(o.tempMinC, 0) + "\n--temp-max\n" +
                  CifraHoja(o.tempMaxC, 0) + "\n";
  }
  return argumentos;
}

}  // namespace zener
