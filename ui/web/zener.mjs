// The page as the calculator's window: makes live the controls the build
// wrote into the page from the design table (ventana-estatica.mjs), hands
// the browser's events to the module and carries out what the module asks
// of its window. Every decision is the module's; this file only translates.

import { iniciarEnlace } from './enlace.mjs';
import { textosDelModulo } from './memoria.mjs';
import { iniciarPanel, opcionesDelPanel, ponerOpcionesDelEnlace } from './panel.mjs';

const ERRNO_NOSYS = 52;

const codificador = new TextEncoder();

let modulo;              // the module's exports
let bytesDe, textoDe, conTexto, pedirTexto;  // over its memory (memoria.mjs)
const elementos = [];    // by the number of their Control
const numeroDe = new Map();  // element -> number of its Control
let ventana;             // the element of the window
let entregaPedida = false;
const canalEntrega = new MessageChannel();
let estadoVisto = '';    // the module's "estado" last reported to the page
let resultadosNuevos = false;  // the call into the module has shown results
// The focus goes back where it was while the press that brought the user
// back is still going on: scrolling to it would move what is being pressed.
let reactivando = false;

// The domains kept for examples (RFC 2606): an address in one is the
// build's placeholder, not the maker's site, and the page links to itself
// instead, wherever it is served.
const DE_EJEMPLO = /(^|\.)example(\.(com|net|org))?$/i;

function direccionDelSitio(direccion) {
  const deEjemplo = URL.canParse(direccion) && DE_EJEMPLO.test(new URL(direccion).hostname);
  return deEjemplo ? new URL('./', location.href).href : direccion;
}

// The UTF-16 offset of the n-th character: the module counts characters.
function posicionUtf16(texto, caracteres) {
  let i = 0;
  for (let c = 0; c < caracteres && i < texto.length; ++c) {
    i += texto.codePointAt(i) > 0xffff ? 2 : 1;
  }
  return i;
}

// What the window's logic has committed and whether it shows results: the
// rest of the page (the address, the design panel, the announcement) follows
// it through a 'zener-estado' event whenever it changes.
function seguirEstado() {
  const texto = pedirTexto('estado');
  if (texto === estadoVisto) return;
  estadoVisto = texto;
  const estado = JSON.parse(texto);
  if (!estado.resultados) document.getElementById('anuncio').replaceChildren();
  document.dispatchEvent(new CustomEvent('zener-estado', { detail: estado }));
}

const cuadro = () => document.getElementById('cuadro');

// Busy: a message box open, or events the module still has to deliver.
const ocupada = () => entregaPedida || cuadro().open;
let alQuedarLibre = [];  // what waits for the window to be free

function cuandoLibre(fn) {
  alQuedarLibre.push(fn);
}

function avisarSiLibre() {
  if (ocupada() || alQuedarLibre.length === 0) return;
  const esperan = alQuedarLibre;
  alQuedarLibre = [];
  for (const fn of esperan) fn();
}

// A call into the module, and then what the page follows of its state;
// after a CALCULAR, the rest of the page is told once that state is
// followed (the address then holds the design), and the results are
// brought into view clear of what the panel keeps at the screen's foot.
function llamar(entrada, ...argumentos) {
  const resultado = modulo[entrada](...argumentos);
  seguirEstado();
  if (resultadosNuevos) {
    resultadosNuevos = false;
    document.dispatchEvent(new Event('zener-calculado'));
    mostrarResultados();
  }
  avisarSiLibre();
  return resultado;
}

