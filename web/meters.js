"use strict";
// The tuning and level meters, on the same scales as the desktop's, drawn with elements inside
// the layout's meter outlets.
//
// Made once by the page's host (host.js), which hands each reading to its meter's outlet.

const StrumwiseMeters = () => {
  const needleRange = 50; // cents either side of the middle
  const levelFloorDb = -66; // the level meter's left end

  function built(element, markup) {
    if (!element.firstChild) element.innerHTML = markup;
    return (selector) => element.querySelector(selector);
  }

  // Whether a meter's reading differs from the one it shows; remembered per element, so a newly
  // installed layout draws its meters afresh.
  const shownReadings = new WeakMap();
  function changed(element, reading) {
    if (shownReadings.get(element) === reading) return false;
    shownReadings.set(element, reading);
    return true;
  }

  // A style, class or text written only when it differs from what the element shows: the meter
  // is drawn ten times a second, and an unchanged write still costs the page a style pass.
  function setStyle(element, property, value) {
    if (element.style[property] !== value) element.style[property] = value;
  }
  function setTextOf(element, text) {
    if (element.textContent !== text) element.textContent = text;
  }

  function drawTuningMeter(element, reading) {
    const part = built(element, '<div class="meterText"><span class="meterNote"></span>' +
      '<span class="meterOffset"></span></div><div class="meterRow"><span class="meterArrow up">\u25b6</span>' +
      '<div class="meterScale"><div class="meterZone"></div><div class="meterNeedle"></div>' +
      '<span class="meterLock" hidden></span></div>' +
      '<span class="meterArrow down">\u25c0</span></div>');
    const at = (cents) => ((Math.max(-needleRange, Math.min(needleRange, cents)) + needleRange) / (2 * needleRange)) * 100;
    const shownCents = reading.idle ? "" : reading.cents.toFixed(1);
    if (element.dataset.cents !== shownCents) element.dataset.cents = shownCents;
    setStyle(part(".meterZone"), "left", at(reading.zoneLow) + "%");
    setStyle(part(".meterZone"), "width", at(reading.zoneHigh) - at(reading.zoneLow) + "%");
    const needle = part(".meterNeedle");
    if (needle.hidden !== reading.idle) needle.hidden = reading.idle;
    // Moved, not placed: a transform needs no layout of the page around it.
    setStyle(needle, "transform", `translateX(${at(reading.needle)}%)`);
    needle.classList.toggle("inTune", reading.turn === 0);
    part(".meterArrow.up").classList.toggle("active", !reading.idle && reading.turn === 1);
    part(".meterArrow.down").classList.toggle("active", !reading.idle && reading.turn === -1);
    const cents = Math.round(reading.cents);
    // The string's number in a circle, as the tuning chart numbers them, then its note.
    // String 0: a note that is no string of the tuning, shown without a number and dimmed.
    setTextOf(part(".meterNote"), reading.idle ? "" : (reading.string > 0 ? String.fromCodePoint(0x2460 + reading.string - 1) + " " : "") + reading.note);
    part(".meterNote").classList.toggle("offTuning", !reading.idle && reading.string === 0);
    part(".meterNote").classList.toggle("inTune", reading.turn === 0);
    setTextOf(part(".meterOffset"), reading.idle ? "\u2014 \u00a2" : (cents > 0 ? "+" : "") + cents + " \u00a2");
    // Locked to one string, a note far off it pins the needle at an end: a label over the middle
    // of the scale says the string is locked and which way to turn its peg.
    const lock = part(".meterLock");
    const locked = !reading.idle && Boolean(reading.locked);
    if (lock.hidden !== !locked) lock.hidden = !locked;
    if (locked) setTextOf(lock, StrumwiseAccessibility.lockText(reading));
    setLabel(element, StrumwiseAccessibility.meterText(reading));
  }

  // A meter's spoken name, which says its reading; written only when it changes.
  function setLabel(element, label) {
    if (element.getAttribute("aria-label") !== label) element.setAttribute("aria-label", label);
  }

  function showLevelMeter(element, reading) {
    const part = built(element, '<div class="levelFill"></div><div class="levelMark"></div><div class="levelMark"></div>');
    const fraction = (power) => (power > 0 ? Math.max(0, Math.min(1, (20 * Math.log10(power) - levelFloorDb) / -levelFloorDb)) : 0);
    const fill = part(".levelFill");
    // The bar is drawn to a tenth of a percent; finer changes would not show, and the quiet
    // room's noise would otherwise rewrite it every tick.
    // A full-width bar slid left, rather than resized, needs no layout.
    const shift = `translateX(${Math.round(fraction(reading.power) * 1000) / 10 - 100}%)`;
    setStyle(fill, "transform", shift);
    const [kind, band] = reading.power < reading.silenceBelow ? ["quiet", "silent"]
      : reading.power <= reading.measureAbove ? ["faint", "quiet"] : ["heard", "measuring"];
    if (fill.className !== "levelFill " + kind) fill.className = "levelFill " + kind;
    setLabel(element, StrumwiseAccessibility.levelText(band));
    const marks = element.querySelectorAll(".levelMark");
    [reading.silenceBelow, reading.measureAbove].forEach((threshold, i) => {
      if (marks[i].hidden !== !(threshold > 0)) marks[i].hidden = !(threshold > 0);
      const left = fraction(threshold) * 100 + "%";
      if (marks[i].style.left !== left) marks[i].style.left = left;
    });
  }

  return {
    // A reading: { idle, string, note, cents, needle, turn, zoneLow, zoneHigh, locked }.
    showTuningMeter(element, reading) {
      if (changed(element, JSON.stringify(reading))) drawTuningMeter(element, reading);
    },
    // A reading: { power, silenceBelow, measureAbove }.
    showLevelMeter,
  };
};
