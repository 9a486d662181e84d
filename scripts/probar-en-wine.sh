#!/usr/bin/env bash
# Runs a Windows build's tests under Wine on the display xvfb-run gives, in
# throw-away prefixes: every test at 96 dots per inch, then the window's scale
# tests and the whole-figure scenarios at 144 (150 %), keeping a screenshot of
# the window at each scale.
#   probar-en-wine.sh BITS   (32 or 64: the build of that many bits)
set -uo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
. "$raiz/scripts/comun.sh"
construccion=$raiz/$(carpeta_windows "$1")
usar_wine "$1"

# A fresh prefix whose screen has the given scale.
preparar() {
  WINEPREFIX=$(mktemp -d /tmp/zener-wine.XXXXXX)
  export WINEPREFIX
  wineboot -i </dev/null >/dev/null 2>&1
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
    </dev/null >/dev/null 2>&1
  wineserver -w
  # Wine's helpers would otherwise inherit CTest's pipes and keep it waiting.
  wineserver -p 120
  wine cmd /c exit </dev/null >/dev/null 2>&1
}
terminar() {
  wineserver -k 2>/dev/null
  rm -rf "$WINEPREFIX"
}
trap terminar EXIT

captura() {  # the scale; the window's picture as the tests saved it, in PNG
  bmp=$construccion/captura-$1.bmp
  [ -f "$bmp" ] && convert "$bmp" "$construccion/captura-$1.png" && rm "$bmp" &&
    echo "Captura a $1 ppp: $construccion/captura-$1.png"
}

preparar 96
ZENER_CAPTURA="Z:$construccion/captura-96.bmp" ctest --test-dir "$construccion" --output-on-failure
resultado=$?
captura 96
terminar

# At 144 as well: the scale tests, and the scenarios whose figures must be
# whole in their boxes (their titles end in "entera").
preparar 144
ZENER_CAPTURA="Z:$construccion/captura-144.bmp" \
  wine "$construccion/e2e/pruebas_ventana.exe" --gtest_filter='Escala.*:Tabla/*Entera' </dev/null
resultado144=$?
captura 144
[ "$resultado" -eq 0 ] && [ "$resultado144" -eq 0 ]
