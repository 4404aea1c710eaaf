"use strict";
// The picture of the meter's last seconds, on the layout's canvas under the meter: cents up
// (sharp at the top, on the meter's scale of 50 cents each way), time across (the newest reading
// at the right edge), the in-tune window of the string read last as a green band, and each
// string's readings as a line in its own colour, broken where nothing was read. Its aria-label
// says the trend in words, as the module decides it (no more than once a second).
//
// Made once by the page's host (host.js). The module hands it the samples ten times a second
// while there is something to draw, and it draws them at the screen's next refresh, once: sliding
// the picture on between two ticks as well would cost the main thread three times what the whole
// tuner costs it while listening. It draws nothing while the page is hidden.

const StrumwiseHistory = () => {
  const range = 50; // cents either side of the note
  const seconds = 6; // how far back the picture reaches
  const joinSeconds = 0.25; // two readings further apart are not joined
  // Yellow, amber, sky blue, vermilion and blue for strings 1 to 5: they differ in lightness as
  // well as in hue, so colour-blind players tell them apart too, and none is the band's green.
  const colours = ["#f0e442", "#ffb000", "#56b4e9", "#d55e00", "#0072b2"];
  const mostSamples = 128;

  // One state per canvas, so that a newly installed layout's canvas starts empty.
  const states = new WeakMap();
  function stateOf(canvas) {
    let state = states.get(canvas);
    if (!state) {
      state = { samples: new Float64Array(mostSamples * 5), count: 0, now: 0, frame: 0 };
      states.set(canvas, state);
    }
    return state;
  }

  function draw(canvas, state) {
    // The canvas's pixels follow its size on the page and the screen's density.
    const ratio = window.devicePixelRatio || 1;
    const width = Math.round(canvas.clientWidth * ratio);
    const height = Math.round(canvas.clientHeight * ratio);
    if (width === 0 || height === 0) return;
    if (canvas.width !== width) canvas.width = width;
    if (canvas.height !== height) canvas.height = height;
    const context = canvas.getContext("2d");
    context.clearRect(0, 0, width, height);
    const inset = 3 * ratio;
    const plotWidth = width - 2 * inset;
    const plotHeight = height - 2 * inset;
    const now = state.now;
    const xOf = (time) => inset + plotWidth - ((now - time) / seconds) * plotWidth;
    const yOf = (cents) => inset + plotHeight / 2 - (Math.max(-range, Math.min(range, cents)) / range) * (plotHeight / 2);
    const s = state.samples;

    // The window of the string read last.
    for (let i = state.count - 1; i >= 0; --i) {
      if (s[i * 5 + 1] !== 0) {
        context.fillStyle = "rgba(61, 220, 132, 0.28)";
        const top = yOf(s[i * 5 + 4]);
        context.fillRect(inset, top, plotWidth, yOf(s[i * 5 + 3]) - top);
        break;
      }
    }
    // The note itself, and a faint line every 25 cents.
    context.lineWidth = ratio;
    context.setLineDash([4 * ratio, 4 * ratio]);
    for (const cents of [-25, 0, 25]) {
      context.strokeStyle = cents === 0 ? "#a8987e" : "#4d3d2a";
      context.beginPath();
      context.moveTo(inset, yOf(cents));
      context.lineTo(inset + plotWidth, yOf(cents));
      context.stroke();
    }
    context.setLineDash([]);

    // The readings: a line for each run of one string, a dot for a reading alone.
    const line = Math.max(2.5 * ratio, plotHeight / 16);
    context.lineWidth = line;
    context.lineCap = "round";
    context.save();
    context.beginPath();
    context.rect(inset, inset, plotWidth, plotHeight);
    context.clip();
    for (let i = 0; i < state.count; ++i) {
      const string = s[i * 5 + 1];
      if (string === 0) continue;
      const colour = colours[string - 1] || "#a8987e";
      const joined = (j) => j >= 0 && j < state.count && s[j * 5 + 1] === string && Math.abs(s[j * 5] - s[i * 5]) <= joinSeconds;
      if (joined(i - 1)) {
        context.strokeStyle = colour;
        context.beginPath();
        context.moveTo(xOf(s[(i - 1) * 5]), yOf(s[(i - 1) * 5 + 2]));
        context.lineTo(xOf(s[i * 5]), yOf(s[i * 5 + 2]));
        context.stroke();
      } else if (!joined(i + 1)) {
        context.fillStyle = colour;
        context.beginPath();
        context.arc(xOf(s[i * 5]), yOf(s[i * 5 + 2]), line, 0, 2 * Math.PI);
        context.fill();
      }
    }
    context.restore();
  }

  // Drawn at the screen's next refresh after new samples, if the page is seen then.
  function frame(canvas, state) {
    state.frame = 0;
    if (document.visibilityState === "visible" && canvas.isConnected) draw(canvas, state);
  }

  return {
    colours,
    // `samples`: five numbers a sample (seconds, string, cents, window low, window high), oldest
    // first, the newest taken at `now`; copied, as the module's memory may move.
    show(canvas, samples, now) {
      const state = stateOf(canvas);
      const count = Math.min(mostSamples, Math.floor(samples.length / 5));
      state.samples.set(samples.subarray(samples.length - count * 5));
      state.count = count;
      state.now = now;
      if (!state.frame && document.visibilityState === "visible") {
        state.frame = requestAnimationFrame(() => frame(canvas, state));
      }
    },
    // `trend`: { kind, note, cents } (see StrumwiseAccessibility.trendText).
    describe(canvas, trend) {
      const label = StrumwiseAccessibility.trendText(trend);
      if (canvas.getAttribute("aria-label") !== label) canvas.setAttribute("aria-label", label);
    },
  };
};
