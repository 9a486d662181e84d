#!/usr/bin/env bash
# Builds the web page and runs its browser tests in Debian's chromium; the
# tests serve the page themselves on 127.0.0.1 and leave their screenshots in
# build/wasm/capturas. The design tool is built on the host too: the page's
# parts-list file is checked against what it writes.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "$raiz"

. scripts/comun.sh
configurar_web
cmake --build build/wasm --target zener_web -j2
cmake -S . -B build/host >/dev/null
cmake --build build/host --target zener-diseno -j2 >/dev/null

cd tests/navegador
node --test web*.test.mjs
# The scenario table once more on a 360-pixel touch screen, where the page
# lays the window's controls out in one column.
ZENER_ANCHO=360 ZENER_TACTIL=1 node --test web-escenarios.test.mjs
