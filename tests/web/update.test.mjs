// The site kept by its service worker: what a phone's first visit downloads and keeps, the tuner
// with no network, and a new release reaching a returning visitor.
import assert from "node:assert/strict";
import { cpSync } from "node:fs";
import { test } from "node:test";
import {
  cachedPictures, openTuner, picturesOfLayout, plainName, plucks, read, releaseAgain, scratchFolder, serveSite, silence, site, tapToStart,
  text, until, updateOffer, withBrowser, withProjectServer,
} from "./browser.mjs";

test("a phone's first visit, served by the project's server, downloads less than 600 KB and keeps every picture of its layout and no other", async () => {
  await withProjectServer({}, async ({ url }) => {
    // The largest phone layout, with the tablet's charts, and the most common one.
    for (const [viewport, layout] of [[{ width: 375, height: 667 }, "Main_iPhone6"], [{ width: 390, height: 844 }, "Main_iPhone12Pro"]]) {
      await withBrowser(silence(), async (browser) => {
        // Listening, with its service worker installed and holding exactly the layout's pictures.
        const page = await openTuner(browser, url, viewport);
        await read(page, "navigator.serviceWorker.ready.then(() => true)");
        await until(() => read(page, "StrumwiseHost.audio.mic !== null"), true);
        await until(() => cachedPictures(page), picturesOfLayout[layout]);
        // The worker's own downloads are in its timeline, not the page's.
        const worker = await (await browser.waitForTarget((target) => target.type() === "service_worker")).worker();
        const transferred = "performance.getEntriesByType('navigation').concat(performance.getEntriesByType('resource')).reduce((sum, entry) => sum + entry.transferSize, 0)";
        const [pageBytes, workerBytes] = [await read(page, transferred), await worker.evaluate(transferred)];
        assert.ok(pageBytes + workerBytes < 600 * 1024, `${layout}: page ${pageBytes} bytes, worker ${workerBytes} bytes`);
      });
    }
  });
});

test("offline, a string and a chart never shown online still show their pictures", async () => {
  const offline = await serveSite();
  // The five strings of open G, on a 667-point phone, which shows the tablet's charts.
  await withBrowser(plucks(293.66, 246.94, 196, 146.83, 392), async (browser) => {
    const page = await openTuner(browser, offline.url, { width: 375, height: 667 }, { start: false });
    // Online the tuner never listened: no string was lit, and only the first chart was shown.
    await until(() => cachedPictures(page), picturesOfLayout.Main_iPhone6);
    await offline.close();
    await page.evaluateOnNewDocument(() => {
      window.pictures = { shown: [], broken: [] };
      for (const [event, list] of [["load", "shown"], ["error", "broken"]]) {
        // A picture's load never reaches the window, only the document.
        document.addEventListener(event, ({ target }) => { if (target.tagName === "IMG") window.pictures[list].push(target.src); }, true);
      }
    });
    await page.reload({ waitUntil: "load" });
    await until(() => read(page, 'document.querySelector(".layoutRoot #MainScreen") !== null'), true);
    await tapToStart(page);
    const shown = async () => [...new Set((await read(page, "window.pictures.shown")).map((url) => plainName(new URL(url).pathname.slice(1))))].sort();
    const strings = (names) => names.filter((name) => name.includes("_string"));
    await until(async () => strings(await shown()), strings(picturesOfLayout.Main_iPhone6), 30);
    for (let step = 0; step < 3; ++step) await page.click("#showNextTuningButton");
    await until(shown, picturesOfLayout.Main_iPhone6);
    assert.deepEqual(await read(page, "window.pictures.broken"), []);
    assert.equal(await text(page, "currentTuningName"), "G Modal (gDGCD)");
  }).finally(() => offline.close());
});

test("a returning visitor is offered the new release and runs it after one reload, keeping the layout's pictures", async () => {
  const folder = scratchFolder("release");
  cpSync(site, folder, { recursive: true });
  // A server that lets browsers keep every file for an hour, as many hosts do.
  const server = await serveSite({ root: folder, headers: { "cache-control": "max-age=3600" } });
  await withBrowser(silence(), async (browser) => {
    const page = await openTuner(browser, server.url, { width: 390, height: 664 }, { start: false });
    await until(() => cachedPictures(page), picturesOfLayout.Main_iPhone);
    releaseAgain(folder);
    await page.reload({ waitUntil: "load" });
    await until(() => read(page, updateOffer), "Update available \u2014 reload", 20);
    // The new release's worker, installed and waiting, already holds the layout's pictures.
    assert.deepEqual(await cachedPictures(page, "-2"), picturesOfLayout.Main_iPhone);
    assert.equal(await read(page, "document.documentElement?.dataset.release ?? null"), null);
    await page.click("#notice button");
    await until(() => read(page, "document.documentElement?.dataset.release ?? null"), "2", 20);
    // The old release's cache is gone, and the new one holds the same pictures.
    await until(() => read(page, "caches.keys().then((names) => names.length)"), 1);
    await until(() => cachedPictures(page), picturesOfLayout.Main_iPhone);
    assert.deepEqual(page.errors, []);
  }).finally(() => server.close());
});
