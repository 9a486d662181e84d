// The page as a page: it installs and works offline, a new build replaces
// the cached one, a start that fails says why, printing gives the window
// without its buttons, the date and the design's link, and the whole
// report, and a dark scheme leaves the window as it is.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { fileURLToPath } from 'node:url';

import { empaquetar } from '../../ui/web/empaquetar.mjs';
import { abrirPerfil } from './chromium.mjs';
import { CARPETA_CAPTURAS, CARPETA_PAGINA, prepararEntorno, servirPagina } from './web-servidor.mjs';
import { CAMPOS, ETIQUETAS, calcularEjemplo, calma } from './web-ventana.mjs';

const PLANTILLA_TRABAJADOR = fileURLToPath(new URL('../../ui/web/trabajador.js', import.meta.url));

let entorno;
before(async () => {
  entorno = await prepararEntorno();
});
after(() => entorno?.cerrar());


const cachesDe = (pagina) => pagina.evaluate(() => caches.keys());

test('installs, reloads and calculates offline; a new build replaces the cached one', { timeout: 60_000 }, async () => {
  const carpeta = mkdtempSync(join(tmpdir(), 'zener-pagina-'));
  const perfil = mkdtempSync(join(tmpdir(), 'zener-perfil-'));
  cpSync(CARPETA_PAGINA, carpeta, { recursive: true });
  let servidor = await servirPagina(carpeta);
  const navegador = await abrirPerfil(perfil);
  try {
    const pagina = navegador.pages()[0] ?? await navegador.newPage();
    const errores = [];
    pagina.on('pageerror', (e) => errores.push(e));
    const cargar = async () => {
      await pagina.reload();
      await pagina.waitForSelector('html[data-listo="si"]');
    };
    await pagina.goto(servidor.direccion);
    await pagina.waitForSelector('html[data-listo="si"]');
    const modulo = await pagina.evaluate(() =>
      performance.getEntriesByType('resource').find((e) => e.name.endsWith('/zener.wasm')));
    assert.ok(modulo.encodedBodySize < modulo.decodedBodySize / 2, 'the module travels compressed');
    await pagina.waitForFunction(() => navigator.serviceWorker.controller !== null);
    assert.equal(await pagina.locator('#versionNueva').isVisible(), false, 'no notice on the first visit');
    const cdp = await navegador.newCDPSession(pagina);
    assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);
    const [primera] = await cachesDe(pagina);

    await servidor.cerrar();
    await cargar();
    await calcularEjemplo(pagina);

    // The next build, one element more: a new cache, the old one gone.
    const indice = join(carpeta, 'index.html');
    writeFileSync(indice, readFileSync(indice, 'utf8').replace('</main>', '<p id="nueva">2</p></main>'));
    const segunda = empaquetar(carpeta, PLANTILLA_TRABAJADOR);
    assert.notEqual(segunda, primera);
    servidor = await servirPagina(carpeta, servidor.puerto);
    await cargar();
    // Until the new worker has cached its build and dropped the old one
    // (the test's time limit bounds it).
    await pagina.evaluate(async (v) => {
      while ((await caches.keys()).join() !== v) await new Promise(requestAnimationFrame);
    }, segunda);
    // The page was opened from the old build: it says a new one is ready,
    // and reloads into it on request.
    assert.equal(await pagina.locator('#nueva').count(), 0, 'the old build until reloaded');
    await pagina.getByRole('button', { name: 'Recargar' }).click();
    await pagina.locator('#nueva').waitFor();
    await pagina.waitForSelector('html[data-listo="si"]');
    assert.equal(await pagina.locator('#versionNueva').isVisible(), false, 'no notice on the new build');
    await servidor.cerrar();
    await cargar();
    assert.equal(await pagina.locator('#nueva').count(), 1, 'the new build, offline');
    await calcularEjemplo(pagina);
    assert.deepEqual(errores, []);
  } finally {
    await navegador.close();
    await servidor.cerrar();
    rmSync(carpeta, { recursive: true });
    rmSync(perfil, { recursive: true });
  }
});

