// The design panel: hands the lists' choices and the boxes' texts to the
// module as one JSON object and shows the verdict, the changes that would
// build a design that cannot be built, as links, and the report the design
// library writes. The lists' choices, reading the texts, the options' limits
// and defaults are the library's; the window's values are never touched
// here.
//
// The report is that of the window's last CALCULAR. Once the window no
// longer shows those results (a field entered, RESET, a CALCULAR that
// failed), it stays in view for comparison but is marked out of date, and
// can be neither copied nor printed until CALCULAR brings it up to date.

import { direccionCon } from './enlace.mjs';

let pedirTexto;      // (what, input) -> the module's text
let vigente = false;  // the window shows the results the report was made for
let hayInforme = false;
let hayPiezas = false;  // the report's design can be built: it has a parts list
let hayMuestreo = false;  // the report has a Monte-Carlo run
let avisoDeCopia;    // the timer that clears the copy notice
let columnas;        // the parts list's columns: [{clave, texto}]
let listas;          // the options that take a name: [{clave, elecciones, defecto, bandera}]
let montajes;        // the Montaje list's choices: [{nombre, texto}]

const AVISO_DE_COPIA_MS = 4000;
const formulario = () => document.getElementById('opcionesDiseno');
const conMuestreo = () => document.getElementById('conMuestreo');
const cajas = () => [...formulario().querySelectorAll('input:not([type=checkbox])')];
const controles = () => [...formulario().elements].filter((el) => el.name);
const control = (clave) => formulario().elements.namedItem(clave);
// An option that applies only with another's choice: the transistor, only
// with the follower; the run's units and seed, only with the run.
const SOLO_CON = {
  transistor: () => control('circuito').value === 'seguidor',
  montecarlo: () => conMuestreo().checked,
  semilla: () => conMuestreo().checked,
};
// A control gives its text unless it is out of use (the transistor without
// the follower) or a check box left clear: then the option's default.
const enUso = (el) => !el.disabled && (el.type !== 'checkbox' || el.checked);

// An empty seed box stands for the seed it will hold once left.
function textos() {
  const texto = (el) => (el.name === 'semilla' && el.value.trim() === '' ? semillaDeLaCajaVacia() : el.value);
  return Object.fromEntries(controles().filter(enUso).map((el) => [el.name, texto(el)]));
}

// The options set, as the page's address keeps them: a list at the
// library's default is left out, as an empty box is.
export function opcionesDelPanel() {
  const porDefecto = (clave, texto) => listas.some((l) => l.clave === clave && l.defecto === texto);
  return Object.entries(textos()).filter(([clave, texto]) => texto.trim() !== '' && !porDefecto(clave, texto));
}

function nombreDe(clave) {
  return control(clave).closest('label').firstChild.textContent.trim();
}

// A link's options, checked by the module; what it leaves out or the module
// refuses is the option's default. Gives the names of those refused.
export function ponerOpcionesDelEnlace(pares) {
  const delPanel = Object.fromEntries([...pares].filter(([clave]) => control(clave)));
  const { aceptadas, ignoradas } = JSON.parse(pedirTexto('opciones-enlace', JSON.stringify(delPanel)));
  for (const caja of cajas()) caja.value = aceptadas[caja.name] ?? '';
  conMuestreo().checked = 'montecarlo' in aceptadas;
  completarMuestreo();
  ponerListas(aceptadas);
  disenar();
  return ignoradas.map(nombreDe);
}

// A list whose choices belong to a mounting (the families, the transistors).
const porMontaje = ({ elecciones }) => elecciones.some(({ montaje }) => montaje !== null);

