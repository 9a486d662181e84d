// A static server on 127.0.0.1 for the built page, on a free port, and the
// browser page the tests drive.
import { createServer } from 'node:http';
import { existsSync, readFileSync } from 'node:fs';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

import { abrirNavegador } from './chromium.mjs';

const aqui = fileURLToPath(new URL('.', import.meta.url));
export const CARPETA_PAGINA = resolve(process.env.ZENER_PAGINA ?? join(aqui, '../../build/wasm/pagina'));
export const CARPETA_CAPTURAS = resolve(join(aqui, '../../build/wasm/capturas'));

// The address the pictures open: as the page's build was configured, or the
// build's default for a page built elsewhere.
export function direccionWeb() {
  const patron = /ZENER_DIRECCION_WEB(?::STRING=| ")([^"\n]+)/;
  for (const archivo of [join(CARPETA_PAGINA, '../CMakeCache.txt'), join(aqui, '../../CMakeLists.txt')]) {
    if (!existsSync(archivo)) continue;
    const encontrada = readFileSync(archivo, 'utf8').match(patron);
    if (encontrada) return encontrada[1];
  }
  throw new Error('the web address is set nowhere');
}

const TIPOS = {
  '.html': 'text/html; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.gif': 'image/gif',
  '.jpg': 'image/jpeg',
};

export async function servirPagina() {
  const servidor = createServer(async (peticion, respuesta) => {
    const ruta = decodeURIComponent(new URL(peticion.url, 'http://x').pathname);
    const archivo = normalize(join(CARPETA_PAGINA, ruta === '/' ? 'index.html' : ruta));
    try {
      if (!archivo.startsWith(CARPETA_PAGINA)) throw new Error('fuera');
      const cuerpo = await readFile(archivo);
      respuesta.writeHead(200, { 'content-type': TIPOS[extname(archivo)] ?? 'application/octet-stream' });
      respuesta.end(cuerpo);
    } catch {
      respuesta.writeHead(404).end();
    }
  });
  await new Promise((listo) => servidor.listen(0, '127.0.0.1', listo));
  const { port } = servidor.address();
  return {
    direccion: `http://127.0.0.1:${port}/`,
    cerrar: () => new Promise((listo) => servidor.close(listo)),
  };
}

// The browser and server for one test file; each test opens its own page.
export async function prepararEntorno() {
  const servidor = await servirPagina();
  const navegador = await abrirNavegador();
  return {
    servidor,
    navegador,
    async abrir(opciones = {}) {
      const contexto = await navegador.newContext({ viewport: { width: 1024, height: 900 }, ...opciones });
      const pagina = await contexto.newPage();
      const errores = [];
      pagina.on('pageerror', (e) => errores.push(e));
      await pagina.goto(servidor.direccion);
      await pagina.waitForSelector('html[data-listo="si"]');
      return { pagina, contexto, errores };
    },
    async cerrar() {
      await navegador.close();
      await servidor.cerrar();
    },
  };
}
