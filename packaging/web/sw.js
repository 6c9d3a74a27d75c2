// Keeps a copy of the page's files so that armdraw opens offline after its first visit. Online, a
// file comes from the server as usual and the copy is refreshed; offline, the copy answers.
"use strict";

const CACHE = "armdraw-@PROJECT_VERSION@";

// The page itself was fetched before this worker existed; the rest of it passes through below.
self.addEventListener("install", event => {
  event.waitUntil((async () => {
    const cache = await caches.open(CACHE);
    await cache.addAll(["armdraw.html", "armdraw.css", "page.js", "armdraw.js", "armdraw.wasm",
      "tahoma.woff2", "tahomabd.woff2", "armdraw.svg"]);
    await self.skipWaiting();
  })());
});

self.addEventListener("activate", event => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) {
      if (name !== CACHE) await caches.delete(name);
    }
    await self.clients.claim();
  })());
});

self.addEventListener("fetch", event => {
  const request = event.request;
  if (request.method !== "GET" || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith((async () => {
    const cache = await caches.open(CACHE);
    try {
      const response = await fetch(request);
      if (response.ok) event.waitUntil(cache.put(request, response.clone()));
      return response;
    } catch (offline) {
      const copy = await cache.match(request, { ignoreSearch: true });
      if (copy) return copy;
      throw offline;
    }
  })());
});