// What goes wrong with the page's code, and the words the user reads.
const FALLOS = [
  ['the module missing', (c) => c.route('**/zener.wasm', (r) => r.fulfill({ status: 404 })),
    /zener\.wasm: el servidor respondió 404/],
  ['the module with the wrong type', (c) => c.route('**/zener.wasm', (r) => r.fulfill({
    contentType: 'text/html', body: '<!doctype html>' })), /como «text\/html» y no como «application\/wasm»/],
  ['bytes that are no module', (c) => c.route('**/zener.wasm', (r) => r.fulfill({
    contentType: 'application/wasm', body: 'nada' })), /zener\.wasm no es un módulo WebAssembly válido/],
  ['no connection', (c) => c.route('**/zener.wasm', (r) => r.abort()), /no hay conexión con el servidor/],
  ['no WebAssembly', (c) => c.addInitScript(() => { delete globalThis.WebAssembly; }),
    /no ejecuta WebAssembly/],
  ['the start-up script missing', (c) => c.route('**/arranque.mjs', (r) => r.fulfill({ status: 404 })),
    /No se pudo cargar el código de la página \(arranque\.mjs\)/],
];

test('a start that fails says in Spanish what failed', async () => {
  for (const [caso, romper, mensaje] of FALLOS) {
    const contexto = await entorno.navegador.newContext();
    try {
      await romper(contexto);
      const pagina = await contexto.newPage();
      const errores = [];
      pagina.on('pageerror', (e) => errores.push(e));
      await pagina.goto(entorno.servidor.direccion);
      const aviso = pagina.getByRole('alert');
      await aviso.waitFor();
      const texto = await aviso.innerText();
      assert.match(texto, /^El calculador no ha podido arrancar\./, caso);
      assert.match(texto, mensaje, caso);
      assert.equal(await pagina.locator('#marcoVentana').isVisible(), false, caso);
      assert.deepEqual(errores, [], caso);
    } finally {
      await contexto.close();
    }
  }
});

// Before the module runs, the page already shows the window with the texts
// the live window opens with, with "Cargando…" while a slow module is
// awaited, taking keys meanwhile; without JavaScript it says that the
// calculator needs it and that the window does nothing, and is out of
// reach, with no "Cargando…".
const SIN_SCRIPT = 'El calculador necesita JavaScript: actívelo en el navegador para usarlo. '
  + 'Sin él, la ventana de abajo solo muestra cómo es: no calcula.';
const ANTES_DEL_MODULO = [
  { caso: 'a slow module', opciones: {}, retener: true, aviso: '#cargando', texto: 'Cargando…',
    oculto: '.sinScript', inerte: false },
  { caso: 'no JavaScript', opciones: { javaScriptEnabled: false }, aviso: '.sinScript', texto: SIN_SCRIPT,
    oculto: '#cargando', inerte: true },
];

// Every text the window shows, by piece.
const textosDeLaVentana = (pagina) => pagina.locator('#form1 .pieza').evaluateAll((piezas) =>
  Object.fromEntries(piezas.map((el) => [el.id, el instanceof HTMLInputElement ? el.value : el.textContent])));

test('the window is drawn before the module runs, as the live one opens, and said to be loading', async () => {
  const { pagina: viva } = await entorno.abrir();
  const vivos = await textosDeLaVentana(viva);
  assert.equal(vivos.txtIzMin, '5', 'the live defaults read');
  for (const { caso, opciones, retener, aviso, texto, oculto, inerte } of ANTES_DEL_MODULO) {
    const contexto = await entorno.navegador.newContext(opciones);
    let soltar;
    const retenido = new Promise((listo) => { soltar = listo; });
    if (retener) {
      await contexto.route('**/zener.wasm', async (ruta) => {
        await retenido;
        await ruta.continue();
      });
    }
    try {
      const pagina = await contexto.newPage();
      await pagina.goto(entorno.servidor.direccion);
      await pagina.locator(aviso).waitFor({ state: 'visible' });
      assert.equal(await pagina.locator(aviso).innerText(), texto, caso);
      // Nor once "Cargando…"'s delay has passed.
      await pagina.evaluate(() => Promise.all(document.getAnimations().map((a) => a.finished)));
      assert.equal(await pagina.locator(oculto).isVisible(), false, caso);
      assert.deepEqual(await pagina.evaluate(() => [document.documentElement.dataset.listo,
        document.getElementById('form1').inert]), [undefined, inerte], caso);
      assert.deepEqual(await textosDeLaVentana(pagina), vivos, caso);
      if (!retener) continue;
      soltar();
      await pagina.waitForSelector('html[data-listo="si"]');
      assert.equal(await pagina.locator(aviso).isVisible(), false, caso);
      assert.equal(await pagina.evaluate(() => document.getElementById('form1').inert), false, caso);
    } finally {
      soltar();
      await contexto.close();
    }
  }
});

