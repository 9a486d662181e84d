// The calculator's page in Debian's chromium: where the window's controls
// stand, and how they flow where the window does not fit. What the window
// does is the scenario table's (web-escenarios.test.mjs).
import assert from 'node:assert/strict';
import { join } from 'node:path';
import { after, before, test } from 'node:test';

import { CARPETA_CAPTURAS, prepararEntorno } from './web-servidor.mjs';
import {
  EJEMPLO_A, ESPERA_MS, ETIQUETAS, RESULTADOS_A, calma, piezasDeLaTabla, teclearValores, textos,
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

// Where the window fits beside the page's margins it is the design, at
// 689 x 533 pixels; where it does not, the same controls in one column, each
// field under its caption, with text of at least 16 CSS pixels and targets
// at least 44 high, and nothing wider than the screen. A browser's 200 %
// zoom on a 1024-pixel screen is a 512-pixel viewport drawn at two device
// pixels to the CSS pixel (what zooming does to a page's layout, which a
// CSS zoom on the page would not, since its media queries would still see
// 1024 pixels).
const ANCHURAS = [
  { caso: 'where the window just fits', viewport: { width: 721, height: 900 }, estrecha: false },
  { caso: 'one pixel narrower', viewport: { width: 720, height: 900 }, estrecha: true },
  { caso: 'a 360-pixel phone', viewport: { width: 360, height: 760 }, hasTouch: true, isMobile: true,
    estrecha: true, captura: 'web-360.png' },
  { caso: '1024 pixels at 200 % zoom', viewport: { width: 512, height: 384 }, deviceScaleFactor: 2,
    estrecha: true, captura: 'web-1024-zoom-200.png' },
];

// What the layout gives, read from the page: sizes in CSS pixels.
function medirDisposicion() {
  const caja = (el) => el.getBoundingClientRect();
  const visibles = (selector) => [...document.querySelectorAll(selector)]
    .filter((el) => el.checkVisibility() && caja(el).height > 0);
  const conTexto = visibles('#form1 *, #panelDiseno *').filter((el) =>
    [...el.childNodes].some((n) => n.nodeType === Node.TEXT_NODE && n.textContent.trim() !== ''));
  const ventana = caja(document.getElementById('form1'));
  return {
    ventana: [ventana.width, ventana.height],
    desborda: document.documentElement.scrollWidth > document.documentElement.clientWidth,
    letraMinima: Math.min(...conTexto.map((el) => parseFloat(getComputedStyle(el).fontSize))),
    objetivoMinimo: Math.min(...visibles('#form1 input, #form1 button, #form1 img, #panelDiseno input, '
      + '#panelDiseno select, #panelDiseno button').map((el) => caja(el).height)),
    rotulosEncima: [...document.querySelectorAll('#form1 > .Campo')].every((campo) => {
      const rotulo = campo.previousElementSibling;
      return rotulo.classList.contains('rotulo') && caja(rotulo).bottom <= caja(campo).top;
    }),
    rotuloEnPantalla: parseFloat(getComputedStyle(document.getElementById('lblVeMin')).fontSize)
      * devicePixelRatio,
  };
}

test('narrow screens and zoomed pages: the same controls in one column', async () => {
  const { pagina: referencia } = await entorno.abrir();
  const alCien = await referencia.evaluate(medirDisposicion);
  for (const { caso, estrecha, captura, ...contexto } of ANCHURAS) {
    const { pagina, errores } = await entorno.abrir(contexto);
    await teclearValores(pagina, EJEMPLO_A);
    await pagina.keyboard.press('Enter');
    assert.deepEqual(await textos(pagina, ETIQUETAS), RESULTADOS_A, caso);
    const medida = await pagina.evaluate(medirDisposicion);
    assert.equal(medida.desborda, false, caso);
    if (estrecha) {
      assert.ok(medida.ventana[0] <= contexto.viewport.width, caso);
      assert.ok(medida.letraMinima >= 16, `${caso}: ${medida.letraMinima} px`);
      assert.ok(medida.objetivoMinimo >= 44, `${caso}: ${medida.objetivoMinimo} px`);
      assert.ok(medida.rotulosEncima, caso);
    } else {
      assert.deepEqual(medida.ventana, [689, 533], caso);
    }
    if (contexto.deviceScaleFactor) {
      assert.ok(medida.rotuloEnPantalla >= 2 * alCien.rotuloEnPantalla,
        `${caso}: captions ${medida.rotuloEnPantalla} device px, ${alCien.rotuloEnPantalla} at 100 %`);
    }
    if (captura) await pagina.screenshot({ path: join(CARPETA_CAPTURAS, captura), fullPage: true });
    assert.deepEqual(errores, [], caso);
  }
});

// On a phone the results lie below the screen: CALCULAR, by a tap or by a
// link, brings them into view without moving the focus; a refused link's
// notice is where the page opens.
const A_LA_VISTA = [
  { caso: 'CALCULAR tapped', resto: '', tocar: 'cmdCalcular', vistos: ETIQUETAS, foco: 'cmdCalcular' },
  { caso: 'a link that calculates', resto: '#VeMin=12&VeMax=15&IcMin=20&IcMax=100&VnZener=5,1&IzMin=5',
    vistos: ETIQUETAS, foco: 'cmdCalcular' },
  { caso: 'a refused link', resto: '#VeMin=abc', vistos: ['avisoEnlace'], foco: 'txtVeMin' },
];

test('on a phone, the results and a refused link\'s notice come into view', async () => {
  for (const { caso, resto, tocar, vistos, foco } of A_LA_VISTA) {
    const { pagina, errores } = await entorno.abrir(
      { viewport: { width: 360, height: 740 }, hasTouch: true, isMobile: true }, resto);
    if (tocar) {
      await teclearValores(pagina, EJEMPLO_A);
      await pagina.locator(`#${tocar}`).tap();
    }
    await calma(pagina);
    await pagina.waitForFunction((ids) => ids.every((id) => {
      const caja = document.getElementById(id).getBoundingClientRect();
      return caja.height > 0 && caja.top >= 0 && caja.bottom <= innerHeight;
    }), vistos, { timeout: ESPERA_MS }).catch(() => assert.fail(`${caso}: ${vistos} not in view`));
    assert.equal(await pagina.evaluate(() => document.activeElement.id), foco, caso);
    assert.deepEqual(errores, [], caso);
  }
});