// Each list and check box at the choice given or at the library's default;
// the mounting first, which the families and transistors offered follow. A
// check box is ticked for the last of its two choices, as a flag sets it.
function ponerListas(elegidas) {
  for (const lista of [...listas].sort((a, b) => porMontaje(a) - porMontaje(b))) {
    const el = control(lista.clave);
    const elegida = elegidas[lista.clave] ?? lista.defecto;
    if (lista.bandera) {
      el.value = lista.elecciones.at(-1).nombre;
      el.checked = elegida === el.value;
    } else if (porMontaje(lista)) {
      llenarPorMontaje(lista, elegida);
    } else {
      el.replaceChildren(...lista.elecciones.map(({ nombre, texto }) => new Option(texto, nombre)));
      el.value = elegida;
    }
  }
  seguirDependencias();
}

// The choices of the mounting chosen, under its name as the Montaje list
// gives it, after those of none (the automatic one); any mounting, which has
// no parts of its own, offers every mounting's, each under its own. A
// choice the list no longer holds gives way to the first.
function llenarPorMontaje({ clave, elecciones }, elegida) {
  const montaje = control('montaje').value;
  const tiene = (nombre) => elecciones.some((e) => e.montaje === nombre);
  const grupos = montajes.filter(({ nombre }) => tiene(nombre) && (nombre === montaje || !tiene(montaje)))
    .map(({ nombre, texto }) => {
      const grupo = document.createElement('optgroup');
      grupo.label = texto;
      grupo.append(...elecciones.filter((e) => e.montaje === nombre).map((e) => new Option(e.texto, e.nombre)));
      return grupo;
    });
  const sueltas = elecciones.filter((e) => e.montaje === null).map((e) => new Option(e.texto, e.nombre));
  const lista = control(clave);
  lista.replaceChildren(...sueltas, ...grupos);
  lista.value = elegida;
  if (lista.selectedIndex < 0) lista.selectedIndex = 0;
}

function alCambiarMontaje() {
  for (const lista of listas.filter(porMontaje)) llenarPorMontaje(lista, control(lista.clave).value);
}

// An option that applies only with another's choice is shown, with its
// limits, and sent, only then.
function seguirDependencias() {
  for (const [clave, aplica] of Object.entries(SOLO_CON)) {
    const el = control(clave);
    el.disabled = !aplica();
    [...formulario().children].find((hijo) => hijo.contains(el)).hidden = el.disabled;
  }
}

// A run's seed is drawn at random while its box is empty, and then written
// in it, so that the run can be repeated; as a page's number holds it
// exactly, below 2^53. The run shown while the box is empty is that of the
// seed it will hold.
let semillaPendiente;
function semillaDeLaCajaVacia() {
  if (semillaPendiente === undefined) {
    const [alta, baja] = crypto.getRandomValues(new Uint32Array(2));
    semillaPendiente = String((alta >>> 11) * 2 ** 32 + baja);
  }
  return semillaPendiente;
}

// A run asked for has its boxes filled: the units at the library's default
// for the panel, the seed drawn; a box left empty is filled again once
// left, not while it is being typed in. Gives whether it filled any.
function completarMuestreo() {
  if (!conMuestreo().checked) return false;
  const unidades = control('montecarlo');
  const semilla = control('semilla');
  const vacias = [[unidades, unidades.placeholder], [semilla, semillaDeLaCajaVacia()]]
    .filter(([caja]) => caja.value.trim() === '');
  for (const [caja, valor] of vacias) caja.value = valor;
  semillaPendiente = undefined;
  return vacias.length > 0;
}

// The box with its limits under it, outside its label: they describe the
// box rather than name it.
function anadirLimites(caja, opcion) {
  const ayuda = document.createElement('span');
  ayuda.className = 'limites';
  ayuda.id = `limites-${opcion.clave}`;
  ayuda.textContent = opcion.limites;
  const rotulo = caja.closest('label');
  const grupo = document.createElement('div');
  rotulo.replaceWith(grupo);
  grupo.append(rotulo, ayuda);
  caja.setAttribute('aria-describedby', ayuda.id);
}

