// The built page served on 127.0.0.1, on a free port, as scripts/web.sh
// serves it, and the browser page the tests drive.
import { existsSync, mkdirSync, readFileSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

import { servirCarpeta } from '../../ui/web/servidor.mjs';
import { abrirNavegador } from './chromium.mjs';

const aqui = fileURLToPath(new URL('.', import.meta.url));
export const CARPETA_PAGINA = resolve(process.env.ZENER_PAGINA ?? join(aqui, '../../build/wasm/pagina'));
export const CARPETA_CAPTURAS = resolve(join(aqui, '../../build/wasm/capturas'));
// Whichever test file runs first saves into it.
mkdirSync(CARPETA_CAPTURAS, { recursive: true });

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

export const servirPagina = (carpeta = CARPETA_PAGINA, puerto = 0) => servirCarpeta(carpeta, puerto);

// The browser and server for one test file; each test opens its own page,
// at the page's address followed by `resto` (a "#" and a design, say).
export async function prepararEntorno() {
  const servidor = await servirPagina();
  const navegador = await abrirNavegador();
  return {
    servidor,
    navegador,
    async abrir(opciones = {}, resto = '') {
      const contexto = await navegador.newContext({ viewport: { width: 1024, height: 900 }, ...opciones });
      const pagina = await contexto.newPage();
      const errores = [];
      pagina.on('pageerror', (e) => errores.push(e));
      await pagina.goto(servidor.direccion + resto);
      await pagina.waitForSelector('html[data-listo="si"]');
      return { pagina, contexto, errores };
    },
    async cerrar() {
      await navegador.close();
      await servidor.cerrar();
    },
  };
}
