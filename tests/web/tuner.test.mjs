// The web edition end to end in headless Chromium: sox plucks as the microphone, the page's own
// audio graph for the reference tone, localStorage and the service worker across reloads.
import assert from "node:assert/strict";
import { pause, plainName, plucks, read, servedForTests, silence, tapToStart, text, until } from "./browser.mjs";

const G3 = 196;
const server = servedForTests();

// Everything the tick writes, read at one moment: the tick writes all of it in one task, so the
// parts always belong to the same reading.
const screenNow = async (page) => {
  const screen = await read(page, `(() => {
  const outlet = (name) => document.getElementById(name);
  return { note: outlet("noteDisplay").textContent, frequency: outlet("freq_label").textContent,
    lamp: outlet("LEDDisplay").getAttribute("src"), string: outlet("tunedString5").getAttribute("src"),
    stringShown: getComputedStyle(outlet("tunedString5")).visibility !== "hidden", look: outlet("screen").dataset.look,
    // An idle meter shows no cents at all, which is no reading of 0.
    cents: outlet("tuningMeter").dataset.cents === "" ? null : Number(outlet("tuningMeter").dataset.cents),
    hint: document.querySelector('[data-name="hint"]').checkVisibility({ visibilityProperty: true }) };
})()`);
  return { ...screen, lamp: plainName(screen.lamp), string: plainName(screen.string) };
};

// The screens of `seconds` of listening whose meter shows a reading, from the first one on: two
// loops of the fake microphone's file, so each pluck's onset and tail are a small part of them.
async function readings(page, seconds = 3) {
  await until(async () => (await screenNow(page)).frequency !== "", true, 15);
  const seen = [];
  for (const end = Date.now() + seconds * 1000; Date.now() < end;) {
    const now = await screenNow(page);
    if (now.frequency !== "" && Number.isFinite(now.cents)) seen.push(now);
    await pause(0.05);
  }
  return seen;
}

server.test("a G3 in open G lights the lamp, the note, the frequency and the string and centres the meter", plucks(G3), async (page) => {
  const inTune = (await readings(page)).filter((screen) => screen.note === "G3");
  assert.ok(inTune.length > 0, "the G3 never lit");
  // The lit note holds through a pluck's edges, where the estimate reads the edge: inside the
  // plucks, which are most of the time, the frequency is the G3's.
  const inside = inTune.filter((screen) => screen.frequency === "196Hz");
  assert.ok(inside.length > inTune.length / 2, inTune.map((screen) => screen.frequency).join(" "));
  // The reading in the middle of the pluck: the median by cents.
  const screen = [...inside].sort((a, b) => a.cents - b.cents)[inside.length >> 1];
  assert.ok(Math.abs(screen.cents) < 2 && screen.look === "inTune", JSON.stringify(screen));
  // Lamp and string lit on every lit screen; "Pluck a string" is for a tuner waiting for one:
  // it is gone while a string is read.
  assert.deepEqual(inTune.filter((lit) => lit.lamp !== "images/green64.png" || !/^images\/3rd_string/.test(lit.string) ||
    !lit.stringShown || lit.hint), []);
});

// The tunings' order and titles are the module's, as is the run count the page's store keeps
// (audio.test.mjs): here, that the browser's button and key reach the module, and that the
// address decides whether the developers' lines show.
server.test("the tuning browser's button and Left key walk the tunings, and the console shows the tuner's own lines only when asked", silence(), async (page) => {
  await page.click("#showNextTuningButton");
  assert.equal(await text(page, "currentTuningName"), "Double D (aDADE)");
  await page.keyboard.press("ArrowLeft");
  assert.equal(await text(page, "currentTuningName"), "Open G (gDGBD)");
  // The tuner's own log lines are its developers': the console has none of them, not even the
  // metering status that reads like a failure, until the address asks for them.
  const metering = () => page.messages.filter((line) => line.startsWith("AudioQueueSetProperty error"));
  assert.deepEqual(metering(), []);
  await page.goto(server.url + "?verbose", { waitUntil: "load" });
  await until(async () => metering(), ["AudioQueueSetProperty error: 0"]);
});

// The five strings of open G, then an A3, which is none of them: the tuner asks for a review on a
// loud sound that matches no string once every string has been tuned.
server.test("with a run history the rating dialog follows five tuned strings, and No, Thanks is kept", plucks(293.66, 246.94, 196, 146.83, 392, 220), async (page) => {
  // Ten days of use, and a "remind me later" that runs out six seconds from now: the launch
  // does not prompt, the five tuned strings and the A3 (9 s of plucks, then 4 s) do.
  await read(page, `(() => {
    localStorage.clear();
    const now = Date.now() / 1000;
    const history = { Plinmoor: "true", numberOfRuns: "5", kRatingPromptCurrentVersion: "1.0.0",
      kRatingPromptFirstUseDate: String(now - 10 * 86400), kRatingPromptUseCount: "10",
      kRatingPromptReminderRequestDate: String(now - 86400 + 6) };
    for (const [key, value] of Object.entries(history)) localStorage.setItem("strumwise:" + key, value);
  })()`);
  const loaded = Date.now();
  await page.reload({ waitUntil: "load" });
  await tapToStart(page);
  // Generous: a busy machine can drop a pluck, and the microphone file loops every 9 s.
  const dialog = await page.waitForSelector("dialog.alert[open]", { timeout: 60000 });
  assert.ok(Date.now() - loaded > 7500, `the dialog came ${Date.now() - loaded} ms after the launch`);
  const decline = await dialog.$("xpath/.//button[text()='No, Thanks']");
  assert.ok(decline, await dialog.evaluate((shown) => shown.textContent));
  await decline.click();
  await until(() => read(page, 'document.querySelector("dialog.alert") === null'), true);
  assert.equal(await read(page, 'localStorage.getItem("strumwise:kRatingPromptDeclinedToRate")'), "true");
});
