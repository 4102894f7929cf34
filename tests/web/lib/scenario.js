// scenario.js: what every browser scenario does with the browser build.
//
// A scenario script calls scenario(NAME, body): the build's web/ folder
// (ZIMBOLO_BUILD_DIR/web) is served on 127.0.0.1, Debian's chromium runs
// headless with WebGL on SwiftShader and a browser profile of the scenario's
// own, and body(s) drives it. Screenshots and the profile go to
// ZIMBOLO_BUILD_DIR/browser/NAME/. The scenario fails with the game's console
// output when body throws, and passes when it returns. The benchmarks call
// drive(NAME, body, options), which does the same with another folder or
// response headers and hands back what body returns.
//
// s (a Scenario):
//   open()                  loads the page, whose console lines go to s.output
//   reload()                loads the page again in the same tab
//   key(NAME, pause)        holds a key (puppeteer's name) for 150 ms, as the
//                           game reads held keys once per update; then waits
//                           pause ms (400)
//   shot(NAME)              a screenshot NAME.png; its mean colour {red,
//                           green, blue}
//   shotUntil(NAME, test, seconds)
//                           screenshots until test(colour) holds (60 s)
//   shotStill(NAME, seconds)
//                           screenshots until two in a row look the same
//   waitFor(what, check, seconds)
//                           polls check() until it gives a true value (60 s);
//                           what (a text, or a function giving one) names it
//                           when it does not
//   expectOutput(line)      fails unless the game printed the line
//   state()                 the state file kept in the browser (IndexedDB),
//                           as text, or null
//   fail(message)
// Colour tests, as the desktop scenarios tell screens apart: isMenu,
// isMenuUp. State helpers: stateField(text, n), stateRecent(text, mode, row).
"use strict";

const fs = require("fs");
const http = require("http");
const path = require("path");
const puppeteer = require("puppeteer-core");

const BUILD = process.env.ZIMBOLO_BUILD_DIR || process.cwd();
const WEB_DIR = path.join(BUILD, "web");
const CHROMIUM = process.env.ZIMBOLO_CHROMIUM || "/usr/bin/chromium";
// WebGL on SwiftShader, sound without a gesture, no sandbox when run as root.
const CHROMIUM_ARGS = ["--use-angle=swiftshader", "--enable-unsafe-swiftshader",
  "--autoplay-policy=no-user-gesture-required", "--no-sandbox"];
const VIEWPORT = {width: 800, height: 600};
const WAIT_SECONDS = 60;
const KEY_HOLD_MS = 150;
const POLL_MS = 100;
const TYPES = {".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm",
  ".data": "application/octet-stream", ".png": "image/png"};

const sleep = ms => new Promise(resolve => setTimeout(resolve, ms));

// Serves dir on 127.0.0.1, with the extra headers given; resolves to the
// server once it listens.
function serve(dir, headers) {
  const server = http.createServer((request, response) => {
    const name = path.normalize(decodeURIComponent(request.url.split("?")[0])).replace(/^\/+/, "");
    const file = path.join(dir, name || "index.html");
    if (!file.startsWith(dir) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      response.writeHead(404);
      response.end();
      return;
    }
    response.writeHead(200, {...headers, "Content-Type": TYPES[path.extname(file)] || "application/octet-stream"});
    fs.createReadStream(file).pipe(response);
  });
  return new Promise(resolve => server.listen(0, "127.0.0.1", () => resolve(server)));
}

// The mean colour of a PNG screenshot, worked out by the page's own canvas.
function meanColour(page, png) {
  return page.evaluate(async base64 => {
    const bitmap = await createImageBitmap(await (await fetch("data:image/png;base64," + base64)).blob());
    const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
    const context = canvas.getContext("2d");
    context.drawImage(bitmap, 0, 0);
    const data = context.getImageData(0, 0, bitmap.width, bitmap.height).data;
    const sum = [0, 0, 0];
    for (let i = 0; i < data.length; i += 4) for (let c = 0; c < 3; ++c) sum[c] += data[i + c];
    const count = data.length / 4;
    return {red: Math.floor(sum[0] / count), green: Math.floor(sum[1] / count), blue: Math.floor(sum[2] / count)};
  }, Buffer.from(png).toString("base64"));
}

