// The panel's verdict line: in view as soon as a design is shown, on a wide
// screen and on a phone with the window above it, and never over the
// window's results; the page's examples, and the README's, build or not as
// they say; a design that cannot be built lists what to change as links,
// each the design's own link with that change, each opening a design that
// builds.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { after, before, test } from 'node:test';

import { CARPETA_CAPTURAS, prepararEntorno } from './web-servidor.mjs';
import { ESPERA_MS, calma } from './web-ventana.mjs';

const LEEME = readFileSync(new URL('../../README.md', import.meta.url), 'utf8');

let entorno;
before(async () => {
  entorno = await prepararEntorno();
});
after(() => entorno?.cerrar());

const VISTAS = [
  { caso: '1280 × 800', contexto: { viewport: { width: 1280, height: 800 } } },
  { caso: 'a 360 × 740 phone', contexto: { viewport: { width: 360, height: 740 }, hasTouch: true, isMobile: true } },
];

// The page's examples, each with what it says of itself.
async function ejemplosDe(pagina) {
  return pagina.locator('#ejemplosDiseno li').evaluateAll((puntos) => puntos.map((punto) => ({
    direccion: punto.querySelector('a').getAttribute('href'),
    construible: !/no se puede construir/.test(punto.textContent),
  })));
}

const veredicto = (pagina) => pagina.locator('#estadoDiseno').innerText();
const VEREDICTO_DE = { true: /^Construible: /, false: /^No construible: / };

// Where the verdict line is drawn against the screen, the window and the
// results, once the page is idle and done scrolling.
async function medir(pagina) {
  await calma(pagina);
  await pagina.evaluate(() => new Promise((listo) => {
    let antes = -1;
    const mirar = () => {
      if (scrollY === antes) listo();
      else requestAnimationFrame(mirar);
      antes = scrollY;
    };
    mirar();
  }));
  return pagina.evaluate(() => {
    const caja = (el) => el.getBoundingClientRect();
    const linea = caja(document.getElementById('estadoDiseno'));
    const lugar = caja(document.getElementById('lugarVeredicto'));
    return {
      estado: document.getElementById('panelDiseno').dataset.estado,
      dentro: linea.top >= 0 && linea.left >= 0 && linea.bottom <= innerHeight && linea.right <= innerWidth,
      enSuLugar: Math.abs(linea.top - lugar.top) < 1,
      ventanaEncima: caja(document.getElementById('form1')).bottom <= lugar.top,
      tapados: [...document.querySelectorAll('.Resultado')].filter((el) => {
        const r = caja(el);
        return r.bottom > linea.top && r.top < linea.bottom;
      }).map((el) => el.id),
    };
  });
}

// Until the line is in its place in the panel, or drawn elsewhere, as the
// page follows the scroll a frame or so later.
const enSuLugar = (pagina, si) => pagina.waitForFunction((si) => {
  const [linea, lugar] = ['estadoDiseno', 'lugarVeredicto']
    .map((id) => document.getElementById(id).getBoundingClientRect());
  return (Math.abs(linea.top - lugar.top) < 1) === si;
}, si, { timeout: ESPERA_MS });

test('the verdict line is in view as soon as a design is shown, wide or on a phone, over no result', async () => {
  for (const { caso, contexto } of VISTAS) {
    const { pagina: primera } = await entorno.abrir(contexto);
    for (const [i, { direccion, construible }] of (await ejemplosDe(primera)).entries()) {
      const { pagina, errores } = await entorno.abrir(contexto, direccion);
      const visto = await medir(pagina);
      await pagina.screenshot({ path: join(CARPETA_CAPTURAS, `veredicto-${contexto.viewport.width}-${i}.png`) });
      const donde = `${caso}, ${direccion}`;
      assert.match(await veredicto(pagina), VEREDICTO_DE[construible], donde);
      assert.deepEqual([visto.estado, visto.dentro, visto.ventanaEncima, visto.tapados], ['hecho', true, true, []],
        `${donde}: ${JSON.stringify(visto)}`);
      // Off the screen it is drawn at its foot: scrolled to, it is in its
      // place again; its place left below or above, at the foot again.
      const abajo = !visto.enSuLugar;
      for (const [arriba, enElSuyo] of [[null, true], [0, !abajo], [Infinity, false]]) {
        if (arriba === null) {
          await pagina.locator('#tituloDiseno').evaluate((el) => el.scrollIntoView({ behavior: 'instant' }));
        } else {
          await pagina.evaluate((y) => scrollTo({ top: Math.min(y, document.body.scrollHeight), behavior: 'instant' }),
            arriba);
        }
        await enSuLugar(pagina, enElSuyo);
        assert.equal((await medir(pagina)).dentro, true, `${donde}, scrolled to ${arriba}`);
      }
      assert.deepEqual(errores, [], donde);
    }
  }
});

