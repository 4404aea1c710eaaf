// The web edition reached as a phone reaches it: at this machine's address in the local network
// rather than at localhost. The checks run in a network namespace of their own, whose only
// address stands in for the LAN's, so nothing is served beyond this machine.
import assert from "node:assert/strict";
import { spawn, spawnSync } from "node:child_process";
import { mkdtempSync, readdirSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { test } from "node:test";
import { fileURLToPath } from "node:url";
import { openTuner, plucks, read, silence, site, text, until, withBrowser } from "./browser.mjs";

const lanAddress = "10.77.0.1";
const root = fileURLToPath(new URL("../../", import.meta.url));

if (!process.env.STRUMWISE_IN_LAN) {
  test("over the local network", (t) => {
    const unshare = ["--map-root-user", "--net"];
    if (spawnSync("unshare", [...unshare, "true"]).status !== 0) return t.skip("this machine gives no network namespace");
    const inside = spawnSync("unshare", [...unshare, "bash", "-c",
      `ip link set lo up && ip addr add ${lanAddress}/24 dev lo && exec "$0" --test "$1"`,
      process.execPath, fileURLToPath(import.meta.url)], { env: { ...process.env, STRUMWISE_IN_LAN: "1" }, stdio: "inherit" });
    assert.equal(inside.status, 0, "the checks inside the network namespace failed");
  });
} else {
  // Starts `command` and answers the first address it prints, and the output so far.
  const started = (command, args, env = {}) => new Promise((resolve, reject) => {
    const child = spawn(command, args, { cwd: root, env: { ...process.env, STRUMWISE_SERVE_QUIET: "1", ...env } });
    let output = "";
    child.stdout.on("data", (data) => {
      output += data;
      const found = /Serving the web edition on (\S+)/.exec(output);
      if (found) resolve({ child, url: found[1], output });
    });
    child.stderr.on("data", (data) => { output += data; });
    child.on("exit", (code) => reject(new Error(`${command} stopped with ${code}: ${output}`)));
  });

  test("scripts/serve_web.sh --lan serves https at the LAN address, with a QR code, and the tuner listens there", async () => {
    const cache = mkdtempSync(join(tmpdir(), "strumwise-cache-"));
    const { child, url, output } = await started("bash", ["scripts/serve_web.sh", "--lan", "--site", site], { XDG_CACHE_HOME: cache });
    try {
      assert.equal(url, `https://${lanAddress}:8443/`);
      assert.match(output, new RegExp(`Open https://${lanAddress.replaceAll(".", "\\.")}:8443/ on a phone`));
      assert.match(output, /[\u2580\u2584\u2588]{8}/, "no QR code");
      assert.match(output, /asks once to accept/);
      assert.deepEqual(readdirSync(join(cache, "strumwise", "lan-tls")).sort(), [`${lanAddress}.crt`, `${lanAddress}.key`]);
      // The test trusts the certificate as the phone's owner does once.
      await withBrowser(plucks(196), async (browser) => {
        const page = await openTuner(browser, url);
        assert.equal(await read(page, "isSecureContext"), true);
        await until(() => text(page, "noteDisplay"), "G3");
        assert.deepEqual(page.errors, []);
      }, "en-US", { extra: ["--ignore-certificate-errors"] });
    } finally {
      child.kill();
    }
  });

  test("over plain http at the LAN address the page says how to get the microphone, and forks do not throw", async () => {
    const { child, url } = await started("python3", ["scripts/serve_site.py", "--site", site, "--bind", lanAddress, "--port", "0"]);
    try {
      await withBrowser(silence(), async (browser) => {
        const page = await openTuner(browser, url, undefined, { start: false });
        assert.equal(await read(page, "isSecureContext"), false);
        const notice = () => read(page, 'document.getElementById("notice").hidden ? null : document.querySelector("#notice p").textContent');
        const expected = "The microphone needs a secure (https) address \u2014 open the https link that " +
          "scripts/web.sh --lan prints, or localhost";
        await until(notice, expected);
        assert.equal(await read(page, 'document.getElementById("startOverlay").hidden'), true);
        assert.equal(await read(page, 'document.getElementById("fifthFreqButton").getAttribute("aria-disabled")'), "true");
        await read(page, 'document.getElementById("notice").hidden = true');
        await page.click("#fifthFreqButton");
        await page.keyboard.press("3");
        await until(notice, expected);
        assert.deepEqual(page.errors, []);
      });
    } finally {
      child.kill();
    }
  });
}
