// The design panel below the window: its boxes read as the library reads
// figures, within the library's limits; its report follows the window's
// last CALCULAR, marked out of date as soon as the window no longer shows
// those results, and only a current report can be copied or printed.
import assert from 'node:assert/strict';
import { execFileSync, spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { fileURLToPath } from 'node:url';

import { prepararEntorno } from './web-servidor.mjs';
import {
  CAMPOS, EJEMPLO_A, ESPERA_MS, ETIQUETAS, calcularEjemplo, calma, teclearValores, textos,
} from './web-ventana.mjs';

let entorno;
before(async () => {
  entorno = await prepararEntorno();
});
after(() => entorno?.cerrar());

const estado = (pagina) => pagina.locator('#panelDiseno').evaluate((el) => el.dataset.estado);
const informe = (pagina) => pagina.frameLocator('#informeDiseno').locator('body').innerText();


// What is typed into the boxes, and what the report then says, or why the
// options cannot be used and which box is at fault.
const OPCIONES = [
  [{}, /Serie E24, resistencia al 5 %, zener según su hoja de datos, margen de potencia 2,/],
  [{}, /Entrada: VeMin y VeMax son los extremos de su valor medio.*Tensión de salida\s+De [\d,]+ V/s],
  [{ rizado_mv: '500' }, /el rizado va encima: de [\d,]+ V \([\d,]+ V − 0,25 V\) a [\d,]+ V \([\d,]+ V \+ 0,25 V\)/],
  [{ tol_r: '0,5' }, /resistencia al 0,5 %/],
  [{ tol_r: '2,5', tol_vz: '2' }, /resistencia al 2,5 %, zener al ±2 % como máximo/],
  [{ margen: '50' }, /margen de potencia 50,/],
  [{ margen: '1,5', temp_min_c: '-20', temp_max_c: '40', rizado_mv: '200' },
    /margen de potencia 1,5.*de -20 °C a 40 °C\s+Rizado de entrada: 200 mV pp/s],
  [{ r_ohm: '56', zz_ohm: '3' }, /Resistencia a comprobar: 56 Ω.*Zz = 3 Ω \(dada\)/s],
  [{ carga_ohm: '270' }, /Carga: 270 Ω, 18,89 mA/],
  [{ tol_r: '60' }, /la tolerancia de la resistencia ha de estar entre 0 y 50 %/, 'tol_r'],
  [{ tol_r: '1.5' }, /«1\.5» no es una cifra: escriba la coma decimal: 1,5/, 'tol_r'],
  [{ carga_ohm: '0' }, /la resistencia de carga ha de ser mayor que 0/, 'carga_ohm'],
  [{ temp_min_c: '40', temp_max_c: '-20' }, /la temperatura ambiente mínima no puede pasar de la máxima/, 'temp_max_c'],
];

test('the boxes: comma decimals, the library’s limits, the new options', async () => {
  const { pagina, errores } = await entorno.abrir();
  await calcularEjemplo(pagina);
  assert.equal(await pagina.locator('#limites-tol_r').innerText(), 'De 0 a 50 %');
  assert.equal(await pagina.locator('#limites-margen').innerText(), 'De 1 a 100');
  for (const [opciones, esperado, enFalta] of OPCIONES) {
    const caso = JSON.stringify(opciones);
    await pagina.locator('#opcionesDiseno input').evaluateAll((cajas) => cajas.forEach((c) => { c.value = ''; }));
    await pagina.locator('[name=serie]').dispatchEvent('input');
    for (const [clave, texto] of Object.entries(opciones)) await pagina.locator(`[name=${clave}]`).fill(texto);
    if (enFalta) {
      assert.equal(await estado(pagina), 'error', caso);
      assert.match(await pagina.locator('#estadoDiseno').innerText(), esperado, caso);
      assert.deepEqual(await pagina.locator('#opcionesDiseno [aria-invalid]').evaluateAll(
        (cajas) => cajas.map((c) => c.name)), [enFalta], caso);
    } else {
      assert.equal(await estado(pagina), 'hecho', caso);
      assert.match(await informe(pagina), esperado, caso);
    }
  }
  assert.deepEqual(errores, []);
});

test('the report: current after CALCULAR, out of date after a field, RESET or a failed CALCULAR', async () => {
  const { pagina, errores } = await entorno.abrir({ permissions: ['clipboard-read', 'clipboard-write'] });
  await pagina.evaluate(() => {
    // The report's frame is made with the first report.
    document.addEventListener('load', ({ target: marco }) => {
      if (marco.id !== 'informeDiseno') return;
      marco.contentWindow.print = () => { document.body.dataset.impreso = marco.contentDocument.title; };
    }, true);
  });
  const aviso = () => pagina.locator('#estadoCopia').innerText();
  // The notice follows the clipboard's answer, which comes when it comes.
  const avisoCopiado = () => pagina.waitForFunction(
    () => document.getElementById('estadoCopia').textContent === 'Informe copiado.', null, { timeout: ESPERA_MS });
  const puedeCopiar = () => pagina.locator('#copiarInforme').isEnabled();
  const puedeImprimir = () => pagina.locator('#imprimirInforme').isEnabled();
  const puedeDescargar = () => pagina.locator('#descargarCircuito').isEnabled();
  const PASOS = [
    ['opened', async () => {}, 'espera'],
    ['CALCULAR', () => calcularEjemplo(pagina), 'hecho'],
    ['copied', async () => {
      await pagina.click('#copiarInforme');
      assert.match(await pagina.evaluate(() => navigator.clipboard.readText()), /^Diseño del regulador[^]*65,71/);
      await avisoCopiado();
      await pagina.click('#imprimirInforme');
      assert.ok(await pagina.evaluate(() => document.body.dataset.impreso));
      // The circuit runs in ngspice as it is and keeps the minimum Zener
      // current in every worst case (its analyses are in its control block,
      // after which ngspice's batch mode ends with status 1, so its output
      // is what is judged).
      const [descarga] = await Promise.all([
        pagina.waitForEvent('download', { timeout: ESPERA_MS }), pagina.click('#descargarCircuito')]);
      assert.equal(descarga.suggestedFilename(), 'regulador-zener.cir');
      const { stdout: simulado } = spawnSync('ngspice', ['-b', await descarga.path()], { encoding: 'utf8' });
      assert.match(simulado, /^cumple iz_min_peor_ma \w+$/m);
      assert.doesNotMatch(simulado, /^FALLA/m);
    }, 'hecho'],
    ['a field entered', () => pagina.locator('#txtVeMax').focus(), 'obsoleto'],
    ['another series, still out of date', () => pagina.selectOption('select[name=serie]', 'E6'), 'obsoleto'],
    ['CALCULAR again', () => pagina.click('#cmdCalcular'), 'hecho'],
    ['RESET', () => pagina.click('#cmdReset'), 'obsoleto'],
    ['CALCULAR that fails, its box closed', async () => {
      await pagina.click('#cmdCalcular');
      await pagina.keyboard.press('Enter');
    }, 'obsoleto'],
  ];
  for (const [paso, hacer, esperado] of PASOS) {
    await hacer();
    await calma(pagina);
    assert.equal(await estado(pagina), esperado, paso);
    assert.equal(await puedeCopiar(), esperado === 'hecho', paso);
    assert.equal(await puedeImprimir(), esperado === 'hecho', paso);
    assert.equal(await puedeDescargar(), esperado === 'hecho', paso);
    if (paso !== 'copied') assert.equal(await aviso(), '', `${paso}: the copy notice cleared`);
    if (esperado === 'hecho') {
      // The panel's line is the report's verdict; the resistor values under it.
      const veredicto = await pagina.locator('#estadoDiseno').innerText();
      assert.match(veredicto, /^(No construible|Construible): .+\.$/, paso);
      assert.ok((await informe(pagina)).includes(veredicto), paso);
      assert.match(await pagina.locator('#resumenDiseno').innerText(), new RegExp('^(R entre \\d+,\\d Ω y \\d+,\\d Ω'
        + '|Ninguna R sirve con el \\w+: la mínima, [\\d.,]+ Ω, pasa de la máxima, [\\d.,]+ Ω)\\.$'), paso);
    }
    if (esperado === 'obsoleto') assert.ok(await pagina.locator('#informeDiseno').isVisible(), paso);
  }
  assert.match(await informe(pagina), /Serie E6/);
  assert.deepEqual(await textos(pagina, [...CAMPOS, ...ETIQUETAS]),
    ['0,00', '0,00', '0', '0', '0,00', '5', '0,00', '0,000', '0,000', '0,000'], 'the panel wrote nothing back');

  // The copy notice also clears by itself.
  await calcularEjemplo(pagina);
  await pagina.click('#copiarInforme');
  await avisoCopiado();
  await pagina.waitForFunction(() => document.getElementById('estadoCopia').textContent === '', null,
    { timeout: 10_000 });
  assert.deepEqual(errores, []);
});

// The report as the page shows it, read from its frame: the rendered size of
// its body text and of its plot's smallest label, whether its table fits or
// says that it scrolls, and the legend's items that a curve crosses.
function leerInforme() {
  const svg = document.querySelector('svg');
  const escala = svg.getScreenCTM().a;
  const tabla = document.querySelector('table');
  const curvas = [...svg.querySelectorAll('.curva')].map((l) => ['x1', 'y1', 'x2', 'y2']
    .map((a) => l[a].baseVal.value));
  const cruzados = [...svg.querySelectorAll('.leyenda > *')].filter((el) => {
    const c = el.getBBox();
    return curvas.some(([xa, ya, xb, yb]) => Array.from({ length: 201 }, (_, i) => i / 200)
      .some((t) => {
        const [x, y] = [xa + t * (xb - xa), ya + t * (yb - ya)];
        return x >= c.x && x <= c.x + c.width && y >= c.y && y <= c.y + c.height;
      }));
  }).map((el) => el.textContent || el.outerHTML);
  return {
    letra: parseFloat(getComputedStyle(document.body).fontSize),
    rotulo: Math.min(...[...svg.querySelectorAll('text')].map((t) => parseFloat(getComputedStyle(t).fontSize)))
      * escala,
    tablaCabe: tabla.scrollWidth <= tabla.clientWidth,
    avisoDeTabla: getComputedStyle(tabla, '::before').content,
    cruzados,
  };
}

const ANCHOS_DEL_INFORME = [
  { caso: 'full width', viewport: { width: 1024, height: 900 } },
  { caso: 'a 360-pixel phone', viewport: { width: 360, height: 740 }, hasTouch: true, isMobile: true,
    letra: 16, rotulo: 12 },
];

test('the report: legible on a phone, its table fits or says it scrolls, its legend clear of the curves',
  async () => {
    for (const { caso, letra = 0, rotulo = 0, ...contexto } of ANCHOS_DEL_INFORME) {
      const { pagina, errores } = await entorno.abrir(contexto);
      await calcularEjemplo(pagina);
      await pagina.waitForFunction(() => document.getElementById('panelDiseno').dataset.estado === 'hecho');
      const visto = await pagina.frame({ url: 'about:srcdoc' }).evaluate(leerInforme);
      assert.ok(visto.letra >= letra, `${caso}: body text ${visto.letra} px`);
      assert.ok(visto.rotulo >= rotulo, `${caso}: plot labels ${visto.rotulo} px`);
      assert.ok(visto.tablaCabe || visto.avisoDeTabla.includes('Desplace'), `${caso}: ${JSON.stringify(visto)}`);
      assert.deepEqual(visto.cruzados, [], caso);
      assert.deepEqual(errores, [], caso);
    }
  });

// Each package's, family's and transistor's mounting, as the library's
// catalogues declare it, so that parts added to them are judged too.
const CATALOGO = ['Componentes.cpp', 'Transistores.cpp']
  .map((archivo) => readFileSync(new URL(`../../design/${archivo}`, import.meta.url), 'utf8')).join('\n');
const montajesDe = (patron) => new Map([...CATALOGO.matchAll(patron)].map(([, nombre, montaje]) => [nombre, montaje]));
const MONTAJE_DE = montajesDe(/\{"([^"]+)",\s*Montaje::(Smd|Tht)\}/g);
// The lists whose choices belong to a mounting: each choice's.
const MONTAJE_EN_LISTA = {
  familia: montajesDe(/FamiliaDeTabla\(Familia::\w+, "([^"]+)",\s*\{"[^"]+",\s*Montaje::(Smd|Tht)\}/g),
  transistor: montajesDe(/Fila\("([^"]+)",\s*\{"[^"]+",\s*Montaje::(Smd|Tht)\}/g),
};

