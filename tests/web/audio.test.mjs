// The web edition's audio as a visitor meets it in Chromium with its default settings: the tap
// that starts listening, a refused microphone, the tone's pitch at any device rate, the order of
// fork and Stop, the page's storage, and what a hidden or quiet page costs.
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { existsSync } from "node:fs";
import { test } from "node:test";
import { pause, plucks, read, servedForTests, silence, site, siteFile, tapToStart, text, until, withBrowser } from "./browser.mjs";

const server = servedForTests();

test("until the first tap the tuner asks for one and hears nothing; a first tap on a fork starts listening and plays its tone", async () => {
  await withBrowser(plucks(196), async (browser) => {
    const page = await browser.newPage();
    // When the audio context was made; and it runs at 48 kHz, as a phone's does (Chromium here
    // runs its contexts at 44.1 kHz, as the other tests hear them).
    await page.evaluateOnNewDocument(() => {
      const Made = AudioContext;
      window.AudioContext = function (options = {}) {
        window.contextMadeAt = performance.now();
        return new Made({ ...options, sampleRate: 48000 });
      };
    });
    // A phone's browser tab, which a finger touches.
    await page.setViewport({ width: 390, height: 844, isMobile: true, hasTouch: true });
    await page.goto(server.url, { waitUntil: "load" });
    await until(() => read(page, '!document.getElementById("startOverlay").hidden'), true);
    assert.equal(await text(page, "startOverlay"), "Tap to start listening");
    // Two of the looping file's plucks go by unheard; no audio context is made before the tap,
    // which would only stall the page, and nothing claims the microphone is missing before it
    // was asked for.
    await pause(3);
    assert.deepEqual(await read(page, `[window.contextMadeAt ?? null, document.getElementById("noteDisplay").textContent,
      document.getElementById("audioStatusLabel").textContent]`), [null, "", ""]);
    // The G3 fork, through the overlay that asks for the tap; found without a gesture of the
    // test's own, which would start the audio before the finger does.
    const fork = await read(page, `(({ left, top, width, height }) => [left + width / 2, top + height / 2])(
      document.getElementById("thirdFreqButton").getBoundingClientRect())`);
    await page.touchscreen.tap(...fork);
    await until(() => read(page, 'document.getElementById("startOverlay").hidden && StrumwiseHost.audio.context.state'), "running");
    const { hertz, rate } = await heardTone(page);
    assert.ok(Math.abs(hertz - 196) < 1 && rate === 48000, `the fork plays ${hertz} Hz at ${rate} Hz`);
    await until(() => text(page, "noteDisplay"), "G3");
    // The tap meant "listen", not "take over the screen".
    assert.equal(await read(page, "document.fullscreenElement"), null);
  });
});

server.test("a refused microphone says how to allow it, and a permission granted later opens it", plucks(196), async (page, browser) => {
  await tapToStart(page);
  const notice = () => read(page, `document.getElementById("notice").hidden ? null
    : [document.querySelector("#notice p").textContent, document.querySelector("#notice button")?.textContent]`);
  await until(async () => (await notice())?.[1], "Reintentar");
  const [message] = await notice();
  assert.match(message, /configuración del sitio/);
  // The screen says so from its next tick on, in the browser's language.
  await until(() => text(page, "audioStatusLabel"), "Sin micrófono");
  // Trying again while it is still refused says the same again.
  await page.click("#notice button");
  await until(async () => (await notice())?.[0], message);

  // Allowed in the site settings: the browser reports the change, and the page opens the
  // microphone with no further tap.
  await browser.defaultBrowserContext().overridePermissions(new URL(server.url).origin, ["microphone"]);
  await until(notice, null);
  await until(() => text(page, "noteDisplay"), "G3");
}, { start: false, language: "es-ES", refuse: true });

// The tone worklet in an offline context at `rate`, playing `hertz` with the triangle blend for
// one second: answers the left channel as 16-bit samples.
const renderTone = (rate, hertz) => `(async () => {
  const context = new OfflineAudioContext(2, ${rate}, ${rate});
  await context.audioWorklet.addModule(StrumwiseHost.asset("tone-worklet.js"));
  const module = await (await fetch(StrumwiseHost.asset("tone.wasm"))).arrayBuffer();
  new AudioWorkletNode(context, "strumwise-tone", { numberOfInputs: 0, outputChannelCount: [2],
    processorOptions: { module, tone: { playing: true, frequency: ${hertz}, wave: 1 } } }).connect(context.destination);
  return Array.from((await context.startRendering()).getChannelData(0), (sample) => Math.round(sample * 32768));
})()`;

