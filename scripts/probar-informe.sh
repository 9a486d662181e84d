#!/usr/bin/env bash
# Writes a printable report with zener-diseno (built on the host if need be),
# a 9,1 V through-hole design (a 1N4739A) over an ambient range so that the
# Zener's temperature and the derating show, and opens it in Debian's
# chromium: no console errors, and a screenshot under build/informe/.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "$raiz"

cmake -S . -B build/host >/dev/null
cmake --build build/host --target zener-diseno -j"$(nproc)" >/dev/null
mkdir -p build/informe
build/host/cli/zener-diseno 15 18 0 10 9,1 5 --temp-min -20 --temp-max 40 --margen 1,5 \
  --rizado 200 --montaje tht --formato html -o build/informe/informe.html

cd tests/navegador
ZENER_INFORME="$raiz/build/informe/informe.html" node --test informe.test.mjs
