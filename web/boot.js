"use strict";
// Starts the application: the module's object is the host's before main() runs, so everything
// main() starts can call back into it. Then the service worker caches the site for offline use.

const strumwiseModule = { locateFile: (file) => file };
StrumwiseHost.attach(strumwiseModule);
createStrumwise(strumwiseModule).catch((error) => {
  document.getElementById("screen").textContent = "Strumwise could not start: " + error.message;
});

if ("serviceWorker" in navigator) {
  navigator.serviceWorker.register("service-worker.js").catch((error) => {
    console.log("Offline use unavailable: " + error.message);
  });
}
