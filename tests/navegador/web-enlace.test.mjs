// A design as a link: the six values and the panel's options after "#" in
// the page's address. What the address holds goes in as typed text would,
// refused value by value and said so; a link with all six values calculates
// as its sender saw it; the address follows every committed change in place.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import { prepararEntorno } from './web-servidor.mjs';
import { CAMPOS, EJEMPLO_A, ETIQUETAS, RESULTADOS_A, calma, teclearValores, textos } from './web-ventana.mjs';

let entorno;
before(async () => {
  entorno = await prepararEntorno();
});
after(() => entorno?.cerrar());

const POR_DEFECTO = ['0,00', '0,00', '0', '0', '0,00', '5'];
const BORRADOS = ['0,00', '0,000', '0,000', '0,000'];
const DISENO_A = 'VeMin=12,00&VeMax=15,00&IcMin=20&IcMax=100&VnZener=5,10&IzMin=5';

// The address opened; then the fields, the results, the options the panel
// holds, the notice of what was left out, and the address afterwards.
const ENLACES = [
  { caso: 'no design', resto: '', campos: POR_DEFECTO, resultados: BORRADOS, direccion: '' },
  { caso: 'a whole design', resto: `#${DISENO_A}&serie=E12&tol_r=0,5`,
    campos: ['12,00', '15,00', '20', '100', '5,10', '5'], resultados: RESULTADOS_A,
    opciones: { serie: 'E12', tol_r: '0,5' }, informe: /Serie E12, resistencia al 0,5 %/,
    direccion: `#${DISENO_A}&serie=E12&tol_r=0,5` },
  { caso: 'some values, unrounded', resto: '#VeMin=12&VnZener=5,1',
    campos: ['12,00', '0,00', '0', '0', '5,10', '5'], resultados: BORRADOS,
    direccion: '#VeMin=12,00&VeMax=0,00&IcMin=0&IcMax=0&VnZener=5,10&IzMin=5' },
  { caso: 'hostile text', resto: '#VeMin=<img src=x onerror="window.roto=1">&VeMax=15,00&IcMin=%E0%A4%A'
      + '&IcMax=1.2.3&VnZener=5%2C1&IzMin=%00&serie=E7&familia=<b>x</b>&tol_r=999&margen=1,5&zz_ohm=%0A3'
      + '&__proto__=1&constructor=2&VeMin=',
    campos: ['0,00', '15,00', '0', '0', '5,10', '5'], resultados: BORRADOS,
    opciones: { serie: 'E24', familia: 'automática', tol_r: '', margen: '1,5' },
    aviso: ['Tensión mínima de entrada (V)', 'Corriente mínima por la carga (mA)', 'Corriente máxima por la carga (mA)',
      'Corriente mínima por el Zener (mA)', 'Serie', 'Familia del Zener', 'Tolerancia de R (%)',
      'Zz del Zener (Ω)', 'clave desconocida «__proto__»', 'clave desconocida «constructor»'],
    direccion: '#VeMin=0,00&VeMax=15,00&IcMin=0&IcMax=0&VnZener=5,10&IzMin=5&margen=1,5' },
  // Nothing of it taken: the address is still rewritten, so that the
  // refused text does not travel on with a copied link.
  { caso: 'nothing valid', resto: '#VeMin=abc&color=rojo', campos: POR_DEFECTO, resultados: BORRADOS,
    aviso: ['Tensión mínima de entrada (V)', 'clave desconocida «color»'],
    direccion: '#VeMin=0,00&VeMax=0,00&IcMin=0&IcMax=0&VnZener=0,00&IzMin=5' },
  // The lists and the check box by the library's names (a family's short
  // name too); a list at its default is left out of the address.
  { caso: 'the follower, its transistor, a fixed load', resto: `#${DISENO_A}&circuito=seguidor&montaje=smd`
      + '&transistor=BC817-25&carga_fija=si&familia=BZX84&serie=E24',
    campos: ['12,00', '15,00', '20', '100', '5,10', '5'], resultados: RESULTADOS_A,
    opciones: { circuito: 'seguidor', montaje: 'smd', transistor: 'BC817-25', carga_fija: true, familia: 'BZX84-C' },
    informe: /Paso 4b/,
    direccion: `#${DISENO_A}&circuito=seguidor&montaje=smd&familia=BZX84-C&transistor=BC817-25&carga_fija=si` },
  // Names no list has, and choices that clash: the narrower is left out.
  { caso: 'unknown and clashing choices', resto: `#${DISENO_A}&circuito=paralelo&carga_fija=tal&serie=E24`
      + '&montaje=tht&transistor=BC817-25&familia=BZX84-C',
    campos: ['12,00', '15,00', '20', '100', '5,10', '5'], resultados: RESULTADOS_A,
    opciones: { circuito: 'derivacion', montaje: 'tht', familia: 'automática', carga_fija: false },
    aviso: ['Circuito', 'Carga fija', 'Transistor del seguidor', 'Familia del Zener'],
    direccion: `#${DISENO_A}&montaje=tht` },
  { caso: 'a load as a resistance with the follower', resto: `#${DISENO_A}&circuito=seguidor&carga_ohm=270`,
    campos: ['12,00', '15,00', '20', '100', '5,10', '5'], resultados: RESULTADOS_A,
    opciones: { circuito: 'seguidor', carga_ohm: '' }, aviso: ['Carga como resistencia (Ω)'],
    direccion: `#${DISENO_A}&circuito=seguidor` },
];

