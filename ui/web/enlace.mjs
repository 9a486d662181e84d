// The design in the page's address, after "#": the six committed values by
// their names, then the design panel's options, so that a bookmark or a
// shared link opens the same design. Whatever the address holds goes in as
// text, through the window's own commit and the design library's readers,
// which refuse what is not a figure or is out of bounds, one value at a
// time; the user is told which were left out. A link that carries all six
// values is calculated at once, as its sender saw it. What a link leaves
// out is the window's and the panel's default, as on a page just opened.
//
// The address follows every committed change in place (replaceState), so
// that typing leaves no trail of history entries behind. An address that
// changes while the window is busy (a message box open, events still to be
// delivered) waits until it is free, so that the two never disagree.

let campos;         // [{clave, nombre, poner(texto) -> bool}], in the window's order
let valores;        // () -> the committed values' texts by name
let opciones;       // () -> [[key, text]] of the panel's options that are set
let ponerOpciones;  // (pares) -> the names of the options refused
let calcular;       // () -> CALCULAR clicked
let reiniciar;      // () -> RESET clicked
let esOpcion;       // (key) -> whether the panel has an option of that name
let cuandoLibre;    // (fn) -> fn called once the window is free
let ocupada;        // () -> whether the window is busy
let pendiente = false;  // an address change waits for the window
let escrita;        // the address's design as last read or written
let aplicando = false;

// Commas as they are: a figure reads better as 12,00 than 12%2C00.
const codificar = (texto) => encodeURIComponent(texto).replaceAll('%2C', ',');

function paresDelDiseno() {
  const actuales = valores();
  return [...campos.map(({ clave }) => [clave, actuales[clave]]), ...opciones()];
}

const textoDe = (pares) => pares.map(([clave, texto]) => `${codificar(clave)}=${codificar(texto)}`).join('&');
const textoDelDiseno = () => textoDe(paresDelDiseno());

// The address of the design shown with some keys changed ({key: text}; an
// empty text leaves the key out): a link to another design near it.
export function direccionCon(cambios) {
  const pares = new Map(paresDelDiseno());
  for (const [clave, texto] of Object.entries(cambios)) pares.set(clave, texto);
  return `#${textoDe([...pares].filter(([, texto]) => texto !== ''))}`;
}

function avisar(ignorados) {
  document.getElementById('avisoEnlace').textContent = ignorados.length === 0 ? ''
    : `El enlace traía datos no válidos, que no se han tenido en cuenta: ${ignorados.join('; ')}.`;
}

function seguir() {
  if (aplicando || pendiente) return;
  const texto = textoDelDiseno();
  if (texto === escrita) return;
  escrita = texto;
  avisar([]);
  history.replaceState(history.state, '', `#${texto}`);
}

// URLSearchParams reads any text: a malformed escape becomes a replacement
// character, never an exception. Once applied, the address shows the design
// the page now has, without what it refused. On a page already in use the
// window is reset first, so that it starts from what a new page shows.
function aplicar(enUso) {
  const pares = new URLSearchParams(location.hash.slice(1));
  const conocida = (clave) => campos.some((campo) => campo.clave === clave) || esOpcion(clave);
  const ignorados = [];
  let puestos = 0;
  aplicando = true;
  try {
    if (enUso) reiniciar();
    for (const campo of campos) {
      if (!pares.has(campo.clave)) continue;
      if (campo.poner(pares.get(campo.clave))) ++puestos;
      else ignorados.push(campo.nombre);
    }
    ignorados.push(...ponerOpciones(pares));
    ignorados.push(...[...new Set(pares.keys())].filter((clave) => !conocida(clave))
      .map((clave) => `clave desconocida «${clave}»`));
  } finally {
    aplicando = false;
  }
  // Rewritten even when the design is the one shown, so that what was
  // refused does not travel on in a copied link.
  escrita = undefined;
  seguir();
  avisar(ignorados);
  if (puestos === campos.length) calcular();
}

// A change of address while the window is busy is applied once it is free;
// until then the address is not rewritten.
function alCambiarDireccion() {
  if (pendiente) return;
  if (!ocupada()) {
    aplicar(true);
    return;
  }
  pendiente = true;
  cuandoLibre(() => {
    pendiente = false;
    aplicar(true);
  });
}

export function iniciarEnlace(pagina) {
  ({ campos, valores, opciones, ponerOpciones, calcular, reiniciar, esOpcion, cuandoLibre, ocupada } =
    pagina);
  // Without a design in it, the address is left alone until the user
  // changes something.
  escrita = textoDelDiseno();
  if (location.hash.length > 1) aplicar(false);
  document.addEventListener('zener-estado', seguir);
  document.addEventListener('zener-opciones', seguir);
  // An address edited by hand, or another link opened in this tab.
  window.addEventListener('hashchange', alCambiarDireccion);
}
