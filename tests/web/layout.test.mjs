// The web screen laid out for the viewport it has: phones held either way, tablets, desktop
// windows and a zoomed phone, in English and Spanish. On each, no two visible controls overlap,
// nothing is clipped or outside the viewport, and on a phone the note and the cents meter are
// large enough to read at arm's length. Every screen is photographed for a person to look at.
import assert from "node:assert/strict";
import { mkdirSync } from "node:fs";
import { test } from "node:test";
import {
  openTuner, plucks, read, readingHistory, servedForTests, silence, site, text, unreachableControls, until, withBrowser,
} from "./browser.mjs";

const shots = process.env.STRUMWISE_SHOTS || `${site}/../screenshots/layout`;
const server = servedForTests();
mkdirSync(shots, { recursive: true });

// What real phones give a page in a browser tab, the same phones in landscape, tablets and
// laptop or desktop windows, with the layout the tuner chooses for some of them; then a 390 x 844
// phone at 200 % zoom, which halves its CSS pixels.
const viewports = [
  [320, 480], [320, 568], [360, 740], [375, 667, "Main_iPhone6"], [390, 664], [390, 844, "Main_iPhone12Pro"], [393, 727], [412, 800],
  [412, 915], [844, 390], [667, 375], [768, 1024, "Main_iPad"], [1024, 768], [1280, 720], [1366, 768], [1920, 1080],
].map(([width, height, layout]) => ({ name: `${width}x${height}`, width, height, layout }));
const zoomed = { name: "390x844-zoom200", width: 195, height: 422, deviceScaleFactor: 2 };

// Everything wrong with the screen as it is now, one line per fault: overlapping or clipped
// controls, controls outside the viewport, and type too small on a phone.
function faultsOfScreen(scrollingAllowed) {
  const faults = [];
  const name = (element) => element.id || element.dataset.name || element.className;
  const box = (element) => element.getBoundingClientRect();
  const shown = (element) => element.checkVisibility({ visibilityProperty: true, opacityProperty: true }) &&
    box(element).width >= 1 && box(element).height >= 1 && (element.matches("img") ? element.hasAttribute("src")
      : element.matches(".TuningMeter, .LevelMeter, .ReadingHistory, input, select") || element.textContent.trim() !== "");
  // The layout's controls and the settings' (a ticked tuning's box is part of its label).
  const controls = [...document.querySelectorAll(".layoutRoot :is(button, h2, .QLabel, .ImageView, " +
    ".TuningMeter, .LevelMeter, .ReadingHistory, label, select, input:not([type=checkbox]), legend, summary, p)")].filter(shown);
  if (controls.length < 20) faults.push(`only ${controls.length} controls shown`);

  const slack = 0.5;
  // The part of a control its clipping boxes let through: what overlapping means on the screen.
  const seen = (element) => {
    let { left, top, right, bottom } = box(element);
    for (let up = element.parentElement; up; up = up.parentElement) {
      if (getComputedStyle(up).overflow === "visible") continue;
      const clip = box(up);
      [left, top, right, bottom] = [Math.max(left, clip.left), Math.max(top, clip.top),
        Math.min(right, clip.right), Math.min(bottom, clip.bottom)];
    }
    return { left, top, right, bottom };
  };
  for (const [i, a] of controls.entries()) {
    const [ra, sa] = [box(a), seen(a)];
    for (const b of controls.slice(i + 1)) {
      const sb = seen(b);
      const across = Math.min(sa.right, sb.right) - Math.max(sa.left, sb.left);
      const down = Math.min(sa.bottom, sb.bottom) - Math.max(sa.top, sb.top);
      if (across > 1 && down > 1) faults.push(`${name(a)} overlaps ${name(b)}`);
    }
    if (ra.left < -slack || ra.right > innerWidth + slack) faults.push(`${name(a)} is outside the viewport's width`);
    if (!scrollingAllowed && (ra.top < -slack || ra.bottom > innerHeight + slack)) faults.push(`${name(a)} is outside the viewport's height`);
    // Text wider or taller than its control is cut off, or spills over its neighbours.
    if (!a.matches("img, .TuningMeter, .LevelMeter, .ReadingHistory") &&
        (a.scrollWidth > a.clientWidth + 1 || a.scrollHeight > a.clientHeight + 1)) {
      faults.push(`${name(a)}'s text does not fit (${a.scrollWidth}x${a.scrollHeight} in ${a.clientWidth}x${a.clientHeight})`);
    }
    for (const part of a.matches(".TuningMeter") ? a.querySelectorAll(".meterText > span") : []) {
      if (part.getBoundingClientRect().right > ra.right + slack) faults.push(`${part.className} runs out of the meter`);
    }
    // Inside every box that clips it; a zoomed page may scroll to what lies below.
    let scrolled = false;
    for (let up = a.parentElement; up && up !== document.body; up = up.parentElement) {
      const style = getComputedStyle(up);
      if (style.overflowX === "visible" && style.overflowY === "visible") continue;
      scrolled ||= style.overflowY === "auto" && scrollingAllowed;
      const clip = box(up);
      const out = ra.left < clip.left - slack || ra.right > clip.right + slack || (!scrolled && (ra.top < clip.top - slack || ra.bottom > clip.bottom + slack));
      if (out) faults.push(`${name(a)} is cut off by ${name(up)}`);
    }
  }
  return faults;
}

