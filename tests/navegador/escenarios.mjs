// The scenario table of tests/escenarios.txt, as the page's driver reads it:
// scenarios with their steps, the message boxes by name, and each difference
// with the page's value.
import { readFileSync } from 'node:fs';
import { fileURLToPath } from 'node:url';

export const RUTA_ESCENARIOS = fileURLToPath(new URL('../escenarios.txt', import.meta.url));
const FRENTE = 'web';

// The first word and what follows the spaces after it.
function partir(texto) {
  const fin = texto.indexOf(' ');
  return fin < 0 ? [texto, ''] : [texto.slice(0, fin), texto.slice(fin).replace(/^ +/, '')];
}

export function palabras(texto) {
  return texto.split(' ').filter((p) => p !== '');
}

function leerMensaje(tabla, resto, linea) {
  const [nombre, tras] = partir(resto);
  const [icono, tituloYTexto] = partir(tras);
  const barra = tituloYTexto.indexOf(' | ');
  if (barra < 0) throw new Error(`${RUTA_ESCENARIOS}:${linea}: a message without " | "`);
  tabla.mensajes.set(nombre, {
    icono,
    titulo: tituloYTexto.slice(0, barra),
    texto: tituloYTexto.slice(barra + 3).replaceAll('\\r', '\r'),
  });
}

function leerDiferencia(tabla, resto, linea) {
  const [nombre, valores] = partir(resto);
  const valor = palabras(valores).find((v) => v.startsWith(`${FRENTE}=`));
  if (valor === undefined) throw new Error(`${RUTA_ESCENARIOS}:${linea}: no value for ${FRENTE}`);
  tabla.diferencias.set(nombre, valor.slice(FRENTE.length + 1));
}

export function leerTabla(ruta = RUTA_ESCENARIOS) {
  const tabla = { escenarios: [], mensajes: new Map(), diferencias: new Map() };
  readFileSync(ruta, 'utf8').split('\n').forEach((cruda, i) => {
    const texto = cruda.replace(/\r$/, '');
    const linea = i + 1;
    if (texto === '' || texto.startsWith('#')) return;
    const [verbo, resto] = partir(texto);
    if (verbo === '==') tabla.escenarios.push({ titulo: resto, linea, pasos: [] });
    else if (verbo === 'mensaje') leerMensaje(tabla, resto, linea);
    else if (verbo === 'diferencia') leerDiferencia(tabla, resto, linea);
    else if (tabla.escenarios.length === 0) throw new Error(`${ruta}:${linea}: a step before any scenario`);
    else tabla.escenarios.at(-1).pasos.push({ linea, verbo, resto });
  });
  return tabla;
}
