// The calculator's page in Debian's chromium: the window driven as a user
// drives it, against what the Windows program does.
import assert from 'node:assert/strict';
import { mkdirSync } from 'node:fs';
import { join } from 'node:path';
import { after, before, test } from 'node:test';

import { CARPETA_CAPTURAS, prepararEntorno } from './web-servidor.mjs';
import {
  CAMPOS, EJEMPLO_A, ETIQUETAS, RESULTADOS_A, cuadro, foco, pegarDesdeMenu, piezasDeLaTabla,
  seleccion, teclearValores, textos,
} from './web-ventana.mjs';

let entorno;
before(async () => {
  entorno = await prepararEntorno();
  mkdirSync(CARPETA_CAPTURAS, { recursive: true });
});
after(() => entorno?.cerrar());

const POR_DEFECTO = ['0,00', '0,00', '0', '0', '0,00', '5'];
const BORRADAS = ['0,00', '0,000', '0,000', '0,000'];

test('example A by keyboard alone: Enter chain, then Enter on CALCULAR', async () => {
  const { pagina, errores } = await entorno.abrir();
  assert.equal(await foco(pagina), 'txtVeMin');
  assert.deepEqual(await seleccion(pagina, 'txtVeMin'), [0, 4, 4], 'focus entry selects the text');
  await teclearValores(pagina, EJEMPLO_A);
  assert.equal(await foco(pagina), 'cmdCalcular');
  assert.deepEqual(await textos(pagina, CAMPOS), ['12,00', '15,00', '20', '100', '5,10', '5']);
  await pagina.keyboard.press('Enter');
  assert.deepEqual(await textos(pagina, ETIQUETAS), RESULTADOS_A);
  await pagina.screenshot({ path: join(CARPETA_CAPTURAS, 'web-ancho.png'), fullPage: true });
  // Tab order: the six fields, then the two buttons.
  await pagina.locator('#txtVeMin').focus();
  const orden = [];
  for (let i = 0; i < 8; ++i) {
    orden.push(await foco(pagina));
    await pagina.keyboard.press('Tab');
  }
  assert.deepEqual(orden, [...CAMPOS, 'cmdCalcular', 'cmdReset']);
  assert.deepEqual(errores, []);
});

// Values typed, then the rule that fails: title, first prompt line, field
// that gets the focus back; each box closed by another of its keys.
const REGLAS = [
  [['0', '0', '0', '0', '0', '5'], 'Introducir un número mayor que CERO',
    'La tensión mínima de entrada no puede ser CERO', 'txtVeMin', 'Enter'],
  [['12', '10', '20', '100', '5.1', '5'], 'Introducir un número válido',
    'La tensión máxima de entrada ha de ser igual o superior a la mínima', 'txtVeMax', ' '],
  [['12', '15', '100', '20', '5.1', '5'], 'Introducir un número válido',
    'La corriente máxima por la carga ha de ser igual o superior a la mínima', 'txtIcMax', 'Escape'],
  [['12', '15', '20', '100', '2', '5'], 'Introducir un número mayor',
    'Valor muy bajo de la tensión zener', 'txtVnZener', 'Enter'],
  [['12', '15', '20', '100', '11.8', '5'], 'Introducir un número mayor',
    'La tensión mínima de entrada ha de ser', 'txtVeMin', ' '],
  [['12', '15', '20', '100', '5.1', '0'], 'Introducir un número válido',
    'El valor para la corriente mínima del zener ha de ser superior a 0', 'txtIzMin', 'Escape'],
  [['12', '15', '20', '100', '5.1', '101'], 'Introducir un número válido',
    'Valor demasiado alto para la corriente mínima del zener', 'txtIzMin', 'Enter'],
];

test('the seven rules: message, title, icon, focus and selection after the box', async () => {
  const { pagina, errores } = await entorno.abrir();
  for (const [valores, titulo, primeraLinea, campo, tecla] of REGLAS) {
    await teclearValores(pagina, valores);
    await pagina.keyboard.press('Enter');
    const mostrado = await cuadro(pagina);
    assert.equal(mostrado.abierto, true, titulo);
    assert.equal(mostrado.titulo, titulo);
    assert.equal(mostrado.lineas[0].trim(), primeraLinea);
    assert.ok(mostrado.lineas.at(-1).includes('Por favor, introduzca'), mostrado.lineas.at(-1));
    assert.equal(mostrado.icono, 'icono informacion');
    await pagina.getByRole('alertdialog', { name: titulo }).waitFor();
    assert.equal(await foco(pagina), 'cuadroAceptar');
    await pagina.keyboard.press(tecla === ' ' ? 'Space' : tecla);
    assert.equal((await cuadro(pagina)).abierto, false);
    assert.equal(await foco(pagina), campo, primeraLinea);
    const [inicio, fin, longitud] = await seleccion(pagina, campo);
    assert.deepEqual([inicio, fin], [0, longitud]);
    assert.deepEqual(await textos(pagina, ETIQUETAS), BORRADAS);
    await pagina.click('#cmdReset');
  }
  assert.deepEqual(errores, []);
});

