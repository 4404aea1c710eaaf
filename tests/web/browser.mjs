// What the browser tests share: the built site served from a local port, Debian's Chromium with a
// sound file as its microphone, and plucked strings made with sox.
import assert from "node:assert/strict";
import { execFileSync, spawn } from "node:child_process";
import { mkdtempSync, readFileSync, readdirSync, existsSync, rmSync, writeFileSync } from "node:fs";
import { createServer } from "node:http";
import { tmpdir } from "node:os";
import { basename, dirname, extname, join, normalize } from "node:path";
import { after, before, test } from "node:test";
import puppeteer from "puppeteer-core";

export const site = new URL("../../build/web/site/", import.meta.url).pathname;
const types = { ".html": "text/html", ".js": "text/javascript", ".css": "text/css",
  ".wasm": "application/wasm", ".png": "image/png", ".webmanifest": "application/manifest+json" };

// The built site's file for a plain name ("host.js", "images/green64.png"), which the build
// names after its contents ("host.1f2e3d4c.js"), relative to the site.
export function siteFile(name) {
  const [folder, plain] = [dirname(name), basename(name)];
  const found = readdirSync(join(site, folder)).find((file) => file !== plain && plainName(file) === plain);
  if (!found) throw new Error(`no ${name} in ${site}`);
  return folder === "." ? found : `${folder}/${found}`;
}

// A picture's source as the page shows it, without the hash in its name.
export const plainName = (source) => source?.replace(/\.[0-9a-f]{8}(\.\w+)$/, "$1") ?? null;

// A static server for a site (the built one unless `root` says otherwise), answering with
// `headers` besides the content type; close() takes it off the network, as when the phone is
// offline.
export async function serveSite({ root = site, headers = {} } = {}) {
  if (!existsSync(join(root, "index.html"))) throw new Error(`no site in ${root}: run scripts/build_web.sh`);
  const server = createServer((request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, "http://x").pathname));
    const file = join(root, path.endsWith("/") ? path + "index.html" : path);
    if (!file.startsWith(root) || !existsSync(file)) return response.writeHead(404).end();
    const type = types[extname(file)] || "application/octet-stream";
    response.writeHead(200, { ...headers, "content-type": type }).end(readFileSync(file));
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  const close = () => new Promise((resolve) => { server.closeAllConnections(); server.close(resolve); });
  return { url: `http://127.0.0.1:${server.address().port}/`, close };
}

// The built site served while one file's tests run: `url` is its address from their start on, and
// test() is a test of the tuner there, opened by withTuner with `options` (and the test's own
// `timeout`) in a Chromium with `microphoneFile` as its microphone.
export function servedForTests() {
  const served = {
    test: (name, microphoneFile, use, { timeout, ...options } = {}) =>
      test(name, { timeout }, () => withTuner(microphoneFile, served.url, use, options)),
  };
  before(async () => Object.assign(served, await serveSite()));
  after(() => served.close());
  return served;
}

export const pause = (seconds) => new Promise((resolve) => setTimeout(resolve, seconds * 1000));

// A folder of its own under the system's temporary folder, removed when this test file's process
// ends (passed or failed): the LAN test's hold a certificate authority's private key.
export function scratchFolder(name) {
  const folder = mkdtempSync(join(tmpdir(), `strumwise-${name}-`));
  process.on("exit", () => rmSync(folder, { recursive: true, force: true }));
  return folder;
}

const scratch = scratchFolder("web");

// A 48 kHz mono WAV in the scratch folder that sox makes with `effects` from nothing.
const sox = (name, ...effects) => {
  execFileSync("sox", ["-n", "-r", "48000", "-b", "16", "-c", "1", join(scratch, name), ...effects]);
  return join(scratch, name);
};

// A WAV of plucked strings, one after the other, 1.5 s each (the fake microphone loops it).
export function plucks(...hertz) {
  const parts = hertz.map((hz, i) => sox(`part${i}_${hz}.wav`, "synth", "1.5", "pluck", String(hz), "vol", "0.5"));
  const file = join(scratch, hertz.join("_") + ".wav");
  execFileSync("sox", [...parts, file]);
  return file;
}

// A second of silence.
export const silence = () => sox("silence.wav", "trim", "0", "1");

