#!/usr/bin/env bash
# The web page's figures, in headless chromium with the page served locally
# as scripts/web.sh serves it (precompressed), beside a blank page's from the
# same server in the same run, and the Windows program's start-up as
# scripts/medir.sh last measured it.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "$raiz"

. scripts/comun.sh
configurar_web
cmake --build build/wasm --target zener_web -j2 >/dev/null
# How busy the machine is, which every figure below depends on.
export ZENER_CARGA_ANTES=$(cut -d' ' -f1 /proc/loadavg)
(cd tests/navegador && node web-medir.mjs) >build/wasm/medidas.json

python3 - <<'PY'
import json, os, re
m = json.load(open("build/wasm/medidas.json"))
print("machine load (1-minute average) %s before, %s after, on %d cores" % (
      os.environ["ZENER_CARGA_ANTES"], open("/proc/loadavg").read().split()[0], os.cpu_count()))
def fila(nombre, valor, unidad, meta):
    print("%-48s %8.1f %-3s (target %5g %s) %s" % (nombre, valor, unidad, meta, unidad,
                                                  "ok" if valor <= meta else "MISSED"))
fila("page load to interactive (median of 9 cold loads)", m["carga_ms"], "ms", 300)
print("%-48s %s ms" % ("  the nine loads", " ".join("%.0f" % c for c in sorted(m["cargas_ms"]))))
print("%-48s %8.1f ms (ready %.1f ms)" % ("blank page's first paint, same server and run",
      m["blanca_pintada_ms"], m["blanca_carga_ms"]))
fila("first contentful paint / the blank page's", m["pintada_ms"] / m["blanca_pintada_ms"], "x", 1.5)
fila("ready / the blank page's", m["carga_ms"] / m["blanca_carga_ms"], "x", 2.5)
print("%-48s %8.1f ms (ready %.1f ms); keys typed from it %s" % (
      "4x slower CPU, slow 4G: window drawn, typing kept", m["lenta_pintada_ms"], m["lenta_carga_ms"],
      "kept" if m["lenta_teclas_guardadas"] else "LOST"))
print("%-48s %8.1f KB (%.1f KB uncompressed)" % ("bytes transferred by one cold load",
      m["transferidos_bytes"] / 1024, m["descomprimidos_bytes"] / 1024))
fila("zener.wasm size", m["wasm_bytes"] / 1024, "KB", 300)
fila("Enter on CALCULAR to the four labels written", m["enter_etiquetas_ms"], "ms", 16)
fila("Enter on CALCULAR to the next frame", m["enter_fotograma_ms"], "ms", 16)
medidos = []
for carpeta in ("build/win", "build/win64"):
    ruta = carpeta + "/arranque_zener.txt"
    texto = open(ruta).read() if os.path.exists(ruta) else ""
    win = dict((k, float(v)) for k, v in re.findall(r"(\w+)=([\d.]+)", texto))
    if "arranque_ms" in win:
        medidos.append((os.path.getmtime(ruta), carpeta, win["arranque_ms"]))
if medidos:
    _, carpeta, ms = max(medidos)
    print("%-48s %8.1f ms (web page: %.1f ms)" % (
        "zener.exe start-up under Wine (%s, scripts/medir.sh)" % carpeta, ms, m["carga_ms"]))
else:
    print("zener.exe start-up: not measured yet; scripts/medir.sh writes it")
PY
