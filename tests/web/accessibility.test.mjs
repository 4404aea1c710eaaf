// The web edition for those who listen to the screen, zoom it, or drive it from the keyboard, and
// as an installable application: axe-core finds nothing, every name says what the control shows,
// the tuner's reading is spoken, and Chromium can install the site with its own icons.
import assert from "node:assert/strict";
import { createRequire } from "node:module";
import { test } from "node:test";
import { plucks, read, readingHistory, servedForTests, siteFile, text, until, withBrowser, withTuner } from "./browser.mjs";

const axeScript = createRequire(import.meta.url).resolve("axe-core/axe.min.js");
const G3 = 196;
const server = servedForTests();

async function violations(page) {
  await page.addScriptTag({ path: axeScript });
  return page.evaluate(async () => {
    const result = await axe.run(document, { resultTypes: ["violations"] });
    return result.violations.map((v) => `${v.id}: ${v.nodes.map((node) => node.target.join(" ")).join(", ")}`);
  });
}

// In each language the page also says which it speaks, names itself in a heading and a
// description, and lets the user zoom.
test("axe-core finds no violation on the tuner, the settings and the about page, in English and in Spanish, and the page speaks the browser's language and lets the user zoom", { timeout: 120000 }, async () => {
  const languages = [["en-US", "en", "Strumwise, a banjo tuner", { width: 390, height: 664 }],
    ["es-ES", "es", "Strumwise, un afinador de banjo", { width: 1280, height: 720 }]];
  for (const [language, lang, heading, viewport] of languages) {
    await withTuner(plucks(G3), server.url, async (page) => {
      // The last: whether the viewport's settings forbid zooming.
      assert.deepEqual(await page.evaluate(() => [document.documentElement.lang, document.querySelector("h1").textContent,
        document.querySelector('meta[name="description"]').content.length > 50,
        /user-scalable\s*=\s*(no|0)|maximum-scale\s*=\s*1(\.0*)?\b/.test(document.querySelector('meta[name="viewport"]').content)]),
      [lang, heading, true, false]);
      await until(() => text(page, "noteDisplay"), "G3", 20);
      assert.deepEqual(await violations(page), [], language);
      if (language === "es-ES") {
        // The meters and the picture of recent readings speak the page's language, and a tablet
        // folds the settings under its about texts.
        assert.match(await page.$eval("#tuningMeter", (meter) => meter.getAttribute("aria-label")),
          /^(G3, (afinada|\d+ cents (alta, baja|baja, sube) la afinación)|Ningún sonido que leer)$/);
        assert.match(await page.$eval("#levelMeter", (level) => level.getAttribute("aria-label")), /^Nivel: (silencio|débil|midiendo)$/);
        await until(async () => /^G3, (afinada|(asentándose|estable) \d+ cents (alta|baja)|se aleja hacia (arriba|abajo), \d+ cents)$/
          .test(await read(page, `(${readingHistory}).label`)), true);
        assert.deepEqual(await page.$eval("#aboutPanel .settingsFold", (fold) => [fold.open, fold.querySelector("summary").textContent]),
          [false, "Ajustes"]);
      }
      // A phone's pages behind its tabs; a tablet folds the settings under its about texts, and
      // opened, they pass too.
      for (const opener of [".tab[data-page='settingsPage']", ".tab[data-page='aboutPage']", ".settingsFold > summary"]) {
        const control = await page.$(opener);
        if (control) {
          await control.click();
          assert.deepEqual(await violations(page), [], `${language}, ${opener}`);
        }
      }
    }, { viewport, language });
  }
});

