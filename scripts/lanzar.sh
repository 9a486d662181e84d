#!/usr/bin/env bash
# Builds the calculator for Windows and starts it; on Linux under Wine, as the
# 32-bit program where this machine runs 32-bit code, else as the 64-bit one.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "$raiz"
bash scripts/instalar.sh lanzar

. scripts/comun.sh
elegir_wine
[ "$ZENER_BITS" = 32 ] || echo "Se lanza el programa de 64 bits: $ZENER_MOTIVO."
configurar_windows "$ZENER_BITS"
cmake --build "$(carpeta_windows "$ZENER_BITS")" --target zener -j"$(nproc)"
programa=$(carpeta_windows "$ZENER_BITS")/ui/win32/zener.exe
echo "Programa: $raiz/$programa"

if [ -z "${DISPLAY:-}" ]; then
  echo "No hay pantalla (DISPLAY no está definido): no se puede mostrar la ventana." >&2
  echo "Arranque una sesión gráfica o use: xvfb-run bash scripts/lanzar.sh" >&2
  exit 1
fi
usar_wine "$ZENER_BITS"
# One prefix per kind: a 32-bit prefix cannot run the 64-bit program.
export WINEPREFIX=${WINEPREFIX:-$HOME/.wine-zener$([ "$ZENER_BITS" = 32 ] || echo 64)}
exec wine "$programa"
