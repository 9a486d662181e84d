# Sourced by the scripts: configuring the cross builds once with their
# toolchain file, and plainly afterwards (CMake warns when it is given again).
configurar_cruzado() {  # FOLDER TOOLCHAIN [CMAKE ARGUMENTS...]
  local carpeta=$1 cadena=$2
  shift 2
  if [ -f "$carpeta/CMakeCache.txt" ]; then
    cmake -S . -B "$carpeta" "$@" >/dev/null
  else
    cmake -S . -B "$carpeta" -DCMAKE_TOOLCHAIN_FILE="$cadena" "$@" >/dev/null
  fi
}
configurar_windows() {
  configurar_cruzado build/win cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release
}
configurar_web() {
  configurar_cruzado build/wasm cmake/wasm32-wasi.cmake -DZENER_WEB=ON -DCMAKE_BUILD_TYPE=MinSizeRel
}
