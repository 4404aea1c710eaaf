"use strict";
// Caches the site on installation, so the tuner opens with no network after the first visit.
// The build names the cache after the site's contents and lists every file.
//
// Of the pictures only those of the layout in use are kept: a phone shows only the phone's, and
// its first visit should not download the tablet's too. The page names them once its layout is
// chosen (offline.js), every lit string, chart and lamp of it, so that a string first lit with
// no network is no broken picture; a new release keeps the same pictures in their new versions.

const CACHE = "__CACHE_NAME__";
const FILES = __FILES__;
const isPicture = (path) => path.startsWith("images/");
// A file's name without the hash of its contents that the build gives it.
const plainName = (path) => path.replace(/\.[0-9a-f]{8}(\.\w+)$/, "$1");

self.addEventListener("install", (event) => {
  event.waitUntil((async () => {
    const kept = await picturesKeptBefore();
    // Every file is asked of the server, never taken from the HTTP cache, which may still hold
    // the previous release's; an unchanged file costs only a "not modified" answer.
    const requests = FILES.filter((path) => !isPicture(path) || kept.has(plainName(path)))
      .map((path) => new Request(path, { cache: "no-cache" }));
    await (await caches.open(CACHE)).addAll(requests);
  })());
});

// The plain names of the pictures an earlier release's cache holds: the layout in use.
async function picturesKeptBefore() {
  const scope = self.registration.scope;
  const kept = new Set();
  for (const name of await caches.keys()) {
    if (name === CACHE) continue;
    for (const request of await (await caches.open(name)).keys()) {
      const path = request.url.startsWith(scope) ? request.url.slice(scope.length) : "";
      if (isPicture(path)) kept.add(plainName(path));
    }
  }
  return kept;
}

// A new release waits until the player accepts it from the page, so a page never runs half of
// one release and half of another.
self.addEventListener("message", (event) => {
  if (event.data === "activate") self.skipWaiting();
  if (event.data && Array.isArray(event.data.keep)) event.waitUntil(keep(event.data.keep));
});

// Caches the pictures the page named that the cache does not hold yet.
async function keep(urls) {
  const cache = await caches.open(CACHE);
  await Promise.all(urls.map(async (url) => (await cache.match(url)) || cache.add(url).catch(() => {})));
}

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name !== CACHE).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// Cache first: the site only changes with a new build, which comes with a new worker. A picture
// not kept yet is kept as it is first shown.
// Requests to other sites (the rating prompt's network check) go to the network untouched, so
// that none of them holds this worker busy while a new release waits to take over.
self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET" || new URL(event.request.url).origin !== self.location.origin) return;
  const path = new URL(event.request.url).pathname.slice(new URL(self.registration.scope).pathname.length);
  event.respondWith(caches.open(CACHE).then(async (cache) => {
    const cached = await cache.match(event.request, { ignoreSearch: true });
    if (cached) return cached;
    const response = await fetch(event.request);
    if (isPicture(path) && response.ok) await cache.put(event.request, response.clone());
    return response;
  }));
});