// Each list's choices and each box's limits and default, as the library
// gives them; a box that may take a minus sign keeps the full keyboard,
// which has one on every phone.
function ponerOpciones() {
  const datos = JSON.parse(pedirTexto('listas'));
  ({ listas, materiales: columnas } = datos);
  montajes = listas.find(({ clave }) => clave === 'montaje').elecciones;
  document.querySelector('#materiales thead tr').replaceChildren(...columnas.map(({ texto }) => {
    const cabecera = document.createElement('th');
    cabecera.scope = 'col';
    cabecera.textContent = texto;
    return cabecera;
  }));
  for (const opcion of datos.opciones) {
    const caja = control(opcion.clave);
    anadirLimites(caja, opcion);
    if (!opcion.conSigno) caja.inputMode = 'decimal';
    if (opcion.defecto !== null) caja.placeholder = opcion.defecto;
  }
  // After the boxes are grouped with their limits, which are hidden with them.
  ponerListas({});
}

function limpiarAvisoDeCopia() {
  clearTimeout(avisoDeCopia);
  document.getElementById('estadoCopia').textContent = '';
}

// The panel's state and the line at its top: the verdict of a current
// design, or why there is none. Under it, for a current design only, what
// it gives and what to change to build it; for a page with no design yet,
// the examples.
function mostrar(estado, texto) {
  const panel = document.getElementById('panelDiseno');
  panel.dataset.estado = estado;
  document.getElementById('estadoDiseno').textContent = texto;
  const hecho = estado === 'hecho';
  const resumen = document.getElementById('resumenDiseno');
  resumen.hidden = !hecho || resumen.textContent === '';
  document.getElementById('muestreoDiseno').hidden = !hecho || !hayMuestreo;
  document.getElementById('alternativasDiseno').hidden =
    !hecho || document.querySelector('#alternativasDiseno li') === null;
  document.getElementById('ejemplosDiseno').hidden = estado !== 'espera';
  const marco = document.getElementById('informeDiseno');
  if (marco) marco.hidden = !hayInforme;
  document.getElementById('materiales').hidden = !hayInforme;
  seguirDesplazamiento();
  seguirVeredicto();
  for (const boton of ['copiarInforme', 'imprimirInforme', 'descargarCircuito']) {
    document.getElementById(boton).disabled = estado !== 'hecho';
  }
  document.getElementById('descargarMateriales').disabled = estado !== 'hecho' || !hayPiezas;
  limpiarAvisoDeCopia();
}

const FUERA_DE_FECHA = 'Este informe es del último CALCULAR, cuyos resultados ya no muestra la '
  + 'ventana: pulse CALCULAR para ponerlo al día.';

function disenar() {
  const resultado = JSON.parse(pedirTexto('diseno', JSON.stringify(textos())));
  const error = resultado.error ? `Opciones no válidas: ${resultado.error}.` : '';
  for (const caja of controles()) describirError(caja, caja.name === resultado.clave);
  anunciarError(error);
  if (error) {
    hayInforme = false;
    mostrar('error', error);
    return;
  }
  if (!resultado.informe) {
    mostrar('espera', 'Pulse CALCULAR en la ventana para ver el diseño práctico.');
    return;
  }
  hayInforme = true;
  const { informe } = resultado;
  const panel = document.getElementById('panelDiseno');
  panel.dataset.resistencia = informe.r_normalizada_ohm ?? '';
  panel.dataset.construible = informe.construible ? 'si' : 'no';
  marcoDelInforme().srcdoc = sinPrincipal(pedirTexto('informe-html'));
  ponerMateriales(informe.lista_materiales);
  document.getElementById('resumenDiseno').textContent = resultado.resumen;
  ponerMuestreo(resultado.muestreo, informe.montecarlo);
  ponerAlternativas(resultado.alternativas);
  if (vigente) mostrar('hecho', informe.veredicto);
  else mostrar('obsoleto', FUERA_DE_FECHA);
}