// Field, what is typed, what it shows before and after the commit.
const FILTROS = [
  ['txtVeMin', '1a2.5x', '12,5', '12,50'],
  ['txtIcMin', '1.5,7-', '157', '157'],
  ['txtVnZener', '5€,1', '5,1', '5,10'],
  ['txtIzMin', '35\b8', '38', '38'],
];

test('key filters, Ctrl+V dropped, a context-menu paste checked at the commit', async () => {
  const { pagina, errores } = await entorno.abrir({ permissions: ['clipboard-read', 'clipboard-write'] });
  for (const [campo, tecleado, antes, despues] of FILTROS) {
    await pagina.locator(`#${campo}`).focus();
    for (const caracter of tecleado) {
      if (caracter === '\b') await pagina.keyboard.press('Backspace');
      else await pagina.keyboard.type(caracter);
    }
    assert.deepEqual(await textos(pagina, [campo]), [antes], tecleado);
    await pagina.keyboard.press('Enter');
    assert.deepEqual(await textos(pagina, [campo]), [despues], tecleado);
  }
  await pagina.locator('#txtVeMax').focus();
  await pagina.evaluate(() => navigator.clipboard.writeText('99'));
  await pagina.keyboard.press('Control+V');
  assert.deepEqual(await textos(pagina, ['txtVeMax']), ['0,00']);
  await pegarDesdeMenu(pagina, '1a');
  assert.deepEqual(await textos(pagina, ['txtVeMax']), ['1a']);
  // The commit on leaving the field, here by a click on another field.
  await pagina.click('#txtIcMax');
  assert.deepEqual(await cuadro(pagina), {
    abierto: true, titulo: 'Error', icono: 'icono exclamacion',
    lineas: ['La cifra no es válida, por favor introdúzcala de nuevo.'],
  });
  await pagina.keyboard.press('Enter');
  assert.equal(await foco(pagina), 'txtVeMax');
  assert.deepEqual(await textos(pagina, ['txtVeMax']), ['0,00']);
  assert.deepEqual(await seleccion(pagina, 'txtVeMax'), [0, 4, 4]);
  assert.deepEqual(errores, []);
});

test('RESET, a double click on RESET, and a click on CALCULAR that commits first', async () => {
  const { pagina, errores } = await entorno.abrir();
  await teclearValores(pagina, EJEMPLO_A);
  await pagina.keyboard.press('Enter');
  await pagina.click('#cmdReset');
  assert.deepEqual(await textos(pagina, [...CAMPOS, ...ETIQUETAS]), [...POR_DEFECTO, ...BORRADAS]);
  assert.equal(await foco(pagina), 'txtVeMin');

  await teclearValores(pagina, EJEMPLO_A.slice(0, 5));
  await pagina.keyboard.type('7');  // no Enter: the click must commit it
  await pagina.click('#cmdCalcular');
  assert.deepEqual(await textos(pagina, ['txtIzMin', 'lblRrLim']), ['7', '64,49']);
  assert.equal((await cuadro(pagina)).abierto, false);

  await pagina.locator('#txtVeMax').focus();
  await pagina.keyboard.type('40');
  await pagina.dblclick('#cmdReset');
  assert.deepEqual(await textos(pagina, [...CAMPOS, ...ETIQUETAS]), [...POR_DEFECTO, ...BORRADAS]);
  assert.equal(await foco(pagina), 'txtVeMin');
  assert.equal((await cuadro(pagina)).abierto, false);
  assert.deepEqual(errores, []);
});

test('every control where its twips put it, fields named by their captions', async () => {
  const { pagina } = await entorno.abrir();
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
});

test('a click on a picture opens the web address in a new tab', async () => {
  const { pagina, contexto } = await entorno.abrir();
  const direccion = 'http://www.example.com/calculador-zener/';
  await contexto.route(`${direccion}**`, (ruta) => ruta.fulfill({ body: 'sitio' }));
  for (const imagen of ['#imgSchema', '#imgLogo']) {
    const [pestana] = await Promise.all([contexto.waitForEvent('page'), pagina.click(imagen)]);
    await pestana.waitForLoadState();
    assert.equal(pestana.url(), direccion);
    await pestana.close();
    assert.equal(await foco(pagina), 'txtVeMin', 'a picture takes no focus');
  }
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
    await pagina.keyboard.insertText(EJEMPLO_A[i]);
  }
  await pagina.locator('#cmdCalcular').tap();
  assert.deepEqual(await textos(pagina, ETIQUETAS), RESULTADOS_A);
  await pagina.screenshot({ path: join(CARPETA_CAPTURAS, 'web-360.png'), fullPage: true });
  assert.deepEqual(errores, []);
});