function mostrarCuadro(prompt, estilo, titulo) {
  document.getElementById('cuadroTitulo').textContent = titulo;
  const icono = document.getElementById('cuadroIcono');
  // The icon bits of the style: 16 stop, 32 question, 48 exclamation, 64 information.
  const tipo = { 16: 'error', 32: 'pregunta', 48: 'exclamacion', 64: 'informacion' }[estilo & 0x70];
  icono.className = 'icono ' + (tipo ?? 'ninguno');
  icono.textContent = { error: '×', pregunta: '?', exclamacion: '!', informacion: 'i' }[tipo] ?? '';
  const texto = document.getElementById('cuadroTexto');
  texto.replaceChildren(
    ...prompt.split('\r').map((linea) => {
      const p = document.createElement('p');
      p.textContent = linea;
      return p;
    }),
  );
  cuadro().showModal();
}

// The box has one button, OK (1); the module goes on from where it left.
const ACEPTAR = 1;
// The keys that close it, and those that press a focused button.
const CIERRAN_CUADRO = ['Enter', ' ', 'Escape'];
const PULSAN_BOTON = ['Enter', ' '];

function cerrarCuadro() {
  if (!cuadro().open) return;
  // Closing gives the focus back but resets the field's selection; a Windows
  // edit box keeps its own.
  const campos = [...numeroDe.keys()].filter((el) => el instanceof HTMLInputElement);
  const selecciones = new Map(campos.map((el) => [el, [el.selectionStart, el.selectionEnd]]));
  cuadro().close();
  const activo = document.activeElement;
  if (selecciones.has(activo)) activo.setSelectionRange(...selecciones.get(activo));
  llamar('zener_cuadro_cerrado', ACEPTAR);
}

const importaciones = {
  pagina: {
    leer_texto(control, destino, capacidad) {
      const el = elementos[control];
      const bytes = codificador.encode(el.value ?? el.textContent);
      if (bytes.length <= capacidad) bytesDe(destino, bytes.length).set(bytes);
      return bytes.length;
    },
    // The same text again changes nothing on the page: opening the window
    // writes the texts the build already put there.
    escribir_texto(control, puntero, bytes) {
      const el = elementos[control];
      const texto = textoDe(puntero, bytes);
      if (el instanceof HTMLInputElement) {
        if (el.value !== texto) el.value = texto;
      } else if (el.textContent !== texto) {
        el.textContent = texto;
        if (el.classList.contains('Resultado')) ajustarCifra(el);
      }
    },
    fijar_seleccion(control, inicio, longitud) {
      const el = elementos[control];
      const desde = posicionUtf16(el.value, inicio);
      el.setSelectionRange(desde, posicionUtf16(el.value, inicio + longitud));
    },
    dar_foco(control) {
      elementos[control].focus({ preventScroll: reactivando });
    },
    mostrar_cuadro(prompt, bytesPrompt, estilo, titulo, bytesTitulo) {
      mostrarCuadro(textoDe(prompt, bytesPrompt), estilo, textoDe(titulo, bytesTitulo));
    },
    abrir_direccion(puntero, bytes) {
      window.open(direccionDelSitio(textoDe(puntero, bytes)), '_blank', 'noopener');
    },
    calculado() {
      anunciarResultados();
      resultadosNuevos = true;
    },
    pedir_entrega() {
      if (entregaPedida) return;
      entregaPedida = true;
      canalEntrega.port2.postMessage(0);
    },
  },
  // The few system calls the C library links: the page has no files, and
  // says so (WASI's "not supported").
  wasi_snapshot_preview1: {
    fd_close: () => ERRNO_NOSYS,
    fd_seek: () => ERRNO_NOSYS,
    fd_write: () => ERRNO_NOSYS,
  },
};

// Idle: nothing the module asked for waits, as the Windows test build's
// probe answers; tests wait on it rather than on the clock.
window.zenerCalma = () => !entregaPedida;

canalEntrega.port1.onmessage = () => {
  entregaPedida = false;
  llamar('zener_entregar');
};