server.test("names contain what the controls show, the lamp and meters say their readings, a live region says the G3 is in tune, every stop of the Tab key does something and shows a clear ring, every picture has an alt, and Chromium can install the site with its own icons", plucks(G3), async (page) => {
  await until(() => text(page, "noteDisplay"), "G3", 20);
  const ids = ["firstFreqButton", "secondFreqButton", "thirdFreqButton", "fourthFreqButton", "fifthFreqButton", "stopButton"];
  const forks = [];
  for (const id of ids) forks.push((await page.accessibility.snapshot({ root: await page.$("#" + id) })).name);
  // Open G's forks, then Stop named by what it shows and what it does.
  assert.deepEqual(forks.slice(0, 5), ["D4", "B3", "G3", "D3", "G4"]);
  assert.match(forks[5], /^Stop\b/);
  assert.deepEqual(await page.$eval("#fifthFreqButton", (fork) => [fork.getAttribute("aria-description"), fork.title]),
    ["Reference tone of the 5th string", "Play the reference tone of the 5th string (key 5)"]);

  const stops = await page.evaluate(() => [...document.querySelectorAll("button, a[href], input, select, textarea, [tabindex]")]
    .filter((element) => element.tabIndex >= 0 && !element.disabled && element.checkVisibility())
    .filter((element) => !element.dataset.action && !element.dataset.lockString && !element.matches(".tab"))
    .map((element) => element.id || element.textContent));
  assert.deepEqual(stops, []);

  const pictures = await page.$$eval("img", (all) => all.map((img) => [img.id, img.getAttribute("alt")]));
  assert.ok(pictures.every(([, alt]) => alt !== null), JSON.stringify(pictures));
  assert.equal(await page.$eval("#tunedString5", (img) => img.alt), "Banjo with its 3rd string lit");

  // The lamp names the screen's look, the meter its reading and the way to turn the peg, the
  // level bar its band; each read at one moment with what it stands for.
  const [look, lamp, reading, meter, fill, level] = await page.evaluate(() => [
    document.getElementById("screen").dataset.look, document.getElementById("LEDDisplay").alt,
    document.getElementById("tuningMeter").dataset.cents, document.getElementById("tuningMeter").getAttribute("aria-label"),
    document.querySelector("#levelMeter .levelFill").className, document.getElementById("levelMeter").getAttribute("aria-label")]);
  assert.equal(lamp, { silence: "Lamp: waiting for a string", measuring: "Lamp: not in tune",
    inTune: "Lamp: in tune", stale: "Lamp: no longer in tune" }[look]);
  const cents = Math.abs(Math.round(Number(reading)));
  assert.ok(reading === "" ? meter === "No sound to read"
    : [`G3, in tune`, `G3, ${cents} cents sharp, tune down`, `G3, ${cents} cents flat, tune up`].includes(meter), `${reading}: ${meter}`);
  assert.equal(level, { quiet: "Level: silent", faint: "Level: quiet", heard: "Level: measuring" }[fill.split(" ")[1]]);
  await until(() => page.$eval("[aria-live]", (region) => region.textContent), "G3 in tune");

  // Every stop of the Tab key shows a ring at least 2 px wide that stands out from the page.
  await page.evaluate(() => document.activeElement?.blur());
  const rings = [];
  for (let stop = 0; stop < 17; ++stop) {
    await page.keyboard.press("Tab");
    rings.push(await page.evaluate(() => {
      const [focused, style] = [document.activeElement, getComputedStyle(document.activeElement)];
      return focused === document.body ? ["(page)", "solid", 2, 255] : [focused.id || focused.className, style.outlineStyle,
        parseFloat(style.outlineWidth), Math.min(...style.outlineColor.match(/\d+/g).slice(0, 3).map(Number))];
    }));
  }
  assert.ok(rings.some(([name]) => name.includes("tab")) && rings.some(([name]) => name === "stopButton"), JSON.stringify(rings));
  // Solid, 2 px or more, and light on the dark page: every channel above three quarters.
  assert.deepEqual(rings.filter(([, style, width, darkest]) => style !== "solid" || width < 2 || darkest < 192), []);

  // Chromium can install the site, with a 192, a 512 and a maskable 512 pixel icon.
  await page.evaluate(() => navigator.serviceWorker.ready);
  assert.deepEqual((await (await page.createCDPSession()).send("Page.getInstallabilityErrors")).installabilityErrors, []);
  const manifest = await page.evaluate(async () => (await fetch("manifest.webmanifest")).json());
  assert.ok(manifest.id && manifest.description);
  const icons = await page.evaluate(async (list) => Promise.all(list.map(async (icon) => {
    const picture = await createImageBitmap(await (await fetch(icon.src)).blob());
    const context = new OffscreenCanvas(picture.width, picture.height).getContext("2d");
    context.drawImage(picture, 0, 0);
    // A maskable icon is cut by the launcher, so even its corner must be painted.
    return [icon.sizes, icon.purpose, `${picture.width}x${picture.height}`, context.getImageData(0, 0, 1, 1).data[3] === 255];
  })), manifest.icons);
  assert.deepEqual(icons, [["192x192", "any", "192x192", false], ["512x512", "any", "512x512", false],
    ["512x512", "maskable", "512x512", true]]);
});

test("the live region speaks at most once a second, the latest reading, and never the same twice", async () => {
  await withBrowser(null, async (browser) => {
    const page = await browser.newPage();
    // The page's speech on its own, without the tuner writing readings of its own.
    await page.goto(server.url + "manifest.webmanifest");
    await page.setContent('<meta name="description" content=""><h1 id="pageHeading"></h1><div id="announcer"></div>');
    for (const script of ["resources.js", "accessibility.js"]) await page.addScriptTag({ url: server.url + siteFile(script) });
    const spoken = await page.evaluate(async () => {
      const heard = [];
      const start = performance.now();
      new MutationObserver(() => heard.push([performance.now() - start, announcer.textContent]))
        .observe(announcer, { childList: true, characterData: true, subtree: true });
      const reading = (cents, turn) => StrumwiseAccessibility.heard({ idle: false, note: "D3", cents, turn });
      const wait = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
      reading(-30.4, 1);
      await wait(100);
      reading(-12, 1);
      reading(-2, 0); // the latest before the second is up
      await wait(1300);
      reading(-2, 0); // unchanged: nothing new to say
      await wait(1300);
      StrumwiseAccessibility.heard({ idle: true });
      reading(-2, 0); // plucked again after silence
      await wait(1300);
      reading(21.6, -1);
      await wait(1300);
      return heard;
    });
    assert.deepEqual(spoken.map(([, said]) => said), ["D3, 30 cents flat", "D3 in tune", "D3 in tune", "D3, 22 cents sharp"]);
    assert.ok(spoken[1][0] - spoken[0][0] >= 990, JSON.stringify(spoken));
  });
});
