// The page as a screen reader and a keyboard meet it: names that tell the
// results apart, read in the frames' order and without leader dots; one
// announcement per CALCULAR and none when results are cleared; the site the
// pictures open reachable after the window's own tab order; a refused
// option described and announced once; a focus ring on every control; and
// axe-core's rules kept in every state, frames included, in both schemes.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { after, before, test } from 'node:test';

import { CARPETA_PAGINA, direccionConfigurada, direccionWeb, prepararEntorno } from './web-servidor.mjs';
import { RESULTADOS_A, calcularEjemplo, calma, teclearValores } from './web-ventana.mjs';

const AXE = createRequire(import.meta.url).resolve('axe-core/axe.min.js');

let entorno;
before(async () => {
  entorno = await prepararEntorno();
});
after(() => entorno?.cerrar());


// axe-core's violations on the page, its frames counted with it (the
// report's), with what each is about.
async function violaciones(pagina) {
  for (const marco of pagina.frames()) await marco.addScriptTag({ path: AXE });
  const { violations } = await pagina.evaluate(() => window.axe.run(document, { iframes: true }));
  return violations.map(({ id, nodes }) => `${id}: ${nodes.map((n) => n.target.join(' ')).join(', ')}`);
}

// Every state the tests visit, in both schemes: as opened, with results and
// the report, with an option refused, with the message box open.
const ESTADOS = [
  ['as opened', async () => {}],
  ['with results and the report', async (pagina) => {
    await calcularEjemplo(pagina);
    await pagina.waitForFunction(() => document.getElementById('panelDiseno').dataset.estado === 'hecho');
  }],
  ['with a buildable design, its parts list and its report', async (pagina) => {
    await teclearValores(pagina, ['12', '15', '5', '20', '5.1', '5']);
    await pagina.keyboard.press('Enter');
    await pagina.waitForFunction(() => document.getElementById('panelDiseno').dataset.estado === 'hecho' &&
      document.querySelector('#panelDiseno table tbody tr') !== null);
  }],
  ['with a Monte-Carlo run beside the verdict, its bins tabled', async (pagina) => {
    await pagina.locator('#conMuestreo').check();
    await pagina.locator('#figuraMuestreo summary').click();
    await pagina.locator('#tablaHistograma').waitFor();
  }],
  ['with an option refused', async (pagina) => {
    await pagina.locator('[name=tol_r]').fill('60');
    await pagina.waitForFunction(() => document.getElementById('panelDiseno').dataset.estado === 'error');
  }],
  ['with the box open', async (pagina) => {
    await pagina.locator('[name=tol_r]').fill('');
    await pagina.locator('#txtVeMin').focus();
    await pagina.keyboard.type('1\n');
    await pagina.locator('#cmdCalcular').click();
    await pagina.getByRole('alertdialog').waitFor();
  }],
];

test('axe-core, frames included: no violation in any state, in either scheme, wide or on a phone', async () => {
  for (const ancho of [1024, 360]) {
    for (const esquema of ['light', 'dark']) {
      const { pagina, errores } = await entorno.abrir({ colorScheme: esquema, viewport: { width: ancho, height: 900 } });
      for (const [estado, llegar] of ESTADOS) {
        await llegar(pagina);
        assert.deepEqual(await violaciones(pagina), [], `${ancho} px, ${esquema}: ${estado}`);
      }
      assert.deepEqual(errores, [], `${ancho} px, ${esquema}`);
    }
  }
});

// A refused option: its box described by the message, which is announced
// once, not again at each key that leaves it as it was.
test('a refused option is described by its message, announced once', async () => {
  const { pagina, errores } = await entorno.abrir();
  await pagina.evaluate(() => {
    window.anuncios = [];
    new MutationObserver(() => window.anuncios.push(document.getElementById('anuncioDiseno').textContent))
      .observe(document.getElementById('anuncioDiseno'), { childList: true, characterData: true, subtree: true });
  });
  const caja = pagina.locator('[name=tol_r]');
  for (const tecla of ['6', '0', '0', 'Backspace']) await caja.press(tecla);
  const mensaje = 'Opciones no válidas: la tolerancia de la resistencia ha de estar entre 0 y 50 %.';
  assert.equal(await pagina.getByRole('textbox', { name: 'Tolerancia de R (%)' }).getAttribute('aria-invalid'), '');
  const descripcion = await caja.evaluate((el) => el.getAttribute('aria-describedby').split(' ')
    .map((id) => document.getElementById(id).textContent).join(' | '));
  assert.equal(descripcion, `De 0 a 50 % | ${mensaje}`);
  assert.deepEqual(await pagina.evaluate(() => window.anuncios), [mensaje]);
  await caja.press('Backspace');
  await caja.press('Backspace');
  assert.equal(await caja.getAttribute('aria-describedby'), 'limites-tol_r');
  assert.deepEqual(await pagina.evaluate(() => window.anuncios), [mensaje, '']);
  assert.deepEqual(errores, []);
});

