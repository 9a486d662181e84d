#!/usr/bin/env bash
# Builds the calculator's web page (the same logic, compiled to WebAssembly)
# and serves it on this machine only, with its precompressed files.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "$raiz"
bash scripts/instalar.sh

. scripts/comun.sh
configurar_web
cmake --build build/wasm --target zener_web -j2

echo "The page is in build/wasm/pagina. Point the browser at http://127.0.0.1:8000/ (Ctrl+C stops)."
exec node ui/web/servidor.mjs build/wasm/pagina 8000