// Runs `use` with Chromium with its default settings, in `language`, with `microphoneFile` as its
// microphone, granted without asking (with none, or with `refuse`, the page's request for the
// microphone is refused), and closes it however `use` ends. `home` is the user's home folder,
// whose certificate store Chromium trusts.
export async function withBrowser(microphoneFile, use, language = "en-US", { refuse = false, home } = {}) {
  const device = microphoneFile ? ["--use-fake-device-for-media-stream", `--use-file-for-fake-audio-capture=${microphoneFile}`] : [];
  const answer = microphoneFile && !refuse ? ["--use-fake-ui-for-media-stream"] : ["--deny-permission-prompts"];
  const browser = await puppeteer.launch({ executablePath: "/usr/bin/chromium", headless: true,
    args: ["--no-sandbox", ...device, ...answer, `--accept-lang=${language}`],
    // No sound server: the tests hear the page through its own audio graph, and a server that
    // another program keeps busy would make the audio's start as slow as it is.
    env: { ...process.env, PULSE_SERVER: `unix:${join(scratch, "no-sound-server")}`, ...(home ? { HOME: home } : {}) },
  });
  return use(browser).finally(() => browser.close());
}

// Runs `use` on the tuner at `url`, opened as openTuner opens it (with its `viewport` and `start`)
// in a Chromium launched as withBrowser launches it (with its `language` and options), and
// checks once `use` is done that the page threw nothing.
export const withTuner = (microphoneFile, url, use, { viewport, start, language, ...options } = {}) =>
  withBrowser(microphoneFile, async (browser) => {
    const page = await openTuner(browser, url, viewport, { start });
    await use(page, browser);
    assert.deepEqual(page.errors, []);
  }, language, options);

// Evaluates `expression` in the page through the DevTools protocol, without a user gesture:
// puppeteer's own evaluate counts as one, and would start the audio that a visitor must tap to
// start. Promises are awaited; the value comes back as JSON.
export async function read(page, expression) {
  page.devtools ??= await page.createCDPSession();
  const { result, exceptionDetails } = await page.devtools.send("Runtime.evaluate",
    { expression, userGesture: false, awaitPromise: true, returnByValue: true });
  if (exceptionDetails) throw new Error(exceptionDetails.exception?.description ?? exceptionDetails.text);
  return result.value;
}

// Opens the tuner as a visitor does and, unless `start` is false, taps the overlay that asks
// for a first touch, as the visitor must before the tuner listens. The page keeps its uncaught
// errors (page.errors) and what it wrote on the console (page.messages).
export async function openTuner(browser, url, viewport = { width: 390, height: 844 }, { start = true } = {}) {
  const page = Object.assign(await browser.newPage(), { errors: [], messages: [] });
  page.on("pageerror", (error) => page.errors.push(error.message));
  page.on("console", (message) => page.messages.push(message.text()));
  await page.setViewport(viewport);
  await page.goto(url, { waitUntil: "load" });
  await until(() => read(page, 'document.querySelector(".layoutRoot #MainScreen") !== null'), true);
  if (start) await tapToStart(page);
  return page;
}

// The first tap, on the tuning's name, which presses nothing: the overlay that asks for it lets
// the tap through to whatever lies under it.
export async function tapToStart(page) {
  await until(() => read(page, '!document.getElementById("startOverlay").hidden'), true);
  await page.click("#currentTuningName");
  await until(() => read(page, 'document.getElementById("startOverlay").hidden && StrumwiseHost.audio.context.state'), "running");
}

// The controls a player must always reach, whatever the page's notice says: the forks, Stop and
// the about page (its tab on a phone, its panel beside the tuner on a tablet). Each is scrolled
// to, as a finger would, and answers the name of every one that something else covers there, or
// that lies outside the viewport.
export const unreachableControls = `(() => {
  const controls = [...document.querySelectorAll('.layoutRoot [data-action^="play"], #stopButton')];
  controls.push(document.querySelector(".tab[data-page='aboutPage']") ?? document.getElementById("aboutPanel"));
  return controls.filter((control) => {
    if (!control) return true;
    control.scrollIntoView({ block: "nearest", inline: "nearest" });
    const box = control.getBoundingClientRect();
    const [x, y] = [box.left + box.width / 2, box.top + Math.min(box.height / 2, 20)];
    if (x < 0 || y < 0 || x > innerWidth || y > innerHeight) return true;
    const hit = document.elementFromPoint(x, y);
    return !hit || !control.contains(hit);
  }).map((control) => control?.id || control?.dataset.page || "(missing)");
})()`;

const quoted = JSON.stringify;
export const text = (page, outlet) => read(page, `document.getElementById(${quoted(outlet)}).textContent`);

