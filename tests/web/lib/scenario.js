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
//   open(page)              loads the game in the page (s.page), whose console
//                           lines go to s.output
//   reload()                loads the page again in the same tab
//   restart()               closes the browser and starts it again on the
//                           same profile, with a new s.page (not loaded)
//   serveInstead(NAME, bytes)
//                           serves bytes for the file NAME from now on
//   key(NAME, pause)        holds a key (puppeteer's name) for 150 ms, as the
//                           game reads held keys once per update; then waits
//                           pause ms (400)
//   endGame()               Escape, Left, Enter: ends a game from its pause
//                           panel, or quits from the menu
//   press(x, y, pause)      holds the mouse button there for 150 ms, the same
//   followBall()            from now on points at the balls in play, so that
//                           a game started with the pointer returns them
//   run(fn, ...args)        fn(...args) in the page, as its own code, with no
//                           gesture of the player
//   shot(NAME, area)        a screenshot NAME.png; the mean colour {red, green,
//                           blue} of area ({x, y, width, height} in page
//                           pixels, the whole page without one), and the mean
//                           height brightY of its white pixels (null if none)
//   shotUntil(NAME, test, seconds, area)
//                           screenshots until test(colour) holds (60 s)
//   shotStill(NAME, seconds, area)
//                           screenshots until two in a row look the same
//   waitFor(what, check, seconds)
//                           polls check() until it gives a true value (60 s);
//                           what (a text, or a function giving one) names it
//                           when it does not
//   message(page)           the text the page shows over the game (with its
//                           button's label), or "" while it shows none
//   expectOutput(line)      fails unless the game printed the line
//   state(), setState(text) the state file kept in the browser (IndexedDB),
//                           as text, or null; setState needs a loaded page
//   fail(message)
// Colour tests, as the desktop scenarios tell screens apart: isMenu,
// isMenuUp. State helpers: stateField(text, n), stateBest(text, mode, row),
// stateRecent(text, mode, row); LOAD_MESSAGES, what loading a whole state
// prints.
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

// Serves dir on 127.0.0.1 with the extra headers given, or for a file named
// in replaced the bytes given there; resolves to the server once it listens.
function serve(dir, headers, replaced) {
  const server = http.createServer((request, response) => {
    const name = path.normalize(decodeURIComponent(request.url.split("?")[0])).replace(/^\/+/, "") ||
      "index.html";
    const file = path.join(dir, name);
    const found = replaced.has(name) || (file.startsWith(dir) && fs.existsSync(file) &&
      fs.statSync(file).isFile());
    if (!found) {
      response.writeHead(404);
      response.end();
      return;
    }
    response.writeHead(200, {...headers, "Content-Type": TYPES[path.extname(file)] || "application/octet-stream"});
    if (replaced.has(name)) {
      response.end(replaced.get(name));
    } else {
      fs.createReadStream(file).pipe(response);
    }
  });
  return new Promise(resolve => server.listen(0, "127.0.0.1", () => resolve(server)));
}

// The mean colour of an area of a PNG screenshot and the mean height of its
// white pixels, worked out by a canvas in a page of its own (painter).
function meanColour(page, png, area) {
  return page.evaluate(async (base64, area) => {
    const bitmap = await createImageBitmap(await (await fetch("data:image/png;base64," + base64)).blob());
    const {x, y, width, height} = area || {x: 0, y: 0, width: bitmap.width, height: bitmap.height};
    const canvas = new OffscreenCanvas(width, height);
    const context = canvas.getContext("2d");
    context.drawImage(bitmap, -x, -y);
    const data = context.getImageData(0, 0, width, height).data;
    const sum = [0, 0, 0];
    let whites = 0, whiteRows = 0;
    for (let i = 0; i < data.length; i += 4) {
      for (let c = 0; c < 3; ++c) sum[c] += data[i + c];
      if (data[i] > 200 && data[i + 1] > 200 && data[i + 2] > 200) {
        whites += 1;
        whiteRows += Math.floor(i / 4 / width);
      }
    }
    const count = data.length / 4;
    return {red: Math.floor(sum[0] / count), green: Math.floor(sum[1] / count), blue: Math.floor(sum[2] / count),
      brightY: whites ? y + whiteRows / whites : null};
  }, Buffer.from(png).toString("base64"), area);
}

