// The design panel below the window: it follows the values of the last
// successful CALCULAR, shows the library's report and never touches the window.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import { prepararEntorno } from './web-servidor.mjs';
import { CAMPOS, EJEMPLO_A, ETIQUETAS, teclearValores, textos } from './web-ventana.mjs';

let entorno;
before(async () => {
  entorno = await prepararEntorno();
});
after(() => entorno?.cerrar());

const estado = (pagina) => pagina.locator('#panelDiseno').evaluate((el) => ({ ...el.dataset }));
const informe = (pagina) => pagina.frameLocator('#informeDiseno').locator('body').innerText();

test('the panel for the 12–15 V example: report, options, copy and print', async () => {
  const { pagina, errores } = await entorno.abrir({ permissions: ['clipboard-read', 'clipboard-write'] });
  assert.equal((await estado(pagina)).estado, 'espera');
  await teclearValores(pagina, EJEMPLO_A);
  await pagina.keyboard.press('Enter');
  await pagina.waitForFunction(() => document.getElementById('panelDiseno').dataset.estado === 'hecho');
  const e24 = await estado(pagina);
  const texto = await informe(pagina);
  assert.match(texto, /12,00 V a 15,00 V/);
  assert.match(texto, /= 65,71 Ω/);
  // The chosen resistor stands marked in the neighbours' table.
  const elegida = await pagina.frameLocator('#informeDiseno').locator('tr.elegida td').first().innerText();
  assert.equal(elegida, e24.resistencia);

  // Another series redesigns; the window keeps every text.
  const ventana = await textos(pagina, [...CAMPOS, ...ETIQUETAS]);
  await pagina.selectOption('select[name=serie]', { label: 'E6' });
  await pagina.waitForFunction((r) => document.getElementById('panelDiseno').dataset.resistencia !== r, e24.resistencia);
  assert.match(await informe(pagina), /Serie E6/);
  assert.deepEqual(await textos(pagina, [...CAMPOS, ...ETIQUETAS]), ventana);

  // A typed value is no calculation; a failed CALCULAR keeps the last design.
  await pagina.locator('#txtVeMax').focus();
  await pagina.keyboard.type('9\n');
  await pagina.click('#cmdCalcular');
  await pagina.keyboard.press('Enter');  // the rule's box
  await pagina.selectOption('select[name=serie]', { label: 'E24' });
  await pagina.waitForFunction((r) => document.getElementById('panelDiseno').dataset.resistencia === r, e24.resistencia);
  assert.match(await informe(pagina), /12,00 V a 15,00 V/);

  await pagina.click('#copiarInforme');
  const copiado = await pagina.evaluate(() => navigator.clipboard.readText());
  assert.match(copiado, /^Diseño del regulador/);
  assert.match(copiado, /65,71/);

  await pagina.evaluate(() => {
    const marco = document.getElementById('informeDiseno').contentWindow;
    marco.print = () => { document.body.dataset.impreso = marco.document.title; };
  });
  await pagina.click('#imprimirInforme');
  assert.ok(await pagina.evaluate(() => document.body.dataset.impreso));

  assert.deepEqual(await textos(pagina, ['txtVeMax']), ['9,00'], 'the panel wrote nothing back');
  assert.deepEqual(errores, []);
});