// Each change that would build the design, as a link to the design it
// gives: the address of this one with the keys it changes.
function ponerAlternativas(alternativas) {
  document.querySelector('#alternativasDiseno ul').replaceChildren(...alternativas.map(({ texto, cambios }) => {
    const enlace = document.createElement('a');
    enlace.href = direccionCon(cambios);
    enlace.textContent = texto;
    const punto = document.createElement('li');
    punto.append(enlace);
    return punto;
  }));
}

// The run beside the verdict: the report's line and its section's, and the
// nominal output's bins, as a drawing and as a table.
function ponerMuestreo(muestreo, montecarlo) {
  hayMuestreo = muestreo !== null;
  if (!hayMuestreo) return;
  const linea = document.getElementById('lineaMuestreo');
  linea.textContent = muestreo.veredicto ?? '';
  linea.hidden = muestreo.veredicto === null;
  document.getElementById('datosMuestreo').replaceChildren(...muestreo.lineas.map((texto) => {
    const punto = document.createElement('li');
    punto.textContent = texto;
    return punto;
  }));
  const figura = document.getElementById('figuraMuestreo');
  figura.hidden = muestreo.histograma === null;
  if (figura.hidden) return;
  const { titulo, filas } = muestreo.histograma;
  document.getElementById('tituloHistograma').textContent = titulo;
  document.querySelector('#tablaHistograma tbody').replaceChildren(...filas.map((celdas) => {
    const fila = document.createElement('tr');
    fila.append(...celdas.map((texto) => {
      const celda = document.createElement('td');
      celda.textContent = texto;
      return celda;
    }));
    return fila;
  }));
  dibujarHistograma(montecarlo.medidas.vout_nominal_v, filas);
}

const SVG = 'http://www.w3.org/2000/svg';
function elementoSvg(nombre, atributos) {
  const el = document.createElementNS(SVG, nombre);
  for (const [atributo, valor] of Object.entries(atributos)) el.setAttribute(atributo, valor);
  return el;
}

// The bins stretched to the box, one unit of width each and one of height
// per unit drawn, with the worst case's ends dashed; the figures at the
// axis's ends are the table's, as the report writes them.
const ANCHO_HISTOGRAMA = 600;
const ALTO_HISTOGRAMA = 190;
function dibujarHistograma({ histograma: { desde, hasta, cuentas }, cota_baja: baja, cota_alta: alta }, filas) {
  const mayor = Math.max(1, ...cuentas);
  const x = (valor) => ((valor - desde) / (hasta - desde)) * ANCHO_HISTOGRAMA;
  const ancho = ANCHO_HISTOGRAMA / cuentas.length;
  const barras = cuentas.map((cuenta, i) => elementoSvg('rect', {
    class: 'barra',
    x: i * ancho,
    y: ALTO_HISTOGRAMA * (1 - cuenta / mayor),
    width: ancho,
    height: (ALTO_HISTOGRAMA * cuenta) / mayor,
  }));
  const cotas = [baja, alta].filter((cota) => cota !== null).map((cota) => elementoSvg('line', {
    class: 'cota', x1: x(cota), x2: x(cota), y1: 0, y2: ALTO_HISTOGRAMA,
  }));
  const svg = document.getElementById('histograma');
  svg.setAttribute('preserveAspectRatio', 'none');
  svg.replaceChildren(...barras, ...cotas);
  const [primera] = filas[0][0].split(' a ');
  const ultima = filas.at(-1)[0].split(' a ').at(-1);
  const unidad = ultima.slice(ultima.lastIndexOf(' '));
  document.getElementById('ejeHistograma').replaceChildren(...[primera + unidad, ultima].map((texto) => {
    const extremo = document.createElement('span');
    extremo.textContent = texto;
    return extremo;
  }));
}