// The contrast of two CSS colours, as WCAG reckons it.
function contraste(...colores) {
  const [a, b] = colores.map((color) => {
    const [r, g, v] = color.match(/[\d.]+/g).slice(0, 3).map((c) => {
      const x = Number(c) / 255;
      return x <= 0.03928 ? x / 12.92 : ((x + 0.055) / 1.055) ** 2.4;
    });
    return 0.2126 * r + 0.7152 * g + 0.0722 * v;
  });
  return (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05);
}

// The colour behind an element: the first opaque background up from it.
function fondoDetras(el) {
  for (let e = el; e; e = e.parentElement) {
    const color = getComputedStyle(e).backgroundColor;
    if (!/^rgba\(.*, 0\)$/.test(color) && color !== 'transparent') return color;
  }
  return getComputedStyle(document.documentElement).backgroundColor;
}

// The focused control's ring, and what lies behind it: the control's own
// face where the ring is drawn inside it.
function anilloDelFoco(fondoDe) {
  const fondo = new Function(`return ${fondoDe}`)();
  const el = document.activeElement;
  const estilo = getComputedStyle(el);
  const dentro = parseFloat(estilo.outlineOffset) < 0;
  return {
    ancho: parseFloat(estilo.outlineWidth),
    trazo: estilo.outlineStyle,
    colores: [estilo.outlineColor, fondo(dentro ? el : el.parentElement)],
  };
}

// Every placeholder's colour and its box's.
function placeholders(fondoDe) {
  const fondo = new Function(`return ${fondoDe}`)();
  return [...document.querySelectorAll('input[placeholder]')]
    .map((el) => [el.name, getComputedStyle(el, '::placeholder').color, fondo(el)]);
}

test('a focus ring of 2 px and 3:1 on every control, placeholders at 4.5:1, in either scheme', async () => {
  for (const esquema of ['light', 'dark']) {
    const { pagina, errores } = await entorno.abrir({ colorScheme: esquema });
    await calcularEjemplo(pagina);
    await pagina.waitForFunction(() => document.getElementById('panelDiseno').dataset.estado === 'hecho');
    const vistos = [];
    await pagina.locator('#txtVeMin').focus();
    for (;;) {
      // Past the last control the focus leaves the page: the body has it.
      const id = await pagina.evaluate(() => (document.activeElement === document.body ? null
        : document.activeElement.id || document.activeElement.name));
      if (id === null || vistos.includes(id)) break;
      vistos.push(id);
      const anillo = await pagina.evaluate(anilloDelFoco, fondoDetras.toString());
      assert.ok(anillo.ancho >= 2 && anillo.trazo === 'solid' && contraste(...anillo.colores) >= 3,
        `${esquema}: ${id}: ${JSON.stringify(anillo)}`);
      await pagina.keyboard.press('Tab');
    }
    for (const control of ['cmdCalcular', 'cmdReset', 'enlaceSitio', 'tol_r', 'informeDiseno']) {
      assert.ok(vistos.includes(control), `${esquema}: ${control} reached by Tab in ${vistos}`);
    }
    for (const [nombre, tinta, fondo] of await pagina.evaluate(placeholders, fondoDetras.toString())) {
      assert.ok(contraste(tinta, fondo) >= 4.5, `${esquema}: ${nombre}'s placeholder ${tinta} on ${fondo}`);
    }
    assert.deepEqual(errores, [], esquema);
  }
});

// Each result by the name a screen reader gives it, one control per name.
const NOMBRES = [
  ['lblRrLim', 'Valor de R sin desconexión de la carga (Ohmios)'],
  ['lblPrLim', 'Potencia de R sin desconexión de la carga (W)'],
  ['lblPzSin', 'Potencia del Zener sin desconexión de la carga (W)'],
  ['lblPzCon', 'Potencia del zener con desconexión de la carga (W)'],
];

