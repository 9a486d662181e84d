#!/usr/bin/env bash
# Times the batch of this tree's zener-diseno against a reference commit's,
# built here in Release from the commit's own files (never committed), on the
# same seeded designs as people ask for them: 300 000 rows in groups of run
# options (ripple, ambient range). Runs alternate, reference then current,
# three times, so that the machine's load falls on both alike; each prints its
# CPU seconds (user + system) and the median ratio. The reference reads six
# columns and no mounting, so both take the six; the current one runs a third
# time on the rows with their Montaje column as well.
#   medir-referencia.sh [COMMIT] [FILAS]
# Exits non-zero when the current build takes more than twice the reference.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "$raiz"
referencia=${1:-a7b2050}
filas=${2:-300000}
readonly semilla=2027 vueltas=3 meta=2
trabajo=build/referencia
fuente=$trabajo/fuente-$referencia

cmake -S . -B build/rel -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/rel --target zener-diseno muestra_lotes -j2 >/dev/null
if [ ! -d "$fuente" ]; then
  mkdir -p "$fuente"
  git archive "$referencia" | tar -x -C "$fuente"
fi
cmake -S "$fuente" -B "$fuente/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$fuente/build" --target zener-diseno -j2 >/dev/null

muestra=$trabajo/muestra
rm -rf "$muestra" && mkdir -p "$muestra"
build/rel/bench/muestra_lotes "$filas" "$semilla" "$muestra"
for csv in "$muestra"/grupo_*.csv; do cut -d';' -f1-6 "$csv" >"${csv%.csv}.seis"; done

# CPU seconds of one build over every group: $1 the tool, $2 the files' ending.
segundos() {
  local grupo opciones tiempos=$muestra/tiempos
  : >"$tiempos"
  for grupo in "$muestra"/grupo_*."$2"; do
    mapfile -t opciones <"${grupo%.*}.opciones"
    # Exit 1 only says that some row does not build.
    /usr/bin/time -a -o "$tiempos" -f '%U+%S' "$1" --lotes "$grupo" "${opciones[@]}" \
      -o "$muestra/salida.csv" >/dev/null 2>&1 || [ $? -eq 1 ]
  done
  awk -F+ '/^[0-9]/ { s += $1 + $2 } END { print s }' "$tiempos"
}

declare -a ref act mon
for ((v = 0; v < vueltas; v++)); do
  ref+=("$(segundos "$fuente/build/cli/zener-diseno" seis)")
  act+=("$(segundos build/rel/cli/zener-diseno seis)")
  mon+=("$(segundos build/rel/cli/zener-diseno csv)")
done
python3 - "$referencia" "$filas" "$meta" "${ref[*]}" "${act[*]}" "${mon[*]}" <<'PY'
import statistics, sys
referencia, filas, meta = sys.argv[1], int(sys.argv[2]), float(sys.argv[3])
ref, act, mon = ([float(x) for x in a.split()] for a in sys.argv[4:7])
def linea(nombre, tiempos):
    m = statistics.median(tiempos)
    print("%-40s %s  median %6.2f s  %7.0f rows/s" % (
        nombre, " ".join("%6.2f" % t for t in tiempos), m, filas / m))
    return m
r = linea("reference %s, six columns" % referencia, ref)
a = linea("current, six columns", act)
m = linea("current, with the Montaje column", mon)
print("current / reference: %.2f x, with Montaje %.2f x (target %.1f x) %s" % (
    a / r, m / r, meta, "ok" if a / r <= meta else "MISSED"))
sys.exit(0 if a / r <= meta else 1)
PY
