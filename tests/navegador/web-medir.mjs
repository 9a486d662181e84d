// The page's figures in headless chromium, served locally as scripts/web.sh
// serves it: load to interactive over cold loads (a fresh context each: no
// cache, no service worker), the bytes one of them transferred, module size,
// and Enter on CALCULAR to the four labels written. Prints one JSON object.
import { statSync } from 'node:fs';
import { join } from 'node:path';

import { CARPETA_PAGINA, prepararEntorno } from './web-servidor.mjs';
import { EJEMPLO_A, teclearValores } from './web-ventana.mjs';

const VECES = 9;
const mediana = (v) => [...v].sort((a, b) => a - b)[Math.floor(v.length / 2)];

const entorno = await prepararEntorno();
try {
  const cargas = [];
  let bytes;
  for (let i = 0; i < VECES; ++i) {
    const { pagina, contexto } = await entorno.abrir();
    cargas.push(await pagina.evaluate(() => performance.getEntriesByName('zener-listo')[0].startTime));
    // Everything the page loads, pictures and icon included; not what the
    // service worker fetches afterwards to cache the page.
    await pagina.waitForFunction(() => document.readyState === 'complete');
    bytes = await pagina.evaluate(() =>
      [...performance.getEntriesByType('navigation'), ...performance.getEntriesByType('resource')]
        .reduce((suma, e) => ({
          transferidos: suma.transferidos + e.transferSize,
          descomprimidos: suma.descomprimidos + e.decodedBodySize,
        }), { transferidos: 0, descomprimidos: 0 }));
    await contexto.close();
  }

  const { pagina } = await entorno.abrir();
  await teclearValores(pagina, EJEMPLO_A);
  await pagina.evaluate(() => {
    window.medidas = [];
    let pulsada = 0;
    document.addEventListener('keydown', (e) => { pulsada = e.timeStamp; }, true);
    new MutationObserver(() => {
      const escrita = performance.now();
      requestAnimationFrame(() => {
        window.medidas.push({ escritas: escrita - pulsada, fotograma: performance.now() - pulsada });
      });
    }).observe(document.getElementById('lblPzCon'), { childList: true, characterData: true, subtree: true });
  });
  const medidas = [];
  for (let i = 0; i < VECES * 2; ++i) {
    // Another minimum Zener current each time, so that the labels change.
    await pagina.locator('#txtIzMin').focus();
    await pagina.keyboard.type(`${5 + i}\n`);
    await pagina.evaluate(() => { window.medidas = []; });
    await pagina.keyboard.press('Enter');
    await pagina.waitForFunction(() => window.medidas.length > 0);
    medidas.push(await pagina.evaluate(() => window.medidas.at(-1)));
  }
  console.log(JSON.stringify({
    carga_ms: mediana(cargas),
    cargas_ms: cargas,
    transferidos_bytes: bytes.transferidos,
    descomprimidos_bytes: bytes.descomprimidos,
    wasm_bytes: statSync(join(CARPETA_PAGINA, 'zener.wasm')).size,
    enter_etiquetas_ms: mediana(medidas.map((m) => m.escritas)),
    enter_fotograma_ms: mediana(medidas.map((m) => m.fotograma)),
  }));
} finally {
  await entorno.cerrar();
}