// Installed in the page: after every frame of the game, the pointer goes to
// the height of the white pixels in the field (the balls; the paddle, the
// walls and the HUD lie outside it), read back from the game's canvas.
function pointAtBalls() {
  const FIELD = {left: 0.05, right: 0.95, top: 0.17, bottom: 0.83};
  const STEP = 4;
  const canvas = Module.canvas;
  const gl = Module.ctx;
  let pixels = null;
  Module.postMainLoop = () => {
    const x = Math.floor(canvas.width * FIELD.left), width = Math.floor(canvas.width * FIELD.right) - x;
    const y = Math.floor(canvas.height * (1 - FIELD.bottom)), height = Math.floor(canvas.height * FIELD.bottom) - y;
    if (!pixels || pixels.length !== width * height * 4) pixels = new Uint8Array(width * height * 4);
    gl.readPixels(x, y, width, height, gl.RGBA, gl.UNSIGNED_BYTE, pixels);
    let rows = 0, whites = 0;
    for (let i = 0; i < pixels.length; i += 4 * STEP) {
      if (pixels[i] > 200 && pixels[i + 1] > 200 && pixels[i + 2] > 200) {
        rows += Math.floor(i / 4 / width);
        whites += 1;
      }
    }
    if (!whites) return;
    const box = canvas.getBoundingClientRect();
    const clientY = box.top + (1 - (y + rows / whites) / canvas.height) * box.height;
    canvas.dispatchEvent(new MouseEvent("mousemove", {clientX: box.left + box.width / 20, clientY, bubbles: true}));
  };
}

// In the page: the state file kept in IndexedDB as text (null when there is
// none), or, given text, keeps that instead.
// NOTE: the store is made as the game makes it, so that a game loaded later
// finds it.
function keptState(text) {
  return new Promise((resolve, reject) => {
    const open = indexedDB.open("zimbolo", 1);
    open.onupgradeneeded = () => open.result.createObjectStore("files");
    open.onerror = () => reject(open.error);
    open.onsuccess = () => {
      const db = open.result;
      const transaction = db.transaction("files", text === undefined ? "readonly" : "readwrite");
      const files = transaction.objectStore("files");
      const request = text === undefined ? files.get(".velmarstate") :
        files.put(new TextEncoder().encode(text), ".velmarstate");
      transaction.oncomplete = () => {
        db.close();
        resolve(text === undefined ? request.result && new TextDecoder().decode(request.result) || null : text);
      };
      transaction.onabort = () => reject(transaction.error);
    };
  });
}

class Scenario {
  constructor(name, server, replaced) {
    this.name = name;
    this.replaced = replaced;
    this.dir = path.join(BUILD, "browser", name);
    this.url = `http://127.0.0.1:${server.address().port}/`;
    this.output = [];
    fs.rmSync(this.dir, {recursive: true, force: true});
    fs.mkdirSync(this.dir, {recursive: true});
  }

  async launch(args) {
    this.args = args;
    this.browser = await puppeteer.launch({executablePath: CHROMIUM, headless: true, args,
      userDataDir: path.join(this.dir, "profile")});
    // NOTE: the painter's tab comes first: a browser runs no frames of a
    // game in a tab behind another.
    this.painter = await this.browser.newPage();
    this.page = await this.newPage();
    this.session = await this.page.target().createCDPSession();
  }

  async newPage() {
    const page = await this.browser.newPage();
    await page.setViewport(VIEWPORT);
    page.on("console", message => this.output.push(message.text()));
    page.on("pageerror", error => this.output.push("page error: " + error.message));
    return page;
  }

  async open(page = this.page) {
    await page.goto(this.url);
  }

  async restart() {
    this.output.push("-- browser restart --");
    await this.browser.close();
    await this.launch(this.args);
  }