// The link an alternative opens against the design's own: the keys whose
// texts differ, either way.
function diferencias(direccion, otra) {
  const [a, b] = [direccion, otra].map((d) => new URLSearchParams(d.slice(1)));
  return [...new Set([...a.keys(), ...b.keys()])].filter((clave) => a.get(clave) !== b.get(clave));
}

test('the examples build or not as the page says; a refusal\'s changes are links to designs that build',
  async () => {
    const { pagina: primera } = await entorno.abrir();
    const ejemplos = await ejemplosDe(primera);
    assert.deepEqual(new Set(ejemplos.map(({ construible }) => construible)), new Set([true, false]));
    for (const [i, { direccion, construible }] of ejemplos.entries()) {
      const { pagina, errores } = await entorno.abrir();
      await pagina.locator('#ejemplosDiseno a').nth(i).click();
      await calma(pagina);
      assert.equal(await pagina.evaluate(() => location.hash), direccion);
      assert.match(await veredicto(pagina), VEREDICTO_DE[construible], direccion);
      assert.equal(await pagina.locator('#alternativasDiseno').isVisible(), !construible, direccion);
      assert.deepEqual(errores, [], direccion);
    }
    // The README's example, which it says can be built.
    const [, delLeeme] = LEEME.match(/`(#VeMin=[^`]+)`, a\s+design that can be built/);
    const { pagina: leida } = await entorno.abrir({}, delLeeme);
    assert.match(await veredicto(leida), VEREDICTO_DE.true, delLeeme);

    // A refusal typed in, its first value last and left in its field when
    // CALCULAR is clicked: the links carry it all the same.
    const rehusado = new URLSearchParams(ejemplos.find(({ construible }) => !construible).direccion.slice(1));
    const { pagina, errores } = await entorno.abrir();
    const [primero, ...resto] = rehusado.values();
    await pagina.locator('#txtVeMax').focus();
    for (const valor of resto) {
      await pagina.keyboard.type(`${valor}\n`);
      await calma(pagina);
    }
    await pagina.locator('#txtVeMin').click();
    await pagina.keyboard.type(primero);
    await pagina.locator('#cmdCalcular').click();
    await calma(pagina);
    const propia = await pagina.evaluate(() => location.hash);
    assert.deepEqual(diferencias(propia, `#${rehusado}`), []);
    const cambios = await pagina.locator('#alternativasDiseno a').evaluateAll((enlaces) =>
      enlaces.map((a) => ({ texto: a.textContent, direccion: a.getAttribute('href') })));
    assert.ok(cambios.length > 0);
    const informe = await pagina.frameLocator('#informeDiseno').locator('body').innerText();
    for (const [i, { texto, direccion }] of cambios.entries()) {
      assert.ok(informe.includes(texto), `${texto}: the report's own`);
      // The change, and the transistor the circuit's brings with it.
      const cambiadas = diferencias(propia, direccion);
      assert.ok(cambiadas.length === 1 || (cambiadas.length === 2 && cambiadas.includes('transistor')),
        `${texto}: ${cambiadas}`);
      await pagina.locator('#alternativasDiseno a').nth(i).click();
      await pagina.waitForFunction(() => /^Construible/.test(document.getElementById('estadoDiseno').textContent),
        null, { timeout: ESPERA_MS });
      assert.equal(await pagina.locator('#avisoEnlace').innerText(), '', texto);
      await pagina.goBack();
      await pagina.waitForFunction(() => /^No construible/.test(document.getElementById('estadoDiseno').textContent),
        null, { timeout: ESPERA_MS });
    }
    assert.deepEqual(errores, []);
  });
