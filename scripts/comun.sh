# Sourced by the scripts: which Windows build runs under Wine here, the Wine
# environment for it, and configuring the builds (the cross builds once with
# their toolchain file, plainly afterwards: CMake warns when it is given again).

# Whether this kernel runs 32-bit code, found by trying: a 96-byte 32-bit
# Linux program whose only instruction is to exit with 42. Kernels built
# without 32-bit emulation refuse it with "Exec format error".
nucleo_ejecuta_32_bits() {
  mkdir -p build
  local sonda=build/.sonda-32-bits estado=0
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00'`
        `'\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00'`
        `'\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'`
        `'\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'`
        `'\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' >"$sonda"
  chmod +x "$sonda"
  "./$sonda" 2>/dev/null || estado=$?
  rm -f "$sonda"
  [ "$estado" -eq 42 ]
}

# Sets ZENER_BITS (32 or 64: the Windows build that runs under Wine here) and
# ZENER_MOTIVO (why, in one line). ZENER_WINE64=1 forces the 64-bit path, so
# that what a machine without 32-bit code does can be tried on any machine.
elegir_wine() {
  ZENER_BITS=64
  if [ "${ZENER_WINE64:-0}" = 1 ]; then
    ZENER_MOTIVO="ZENER_WINE64=1 pide el camino de 64 bits"
  elif ! nucleo_ejecuta_32_bits; then
    ZENER_MOTIVO="este núcleo no ejecuta código de 32 bits (emulación ia32 desactivada)"
  elif ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    ZENER_MOTIVO="el cargador de 32 bits de Wine no arranca aquí"
  else
    ZENER_BITS=32
    ZENER_MOTIVO="el núcleo ejecuta código de 32 bits y el cargador de 32 bits de Wine arranca"
  fi
}

# The build folder of each Windows build.
carpeta_windows() {  # BITS
  if [ "$1" = 32 ]; then echo build/win; else echo build/win64; fi
}

# Wine's environment for the BITS build; the 64-bit path puts wrappers of the
# 64-bit loader and server first on PATH, so CTest and every script follow.
usar_wine() {  # BITS
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [ "$1" = 32 ]; then
    export WINEARCH=win32
  else
    export WINEARCH=win64 PATH="$raiz/scripts/wine64:$PATH"
  fi
}

configurar_cruzado() {  # FOLDER TOOLCHAIN [CMAKE ARGUMENTS...]
  local carpeta=$1 cadena=$2
  shift 2
  if [ -f "$carpeta/CMakeCache.txt" ]; then
    cmake -S . -B "$carpeta" "$@" >/dev/null
  else
    cmake -S . -B "$carpeta" -DCMAKE_TOOLCHAIN_FILE="$cadena" "$@" >/dev/null
  fi
}
configurar_windows() {  # BITS
  local cadena=cmake/mingw-i686.cmake
  [ "$1" = 32 ] || cadena=cmake/mingw-x86_64.cmake
  configurar_cruzado "$(carpeta_windows "$1")" "$cadena" -DCMAKE_BUILD_TYPE=Release
}
configurar_web() {
  configurar_cruzado build/wasm cmake/wasm32-wasi.cmake -DZENER_WEB=ON -DCMAKE_BUILD_TYPE=MinSizeRel
}
