// web_bench.js: one run of the browser's figures for scripts/bench --web, in
// headless Chromium (tests/web/lib/scenario.js).
//   node bench/web/web_bench.js BENCH_WEB_DIR
// The game's page (ZIMBOLO_BUILD_DIR/web): the time from navigation to the
// menu, told by screenshots, then a game started with Enter and
// launched with Space, over which the page counts its animation frames and
// the game's rendered frames (each render sets the viewport once) while
// Space is pressed each second, and the CPU time of the browser's processes
// per rendered frame. The bench build's page (BENCH_WEB_DIR,
// cross-origin isolated, so that performance.now() counts in 5 us): the
// median time of the worst frame's update in WebAssembly, with the sound
// effects and without.
// Prints one line: menu ms and within how many ms, rendered frames per
// second, animation frames per second, GPU process and renderers' CPU ms per
// rendered frame, update us, update without sound effects us.
"use strict";
const {drive, sleep, isMenu} = require("../../tests/web/lib/scenario.js");

// How long frames are counted in play.
const PLAY_SECONDS = 10;
// Updates run before the timed ones, so that the engine has compiled the
// update's code at its top tier, and the updates timed.
const WARM_UP_UPDATES = 100;
const TIMED_UPDATES = 200;
const WARM_UP_PAUSE_MS = 2000;
// Headers that make the page cross-origin isolated.
const ISOLATED = {"Cross-Origin-Opener-Policy": "same-origin", "Cross-Origin-Embedder-Policy": "require-corp"};

// Loads the page; when (ms from navigation, on the page's clock) the menu
// came: half-way between the asking for the last screenshot that does not
// show it and the first that does, and half the time between the two.
async function menuMillis(s) {
  let before = 0;
  let asked = 0;
  await s.open();
  await s.waitFor("menu", async () => {
    before = asked;
    asked = await s.page.evaluate(() => performance.now());
    return isMenu(await s.shot("menu"));
  });
  return {at: (before + asked) / 2, within: (asked - before) / 2};
}

// Counts the page's animation frames and the game's renders for seconds; the
// counts and the seconds counted.
function countFrames(page, seconds) {
  return page.evaluate(ms => new Promise(resolve => {
    const gl = Module.ctx;
    const viewport = gl.viewport;
    let renders = 0;
    let frames = 0;
    gl.viewport = function(...box) {
      ++renders;
      return viewport.apply(this, box);
    };
    const start = performance.now();
    const frame = now => {
      ++frames;
      if (now - start < ms) return requestAnimationFrame(frame);
      gl.viewport = viewport;
      return resolve({renders, frames, seconds: (now - start) / 1000});
    };
    requestAnimationFrame(frame);
  }), seconds * 1000);
}

// The CPU time so far, in ms, of the browser's GPU process and of its
// renderers.
async function processMillis(s) {
  const session = await s.browser.target().createCDPSession();
  const {processInfo} = await session.send("SystemInfo.getProcessInfo");
  await session.detach();
  const ms = {GPU: 0, renderer: 0};
  for (const p of processInfo) if (p.type in ms) ms[p.type] += p.cpuTime * 1000;
  return ms;
}

// Frames per second in a game in play, launching a ball each second, and
// the CPU time per rendered frame of the GPU process (which rasterises) and
// of the renderers (which run the game).
async function playFrames(s) {
  await s.key("Enter", 200);
  await s.shotStill("game");
  const before = await processMillis(s);
  const counting = countFrames(s.page, PLAY_SECONDS);
  for (let i = 0; i < PLAY_SECONDS; ++i) await s.key("Space", 1000 - 150);
  const counts = await counting;
  const after = await processMillis(s);
  await s.shot("played");
  return {renders: counts.renders / counts.seconds, frames: counts.frames / counts.seconds,
    gpu: (after.GPU - before.GPU) / counts.renders, renderer: (after.renderer - before.renderer) / counts.renders};
}

// The median time of the worst frame's update in the bench build, in us,
// with the sound effects on (1) or off (0).
async function updateMicros(s, effects) {
  const update = n => s.page.evaluate((rounds, on) => Module._web_bench_worst_update(rounds, on), n, effects);
  await update(WARM_UP_UPDATES);
  await sleep(WARM_UP_PAUSE_MS);
  return update(TIMED_UPDATES);
}

// The worst frame's update with the sound effects and without.
async function updates(s) {
  await menuMillis(s);
  if (!await s.page.evaluate(() => crossOriginIsolated)) s.fail("the bench page is not cross-origin isolated");
  return [await updateMicros(s, 1), await updateMicros(s, 0)];
}

(async () => {
  const benchDir = process.argv[2];
  const game = await drive("bench_game", async s => ({menu: await menuMillis(s), play: await playFrames(s)}));
  const update = await drive("bench_update", updates, {webDir: benchDir, headers: ISOLATED});
  const {renders, frames, gpu, renderer} = game.play;
  console.log([game.menu.at, game.menu.within].map(ms => ms.toFixed(0)).join(" "),
    [renders, frames, gpu, renderer, ...update].map(n => n.toFixed(1)).join(" "));
})().catch(error => {
  console.error(`web_bench: ${error.message}`);
  process.exit(1);
});
