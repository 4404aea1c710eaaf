// Measures the web edition as a phone meets it: how much the first visit downloads, how long
// from navigation to the first paint and to the tuner's first tick, how long a player waits from
// the tap that starts the tuner to the first reading of a plucked string, and how much of the
// main thread the tuner costs while listening and while its tab is hidden.
// Run after scripts/build_web.sh and `npm ci` in tests/web:
//   node bench/web_site_bench.mjs [runs]
import { readdirSync, readFileSync, statSync } from "node:fs";
import { cpus, loadavg } from "node:os";
import { extname, join } from "node:path";
import { gzipSync } from "node:zlib";
import { firstVisit, launch, openTuner, plucks, projectServer, read, serveSite, silence, site, transferredBytes, until } from "../tests/web/browser.mjs";

const runs = Number(process.argv[2] ?? 5);

function filesUnder(folder) {
  return readdirSync(folder).flatMap((name) => {
    const path = join(folder, name);
    return statSync(path).isDirectory() ? filesUnder(path) : [path];
  });
}

function kindOf(path) {
  const extension = extname(path);
  if (extension === ".wasm") return "wasm";
  if (extension === ".png") return "images";
  if (extension === ".js" || extension === ".mjs") return "javascript";
  return "html, css, manifest";
}

function siteSize() {
  const kinds = new Map();
  for (const path of filesUnder(site)) {
    const contents = readFileSync(path);
    const kind = kinds.get(kindOf(path)) ?? { raw: 0, gzip: 0 };
    kind.raw += contents.length;
    kind.gzip += gzipSync(contents, { level: 9 }).length;
    kinds.set(kindOf(path), kind);
  }
  const total = [...kinds.values()].reduce((sum, kind) => ({ raw: sum.raw + kind.raw, gzip: sum.gzip + kind.gzip }),
    { raw: 0, gzip: 0 });
  return { kinds, total };
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// The level meter is written by every tick and by nothing else, so its first change is the
// first tick; the time is counted from the start of navigation.
async function firstPaintAndTick(server) {
  const browser = await launch(silence());
  try {
    const page = await browser.newPage();
    await page.evaluateOnNewDocument(() => {
      new MutationObserver((mutations, observer) => {
        if (mutations.some((m) => m.target.closest?.("#levelMeter") || m.target.id === "levelMeter")) {
          window.firstTickAt = performance.now();
          observer.disconnect();
        }
      }).observe(document, { subtree: true, childList: true, attributes: true, characterData: true });
    });
    await page.setViewport({ width: 390, height: 844 });
    await page.goto(server.url, { waitUntil: "load" });
    await page.waitForFunction(() => window.firstTickAt !== undefined, { timeout: 10000 });
    return await page.evaluate(() => [performance.getEntriesByName("first-paint")[0].startTime, window.firstTickAt]);
  } finally {
    await browser.close();
  }
}

// Where a finger taps to start the tuner: the tuning's name, which presses nothing. Read without
// a gesture of the bench's own, which would start the audio before the finger does.
const tuningNameCentre = `(() => {
  const box = document.getElementById("currentTuningName").getBoundingClientRect();
  return { x: box.left + box.width / 2, y: box.top + box.height / 2 };
})()`;

// What a player waits for: from the tap that starts the tuner, on a phone's tab already open, to
// the first reading of a plucked G3 (the note on the screen), and the part of it after the
// microphone's first sound. The microphone is a file of G3 plucks that starts with the pluck as
// the capture opens, as a player plucks once the tuner listens.
async function tapToFirstG3(server) {
  const browser = await launch(plucks(196));
  try {
    const page = await browser.newPage();
    await page.evaluateOnNewDocument(() => {
      addEventListener("pointerdown", () => { window.tappedAt ??= performance.now(); }, { capture: true });
      // The first block of sound the capture worklet hands over: the part of the wait before it
      // is the browser's and the microphone's, the part after it the tuner's.
      const Node = AudioWorkletNode;
      window.AudioWorkletNode = function (context, name, options) {
        const node = new Node(context, name, options);
        if (name === "strumwise-capture") {
          node.port.addEventListener("message", () => { window.soundAt ??= performance.now(); });
        }
        return node;
      };
      window.AudioWorkletNode.prototype = Node.prototype;
      new MutationObserver(() => {
        if (window.tappedAt !== undefined && window.heardAt === undefined &&
            document.getElementById("noteDisplay")?.textContent === "G3") window.heardAt = performance.now();
      }).observe(document, { subtree: true, childList: true, characterData: true });
    });
    const viewport = { width: 390, height: 844, isMobile: true, hasTouch: true };
    await page.setViewport(viewport);
    await page.goto(server.url, { waitUntil: "load" });
    await until(() => read(page, '!document.getElementById("startOverlay").hidden'), true);
    // The page settles first: a player reads the screen before tapping it.
    await new Promise((resolve) => setTimeout(resolve, 1000));
    const name = await read(page, tuningNameCentre);
    await page.touchscreen.tap(name.x, name.y);
    await until(() => read(page, "window.heardAt !== undefined"), true, 20);
    return await read(page, "({ wait: heardAt - tappedAt, tuner: heardAt - soundAt })");
  } finally {
    await browser.close();
  }
}

// Main-thread busy time per second of wall time while plucked strings come in, with the page
// in front and then with another tab in front of it. The page is a phone's, started by a touch,
// so no mouse pointer hovers over the changing screen.
async function mainThreadLoad(server, seconds = 10) {
  const browser = await launch(plucks(196, 293.66, 246.94));
  try {
    const viewport = { width: 390, height: 844, isMobile: true, hasTouch: true };
    const page = await openTuner(browser, server.url, viewport, { start: false });
    await until(() => read(page, '!document.getElementById("startOverlay").hidden'), true);
    const name = await read(page, tuningNameCentre);
    await page.touchscreen.tap(name.x, name.y);
    await until(() => read(page, "StrumwiseHost.audio.context?.state"), "running");
    const session = await page.createCDPSession();
    await session.send("Performance.enable");
    const busy = async () => (await session.send("Performance.getMetrics")).metrics
      .find((metric) => metric.name === "TaskDuration").value;
    const measure = async () => {
      await new Promise((resolve) => setTimeout(resolve, 2000));
      const [start, startedAt] = [await busy(), Date.now()];
      await new Promise((resolve) => setTimeout(resolve, seconds * 1000));
      return (await busy() - start) / ((Date.now() - startedAt) / 1000);
    };
    const listening = await measure();
    await (await browser.newPage()).bringToFront();
    const hidden = await measure();
    return { listening, hidden };
  } finally {
    await browser.close();
  }
}

// Bytes over the network of a phone's first visit to the site as scripts/web.sh serves it
// (compressed), the service worker's own downloads included, once the tuner listens.
async function firstVisitBytes() {
  const { url, stop } = await projectServer();
  try {
    const browser = await launch(silence());
    try {
      // Once the worker holds every picture of the layout.
      const { page, worker } = await firstVisit(browser, url);
      return { page: await read(page, transferredBytes), worker: await worker.evaluate(transferredBytes) };
    } finally {
      await browser.close();
    }
  } finally {
    stop();
  }
}

const { kinds, total } = siteSize();
const kilobytes = (bytes) => (bytes / 1024).toFixed(0).padStart(6) + " KB";
console.log("site size            raw        gzip");
for (const [kind, size] of [...kinds].sort()) {
  console.log(`  ${kind.padEnd(18)} ${kilobytes(size.raw)}  ${kilobytes(size.gzip)}`);
}
console.log(`  ${"total".padEnd(18)} ${kilobytes(total.raw)}  ${kilobytes(total.gzip)}`);

const visit = await firstVisitBytes();
console.log(`a phone's first visit (390 x 844): ${kilobytes(visit.page + visit.worker).trim()} transferred ` +
  `(page ${kilobytes(visit.page).trim()}, service worker ${kilobytes(visit.worker).trim()})`);

const server = await serveSite();
try {
  const paints = [];
  const ticks = [];
  for (let run = 0; run < runs; ++run) {
    const [paint, tick] = await firstPaintAndTick(server);
    paints.push(paint);
    ticks.push(tick);
  }
  const list = (values) => values.map((value) => value.toFixed(0)).join(", ");
  console.log(`navigation to first paint: median ${median(paints).toFixed(0)} ms over ${runs} runs (${list(paints)})`);
  console.log(`navigation to first tick: median ${median(ticks).toFixed(0)} ms over ${runs} runs (${list(ticks)})`);
  const waits = [];
  for (let run = 0; run < runs; ++run) waits.push(await tapToFirstG3(server));
  const [wait, tuner] = ["wait", "tuner"].map((part) => waits.map((measured) => measured[part]));
  console.log(`tap to the first reading of a G3: median ${median(wait).toFixed(0)} ms over ${runs} runs (${list(wait)}), ` +
    `of which from the microphone's first sound: median ${median(tuner).toFixed(0)} ms (${list(tuner)})`);
  const load = await mainThreadLoad(server);
  console.log(`main thread while listening: ${(load.listening * 100).toFixed(1)} % of one core`);
  console.log(`main thread while hidden: ${(load.hidden * 100).toFixed(1)} % of one core`);
  console.log(`load average: ${loadavg().map((value) => value.toFixed(2)).join(" ")} on ${cpus().length} cores`);
} finally {
  await server.close();
}
