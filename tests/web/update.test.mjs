// Releases reaching a returning visitor: the service worker's precache, the update offer, and
// what a phone's first visit downloads.
import assert from "node:assert/strict";
import { cpSync, mkdtempSync, readFileSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { test } from "node:test";
import { firstVisit, launch, openTuner, projectServer, read, serveSite, silence, site, siteFile, transferredBytes, until, withBrowser } from "./browser.mjs";

// A second release of the site in `folder`: a page script that marks the document, and the
// worker's new cache name, as a new build makes them.
function releaseAgain(folder) {
  const boot = join(folder, siteFile("boot.js"));
  writeFileSync(boot, readFileSync(boot, "utf8") + '\ndocument.documentElement.dataset.release = "2";\n');
  const worker = join(folder, "service-worker.js");
  writeFileSync(worker, readFileSync(worker, "utf8").replace(/const CACHE = "([^"]+)"/, 'const CACHE = "$1-2"'));
}

test("a returning visitor is offered the new release and runs it after one reload", async () => {
  const folder = mkdtempSync(join(tmpdir(), "strumwise-release-"));
  cpSync(site, folder, { recursive: true });
  // A server that lets browsers keep every file for an hour, as many hosts do.
  const server = await serveSite({ root: folder, headers: { "cache-control": "max-age=3600" } });
  const browser = await launch(silence());
  try {
    const page = await openTuner(browser, server.url, undefined, { start: false });
    await read(page, "navigator.serviceWorker.ready.then(() => true)");
    releaseAgain(folder);
    await page.reload({ waitUntil: "load" });
    const offer = () => read(page, `(() => {
      const notice = document.getElementById("notice");
      return notice.hidden ? null : notice.querySelector("button").textContent;
    })()`);
    await until(offer, "Update available \u2014 reload", 20);
    assert.equal(await read(page, "document.documentElement?.dataset.release ?? null"), null);
    await page.click("#notice button");
    await until(() => read(page, "document.documentElement?.dataset.release ?? null"), "2", 20);
    // The old release's cache is gone.
    await until(() => read(page, "caches.keys().then((names) => names.length)"), 1);
    assert.deepEqual(page.errors, []);
  } finally {
    await browser.close();
    await server.close();
  }
});

test("a phone's first visit, served by the project's server, downloads less than 600 KB and only its own pictures", async () => {
  const { url, stop } = await projectServer();
  try {
    await withBrowser(silence(), async (browser) => {
      const { page, worker } = await firstVisit(browser, url);
      const workerBytes = await worker.evaluate(transferredBytes);
      const pageBytes = await read(page, transferredBytes);
      assert.ok(pageBytes + workerBytes < 600 * 1024, `page ${pageBytes} bytes, worker ${workerBytes} bytes`);
      const [shown, cached] = await read(page, `(async () => {
        const shown = performance.getEntriesByType("resource").map((entry) => entry.name).filter((name) => name.includes("/images/"));
        const cache = await caches.open((await caches.keys())[0]);
        const cached = (await cache.keys()).map((request) => request.url).filter((name) => name.includes("/images/"));
        return [shown, cached];
      })()`);
      assert.ok(shown.length > 0);
      assert.deepEqual(cached.filter((picture) => !shown.includes(picture)), []);
    });
  } finally {
    stop();
  }
});
