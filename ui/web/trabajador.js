// The service worker: keeps the whole page in a cache named after the build,
// so that the page opens and works without a network. The build writes the
// two lines above this one: VERSION, a hash of every file it caches, and
// ARCHIVOS, those files. A new build is a new worker: it caches the new files
// and, once active, drops every cache of an older build.

self.addEventListener('install', (evento) => {
  // Always from the server, never a stale copy from the browser's cache.
  const peticiones = ARCHIVOS.map((archivo) => new Request(archivo, { cache: 'no-cache' }));
  evento.waitUntil(
    caches.open(VERSION)
      .then((cache) => cache.addAll(peticiones))
      .then(() => self.skipWaiting()),
  );
});

self.addEventListener('activate', (evento) => {
  evento.waitUntil(
    caches.keys()
      .then((nombres) => Promise.all(
        nombres.filter((nombre) => nombre !== VERSION).map((nombre) => caches.delete(nombre))))
      .then(() => self.clients.claim()),
  );
});

// The cached build first; whatever it does not hold comes from the network.
self.addEventListener('fetch', (evento) => {
  if (evento.request.method !== 'GET') return;
  evento.respondWith(
    caches.open(VERSION)
      .then((cache) => cache.match(evento.request, { ignoreSearch: true, ignoreVary: true }))
      .then((guardada) => guardada ?? fetch(evento.request)),
  );
});
