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
  const screen = document.getElementById("screen");
  let app = null; // the application's WebAssembly module, once it runs

  // Made first, so that the first web release's keys are under the prefix before anything reads.
  const storage = StrumwiseStorage();

  const meters = StrumwiseMeters();

  // A file of the site by its plain name: the build names most files after their contents.
  const asset = (name) => resources.assets?.[name] ?? name;

  const lamps = ["LEDDisplay", "LEDDisplay128"];

  const outletKinds = { label: "QLabel", image: "ImageView", button: "QPushButton",
    tuningMeter: "TuningMeter", levelMeter: "LevelMeter" };

  const pendingTexts = new Map();
  function writeTexts() {
    for (const [name, text] of pendingTexts) {
      const element = outlet(name);
      if (element && element.textContent !== text) element.textContent = text;
    }
    pendingTexts.clear();
  }

  const notices = StrumwiseNotices({ asset, spanish });
  const alerts = StrumwiseAlerts({ app: () => app });

  const audioContext = StrumwiseAudioContext({ asset, notices });
  const layout = StrumwiseLayout({ app: () => app, layouts: resources.layouts, texts,
    secure: audioContext.secure, notices });
  const outlet = layout.outlet;

  const microphone = StrumwiseMicrophone({ app: () => app, audioContext, notices });

  const referenceTone = StrumwiseReferenceTone({ audioContext });

  const lifecycle = StrumwiseLifecycle({ app: () => app, audioContext, microphone, notices });

  return {
    // The module calls in from main() on, before its factory's promise resolves.
    attach(module) { app = module; },
    asset,
    // What the page's audio holds (audio-context.js).
    audio: audioContext.state,

    // The tick sets every outlet ten times a second, and a matched string's label twice in one
    // tick (the measured frequency, then the string's own): texts are written once the tick's
    // task is over, and only those that changed, so a steady screen costs the browser no style
    // or layout work.
    setText(name, text) {
      if (pendingTexts.size === 0) queueMicrotask(writeTexts);
      pendingTexts.set(name, text);
    },
    setImage(name, image) {
      const element = outlet(name);
      if (!element) return;
      const source = image ? asset("images/" + image) : null;
      if (element.getAttribute("src") === source) return;
      if (source) element.src = source;
      else element.removeAttribute("src");
      element.alt = lamps.includes(name) ? StrumwiseAccessibility.lampText(screen.dataset.look)
        : StrumwiseAccessibility.pictureText(image);
    },
    // The look of the tuner's screen (silence, measuring, inTune, stale): the style sheet dims a
    // stale match by it, and the lamp's name says it.
    showScreenLook(look) {
      if (screen.dataset.look === look) return;
      screen.dataset.look = look;
      for (const name of lamps) {
        const lamp = outlet(name);
        if (lamp) lamp.alt = StrumwiseAccessibility.lampText(look);
      }
    },
    setHidden(name, hidden) {
      const element = outlet(name);
      const visibility = hidden ? "hidden" : "";
      if (element && element.style.visibility !== visibility) element.style.visibility = visibility;
    },
    showTuningMeter(name, reading) {
      const element = outlet(name);
      if (element) meters.showTuningMeter(element, reading);
      StrumwiseAccessibility.heard(reading);
    },
    showLevelMeter(name, reading) {
      const element = outlet(name);
      if (element) meters.showLevelMeter(element, reading);
    },
    hasOutlet(name, kind) {
      const element = outlet(name);
      return element !== null && element.classList.contains(outletKinds[kind]);
    },
    hasLayout: layout.hasLayout,
    installLayout(name) {
      layout.install(name);
      // Shown when the launch installs the window.
      this.setHidden("MainScreen", true);
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