// The rising zero crossings, each placed to a fraction of a sample.
const risingCrossings = (samples) => samples.flatMap((sample, i) =>
  (i > 0 && samples[i - 1] < 0 && sample >= 0 ? [i - 1 + samples[i - 1] / (samples[i - 1] - sample)] : []));

server.test("the reference tone plays at its pitch whatever rate the device runs at, capture reaches the page in large blocks, and a quiet tuner leaves the page alone", silence(), async (page) => {
  // The worklet hands the module the context's rate; the pitch of each string at a rate is the
  // tone generator's own rule (tests/tones).
  for (const [rate, hertz] of [[44100, 392], [48000, 146.83], [96000, 392]]) {
    // Cycles per second over the whole of the rendering.
    const crossings = risingCrossings(await read(page, renderTone(rate, hertz)));
    const measured = (rate * (crossings.length - 1)) / (crossings.at(-1) - crossings[0]);
    assert.ok(Math.abs(measured - hertz) < 0.05, `${hertz} Hz at ${rate} Hz plays ${measured} Hz`);
  }
  // At 44.1 kHz the worklet plays the very samples of the command-line tone.
  const native = ["dev", "release"].map((preset) => `${site}/../../${preset}/src/app/strumwise`).find(existsSync);
  if (native) {
    const file = execFileSync(native, ["tone", "--tuning", "1", "--string", "5", "--seconds", "1", "-o", "-"]);
    const frames = new Int16Array(file.buffer.slice(file.byteOffset + file.indexOf("data") + 8));
    const left = Array.from({ length: 44100 }, (_, i) => frames[2 * i]);
    assert.deepEqual(await read(page, renderTone(44100, 392)), left);
  }

  // Listening, capture reaches the page in large blocks.
  await tapToStart(page);
  await until(() => read(page, "StrumwiseHost.audio.mic !== null"), true);
  const sizes = await read(page, `new Promise((resolve) => {
    const sizes = [];
    const port = StrumwiseHost.audio.mic.node.port;
    const handle = port.onmessage;
    port.onmessage = (event) => { sizes.push(event.data.length); handle(event); };
    setTimeout(() => resolve(sizes), 2000);
  })`);
  assert.ok(sizes.length > 0 && sizes.length <= 100 && sizes.every((size) => size >= 1024), `${sizes.length} blocks in 2 s: ${sizes}`);
  // Silence: after the first readings nothing on the screen changes, so nothing is written.
  await pause(1);
  const writes = await read(page, `new Promise((resolve) => {
    let writes = 0;
    new MutationObserver((records) => { writes += records.length; })
      .observe(document.getElementById("screen"), { subtree: true, childList: true, attributes: true, characterData: true });
    setTimeout(() => resolve(writes), 2000);
  })`);
  assert.equal(writes, 0);
}, { start: false });

// The page's tone node's last 32768 frames, once the audio thread has rendered that many.
const toneOutput = `(async () => {
  const node = StrumwiseHost.audio.tone;
  const analyser = new AnalyserNode(node.context, { fftSize: 32768 });
  node.connect(analyser);
  await new Promise((resolve) => setTimeout(resolve, 1000));
  const samples = new Float32Array(analyser.fftSize);
  analyser.getFloatTimeDomainData(samples);
  node.disconnect(analyser);
  return { rate: node.context.sampleRate, samples: Array.from(samples) };
})()`;
const peak = ({ samples }) => samples.reduce((most, sample) => Math.max(most, Math.abs(sample)), 0);

// The page's tone once it sounds: its rate, and the cycles per second of its median period, where
// a render quantum the audio thread of a loaded machine dropped spoils a period or two, not the
// reading.
async function heardTone(page) {
  let output;
  await until(async () => peak(output = await read(page, toneOutput)) > 0.5, true, 30);
  const crossings = risingCrossings(output.samples);
  const periods = crossings.slice(1).map((at, i) => at - crossings[i]).sort((a, b) => a - b);
  return { hertz: output.rate / periods[periods.length >> 1], rate: output.rate };
}

