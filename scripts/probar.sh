#!/usr/bin/env bash
# Builds everything and runs every test: the logic on the host, then the
# Windows program and its window under Wine on a virtual display.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "$raiz"
bash scripts/instalar.sh

cmake -S . -B build/host -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/host -j"$(nproc)"
ctest --test-dir build/host --output-on-failure

# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer.
cmake -S . -B build/san -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" \
  >/dev/null
cmake --build build/san -j"$(nproc)"
ctest --test-dir build/san --output-on-failure

# A short fuzzing run; scripts/fuzz.sh SECONDS runs longer.
bash scripts/fuzz.sh 15
bash scripts/probar-informe.sh

bash scripts/probar-web.sh
. scripts/comun.sh
configurar_windows
cmake --build build/win -j"$(nproc)"
xvfb-run -a -s "-screen 0 1600x1200x24" bash scripts/probar-en-wine.sh build/win
