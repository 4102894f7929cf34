// web_bench.js: one run of the browser's figures for scripts/bench --web, in
// headless Chromium (tests/web/lib/scenario.js).
//   node bench/web/web_bench.js BENCH_WEB_DIR
// The game's page (ZIMBOLO_BUILD_DIR/web): the time from navigation to the
// first screenshot that shows the menu, then a game started with Enter and
// launched with Space, over which the page counts its animation frames and
// the game's rendered frames (each render sets the viewport once) while
// Space is pressed each second. The bench build's page (BENCH_WEB_DIR,
// cross-origin isolated, so that performance.now() counts in 5 us): the
// median time of the worst frame's update in WebAssembly, with the sound
// effects and without.
// Prints one line: menu ms, rendered frames per second, animation frames
// per second, update us, update without sound effects us.
"use strict";
const {drive, isMenu} = require("../../tests/web/lib/scenario.js");

// How long frames are counted in play.
const PLAY_SECONDS = 10;
// Updates run before the timed ones, so that the engine has compiled the
// update's code at its top tier, and the updates timed.
const WARM_UP_UPDATES = 100;
const TIMED_UPDATES = 200;
const WARM_UP_PAUSE_MS = 2000;
// Headers that make the page cross-origin isolated.
const ISOLATED = {"Cross-Origin-Opener-Policy": "same-origin", "Cross-Origin-Embedder-Policy": "require-corp"};

const sleep = ms => new Promise(resolve => setTimeout(resolve, ms));

// Loads the page; the page's time (ms from navigation) at which the first
// screenshot that shows the menu was asked for.
async function menuMillis(s) {
  let asked = 0;
  await s.open();
  await s.waitFor("menu", async () => {
    asked = await s.page.evaluate(() => performance.now());
    return isMenu(await s.shot("menu"));
  });
  return asked;
}

// Counts the page's animation frames and the game's renders for seconds.
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
      const elapsed = (now - start) / 1000;
      return resolve({renders: renders / elapsed, frames: frames / elapsed});
    };
    requestAnimationFrame(frame);
  }), seconds * 1000);
}

// Frames per second in a game in play, launching a ball each second.
async function playFrames(s) {
  await s.key("Enter", 200);
  await s.shotStill("game");
  const counting = countFrames(s.page, PLAY_SECONDS);
  for (let i = 0; i < PLAY_SECONDS; ++i) await s.key("Space", 1000 - 150);
  const rates = await counting;
  await s.shot("played");
  return rates;
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
  console.log([game.menu.toFixed(0), game.play.renders.toFixed(1), game.play.frames.toFixed(1),
    ...update.map(us => us.toFixed(1))].join(" "));
})().catch(error => {
  console.error(`web_bench: ${error.message}`);
  process.exit(1);
});
