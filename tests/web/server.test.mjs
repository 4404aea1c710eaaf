// The project's own web server (scripts/serve_site.py), which answers anyone on the network a
// phone is on: what it lets browsers keep, what it serves and refuses, its memory across
// rebuilds, and connections that never finish or come in their hundreds.
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { randomBytes } from "node:crypto";
import { cpSync, mkdirSync, readFileSync, symlinkSync, writeFileSync } from "node:fs";
import { connect } from "node:net";
import { join } from "node:path";
import { test } from "node:test";
import { projectServer, scratchFolder, site, siteFile, until, withProjectServer } from "./browser.mjs";

// A client that sends exactly `request` (a path, or whole bytes) and answers the status of the
// answer, or null when the server closed the connection without one; `drip` sends the bytes one
// at a time that many milliseconds apart, as a client that holds a connection open would.
function ask(url, request, { drip = 0 } = {}) {
  const { hostname, port } = new URL(url);
  const bytes = request.startsWith("/") ? `GET ${request} HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n` : request;
  return new Promise((resolve) => {
    let [answer, timer] = ["", null];
    const socket = connect(Number(port), hostname, () => {
      if (!drip) return socket.write(bytes);
      let sent = 0;
      timer = setInterval(() => { if (sent < bytes.length && !socket.destroyed) socket.write(bytes[sent++]); }, drip);
    });
    const done = (status) => { clearInterval(timer); socket.destroy(); resolve(status); };
    socket.on("data", (data) => { answer += data; });
    socket.on("close", () => done(/^HTTP\/1\.[01] (\d{3})/.exec(answer)?.[1] ?? null));
    socket.on("error", () => {});
    socket.setTimeout(30000, () => done("still open after 30 s"));
  });
}

const residentKilobytes = (pid) => Number(/VmRSS:\s+(\d+)/.exec(readFileSync(`/proc/${pid}/status`, "utf8"))[1]);

test("the project's server lets browsers keep the files named after their contents and check the rest, serves only regular files inside the site, lists no folder, answers a bad path with 400, and prints no traceback", async () => {
  const folder = scratchFolder("served");
  const outside = scratchFolder("private");
  writeFileSync(join(outside, "secret.txt"), "not for the network");
  cpSync(site, folder, { recursive: true });
  symlinkSync(join(outside, "secret.txt"), join(folder, "secret.txt"));
  symlinkSync(outside, join(folder, "private"));
  symlinkSync(join(folder, "index.html"), join(folder, "start.html"));
  mkdirSync(join(folder, "notes"));
  writeFileSync(join(folder, "notes", "a.txt"), "kept");
  execFileSync("mkfifo", [join(folder, "pipe.js")]);
  await withProjectServer({ root: folder }, async ({ url, errors }) => {
    const year = "public, max-age=31536000, immutable";
    const caching = { "": "no-cache", "index.html": "no-cache", "manifest.webmanifest": "no-cache", "service-worker.js": "no-cache",
      [siteFile("host.js")]: year, [siteFile("strumwise.wasm")]: year, [siteFile("images/green64.png")]: year };
    const cached = {};
    for (const path of Object.keys(caching)) {
      const response = await fetch(url + path);
      cached[path] = response.status === 200 && response.headers.get("cache-control");
    }
    assert.deepEqual(cached, caching);
    // The page names the hashed files, and nothing by its plain name.
    const page = await (await fetch(url)).text();
    assert.match(page, new RegExp(`src="${siteFile("host.js").replace(".", "\\.")}"`));
    assert.doesNotMatch(page, /(src|href)="(host|boot|resources|strumwise)\.(js|wasm)"/);
    const expected = { "/": "200", "/start.html": "200", "/notes/a.txt": "200", "/images": "301", "/secret.txt": "404",
      "/private/secret.txt": "404", "/notes/": "404", "/pipe.js": "404", "/..%2f..%2fetc/passwd": "404", "/index.html%00": "400",
      "/%ff.js": "400", "/%5c..%5cindex.html": "400", "/index.html%0d%0aSet-Cookie:%20x": "400" };
    const answered = {};
    for (const path of Object.keys(expected)) answered[path] = await ask(url, path);
    assert.deepEqual(answered, expected);
    // A request line that is no request line at all.
    assert.equal(await ask(url, "GET /index.html HTTP/1.1 and more\r\n\r\n"), "400");
    assert.doesNotMatch(errors(), /Traceback/);
  });
});

