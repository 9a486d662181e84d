// What the browser tests do to the window: type into it as a user would, and
// read back what it shows once the page is idle.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { fileURLToPath } from 'node:url';

export const CAMPOS = ['txtVeMin', 'txtVeMax', 'txtIcMin', 'txtIcMax', 'txtVnZener', 'txtIzMin'];
export const ETIQUETAS = ['lblRrLim', 'lblPrLim', 'lblPzSin', 'lblPzCon'];
export const EJEMPLO_A = ['12', '15', '20', '100', '5.1', '5'];
export const RESULTADOS_A = ['65,71', '1,491', '0,666', '0,768'];
export const ESPERA_MS = 5000;

// The design table, read from its header rather than from the page, so that
// the page's placement is checked against the source.
export function piezasDeLaTabla() {
  const ruta = fileURLToPath(new URL('../../window/Disposicion.h', import.meta.url));
  const fuente = readFileSync(ruta, 'utf8');
  const patron = /\{"(\w+)",\s*Clase::(\w+),\s*"(\w*)",\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+),/g;
  return [...fuente.matchAll(patron)].map(([, nombre, clase, marco, ...medidas]) => {
    const [izquierda, arriba, ancho, alto] = medidas.map(Number);
    return { nombre, clase, marco, izquierda, arriba, ancho, alto };
  });
}

// Until the page has nothing the module asked for left to do; failing when
// that never comes.
export function calma(pagina) {
  return pagina.waitForFunction(() => window.zenerCalma(), null, { timeout: ESPERA_MS });
}

export async function textos(pagina, ids) {
  await calma(pagina);
  return pagina.evaluate((ids) => ids.map((id) => {
    const el = document.getElementById(id);
    return el instanceof HTMLInputElement ? el.value : el.textContent;
  }), ids);
}

// The six values typed from the first field, each ended with Enter.
export async function teclearValores(pagina, valores) {
  await pagina.locator('#txtVeMin').focus();
  for (const valor of valores) {
    await pagina.keyboard.type(`${valor}\n`);
    await calma(pagina);
  }
}

// Example A typed in and calculated with Enter on CALCULAR: its four results shown.
export async function calcularEjemplo(pagina) {
  await teclearValores(pagina, EJEMPLO_A);
  await pagina.keyboard.press('Enter');
  assert.deepEqual(await textos(pagina, ETIQUETAS), RESULTADOS_A);
}
