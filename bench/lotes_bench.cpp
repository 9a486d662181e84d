// Batch throughput: 100 000 rows through the whole batch (reading, rules,
// parts tried, series choice, result rows), fed in the tool's pieces, beside
// the bare Calcular on the same designs, so that the cost of the design work
// reads as a ratio.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "core/Calculo.h"
#include "design/Lotes.h"
#include "design/Texto.h"

namespace zener {
namespace {

constexpr int kFilas = 100000;

struct Lote {
  std::string csv;
  std::vector<DatosCircuito> valores;
};

// Realistic designs, a few of them against a rule.
const Lote& LoteDePrueba() {
  static const Lote lote = [] {
    Lote l;
    l.csv = std::string(kCabeceraLotes) + "\n";
    std::mt19937 azar(7);
    std::uniform_real_distribution<double> vz(2.4, 30), exceso(0.3, 20), carga(0, 500),
        izMin(1, 30);
    for (int i = 0; i < kFilas; ++i) {
      DatosCircuito d;
      d.VnZener = vz(azar);
      d.VeMin = d.VnZener + exceso(azar);
      d.VeMax = d.VeMin + exceso(azar);
      d.IcMax = carga(azar);
      d.IcMin = d.IcMax / 4;
      d.IzMin = izMin(azar);
      for (const double v : {d.VeMin, d.VeMax, d.IcMin, d.IcMax, d.VnZener}) {
        l.csv += CifraHoja(v, 2) + ";";
      }
      l.csv += CifraHoja(d.IzMin, 0) + "\n";
      l.valores.push_back(d);
    }
    return l;
  }();
  return lote;
}

constexpr std::size_t kTrozo = 1 << 16;

void Lotes_completo(benchmark::State& estado) {
  const Lote& lote = LoteDePrueba();
  for (auto _ : estado) {
    Lotes lotes({});
    std::string salida;
    for (std::size_t i = 0; i < lote.csv.size(); i += kTrozo) {
      lotes.Leer(std::string_view(lote.csv).substr(i, kTrozo), salida);
      salida.clear();
    }
    lotes.Terminar(salida);
    benchmark::DoNotOptimize(salida);
  }
  estado.SetItemsProcessed(estado.iterations() * kFilas);
}
BENCHMARK(Lotes_completo)->Unit(benchmark::kMillisecond);

void Calcular_solo(benchmark::State& estado) {
  const Lote& lote = LoteDePrueba();
  for (auto _ : estado) {
    for (DatosCircuito d : lote.valores) benchmark::DoNotOptimize(Calcular(d));
  }
  estado.SetItemsProcessed(estado.iterations() * kFilas);
}
BENCHMARK(Calcular_solo)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zener

BENCHMARK_MAIN();
