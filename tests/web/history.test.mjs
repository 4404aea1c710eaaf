// The picture of the meter's last seconds on the web: a canvas under the meter, as wide as the
// tuner's panel and tall enough to read, in a phone's browser tab and on a phone held either way;
// it is drawn only once the tuner listens, in each string's own colour, and while a note is read
// its aria-label says the trend in the player's language.
import assert from "node:assert/strict";
import { test } from "node:test";
import { openTuner, plucks, read, servedForTests, tapToStart, text, until, withBrowser } from "./browser.mjs";

const server = servedForTests();

// The canvas's place, size and drawing, read in the page.
const picture = `(() => {
  const canvas = document.getElementById("readingHistory");
  const meter = document.getElementById("tuningMeter").getBoundingClientRect();
  const panel = document.getElementById("tunerPanel").getBoundingClientRect();
  const box = canvas.getBoundingClientRect();
  // How many of its pixels are the third string's sky blue.
  let blue = 0;
  if (canvas.width > 0 && canvas.height > 0) {
    const pixels = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
    for (let i = 0; i < pixels.length; i += 4) {
      if (Math.abs(pixels[i] - 0x56) + Math.abs(pixels[i + 1] - 0xb4) + Math.abs(pixels[i + 2] - 0xe9) < 30) ++blue;
    }
  }
  return { tag: canvas.tagName, width: box.width, height: box.height, share: box.width / panel.width,
    underMeter: box.top >= meter.bottom - 0.5, insidePanel: box.left >= panel.left - 0.5 && box.right <= panel.right + 0.5 &&
      box.top >= panel.top - 0.5 && box.bottom <= panel.bottom + 0.5,
    pixels: canvas.width * canvas.height, sharp: canvas.width === Math.round(canvas.clientWidth * devicePixelRatio),
    blue, label: canvas.getAttribute("aria-label") };
})()`;

const viewports = [
  { name: "browser tab", width: 390, height: 664 },
  { name: "phone portrait", width: 390, height: 844 },
  { name: "phone landscape", width: 844, height: 390 },
];

const englishTrend = /^G3, (in tune|(settling|steady) \d+ cents (sharp|flat)|drifting (sharp|flat), \d+ cents)$/;

test("a G3 read draws its line under the meter and names its trend, in every phone viewport", { timeout: 120000 }, async () => {
  await withBrowser(plucks(196), async (browser) => {
    for (const viewport of viewports) {
      const page = await openTuner(browser, server.url, viewport);
      await until(() => text(page, "noteDisplay"), "G3", 20);
      await until(async () => englishTrend.test((await read(page, picture)).label), true);
      await until(async () => (await read(page, picture)).blue > 20, true);
      const shown = await read(page, picture);
      assert.equal(shown.tag, "CANVAS", viewport.name);
      assert.ok(shown.height >= 40, `${viewport.name}: ${shown.height} px tall`);
      assert.ok(shown.share >= 0.8, `${viewport.name}: ${shown.share} of the panel`);
      assert.ok(shown.underMeter && shown.insidePanel, `${viewport.name}: ${JSON.stringify(shown)}`);
      assert.ok(shown.sharp, `${viewport.name}: drawn at the screen's own pixels`);
      assert.deepEqual(page.errors, []);
      await page.close();
    }
  }, "en-US");
});

test("before the tuner listens the picture is named but not drawn; in Spanish its trend is Spanish", { timeout: 60000 }, async () => {
  await withBrowser(plucks(196), async (browser) => {
    const page = await openTuner(browser, server.url, viewports[0], { start: false });
    await new Promise((resolve) => setTimeout(resolve, 1000));
    const waiting = await read(page, picture);
    assert.equal(waiting.blue, 0);
    assert.equal(waiting.label, "Lecturas recientes");
    await tapToStart(page);
    await until(() => text(page, "noteDisplay"), "G3", 20);
    await until(async () => /^G3, (afinada|(asentándose|estable) \d+ cents (alta|baja)|se aleja hacia (arriba|abajo), \d+ cents)$/
      .test((await read(page, picture)).label), true);
    await page.close();
  }, "es-ES");
});
