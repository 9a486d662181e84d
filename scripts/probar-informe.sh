#!/usr/bin/env bash
# Writes the printable report of the worked example with zener-diseno (built
# on the host if need be) and opens it in Debian's chromium: no console
# errors, and a screenshot under build/informe/.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "$raiz"

cmake -S . -B build/host >/dev/null
cmake --build build/host --target zener-diseno -j"$(nproc)" >/dev/null
mkdir -p build/informe
build/host/cli/zener-diseno 12 15 5 20 5,1 5 --formato html -o build/informe/informe.html

cd tests/navegador
ZENER_INFORME="$raiz/build/informe/informe.html" node --test informe.test.mjs
