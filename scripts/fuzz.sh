#!/usr/bin/env bash
# Fuzzes the number text and the calculation with libFuzzer, under
# AddressSanitizer and UndefinedBehaviorSanitizer, for a bounded time each
# (seconds, default 30), and prints executions and findings per target.
set -euo pipefail
segundos=${1:-30}
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "$raiz"

CC=clang CXX=clang++ cmake -S . -B build/fuzz -DZENER_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build/fuzz -j"$(nproc)" >/dev/null

hallazgos_totales=0
for objetivo in numero_texto calculo diseno; do
  corpus=build/fuzz/corpus/$objetivo
  hallazgos=build/fuzz/hallazgos/$objetivo
  mkdir -p "$corpus" "$hallazgos"
  cp -n fuzz/semillas/$objetivo/* "$corpus/" 2>/dev/null || true
  registro=build/fuzz/$objetivo.log
  estado=0
  "build/fuzz/fuzz/fuzz_$objetivo" "$corpus" -max_total_time="$segundos" -print_final_stats=1 \
    -artifact_prefix="$hallazgos/" -max_len=4096 >"$registro" 2>&1 || estado=$?
  ejecuciones=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$registro" | grep -o '[0-9]*$' || echo 0)
  encontrados=$(find "$hallazgos" -type f | wc -l)
  [ "$estado" -ne 0 ] && [ "$encontrados" -eq 0 ] && encontrados=1
  echo "fuzz_$objetivo: $ejecuciones ejecuciones en ${segundos} s, $encontrados hallazgos"
  if [ "$encontrados" -gt 0 ]; then
    tail -30 "$registro"
    hallazgos_totales=$((hallazgos_totales + encontrados))
  fi
done
[ "$hallazgos_totales" -eq 0 ]
