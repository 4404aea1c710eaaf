// The player's settings in the web edition: the settings page, used by script without a user
// gesture (as in every browser test, so that Chromium's default autoplay policy holds), sets a capo
// and a tuning of the player's own that the browser then shows with its drawn chart, keeps them
// under the strumwise: prefix across a reload, and says why it refuses a tuning; a touch on a
// string's note locks the tuner to it; "take it from a note" asks before it keeps.
import assert from "node:assert/strict";
import { mkdirSync } from "node:fs";
import { plainName, plucks, read, readingHistory, servedForTests, silence, site, tapToStart, text, until } from "./browser.mjs";

const shots = process.env.STRUMWISE_SHOTS || `${site}/../screenshots/settings`;
const phone = { width: 390, height: 664 };
const server = servedForTests();
mkdirSync(shots, { recursive: true });

const quoted = JSON.stringify;
// Presses, types and chooses as a script does, not as a person: no user activation.
const click = (page, selector) => read(page, `document.querySelector(${quoted(selector)}).click()`);
const choose = (page, id, value) => read(page, `(() => { const control = document.getElementById(${quoted(id)});
  control.value = ${quoted(String(value))}; control.dispatchEvent(new Event("change", { bubbles: true })); })()`);
// The tuner listening, as for a photograph. The scripted presses before it reach the page's
// listener for the first touch and may or may not have started the tuner by now; while the page
// still asks for the touch, it is given on `target`, which presses nothing more.
async function startListening(page, target) {
  const asks = '!document.getElementById("startOverlay").hidden';
  await until(() => read(page, `${asks} || StrumwiseHost.audio.context?.state === "running"`), true);
  if (await read(page, asks)) await page.click(target);
  await until(() => read(page, 'document.getElementById("startOverlay").hidden && StrumwiseHost.audio.context.state'), "running");
}
const stored = (page, key) => read(page, `localStorage.getItem(${quoted("strumwise:" + key)})`);

server.test("the settings page sets a capo and a tuning of the player's own without a user gesture, keeps them across a reload, and says why it refuses one", silence(), async (page) => {
  await click(page, ".tab[data-page='settingsPage']");
  assert.equal(await read(page, "getComputedStyle(document.getElementById('settingsPage')).display !== 'none'"), true);
  const openG = await text(page, "currentTuningName");
  // Before the tuner listens the picture of recent readings is named but not drawn.
  assert.deepEqual(await read(page, `(({ blue, label }) => [blue, label])(${readingHistory})`), [0, "Recent readings"]);

  await choose(page, "capoChoice", 2);
  await until(() => text(page, "currentTuningName"), `${openG}, capo 2`);
  assert.equal(await stored(page, "capoFret"), "2");

  const add = async (name, notes) => {
    await read(page, `document.getElementById("tuningNameInput").value = ${quoted(name)};
      document.getElementById("tuningNotesInput").value = ${quoted(notes)}`);
    await click(page, "#saveTuningButton");
  };
  await add("Bad one", "G4 D3 G3 H3 D4");
  assert.match(await text(page, "customTuningMessage"), /H3/);
  await add("Low D", "aDADE");
  assert.deepEqual(await read(page, "[...document.querySelectorAll('#customTuningsList li label')].map((label) => label.textContent)"),
    ["Low D \u2014 A4 D3 A3 D4 E4"]);
  assert.equal(await stored(page, "customTunings"), "Low D=A4 D3 A3 D4 E4");
  // Photographed for a person to look at, once the player's first touch has started the tuner:
  // on the settings page's own tab, as the tuning's name lies hidden under the page.
  await startListening(page, ".tab[data-page='settingsPage']");
  await page.screenshot({ path: `${shots}/web-390x664-settings.png` });

  await page.reload({ waitUntil: "load" });
  await until(() => text(page, "currentTuningName"), `${openG}, capo 2`);
  for (let i = 0; i < 4; ++i) await click(page, "#showNextTuningButton");
  assert.equal(await text(page, "currentTuningName"), "Low D, capo 2");
  assert.match(await read(page, "document.getElementById('chartDisplay').getAttribute('src')"), /^data:image\/png;base64,/);
  await startListening(page, "#currentTuningName");
  await page.screenshot({ path: `${shots}/web-390x664-custom-tuning.png` });
}, { timeout: 120000, viewport: phone, start: false });

