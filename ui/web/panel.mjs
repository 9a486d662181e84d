// The design panel: hands the boxes' texts to the module as one JSON object
// and shows the report the design library writes. Reading the texts, the
// options' limits and defaults are the library's; the window's values are
// never touched here.
//
// The report is that of the window's last CALCULAR. Once the window no
// longer shows those results (a field entered, RESET, a CALCULAR that
// failed), it stays in view for comparison but is marked out of date, and
// can be neither copied nor printed until CALCULAR brings it up to date.

let pedirTexto;      // (what, input) -> the module's text
let vigente = false;  // the window shows the results the report was made for
let hayInforme = false;
let hayPiezas = false;  // the report's design can be built: it has a parts list
let avisoDeCopia;    // the timer that clears the copy notice
let porDefecto;      // the choices of the lists before the user's
let columnas;        // the parts list's columns: [{clave, texto}]
let montajes;        // [{nombre, texto}], as the Montaje list shows them
let familias;        // [{nombre, texto, montaje}]: null for the automatic one

const AVISO_DE_COPIA_MS = 4000;
const formulario = () => document.getElementById('opcionesDiseno');
const cajas = () => [...formulario().querySelectorAll('input')];
const controles = () => [...formulario().elements].filter((el) => el.name);
const control = (clave) => formulario().elements.namedItem(clave);

function textos() {
  return Object.fromEntries(controles().map((el) => [el.name, el.value]));
}

// The options set, as the page's address keeps them.
export function opcionesDelPanel() {
  return Object.entries(textos()).filter(([, texto]) => texto.trim() !== '');
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
  const elegida = (clave) => aceptadas[clave] ?? porDefecto[clave];
  control('serie').value = elegida('serie');
  control('montaje').value = elegida('montaje');
  llenarFamilias(elegida('familia'));
  disenar();
  return ignoradas.map(nombreDe);
}

function llenarLista(lista, opciones, elegida) {
  lista.replaceChildren(...opciones.map(({ nombre, texto }) => new Option(texto, nombre)));
  lista.value = elegida;
}

// The families of the mounting chosen, under its name as the Montaje list
// gives it, after the automatic choice; any mounting, which has no families
// of its own, offers every mounting's, each under its own. A family the
// list no longer holds gives way to the automatic one.
function llenarFamilias(elegida) {
  const montaje = control('montaje').value;
  const tiene = (nombre) => familias.some((familia) => familia.montaje === nombre);
  const grupos = montajes.filter(({ nombre }) => tiene(nombre) && (nombre === montaje || !tiene(montaje)))
    .map(({ nombre, texto }) => {
      const grupo = document.createElement('optgroup');
      grupo.label = texto;
      grupo.append(...familias.filter((f) => f.montaje === nombre).map((f) => new Option(f.texto, f.nombre)));
      return grupo;
    });
  const automatica = familias.find((f) => f.montaje === null);
  const lista = control('familia');
  lista.replaceChildren(new Option(automatica.texto, automatica.nombre), ...grupos);
  lista.value = elegida;
  if (lista.selectedIndex < 0) lista.value = automatica.nombre;
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

// Each box's limits and default, as the library gives them; a box that may
// take a minus sign keeps the full keyboard, which has one on every phone.
function ponerOpciones() {
  const listas = JSON.parse(pedirTexto('listas'));
  ({ porDefecto, montajes, familias, materiales: columnas } = listas);
  llenarLista(control('serie'), listas.series, porDefecto.serie);
  llenarLista(control('montaje'), montajes, porDefecto.montaje);
  llenarFamilias(porDefecto.familia);
  document.querySelector('#materiales thead tr').replaceChildren(...columnas.map(({ texto }) => {
    const cabecera = document.createElement('th');
    cabecera.scope = 'col';
    cabecera.textContent = texto;
    return cabecera;
  }));
  for (const opcion of listas.opciones) {
    const caja = control(opcion.clave);
    anadirLimites(caja, opcion);
    if (!opcion.conSigno) caja.inputMode = 'decimal';
    if (opcion.defecto !== null) caja.placeholder = opcion.defecto;
  }
}

function limpiarAvisoDeCopia() {
  clearTimeout(avisoDeCopia);
  document.getElementById('estadoCopia').textContent = '';
}

function mostrar(estado, texto) {
  const panel = document.getElementById('panelDiseno');
  panel.dataset.estado = estado;
  document.getElementById('estadoDiseno').textContent = texto;
  const marco = document.getElementById('informeDiseno');
  if (marco) marco.hidden = !hayInforme;
  document.getElementById('materiales').hidden = !hayInforme;
  seguirDesplazamiento();
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
  document.getElementById('panelDiseno').dataset.resistencia = informe.r_normalizada_ohm ?? '';
  marcoDelInforme().srcdoc = sinPrincipal(pedirTexto('informe-html'));
  ponerMateriales(informe.lista_materiales);
  if (vigente) mostrar('hecho', resultado.resumen);
  else mostrar('obsoleto', FUERA_DE_FECHA);
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

export function iniciarPanel(pedir) {
  pedirTexto = pedir;
  ponerOpciones();
  document.getElementById('panelDiseno').hidden = false;
  formulario().addEventListener('input', ({ target }) => {
    if (target === control('montaje')) llenarFamilias(control('familia').value);
    disenar();
    document.dispatchEvent(new Event('zener-opciones'));
  });
  formulario().addEventListener('submit', (e) => e.preventDefault());
  new ResizeObserver(seguirDesplazamiento).observe(document.getElementById('marcoMateriales'));
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
