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

const PATRON_DIRECCION = /ZENER_DIRECCION_WEB(?::STRING=| ")([^"\n]+)/;
const direccionEn = (archivo) => existsSync(archivo) ? readFileSync(archivo, 'utf8').match(PATRON_DIRECCION)?.[1] : undefined;

// The address the pictures open, as the page's build was configured or, for
// a page built elsewhere, the build's default; a page built with the default
// (an example domain's, no site) opens itself, at `direccionPagina`.
export function direccionConfigurada() {
  const configurada = direccionEn(join(CARPETA_PAGINA, '../CMakeCache.txt')) ?? direccionPorDefecto();
  if (!configurada) throw new Error('the web address is set nowhere');
  return configurada;
}

const direccionPorDefecto = () => direccionEn(join(aqui, '../../CMakeLists.txt'));

export function direccionWeb(direccionPagina) {
  const configurada = direccionConfigurada();
  return configurada === direccionPorDefecto() ? direccionPagina : configurada;
}

export const servirPagina = (carpeta = CARPETA_PAGINA, puerto = 0) => servirCarpeta(carpeta, puerto);

// The browser and server for one test file; each test opens its own page,
// at the page's address followed by `resto` (a "#" and a design, say),
// `preparar` having been given its browser context first; unless `listo`
// is false, it waits for the page to be ready.
export async function prepararEntorno() {
  const servidor = await servirPagina();
  const navegador = await abrirNavegador();
  return {
    servidor,
    navegador,
    async abrir(opciones = {}, resto = '', preparar = async () => {}, { listo = true } = {}) {
      const contexto = await navegador.newContext({ viewport: { width: 1024, height: 900 }, ...opciones });
      await preparar(contexto);
      const pagina = await contexto.newPage();
      const errores = [];
      pagina.on('pageerror', (e) => errores.push(e));
      await pagina.goto(servidor.direccion + resto, { waitUntil: listo ? 'load' : 'commit' });
      if (listo) await pagina.waitForSelector('html[data-listo="si"]');
      return { pagina, contexto, errores };
    },
    async cerrar() {
      await navegador.close();
      await servidor.cerrar();
    },
  };
}
