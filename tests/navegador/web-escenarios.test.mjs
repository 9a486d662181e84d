// The scenario table (tests/escenarios.txt) on the page in Chromium: each
// scenario on a freshly opened page, its steps as a user's keys, clicks,
// pastes and input-method text, its checks on what the page shows. A failure
// names the table's line.
//
// ZENER_ANCHO sets the viewport's width in CSS pixels (1024 by default), and
// ZENER_TACTIL=1 taps instead of clicking, so that the same table runs on a
// narrow touch screen.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import { RUTA_ESCENARIOS, leerTabla, palabras } from './escenarios.mjs';
import { direccionWeb, prepararEntorno } from './web-servidor.mjs';

const ANCHO = Number(process.env.ZENER_ANCHO ?? 1024);
const TACTIL = process.env.ZENER_TACTIL === '1';
const ESPERA_MS = 5000;
const CAMPOS = ['txtVeMin', 'txtVeMax', 'txtIcMin', 'txtIcMax', 'txtVnZener', 'txtIzMin'];
const RESULTADOS = ['lblRrLim', 'lblPrLim', 'lblPzSin', 'lblPzCon'];
const TECLAS = {
  Enter: 'Enter',
  Tab: 'Tab',
  'Mayus+Tab': 'Shift+Tab',
  Retroceso: 'Backspace',
  Espacio: 'Space',
  Escape: 'Escape',
  'Ctrl+V': 'Control+V',
};
const CIERRES = { Enter: 'Enter', Espacio: 'Space', Escape: 'Escape' };
const SELECTOR_CUADRO = '#cuadro';

const tabla = leerTabla();

let entorno;
before(async () => {
  entorno = await prepararEntorno();
});
after(() => entorno?.cerrar());

// One scenario being run on its page.
class Ejecucion {
  constructor(pagina, contexto) {
    this.pagina = pagina;
    this.contexto = contexto;
    this.sitio = null;  // the address the pictures open
    this.webs = [];  // the addresses the page opened, in new tabs
    this.alAbrirWeb = () => {};
  }

  async preparar() {
    this.sitio = direccionWeb(new URL('./', this.pagina.url()).href);
    await this.contexto.route((url) => url.href === this.sitio, (ruta) => ruta.fulfill({ body: 'sitio' }));
    this.contexto.on('page', async (pestana) => {
      await pestana.waitForLoadState();
      this.webs.push(pestana.url());
      await pestana.close();
      this.alAbrirWeb();
    });
  }

  async dar({ verbo, resto }) {
    const accion = this[ACCIONES[verbo]];
    if (accion === undefined) throw new Error(`unknown step ${verbo}`);
    await accion.call(this, resto);
  }

  resolver(argumento) {
    if (!argumento.startsWith('@')) return argumento;
    const valor = tabla.diferencias.get(argumento.slice(1));
    if (valor === undefined) throw new Error(`no difference ${argumento}`);
    return valor;
  }

  // The page answers an idle probe; an older page without it gets a few
  // frames.
  async calma() {
    await this.pagina.waitForFunction(() => {
      if (typeof window.zenerCalma === 'function') return window.zenerCalma();
      window.fotogramasSinSonda = (window.fotogramasSinSonda ?? 0) + 1;
      return window.fotogramasSinSonda % 3 === 0;
    }, null, { timeout: ESPERA_MS, polling: 'raf' });
  }

