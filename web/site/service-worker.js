// The page offline: after one visit, every file of the site is kept in a cache
// named after the release (the build writes in the version and the list of
// files), and the page, its program and its experiments' workers are answered
// from it, the network only for what it lacks. A new release is a new worker
// and a new cache, filled at its first visit; it takes over, and drops the
// caches of the releases before it, once no page of the release before is open,
// so that no page started on one release is handed the files of another (its
// experiments' workers, loaded later, must be of the page's own program). A page
// comes under the worker when it is loaded again.
const cacheName = 'lurkfield-@VERSION@';
const siteFiles = ['./', @SITE_FILES@];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(siteFiles)));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys().then((names) => Promise.all(names
    .filter((name) => name.startsWith('lurkfield-') && name !== cacheName)
    .map((name) => caches.delete(name)))));
});

self.addEventListener('fetch', (event) => {
  const { request } = event;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(caches.open(cacheName)
    .then((cache) => cache.match(request, { ignoreSearch: true }))
    .then((kept) => kept || fetch(request)));
});
