// The design panel: hands the options to the module as one JSON text and
// shows the reports the design library writes; its choices and defaults are
// the module's. The window's values are never touched here.

let pedirTexto;  // (what, input) -> the module's text

// A number typed, or null for an empty field (the option's default).
function numero(campo) {
  const valor = campo.valueAsNumber;
  return Number.isNaN(valor) ? null : valor;
}

function opciones() {
  const f = document.getElementById('opcionesDiseno').elements;
  return JSON.stringify({
    serie: f.serie.value,
    tolR: numero(f.tolR),
    tolVz: numero(f.tolVz),
    margen: numero(f.margen),
    familia: f.familia.value,
    zz: numero(f.zz),
  });
}

function llenarLista(lista, opciones, elegida) {
  lista.replaceChildren(...opciones.map(({ nombre, texto }) => new Option(texto, nombre)));
  lista.value = elegida;
}

function ponerOpciones() {
  const listas = JSON.parse(pedirTexto('listas'));
  const f = document.getElementById('opcionesDiseno').elements;
  llenarLista(f.serie, listas.series, listas.porDefecto.serie);
  llenarLista(f.familia, listas.familias, listas.porDefecto.familia);
  f.tolVz.value = listas.porDefecto.tolVz ?? '';
  f.margen.value = listas.porDefecto.margen;
}

function actualizar() {
  const resultado = JSON.parse(pedirTexto('diseno', opciones()));
  const panel = document.getElementById('panelDiseno');
  const estado = document.getElementById('estadoDiseno');
  const informe = document.getElementById('informeDiseno');
  panel.dataset.estado = resultado.error ? 'error' : resultado.informe ? 'hecho' : 'espera';
  if (resultado.error) {
    estado.textContent = `Opciones no válidas: ${resultado.error}`;
    return;
  }
  if (!resultado.informe) {
    estado.textContent = 'Pulse CALCULAR en la ventana para ver el diseño práctico.';
    informe.hidden = true;
    return;
  }
  estado.textContent = resultado.informe.construible ? '' : resultado.informe.motivos.join(' ');
  panel.dataset.resistencia = resultado.informe.r_normalizada_ohm ?? '';
  informe.hidden = false;
  informe.srcdoc = pedirTexto('informe-html');
}

// The report's own page sets its height once it has laid out.
function ajustarAltura() {
  const informe = document.getElementById('informeDiseno');
  const documento = informe.contentDocument;
  if (documento?.documentElement) {
    informe.style.height = `${documento.documentElement.scrollHeight + 4}px`;
  }
}

async function copiarInforme() {
  const texto = pedirTexto('informe-texto');
  const estado = document.getElementById('estadoCopia');
  try {
    await navigator.clipboard.writeText(texto);
    estado.textContent = 'Informe copiado.';
  } catch {
    // Without the asynchronous clipboard, the copy event carries the text.
    const alCopiar = (evento) => {
      evento.clipboardData.setData('text/plain', texto);
      evento.preventDefault();
    };
    document.addEventListener('copy', alCopiar, { once: true });
    estado.textContent = document.execCommand('copy') ? 'Informe copiado.' : 'No se pudo copiar.';
  }
}

export function iniciarPanel(pedir) {
  pedirTexto = pedir;
  ponerOpciones();
  document.getElementById('panelDiseno').hidden = false;
  document.getElementById('opcionesDiseno').addEventListener('input', actualizar);
  document.getElementById('opcionesDiseno').addEventListener('submit', (e) => e.preventDefault());
  document.getElementById('informeDiseno').addEventListener('load', ajustarAltura);
  document.getElementById('copiarInforme').addEventListener('click', copiarInforme);
  document.getElementById('imprimirInforme').addEventListener('click', () => {
    document.getElementById('informeDiseno').contentWindow.print();
  });
  document.addEventListener('zener-calculado', actualizar);
  actualizar();
}