// On a phone the reading is what the player looks for: the largest type on the screen, and a
// meter across nearly the whole width (of the tuner's half, when the phone lies on its side).
function readabilityOfScreen() {
  const size = (selector) => parseFloat(getComputedStyle(document.querySelector(selector)).fontSize);
  const panel = document.querySelector("#tunerPanel").getBoundingClientRect();
  const portrait = innerHeight >= innerWidth;
  const others = [...document.querySelectorAll(".layoutRoot :is(button, h2, .QLabel)")]
    .filter((element) => element.checkVisibility() && !element.closest("#tunerPanel"))
    .map((element) => parseFloat(getComputedStyle(element).fontSize));
  return { meterShare: document.querySelector("#tuningMeter").getBoundingClientRect().width / (portrait ? innerWidth : panel.width),
    centsSize: size("#tuningMeter .meterOffset"), noteSize: size("#noteDisplay"), largestElsewhere: Math.max(...others) };
}

async function check(page, viewport, language, screen = "tuner") {
  // A zoomed phone scrolls, as do the settings, and the about page on the shortest phone: its
  // twelve links need more than 480 pixels in Spanish under a banner.
  const scrollingAllowed = viewport === zoomed || screen === "settings" || (screen === "about" && viewport.height < 500);
  const faults = await page.evaluate(faultsOfScreen, scrollingAllowed);
  await page.screenshot({ path: `${shots}/${viewport.name}-${language}-${screen}.png` });
  assert.deepEqual(faults, [], `${viewport.name} in ${language}, ${screen}`);
  const phone = Math.min(viewport.width, viewport.height) < 600;
  if (phone && !scrollingAllowed && screen !== "about" && screen !== "settings") {
    const reading = await page.evaluate(readabilityOfScreen);
    assert.ok(reading.meterShare >= 0.8 && reading.centsSize >= 24 && reading.noteSize >= 48 &&
      reading.noteSize > reading.largestElsewhere && reading.centsSize > reading.largestElsewhere, `${viewport.name}: ${JSON.stringify(reading)}`);
  }
}

// The tuner, then a phone's other pages: the settings, which scroll, and about, with the links.
async function checkPages(page, viewport, language) {
  await check(page, viewport, language);
  for (const screen of ["settings", "about"]) {
    const tab = await page.$(`.tab[data-page='${screen}Page']`);
    if (tab) await tab.click().then(() => check(page, viewport, language, screen));
  }
}

// In a phone's browser tab and on a phone held either way, the picture of the meter's last
// seconds: a canvas under the meter, as wide as the tuner's panel and tall enough to read, drawn
// at the screen's own pixels in the third string's colour, its name saying the trend.
const historyViewports = ["390x664", "390x844", "844x390"];
async function checkHistory(page, viewport) {
  const trend = /^G3, (in tune|(settling|steady) \d+ cents (sharp|flat)|drifting (sharp|flat), \d+ cents)$/;
  await until(async () => trend.test((await read(page, readingHistory)).label), true);
  await until(async () => (await read(page, readingHistory)).blue > 20, true);
  const shown = await read(page, readingHistory);
  assert.ok(shown.tag === "CANVAS" && shown.height >= 40 && shown.share >= 0.8 && shown.underMeter && shown.insidePanel &&
    shown.sharp, `${viewport.name}: ${JSON.stringify(shown)}`);
}

test("a lit G3 fits every viewport, in English, in the layout chosen for the screen, with its recent readings drawn on a phone, and on a phone turned", { timeout: 300000 }, async () => {
  const layout = (page) => read(page, 'document.querySelector(".layoutRoot").id');
  await withBrowser(plucks(196), async (browser) => {
    for (const viewport of [...viewports, zoomed]) {
      const page = await openTuner(browser, server.url, viewport);
      if (viewport.layout) assert.equal(await layout(page), viewport.layout);
      await until(() => text(page, "noteDisplay"), "G3", 20);
      if (historyViewports.includes(viewport.name)) await checkHistory(page, viewport);
      if (viewport.name === "390x844") {
        // The logic chose its storyboard once, at start-up: turned, the page only places it anew.
        const turned = { name: "390x844-turned", width: 844, height: 390 };
        await page.setViewport(turned);
        assert.equal(await layout(page), viewport.layout);
        await check(page, turned, "en", "turned");
        await page.setViewport(viewport);
      }
      await checkPages(page, viewport, "en");
      assert.deepEqual(page.errors, []);
      await page.close();
    }
  }, "en-US");
});

test("with the refused microphone's notice the forks, Stop and the about page stay within reach, and once it is closed the Spanish texts fit every viewport", { timeout: 300000 }, async () => {
  await withBrowser(silence(), async (browser) => {
    for (const viewport of [...viewports, zoomed]) {
      const page = await openTuner(browser, server.url, viewport);
      await until(async () => (await text(page, "audioStatusLabel")) !== "", true);
      // The longest notice there is, in the longer language.
      await until(() => read(page, '!document.getElementById("notice").hidden'), true);
      await page.screenshot({ path: `${shots}/${viewport.name}-es-notice.png` });
      assert.deepEqual(await read(page, unreachableControls), [], `${viewport.name}, with the notice`);
      await page.click("#notice button.close");
      assert.equal(await read(page, 'document.getElementById("notice").hidden'), true);
      await checkPages(page, viewport, "es");
      await page.close();
    }
  }, "es-ES", { refuse: true });
});
