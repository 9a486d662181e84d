// The number text and a whole calculation, each beside the raw standard
// conversion it is built on, so that the overhead reads as a ratio.
#include <benchmark/benchmark.h>

#include <charconv>
#include <string>

#include "core/Calculo.h"
#include "core/NumeroTexto.h"
#include "core/Tablas.h"

namespace zener {
namespace {

void Crudo_from_chars(benchmark::State& estado) {
  const std::string texto = "1234.5";
  for (auto _ : estado) {
    double valor;
    std::from_chars(texto.data(), texto.data() + texto.size(), valor);
    benchmark::DoNotOptimize(valor);
  }
}
BENCHMARK(Crudo_from_chars);

void LeerCifra_agrupada(benchmark::State& estado) {
  const std::string texto = "1.234,50";
  for (auto _ : estado) benchmark::DoNotOptimize(LeerCifra(texto));
}
BENCHMARK(LeerCifra_agrupada);

void Crudo_to_chars(benchmark::State& estado) {
  double valor = 65.71428571428571;
  for (auto _ : estado) {
    char buffer[32];
    benchmark::DoNotOptimize(
        std::to_chars(buffer, buffer + 32, valor, std::chars_format::scientific, 14));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(Crudo_to_chars);

void TextoGeneral_resultado(benchmark::State& estado) {
  double valor = 65.71428571428571;
  for (auto _ : estado) benchmark::DoNotOptimize(TextoGeneral(valor));
}
BENCHMARK(TextoGeneral_resultado);

// One from_chars and one to_chars underneath.
void Crudo_from_chars_y_to_chars(benchmark::State& estado) {
  const std::string texto = "1234.5";
  for (auto _ : estado) {
    double valor;
    std::from_chars(texto.data(), texto.data() + texto.size(), valor);
    char buffer[32];
    benchmark::DoNotOptimize(
        std::to_chars(buffer, buffer + 32, valor, std::chars_format::scientific, 14));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(Crudo_from_chars_y_to_chars);

void FormatearCifra_tension(benchmark::State& estado) {
  const std::string texto = "1234,5";
  for (auto _ : estado) benchmark::DoNotOptimize(FormatearCifra(texto, kMascaraTension));
}
BENCHMARK(FormatearCifra_tension);

void NormalizarCifra_campo(benchmark::State& estado) {
  const std::string texto = "1234,5";
  for (auto _ : estado) benchmark::DoNotOptimize(NormalizarCifra(texto, kMascaraTension, "0,00"));
}
BENCHMARK(NormalizarCifra_campo);

// The rules, the formulas and the four label texts of example A.
void Calculo_completo(benchmark::State& estado) {
  for (auto _ : estado) {
    DatosCircuito datos;
    datos.VeMin = 12;
    datos.VeMax = 15;
    datos.IcMin = 20;
    datos.IcMax = 100;
    datos.VnZener = 5.1;
    datos.IzMin = 5;
    benchmark::DoNotOptimize(Calcular(datos));
    for (const FilaResultado& fila : kResultados) {
      benchmark::DoNotOptimize(
          FormatearCifra(TextoGeneral(datos.*fila.valor), fila.MascaraResultado));
    }
  }
}
BENCHMARK(Calculo_completo);

}  // namespace
}  // namespace zener

BENCHMARK_MAIN();
