// Printing the page: a frame prints as one unbreakable box, sliced wherever
// the sheet ends, so the report is printed from a copy of its document kept
// in the page itself, where its own rules keep each section and the plot
// whole. The copy lives in a shadow root: its styles reach nothing else.

const marco = document.getElementById('informeDiseno');
const copia = document.getElementById('informeImpreso');
const raiz = copia.attachShadow({ mode: 'open' });

// The report styles its body; in the copy the body is the shadow's host.
function estiloDeLaCopia(documento) {
  const reglas = [...documento.querySelectorAll('style')].map((s) => s.textContent).join('\n');
  const estilo = document.createElement('style');
  estilo.textContent = reglas.replaceAll(/\bbody\b/g, ':host');
  return estilo;
}

function copiarInforme() {
  const documento = marco.contentDocument;
  if (!documento?.body) return;
  raiz.replaceChildren(
    estiloDeLaCopia(documento),
    ...[...documento.body.childNodes].map((nodo) => document.importNode(nodo, true)),
  );
}

marco.addEventListener('load', copiarInforme);
copiarInforme();
