// The calculator's page in Debian's chromium: where the window's controls
// stand, and the window on a narrow touch screen. What the window does is the
// scenario table's (web-escenarios.test.mjs).
import assert from 'node:assert/strict';
import { join } from 'node:path';
import { after, before, test } from 'node:test';

import { CARPETA_CAPTURAS, prepararEntorno } from './web-servidor.mjs';
import {
  CAMPOS, EJEMPLO_A, ETIQUETAS, RESULTADOS_A, calma, piezasDeLaTabla, teclearValores, textos,
} from './web-ventana.mjs';

let entorno;
before(async () => {
  entorno = await prepararEntorno();
});
after(() => entorno?.cerrar());

test('every control where its twips put it, fields named by their captions', async () => {
  const { pagina, errores } = await entorno.abrir();
  await teclearValores(pagina, EJEMPLO_A);
  await pagina.keyboard.press('Enter');
  assert.deepEqual(await textos(pagina, ETIQUETAS), RESULTADOS_A);
  await pagina.screenshot({ path: join(CARPETA_CAPTURAS, 'web-ancho.png'), fullPage: true });
  const piezas = piezasDeLaTabla();
  assert.equal(piezas.length, 29);
  const origen = await pagina.locator('#form1').boundingBox();
  const marcos = Object.fromEntries(piezas.filter((p) => p.clase === 'Marco').map((p) => [p.nombre, p]));
  for (const p of piezas) {
    const marco = marcos[p.marco] ?? { izquierda: 0, arriba: 0 };
    const caja = await pagina.locator(`#${p.nombre}`).boundingBox();
    const esperada = [marco.izquierda + p.izquierda, marco.arriba + p.arriba, p.ancho, p.alto].map((t) => t / 15);
    const medida = [caja.x - origen.x, caja.y - origen.y, caja.width, caja.height];
    medida.forEach((v, i) => assert.ok(Math.abs(v - esperada[i]) <= 0.5, `${p.nombre}: ${medida} vs ${esperada}`));
  }
  const campo = pagina.getByRole('textbox', { name: 'Corriente mínima por el Zener (mA)' });
  assert.equal(await campo.getAttribute('id'), 'txtIzMin');
  assert.deepEqual(errores, []);
});

test('360 pixels wide: the window scaled to fit and usable by touch', async () => {
  const { pagina, errores } = await entorno.abrir({
    viewport: { width: 360, height: 760 }, hasTouch: true, isMobile: true,
  });
  const ventana = await pagina.locator('#form1').boundingBox();
  assert.ok(ventana.x >= 0 && ventana.x + ventana.width <= 360, JSON.stringify(ventana));
  assert.ok(ventana.width > 300, 'scaled, not clipped');
  for (const [i, campo] of CAMPOS.entries()) {
    await pagina.locator(`#${campo}`).tap();
    await calma(pagina);
    await pagina.keyboard.insertText(EJEMPLO_A[i]);
  }
  await pagina.locator('#cmdCalcular').tap();
  assert.deepEqual(await textos(pagina, ETIQUETAS), RESULTADOS_A);
  await pagina.screenshot({ path: join(CARPETA_CAPTURAS, 'web-360.png'), fullPage: true });
  assert.deepEqual(errores, []);
});