test("a file rebuilt many times keeps one compressed copy in the server's memory", async () => {
  const folder = scratchFolder("rebuilt");
  writeFileSync(join(folder, "index.html"), "<!DOCTYPE html>");
  await withProjectServer({ root: folder }, async ({ url, pid }) => {
    // Random text compresses to about three quarters: each copy kept would cost 1.5 MB.
    const rebuildAndFetch = async () => {
      writeFileSync(join(folder, "module.js"), randomBytes(1.5 * 2 ** 20).toString("base64"));
      const response = await fetch(url + "module.js", { headers: { "accept-encoding": "gzip" } });
      assert.equal(response.headers.get("content-encoding"), "gzip");
      await response.arrayBuffer();
    };
    await rebuildAndFetch();
    const before = residentKilobytes(pid);
    for (let build = 0; build < 30; ++build) await rebuildAndFetch();
    const grown = residentKilobytes(pid) - before;
    assert.ok(grown < 15 * 1024, `the server grew by ${grown} KB over 30 rebuilds`);
  });
});

test("connections that never finish their request or handshake are let go, those beyond the descriptors are refused with a line each, and the server serves on", async () => {
  // 64 descriptors leave room for 16 connections; the listen queue holds a burst of 128.
  const { url, errors, stop } = await projectServer({ descriptors: 64, args: ["--request-seconds", "1"] });
  const tls = scratchFolder("tls");
  execFileSync("openssl", ["req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1", "-subj", "/CN=test",
    "-keyout", join(tls, "key.pem"), "-out", join(tls, "cert.pem")], { stdio: "ignore" });
  const secure = await projectServer({ args: ["--request-seconds", "1", "--cert", join(tls, "cert.pem"), "--key", join(tls, "key.pem")] });
  const held = [];
  try {
    const port = new URL(url).port;
    const backlog = execFileSync("ss", ["-Hltn", `sport = :${port}`], { encoding: "utf8" }).trim().split(/\s+/)[2];
    assert.equal(backlog, "128");
    // A request sent a byte every 300 ms, and a TLS connection that never says hello: both are
    // closed without an answer once their second is up.
    assert.deepEqual(await Promise.all([ask(url, "/index.html", { drip: 300 }), ask(secure.url, "")]), [null, null]);

    // Forty connections that send nothing, under a limit of sixteen that last ten seconds: the
    // last twenty-four are closed at once, each with one line.
    await withProjectServer({ descriptors: 64, args: ["--request-seconds", "10"] }, async (slow) => {
      const slowPort = Number(new URL(slow.url).port);
      let closed = 0;
      for (let i = 0; i < 40; ++i) {
        const socket = connect(slowPort, "127.0.0.1");
        socket.on("error", () => {});
        socket.on("close", () => { ++closed; });
        held.push(socket);
        await new Promise((resolve) => socket.on("connect", resolve));
      }
      const refusals = () => slow.errors().match(/refused a connection from 127\.0\.0\.1: 16 connections are open/g)?.length ?? 0;
      await until(async () => [closed, refusals()], [24, 24]);
      // Once the idle ones are gone, a player is served.
      held.forEach((socket) => socket.destroy());
      await until(async () => (await fetch(slow.url)).status, 200);
      assert.doesNotMatch(slow.errors(), /Traceback/);
    });
    assert.equal((await fetch(url)).status, 200);
    assert.doesNotMatch(errors() + secure.errors(), /Traceback/);
  } finally {
    held.forEach((socket) => socket.destroy());
    stop();
    secure.stop();
  }
});
