#!/usr/bin/env bash
# Installs, as root on Debian 12, whatever is missing for what is asked:
#   instalar.sh lanzar    the cross compiler, Wine and fonts: enough to run
#   instalar.sh           all of that, and the test, web and browser stack
# Safe to run again.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "$raiz"
. scripts/comun.sh

# Both Windows builds and Wine's 64-bit half always; its 32-bit loader only
# where this kernel runs 32-bit code.
paquetes=(cmake make g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64
  binutils-mingw-w64-x86-64 wine wine64 fonts-liberation fonts-wine)
nucleo_ejecuta_32_bits && paquetes+=(wine32:i386)
if [ "${1:-todo}" != lanzar ]; then
  paquetes+=(g++ googletest libgtest-dev xvfb xauth imagemagick locales clang-format clang
    libclang-rt-14-dev libbenchmark-dev python3
    clang-22 lld-22 libc++-22-dev-wasm32 libc++abi-22-dev-wasm32 libclang-rt-22-dev-wasm32
    wasi-libc binaryen chromium poppler-utils ngspice)
  command -v node >/dev/null 2>&1 || paquetes+=(nodejs npm)
fi

faltan=()
for p in "${paquetes[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || faltan+=("$p")
done
if [ ${#faltan[@]} -gt 0 ]; then
  echo "Instalando: ${faltan[*]}"
  if [[ " ${faltan[*]} " == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${faltan[@]}" >/dev/null
fi

[ "${1:-todo}" = lanzar ] && exit 0

# The number tests run once under a comma-decimal locale.
if ! locale -a 2>/dev/null | grep -qi '^es_ES\.utf-\?8$'; then
  localedef -i es_ES -f UTF-8 es_ES.UTF-8
fi

# The browser tests' driver, from the lock file; it never downloads a browser.
(cd tests/navegador &&
  PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --silent)
