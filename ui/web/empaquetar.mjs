// Finishes the built page folder for serving: writes the service worker with
// the list of files it caches and a cache name made from their hash, so that
// every build that changes a byte is a new cache, and writes a gzip and a
// brotli copy beside each file that compresses, for servers that send them
// as they are. Run by the build after copying the page's files:
//
//     node empaquetar.mjs CARPETA PLANTILLA_DEL_TRABAJADOR
import { createHash } from 'node:crypto';
import { existsSync, readdirSync, readFileSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { basename, extname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { brotliCompressSync, constants, gzipSync } from 'node:zlib';

export const TRABAJADOR = 'trabajador.js';

// What each precompressed copy is called, and how it is made.
export const CODIFICACIONES = [
  { nombre: 'br', extension: '.br', comprimir: (datos) => brotliCompressSync(datos, {
    params: { [constants.BROTLI_PARAM_QUALITY]: 11, [constants.BROTLI_PARAM_SIZE_HINT]: datos.length },
  }) },
  { nombre: 'gzip', extension: '.gz', comprimir: (datos) => gzipSync(datos, { level: 9 }) },
];
const COMPRIMIBLES = new Set(['.html', '.css', '.mjs', '.js', '.wasm', '.webmanifest', '.ico']);
// A copy that saves less than this is not worth a second file.
const AHORRO_MINIMO = 0.9;

const esCopia = (archivo) => CODIFICACIONES.some(({ extension }) => archivo.endsWith(extension));

function archivosDeLaPagina(carpeta) {
  return readdirSync(carpeta)
    .filter((archivo) => !esCopia(archivo) && archivo !== TRABAJADOR)
    .filter((archivo) => statSync(join(carpeta, archivo)).isFile())
    .sort();
}

function escribirTrabajador(carpeta, plantilla, archivos) {
  const hash = createHash('sha256');
  for (const archivo of archivos) hash.update(`${archivo}\0`).update(readFileSync(join(carpeta, archivo)));
  hash.update(readFileSync(plantilla));
  const version = `zener-${hash.digest('hex').slice(0, 16)}`;
  const lista = JSON.stringify(['./', ...archivos]);
  const cabecera = `const VERSION = '${version}';\nconst ARCHIVOS = ${lista};\n`;
  const texto = cabecera + readFileSync(plantilla, 'utf8');
  const ruta = join(carpeta, TRABAJADOR);
  // Rewritten only when it changes, so that its compressed copies stay.
  if (!existsSync(ruta) || readFileSync(ruta, 'utf8') !== texto) writeFileSync(ruta, texto);
  return version;
}

// Rewrites the copies of files newer than them, and removes copies left
// without their file or that no longer pay.
function comprimir(carpeta) {
  for (const archivo of readdirSync(carpeta)) {
    const ruta = join(carpeta, archivo);
    if (esCopia(archivo)) {
      const original = ruta.slice(0, -extname(ruta).length);
      if (!COMPRIMIBLES.has(extname(original)) || !statSync(original, { throwIfNoEntry: false })) {
        rmSync(ruta);
      }
      continue;
    }
    if (!COMPRIMIBLES.has(extname(archivo))) continue;
    const modificado = statSync(ruta).mtimeMs;
    let datos;
    for (const { extension, comprimir: hacer } of CODIFICACIONES) {
      const copia = ruta + extension;
      if ((statSync(copia, { throwIfNoEntry: false })?.mtimeMs ?? -1) >= modificado) continue;
      datos ??= readFileSync(ruta);
      const comprimido = hacer(datos);
      if (comprimido.length <= datos.length * AHORRO_MINIMO) writeFileSync(copia, comprimido);
      else rmSync(copia, { force: true });
    }
  }
}

export function empaquetar(carpeta, plantilla) {
  const version = escribirTrabajador(carpeta, plantilla, archivosDeLaPagina(carpeta));
  comprimir(carpeta);
  return version;
}

if (process.argv[1] && fileURLToPath(import.meta.url) === process.argv[1]) {
  const [carpeta, plantilla] = process.argv.slice(2);
  if (!carpeta || !plantilla) {
    console.error(`uso: node ${basename(process.argv[1])} CARPETA PLANTILLA_DEL_TRABAJADOR`);
    process.exit(2);
  }
  console.log(`${carpeta}: ${empaquetar(carpeta, plantilla)}`);
}
