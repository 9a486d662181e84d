// Batch throughput: rows drawn as people ask for them through the whole
// batch (reading, rules, parts tried, series choice, result rows), fed in the
// tool's pieces, beside the bare Calcular on the same designs, so that the
// cost of the design work reads as a ratio. The share of rows that build
// says the rows do ask for parts.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "MuestraLotes.h"
#include "core/Calculo.h"
#include "design/Lotes.h"

namespace zener {
namespace {

constexpr std::size_t kFilas = 100000;
constexpr std::uint32_t kSemilla = 7;

struct Lote {
  std::vector<GrupoMuestra> grupos;
  std::vector<std::string> csv;  // one per group
};

const Lote& LoteDePrueba() {
  static const Lote lote = [] {
    Lote l;
    l.grupos = Muestra(kFilas, kSemilla);
    for (const GrupoMuestra& g : l.grupos) l.csv.push_back(CsvDe(g));
    return l;
  }();
  return lote;
}

constexpr std::size_t kTrozo = 1 << 16;

// One group through the batch as the tool feeds it; how many rows built.
int PorLotes(const GrupoMuestra& grupo, std::string_view csv) {
  Lotes lotes(grupo.opciones);
  std::string salida;
  for (std::size_t i = 0; i < csv.size(); i += kTrozo) {
    lotes.Leer(csv.substr(i, kTrozo), salida);
    benchmark::DoNotOptimize(salida);
    salida.clear();
  }
  lotes.Terminar(salida);
  benchmark::DoNotOptimize(salida);
  return lotes.Cuenta().construibles;
}

void Lotes_completo(benchmark::State& estado) {
  const Lote& lote = LoteDePrueba();
  int construibles = 0;
  for (auto _ : estado) {
    construibles = 0;
    for (std::size_t g = 0; g < lote.grupos.size(); ++g) {
      construibles += PorLotes(lote.grupos[g], lote.csv[g]);
    }
  }
  estado.SetItemsProcessed(static_cast<std::int64_t>(estado.iterations() * kFilas));
  estado.counters["construibles"] = static_cast<double>(construibles) / kFilas;
}
BENCHMARK(Lotes_completo)->Unit(benchmark::kMillisecond);

void Calcular_solo(benchmark::State& estado) {
  const Lote& lote = LoteDePrueba();
  for (auto _ : estado) {
    for (const GrupoMuestra& g : lote.grupos) {
      for (const FilaMuestra& fila : g.filas) {
        DatosCircuito d = fila.valores;
        benchmark::DoNotOptimize(Calcular(d));
      }
    }
  }
  estado.SetItemsProcessed(static_cast<std::int64_t>(estado.iterations() * kFilas));
}
BENCHMARK(Calcular_solo)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zener

BENCHMARK_MAIN();