// What the user does to the window while its module is still on its way:
// keys typed ({Key} as Playwright names it), a click, a touch keyboard's
// text. Once the module runs, the window shows what the same steps give on
// a page already running, message box included.
const ANTES_DE_ESTAR_LISTA = [
  { caso: 'typed before anything has the focus',
    pasos: ['12{Enter}15{Enter}20{Enter}100{Enter}5.1{Enter}5{Enter}{Enter}'] },
  { caso: 'a field clicked; Backspace, Tab and Shift+Tab', pasos: [{ clic: 'txtVeMax' }, '159{Backspace}{Tab}30{Tab}{Shift+Tab}4'] },
  { caso: 'a refused figure: its box, closed by the next Enter', pasos: ['1,2,3{Enter}{Enter}7'] },
  { caso: 'CALCULAR clicked: a rule broken', pasos: ['12{Enter}15', { clic: 'cmdCalcular' }] },
  { caso: 'a touch keyboard\'s text', pasos: [{ clic: 'txtIcMin' }, { texto: '25' }, '{Enter}'] },
];

async function darPaso(pagina, paso, despues) {
  if (paso.clic) {
    await pagina.locator(`#${paso.clic}`).click();
  } else if (paso.texto) {
    await pagina.keyboard.insertText(paso.texto);
  } else {
    for (const [, tecla, caracter] of paso.matchAll(/\{([^}]+)\}|(.)/gsu)) {
      if (tecla) await pagina.keyboard.press(tecla);
      else await pagina.keyboard.type(caracter);
      await despues();
    }
  }
  await despues();
}

const estadoDeLaVentana = (pagina) => pagina.evaluate(({ campos, etiquetas }) => ({
  textos: [...campos, ...etiquetas].map((id) => {
    const el = document.getElementById(id);
    return el instanceof HTMLInputElement ? el.value : el.textContent;
  }),
  foco: document.activeElement.id,
  cuadro: document.getElementById('cuadro').open ? document.getElementById('cuadroTexto').textContent : null,
}), { campos: CAMPOS, etiquetas: ETIQUETAS });

test('what is typed and pressed before the module is ready is done once it is', async () => {
  for (const { caso, pasos } of ANTES_DE_ESTAR_LISTA) {
    const { pagina: lista } = await entorno.abrir();
    for (const paso of pasos) await darPaso(lista, paso, () => calma(lista));
    const esperado = await estadoDeLaVentana(lista);

    let soltar;
    const retenido = new Promise((listo) => { soltar = listo; });
    const { pagina, errores } = await entorno.abrir({}, '', (contexto) => contexto.route('**/zener.wasm',
      async (ruta) => {
        await retenido;
        await ruta.continue();
      }), { listo: false });
    try {
      await pagina.locator('#form1').waitFor();
      for (const paso of pasos) await darPaso(pagina, paso, async () => {});
      assert.equal(await pagina.evaluate(() => document.documentElement.dataset.listo), undefined, caso);
      soltar();
      await pagina.waitForSelector('html[data-listo="si"]');
      await calma(pagina);
      assert.deepEqual(await estadoDeLaVentana(pagina), esperado, caso);
      assert.deepEqual(errores, [], caso);
    } finally {
      soltar();
    }
  }
});

// The share of a page's pixels in the window's light yellow, from a small
// image of the page drawn by poppler.
function parteAmarilla(pdf, numero) {
  const imagen = execFileSync('pdftoppm', ['-f', numero, '-l', numero, '-r', '24', '-singlefile', pdf]);
  const [cabecera] = imagen.toString('latin1').match(/^P6\s+\d+\s+\d+\s+255\s/);
  const pixeles = imagen.subarray(cabecera.length);
  let amarillos = 0;
  for (let i = 0; i < pixeles.length; i += 3) {
    if (pixeles[i] > 245 && pixeles[i + 1] > 245 && Math.abs(pixeles[i + 2] - 128) < 12) ++amarillos;
  }
  return amarillos / (pixeles.length / 3);
}

const textoDePagina = (pdf, numero) =>
  execFileSync('pdftotext', ['-f', numero, '-l', numero, '-layout', pdf, '-'], { encoding: 'utf8' });

// The pictures on a sheet of the PDF, by their sizes in pixels.
function imagenesDePagina(pdf, numero) {
  const lista = execFileSync('pdfimages', ['-f', numero, '-l', numero, '-list', pdf], { encoding: 'utf8' });
  return lista.split('\n').slice(2).filter(Boolean).map((fila) => fila.trim().split(/\s+/).slice(3, 5).join('x'));
}