// The results of a CALCULAR, read once: one polite region outside the
// window, with a new paragraph each time so that the same figures are read
// again. The result boxes themselves are not live: clearing them says
// nothing.
function anunciarResultados() {
  const resultados = [...ventana.querySelectorAll('.Resultado')]
    .map((el) => `${el.getAttribute('aria-label')}: ${el.textContent}`);
  const parrafo = document.createElement('p');
  parrafo.textContent = `Resultados. ${resultados.join('; ')}.`;
  document.getElementById('anuncio').replaceChildren(parrafo);
}

// The width a text is drawn at, whatever its box lets show of it.
function anchoDelTexto(el) {
  const rango = document.createRange();
  rango.selectNodeContents(el);
  return rango.getBoundingClientRect().width;
}

const PASO_LETRA_PX = 0.25;

// A figure wider than its box is drawn smaller until the whole of it fits
// within the box's padding, never cut; the box keeps its place and size.
function ajustarCifra(el) {
  el.style.fontSize = '';
  const estilo = getComputedStyle(el);
  const sitio = el.clientWidth - parseFloat(estilo.paddingLeft) - parseFloat(estilo.paddingRight);
  const ancho = anchoDelTexto(el);
  if (ancho <= sitio || sitio <= 0) return;
  let letra = parseFloat(estilo.fontSize) * (sitio / ancho);
  el.style.fontSize = `${letra}px`;
  while (anchoDelTexto(el) > sitio && letra > PASO_LETRA_PX) {
    letra -= PASO_LETRA_PX;
    el.style.fontSize = `${letra}px`;
  }
}

// A box whose width changes (a narrow screen, a zoom, a font that arrives
// late) fits its figure again.
const ajusteAlCambiar = new ResizeObserver((cambios) => {
  for (const { target } of cambios) ajustarCifra(target);
});

// Room left above and below the results brought into view.
const MARGEN_VISTA_PX = 8;

// Where the results lie beyond the screen (a phone, a zoomed page), they are
// brought into view after CALCULAR, above what the page keeps at the
// screen's foot (its scroll padding); the focus stays where it is.
function mostrarResultados() {
  const cajas = [...ventana.querySelectorAll('.Resultado')].map((el) => el.getBoundingClientRect());
  const arriba = Math.min(...cajas.map((caja) => caja.top)) - MARGEN_VISTA_PX;
  const abajo = Math.max(...cajas.map((caja) => caja.bottom)) + MARGEN_VISTA_PX;
  const pie = parseFloat(getComputedStyle(document.documentElement).scrollPaddingBottom) || 0;
  const alto = innerHeight - pie;
  if (arriba >= 0 && abajo <= alto) return;
  const desplazamiento = abajo > alto ? Math.min(abajo - alto, arriba) : arriba;
  const suave = !matchMedia('(prefers-reduced-motion: reduce)').matches;
  window.scrollBy({ top: desplazamiento, behavior: suave ? 'smooth' : 'instant' });
}

// A character typed into a field: the module's key handler says what goes in.
function teclear(el, codigo) {
  return llamar('zener_tecla', numeroDe.get(el), codigo);
}

// Ctrl with a letter types a control character, as in a Windows edit control.
function caracterDeControl(evento) {
  if (!(evento.ctrlKey || evento.metaKey) || evento.altKey || evento.key.length !== 1) return null;
  const codigo = evento.key.toUpperCase().charCodeAt(0);
  return codigo >= 64 && codigo <= 95 ? codigo & 0x1f : null;
}

function alPulsarTecla(evento) {
  if (evento.isComposing) return;
  const el = evento.currentTarget;
  if (evento.key === 'Enter') {
    evento.preventDefault();
    teclear(el, 13);
    return;
  }
  const control = caracterDeControl(evento);
  if (control !== null && teclear(el, control) === 0) evento.preventDefault();
}

// Characters typed into a field go through the key handler one at a time;
// what it leaves replaces the selection.
function insertarTecleado(el, texto) {
  let queda = '';
  for (const caracter of texto) {
    const codigo = teclear(el, caracter.codePointAt(0));
    if (codigo !== 0) queda += String.fromCharCode(codigo);
  }
  if (queda !== '') el.setRangeText(queda, el.selectionStart, el.selectionEnd, 'end');
}