// A current verdict stays in view: while its place in the panel is off the
// screen (below it, under a tall window; above it, among the options), it
// is drawn at the screen's foot, its place kept so that nothing moves, and
// the page scrolls what it brings into view clear of it.
function seguirVeredicto() {
  const lugar = document.getElementById('lugarVeredicto');
  const linea = document.getElementById('estadoDiseno');
  const { top, bottom } = lugar.getBoundingClientRect();
  const fuera = top < 0 || bottom > innerHeight;
  const flotante = document.getElementById('panelDiseno').dataset.estado === 'hecho' && fuera;
  if (flotante !== linea.classList.contains('flotante')) {
    lugar.style.minHeight = flotante ? `${linea.offsetHeight}px` : '';
    linea.classList.toggle('flotante', flotante);
  }
  // Written only when it changes: this runs at every scroll event.
  const pie = flotante ? `${linea.offsetHeight}px` : '';
  const raiz = document.documentElement.style;
  if (raiz.scrollPaddingBottom !== pie) raiz.scrollPaddingBottom = pie;
}

// The parts list, one row per part, each named by its reference; a design
// that cannot be built has none.
function ponerMateriales(lineas) {
  document.querySelector('#materiales tbody').replaceChildren(...lineas.map((linea) => {
    const fila = document.createElement('tr');
    fila.append(...columnas.map(({ clave }, columna) => {
      const celda = document.createElement(columna === 0 ? 'th' : 'td');
      if (columna === 0) celda.scope = 'row';
      celda.textContent = linea[clave];
      return celda;
    }));
    return fila;
  }));
  hayPiezas = lineas.length > 0;
  document.getElementById('marcoMateriales').hidden = !hayPiezas;
  document.getElementById('sinMateriales').hidden = hayPiezas;
}

// A parts list wider than its box scrolls sideways: then, and only then, it
// says so and takes the focus, so that the keyboard can scroll it too. A
// list not shown is not measured, which would lay the page out.
function seguirDesplazamiento() {
  if (document.getElementById('materiales').hidden) return;
  const marco = document.getElementById('marcoMateriales');
  const desborda = marco.scrollWidth > marco.clientWidth;
  document.getElementById('avisoMateriales').hidden = !desborda;
  if (desborda) marco.tabIndex = 0;
  else marco.removeAttribute('tabindex');
}

// What the module writes, saved as a file.
function descargar(que, archivo, tipo) {
  const enlace = document.createElement('a');
  enlace.href = URL.createObjectURL(new Blob([pedirTexto(que)], { type: tipo }));
  enlace.download = archivo;
  enlace.click();
  setTimeout(() => URL.revokeObjectURL(enlace.href));
}

// The design as a netlist for ngspice, and its parts list as a spreadsheet
// opens it.
const DESCARGAS = [
  ['descargarCircuito', 'informe-spice', 'regulador-zener.cir', 'text/plain'],
  ['descargarMateriales', 'materiales-csv', 'lista-materiales.csv', 'text/csv;charset=utf-8'],
];

// The refused box is described by the message that says why, besides its
// limits.
const MENSAJE = 'estadoDiseno';
function describirError(caja, refusada) {
  caja.toggleAttribute('aria-invalid', refusada);
  const ids = (caja.getAttribute('aria-describedby') ?? '').split(' ').filter((id) => id && id !== MENSAJE);
  if (refusada) ids.push(MENSAJE);
  if (ids.length > 0) caja.setAttribute('aria-describedby', ids.join(' '));
  else caja.removeAttribute('aria-describedby');
}

// A message is announced when it appears or changes, not again at each key
// that leaves it as it was.
function anunciarError(error) {
  const region = document.getElementById('anuncioDiseno');
  if (region.textContent !== error) region.textContent = error;
}

// Inside the page the report is part of the page's main landmark: its own
// becomes a plain block, so that there is one wherever frames are counted.
function sinPrincipal(html) {
  const documento = new DOMParser().parseFromString(html, 'text/html');
  for (const principal of documento.querySelectorAll('main')) {
    const bloque = documento.createElement('div');
    bloque.append(...principal.childNodes);
    principal.replaceWith(bloque);
  }
  return `<!doctype html>\n${documento.documentElement.outerHTML}`;
}

