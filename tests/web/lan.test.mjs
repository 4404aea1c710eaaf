// The web edition reached as a phone reaches it: at this machine's address in the local network
// rather than at localhost, as scripts/serve_web.sh --lan serves it. The checks run in a network
// namespace of their own, whose only address stands in for the LAN's, so nothing is served
// beyond this machine.
import assert from "node:assert/strict";
import { execFileSync, spawnSync } from "node:child_process";
import { createHash } from "node:crypto";
import { cpSync, mkdirSync, readFileSync, statSync, writeFileSync } from "node:fs";
import { join } from "node:path";
import { test } from "node:test";
import { fileURLToPath } from "node:url";
import {
  plucks, read, releaseAgain, scratchFolder, silence, site, started, tapToStart, text, until,
  updateOffer, withBrowser, withProjectServer, withTuner,
} from "./browser.mjs";

const lanAddress = "10.77.0.1";

if (!process.env.STRUMWISE_IN_LAN) {
  test("over the local network", (t) => {
    const unshare = ["--map-root-user", "--net"];
    if (spawnSync("unshare", [...unshare, "true"]).status !== 0) return t.skip("this machine gives no network namespace");
    // The runner's own context would make the runner inside skip every file as a nested run.
    const { NODE_TEST_CONTEXT, ...environment } = process.env;
    const inside = spawnSync("unshare", [...unshare, "bash", "-c",
      `ip link set lo up && ip addr add ${lanAddress}/24 dev lo && exec "$0" --test "$1"`,
      process.execPath, fileURLToPath(import.meta.url)], { env: { ...environment, STRUMWISE_IN_LAN: "1" }, stdio: "inherit" });
    assert.equal(inside.status, 0, "the checks inside the network namespace failed");
  });
} else {
  const stopped = (child) => new Promise((resolve) => { child.once("exit", resolve); child.kill(); });

  test("a phone installs this computer's certificate from the page scripts/serve_web.sh --lan offers, and then gets the whole web edition: it listens, installs, works offline and is offered a new release", { timeout: 180000 }, async () => {
    const [data, home, folder] = ["data", "home", "lan-site"].map(scratchFolder);
    cpSync(site, folder, { recursive: true });
    const serve = () => started("bash", ["scripts/serve_web.sh", "--lan", "--site", folder], { XDG_DATA_HOME: data });
    let { child, url, output } = await serve();
    try {
      const setup = `http://${lanAddress}:8080/`;
      assert.equal(url, `https://${lanAddress}:8443/`);
      assert.ok(output().includes(`open ${setup} or scan this code`), output());
      assert.match(output(), /[\u2580\u2584\u2588]{8}/, "no QR code");
      // The authority's key and the address's are the user's alone.
      const tls = join(data, "strumwise", "lan-tls");
      const mode = (name) => (statSync(join(tls, name)).mode & 0o777).toString(8);
      assert.deepEqual([mode(""), mode("ca.key"), mode(`${lanAddress}.key`)], ["700", "600", "600"]);

      // The page the QR code opens offers the certificate, names the fingerprint the computer
      // printed, and leads to the tuner.
      const page = await (await fetch(setup)).text();
      const response = await fetch(new URL(/id="certificate" href="([^"]+)"/.exec(page)[1], setup));
      assert.equal(response.headers.get("content-type"), "application/x-x509-ca-cert");
      const certificate = join(home, "strumwise-lan-ca.crt");
      writeFileSync(certificate, Buffer.from(await response.arrayBuffer()));
      const fingerprint = createHash("sha256").update(readFileSync(certificate)).digest("hex").toUpperCase().match(/../g).join(":");
      assert.ok(page.includes(fingerprint) && output().includes(fingerprint), `${fingerprint} is not on the page and the terminal`);
      assert.ok(page.includes(`id="tuner" href="${url}"`));
      assert.match(page, /Settings .* CA certificate/);
      // Trusted as a phone's owner installs an authority: Chromium here reads the certificate
      // store in the user's home folder.
      const store = join(home, ".pki", "nssdb");
      mkdirSync(store, { recursive: true });
      execFileSync("certutil", ["-d", `sql:${store}`, "-N", "--empty-password"]);
      execFileSync("certutil", ["-d", `sql:${store}`, "-A", "-t", "C,,", "-n", "Strumwise", "-i", certificate]);

      await withTuner(plucks(196), url, async (tuner) => {
        assert.equal(await read(tuner, "isSecureContext"), true);
        await until(() => text(tuner, "noteDisplay"), "G3");
        await read(tuner, "navigator.serviceWorker.ready.then(() => true)");
        const session = await tuner.createCDPSession();
        assert.deepEqual((await session.send("Page.getInstallabilityErrors")).installabilityErrors, []);

        // With this computer gone, the tuner still opens.
        await tuner.reload({ waitUntil: "load" });
        await stopped(child);
        await tuner.reload({ waitUntil: "load" });
        await until(() => text(tuner, "currentTuningName"), "Open G (gDGBD)");

        // A new release, served by the same script with the same authority, is offered.
        const authority = readFileSync(join(tls, "ca.crt"));
        releaseAgain(folder);
        ({ child } = await serve());
        assert.deepEqual(readFileSync(join(tls, "ca.crt")), authority);
        await tuner.reload({ waitUntil: "load" });
        await until(() => read(tuner, updateOffer), "Update available \u2014 reload", 20);
      }, { home });
    } finally {
      await stopped(child);
    }
  });

  test("a phone that went past the warning instead listens, and is told plainly that the tuner cannot be installed or work offline from there, and where the certificate is", { timeout: 120000 }, async () => {
    const { child, url } = await started("bash", ["scripts/serve_web.sh", "--lan", "--site", site], { XDG_DATA_HOME: scratchFolder("data") });
    await withBrowser(plucks(196), async (browser) => {
      const page = await browser.newPage();
      const said = [];
      page.on("console", (message) => said.push(message.text()));
      await page.setViewport({ width: 390, height: 664 });
      await page.goto(url).catch(() => {});
      // Chromium's own way past its warning page, for a page that offers no button to tests.
      // The warning hears the words only once its own script has run: typed before, they are lost.
      await until(() => page.evaluate(() => `${document.title} ${document.readyState}`), "Privacy error complete");
      await page.keyboard.type("thisisunsafe");
      await until(() => read(page, 'document.getElementById("notice")?.querySelector("p")?.textContent ?? null'),
        "This device does not trust this address's certificate, so Strumwise cannot be installed or work offline " +
        "from here. Install this computer's certificate once, or use a copy on an https web host.")
        .catch(async (error) => {
          throw new Error(`${error.message}; the page, titled ${JSON.stringify(await page.title())}, said ${JSON.stringify(said)}`);
        });
      // The notice may come before the layout is placed.
      await until(() => read(page, 'document.querySelector(".layoutRoot #MainScreen") !== null'), true);
      await tapToStart(page);
      await until(() => text(page, "noteDisplay"), "G3");
      await page.click("#notice button:not(.close)");
      await until(() => read(page, 'document.getElementById("certificate")?.getAttribute("href") ?? null'),
        "/lan-certificate/strumwise-lan-ca.crt");
    }, "en-US", { home: scratchFolder("home") }).finally(() => stopped(child));
  });

  test("over plain http at the LAN address the page says how to get the microphone, its notice closes, and forks do not throw", async () => {
    await withProjectServer({ args: ["--bind", lanAddress] }, ({ url }) =>
      withTuner(silence(), url, async (page) => {
        assert.equal(await read(page, "isSecureContext"), false);
        const notice = () => read(page, 'document.getElementById("notice").hidden ? null : document.querySelector("#notice p").textContent');
        const expected = "The microphone needs a secure (https) address \u2014 open the https link that " +
          "scripts/web.sh --lan prints, or localhost";
        await until(notice, expected);
        assert.deepEqual(await read(page, `[document.getElementById("startOverlay").hidden,
          document.getElementById("fifthFreqButton").getAttribute("aria-disabled")]`), [true, "true"]);
        // Closed, the notice comes back with a fork pressed by the pointer or by its key.
        for (const press of [() => page.click("#fifthFreqButton"), () => page.keyboard.press("3")]) {
          await page.click("#notice button.close");
          assert.equal(await notice(), null);
          await press();
          await until(notice, expected);
        }
      }, { viewport: { width: 844, height: 390 }, start: false }));
  });
}