// The tool the parts list's file is written as, built on the host.
const HERRAMIENTA = process.env.ZENER_DISENO
  ?? fileURLToPath(new URL('../../build/host/cli/zener-diseno', import.meta.url));

// What the tool's --lista-materiales writes for one design with the panel's
// choices: each list's by its option, the fixed load as its flag.
function listaDeLaHerramienta(valores, { montaje, circuito, transistor, cargaFija }) {
  assert.ok(existsSync(HERRAMIENTA), `${HERRAMIENTA} is not built: scripts/probar-web.sh builds it`);
  const carpeta = mkdtempSync(join(tmpdir(), 'zener-lista-'));
  try {
    const fila = valores.map((valor) => valor.replace('.', ',')).join(';');
    writeFileSync(join(carpeta, 'lote.csv'), `VeMin;VeMax;IcMin;IcMax;VnZener;IzMin\n${fila}\n`);
    const opciones = ['--montaje', montaje, '--circuito', circuito,
      ...(transistor === null ? [] : ['--transistor', transistor]), ...(cargaFija ? ['--carga-fija'] : [])];
    execFileSync(HERRAMIENTA, ['--lotes', 'lote.csv', '-o', 'resultados.csv', '--lista-materiales',
      'lista.csv', ...opciones], { cwd: carpeta, stdio: ['ignore', 'ignore', 'pipe'] });
    return readFileSync(join(carpeta, 'lista.csv'));
  } finally {
    rmSync(carpeta, { recursive: true });
  }
}

