"use strict";
// Starts the application: the module's object is the host's before main() runs, so everything
// main() starts can call back into it. Then the service worker caches the site for offline use,
// and a new release, once it is ready, is offered to the player rather than forced on them.

const strumwiseModule = { locateFile: (file) => StrumwiseHost.asset(file) };
StrumwiseHost.attach(strumwiseModule);
createStrumwise(strumwiseModule).catch((error) => {
  document.getElementById("screen").textContent = "Strumwise could not start: " + error.message;
});

if ("serviceWorker" in navigator) {
  let accepted = false;
  const offer = (worker) => {
    // The first installation has nothing to replace; only a returning player is asked.
    if (!worker || !navigator.serviceWorker.controller) return;
    StrumwiseHost.offerUpdate(() => {
      accepted = true;
      worker.postMessage("activate");
    });
  };
  navigator.serviceWorker.addEventListener("controllerchange", () => {
    if (accepted) location.reload();
  });
  // Pictures are cached as they are first shown, but the first visit's were shown before the
  // worker ran: it is told which, so the tuner still opens complete with no network.
  navigator.serviceWorker.ready.then((registration) => {
    const pictures = performance.getEntriesByType("resource").map((entry) => entry.name)
      .filter((name) => new URL(name).pathname.includes("/images/"));
    if (registration.active) registration.active.postMessage({ keep: pictures });
  });
  navigator.serviceWorker.register("service-worker.js").then((registration) => {
    offer(registration.waiting);
    registration.addEventListener("updatefound", () => {
      const worker = registration.installing;
      worker.addEventListener("statechange", () => {
        if (worker.state === "installed") offer(worker);
      });
    });
  }).catch((error) => {
    console.log("Offline use unavailable: " + error.message);
  });
}
