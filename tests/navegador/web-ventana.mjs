// What the browser tests do to the window: type into it as a user would, and
// read back texts, focus and the message box.
import { readFileSync } from 'node:fs';
import { fileURLToPath } from 'node:url';

export const CAMPOS = ['txtVeMin', 'txtVeMax', 'txtIcMin', 'txtIcMax', 'txtVnZener', 'txtIzMin'];
export const ETIQUETAS = ['lblRrLim', 'lblPrLim', 'lblPzSin', 'lblPzCon'];
export const EJEMPLO_A = ['12', '15', '20', '100', '5.1', '5'];
export const RESULTADOS_A = ['65,71', '1,491', '0,666', '0,768'];

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

// Focus events reach the logic from a task of their own: reads wait a frame.
const reposar = () => new Promise((listo) => requestAnimationFrame(() => setTimeout(listo, 0)));

export const foco = (pagina) =>
  pagina.evaluate(async (reposar) => {
    await eval(reposar)();
    return document.activeElement?.id ?? '';
  }, reposar.toString());

export const textos = (pagina, ids) =>
  pagina.evaluate(async ([ids, reposar]) => {
    await eval(reposar)();
    return ids.map((id) => {
    const el = document.getElementById(id);
    return el instanceof HTMLInputElement ? el.value : el.textContent;
    });
  }, [ids, reposar.toString()]);

export const seleccion = (pagina, id) =>
  pagina.evaluate(async ([id, reposar]) => {
    await eval(reposar)();
    const el = document.getElementById(id);
    return [el.selectionStart, el.selectionEnd, el.value.length];
  }, [id, reposar.toString()]);

// The six values typed from the first field, each ended with Enter.
export async function teclearValores(pagina, valores) {
  await pagina.locator('#txtVeMin').focus();
  for (const valor of valores) await pagina.keyboard.type(`${valor}\n`);
}

export async function cuadro(pagina) {
  return pagina.evaluate(async (reposar) => {
    await eval(reposar)();
    const dialogo = document.getElementById('cuadro');
    return {
      abierto: dialogo.open,
      titulo: document.getElementById('cuadroTitulo').textContent,
      lineas: [...document.querySelectorAll('#cuadroTexto p')].map((p) => p.textContent),
      icono: document.getElementById('cuadroIcono').className,
    };
  }, reposar.toString());
}

// A paste from the context menu: the editing command, not Ctrl+V.
export async function pegarDesdeMenu(pagina, texto) {
  await pagina.evaluate((t) => navigator.clipboard.writeText(t), texto);
  const cdp = await pagina.context().newCDPSession(pagina);
  await cdp.send('Input.dispatchKeyEvent', { type: 'rawKeyDown', commands: ['paste'] });
  await cdp.send('Input.dispatchKeyEvent', { type: 'keyUp' });
  await cdp.detach();
}
