#!/usr/bin/env bash
# Builds everything and runs every test: the logic on the host, then the
# Windows program and its window under Wine on a virtual display.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "$raiz"
bash scripts/instalar.sh

cmake -S . -B build/host -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/host -j"$(nproc)"
ctest --test-dir build/host --output-on-failure -j"$(nproc)"

# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer, but
# for the circuit simulator's judgement, which is arithmetic already run.
cmake -S . -B build/san -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" \
  >/dev/null
cmake --build build/san -j"$(nproc)"
ctest --test-dir build/san --output-on-failure -LE simulador -j"$(nproc)"

# A short fuzzing run; scripts/fuzz.sh SECONDS runs longer.
bash scripts/fuzz.sh 15
bash scripts/probar-informe.sh

bash scripts/probar-web.sh

# Both Windows builds, always: the 32-bit program is the one shipped, and is
# checked without running it; the Wine stage runs whichever build runs here.
. scripts/comun.sh
for bits in 32 64; do
  configurar_windows $bits
  cmake --build "$(carpeta_windows $bits)" -j"$(nproc)"
done
bash scripts/comprobar-exe32.sh build/win
elegir_wine
echo "Pruebas en Wine sobre el programa de $ZENER_BITS bits: $ZENER_MOTIVO."
xvfb-run -a -s "-screen 0 1600x1200x24" bash scripts/probar-en-wine.sh "$ZENER_BITS"
