// The page's figures in headless chromium, served locally as scripts/web.sh
// serves it: first contentful paint and load to interactive over cold loads
// (a fresh context each: no cache, no service worker), each beside a blank
// page's from the same server, loaded in turn with it so that both see the
// same machine; the same on a slow phone, with keys typed from the window's
// first paint; the bytes one load transferred, module size, and Enter on
// CALCULAR to the four labels written. Prints one JSON object.
import { mkdtempSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

import { CARPETA_PAGINA, prepararEntorno, servirPagina } from './web-servidor.mjs';
import { EJEMPLO_A, teclearValores } from './web-ventana.mjs';

// The blank page: a paragraph, and a module that compiles the smallest
// WebAssembly module (its 8-byte header) and marks itself ready as the
// calculator does.
const MODULO_MINIMO = Uint8Array.of(0x00, 0x61, 0x73, 0x6d, 0x01, 0x00, 0x00, 0x00);
function escribirPaginaEnBlanco() {
  const carpeta = mkdtempSync(join(tmpdir(), 'zener-blanca-'));
  writeFileSync(join(carpeta, 'index.html'), '<!doctype html><html lang="es"><meta charset="utf-8">'
    + '<title>En blanco</title><p>Página en blanco.</p><script type="module" src="blanca.mjs"></script>');
  writeFileSync(join(carpeta, 'blanca.mjs'), "await WebAssembly.compileStreaming(fetch('minimo.wasm'));\n"
    + "document.documentElement.dataset.listo = 'si';\nperformance.mark('zener-listo');\n");
  writeFileSync(join(carpeta, 'minimo.wasm'), MODULO_MINIMO);
  return carpeta;
}

// When the first content was painted and when the page was ready, in ms.
async function tiempos(pagina) {
  await pagina.waitForFunction(() => performance.getEntriesByName('first-contentful-paint').length > 0
    && performance.getEntriesByName('zener-listo').length > 0);
  return pagina.evaluate(() => ({
    pintada: performance.getEntriesByName('first-contentful-paint')[0].startTime,
    lista: performance.getEntriesByName('zener-listo')[0].startTime,
  }));
}

// A phone's lot: a CPU four times slower and a slow network (Chrome's
// "Slow 4G"). The window takes keys from its first paint; those typed
// before the module is ready must be in its fields once it is.
const LENTO = {
  cpu: 4,
  red: { offline: false, latency: 150, downloadThroughput: 1.6e6 / 8, uploadThroughput: 750e3 / 8 },
  veces: 3,
  teclas: '12\n15\n',
  campos: ['12,00', '15,00'],
};

async function cargaLenta(navegador, direccion) {
  const contexto = await navegador.newContext({ viewport: { width: 1024, height: 900 } });
  try {
    const pagina = await contexto.newPage();
    const cdp = await contexto.newCDPSession(pagina);
    await cdp.send('Emulation.setCPUThrottlingRate', { rate: LENTO.cpu });
    await cdp.send('Network.enable');
    await cdp.send('Network.emulateNetworkConditions', LENTO.red);
    await pagina.goto(direccion, { waitUntil: 'commit' });
    await pagina.locator('#txtVeMin').waitFor();
    await pagina.keyboard.type(LENTO.teclas);
    await pagina.waitForSelector('html[data-listo="si"]', { timeout: 60_000 });
    const { pintada, lista, campos } = await pagina.evaluate(() => ({
      pintada: performance.getEntriesByName('first-contentful-paint')[0].startTime,
      lista: performance.getEntriesByName('zener-listo')[0].startTime,
      campos: ['txtVeMin', 'txtVeMax'].map((id) => document.getElementById(id).value),
    }));
    return { pintada, lista, guardadas: campos.join() === LENTO.campos.join() };
  } finally {
    await contexto.close();
  }
}

const VECES = 9;
const mediana = (v) => [...v].sort((a, b) => a - b)[Math.floor(v.length / 2)];

const entorno = await prepararEntorno();
const carpetaBlanca = escribirPaginaEnBlanco();
const blanca = await servirPagina(carpetaBlanca);
try {
  const cargas = [];
  const pintadas = [];
  const blancas = [];
  let bytes;
  for (let i = 0; i < VECES; ++i) {
    const contextoBlanco = await entorno.navegador.newContext();
    const paginaBlanca = await contextoBlanco.newPage();
    await paginaBlanca.goto(blanca.direccion);
    blancas.push(await tiempos(paginaBlanca));
    await contextoBlanco.close();

    const { pagina, contexto } = await entorno.abrir();
    const { pintada, lista } = await tiempos(pagina);
    cargas.push(lista);
    pintadas.push(pintada);
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

  const lentas = [];
  for (let i = 0; i < LENTO.veces; ++i) lentas.push(await cargaLenta(entorno.navegador, entorno.servidor.direccion));

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
    pintada_ms: mediana(pintadas),
    blanca_carga_ms: mediana(blancas.map((b) => b.lista)),
    blanca_pintada_ms: mediana(blancas.map((b) => b.pintada)),
    transferidos_bytes: bytes.transferidos,
    descomprimidos_bytes: bytes.descomprimidos,
    wasm_bytes: statSync(join(CARPETA_PAGINA, 'zener.wasm')).size,
    lenta_pintada_ms: mediana(lentas.map((l) => l.pintada)),
    lenta_carga_ms: mediana(lentas.map((l) => l.lista)),
    lenta_teclas_guardadas: lentas.every((l) => l.guardadas),
    enter_etiquetas_ms: mediana(medidas.map((m) => m.escritas)),
    enter_fotograma_ms: mediana(medidas.map((m) => m.fotograma)),
  }));
} finally {
  await blanca.cerrar();
  rmSync(carpetaBlanca, { recursive: true });
  await entorno.cerrar();
}
