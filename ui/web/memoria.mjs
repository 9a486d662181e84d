// Texts to and from the module's memory, for the page and for the build
// that writes the page's static window: the module counts UTF-8 bytes, and
// gives a text as its length in four bytes, lowest first, then the text.

const codificador = new TextEncoder();
// A text keeps its byte-order mark: a spreadsheet's file needs it.
const decodificador = new TextDecoder('utf-8', { ignoreBOM: true });

export function textosDelModulo(modulo) {
  const bytesDe = (puntero, bytes) => new Uint8Array(modulo.memory.buffer, puntero, bytes);
  const textoDe = (puntero, bytes) => decodificador.decode(bytesDe(puntero, bytes));

  // Calls fn with the text copied into the module's memory (address, bytes).
  function conTexto(texto, fn) {
    const bytes = codificador.encode(texto);
    const puntero = modulo.zener_reservar(Math.max(bytes.length, 1));
    bytesDe(puntero, bytes.length).set(bytes);
    try {
      return fn(puntero, bytes.length);
    } finally {
      modulo.zener_liberar(puntero);
    }
  }

  function pedirTexto(que, entrada = '') {
    const puntero = conTexto(que, (pQue, bQue) =>
      conTexto(entrada, (pEntrada, bEntrada) => modulo.zener_texto(pQue, bQue, pEntrada, bEntrada)));
    const bytes = new DataView(modulo.memory.buffer).getUint32(puntero, true);
    return textoDe(puntero + 4, bytes);
  }

  return { bytesDe, textoDe, conTexto, pedirTexto };
}