// What the user types (keyboard or touch) goes through the key handler; a
// paste or drop goes in unfiltered, as in Windows.
function antesDeEscribir(evento) {
  const el = evento.currentTarget;
  switch (evento.inputType) {
    case 'insertText':
      evento.preventDefault();
      insertarTecleado(el, evento.data ?? '');
      break;
    case 'deleteContentBackward':
      if (teclear(el, 8) === 0) evento.preventDefault();
      break;
    case 'deleteWordBackward':
      if (teclear(el, 127) === 0) evento.preventDefault();
      break;
    default:
      break;
  }
}

// An input method composes in the field itself and cannot be stopped while
// it does; what it commits is taken back out and typed through the key
// handler, as Windows hands it to the field one character at a time.
const antesDeComponer = new Map();  // field -> its text and selection

function alEmpezarComposicion(evento) {
  const el = evento.currentTarget;
  antesDeComponer.set(el, [el.value, el.selectionStart, el.selectionEnd]);
}

function alAcabarComposicion(evento) {
  const el = evento.currentTarget;
  const antes = antesDeComponer.get(el);
  antesDeComponer.delete(el);
  if (antes === undefined) return;
  const [valor, desde, hasta] = antes;
  el.value = valor;
  el.setSelectionRange(desde, hasta);
  insertarTecleado(el, evento.data ?? '');
}

function construirVentana() {
  const disposicion = JSON.parse(pedirTexto('disposicion'));
  ventana = document.getElementById('form1');
  // The window's markup is the page's own, written by the build from the
  // same design (ventana-estatica.mjs): here it is made live.
  for (const pieza of disposicion.piezas) {
    const el = document.getElementById(pieza.nombre);
    if (pieza.clase === 'Resultado') ajusteAlCambiar.observe(el);
    if (pieza.control === null) continue;
    elementos[pieza.control] = el;
    numeroDe.set(el, pieza.control);
    // Where the focus goes outside the window is no concern of the module.
    el.addEventListener('focusin', () => modulo.zener_foco(pieza.control));
    if (pieza.clase === 'Campo') {
      el.addEventListener('keydown', alPulsarTecla);
      el.addEventListener('beforeinput', antesDeEscribir);
      el.addEventListener('compositionstart', alEmpezarComposicion);
      el.addEventListener('compositionend', alAcabarComposicion);
    } else {
      // Each click of a double click is a click of its own.
      el.addEventListener('click', () => llamar('zener_pulsar', pieza.control));
    }
  }
  ventana.addEventListener('mousedown', (evento) => {
    // A press on the window while the focus is elsewhere on the page
    // activates it, as a click on an inactive window does.
    if (!ventana.contains(document.activeElement)) {
      reactivando = true;
      try {
        llamar('zener_reactivar');
      } finally {
        reactivando = false;
      }
    }
    // Labels, frames, results and pictures take no focus, as in the window.
    if (!evento.target.matches('input, button')) evento.preventDefault();
  });
  ventana.addEventListener('contextmenu', (evento) => {
    if (evento.target.closest('.Resultado')) evento.preventDefault();
  });
  ventana.inert = false;
  return disposicion;
}

function prepararCuadro() {
  const dialogo = cuadro();
  document.getElementById('cuadroAceptar').addEventListener('click', cerrarCuadro);
  dialogo.addEventListener('cancel', (evento) => {
    evento.preventDefault();
    cerrarCuadro();
  });
  dialogo.addEventListener('keydown', (evento) => {
    if (CIERRAN_CUADRO.includes(evento.key)) {
      evento.preventDefault();
      cerrarCuadro();
    }
  });
}

// A click on a button, as the user would make it: the focus first.
function pulsar(id) {
  const boton = ventana.querySelector(`#${id}`);
  boton.focus();
  llamar('zener_pulsar', numeroDe.get(boton));
}