// The parts list as the user sees it: a row per part, by the columns' headers.
function leerMateriales(tabla) {
  const cabecera = [...tabla.tHead.rows[0].cells].map((celda) => celda.innerText);
  return [...tabla.tBodies[0].rows].map((fila) => Object.fromEntries([...fila.cells]
    .map((celda, i) => [cabecera[i], celda.innerText])));
}

// A list grouped by mounting as offered: each group's label and its choices.
function leerGrupos(lista) {
  return [...lista.querySelectorAll('optgroup')].map((grupo) => ({
    grupo: grupo.label, elecciones: [...grupo.children].map((opcion) => opcion.value),
  }));
}

async function verPanel(pagina) {
  await calma(pagina);
  const tabla = pagina.getByRole('table', { name: 'Lista de materiales' });
  const lista = (clave) => pagina.locator(`[name=${clave}]`);
  return {
    estado: await estado(pagina),
    circuito: await lista('circuito').inputValue(),
    montaje: await lista('montaje').inputValue(),
    familia: await lista('familia').inputValue(),
    familias: await lista('familia').evaluate(leerGrupos),
    transistor: await lista('transistor').isVisible() ? await lista('transistor').inputValue() : null,
    transistores: await lista('transistor').evaluate(leerGrupos),
    cargaFija: await lista('carga_fija').isChecked(),
    mensaje: await pagina.locator('#estadoDiseno').innerText(),
    refusadas: await pagina.locator('#opcionesDiseno [aria-invalid]').evaluateAll((el) => el.map((c) => c.name)),
    piezas: await tabla.count() === 0 ? [] : await tabla.evaluate(leerMateriales),
    ninguna: await pagina.locator('#sinMateriales').isVisible(),
    csv: await pagina.locator('#descargarMateriales').isEnabled(),
  };
}

