// devices.js: a pad plays, sound starts with the first key, and the screen
// follows the page's shape and pixel ratio.
//
// Chromium runs with a browser's usual sound policy here (sound only after a
// gesture on the page), and the page has a standard-layout pad that this
// scenario drives. At the menu the game's sound is held back. The pad's A button
// starts a game and its d-pad moves the paddle down. A pad is no gesture, so
// sound is still held back until the first key, Space, which launches a
// ball: then every sound context runs, and the launch's sound starts.
// (Escape would not do: browsers never take it for a gesture.) The game
// goes on until the ball is lost and the empty meter cannot pay for another:
// its end saves the score. Then the page is made wider than 16:9 and then,
// at two screen pixels per page pixel, taller than 3:4: the canvas takes the
// page's size in screen pixels, and the menu is laid out again between black
// bars at the sides, and then above and below.
"use strict";
const {scenario, sleep, CHROMIUM_ARGS, isMenu, isMenuUp} = require("./lib/scenario.js");

// A browser's usual sound policy, in place of the scenarios' own.
const SOUND_POLICY = "--autoplay-policy=";
const GESTURE_POLICY = SOUND_POLICY + "document-user-activation-required";
// Page areas (800 × 600): the paddle's column left of the field, the field.
const PADDLE_AREA = {x: 0, y: 100, width: 40, height: 400};
const FIELD_AREA = {x: 40, y: 100, width: 730, height: 400};
// Pixels the paddle must drop while the d-pad is held down.
const PADDLE_DROP = 20;
// The standard layout's A button and d-pad down.
const PAD_A = 0;
const PAD_DOWN = 13;
const PAD_HOLD_MS = 300;
// Time for the game to lose its one ball, and its end to be saved.
const GAME_SECONDS = 120;
// Page shapes: wider than 16:9, and taller than 3:4 on a HiDPI screen.
const WIDE = {width: 1600, height: 600, deviceScaleFactor: 1};
const TALL = {width: 600, height: 900, deviceScaleFactor: 2};
// Bars: strips along the page's edges, inside the canvas's focus outline;
// black is darker than this.
const BAR = 40;
const OUTLINE = 4;
const DARK = 8;

// In the page, before its scripts: a standard pad at index 0 whose controls
// testPad sets, and a count of the sound contexts made and of the sounds
// started while their context runs.
function installPadAndSoundWatch() {
  const pad = {id: "Test pad (STANDARD GAMEPAD)", index: 0, connected: true, mapping: "standard",
    timestamp: 0, axes: [0, 0, 0, 0],
    buttons: Array.from({length: 17}, () => ({pressed: false, touched: false, value: 0}))};
  navigator.getGamepads = () => [pad, null, null, null];
  window.testPad = {
    set(button, down) {
      pad.buttons[button] = {pressed: down, touched: down, value: down ? 1 : 0};
      pad.timestamp += 1;
    },
  };
  const contexts = [];
  const RealContext = window.AudioContext;
  window.AudioContext = class extends RealContext {
    constructor(...args) {
      super(...args);
      contexts.push(this);
    }
  };
  window.testSound = {contexts, started: 0};
  const start = AudioBufferSourceNode.prototype.start;
  AudioBufferSourceNode.prototype.start = function(...args) {
    if (this.context.state === "running") window.testSound.started += 1;
    return start.apply(this, args);
  };
}

async function padPress(s, button, pause = 400) {
  await s.run(button => window.testPad.set(button, true), button);
  await sleep(PAD_HOLD_MS);
  await s.run(button => window.testPad.set(button, false), button);
  await sleep(pause);
}

// The sound contexts' states and the sounds started while they ran.
const sound = s => s.run(() =>
  ({states: window.testSound.contexts.map(context => context.state), started: window.testSound.started}));

// Gives the page a shape; the canvas must follow it in screen pixels, and
// the menu come up between black bars at the page's sides (WIDE) or at its
// top and bottom (areas in page pixels; screenshots have screen pixels).
async function expectLayout(s, name, shape, bars) {
  await s.page.setViewport(shape);
  const want = [shape.width * shape.deviceScaleFactor, shape.height * shape.deviceScaleFactor];
  await s.waitFor(`a canvas of ${want.join(" × ")}`, () =>
    s.page.$eval("canvas", (canvas, want) => canvas.width === want[0] && canvas.height === want[1], want));
  await s.shotUntil(name, isMenuUp);
  const scale = shape.deviceScaleFactor;
  for (const area of bars) {
    const bar = await s.shot(`${name}_bar`, {x: area.x * scale, y: area.y * scale, width: area.width * scale,
      height: area.height * scale});
    if (bar.red > DARK || bar.green > DARK || bar.blue > DARK) s.fail(`${name}: no black bar at ${JSON.stringify(area)}`);
  }
}

scenario("devices", async s => {
  await s.page.evaluateOnNewDocument(installPadAndSoundWatch);
  await s.open();
  await s.shotUntil("menu", isMenu);
  const held = await sound(s);
  if (!held.states.length || held.states.some(state => state === "running")) {
    s.fail(`sound before a gesture: ${JSON.stringify(held)}`);
  }

  await padPress(s, PAD_A, 200);
  const start = await s.shotStill("pad_game", 30, PADDLE_AREA);
  if (start.brightY === null) s.fail("the pad's A started no game");
  await padPress(s, PAD_DOWN);
  const dropped = await s.shot("pad_paddle_down", PADDLE_AREA);
  if (!(dropped.brightY > start.brightY + PADDLE_DROP)) {
    s.fail(`the d-pad moved the paddle from ${start.brightY} to ${dropped.brightY}`);
  }
  if ((await sound(s)).started) s.fail("a sound started before a gesture");

  await s.key(" ", 200);
  if ((await s.shot("launched", FIELD_AREA)).brightY === null) s.fail("Space launched no ball");
  let heard;
  await s.waitFor(() => `sound after the first key (${JSON.stringify(heard)})`, async () => {
    heard = await sound(s);
    return heard.states.every(state => state === "running") && heard.started;
  }, 5);
  await s.waitFor("the end of the pad's game, saved", () => s.state(), GAME_SECONDS);
  await s.shotUntil("menu_after_game", isMenu);

  const side = (x, height) => ({x, y: OUTLINE, width: BAR, height: height - 2 * OUTLINE});
  const edge = (y, width) => ({x: OUTLINE, y, width: width - 2 * OUTLINE, height: BAR});
  await expectLayout(s, "wide", WIDE, [side(OUTLINE, WIDE.height), side(WIDE.width - BAR - OUTLINE, WIDE.height)]);
  await expectLayout(s, "tall", TALL, [edge(OUTLINE, TALL.width), edge(TALL.height - BAR - OUTLINE, TALL.width)]);
}, CHROMIUM_ARGS.filter(arg => !arg.startsWith(SOUND_POLICY)).concat(GESTURE_POLICY));