  serveInstead(name, bytes) {
    this.replaced.set(name, bytes);
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

  // Escape, Left, Enter: the pause panel's choice that ends the game, or at
  // the menu the quit.
  async endGame() {
    await this.key("Escape");
    await this.key("ArrowLeft", 150);
    await this.key("Enter", 150);
  }

  async press(x, y, pause = 400) {
    await this.page.mouse.move(x, y);
    await this.page.mouse.down();
    await sleep(KEY_HOLD_MS);
    await this.page.mouse.up();
    await sleep(pause);
  }

  async followBall() {
    await this.page.evaluate(pointAtBalls);
  }

  async shot(name, area) {
    const png = await this.page.screenshot({path: path.join(this.dir, name + ".png")});
    return meanColour(this.painter, png, area);
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

  async shotUntil(name, test, seconds = WAIT_SECONDS, area = undefined) {
    let colour;
    await this.waitFor(() => `${name} screen (mean colour ${JSON.stringify(colour)})`, async () => {
      colour = await this.shot(name, area);
      return test(colour);
    }, seconds);
    return colour;
  }

  async shotStill(name, seconds = WAIT_SECONDS, area = undefined) {
    let before = null;
    return this.shotUntil(name, colour => {
      const still = before && JSON.stringify(colour) === JSON.stringify(before);
      before = colour;
      return still;
    }, seconds, area);
  }

  async message(page = this.page) {
    return page.$eval("#message", panel => panel.hidden ? "" : panel.textContent.replace(/\s+/g, " ").trim());
  }

  expectOutput(line) {
    if (!this.output.includes(line)) this.fail(`the game did not print "${line}"`);
  }

  // NOTE: puppeteer's own evaluate counts as a gesture of the player, which
  // lets the page start its sound.
  async run(fn, ...args) {
    const {result, exceptionDetails} = await this.session.send("Runtime.evaluate", {
      expression: `(${fn})(...${JSON.stringify(args)})`, awaitPromise: true, returnByValue: true, userGesture: false});
    if (exceptionDetails) this.fail(`in the page: ${exceptionDetails.exception.description}`);
    return result.value;
  }

  async state() {
    return this.page.evaluate(keptState);
  }

  async setState(text) {
    await this.page.evaluate(keptState, text);
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
const stateBest = (text, mode, row) => stateField(text, STATE_MODES_AT + STATE_MODE_FIELDS * (mode - 1) + 2 * row);
const stateRecent = (text, mode, row) =>
  stateField(text, STATE_MODES_AT + STATE_MODE_FIELDS * (mode - 1) + 2 * row + 1);
const LOAD_MESSAGES = ["Settings Loaded", "Badges Loaded", "Highscore 0 Loaded", "Highscore 1 Loaded",
  "Highscore 2 Loaded"];

// Runs body(s) on a page served from webDir (the build's web/), with the
// extra response headers given, in a chromium started with args; resolves to
// what body returns, or rejects with the page's console output added to the
// error's message.
async function drive(name, body, {webDir = WEB_DIR, headers = {}, args = CHROMIUM_ARGS} = {}) {
  const replaced = new Map();
  const server = await serve(webDir, headers, replaced);
  const s = new Scenario(name, server, replaced);
  try {
    await s.launch(args);
    return await body(s);
  } catch (error) {
    error.message += `\n-- the page's console --\n${s.output.join("\n")}`;
    throw error;
  } finally {
    if (s.browser) await s.browser.close();
    server.close();
  }
}

// Runs a scenario, in a chromium started with args (CHROMIUM_ARGS when not
// given); the process's status tells CTest how it went.
async function scenario(name, body, args = CHROMIUM_ARGS) {
  try {
    await drive(name, body, {args});
  } catch (error) {
    console.log(`${name}: FAILED: ${error.message}`);
    process.exit(1);
  }
  console.log(`${name}: passed`);
}

module.exports = {scenario, drive, sleep, CHROMIUM_ARGS, isMenu, isMenuUp, stateField, stateBest, stateRecent, LOAD_MESSAGES};