class Scenario {
  constructor(name, server) {
    this.name = name;
    this.dir = path.join(BUILD, "browser", name);
    this.url = `http://127.0.0.1:${server.address().port}/`;
    this.output = [];
    fs.rmSync(this.dir, {recursive: true, force: true});
    fs.mkdirSync(this.dir, {recursive: true});
  }

  async launch() {
    this.browser = await puppeteer.launch({executablePath: CHROMIUM, headless: true, args: CHROMIUM_ARGS,
      userDataDir: path.join(this.dir, "profile")});
    this.page = await this.browser.newPage();
    await this.page.setViewport(VIEWPORT);
    this.page.on("console", message => this.output.push(message.text()));
    this.page.on("pageerror", error => this.output.push("page error: " + error.message));
  }

  async open() {
    await this.page.goto(this.url);
  }

  async reload() {
    this.output.push("-- reload --");
    await this.page.reload();
  }

  async key(name, pause = 400) {
    await this.page.keyboard.down(name);
    await sleep(KEY_HOLD_MS);
    await this.page.keyboard.up(name);
    await sleep(pause);
  }

  async shot(name) {
    const png = await this.page.screenshot({path: path.join(this.dir, name + ".png")});
    return meanColour(this.page, png);
  }

  async waitFor(what, check, seconds = WAIT_SECONDS) {
    const end = Date.now() + seconds * 1000;
    let last;
    for (;;) {
      last = await check();
      if (last) return last;
      if (Date.now() > end) this.fail(`no ${typeof what === "function" ? what() : what} within ${seconds} s`);
      await sleep(POLL_MS);
    }
  }

  async shotUntil(name, test, seconds = WAIT_SECONDS) {
    let colour;
    await this.waitFor(() => `${name} screen (mean colour ${JSON.stringify(colour)})`, async () => {
      colour = await this.shot(name);
      return test(colour);
    }, seconds);
    return colour;
  }

  async shotStill(name, seconds = WAIT_SECONDS) {
    let before = null;
    return this.shotUntil(name, colour => {
      const still = before && JSON.stringify(colour) === JSON.stringify(before);
      before = colour;
      return still;
    }, seconds);
  }

  expectOutput(line) {
    if (!this.output.includes(line)) this.fail(`the game did not print "${line}"`);
  }

  async state() {
    return this.page.evaluate(() => new Promise((resolve, reject) => {
      const open = indexedDB.open("zimbolo");
      open.onerror = () => reject(open.error);
      open.onsuccess = () => {
        const db = open.result;
        if (!db.objectStoreNames.contains("files")) return resolve(null);
        const get = db.transaction("files").objectStore("files").get(".velmarstate");
        get.onsuccess = () => resolve(get.result ? new TextDecoder().decode(get.result) : null);
        get.onerror = () => reject(get.error);
      };
    }));
  }

  fail(message) {
    throw new Error(message);
  }
}

// Screens told apart by their mean colour.
const isMenu = c => c.green > 90 && c.green > c.red && c.green > c.blue;
const isMenuUp = c => c.green > c.red;

// The state file holds 25 settings and their sum, 8 badge words and their
// sum, then per mode ten (best, recent) pairs and their sum.
const STATE_MODES_AT = 35;
const STATE_MODE_FIELDS = 21;
const stateField = (text, n) => text.split("|")[n];
const stateRecent = (text, mode, row) =>
  stateField(text, STATE_MODES_AT + STATE_MODE_FIELDS * (mode - 1) + 2 * row + 1);

// Runs body(s) on a page served from webDir (the build's web/), with the
// extra response headers given; resolves to what body returns, or rejects
// with the page's console output added to the error's message.
async function drive(name, body, {webDir = WEB_DIR, headers = {}} = {}) {
  const server = await serve(webDir, headers);
  const s = new Scenario(name, server);
  try {
    await s.launch();
    return await body(s);
  } catch (error) {
    error.message += `\n-- the page's console --\n${s.output.join("\n")}`;
    throw error;
  } finally {
    if (s.browser) await s.browser.close();
    server.close();
  }
}

// Runs a scenario; the process's status tells CTest how it went.
async function scenario(name, body) {
  try {
    await drive(name, body);
  } catch (error) {
    console.log(`${name}: FAILED: ${error.message}`);
    process.exit(1);
  }
  console.log(`${name}: passed`);
}

module.exports = {scenario, drive, isMenu, isMenuUp, stateField, stateRecent};
