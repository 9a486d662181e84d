#!/usr/bin/env bash
# Builds the calculator for Windows and starts it; on Linux under Wine.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "$raiz"
bash scripts/instalar.sh lanzar

. scripts/comun.sh
configurar_windows
cmake --build build/win --target zener -j"$(nproc)"
programa=build/win/ui/win32/zener.exe
echo "Programa: $raiz/$programa"

if [ -z "${DISPLAY:-}" ]; then
  echo "No hay pantalla (DISPLAY no está definido): no se puede mostrar la ventana." >&2
  echo "Arranque una sesión gráfica o use: xvfb-run bash scripts/lanzar.sh" >&2
  exit 1
fi
export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=${WINEPREFIX:-$HOME/.wine-zener}
exec wine "$programa"