// The fields, as the address knows them: a figure from it goes in as the
// field's commit would take it.
function camposDelEnlace(disposicion) {
  return disposicion.piezas.filter((pieza) => pieza.clase === 'Campo').map((pieza) => ({
    clave: pieza.clave,
    nombre: pieza.nombreAccesible,
    poner: (texto) => conTexto(texto, (puntero, bytes) =>
      llamar('zener_poner', pieza.control, puntero, bytes)) === 1,
  }));
}

// What the user did to the window before the module was ready, as
// index.html kept it, done now in the same order: each key goes where the
// focus is by then, as a key typed ahead of a window does. Tab moves among
// the window's controls; past them, what follows has nowhere to go.
function entregarTecleado(guardados) {
  for (const { foco, clic, texto, tecla, atras } of guardados) {
    const el = document.activeElement;
    if (foco !== undefined) {
      document.getElementById(foco).focus();
    } else if (clic !== undefined) {
      document.getElementById(clic).click();
    } else if (cuadro().open) {
      if (CIERRAN_CUADRO.includes(tecla)) cerrarCuadro();
    } else if (tecla === 'Tab') {
      tabular(el, atras);
    } else if (!numeroDe.has(el)) {
      // Out of the window: no key of it.
    } else if (el instanceof HTMLButtonElement) {
      if (PULSAN_BOTON.includes(tecla)) el.click();
    } else {
      teclearGuardado(el, texto ?? tecla);
    }
  }
}

// A key kept for a field, as its handlers take it when it comes.
function teclearGuardado(campo, tecla) {
  if (tecla === 'Enter') teclear(campo, 13);
  else if (tecla === 'Backspace') borrarAtras(campo);
  else if (tecla !== 'Escape') insertarTecleado(campo, tecla);
}

function tabular(desde, atras) {
  const controles = [...ventana.querySelectorAll('input, button')];
  const siguiente = controles[controles.indexOf(desde) + (atras ? -1 : 1)];
  if (siguiente) siguiente.focus();
  else desde.blur();
}

// The key handler's Backspace and, if it lets it through, the browser's:
// the selection, or the character before the caret.
function borrarAtras(el) {
  if (teclear(el, 8) === 0) return;
  const { selectionStart: desde, selectionEnd: hasta, value: texto } = el;
  if (desde !== hasta) {
    el.setRangeText('', desde, hasta, 'end');
  } else if (desde > 0) {
    const anterior = [...texto.slice(0, desde)].at(-1);
    el.setRangeText('', desde - anterior.length, desde, 'end');
  }
}

// Starts the window over the compiled module (see arranque.mjs).
export async function iniciar(compilado) {
  const instancia = await WebAssembly.instantiate(compilado, importaciones);
  modulo = instancia.exports;
  ({ bytesDe, textoDe, conTexto, pedirTexto } = textosDelModulo(modulo));
  modulo._initialize();
  const tecleado = window.zenerTecleado?.() ?? [];
  const disposicion = construirVentana();
  prepararCuadro();
  document.getElementById('enlaceSitio').href = direccionDelSitio(pedirTexto('direccion'));
  modulo.zener_abrir();
  iniciarPanel(pedirTexto);
  seguirEstado();
  iniciarEnlace({
    campos: camposDelEnlace(disposicion),
    valores: () => JSON.parse(estadoVisto).valores,
    calcular: () => pulsar('cmdCalcular'),
    reiniciar: () => pulsar('cmdReset'),
    opciones: opcionesDelPanel,
    ponerOpciones: ponerOpcionesDelEnlace,
    esOpcion: (clave) => document.getElementById('opcionesDiseno').elements.namedItem(clave) !== null,
    cuandoLibre,
    ocupada,
  });
  entregarTecleado(tecleado);
  document.documentElement.dataset.listo = 'si';
  performance.mark('zener-listo');
}
