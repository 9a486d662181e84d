#!/usr/bin/env bash
# Checks the shipped 32-bit program without running it, so that it is checked
# on every machine, also where no 32-bit code runs: a PE32 GUI executable that
# imports only system DLLs, at most 700 KB, and whose own libraries do no x87
# arithmetic (the x87 unit's extended precision changes last digits and rule
# boundaries; loading or storing a double that crosses a call is harmless).
#   comprobar-exe32.sh BUILD_FOLDER
set -uo pipefail
construccion=$1
programa=$construccion/ui/win32/zener.exe
objdump=i686-w64-mingw32-objdump
readonly kMayorBytes=$((700 * 1024))
sistema='^(advapi32|comctl32|gdi32|gdiplus|kernel32|msvcrt|ole32|shell32|shlwapi|user32)\.dll$'
x87='f(add|sub|subr|mul|div|divr)p?|fi(add|sub|subr|mul|div|divr)'

fallos=0
fallo() {
  echo "zener.exe: $*" >&2
  fallos=$((fallos + 1))
}

cabecera=$($objdump -p "$programa") || { echo "objdump no puede leer $programa" >&2; exit 1; }
grep -q 'file format pei-i386' <<<"$cabecera" || fallo "no es un PE32 (pei-i386)"
grep -qE '^Subsystem[[:space:]]+0+2[[:space:]]' <<<"$cabecera" ||
  fallo "no es un programa de ventana (subsistema GUI)"

dlls=$(grep -oP 'DLL Name: \K\S+' <<<"$cabecera" | tr '[:upper:]' '[:lower:]')
[ -n "$dlls" ] || fallo "no importa ninguna DLL"
for dll in $dlls; do
  grep -qE "$sistema" <<<"$dll" || fallo "importa $dll, que no es una DLL del sistema"
done

bytes=$(stat -c %s "$programa")
[ "$bytes" -le "$kMayorBytes" ] || fallo "ocupa $bytes bytes, más de $kMayorBytes"

bibliotecas=$(find "$construccion" -name 'libzener_*.a' | sort)
[ -n "$bibliotecas" ] || fallo "no hay bibliotecas del proyecto en $construccion"
for biblioteca in $bibliotecas; do
  instrucciones=$($objdump -d -M intel --no-show-raw-insn "$biblioteca" |
    grep -oP "\t\K($x87)(?=\s)" | sort | uniq -c | tr -s ' \n' ' ')
  [ -z "$instrucciones" ] || fallo "aritmética x87 en $(basename "$biblioteca"):$instrucciones"
done

[ "$fallos" -eq 0 ] || exit 1
echo "zener.exe de 32 bits comprobado sin ejecutarlo: PE32 de ventana, $((bytes / 1024)) KB," \
  "importa solo del sistema ($(echo $dlls | tr ' ' ',')), sin aritmética x87 en" \
  "$(echo "$bibliotecas" | wc -l) bibliotecas propias"
