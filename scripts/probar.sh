#!/usr/bin/env bash
# Builds everything and runs every test: the logic on the host, then the
# Windows program under Wine on a virtual display.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "$raiz"
bash scripts/instalar.sh

cmake -S . -B build/host -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/host -j"$(nproc)"
ctest --test-dir build/host --output-on-failure
