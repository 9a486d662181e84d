#!/usr/bin/env bash
# Builds the web page and runs its browser tests in Debian's chromium; the
# tests serve the page themselves on 127.0.0.1 and leave their screenshots in
# build/wasm/capturas.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "$raiz"

. scripts/comun.sh
configurar_web
cmake --build build/wasm --target zener_web -j2

cd tests/navegador
node --test web*.test.mjs
