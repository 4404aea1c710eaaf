"use strict";
// What the page says to those who do not see it: the document's language and headings in the
// browser's language, the lit string's picture in words, and the tuner's reading spoken through
// a polite live region, no more than once a second so that a screen reader can finish a phrase.

const StrumwiseAccessibility = (() => {
  const spanish = (navigator.languages && navigator.languages[0] || navigator.language || "en")
    .toLowerCase().startsWith("es");
  const tables = self.StrumwiseResources.translations[spanish ? "es" : "en"];
  const say = (key, ...values) => {
    const text = (tables.WebPage && tables.WebPage[key]) || key;
    return values.reduce((result, value, i) => result.replace("%" + (i + 1), value), text);
  };
  // The main screen's own texts (string ordinals, the meters' and the lamp's spoken names).
  const ordinal = (key) => (tables.MainScreen && tables.MainScreen[key]) || key;

  document.documentElement.lang = spanish ? "es" : "en";
  document.title = say("Strumwise — banjo tuner");
  document.getElementById("pageHeading").textContent = say("Strumwise, a banjo tuner");
  document.querySelector('meta[name="description"]').content = say("PageDescription");

  // The quietest gap between two announcements, in milliseconds.
  const announceEvery = 1000;
  const region = document.getElementById("announcer");
  let spoken = ""; // what the region says now
  let spokenAt = -Infinity;
  let wanted = ""; // what it should say next
  let timer = 0;

  function announce() {
    timer = 0;
    if (!wanted || wanted === spoken) return;
    region.textContent = wanted;
    spoken = wanted;
    spokenAt = performance.now();
  }

  return {
    // The text a picture stands for: the lit string's picture names its string; the lamp and
    // the chart repeat what the page says in words, so they are decoration.
    pictureText(image) {
      const lit = /^(1st|2nd|3rd|4th|5th)_string/.exec(image || "");
      return lit ? say("Banjo with its %1 string lit", ordinal(lit[1])) : "";
    },

    // What the lamp says for the screen's look: silence, measuring, inTune or stale.
    lampText(look) {
      const names = { silence: "Lamp: waiting for a string", measuring: "Lamp: not in tune",
        inTune: "Lamp: in tune", stale: "Lamp: no longer in tune" };
      return ordinal(names[look] ?? names.silence);
    },

    // The tuning meter's reading in words, with the way to turn the peg: turn 1 asks for a
    // higher pitch (the string is flat), -1 for a lower one.
    meterText(reading) {
      if (reading.idle) return ordinal("No sound to read");
      const cents = Math.abs(Math.round(reading.cents));
      const text = reading.turn === 0 ? "%1, in tune"
        : reading.turn === 1 ? "%1, %2 cents flat, tune up" : "%1, %2 cents sharp, tune down";
      const spoken = ordinal(text).replace("%1", reading.note).replace("%2", cents);
      return reading.locked ? ordinal("%1 (string locked)").replace("%1", spoken) : spoken;
    },

    // The trend of the meter's last seconds in words: { kind, note, cents }, kind 0 no reading,
    // 1 in tune, 2 settling (towards the note), 3 drifting (away from it), 4 steady off it, and
    // the signed whole cents, which say on which side.
    trendText(trend) {
      const side = trend.cents > 0 ? "sharp" : "flat";
      const texts = [null, "%1, in tune", `%1, settling %2 cents ${side}`,
        `%1, drifting ${side}, %2 cents`, `%1, steady %2 cents ${side}`];
      const text = texts[trend.kind];
      if (!text) return ordinal("No reading");
      return ordinal(text).replace("%1", trend.note).replace("%2", Math.abs(trend.cents));
    },

    // The label a locked string's reading carries on the meter, with the way to turn the peg.
    lockText(reading) {
      return ordinal(reading.turn === 0 ? "Locked: in tune"
        : reading.turn === 1 ? "Locked: tune up" : "Locked: tune down");
    },

    // The level bar's band: below the silence mark, between the marks, or loud enough to measure.
    levelText(band) {
      return ordinal("Level: %1").replace("%1", ordinal(band));
    },

    // A tuning meter reading: { idle, note, cents, turn }, turn 0 when the string is in tune.
    heard(reading) {
      if (reading.idle) {
        // A string plucked again after silence is news even when it reads the same.
        wanted = "";
        spoken = "";
        return;
      }
      const cents = Math.abs(Math.round(reading.cents));
      wanted = reading.turn === 0 ? say("%1 in tune", reading.note)
        : say(reading.cents > 0 ? "%1, %2 cents sharp" : "%1, %2 cents flat", reading.note, cents);
      if (!timer && wanted !== spoken) {
        timer = setTimeout(announce, Math.max(0, spokenAt + announceEvery - performance.now()));
      }
    },
  };
})();
