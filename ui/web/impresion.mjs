// Printing the page: a frame prints as one unbreakable box, sliced wherever
// the sheet ends, so the report is printed from a copy of its document kept
// in the page itself, where its own rules keep each section and the plot
// whole. The copy lives in a shadow root: its styles reach nothing else.
// Under the window the sheet says when it was printed and gives the link
// that opens the same design again.

const copia = document.getElementById('informeImpreso');
const raiz = copia.attachShadow({ mode: 'open' });
const MARCO = 'informeDiseno';

// The report styles its body; in the copy the body is the shadow's host.
function estiloDeLaCopia(documento) {
  const reglas = [...documento.querySelectorAll('style')].map((s) => s.textContent).join('\n');
  const estilo = document.createElement('style');
  estilo.textContent = reglas.replaceAll(/\bbody\b/g, ':host');
  return estilo;
}

function copiarInforme(marco) {
  const documento = marco?.contentDocument;
  if (!documento?.body) return;
  raiz.replaceChildren(
    estiloDeLaCopia(documento),
    ...[...documento.body.childNodes].map((nodo) => document.importNode(nodo, true)),
  );
}

// The frame is made with the first report, maybe before this module came:
// each report it loads is copied, from the one it holds.
document.addEventListener('load', ({ target }) => {
  if (target.id === MARCO) copiarInforme(target);
}, true);
copiarInforme(document.getElementById(MARCO));

// Made when first printed: the date's format costs the first page that
// makes one a good while.
let formatoDeFecha;

function escribirPie() {
  formatoDeFecha ??= new Intl.DateTimeFormat('es', { dateStyle: 'long', timeStyle: 'short' });
  const enlace = document.createElement('a');
  enlace.href = location.href;
  enlace.textContent = location.href;
  document.getElementById('pieImpresion').replaceChildren(
    `Impreso el ${formatoDeFecha.format(new Date())}. Enlace al diseño: `, enlace);
}

window.addEventListener('beforeprint', escribirPie);
