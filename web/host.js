"use strict";
// The page's side of the browser platform: what the C++ platform (src/adapters/web/browser.cpp)
// asks of the browser, one function each, and the events it hands back to the module. Each job
// behind those functions has a file of its own, loaded before this one (index.html); this file
// makes each once, in the order the page needs them, hands it what it needs, and keeps the one
// object the module calls, so that the module sees a single host whatever the files are.

const StrumwiseHost = (() => {
  const resources = self.StrumwiseResources;
  const spanish = (navigator.languages && navigator.languages[0] || navigator.language || "en")
    .toLowerCase().startsWith("es");
  const texts = resources.translations[spanish ? "es" : "en"];
  let app = null; // the application's WebAssembly module, once it runs

  // A file of the site by its plain name: the build names most files after their contents.
  const asset = (name) => resources.assets?.[name] ?? name;

  // Made first, so that the first web release's keys are under the prefix before anything reads.
  const storage = StrumwiseStorage();
  const notices = StrumwiseNotices({ asset, spanish });
  const alerts = StrumwiseAlerts({ app: () => app });
  const audioContext = StrumwiseAudioContext({ asset, notices });
  const microphone = StrumwiseMicrophone({ app: () => app, audioContext, notices });
  const referenceTone = StrumwiseReferenceTone({ audioContext });
  const layout = StrumwiseLayout({ app: () => app, layouts: resources.layouts, texts,
    secure: audioContext.secure, notices });
  const outlets = StrumwiseOutlets({ outlet: layout.outlet, meters: StrumwiseMeters(),
    history: StrumwiseHistory(), asset, chart: StrumwiseChart() });
  const settings = StrumwiseSettings({ app: () => app, outlet: layout.outlet, texts });
  const lifecycle = StrumwiseLifecycle({ app: () => app, audioContext, microphone });
  const offline = StrumwiseOffline({ asset, notices });

  return {
    // The module calls in from main() on, before its factory's promise resolves.
    attach(module) { app = module; },
    asset,
    // What the page's audio holds (audio-context.js).
    audio: audioContext.state,

    // The screen (layout.js) and what the tick writes onto it (outlets.js).
    hasLayout: layout.hasLayout,
    installLayout(name) {
      layout.install(name);
      settings.install();
      // Shown when the launch installs the window.
      outlets.setHidden("MainScreen", true);
    },
    // The player's settings changed, here or in the module: shown anew, with the string locked.
    settingsChanged(lockedString) {
      layout.showLockedString(lockedString);
      settings.show();
    },
    viewportHeight: layout.viewportHeight,
    isPadViewport: layout.isPadViewport,
    hasOutlet: outlets.hasOutlet,
    setText: outlets.setText,
    setImage: outlets.setImage,
    setHidden: outlets.setHidden,
    showScreenLook: outlets.showScreenLook,
    showTuningMeter: outlets.showTuningMeter,
    showLevelMeter: outlets.showLevelMeter,
    showReadingHistory: outlets.showReadingHistory,
    describeReadingHistory: outlets.describeReadingHistory,

    // Sound (microphone.js, reference-tone.js).
    startMicrophone: microphone.start,
    stopMicrophone: microphone.stop,
    playTone: referenceTone.play,
    stopTone: referenceTone.stop,

    // Settings, under the tuner's own prefix (storage.js).
    storedValue: storage.storedValue,
    storeValue: storage.storeValue,
    clearStore: storage.clearStore,

    // The page's life (lifecycle.js), its use offline (offline.js) and the rating prompt's
    // dialogs (alerts.js).
    keepScreenOn: lifecycle.keepScreenOn,
    keepPictures: offline.keepPictures,
    showAlert: alerts.showAlert,
    closeAlert: alerts.closeAlert,

    openURL(url) { window.open(url, "_blank", "noopener"); },
    // Nothing to do in a tab: asking for fullscreen from a touch meant for something else is
    // refused on phones and startling on a desktop. Installed from its manifest, the tuner opens
    // full screen anyway.
    hideStatusBar() {},
    fetchAndForget(url, timeoutSeconds) {
      const abort = new AbortController();
      setTimeout(() => abort.abort(), timeoutSeconds * 1000);
      fetch(url, { cache: "no-store", mode: "no-cors", signal: abort.signal }).catch(() => {});
    },
    // The tuner's own log lines are for its developers: shown when the address asks for them.
    showsDeveloperLines() { return new URLSearchParams(location.search).has("verbose"); },
    translation(table, key) {
      const entries = texts[table];
      return entries && Object.hasOwn(entries, key) ? entries[key] : null;
    },
  };
})();