function alCambiarLaVentana({ detail: { resultados } }) {
  if (resultados || !vigente) return;
  vigente = false;
  if (hayInforme) mostrar('obsoleto', FUERA_DE_FECHA);
}

// The frame shows a focus ring while its page has the focus: the frame
// element itself never matches :focus once the focus is inside it.
function seguirFocoDelInforme() {
  const informe = document.getElementById('informeDiseno');
  const marcar = (enfocado) => () => informe.classList.toggle('enfocado', enfocado);
  informe.contentWindow.addEventListener('focus', marcar(true));
  informe.contentWindow.addEventListener('blur', marcar(false));
}

// The report's frame, made for the first report: a frame in the page's
// HTML would cost its first paint a document of its own.
function marcoDelInforme() {
  const hecho = document.getElementById('informeDiseno');
  if (hecho) return hecho;
  const marco = document.createElement('iframe');
  marco.id = 'informeDiseno';
  marco.title = 'Informe del diseño';
  marco.addEventListener('load', ajustarAltura);
  marco.addEventListener('load', seguirFocoDelInforme);
  document.getElementById('informeImpreso').before(marco);
  return marco;
}

// The report's own page sets its height once it has laid out.
function ajustarAltura() {
  const informe = document.getElementById('informeDiseno');
  const documento = informe.contentDocument;
  if (documento?.documentElement) {
    informe.style.height = `${documento.documentElement.scrollHeight + 4}px`;
  }
}

function avisarCopia(texto) {
  limpiarAvisoDeCopia();
  document.getElementById('estadoCopia').textContent = texto;
  avisoDeCopia = setTimeout(limpiarAvisoDeCopia, AVISO_DE_COPIA_MS);
}

async function copiarInforme() {
  const texto = pedirTexto('informe-texto');
  try {
    await navigator.clipboard.writeText(texto);
    avisarCopia('Informe copiado.');
  } catch {
    // Without the asynchronous clipboard, the copy event carries the text.
    const alCopiar = (evento) => {
      evento.clipboardData.setData('text/plain', texto);
      evento.preventDefault();
    };
    document.addEventListener('copy', alCopiar, { once: true });
    avisarCopia(document.execCommand('copy') ? 'Informe copiado.' : 'No se pudo copiar.');
  }
}

function alCambiarOpciones() {
  seguirDependencias();
  disenar();
  document.dispatchEvent(new Event('zener-opciones'));
}

export function iniciarPanel(pedir) {
  pedirTexto = pedir;
  ponerOpciones();
  document.getElementById('panelDiseno').hidden = false;
  formulario().addEventListener('input', ({ target }) => {
    if (target === control('montaje')) alCambiarMontaje();
    if (target === conMuestreo()) completarMuestreo();
    alCambiarOpciones();
  });
  formulario().addEventListener('change', () => {
    if (completarMuestreo()) alCambiarOpciones();
  });
  formulario().addEventListener('submit', (e) => e.preventDefault());
  new ResizeObserver(seguirDesplazamiento).observe(document.getElementById('marcoMateriales'));
  for (const evento of ['scroll', 'resize']) addEventListener(evento, seguirVeredicto, { passive: true });
  document.getElementById('copiarInforme').addEventListener('click', copiarInforme);
  for (const [boton, que, archivo, tipo] of DESCARGAS) {
    document.getElementById(boton).addEventListener('click', () => descargar(que, archivo, tipo));
  }
  document.getElementById('imprimirInforme').addEventListener('click', () => {
    document.getElementById('informeDiseno').contentWindow.print();
  });
  document.addEventListener('zener-calculado', () => {
    vigente = true;
    disenar();
  });
  document.addEventListener('zener-estado', alCambiarLaVentana);
  disenar();
}
