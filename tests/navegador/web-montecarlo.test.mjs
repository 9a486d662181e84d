// The panel's Monte-Carlo run: its yield beside the verdict, never in its
// place, on a wide screen and on a phone; its bins drawn and tabled from the
// same run; the run's keys kept in the address, so that the page's own link
// opens the same run again, seed and all.
import assert from 'node:assert/strict';
import { join } from 'node:path';
import { after, before, test } from 'node:test';

import { CARPETA_CAPTURAS, prepararEntorno } from './web-servidor.mjs';
import { calma } from './web-ventana.mjs';

let entorno;
before(async () => {
  entorno = await prepararEntorno();
});
after(() => entorno?.cerrar());

const ANCHA = { viewport: { width: 1280, height: 800 } };
const MOVIL = { viewport: { width: 360, height: 740 }, hasTouch: true, isMobile: true };
const CONSTRUIBLE = '#VeMin=12,00&VeMax=15,00&IcMin=5&IcMax=20&VnZener=5,10&IzMin=5';
const REHUSADO = '#VeMin=12,00&VeMax=15,00&IcMin=20&IcMax=100&VnZener=5,10&IzMin=5';

// What the panel shows of the run, and where, once the page is idle.
async function leerMuestreo(pagina) {
  await calma(pagina);
  return pagina.evaluate(() => {
    const id = (nombre) => document.getElementById(nombre);
    const caja = (nombre) => id(nombre).getBoundingClientRect();
    const filas = [...id('tablaHistograma').tBodies[0].rows].map((fila) => [...fila.cells].map((c) => c.textContent));
    const semilla = document.querySelector('[name=semilla]');
    return {
      veredicto: id('estadoDiseno').textContent,
      linea: id('muestreoDiseno').hidden ? null : id('lineaMuestreo').textContent,
      datos: id('datosMuestreo').innerText,
      filas,
      barras: id('histograma').querySelectorAll('.barra').length,
      cotas: id('histograma').querySelectorAll('.cota').length,
      // Under the verdict's place, the next thing in the panel.
      debajo: id('lugarVeredicto').nextElementSibling === id('muestreoDiseno')
        && caja('muestreoDiseno').top >= caja('lugarVeredicto').bottom,
      desborda: document.scrollingElement.scrollWidth > innerWidth,
      unidades: document.querySelector('[name=montecarlo]').value,
      semilla: semilla.value,
      direccion: location.hash,
    };
  });
}

const unidadesEnTabla = (filas) => filas.reduce((suma, [, unidades]) => suma + Number(unidades.replaceAll('.', '')), 0);

// Each design opened by its link (or ticked by hand on a page without the
// run), with the verdict it gives, the report's line beside it, and the
// units it runs.
const ESCENARIOS = [
  { caso: 'a buildable design, its seed given', contexto: ANCHA, direccion: `${CONSTRUIBLE}&montecarlo=2000&semilla=7`,
    veredicto: /^Construible: /, linea: /^Monte Carlo: 100,00 % de 2\.000 unidades /, unidades: 2000 },
  { caso: 'a refused design on a phone', contexto: MOVIL, direccion: `${REHUSADO}&montecarlo=2000&semilla=7`,
    veredicto: /^No construible: /, linea: /^Monte Carlo: 0,00 % de 2\.000 unidades /, unidades: 2000 },
  { caso: 'a link without a seed: one drawn', contexto: MOVIL, direccion: `${CONSTRUIBLE}&montecarlo=500`,
    veredicto: /^Construible: /, linea: /^Monte Carlo: 100,00 % de 500 unidades /, unidades: 500 },
  { caso: 'the run ticked by hand', contexto: ANCHA, direccion: CONSTRUIBLE, marcar: true,
    veredicto: /^Construible: /, linea: /^Monte Carlo: 100,00 % de 2\.000 unidades /, unidades: 2000 },
];

test('the yield beside the verdict, the bins of the same run, the run kept in the address', async () => {
  for (const { caso, contexto, direccion, marcar, veredicto, linea, unidades } of ESCENARIOS) {
    const { pagina, errores } = await entorno.abrir(contexto, direccion);
    if (marcar) {
      assert.equal((await leerMuestreo(pagina)).linea, null, `${caso}: no run before it is asked for`);
      await pagina.locator('#conMuestreo').check();
    }
    const visto = await leerMuestreo(pagina);
    await pagina.locator('#tituloDiseno').evaluate((el) => el.scrollIntoView({ behavior: 'instant' }));
    await pagina.screenshot({ path: join(CARPETA_CAPTURAS, `montecarlo-${contexto.viewport.width}-${ESCENARIOS.findIndex((e) => e.caso === caso)}.png`) });
    assert.match(visto.veredicto, veredicto, caso);
    assert.match(visto.linea, linea, caso);
    assert.deepEqual([visto.debajo, visto.desborda], [true, false], caso);
    assert.match(visto.datos, /^[\d.]+ unidades, semilla \d+\nRendimiento: [\d,]+ % \(intervalo del 95 %/, caso);
    assert.deepEqual([visto.barras, visto.filas.length, visto.cotas], [20, 20, 2], caso);
    assert.equal(unidadesEnTabla(visto.filas), unidades, `${caso}: every unit in a bin`);
    // The address holds the run, its seed drawn if none was given.
    const claves = new URLSearchParams(visto.direccion.slice(1));
    assert.equal(Number(claves.get('montecarlo').replaceAll('.', '')), unidades, caso);
    assert.match(claves.get('semilla'), /^\d+$/, caso);
    assert.ok(visto.datos.includes(`semilla ${claves.get('semilla')}\n`), `${caso}: the seed shown is the one kept`);

    // The page's own link: the same run, figure for figure.
    const { pagina: otra } = await entorno.abrir(contexto, visto.direccion);
    const reabierto = await leerMuestreo(otra);
    for (const clave of ['veredicto', 'linea', 'datos', 'filas', 'unidades', 'semilla', 'direccion']) {
      assert.deepEqual(reabierto[clave], visto[clave], `${caso}, reopened: ${clave}`);
    }
    // Another seed, another run; no run, no keys.
    await otra.locator('[name=semilla]').fill(String(Number(claves.get('semilla')) + 1));
    assert.notDeepEqual((await leerMuestreo(otra)).filas, visto.filas, `${caso}: another seed`);
    await otra.locator('#conMuestreo').uncheck();
    const sin = await leerMuestreo(otra);
    assert.equal(sin.linea, null, caso);
    assert.match(sin.veredicto, veredicto, caso);
    assert.deepEqual(['montecarlo', 'semilla'].filter((c) => new URLSearchParams(sin.direccion.slice(1)).has(c)),
      [], caso);
    assert.deepEqual(errores, [], caso);
  }
});
