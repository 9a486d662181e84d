// The page's start: the module and the page's code are downloaded while the
// page is parsed (index.html preloads them), and compiled and run once the
// window the page holds is on the screen, so that none of that work delays
// its first paint; keys typed meanwhile are kept (index.html). If any of it
// fails, the user is told in words what failed instead of being left with
// an empty page. Once the calculator runs, the service worker is registered
// so that the page also opens without a network.

const MODULO = 'zener.wasm';
const TIPO_MODULO = 'application/wasm';
const TRABAJADOR = 'trabajador.js';

// A failure already put into words for the user.
class FalloDeArranque extends Error {}

async function compilarModulo() {
  if (typeof WebAssembly === 'undefined') {
    throw new FalloDeArranque('Este navegador no ejecuta WebAssembly, que el calculador necesita.');
  }
  let respuesta;
  try {
    respuesta = await fetch(MODULO);
  } catch {
    throw new FalloDeArranque(`No se pudo descargar ${MODULO}: no hay conexión con el servidor.`);
  }
  if (!respuesta.ok) {
    const estado = `${respuesta.status} ${respuesta.statusText}`.trim();
    throw new FalloDeArranque(`No se pudo descargar ${MODULO}: el servidor respondió ${estado}.`);
  }
  const tipo = respuesta.headers.get('content-type')?.split(';')[0].trim() || 'sin tipo';
  if (tipo !== TIPO_MODULO) {
    throw new FalloDeArranque(
      `El servidor envió ${MODULO} como «${tipo}» y no como «${TIPO_MODULO}».`);
  }
  try {
    return await WebAssembly.compileStreaming(respuesta);
  } catch (error) {
    throw new FalloDeArranque(`${MODULO} no es un módulo WebAssembly válido.`, { cause: error });
  }
}

async function cargarPagina() {
  try {
    return await import('./zener.mjs');
  } catch (error) {
    throw new FalloDeArranque('No se pudo cargar el código de la página (zener.mjs).', { cause: error });
  }
}

const documentoListo = () => new Promise((listo) => {
  if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', listo, { once: true });
  else listo();
});

function mostrarFallo(error) {
  const causa = error instanceof FalloDeArranque ? error.cause : error;
  const lineas = [
    'El calculador no ha podido arrancar.',
    error instanceof FalloDeArranque ? error.message : 'El módulo del calculador falló al iniciarse.',
    causa ? `Detalle técnico: ${causa.message ?? causa}` : null,
  ];
  document.getElementById('fallo').replaceChildren(...lineas.filter(Boolean).map((linea) => {
    const p = document.createElement('p');
    p.textContent = linea;
    return p;
  }));
  document.documentElement.dataset.listo = 'fallo';
}

// Registered once the page has loaded, so that caching it never competes
// with the first visit; without a service worker the page simply needs the
// network, as any page does.
function registrarTrabajador() {
  if (!('serviceWorker' in navigator)) return;
  avisarDeVersionNueva();
  const registrar = () => navigator.serviceWorker.register(TRABAJADOR).catch(() => {});
  if (document.readyState === 'complete') registrar();
  else window.addEventListener('load', registrar, { once: true });
}

// A new build's worker takes over a page opened from the old one: the user
// is told, quietly, and may reload when it suits. The first worker taking
// over a page that had none is no new version.
function avisarDeVersionNueva() {
  if (!navigator.serviceWorker.controller) return;
  navigator.serviceWorker.addEventListener('controllerchange', () => {
    document.getElementById('versionNueva').hidden = false;
  }, { once: true });
  document.getElementById('recargar').addEventListener('click', () => location.reload());
}

// Once the window is on the screen: the browser reports its first paint of
// content once it is shown, a frame after it is drawn. At once in a tab not
// shown, which paints nothing until it is; a browser that reports no paints
// goes on after the frame that draws it.
const ventanaEnPantalla = () => new Promise((listo) => {
  if (document.visibilityState === 'hidden') {
    listo();
  } else if (PerformanceObserver.supportedEntryTypes?.includes('paint')) {
    new PerformanceObserver((pintadas, observador) => {
      if (pintadas.getEntriesByName('first-contentful-paint').length === 0) return;
      observador.disconnect();
      listo();
    }).observe({ type: 'paint', buffered: true });
  } else {
    requestAnimationFrame(() => setTimeout(listo));
  }
});

await documentoListo();
await ventanaEnPantalla();
const compilado = compilarModulo();
const pagina = cargarPagina();
try {
  const [modulo, { iniciar }] = await Promise.all([compilado, pagina]);
  await iniciar(modulo);
  import('./impresion.mjs');
  registrarTrabajador();
} catch (error) {
  mostrarFallo(error);
}
