// Debian's chromium under playwright-core: never a browser of its own.
import { chromium } from 'playwright-core';

export const RUTA_CHROMIUM = process.env.ZENER_CHROMIUM ?? '/usr/bin/chromium';

// Flags that keep a headless run off the network this machine does not have.
const ARGUMENTOS = [
  '--no-sandbox',
  '--disable-gpu',
  '--disable-quic',
  '--no-first-run',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
];

export function abrirNavegador() {
  return chromium.launch({ executablePath: RUTA_CHROMIUM, args: ARGUMENTOS });
}

// A browser with a profile of its own on disk, as a user's: the only kind
// that can install a page.
export function abrirPerfil(carpeta, opciones = {}) {
  return chromium.launchPersistentContext(carpeta, {
    executablePath: RUTA_CHROMIUM, args: ARGUMENTOS, ...opciones,
  });
}
