// Monte-Carlo throughput: 100 000 units of shunt designs drawn as people ask
// for them (those that build), beside the single worst-case design of the
// same designs, so that the run's cost reads as a ratio to one design.
#include <benchmark/benchmark.h>

#include <vector>

#include "MuestraLotes.h"
#include "design/Diseno.h"
#include "design/Muestreo.h"

namespace zener {
namespace {

constexpr std::size_t kDisenos = 10;
constexpr std::uint64_t kUnidades = 100000;
constexpr std::uint32_t kSemilla = 11;

struct Caso {
  DatosCircuito valores;
  OpcionesDiseno opciones;
  Diseno diseno;
};

// The first designs of the sample that build, each with its group's
// options (ripple, ambient range).
const std::vector<Caso>& Casos() {
  static const std::vector<Caso> casos = [] {
    std::vector<Caso> c;
    for (const GrupoMuestra& g : Muestra(2000, kSemilla)) {
      for (const FilaMuestra& f : g.filas) {
        if (c.size() == kDisenos) return c;
        Diseno d = Disenar(f.valores, g.opciones);
        if (d.construible) c.push_back({f.valores, g.opciones, std::move(d)});
      }
    }
    return c;
  }();
  return casos;
}

// 100 000 units in all, a tenth of them from each design.
void MonteCarlo_100000_unidades(benchmark::State& estado) {
  const std::vector<Caso>& casos = Casos();
  OpcionesMuestreo o;
  o.unidades = kUnidades / casos.size();
  for (auto _ : estado) {
    for (const Caso& c : casos) benchmark::DoNotOptimize(Muestrear(c.diseno, o).aprobadas);
  }
  estado.SetItemsProcessed(static_cast<std::int64_t>(estado.iterations() * kUnidades));
}
BENCHMARK(MonteCarlo_100000_unidades)->Unit(benchmark::kMillisecond);

// One worst-case design, whole (its report's alternatives and neighbours).
void Disenar_uno(benchmark::State& estado) {
  const std::vector<Caso>& casos = Casos();
  for (auto _ : estado) {
    for (const Caso& c : casos) benchmark::DoNotOptimize(Disenar(c.valores, c.opciones));
  }
  estado.SetItemsProcessed(static_cast<std::int64_t>(estado.iterations() * casos.size()));
}
BENCHMARK(Disenar_uno)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zener

BENCHMARK_MAIN();