  async teclear(texto) {
    for (const [, tecla, caracter] of texto.matchAll(/\{([^}]*)\}|(.)/gsu)) {
      if (tecla !== undefined && TECLAS[tecla] === undefined) throw new Error(`unknown key ${tecla}`);
      if (tecla !== undefined) await this.pagina.keyboard.press(TECLAS[tecla]);
      else await this.pagina.keyboard.type(caracter);
      await this.calma();
    }
  }

  async portapapeles(texto) {
    await this.pagina.evaluate((t) => navigator.clipboard.writeText(t), texto);
  }

  // The context menu's paste: the editing command, not Ctrl+V.
  async pegar(texto) {
    await this.portapapeles(texto);
    const cdp = await this.contexto.newCDPSession(this.pagina);
    await cdp.send('Input.dispatchKeyEvent', { type: 'rawKeyDown', commands: ['paste'] });
    await cdp.send('Input.dispatchKeyEvent', { type: 'keyUp' });
    await cdp.detach();
    await this.calma();
  }

  // An input method composes in the field, then commits.
  async componer(texto) {
    const cdp = await this.contexto.newCDPSession(this.pagina);
    await cdp.send('Input.imeSetComposition', {
      text: texto, selectionStart: texto.length, selectionEnd: texto.length,
    });
    await cdp.send('Input.insertText', { text: texto });
    await cdp.detach();
    await this.calma();
  }

  async clic(control) {
    const el = this.pagina.locator(`#${this.resolver(control)}`);
    await (TACTIL ? el.tap() : el.click());
    await this.calma();
  }

  async dobleClic(control) {
    await this.pagina.locator(`#${this.resolver(control)}`).dblclick();
    await this.calma();
  }

  async salir(lugar) {
    await this.pagina.locator(this.resolver(lugar)).first().click({ position: { x: 4, y: 4 } });
    await this.calma();
  }

  async cerrar(como) {
    await this.pagina.waitForFunction((s) => document.querySelector(s).open, SELECTOR_CUADRO,
      { timeout: ESPERA_MS });
    if (como === 'OK') await this.pagina.locator(`${SELECTOR_CUADRO} button`).click();
    else if (CIERRES[como] !== undefined) await this.pagina.keyboard.press(CIERRES[como]);
    else throw new Error(`unknown way to close ${como}`);
    await this.pagina.waitForFunction((s) => !document.querySelector(s).open, SELECTOR_CUADRO,
      { timeout: ESPERA_MS });
    await this.calma();
  }

  textosDe(ids) {
    return this.pagina.evaluate((ids) => ids.map((id) => {
      const el = document.getElementById(id);
      return el instanceof HTMLInputElement ? el.value : el.textContent;
    }), ids);
  }

  async comparar(ids, esperados) {
    assert.deepEqual(await this.textosDe(ids), esperados);
  }

  async campos(textos) {
    await this.comparar(CAMPOS, palabras(textos));
  }

  async resultados(textos) {
    await this.comparar(RESULTADOS, palabras(textos));
  }

  async texto(resto) {
    const [control, ...texto] = resto.split(' ');
    await this.comparar([this.resolver(control)], [texto.join(' ')]);
  }

  // The text's drawn extent inside its box's padding box, where it shows.
  async entero(controles) {
    const fuera = await this.pagina.evaluate((ids) => ids.flatMap((id) => {
      const el = document.getElementById(id);
      const izquierda = el.getBoundingClientRect().left + el.clientLeft;
      const derecha = izquierda + el.clientWidth;
      const rango = document.createRange();
      rango.selectNodeContents(el);
      const texto = rango.getBoundingClientRect();
      return texto.left >= izquierda && texto.right <= derecha ? []
        : [`${id}: text from ${texto.left} to ${texto.right}, room from ${izquierda} to ${derecha}`];
    }), palabras(controles));
    assert.deepEqual(fuera, []);
  }

  async foco(control) {
    const visto = await this.pagina.evaluate(() => {
      const activo = document.activeElement;
      return document.getElementById('form1').contains(activo) ? activo.id : 'fuera';
    });
    assert.equal(visto, this.resolver(control));
  }

  // In characters, as the window counts them.
  async seleccion(resto) {
    const [inicio, longitud, total] = await this.pagina.evaluate(() => {
      const el = document.activeElement;
      const caracteres = (hasta) => [...el.value.slice(0, hasta)].length;
      return [caracteres(el.selectionStart), caracteres(el.selectionEnd) - caracteres(el.selectionStart),
        [...el.value].length];
    });
    assert.equal(`${inicio} ${longitud}`, resto === 'todo' ? `0 ${total}` : resto);
  }

  // The box, and the page unreachable behind it: modal, with the focus in it.
  async cuadro(nombre) {
    const mensaje = tabla.mensajes.get(nombre);
    if (mensaje === undefined) throw new Error(`no message ${nombre}`);
    await this.pagina.getByRole('alertdialog', { name: mensaje.titulo, exact: true })
      .waitFor({ timeout: ESPERA_MS });
    const visto = await this.pagina.evaluate((s) => {
      const dialogo = document.querySelector(s);
      return {
        modal: dialogo.matches(':modal'),
        foco: dialogo.contains(document.activeElement),
        titulo: document.getElementById('cuadroTitulo').textContent,
        texto: [...document.querySelectorAll('#cuadroTexto p')].map((p) => p.textContent).join('\r'),
        icono: document.getElementById('cuadroIcono').className.replace('icono ', ''),
      };
    }, SELECTOR_CUADRO);
    assert.deepEqual(visto, { modal: true, foco: true, ...mensaje });
  }

  async sinCuadro() {
    await this.calma();
    assert.equal(await this.pagina.evaluate((s) => document.querySelector(s).open, SELECTOR_CUADRO), false);
  }

  // The browser reports a new tab on its own time: wait for as many as
  // expected, then none may be on another address.
  async web(veces) {
    const esperadas = Array(Number(veces)).fill(this.sitio);
    await new Promise((listo, agotado) => {
      const limite = setTimeout(() => agotado(new Error(`${this.webs.length} tabs opened`)), ESPERA_MS);
      this.alAbrirWeb = () => {
        if (this.webs.length < esperadas.length) return;
        clearTimeout(limite);
        listo();
      };
      this.alAbrirWeb();
    });
    assert.deepEqual(this.webs, esperadas);
  }
}

const ACCIONES = {
  teclear: 'teclear',
  portapapeles: 'portapapeles',
  pegar: 'pegar',
  componer: 'componer',
  clic: 'clic',
  'doble-clic': 'dobleClic',
  salir: 'salir',
  cerrar: 'cerrar',
  campos: 'campos',
  resultados: 'resultados',
  texto: 'texto',
  entero: 'entero',
  foco: 'foco',
  seleccion: 'seleccion',
  cuadro: 'cuadro',
  'sin-cuadro': 'sinCuadro',
  web: 'web',
};

const pasos = tabla.escenarios.reduce((n, e) => n + e.pasos.length, 0);
test(`the table reads: ${tabla.escenarios.length} scenarios, ${pasos} steps`, () => {
  assert.ok(tabla.escenarios.length > 0 && pasos > 0);
});

for (const escenario of tabla.escenarios) {
  test(escenario.titulo, async () => {
    const { pagina, contexto, errores } = await entorno.abrir({
      viewport: { width: ANCHO, height: 900 },
      hasTouch: TACTIL,
      permissions: ['clipboard-read', 'clipboard-write'],
    });
    const ejecucion = new Ejecucion(pagina, contexto);
    await ejecucion.preparar();
    await ejecucion.calma();
    for (const paso of escenario.pasos) {
      try {
        await ejecucion.dar(paso);
      } catch (error) {
        error.message = `${RUTA_ESCENARIOS}:${paso.linea}: ${paso.verbo} ${paso.resto}\n${error.message}`;
        throw error;
      }
    }
    assert.deepEqual(errores, []);
    await contexto.close();
  });
}