test('names, reading order and one announcement per CALCULAR', async () => {
  const { pagina, errores } = await entorno.abrir();
  for (const [id, nombre] of NOMBRES) {
    assert.equal(await pagina.getByRole('status', { name: nombre, exact: true }).getAttribute('id'), id);
  }
  const enElMarco = await pagina.locator('#fraValoresSinDesc').getByRole('status')
    .evaluateAll((resultados) => resultados.map((el) => el.id));
  assert.deepEqual(enElMarco, NOMBRES.slice(0, 3).map(([id]) => id));
  // A phone's keyboard: digits for the currents, a decimal one for the voltages.
  assert.deepEqual(await pagina.locator('#form1 input').evaluateAll((campos) => campos.map((c) => c.inputMode)),
    ['decimal', 'decimal', 'numeric', 'numeric', 'decimal', 'numeric']);
  const leido = await pagina.locator('#form1').ariaSnapshot();
  assert.doesNotMatch(leido, /\.\.|…/, 'no leader dots read');
  assert.match(leido, /img "Calculadores Zener"/, 'the logo named by its words');

  // Every text that arrives in a live region, as a screen reader hears it.
  await pagina.evaluate(() => {
    window.anunciados = [];
    const vivo = '[aria-live]:not([aria-live="off"]), [role="status"], [role="alert"], [role="log"], '
      + 'output:not([aria-live="off"])';
    new MutationObserver((cambios) => {
      for (const { target, addedNodes } of cambios) {
        const region = (target.nodeType === Node.ELEMENT_NODE ? target : target.parentElement).closest(vivo);
        const texto = [...addedNodes].map((n) => n.textContent).join('').trim();
        if (region && texto) window.anunciados.push(texto);
      }
    }).observe(document.body, { childList: true, subtree: true, characterData: true });
  });
  const anunciados = () => pagina.evaluate(() => window.anunciados.splice(0));
  const PASOS = [
    ['CALCULAR', () => calcularEjemplo(pagina), 1],
    ['CALCULAR again, the same figures', () => pagina.keyboard.press('Enter'), 1],
    ['a field entered, the results cleared', () => pagina.locator('#txtVeMax').focus(), 0],
    ['CALCULAR with a rule broken', async () => {
      await pagina.keyboard.type('9\n');
      await pagina.locator('#cmdCalcular').click();
    }, 0],
  ];
  for (const [paso, hacer, veces] of PASOS) {
    await hacer();
    await calma(pagina);
    const oidos = await anunciados();
    assert.equal(oidos.length, veces, `${paso}: ${oidos}`);
    for (const oido of oidos) {
      NOMBRES.forEach(([, nombre], i) => assert.ok(oido.includes(`${nombre}: ${RESULTADOS_A[i]}`), oido));
    }
  }
  assert.deepEqual(errores, []);
});

// The module's address as built, and a real one in its place, as a build
// configured with it would hold it: the module's bytes patched where it
// keeps the text, with a text of the same length.
const DIRECCIONES = [
  { caso: 'as built', real: null },
  { caso: 'a real address configured', real: 'https://www.zener.es/' },
];

function moduloCon(direccion) {
  const configurada = Buffer.from(direccionConfigurada());
  assert.ok(direccion.length <= configurada.length, direccion);
  const nueva = Buffer.from(direccion.padEnd(configurada.length, 'z'));
  const modulo = readFileSync(join(CARPETA_PAGINA, 'zener.wasm'));
  let veces = 0;
  for (let i = modulo.indexOf(configurada); i >= 0; i = modulo.indexOf(configurada, i + 1), ++veces) {
    nueva.copy(modulo, i);
  }
  assert.ok(veces > 0, 'the address found in the module');
  return { modulo, direccion: nueva.toString() };
}

test('the site the pictures open: the page itself unless a real one is configured; by keyboard after the '
  + 'window’s tab order', async () => {
  for (const { caso, real } of DIRECCIONES) {
    const parche = real && moduloCon(real);
    const { pagina, contexto, errores } = await entorno.abrir({}, '', async (c) => {
      if (parche) {
        await c.route('**/zener.wasm', (ruta) => ruta.fulfill({ contentType: 'application/wasm', body: parche.modulo }));
      }
    });
    const esperada = parche?.direccion ?? direccionWeb(new URL('./', pagina.url()).href);
    await contexto.route((url) => url.href === esperada, (ruta) => ruta.fulfill({ body: 'sitio' }));
    const abierta = async (hacer) => {
      const [pestana] = await Promise.all([contexto.waitForEvent('page'), hacer()]);
      await pestana.waitForLoadState();
      await pestana.close();
      return pestana.url();
    };
    assert.equal(await abierta(() => pagina.locator('#imgLogo').click()), esperada, `${caso}: the logo`);
    await pagina.locator('#cmdReset').focus();
    await pagina.keyboard.press('Tab');
    const enlace = pagina.getByRole('link', { name: 'Calculadores Zener: sitio web' });
    assert.equal(await enlace.evaluate((el) => el === document.activeElement), true, caso);
    const caja = await enlace.boundingBox();
    assert.ok(caja.height >= 44 && caja.width > 100, `${caso}: shown while focused: ${JSON.stringify(caja)}`);
    assert.equal(await abierta(() => pagina.keyboard.press('Enter')), esperada, `${caso}: the link`);
    await pagina.bringToFront();
    await pagina.keyboard.press('Shift+Tab');
    assert.equal(await pagina.evaluate(() => document.activeElement.id), 'cmdReset', caso);
    assert.deepEqual(errores, [], caso);
  }
});
