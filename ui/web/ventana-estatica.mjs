// Writes the page's HTML with the window's markup in it, made from the
// design table as the module gives it, so that the first paint already
// shows the window with its default texts; zener.mjs then makes it live.
// The style sheet goes into the page as well: nothing else is waited for
// before that paint. Run by the build:
//
//     node ventana-estatica.mjs ZENER_WASM PLANTILLA SALIDA
import { readFileSync, writeFileSync } from 'node:fs';
import { basename, dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

import { textosDelModulo } from './memoria.mjs';

// Where the template takes the window's style and its pieces.
const MARCA_ESTILO = '<!-- estilo de la ventana -->';
const MARCA_PIEZAS = '<!-- piezas de la ventana -->';
const HOJA = 'zener.css';
const ENLACE_HOJA = `<link rel="stylesheet" href="${HOJA}">`;

// The pictures, by the resource name the design table gives them, with what
// each shows in words: the logo's are the words it shows.
const IMAGENES = {
  ESQUEMA: {
    archivo: 'esquema.gif',
    texto: 'Esquema del regulador: una batería alimenta a través de la resistencia R '
      + 'el diodo Zener y la carga, conectados en paralelo',
  },
  LOGO: { archivo: 'logo.jpg', texto: 'Calculadores Zener' },
};

const codificador = new TextEncoder();

const ESCAPES = { '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' };
const escapar = (texto) => String(texto).replace(/[&<>"]/g, (c) => ESCAPES[c]);

function atributos(lista) {
  return Object.entries(lista).filter(([, valor]) => valor !== null && valor !== undefined && valor !== false)
    .map(([nombre, valor]) => (valor === true ? ` ${nombre}` : ` ${nombre}="${escapar(valor)}"`)).join('');
}

// The design, read from the module built for the page, and the texts its
// window shows once opened (what Load writes over the design's, IzMin's 5
// among them), by control: the module is opened over a window that only
// keeps texts. Its other calls into the page are answered with nothing.
async function disposicionDe(rutaModulo) {
  const compilado = await WebAssembly.compile(readFileSync(rutaModulo));
  const textos = new Map();
  let memoria;
  const pagina = {
    leer_texto(control, destino, capacidad) {
      const bytes = codificador.encode(textos.get(control) ?? '');
      if (bytes.length <= capacidad) memoria.bytesDe(destino, bytes.length).set(bytes);
      return bytes.length;
    },
    escribir_texto(control, puntero, bytes) {
      textos.set(control, memoria.textoDe(puntero, bytes));
    },
  };
  const importaciones = {};
  for (const { module: modulo, name: nombre } of WebAssembly.Module.imports(compilado)) {
    importaciones[modulo] ??= {};
    importaciones[modulo][nombre] = pagina[nombre] ?? (() => 0);
  }
  const { exports: modulo } = await WebAssembly.instantiate(compilado, importaciones);
  memoria = textosDelModulo(modulo);
  modulo._initialize();
  const disposicion = JSON.parse(memoria.pedirTexto('disposicion'));
  for (const pieza of disposicion.piezas) {
    if (pieza.control !== null) textos.set(pieza.control, pieza.texto);
  }
  modulo.zener_abrir();
  for (const pieza of disposicion.piezas) {
    if (pieza.control !== null) pieza.texto = textos.get(pieza.control);
  }
  return disposicion;
}

// A caption's leader dots are drawn but not read.
function rotulo(texto, sinPuntos) {
  if (!sinPuntos || sinPuntos === texto || !texto.startsWith(sinPuntos)) return escapar(texto);
  return `${escapar(sinPuntos)}<span class="guia" aria-hidden="true">${escapar(texto.slice(sinPuntos.length))}</span>`;
}

// Place and size are the window's layout (zener.css), which a narrow screen
// sets aside; the rest is the piece's in any layout.
function estiloDe(pieza, letra, px) {
  return [
    ['--x', px(pieza.izquierda)], ['--y', px(pieza.arriba)], ['--ancho', px(pieza.ancho)],
    ['--alto', px(pieza.alto)], ['--letra-pieza', `${letra.centesimasDePunto / 100}pt`],
    ['font-weight', letra.peso], ['font-style', letra.cursiva ? 'italic' : 'normal'],
    ['text-decoration', letra.subrayada ? 'underline' : 'none'],
    ['background-color', pieza.fondo], ['color', pieza.tinta],
  ].filter(([, valor]) => valor !== null).map(([propiedad, valor]) => `${propiedad}:${valor}`).join(';');
}

// The element of a piece, with what it holds (a frame's pieces) inside.
function marcadoDe(pieza, contexto, dentro) {
  const comunes = {
    id: pieza.nombre,
    class: ['pieza', pieza.clase, contexto.rotulos.has(pieza.nombre) && 'rotulo'].filter(Boolean).join(' '),
    'aria-label': pieza.nombreAccesible || null,
    style: estiloDe(pieza, contexto.letras[pieza.fuente], contexto.px),
  };
  switch (pieza.clase) {
    case 'Campo':
      return `<input${atributos({ ...comunes, type: 'text', value: pieza.texto, autocomplete: 'off',
        spellcheck: 'false', inputmode: pieza.teclado, enterkeyhint: 'next' })}>`;
    case 'Boton':
      return `<button${atributos({ ...comunes, type: 'button' })}>${escapar(pieza.texto)}</button>`;
    case 'Imagen': {
      const imagen = IMAGENES[pieza.texto];
      return `<img${atributos({ ...comunes, src: imagen.archivo, alt: imagen.texto, draggable: 'false' })}>`;
    }
    case 'Marco': {
      const titulo = `${pieza.nombre}Titulo`;
      return `<div${atributos({ ...comunes, role: 'group', 'aria-labelledby': titulo })}>`
        + `<span class="tituloMarco" id="${escapar(titulo)}">${escapar(pieza.texto)}</span>${dentro}</div>`;
    }
    case 'Resultado':
      return `<output${atributos({ ...comunes, 'aria-live': 'off' })}>${escapar(pieza.texto)}</output>`;
    default:
      return `<div${atributos(comunes)}>${rotulo(pieza.texto, pieza.sinPuntos)}</div>`;
  }
}

export function marcadoDeVentana(disposicion) {
  const px = (twips) => `${twips / disposicion.twipsPorPixel}px`;
  const contexto = {
    px,
    letras: disposicion.letras,
    rotulos: new Set(disposicion.piezas.map((pieza) => pieza.rotulo)),
  };
  // The pieces come in reading order; a frame's follow it.
  const deMarco = (marco) => disposicion.piezas.filter((pieza) => pieza.marco === marco)
    .map((pieza) => marcadoDe(pieza, contexto, pieza.clase === 'Marco' ? deMarco(pieza.nombre) : ''))
    .join('\n');
  const familias = [...disposicion.familias.map((f) => `"${f}"`), 'sans-serif'].join();
  const estilo = `<style>:root{--letra:${familias};--fondo-ventana:${disposicion.fondo};`
    + `--ancho-ventana:${px(disposicion.ancho)};--alto-ventana:${px(disposicion.alto)};`
    + `--margen-titulo-marco:${disposicion.margenTituloMarco}px;--margen-foco:${disposicion.margenFoco}px}</style>`;
  return { estilo, piezas: deMarco('') };
}

function sustituir(texto, marca, por) {
  if (!texto.includes(marca)) throw new Error(`the template lacks ${marca}`);
  return texto.replace(marca, () => por);
}

if (process.argv[1] && fileURLToPath(import.meta.url) === process.argv[1]) {
  const [modulo, plantilla, salida] = process.argv.slice(2);
  if (!modulo || !plantilla || !salida) {
    console.error(`uso: node ${basename(process.argv[1])} ZENER_WASM PLANTILLA SALIDA`);
    process.exit(2);
  }
  const { estilo, piezas } = marcadoDeVentana(await disposicionDe(modulo));
  const hoja = `<style>\n${readFileSync(join(dirname(plantilla), HOJA), 'utf8')}</style>`;
  let pagina = readFileSync(plantilla, 'utf8');
  for (const [marca, por] of [[ENLACE_HOJA, hoja], [MARCA_ESTILO, estilo], [MARCA_PIEZAS, piezas]]) {
    pagina = sustituir(pagina, marca, por);
  }
  // Rewritten only when it changes, so that its compressed copies stay.
  let anterior = '';
  try {
    anterior = readFileSync(salida, 'utf8');
  } catch {
    // none yet
  }
  if (anterior !== pagina) writeFileSync(salida, pagina);
}
