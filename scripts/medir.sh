#!/usr/bin/env bash
# Measures, each as a ratio taken in one run: a batch row drawn as people ask
# for designs against the bare rule check on the same rows, a Monte-Carlo run
# of 100 000 units against one worst-case design and its memory at a hundred
# times as many units, the number text
# and a whole calculation against the raw standard conversions (Google
# Benchmark), and, under Wine, the calculator's start-up time, peak memory
# and size against a program that only opens an empty window; lists the DLLs
# the calculator has loaded when it is ready. The Windows figures are those of the build that
# runs under Wine here (32-bit where this machine runs 32-bit code, else
# 64-bit); the size is always the shipped 32-bit program's. Exits non-zero
# when a target is missed or a measurement could not be taken.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "$raiz"
bash scripts/instalar.sh

cmake -S . -B build/rel -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/rel --target bench_numero_texto bench_lotes bench_montecarlo zener-diseno \
  -j"$(nproc)" >/dev/null
build/rel/bench/bench_numero_texto --benchmark_format=json --benchmark_min_time=0.5 \
  >build/rel/bench.json 2>/dev/null
# The batch's medians over three runs: a run takes over a second, and the
# machine's load moves one run more than the designs do.
build/rel/bench/bench_lotes --benchmark_format=json --benchmark_repetitions=3 \
  --benchmark_report_aggregates_only=true >build/rel/lotes.json 2>/dev/null
build/rel/bench/bench_montecarlo --benchmark_format=json --benchmark_repetitions=3 \
  --benchmark_report_aggregates_only=true >build/rel/montecarlo.json 2>/dev/null
# A run's memory does not grow with its units: the peak at a hundred times as many.
pico() { /usr/bin/time -f %M build/rel/cli/zener-diseno 12 15 5 20 5,1 5 --montecarlo "$1" \
  --semilla 1 2>&1 >/dev/null | tail -1; }
echo "$(pico 10000) $(pico 1000000)" >build/rel/montecarlo_pico.txt

. scripts/comun.sh
elegir_wine
win=$(carpeta_windows "$ZENER_BITS")
for bits in 32 "$ZENER_BITS"; do
  configurar_windows "$bits"
  cmake --build "$(carpeta_windows "$bits")" --target zener ventana_minima medir_arranque \
    -j"$(nproc)" >/dev/null
done
echo "Arranque y memoria del programa de $ZENER_BITS bits en Wine: $ZENER_MOTIVO."
rm -f "$win"/arranque_*.txt
usar_wine "$ZENER_BITS"
export win
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  export WINEPREFIX=$(mktemp -d /tmp/zener-wine.XXXXXX)
  wineboot -i </dev/null >/dev/null 2>&1
  wineserver -p 60
  medir() { wine "$win/bench/medir_arranque.exe" "$@" 9 </dev/null; }
  medir "Z:$PWD/$win/bench/ventana_minima.exe" VentanaMinima 0 >"$win/arranque_minima.txt"
  medir "Z:$PWD/$win/ui/win32/zener.exe" ZenerForm1 101 >"$win/arranque_zener.txt"
  wineserver -k; rm -rf "$WINEPREFIX"' || true

python3 - "$win" <<'PY'
import json, os, re, sys
win = sys.argv[1]
casos = {b["name"]: b["cpu_time"] for b in json.load(open("build/rel/bench.json"))["benchmarks"]}
def leer(ruta):
    """The meter's figures, or None when it wrote none (the program did not start)."""
    texto = open(ruta).read() if os.path.exists(ruta) else ""
    valores = dict((k, float(v)) for k, v in re.findall(r"(\w+)=([\d.]+)\s", texto))
    return valores if {"arranque_ms", "pico_kb"} <= valores.keys() else None
zener = leer(win + "/arranque_zener.txt")
minima = leer(win + "/arranque_minima.txt")
tam = os.path.getsize("build/win/ui/win32/zener.exe")
filas = [
    ("LeerCifra / from_chars", casos["LeerCifra_agrupada"] / casos["Crudo_from_chars"], 3),
    ("TextoGeneral / to_chars", casos["TextoGeneral_resultado"] / casos["Crudo_to_chars"], 3),
    ("FormatearCifra / (from_chars + to_chars)",
     casos["FormatearCifra_tension"] / casos["Crudo_from_chars_y_to_chars"], 3),
    ("NormalizarCifra / (from_chars + to_chars)",
     casos["NormalizarCifra_campo"] / casos["Crudo_from_chars_y_to_chars"], 3),
    ("calculation with 4 labels / to_chars", casos["Calculo_completo"] / casos["Crudo_to_chars"], 20),
]
if zener and minima:
    filas += [
        ("start-up / empty window (%.0f ms / %.0f ms)" % (zener["arranque_ms"], minima["arranque_ms"]),
         zener["arranque_ms"] / minima["arranque_ms"], 1.6),
        ("peak memory / empty window (%.0f KB / %.0f KB)" % (zener["pico_kb"], minima["pico_kb"]),
         zener["pico_kb"] / minima["pico_kb"], 1.3),
    ]
lotes = {b["name"]: b for b in json.load(open("build/rel/lotes.json"))["benchmarks"]}
lote, calcular = lotes["Lotes_completo_median"], lotes["Calcular_solo_median"]
print("%-55s %6.0f k rows/s, %.0f %% of them buildable" % (
    "zener-diseno batch, rows as people ask, one core", lote["items_per_second"] / 1000,
    100 * lote["construibles"]))
filas.insert(0, ("batch row / bare Calcular on the same rows",
                 calcular["items_per_second"] / lote["items_per_second"], 170))
mc = {b["name"]: b for b in json.load(open("build/rel/montecarlo.json"))["benchmarks"]}
unidades, uno = mc["MonteCarlo_100000_unidades_median"], mc["Disenar_uno_median"]
def segundos(b):
    return b["cpu_time"] * {"ms": 1e-3, "us": 1e-6, "ns": 1e-9, "s": 1}[b["time_unit"]]
print("%-55s %6.0f ms, %.0f times one worst-case design (%.1f us)" % (
    "Monte Carlo, 100 000 units of shunt designs, one core", segundos(unidades) * 1e3,
    segundos(unidades) / segundos(uno), segundos(uno) * 1e6))
pequeno, grande = (float(x) for x in open("build/rel/montecarlo_pico.txt").read().split())
filas += [
    ("Monte Carlo 100 000 units / 1 s", segundos(unidades), 1),
    ("peak memory, 1 000 000 units / 10 000 units (%.0f KB / %.0f KB)" % (grande, pequeno),
     grande / pequeno, 1.1),
]
fallos = 0
for nombre, razon, meta in filas:
    print("%-55s %6.2f x  (target %5.2f x) %s" % (nombre, razon, meta, "ok" if razon <= meta else "MISSED"))
    fallos += razon > meta
print("%-55s %6d KB (target   700 KB) %s" % ("zener.exe size", tam // 1024, "ok" if tam <= 700 * 1024 else "MISSED"))
fallos += tam > 700 * 1024
if not (zener and minima):
    print("start-up and peak memory: NOT MEASURED, the program did not start under Wine "
          "(see %s/arranque_*.txt)" % win)
    fallos += 1
for programa, ruta in (("zener.exe", win + "/arranque_zener.txt"),
                       ("empty window", win + "/arranque_minima.txt")):
    dlls = re.search(r"dlls=(.*)", open(ruta).read()) if os.path.exists(ruta) else None
    if dlls:
        print("DLLs loaded at start by %s: %s" % (programa, dlls.group(1).replace(",", ", ")))
sys.exit(1 if fallos else 0)
PY
