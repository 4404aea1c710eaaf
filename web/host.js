"use strict";
// The page's side of the browser platform: what the C++ platform (src/platform/web/browser.cpp)
// asks of the browser, one function each, and the events it hands back to the module.

const StrumwiseHost = (() => {
  const resources = self.StrumwiseResources;
  const spanish = (navigator.languages && navigator.languages[0] || navigator.language || "en")
    .toLowerCase().startsWith("es");
  const texts = resources.translations[spanish ? "es" : "en"];
  const screen = document.getElementById("screen");
  let app = null; // the application's WebAssembly module, once it runs
  let layout = null; // the root element of the loaded layout
  let wakeLock = null;
  let keepOn = false;

  const outletKinds = { label: "QLabel", image: "ImageView", button: "QPushButton",
    tuningMeter: "TuningMeter", levelMeter: "LevelMeter" };

  function outlet(name) {
    return layout ? layout.querySelector("#" + CSS.escape(name)) : null;
  }

  // Strings go to the module as NUL-terminated UTF-8 in its own memory.
  function withCString(text, use) {
    const bytes = new TextEncoder().encode(text + "\0");
    const pointer = app._malloc(bytes.length);
    app.HEAPU8.set(bytes, pointer);
    try {
      use(pointer);
    } finally {
      app._free(pointer);
    }
  }

  function translateLayout(root) {
    const translated = (key) => (texts.MainScreen && texts.MainScreen[key]) || key;
    for (const element of root.querySelectorAll("[data-tr]")) {
      element.textContent = translated(element.getAttribute("data-tr"));
    }
    for (const attribute of ["title", "aria-label"]) {
      for (const element of root.querySelectorAll(`[data-tr-${attribute}]`)) {
        element.setAttribute(attribute, translated(element.getAttribute(`data-tr-${attribute}`)));
      }
    }
  }

  function onLayoutClick(event) {
    const tab = event.target.closest(".tab");
    if (tab) {
      const tabs = tab.parentElement;
      for (const other of tabs.querySelectorAll(".tab")) {
        other.classList.toggle("selected", other === tab);
        layout.querySelector("#" + other.dataset.page).classList.toggle("hiddenPage", other !== tab);
      }
      return;
    }
    const control = event.target.closest("[data-action]");
    if (control && app) {
      withCString(control.dataset.action, (pointer) => app._strumwise_action(pointer));
    }
  }

  // The desktop's shortcuts, which the buttons' tooltips name: each key presses the layout's own
  // button, so it does exactly what a touch does.
  const keyActions = {
    ArrowLeft: "showPreviousTuning:", ArrowRight: "showNextTuning:", " ": "stopFreqPlay:",
    Escape: "stopFreqPlay:", 1: "playD293_6Hz:", 2: "playB246_9Hz:", 3: "playG196Hz:",
    4: "playD146_8Hz:", 5: "playG392Hz:",
  };
  function onKey(event) {
    const action = keyActions[event.key];
    const typing = event.target.closest?.("input, select, textarea");
    if (!action || !layout || typing || event.altKey || event.ctrlKey || event.metaKey ||
        document.querySelector("dialog[open]")) return;
    const control = layout.querySelector(`[data-action="${action}"]`);
    if (control) {
      event.preventDefault();
      control.click();
    }
  }
  document.addEventListener("keydown", onKey);

  // --- Meters: the same scales as the desktop's, drawn with elements --------------------------
  const needleRange = 50; // cents either side of the middle
  const levelFloorDb = -66; // the level meter's left end

  function built(element, markup) {
    if (!element.firstChild) element.innerHTML = markup;
    return (selector) => element.querySelector(selector);
  }

  function showTuningMeter(element, reading) {
    const part = built(element, '<div class="meterText"><span class="meterNote"></span>' +
      '<span class="meterOffset"></span></div><div class="meterRow"><span class="meterArrow up">\u25b6</span>' +
      '<div class="meterScale"><div class="meterZone"></div><div class="meterNeedle"></div></div>' +
      '<span class="meterArrow down">\u25c0</span></div>');
    const at = (cents) => ((Math.max(-needleRange, Math.min(needleRange, cents)) + needleRange) / (2 * needleRange)) * 100;
    // A strip too flat for two rows (a short phone's) puts the text beside the scale.
    element.classList.toggle("flat", element.clientHeight < 40);
    element.dataset.cents = reading.idle ? "" : reading.cents.toFixed(1);
    part(".meterZone").style.left = at(reading.zoneLow) + "%";
    part(".meterZone").style.width = at(reading.zoneHigh) - at(reading.zoneLow) + "%";
    const needle = part(".meterNeedle");
    needle.hidden = reading.idle;
    needle.style.left = at(reading.needle) + "%";
    needle.classList.toggle("inTune", reading.turn === 0);
    part(".meterArrow.up").classList.toggle("active", !reading.idle && reading.turn === 1);
    part(".meterArrow.down").classList.toggle("active", !reading.idle && reading.turn === -1);
    const cents = Math.round(reading.cents);
    // The string's number in a circle, as the tuning chart numbers them, then its note.
    // String 0: a note that is no string of the tuning, shown without a number and dimmed.
    part(".meterNote").textContent = reading.idle ? "" : (reading.string > 0 ? String.fromCodePoint(0x2460 + reading.string - 1) + " " : "") + reading.note;
    part(".meterNote").classList.toggle("offTuning", !reading.idle && reading.string === 0);
    part(".meterNote").classList.toggle("inTune", reading.turn === 0);
    part(".meterOffset").textContent = reading.idle ? "\u2014 \u00a2" : (cents > 0 ? "+" : "") + cents + " \u00a2";
  }

  function showLevelMeter(element, reading) {
    const part = built(element, '<div class="levelFill"></div><div class="levelMark"></div><div class="levelMark"></div>');
    const fraction = (power) => (power > 0 ? Math.max(0, Math.min(1, (20 * Math.log10(power) - levelFloorDb) / -levelFloorDb)) : 0);
    const fill = part(".levelFill");
    fill.style.width = fraction(reading.power) * 100 + "%";
    fill.className = "levelFill " + (reading.power < reading.silenceBelow ? "quiet"
      : reading.power <= reading.measureAbove ? "faint" : "heard");
    const marks = element.querySelectorAll(".levelMark");
    [reading.silenceBelow, reading.measureAbove].forEach((threshold, i) => {
      marks[i].hidden = !(threshold > 0);
      marks[i].style.left = fraction(threshold) * 100 + "%";
    });
  }

  // --- Audio -------------------------------------------------------------------------------
  const audio = { context: null, ready: null, mic: null, micWanted: false, tone: null, toneModule: null };

  function audioContext() {
    if (!audio.ready) {
      audio.context = new AudioContext();
      audio.ready = Promise.all([
        audio.context.audioWorklet.addModule("capture-worklet.js"),
        audio.context.audioWorklet.addModule("tone-worklet.js"),
        fetch("tone.wasm").then((response) => response.arrayBuffer())
          .then((bytes) => { audio.toneModule = bytes; }),
      ]).then(() => audio.context);
      // Browsers start audio only after a touch; the first one resumes it.
      const resume = () => audio.context.resume();
      for (const type of ["pointerdown", "keydown"]) {
        addEventListener(type, resume, { once: true, capture: true });
      }
    }
    return audio.ready;
  }

  async function openMicrophone() {
    const context = await audioContext();
    const stream = await navigator.mediaDevices.getUserMedia({
      audio: { echoCancellation: false, noiseSuppression: false, autoGainControl: false },
    });
    // The listener may have stopped, or started again, while the browser asked.
    if (!audio.micWanted || audio.mic) {
      stream.getTracks().forEach((track) => track.stop());
      return;
    }
    const source = context.createMediaStreamSource(stream);
    const node = new AudioWorkletNode(context, "strumwise-capture");
    let buffer = 0;
    let capacity = 0;
    node.port.onmessage = (event) => {
      const block = event.data;
      if (capacity < block.length) {
        if (buffer) app._free(buffer);
        capacity = block.length;
        buffer = app._malloc(capacity * 4);
      }
      app.HEAPF32.set(block, buffer >> 2);
      app._strumwise_capture(buffer, block.length, context.sampleRate);
    };
    source.connect(node);
    // Connected to the output (it writes silence) so the graph keeps pulling it.
    node.connect(context.destination);
    stream.getAudioTracks()[0].addEventListener("ended", () => app._strumwise_microphone_live(0));
    audio.mic = { stream, source, node };
    app._strumwise_microphone_live(1);
  }

  function closeMicrophone() {
    if (!audio.mic) return;
    audio.mic.stream.getTracks().forEach((track) => track.stop());
    audio.mic.source.disconnect();
    audio.mic.node.disconnect();
    audio.mic = null;
    app._strumwise_microphone_live(0);
  }

  async function toneNode() {
    const context = await audioContext();
    if (!audio.tone) {
      audio.tone = new AudioWorkletNode(context, "strumwise-tone", {
        numberOfInputs: 0,
        outputChannelCount: [2],
        processorOptions: { module: audio.toneModule },
      });
      audio.tone.connect(context.destination);
    }
    return audio.tone;
  }

  // --- Keeping the screen on -----------------------------------------------------------------
  async function updateWakeLock() {
    if (!("wakeLock" in navigator)) return;
    if (keepOn && document.visibilityState === "visible" && !wakeLock) {
      try {
        wakeLock = await navigator.wakeLock.request("screen");
        wakeLock.addEventListener("release", () => { wakeLock = null; });
      } catch (error) {
        console.log("Screen wake lock refused: " + error.message);
      }
    } else if (!keepOn && wakeLock) {
      wakeLock.release();
    }
  }

  document.addEventListener("visibilitychange", () => {
    if (app) app._strumwise_visibility_changed(document.visibilityState === "visible" ? 1 : 0);
    updateWakeLock();
  });

  return {
    // The module calls in from main() on, before its factory's promise resolves.
    attach(module) { app = module; },
    audio,
    toneNode,

    setText(name, text) {
      const element = outlet(name);
      if (element) element.textContent = text;
    },
    setImage(name, image) {
      const element = outlet(name);
      if (!element) return;
      if (image) element.src = "images/" + image;
      else element.removeAttribute("src");
    },
    setHidden(name, hidden) {
      const element = outlet(name);
      if (element) element.style.visibility = hidden ? "hidden" : "";
    },
    showTuningMeter(name, reading) {
      const element = outlet(name);
      if (element) showTuningMeter(element, reading);
    },
    showLevelMeter(name, reading) {
      const element = outlet(name);
      if (element) showLevelMeter(element, reading);
    },
    hasOutlet(name, kind) {
      const element = outlet(name);
      return element !== null && element.classList.contains(outletKinds[kind]);
    },
    hasLayout(name) { return Object.hasOwn(resources.layouts, name); },
    installLayout(name) {
      const root = document.createElement("div");
      root.id = name;
      root.className = "layoutRoot";
      root.innerHTML = resources.layouts[name].html;
      translateLayout(root);
      root.addEventListener("click", onLayoutClick);
      screen.replaceChildren(root);
      layout = root;
      // Shown when the launch installs the window.
      this.setHidden("MainScreen", true);
    },

    storedValue(key) {
      try { return localStorage.getItem(key); } catch { return null; }
    },
    storeValue(key, value) {
      try { localStorage.setItem(key, value); } catch (error) { console.log(error.message); }
    },
    clearStore() {
      try { localStorage.clear(); } catch (error) { console.log(error.message); }
    },

    openURL(url) { window.open(url, "_blank", "noopener"); },
    keepScreenOn(on) { keepOn = on; updateWakeLock(); },
    hideStatusBar() {
      // Fullscreen is only granted in answer to a touch, so the first one asks for it.
      addEventListener("pointerdown", () => {
        const root = document.documentElement;
        if (!document.fullscreenElement && root.requestFullscreen) {
          root.requestFullscreen({ navigationUI: "hide" }).catch(() => {});
        }
      }, { once: true });
    },
    viewportHeight() { return window.innerHeight; },
    // Phones are narrower than 600 CSS pixels whichever way they are held; tablets are wider.
    isPadViewport() { return Math.min(window.innerWidth, window.innerHeight) >= 600; },
    fetchAndForget(url, timeoutSeconds) {
      const abort = new AbortController();
      setTimeout(() => abort.abort(), timeoutSeconds * 1000);
      fetch(url, { cache: "no-store", mode: "no-cors", signal: abort.signal }).catch(() => {});
    },
    translation(table, key) {
      const entries = texts[table];
      return entries && Object.hasOwn(entries, key) ? entries[key] : null;
    },

    startMicrophone() {
      audio.micWanted = true;
      openMicrophone().catch((error) => console.log("No microphone: " + error.message));
    },
    stopMicrophone() {
      audio.micWanted = false;
      closeMicrophone();
    },
    playTone(frequency, wave) {
      toneNode().then((node) => node.port.postMessage({ playing: true, frequency, wave }));
    },
    stopTone() {
      if (audio.tone) audio.tone.port.postMessage({ playing: false });
    },

    showAlert(id, title, message, buttons, cancelIndex) {
      const dialog = document.createElement("dialog");
      dialog.className = "alert";
      dialog.id = "alert" + id;
      dialog.setAttribute("aria-labelledby", dialog.id + "-title");
      dialog.setAttribute("aria-describedby", dialog.id + "-message");
      const heading = document.createElement("h2");
      heading.id = dialog.id + "-title";
      heading.textContent = title;
      const text = document.createElement("p");
      text.id = dialog.id + "-message";
      text.textContent = message;
      const row = document.createElement("div");
      row.className = "buttons";
      buttons.forEach((label, index) => {
        const button = document.createElement("button");
        button.textContent = label;
        button.addEventListener("click", () => app._strumwise_alert_pressed(id, index));
        row.append(button);
      });
      dialog.append(heading, text, row);
      // Escape picks the cancel button, or nothing when there is none.
      dialog.addEventListener("cancel", (event) => {
        event.preventDefault();
        if (cancelIndex >= 0) app._strumwise_alert_pressed(id, cancelIndex);
      });
      document.body.append(dialog);
      dialog.showModal();
    },
    closeAlert(id) {
      const dialog = document.getElementById("alert" + id);
      if (dialog) {
        dialog.close();
        dialog.remove();
      }
    },
  };
})();
