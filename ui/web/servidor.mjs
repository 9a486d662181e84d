// A static server for the built page on 127.0.0.1, for scripts/web.sh and
// the browser tests: each file with its type, and its precompressed copy when
// the browser accepts that encoding. Every response is revalidated (no-cache
// with an ETag), so that a new build is seen at once and an unchanged file
// costs a 304.
//
//     node servidor.mjs CARPETA [PUERTO]
import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import { extname, join, resolve, sep } from 'node:path';
import { fileURLToPath } from 'node:url';

import { CODIFICACIONES } from './empaquetar.mjs';

export const TIPOS = {
  '.html': 'text/html; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json',
  '.gif': 'image/gif',
  '.jpg': 'image/jpeg',
  '.png': 'image/png',
  '.ico': 'image/x-icon',
};

// The encodings the request accepts (q above zero), by name.
function aceptadas(cabecera = '') {
  const nombres = new Set();
  for (const parte of cabecera.split(',')) {
    const [nombre, ...parametros] = parte.trim().toLowerCase().split(';');
    const q = parametros.map((p) => p.trim()).find((p) => p.startsWith('q='));
    if (nombre && (q === undefined || Number(q.slice(2)) > 0)) nombres.add(nombre);
  }
  return nombres;
}

async function datosDe(ruta) {
  const info = await stat(ruta).catch(() => null);
  return info?.isFile() ? info : null;
}

// The file to send for the path, and its encoding: the first precompressed
// copy the browser accepts, or the file itself.
async function elegir(archivo, aceptaEncabezado) {
  const acepta = aceptadas(aceptaEncabezado);
  for (const { nombre, extension } of CODIFICACIONES) {
    if (!acepta.has(nombre)) continue;
    const info = await datosDe(archivo + extension);
    if (info) return { ruta: archivo + extension, info, codificacion: nombre };
  }
  const info = await datosDe(archivo);
  return info && { ruta: archivo, info, codificacion: null };
}

async function responder(raiz, peticion, respuesta) {
  const camino = decodeURIComponent(new URL(peticion.url, 'http://x').pathname);
  const archivo = resolve(join(raiz, camino.endsWith('/') ? `${camino}index.html` : camino));
  const elegido = archivo.startsWith(raiz + sep) && TIPOS[extname(archivo)]
    ? await elegir(archivo, peticion.headers['accept-encoding'])
    : null;
  if (!elegido) {
    respuesta.writeHead(404).end();
    return;
  }
  if (!['GET', 'HEAD'].includes(peticion.method)) {
    respuesta.writeHead(405, { allow: 'GET, HEAD' }).end();
    return;
  }
  const { ruta, info, codificacion } = elegido;
  const etiqueta = `"${info.size.toString(36)}-${Math.trunc(info.mtimeMs).toString(36)}"`;
  const cabeceras = {
    'content-type': TIPOS[extname(archivo)],
    'cache-control': 'no-cache',
    etag: etiqueta,
    vary: 'Accept-Encoding',
    ...(codificacion && { 'content-encoding': codificacion }),
  };
  if (peticion.headers['if-none-match'] === etiqueta) {
    respuesta.writeHead(304, cabeceras).end();
    return;
  }
  const cuerpo = peticion.method === 'HEAD' ? null : await readFile(ruta);
  respuesta.writeHead(200, { ...cabeceras, 'content-length': info.size });
  respuesta.end(cuerpo);
}

export async function servirCarpeta(carpeta, puerto = 0) {
  const raiz = resolve(carpeta);
  const servidor = createServer((peticion, respuesta) => {
    responder(raiz, peticion, respuesta).catch(() => {
      if (!respuesta.headersSent) respuesta.writeHead(400);
      respuesta.end();
    });
  });
  await new Promise((listo) => servidor.listen(puerto, '127.0.0.1', listo));
  return {
    direccion: `http://127.0.0.1:${servidor.address().port}/`,
    puerto: servidor.address().port,
    cerrar: () => new Promise((listo) => {
      servidor.close(listo);
      servidor.closeAllConnections();
    }),
  };
}

if (process.argv[1] && fileURLToPath(import.meta.url) === process.argv[1]) {
  const [carpeta, puerto = '8000'] = process.argv.slice(2);
  const { direccion } = await servirCarpeta(carpeta, Number(puerto));
  console.log(`Sirviendo ${carpeta} en ${direccion} (Ctrl+C para terminar).`);
}
