// The printable report in Debian's chromium: it renders without console
// errors or requests, shows its plot with round ticks and both worst cases,
// fits A4 when printed, and leaves a screenshot for the eye.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdirSync } from 'node:fs';
import { dirname, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

import { abrirNavegador } from './chromium.mjs';

const raiz = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
const informe = process.env.ZENER_INFORME ?? resolve(raiz, 'build/informe/informe.html');
const captura = resolve(raiz, 'build/informe/informe.png');

// A4 less the 15 mm margins of the page's print rule, in CSS pixels.
const ANCHO_IMPRIMIBLE_PX = ((210 - 2 * 15) / 25.4) * 96;

test('el informe se ve sin errores, con su gráfico, y cabe en A4', async () => {
  const navegador = await abrirNavegador();
  try {
    const pagina = await navegador.newPage({ viewport: { width: 900, height: 1200 } });
    const errores = [];
    pagina.on('console', (m) => { if (m.type() === 'error') errores.push(m.text()); });
    pagina.on('pageerror', (e) => errores.push(String(e)));
    const peticiones = [];
    pagina.on('request', (r) => { if (!r.url().startsWith('file:')) peticiones.push(r.url()); });

    await pagina.goto(pathToFileURL(informe).href);
    assert.match(await pagina.title(), /regulador/);
    const trazos = await pagina.locator('svg line').count();
    assert.ok(trazos >= 9, `el gráfico tiene ${trazos} líneas`);
    assert.equal(await pagina.locator('tr.elegida td').first().textContent(), '330');
    const texto = await pagina.locator('body').innerText();
    // The 1N4739A at 9,1 V ± 5 %, its junction at 40 °C plus its power over 150 K/W.
    assert.match(texto, /Vz baja = 8,645 V, Vz alta = 9,555 V a Izt/);
    assert.match(texto, /Temperatura de la unión: 40 °C \+ 0,261 W × 150 K\/W = 79,2 °C ≤ 200 °C/);
    assert.match(texto, /VeMax, peor caso/);
    // Ticks a round step apart: 1, 2, 2,5 or 5 times a power of ten.
    const marcas = (await pagina.locator('svg text.marca-y').allTextContents())
      .map((t) => Number(t.replaceAll('.', '').replace(',', '.')));
    const paso = marcas[1] - marcas[0];
    const mantisa = paso / 10 ** Math.floor(Math.log10(paso));
    assert.ok([1, 2, 2.5, 5].some((m) => Math.abs(m - mantisa) < 1e-9), `paso ${paso}`);
    marcas.forEach((m, i) => assert.ok(Math.abs(m - marcas[0] - i * paso) < 1e-9 * paso));

    mkdirSync(dirname(captura), { recursive: true });
    await pagina.screenshot({ path: captura, fullPage: true });

    await pagina.emulateMedia({ media: 'print' });
    await pagina.setViewportSize({ width: Math.floor(ANCHO_IMPRIMIBLE_PX), height: 1000 });
    const desborde = await pagina.evaluate(() => document.documentElement.scrollWidth - innerWidth);
    assert.ok(desborde <= 0, `el informe impreso desborda ${desborde} px`);
    const pdf = await pagina.pdf({ format: 'A4' });
    assert.ok(pdf.length > 1000);

    assert.deepEqual(errores, []);
    assert.deepEqual(peticiones, []);
  } finally {
    await navegador.close();
  }
});
