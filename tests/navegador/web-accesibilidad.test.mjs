// The page as a screen reader and a keyboard meet it: names that tell the
// results apart, read in the frames' order and without leader dots; one
// announcement per CALCULAR and none when results are cleared; the site the
// pictures open reachable after the window's own tab order; and axe-core's
// rules kept in the page, with the results shown, with the message box open
// and in the report.
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { after, before, test } from 'node:test';

import { direccionWeb, prepararEntorno } from './web-servidor.mjs';
import { RESULTADOS_A, calcularEjemplo, calma } from './web-ventana.mjs';

const AXE = createRequire(import.meta.url).resolve('axe-core/axe.min.js');

let entorno;
before(async () => {
  entorno = await prepararEntorno();
});
after(() => entorno?.cerrar());


// axe-core's violations in a frame, with what each is about.
async function violaciones(marco) {
  await marco.addScriptTag({ path: AXE });
  const { violations } = await marco.evaluate(() => window.axe.run(document, { iframes: false }));
  return violations.map(({ id, nodes }) => `${id}: ${nodes.map((n) => n.target.join(' ')).join(', ')}`);
}

test('axe-core: no violation on the page, with results, with the box open, in the report', async () => {
  const { pagina, errores } = await entorno.abrir();
  assert.deepEqual(await violaciones(pagina.mainFrame()), [], 'the page');
  await calcularEjemplo(pagina);
  await pagina.waitForFunction(() => document.getElementById('panelDiseno').dataset.estado === 'hecho');
  assert.deepEqual(await violaciones(pagina.mainFrame()), [], 'with results');
  const informe = pagina.frame({ url: 'about:srcdoc' });
  assert.deepEqual(await violaciones(informe), [], 'the report');
  await pagina.locator('#txtVeMin').focus();
  await pagina.keyboard.type('1\n');
  await pagina.locator('#cmdCalcular').click();
  await pagina.getByRole('alertdialog').waitFor();
  assert.deepEqual(await violaciones(pagina.mainFrame()), [], 'with the box open');
  assert.deepEqual(errores, []);
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

test('the site the pictures open, by keyboard after the window’s tab order', async () => {
  const { pagina, contexto, errores } = await entorno.abrir();
  await contexto.route(`${direccionWeb()}**`, (ruta) => ruta.fulfill({ body: 'sitio' }));
  await pagina.locator('#cmdReset').focus();
  await pagina.keyboard.press('Tab');
  const enlace = pagina.getByRole('link', { name: 'Calculadores Zener: sitio web' });
  assert.equal(await enlace.evaluate((el) => el === document.activeElement), true);
  const caja = await enlace.boundingBox();
  assert.ok(caja.height >= 44 && caja.width > 100, `shown while focused: ${JSON.stringify(caja)}`);
  const [pestana] = await Promise.all([contexto.waitForEvent('page'), pagina.keyboard.press('Enter')]);
  await pestana.waitForLoadState();
  assert.equal(pestana.url(), direccionWeb());
  await pagina.bringToFront();
  await pagina.keyboard.press('Shift+Tab');
  assert.equal(await pagina.evaluate(() => document.activeElement.id), 'cmdReset');
  assert.deepEqual(errores, []);
});