server.test("a touch on a string's note locks it: a G3 150 cents sharp reads +150 against it with a tune-down hint and lights nothing; Shift and 3 unlock", plucks(196 * 2 ** (150 / 1200)), async (page) => {
  await click(page, "#thirdString");
  assert.deepEqual(await read(page, `[...["locked", "aria-pressed"].map((name) => document.getElementById("thirdString").getAttribute(name)),
    document.querySelector('[data-lock-string="3"][data-role=caption]').textContent, localStorage.getItem("strumwise:lockedString")]`),
  ["true", "true", "Locked", "3"]);
  const meter = () => read(page, `(() => { const meter = document.getElementById("tuningMeter");
    const lock = meter.querySelector(".meterLock");
    return { cents: Math.round(Number(meter.dataset.cents)), hint: lock.hidden ? "" : lock.textContent,
      note: meter.querySelector(".meterNote").textContent, offset: meter.querySelector(".meterOffset").textContent,
      lamp: document.getElementById("LEDDisplay").getAttribute("src"), look: document.getElementById("screen").dataset.look,
      waiting: document.querySelector('[data-name="hint"]').checkVisibility({ visibilityProperty: true }) }; })()`);
  await until(async () => Math.abs((await meter()).cents - 150) <= 3, true, 20);
  const reading = await meter();
  // Nothing lit and no "Pluck a string": the meter, with its signed offset in whole cents, is the news.
  assert.ok(reading.hint === "Locked: tune down" && /G3$/.test(reading.note) && plainName(reading.lamp) !== "images/green64.png" &&
    reading.look === "measuring" && !reading.waiting && /^\+\d+ \u00a2$/.test(reading.offset) &&
    Math.abs(parseInt(reading.offset.slice(1)) - reading.cents) <= 1, JSON.stringify(reading));
  await page.screenshot({ path: `${shots}/web-390x664-locked-plus150.png` });

  await page.keyboard.down("Shift");
  await page.keyboard.press("Digit3");
  await page.keyboard.up("Shift");
  await until(() => stored(page, "lockedString"), "0");
  assert.equal(await read(page, "document.getElementById('thirdString').hasAttribute('locked')"), false);
}, { timeout: 60000, viewport: phone });

// A G3 against a reference of A4 = 442.3 Hz.
const g3At442 = 442.3 * 2 ** (-14 / 12);
server.test("take it from a note refuses silence, offers the reference a sustained G3 asks for and keeps it only when asked", plucks(g3At442, g3At442, g3At442), async (page) => {
  // A scripted press reaches the page's listener for the first touch as a touch does. The browser
  // refuses it the audio, but not once the page captures the microphone, which the page opens only
  // after the first press has made its audio context. So the presses before the first touch are
  // made in one go, which the microphone's opening cannot come between: the tuner has heard
  // nothing to take a note from, and still waits for the tap.
  assert.deepEqual(await read(page, `(() => {
    const press = (selector) => document.querySelector(selector).click();
    press(".tab[data-page='settingsPage']");
    press("#takeReferenceButton");
    const refused = [/\\w/.test(document.getElementById("referenceMessage").textContent),
      document.getElementById("keepReferenceButton").hidden];
    press(".tab[data-page='tunerPage']");
    return refused;
  })()`), [true, true]);

  // The first touch is given on the tuner's page, where the player sees what it starts.
  await tapToStart(page);
  await until(async () => {
    await click(page, "#takeReferenceButton");
    return read(page, "document.getElementById('keepReferenceButton').hidden");
  }, false, 20);
  const offer = await text(page, "referenceMessage");
  const found = /^A4 = (\d+\.\d) Hz \u2014 keep\?$/.exec(offer);
  assert.ok(found, offer);
  assert.ok(Math.abs(Number(found[1]) - 442.3) <= 0.6, offer);
  assert.equal(await stored(page, "referencePitch"), null);
  await click(page, "#keepReferenceButton");
  assert.deepEqual(await read(page, `[localStorage.getItem("strumwise:referencePitch"), document.getElementById("referencePitchInput").value]`),
    [found[1], found[1]]);
}, { timeout: 60000, viewport: phone, start: false });