test('printed: the window in its colours without its buttons, the date and the design\'s link, '
  + 'then the current report, its plot on one sheet', async () => {
  const { pagina, errores } = await entorno.abrir();
  await calcularEjemplo(pagina);
  await pagina.waitForFunction(() => document.getElementById('informeImpreso').shadowRoot?.querySelector('svg'));
  // CALCULAR keeps the focus, and prints without its ring.
  const anillo = () => pagina.evaluate(() => [document.activeElement.id,
    getComputedStyle(document.activeElement).outlineStyle]);
  assert.deepEqual(await anillo(), ['cmdCalcular', 'solid']);
  await pagina.emulateMedia({ media: 'print' });
  assert.deepEqual(await anillo(), ['cmdCalcular', 'none']);
  await pagina.emulateMedia({ media: null });
  const pdf = join(CARPETA_CAPTURAS, 'pagina-impresa.pdf');
  writeFileSync(pdf, await pagina.pdf({ preferCSSPageSize: true }));
  const paginas = execFileSync('pdfinfo', [pdf], { encoding: 'utf8' });
  assert.match(paginas, /Page size:\s+594\.\d+ x 841\.\d+ pts \(A4\)/);
  // The window and the report's start on the first sheet; the report goes on as long as it is.
  const cuantas = Number(paginas.match(/Pages:\s+(\d+)/)[1]);
  assert.ok(cuantas >= 2, `${cuantas} sheets`);
  const textos = Array.from({ length: cuantas }, (_, i) => textoDePagina(pdf, String(i + 1)));
  const [primera] = textos;
  assert.match(primera, /CALCULADOR DE CIRCUITOS ZENER/);
  assert.match(primera, /65,71/);
  assert.match(primera, /Diseño del regulador/);
  assert.ok(parteAmarilla(pdf, '1') > 0.1, 'the window prints its background');
  // Neither button nor the logo; the circuit's drawing stays.
  assert.doesNotMatch(primera, /\b(CALCULAR|RESET)\b/);
  const esquema = await pagina.locator('#imgSchema').evaluate((img) => `${img.naturalWidth}x${img.naturalHeight}`);
  assert.deepEqual(imagenesDePagina(pdf, '1'), [esquema]);
  const hoy = new Intl.DateTimeFormat('es', { dateStyle: 'long' }).format(new Date());
  assert.match(primera, new RegExp(`Impreso el ${hoy} a las \\d+:\\d\\d\\. Enlace al diseño:`));
  assert.ok(primera.replace(/\s/g, '').includes(pagina.url()), `the link ${pagina.url()} on the sheet`);
  assert.doesNotMatch(textos.join(''), /Copiar informe|Tolerancia de R/, 'no panel controls');
  // The plot's title and the caption under it, on the same sheet.
  const hoja = textos.findIndex((t) => t.includes('Corriente del zener según la carga'));
  assert.ok(hoja >= 0);
  assert.match(textos[hoja], /Corriente por la carga \(mA\)/);

  // A report the window's results no longer match is not printed with it.
  await pagina.locator('#txtVeMax').focus();
  await pagina.waitForFunction(() => document.getElementById('panelDiseno').dataset.estado === 'obsoleto');
  writeFileSync(pdf, await pagina.pdf({ preferCSSPageSize: true }));
  assert.match(execFileSync('pdfinfo', [pdf], { encoding: 'utf8' }), /Pages:\s+1\n/);
  assert.doesNotMatch(textoDePagina(pdf, '1'), /Diseño del regulador/);
  assert.deepEqual(errores, []);
});

test('a dark scheme darkens the page and the panel, never the window', async () => {
  const { pagina, errores } = await entorno.abrir();
  await calcularEjemplo(pagina);
  const aspecto = async (colorScheme) => {
    await pagina.emulateMedia({ colorScheme });
    return {
      ventana: await pagina.locator('#form1').screenshot(),
      fondos: await pagina.evaluate(() => ['body', '#panelDiseno'].map((s) =>
        getComputedStyle(document.querySelector(s)).backgroundColor)),
    };
  };
  const claro = await aspecto('light');
  const oscuro = await aspecto('dark');
  await pagina.screenshot({ path: join(CARPETA_CAPTURAS, 'web-oscuro.png'), fullPage: true });
  assert.ok(claro.ventana.equals(oscuro.ventana), 'the window, pixel for pixel');
  const luminosidad = (color) => color.match(/\d+/g).slice(0, 3).reduce((s, c) => s + Number(c), 0) / 3;
  claro.fondos.forEach((c, i) => {
    assert.ok(luminosidad(c) > 128 && luminosidad(oscuro.fondos[i]) < 64, `${c} → ${oscuro.fondos[i]}`);
  });
  assert.deepEqual(errores, []);
});