// Waits until `read` answers `expected` (compared as JSON), or fails with the last answer. A
// read that throws (the page is between two documents) counts as a wrong answer.
export async function until(read, expected, seconds = 10) {
  let last;
  for (const end = Date.now() + seconds * 1000; Date.now() < end;) {
    last = await read().catch((error) => `(${error.message})`);
    if (JSON.stringify(last) === JSON.stringify(expected)) return;
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  throw new Error(`expected ${JSON.stringify(expected)}, last saw ${JSON.stringify(last)}`);
}

// Starts `command` in the project's folder, quiet, with `env` added, and answers once it says
// where it serves the site: the process, that address, and what it has written so far on either
// output.
export const started = (command, args, env = {}) => new Promise((resolve, reject) => {
  const child = spawn(command, args, { cwd: new URL("../../", import.meta.url).pathname,
    env: { ...process.env, STRUMWISE_SERVE_QUIET: "1", ...env } });
  let output = "";
  child.stdout.on("data", (data) => {
    output += data;
    const found = /Serving the web edition on (\S+)/.exec(output);
    if (found) resolve({ child, url: found[1], output: () => output });
  });
  child.stderr.on("data", (data) => { output += data; });
  child.on("exit", (code) => reject(new Error(`${command} stopped with ${code}: ${output}`)));
});

// The project's server (scripts/serve_site.py) on `root` (the built site unless told), as
// scripts/web.sh serves it, with `args` added and, given `descriptors`, that limit on its open
// files. Answers its address, its process id, what it has written so far, and a function that
// stops it.
export async function projectServer({ root = site, args = [], descriptors } = {}) {
  const command = ["python3", "scripts/serve_site.py", "--site", root, "--port", "0", ...args];
  if (descriptors) command.unshift("prlimit", `--nofile=${descriptors}`, "--");
  const { child, url, output } = await started(command[0], command.slice(1));
  return { url, pid: child.pid, errors: output, stop: () => child.kill() };
}

// Runs `use` with the project's server started as projectServer starts it with `options`, and
// stops the server however `use` ends.
export async function withProjectServer(options, use) {
  const server = await projectServer(options);
  return use(server).finally(server.stop);
}

// Every picture a layout may show, by plain name: the lamp's four, the charts of the four
// tunings (the tablet's on the 667 and 736-point phones) and the lit strings of its screen class.
const pictures = (charts, strings) => ["green64", "green128", "yellow64", "yellow128",
  ...["", "2", "3", "4"].map((tuning) => `chart${charts}${tuning}`),
  ...["1st", "2nd", "3rd", "4th", "5th"].map((string) => `${string}_string${strings}`)].map((name) => `images/${name}.png`).sort();
export const picturesOfLayout = { Main_iPhone: pictures("iphone", "_5"), Main_iPhone12Pro: pictures("iphone", "_6plus"),
  Main_iPhone6: pictures("ipad", "_6") };

// The plain names of the pictures the page's service worker holds, sorted, in all its caches or
// in those whose names end in `cache`.
export async function cachedPictures(page, cache = "") {
  const held = await read(page, `caches.keys().then((names) => Promise.all(names.filter((name) => name.endsWith(${quoted(cache)}))
    .map(async (name) => (await (await caches.open(name)).keys()).map((request) => new URL(request.url).pathname.slice(1)))))`);
  return held.flat().filter((path) => path.startsWith("images/")).map(plainName).sort();
}

// A second release of the site in `folder`: a page script that marks the document, and the
// worker's new cache name, as a new build makes them.
export function releaseAgain(folder) {
  const boot = join(folder, siteFile("boot.js"));
  writeFileSync(boot, readFileSync(boot, "utf8") + '\ndocument.documentElement.dataset.release = "2";\n');
  const worker = join(folder, "service-worker.js");
  writeFileSync(worker, readFileSync(worker, "utf8").replace(/const CACHE = "([^"]+)"/, 'const CACHE = "$1-2"'));
}

// The picture of the meter's last seconds, read in the page: its place and size against the
// meter and the tuner's panel, whether its canvas has the screen's own pixels, how many of them
// are the third string's sky blue, and its name.
export const readingHistory = `(() => {
  const canvas = document.getElementById("readingHistory");
  const meter = document.getElementById("tuningMeter").getBoundingClientRect();
  const panel = document.getElementById("tunerPanel").getBoundingClientRect();
  const box = canvas.getBoundingClientRect();
  let blue = 0;
  if (canvas.width > 0 && canvas.height > 0) {
    const pixels = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
    for (let i = 0; i < pixels.length; i += 4) blue += Math.abs(pixels[i] - 0x56) + Math.abs(pixels[i + 1] - 0xb4) + Math.abs(pixels[i + 2] - 0xe9) < 30;
  }
  return { tag: canvas.tagName, height: box.height, share: box.width / panel.width, underMeter: box.top >= meter.bottom - 0.5,
    insidePanel: box.left >= panel.left - 0.5 && box.right <= panel.right + 0.5 && box.top >= panel.top - 0.5 && box.bottom <= panel.bottom + 0.5,
    sharp: canvas.width === Math.round(canvas.clientWidth * devicePixelRatio), blue, label: canvas.getAttribute("aria-label") };
})()`;

// An expression that answers the page's update offer's button, or null while there is none.
export const updateOffer = 'document.getElementById("notice").hidden ? null : document.querySelector("#notice button").textContent';
