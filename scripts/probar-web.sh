#!/usr/bin/env bash
# Builds the web page and runs its browser tests in Debian's chromium; the
# tests serve the page themselves on 127.0.0.1 and leave their screenshots in
# build/wasm/capturas.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "$raiz"

cmake -S . -B build/wasm -DZENER_WEB=ON -DCMAKE_TOOLCHAIN_FILE=cmake/wasm32-wasi.cmake \
  -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build build/wasm --target zener_web -j2

cd tests/navegador
node --test web*.test.mjs
