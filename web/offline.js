"use strict";
// The page's service worker, which keeps the site for use with no network: registered once the
// page runs, told which pictures the layout in use may show so that it keeps those too, and
// asked to take over with a new release only once the player accepts it. Where the browser
// refuses the worker (an address whose certificate this device does not trust, as on the local
// network before the phone has installed this computer's certificate), the player is told what
// that costs and how to mend it.
//
// Made once by the page's host (host.js).

const StrumwiseOffline = ({ asset, notices }) => {
  if (!("serviceWorker" in navigator)) return { keepPictures() {} };
  const workers = navigator.serviceWorker;

  let accepted = false;
  function offer(worker) {
    // The first installation has nothing to replace; only a returning player is asked.
    if (!worker || !workers.controller) return;
    notices.show("updateReady", "update", () => {
      accepted = true;
      worker.postMessage("activate");
    }, "update");
  }
  workers.addEventListener("controllerchange", () => {
    if (accepted) location.reload();
  });

  workers.register("service-worker.js").then((registration) => {
    offer(registration.waiting);
    registration.addEventListener("updatefound", () => {
      const worker = registration.installing;
      worker.addEventListener("statechange", () => {
        if (worker.state === "installed") offer(worker);
      });
    });
  }).catch((error) => {
    console.log("Offline use unavailable: " + error.message);
    if (/SSL|certificate/i.test(error.message)) {
      // The set-up page of scripts/web.sh --lan, on this same address.
      notices.show("untrusted", "howToTrust", () => location.assign("lan-certificate/"), "offline");
    }
  });

  return {
    // The pictures, by plain name, that the layout in use may show: the worker fetches those it
    // does not hold yet, whether or not the page has shown them.
    keepPictures(names) {
      const pictures = names.map((name) => new URL(asset("images/" + name), location.href).href);
      workers.ready.then((registration) => registration.active?.postMessage({ keep: pictures }));
    },
  };
};
