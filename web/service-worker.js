// The site's files of one build, kept on this device: a visit is answered from them first, so
// the game plays with the network cut. Each build keeps its own files, all fetched before it takes
// over; the browser starts a new build's worker only once no page of the old one is open, and that
// worker then drops the old files, so a page never mixes two builds. The build writes kBuild and
// kFiles above this line.

const kCache = `kelvarin-${kBuild}`;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(kCache).then((cache) => cache.addAll(kFiles)));
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) {
      if (name !== kCache) await caches.delete(name);
    }
    await self.clients.claim();
  })());
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  // An address's query and fragment name a replay or settings, not another file.
  event.respondWith(caches.open(kCache)
      .then((cache) => cache.match(request, {ignoreSearch: true}))
      .then((kept) => kept || fetch(request)));
});