// A design whose every mounting can be built, and one that cannot be built.
const PEQUENO = ['9', '12', '1', '10', '5.1', '2'];

// The choices made in the lists and the check box, in order, and what the
// panel then holds: the family and the transistor (none: its list not
// shown), and parts all of that mounting (piezas) or none. The page's link
// is then opened anew, as it is or with more in it: the same panel, and a
// notice for what the link held that was refused.
const MONTAJES = [
  { caso: 'smd', valores: PEQUENO, elegir: [['montaje', 'smd']], piezas: 'Smd' },
  { caso: 'tht', valores: PEQUENO, elegir: [['montaje', 'tht']], piezas: 'Tht' },
  { caso: 'a family, then the other mounting', valores: PEQUENO,
    elegir: [['familia', 'BZX79-C'], ['montaje', 'smd']], piezas: 'Smd' },
  { caso: 'a link with a family of the other mounting', valores: PEQUENO, elegir: [['montaje', 'smd']],
    piezas: 'Smd', enlace: '&familia=BZX79-C', aviso: 'Familia del Zener' },
  { caso: 'the follower, surface-mount', valores: PEQUENO, elegir: [['circuito', 'seguidor'], ['montaje', 'smd']],
    transistor: 'auto', piezas: 'Smd' },
  { caso: 'the follower, a through-hole transistor, a fixed load', valores: PEQUENO,
    elegir: [['circuito', 'seguidor'], ['montaje', 'tht'], ['transistor', 'BC337-25'], ['carga_fija', 'si']],
    transistor: 'BC337-25', piezas: 'Tht' },
  { caso: 'a transistor, then the other mounting', valores: PEQUENO,
    elegir: [['circuito', 'seguidor'], ['transistor', 'BC817-25'], ['montaje', 'tht']], transistor: 'auto',
    piezas: 'Tht' },
  { caso: 'a transistor, then the shunt', valores: PEQUENO,
    elegir: [['montaje', 'smd'], ['circuito', 'seguidor'], ['transistor', 'BC817-25'], ['circuito', 'derivacion']],
    piezas: 'Smd' },
  { caso: 'a link with a transistor of the other mounting', valores: PEQUENO,
    elegir: [['circuito', 'seguidor'], ['montaje', 'smd']], transistor: 'auto', piezas: 'Smd',
    enlace: '&transistor=BC337-25', aviso: 'Transistor del seguidor' },
  { caso: 'not buildable', valores: EJEMPLO_A, elegir: [['montaje', 'tht']], piezas: null },
];

