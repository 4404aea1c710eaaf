"use strict";
// The page's side of the browser platform: what the C++ platform (src/adapters/web/browser.cpp)
// asks of the browser, one function each, and the events it hands back to the module. The jobs
// behind those functions live in files of their own, loaded before this one (index.html); this
// file makes each once, hands it what it needs, and keeps the one object the module calls.

const StrumwiseHost = (() => {
  const resources = self.StrumwiseResources;
  const spanish = (navigator.languages && navigator.languages[0] || navigator.language || "en")
    .toLowerCase().startsWith("es");
  const texts = resources.translations[spanish ? "es" : "en"];
  let app = null; // the application's WebAssembly module, once it runs

  // Made first, so that the first web release's keys are under the prefix before anything reads.
  const storage = StrumwiseStorage();

  // A file of the site by its plain name: the build names most files after their contents.
  const asset = (name) => resources.assets?.[name] ?? name;

  const notices = StrumwiseNotices({ asset, spanish });
  const alerts = StrumwiseAlerts({ app: () => app });

  const audioContext = StrumwiseAudioContext({ asset, notices });
  const layout = StrumwiseLayout({ app: () => app, layouts: resources.layouts, texts,
    secure: audioContext.secure, notices });
  const outlets = StrumwiseOutlets({ outlet: layout.outlet, meters: StrumwiseMeters(), asset });

  const microphone = StrumwiseMicrophone({ app: () => app, audioContext, notices });

  const referenceTone = StrumwiseReferenceTone({ audioContext });

  const lifecycle = StrumwiseLifecycle({ app: () => app, audioContext, microphone, notices });

  return {
    // The module calls in from main() on, before its factory's promise resolves.
    attach(module) { app = module; },
    asset,
    // What the page's audio holds (audio-context.js).
    audio: audioContext.state,

    // What the tick writes onto the layout (outlets.js).
    setText: outlets.setText,
    setImage: outlets.setImage,
    showScreenLook: outlets.showScreenLook,
    setHidden: outlets.setHidden,
    showTuningMeter: outlets.showTuningMeter,
    showLevelMeter: outlets.showLevelMeter,
    hasOutlet: outlets.hasOutlet,
    hasLayout: layout.hasLayout,
    installLayout(name) {
      layout.install(name);
      // Shown when the launch installs the window.
      outlets.setHidden("MainScreen", true);
    },

    // Settings, under the tuner's own prefix (storage.js).
    storedValue: storage.storedValue,
    storeValue: storage.storeValue,
    clearStore: storage.clearStore,

    openURL(url) { window.open(url, "_blank", "noopener"); },
    keepScreenOn: lifecycle.keepScreenOn,
    // Nothing to do in a tab: asking for fullscreen from a touch meant for something else is
    // refused on phones and startling on a desktop. Installed from its manifest, the tuner opens
    // full screen anyway.
    hideStatusBar() {},
    viewportHeight: layout.viewportHeight,
    isPadViewport: layout.isPadViewport,
    fetchAndForget(url, timeoutSeconds) {
      const abort = new AbortController();
      setTimeout(() => abort.abort(), timeoutSeconds * 1000);
      fetch(url, { cache: "no-store", mode: "no-cors", signal: abort.signal }).catch(() => {});
    },
    translation(table, key) {
      const entries = texts[table];
      return entries && Object.hasOwn(entries, key) ? entries[key] : null;
    },

    startMicrophone: microphone.start,
    stopMicrophone: microphone.stop,
    playTone: referenceTone.play,
    stopTone: referenceTone.stop,
    offerUpdate: lifecycle.offerUpdate,

    // The rating prompt's dialogs (alerts.js).
    showAlert: alerts.showAlert,
    closeAlert: alerts.closeAlert,
  };
})();