// A list's choice, a box's text, or whether a check box is ticked.
const opcionDelPanel = (pagina, clave) => pagina.locator(`[name=${clave}]`)
  .evaluate((el) => (el.type === 'checkbox' ? el.checked : el.value));

test('a link opens its design; what it holds that is no figure is left out and said', async () => {
  for (const { caso, resto, campos, resultados, opciones = {}, informe, aviso = [], direccion } of ENLACES) {
    const { pagina, errores } = await entorno.abrir({}, resto);
    const dialogos = [];
    pagina.on('dialog', (d) => dialogos.push(d.message()));
    await calma(pagina);
    assert.deepEqual(await textos(pagina, CAMPOS), campos, caso);
    assert.deepEqual(await textos(pagina, ETIQUETAS), resultados, caso);
    for (const [clave, texto] of Object.entries(opciones)) {
      assert.equal(await opcionDelPanel(pagina, clave), texto, `${caso}: ${clave}`);
    }
    if (informe) assert.match(await pagina.frameLocator('#informeDiseno').locator('body').innerText(), informe);
    const avisado = await pagina.locator('#avisoEnlace').innerText();
    for (const nombre of aviso) assert.ok(avisado.includes(nombre), `${caso}: ${nombre} in ${avisado}`);
    if (aviso.length === 0) assert.equal(avisado, '', caso);
    assert.equal(await pagina.evaluate(() => decodeURIComponent(location.hash)), direccion, caso);
    const estado = await pagina.evaluate(() => ({
      imagenes: document.images.length, roto: window.roto, cuadro: document.getElementById('cuadro').open,
    }));
    assert.deepEqual(estado, { imagenes: 2, roto: undefined, cuadro: false }, caso);
    assert.deepEqual([dialogos, errores], [[], []], caso);
  }
});

test('the address follows the design in place; the link gives another user the same design', async () => {
  const { pagina, errores } = await entorno.abrir();
  const historia = await pagina.evaluate(() => history.length);
  await teclearValores(pagina, EJEMPLO_A);
  await pagina.keyboard.press('Enter');
  await pagina.selectOption('select[name=serie]', 'E6');
  await pagina.locator('[name=temp_max_c]').fill('40');
  await calma(pagina);
  const direccion = pagina.url();
  assert.equal(new URL(direccion).hash, `#${DISENO_A}&serie=E6&temp_max_c=40`);
  assert.equal(await pagina.evaluate(() => history.length), historia, 'no history entry per change');
  const visto = async (p) => ({
    ventana: await textos(p, [...CAMPOS, ...ETIQUETAS]),
    resistencia: await p.locator('#panelDiseno').evaluate((el) => el.dataset.resistencia),
    informe: await p.frameLocator('#informeDiseno').locator('body').innerText(),
  });
  const enviado = await visto(pagina);

  const otro = await entorno.abrir({}, new URL(direccion).hash);
  assert.deepEqual(await visto(otro.pagina), enviado);
  assert.equal(await otro.pagina.evaluate(() => document.activeElement.id), 'cmdCalcular');

  // The address edited by hand in the same tab: what it leaves out is the
  // default again.
  await otro.pagina.evaluate(() => {
    location.hash = location.hash.replace('VeMin=12,00', 'VeMin=13').replace('&temp_max_c=40', '');
  });
  await otro.pagina.waitForFunction(() => document.getElementById('txtVeMin').value === '13,00');
  await calma(otro.pagina);
  assert.deepEqual(await textos(otro.pagina, ETIQUETAS), ['75,24', '1,303', '0,569', '0,671']);
  assert.equal(await otro.pagina.locator('[name=temp_max_c]').inputValue(), '');
  assert.match(await otro.pagina.frameLocator('#informeDiseno').locator('body').innerText(),
    /Serie E6,[^]*Temperatura ambiente: 25 °C/);
  assert.deepEqual([errores, otro.errores], [[], []]);
});

// Back, or any change of address, while a message box is open: applied once
// the box is closed, so that the address and the window agree.
test('an address changed while a message box is open waits for it to close', async () => {
  const { pagina, errores } = await entorno.abrir({}, `#${DISENO_A}`);
  await calma(pagina);
  await pagina.evaluate(() => {
    location.hash = location.hash.replace('VeMin=12,00', 'VeMin=13,00');
  });
  await pagina.waitForFunction(() => document.getElementById('txtVeMin').value === '13,00');
  await calma(pagina);
  await teclearValores(pagina, ['1']);
  await pagina.locator('#cmdCalcular').click();
  await pagina.waitForFunction(() => document.getElementById('cuadro').open);
  await pagina.evaluate(() => history.back());
  await pagina.waitForFunction((a) => location.hash === `#${a}`, DISENO_A);
  assert.equal(await pagina.evaluate(() => document.getElementById('cuadro').open), true);
  await pagina.locator('#cuadroAceptar').click();
  await pagina.waitForFunction(() => document.getElementById('txtVeMin').value === '12,00');
  await calma(pagina);
  assert.deepEqual(await textos(pagina, [...CAMPOS, ...ETIQUETAS]),
    ['12,00', '15,00', '20', '100', '5,10', '5', ...RESULTADOS_A]);
  assert.equal(await pagina.evaluate(() => location.hash), `#${DISENO_A}`);
  assert.equal(await pagina.locator('#avisoEnlace').innerText(), '');
  assert.deepEqual(errores, []);
});