// Each list grouped by mounting offers the choices of the mounting chosen,
// each under the name the Montaje list gives its mounting; for any
// mounting, all of them.
async function comprobarGrupos(pagina, visto, caso) {
  const textoDe = Object.fromEntries(await pagina.locator('[name=montaje] option').evaluateAll(
    (opciones) => opciones.map((o) => [o.value, o.textContent])));
  for (const [clave, grupos] of [['familia', visto.familias], ['transistor', visto.transistores]]) {
    const montajeDe = MONTAJE_EN_LISTA[clave];
    const ofrecidas = grupos.flatMap(({ grupo, elecciones }) => elecciones.map((nombre) => {
      assert.equal(grupo, textoDe[montajeDe.get(nombre).toLowerCase()], `${caso}: ${nombre} under ${grupo}`);
      return nombre;
    }));
    const esperadas = [...montajeDe].filter(([, montaje]) => visto.montaje === 'cualquiera'
      || montaje.toLowerCase() === visto.montaje).map(([nombre]) => nombre);
    assert.deepEqual(new Set(ofrecidas), new Set(esperadas), `${caso}: ${clave}`);
  }
}

// The parts, all of the mounting, a transistor with the follower; the file
// offered for them, byte for byte what the tool writes for the same design
// and choices.
async function comprobarPiezas(pagina, visto, { caso, valores, piezas }) {
  if (piezas === null) {
    assert.deepEqual([visto.piezas, visto.ninguna, visto.csv], [[], true, false], caso);
    return;
  }
  assert.deepEqual([visto.estado, visto.ninguna, visto.csv], ['hecho', false, true], caso);
  const referencias = visto.circuito === 'seguidor' ? ['R1', 'D1', 'Q1'] : ['R1', 'D1'];
  assert.deepEqual(visto.piezas.map((p) => p.Referencia), referencias, caso);
  for (const pieza of visto.piezas) {
    assert.equal(MONTAJE_DE.get(pieza.Encapsulado), piezas, `${caso}: ${JSON.stringify(pieza)}`);
  }
  const [descarga] = await Promise.all([
    pagina.waitForEvent('download', { timeout: ESPERA_MS }), pagina.click('#descargarMateriales')]);
  assert.equal(descarga.suggestedFilename(), 'lista-materiales.csv', caso);
  const bajada = readFileSync(await descarga.path());
  const escrita = listaDeLaHerramienta(valores, visto);
  assert.ok(bajada.equals(escrita), `${caso}: ${bajada} against ${escrita}`);
}

test('the lists: families and transistors of the mounting only, the transistor with the follower only, '
  + 'the parts list keeps to them and downloads as the tool writes it, the link carries them', async () => {
  assert.deepEqual(new Set(MONTAJE_DE.values()), new Set(['Smd', 'Tht']), 'the catalogue read');
  for (const montajes of Object.values(MONTAJE_EN_LISTA)) {
    assert.deepEqual(new Set(montajes.values()), new Set(['Smd', 'Tht']), 'the catalogue\'s lists read');
  }
  for (const fila of MONTAJES) {
    const { caso, valores, elegir, transistor = null, enlace = '', aviso = '' } = fila;
    const { pagina, errores } = await entorno.abrir({ acceptDownloads: true });
    await teclearValores(pagina, valores);
    await pagina.keyboard.press('Enter');
    for (const [clave, valor] of elegir) {
      const el = pagina.locator(`[name=${clave}]`);
      if (await el.getAttribute('type') === 'checkbox') await el.setChecked(valor === 'si');
      else await el.selectOption(valor);
    }
    const visto = await verPanel(pagina);
    const montaje = Object.fromEntries(elegir).montaje ?? 'cualquiera';
    assert.deepEqual([visto.montaje, visto.familia, visto.transistor, visto.refusadas],
      [montaje, 'automática', transistor, []], caso);
    await comprobarGrupos(pagina, visto, caso);
    await comprobarPiezas(pagina, visto, fila);

    const otro = await entorno.abrir({}, new URL(pagina.url()).hash + enlace);
    assert.deepEqual(await verPanel(otro.pagina), visto, `${caso}, its link`);
    const avisado = await otro.pagina.locator('#avisoEnlace').innerText();
    assert.ok(aviso === '' ? avisado === '' : avisado.includes(aviso), `${caso}: ${avisado}`);
    assert.deepEqual([errores, otro.errores], [[], []], caso);
  }
});
