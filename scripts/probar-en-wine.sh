#!/usr/bin/env bash
# Runs the Windows build's tests under Wine on the display xvfb-run gives, in
# a throw-away prefix, and saves a screenshot of the window.
set -uo pipefail
construccion=$1

export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINEPREFIX=$(mktemp -d /tmp/zener-wine.XXXXXX)
export WINEPREFIX
trap 'wineserver -k 2>/dev/null; rm -rf "$WINEPREFIX"' EXIT

wineboot -i </dev/null >/dev/null 2>&1
# Wine's helpers would otherwise inherit CTest's pipes and keep it waiting.
wineserver -p 120
wine cmd /c exit </dev/null >/dev/null 2>&1

ctest --test-dir "$construccion" --output-on-failure
resultado=$?

wine "$construccion/ui/win32/zener.exe" </dev/null >/dev/null 2>&1 &
sleep 4
import -window root "$construccion/captura.png" && echo "Captura: $construccion/captura.png"
exit $resultado
