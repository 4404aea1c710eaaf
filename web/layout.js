"use strict";
// The tuner's screen in the page: the viewport the module chooses a layout by, the chosen layout
// installed in the browser's language, its tabs, and its controls, which a touch, a click or
// one of the desktop's keys presses and the module hears by their action names.
//
// Made once by the page's host (host.js); `app` answers the application's module.

const StrumwiseLayout = ({ app, layouts, texts, secure, notices }) => {
  const screen = document.getElementById("screen");
  let layout = null; // the root element of the installed layout

  // The installed layout's outlets by name, looked up once each: the tick writes them ten times
  // a second.
  let outlets = new Map();
  function outlet(name) {
    if (!layout) return null;
    if (!outlets.has(name)) outlets.set(name, layout.querySelector("#" + CSS.escape(name)));
    return outlets.get(name);
  }

  // Strings go to the module as NUL-terminated UTF-8 in its own memory.
  function withCString(text, use) {
    const bytes = new TextEncoder().encode(text + "\0");
    const pointer = app()._malloc(bytes.length);
    app().HEAPU8.set(bytes, pointer);
    try {
      use(pointer);
    } finally {
      app()._free(pointer);
    }
  }

  function translateLayout(root) {
    const translated = (key) => (texts.MainScreen && texts.MainScreen[key]) || key;
    for (const element of root.querySelectorAll("[data-tr]")) {
      element.textContent = translated(element.getAttribute("data-tr"));
    }
    for (const attribute of ["title", "aria-label", "aria-description"]) {
      for (const element of root.querySelectorAll(`[data-tr-${attribute}]`)) {
        element.setAttribute(attribute, translated(element.getAttribute(`data-tr-${attribute}`)));
      }
    }
  }

  function sendAction(action) {
    if (app()) withCString(action, (pointer) => app()._strumwise_action(pointer));
  }

  function onLayoutClick(event) {
    // A string's caption or note locks the tuner to that string, or unlocks it.
    const lock = event.target.closest("[data-lock-string]");
    if (lock) {
      sendAction(`lockString${lock.dataset.lockString}:`);
      return;
    }
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
    if (control && !secure && control.dataset.action.startsWith("play")) {
      notices.show("insecure");
      return;
    }
    if (control) sendAction(control.dataset.action);
  }

  // The desktop's shortcuts, which the buttons' tooltips name: each key presses the layout's own
  // button, so it does exactly what a touch does.
  const keyActions = {
    ArrowLeft: "showPreviousTuning:", ArrowRight: "showNextTuning:", " ": "stopFreqPlay:",
    Escape: "stopFreqPlay:", 1: "playD293_6Hz:", 2: "playB246_9Hz:", 3: "playG196Hz:",
    4: "playD146_8Hz:", 5: "playG392Hz:",
  };
  function onKey(event) {
    const typing = event.target.closest?.("input, select, textarea, #notice");
    if (!layout || typing || event.altKey || event.ctrlKey || event.metaKey ||
        document.querySelector("dialog[open]")) return;
    // Shift and a string's number lock it, whatever the keyboard's layout makes of Shift+3;
    // Enter on a focused note presses it, as on a button.
    const digit = /^Digit([1-5])$/.exec(event.code);
    if (event.shiftKey && digit) {
      event.preventDefault();
      sendAction(`lockString${digit[1]}:`);
      return;
    }
    const note = event.target.closest?.("[data-lock-string]");
    if (note && event.key === "Enter") {
      event.preventDefault();
      note.click();
      return;
    }
    const action = keyActions[event.key];
    if (!action) return;
    const control = layout.querySelector(`[data-action="${action}"]`);
    if (control) {
      event.preventDefault();
      control.click();
    }
  }
  document.addEventListener("keydown", onKey);

  return {
    outlet,
    hasLayout(name) { return Object.hasOwn(layouts, name); },
    install(name) {
      const root = document.createElement("div");
      root.id = name;
      root.className = "layoutRoot";
      root.innerHTML = layouts[name].html;
      translateLayout(root);
      root.addEventListener("click", onLayoutClick);
      screen.replaceChildren(root);
      layout = root;
      outlets = new Map();
      if (!secure) {
        for (const fork of root.querySelectorAll('[data-action^="play"]')) fork.setAttribute("aria-disabled", "true");
      }
      // Each string's note is a control the keyboard reaches; its caption is the same touch.
      for (const label of root.querySelectorAll("[data-lock-string]")) {
        if (label.dataset.role === "caption") {
          label.dataset.ownText = label.textContent;
        } else {
          label.tabIndex = 0;
          label.setAttribute("role", "button");
          label.setAttribute("aria-pressed", "false");
        }
      }
    },
    // Marks string `string` as the one the tuner is locked to (0: none): its caption reads
    // "Locked", and both its labels carry the "locked" mark the style sheet shows.
    showLockedString(string) {
      if (!layout) return;
      for (const label of layout.querySelectorAll("[data-lock-string]")) {
        const locked = Number(label.dataset.lockString) === string;
        if (locked) label.setAttribute("locked", "true");
        else label.removeAttribute("locked");
        if (label.dataset.role === "caption") {
          label.textContent = locked ? (texts.MainScreen?.Locked ?? "Locked") : label.dataset.ownText;
        } else {
          label.setAttribute("aria-pressed", String(locked));
          const hint = locked ? "Locked: every note is read against this string. Press to find strings by ear again."
            : "Press to read every note against this string (Shift+%1)";
          label.title = (texts.MainScreen?.[hint] ?? hint).replace("%1", label.dataset.lockString);
        }
      }
    },
    viewportHeight() { return window.innerHeight; },
    // Phones are narrower than 600 CSS pixels whichever way they are held; tablets are wider.
    isPadViewport() { return Math.min(window.innerWidth, window.innerHeight) >= 600; },
  };
};