test("a Stop pressed while the audio graph still loads silences the fork pressed before it, and the next fork sounds at its pitch", async () => {
  await withBrowser(silence(), async (browser) => {
    const page = await browser.newPage();
    let held = null;
    // The module must come over the network, where the test holds it back: a service worker
    // that took control meanwhile would answer it from its cache, out of the test's reach.
    await page.setBypassServiceWorker(true);
    await page.setRequestInterception(true);
    page.on("request", (request) => {
      if (request.url().endsWith("/" + siteFile("tone.wasm")) && !held) held = request;
      else request.continue();
    });
    await page.goto(server.url, { waitUntil: "load" });
    await until(() => read(page, 'document.querySelector(".layoutRoot #MainScreen") !== null'), true);
    // The G4 fork from the keyboard, whose press starts loading the audio graph, then Stop
    // before the tone's module has arrived.
    await page.keyboard.press("5");
    await until(async () => held !== null, true);
    await page.keyboard.press(" ");
    assert.equal(await read(page, "StrumwiseHost.audio.tone"), null);
    held.continue();
    await until(() => read(page, "StrumwiseHost.audio.tone !== null"), true);
    assert.equal(peak(await read(page, toneOutput)), 0);
    // The same check hears the G4 fork pressed afterwards, once its message has reached the
    // worklet, at 392 Hz.
    await page.keyboard.press("5");
    const { hertz } = await heardTone(page);
    assert.ok(Math.abs(hertz - 392) < 1, `measured ${hertz} Hz`);
    assert.equal(await text(page, "tfnoteDisplay"), "G4");
    await page.keyboard.press("Escape");
  });
});

test("the store erases and moves only Strumwise's own keys, and keeps another site's", async () => {
  await withBrowser(silence(), async (browser) => {
    const page = await browser.newPage();
    // Another page on the same origin stores its keys first, and an old Strumwise key is there.
    await page.goto(server.url + "manifest.webmanifest", { waitUntil: "load" });
    await read(page, 'localStorage.setItem("session", "kept"); localStorage.setItem("strumwise:leftOver", "99")');
    await page.goto(server.url, { waitUntil: "load" });
    await until(() => read(page, 'localStorage.getItem("strumwise:numberOfRuns")'), "1");
    assert.deepEqual(await read(page, '["session", "strumwise:leftOver"].map((key) => localStorage.getItem(key))'), ["kept", null]);

    // A player of the first web release, whose keys had no prefix, keeps their history: the keys
    // move under the prefix once, and a key of the same name stored later by another site stays.
    await page.goto(server.url + "manifest.webmanifest", { waitUntil: "load" });
    await read(page, `localStorage.clear(); localStorage.setItem("Plinmoor", "true");
      localStorage.setItem("numberOfRuns", "4"); localStorage.setItem("kRatingPromptDeclinedToRate", "true")`);
    await page.goto(server.url, { waitUntil: "load" });
    await until(() => read(page, 'localStorage.getItem("strumwise:numberOfRuns")'), "5");
    assert.deepEqual(await read(page, `["Plinmoor", "kRatingPromptDeclinedToRate", "numberOfRuns"].map((key) =>
      [localStorage.getItem(key), localStorage.getItem("strumwise:" + key)])`), [[null, "true"], [null, "true"], [null, "5"]]);
    await read(page, 'localStorage.setItem("numberOfRuns", "40")');
    await page.reload({ waitUntil: "load" });
    await until(() => read(page, 'localStorage.getItem("strumwise:numberOfRuns")'), "6");
    assert.equal(await read(page, 'localStorage.getItem("numberOfRuns")'), "40");
  });
});

server.test("a hidden page lets go of the microphone and the audio device, and takes them back on return", plucks(196), async (page, browser) => {
  await until(() => text(page, "noteDisplay"), "G3");
  await read(page, "window.firstStream = StrumwiseHost.audio.mic.stream, true");
  const other = await browser.newPage();
  await other.bringToFront();
  await until(() => read(page, "document.visibilityState"), "hidden");
  await until(() => read(page, `[StrumwiseHost.audio.mic, StrumwiseHost.audio.context.state,
    firstStream.getAudioTracks()[0].readyState]`), [null, "suspended", "ended"]);
  await page.bringToFront();
  await until(() => read(page, "[StrumwiseHost.audio.mic !== null, StrumwiseHost.audio.context.state]"), [true, "running"]);
  await read(page, 'document.getElementById("noteDisplay").textContent = "", true');
  await until(() => text(page, "noteDisplay"), "G3");
});
