"use strict";
// What the tuner writes onto the installed layout, by outlet name: texts, pictures, the screen's
// look, what is hidden, the two meters' readings and the picture of the meter's last seconds. The tick writes every outlet ten times a
// second, so each write is skipped when the outlet already shows it.
//
// Made once by the page's host (host.js); `outlet` finds an outlet of the installed layout;
// `chart` draws the charts the build drew no picture for.

const StrumwiseOutlets = ({ outlet, meters, history, asset, chart }) => {
  const screen = document.getElementById("screen");
  // The lamp's two outlets, whose spoken name says the screen's look rather than the picture.
  const lamps = ["LEDDisplay", "LEDDisplay128"];

  // The class the site's assembler gives each kind of outlet, after the .ui file's widget.
  const outletKinds = { label: "QLabel", image: "ImageView", button: "QPushButton",
    tuningMeter: "TuningMeter", levelMeter: "LevelMeter", readingHistory: "ReadingHistory" };

  const pendingTexts = new Map();
  function writeTexts() {
    for (const [name, text] of pendingTexts) {
      const element = outlet(name);
      if (element && element.textContent !== text) element.textContent = text;
    }
    pendingTexts.clear();
  }

  return {
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
      const source = !image ? null : chart.isDrawn(image) ? chart.source(image) : asset("images/" + image);
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
    showReadingHistory(name, samples, now) {
      const element = outlet(name);
      if (element) history.show(element, samples, now);
    },
    describeReadingHistory(name, trend) {
      const element = outlet(name);
      if (element) history.describe(element, trend);
    },
    hasOutlet(name, kind) {
      const element = outlet(name);
      return element !== null && element.classList.contains(outletKinds[kind]);
    },
  };
};
