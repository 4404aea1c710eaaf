"use strict";
// Caches the site on installation, so the tuner opens with no network after the first visit.
// The build names the cache after the site's contents and lists every file.
//
// The pictures are cached as the page first shows them: a phone shows only the phone's, and its
// first visit should not download the tablet's too.

const CACHE = "__CACHE_NAME__";
const FILES = __FILES__;
const onFirstUse = (path) => path.startsWith("images/");

self.addEventListener("install", (event) => {
  // Every file is asked of the server, never taken from the HTTP cache, which may still hold the
  // previous release's; an unchanged file costs only a "not modified" answer.
  const requests = FILES.filter((path) => !onFirstUse(path)).map((path) => new Request(path, { cache: "no-cache" }));
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(requests)));
});

// A new release waits until the player accepts it from the page, so a page never runs half of
// one release and half of another.
self.addEventListener("message", (event) => {
  if (event.data === "activate") self.skipWaiting();
  if (event.data && Array.isArray(event.data.keep)) event.waitUntil(keep(event.data.keep));
});

// Caches the pictures the page showed before this worker served it.
async function keep(urls) {
  const cache = await caches.open(CACHE);
  await Promise.all(urls.map(async (url) => (await cache.match(url)) || cache.add(url).catch(() => {})));
}

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name !== CACHE).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// Cache first: the site only changes with a new build, which comes with a new worker.
// Requests to other sites (the rating prompt's network check) go to the network untouched, so
// that none of them holds this worker busy while a new release waits to take over.
self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET" || new URL(event.request.url).origin !== self.location.origin) return;
  const path = new URL(event.request.url).pathname.slice(new URL(self.registration.scope).pathname.length);
  event.respondWith(caches.open(CACHE).then(async (cache) => {
    const cached = await cache.match(event.request, { ignoreSearch: true });
    if (cached) return cached;
    const response = await fetch(event.request);
    if (onFirstUse(path) && response.ok) await cache.put(event.request, response.clone());
    return response;
  }));
});
