// The design panel: hands the options to the module and shows the reports
// the design library writes; the window's values are never touched here.

let modulo;
let utilidades;

function numero(campo, escala = 1) {
  const valor = campo.valueAsNumber;
  return Number.isNaN(valor) ? NaN : valor / escala;
}

function opciones() {
  const f = document.getElementById('opcionesDiseno').elements;
  return [
    Number(f.serie.value),
    numero(f.tolR, 100),
    numero(f.tolVz, 100),
    numero(f.margen),
    Number(f.familia.value),
    numero(f.zz),
  ];
}

function actualizar() {
  const { textoSalida } = utilidades;
  const resultado = JSON.parse(textoSalida(modulo.zener_disenar(...opciones())));
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
  informe.srcdoc = textoSalida(modulo.zener_informe_html());
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
  const texto = utilidades.textoSalida(modulo.zener_informe_texto());
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

export function iniciarPanel(exportaciones, util) {
  modulo = exportaciones;
  utilidades = util;
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
