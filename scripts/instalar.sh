#!/usr/bin/env bash
# Installs, as root on Debian 12, whatever the build and the tests need and is
# missing. Safe to run again.
set -euo pipefail

paquetes=(cmake make g++ googletest libgtest-dev g++-mingw-w64-i686 binutils-mingw-w64-i686
  wine wine32:i386 xvfb xauth imagemagick fonts-liberation fonts-wine locales
  clang-format clang libclang-rt-14-dev libbenchmark-dev python3)

faltan=()
for p in "${paquetes[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || faltan+=("$p")
done
if [ ${#faltan[@]} -gt 0 ]; then
  echo "Instalando: ${faltan[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then dpkg --add-architecture i386; fi
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${faltan[@]}" >/dev/null
fi

# The number tests run once under a comma-decimal locale.
if ! locale -a 2>/dev/null | grep -qi '^es_ES\.utf-\?8$'; then
  localedef -i es_ES -f UTF-8 es_ES.UTF-8
fi
