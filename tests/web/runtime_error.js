// runtime_error.js: a runtime error of the game shows its text on the page,
// and the game stops.
//
// The data pack is served with the game's sprite sheets replaced by the
// page's 48 × 48 icon (a whole PNG, padded to each sheet's length), so the
// game's first frame cut from a sheet lies outside it: a runtime error. The
// page then shows the game's own error text with a button to reload, and
// the game draws no further frame.
"use strict";
const fs = require("fs");
const path = require("path");
const {scenario} = require("./lib/scenario.js");

const ERROR_TEXT = "Velmar Runtime Error : Image frame outside surface";
const SHEETS = /^\/zimbolo\/data\/gfx(-hd2?)?\.png$/;
const STILL_MS = 1000;

// The data pack with every sprite sheet replaced by PNG, as the game's
// loader (zimbolo.js) places the pack's files.
function packWithSheetsReplaced(webDir, png) {
  const pack = fs.readFileSync(path.join(webDir, "zimbolo.data"));
  const loader = fs.readFileSync(path.join(webDir, "zimbolo.js"), "utf8");
  const files = loader.matchAll(/"filename":"([^"]+)","start":(\d+),"end":(\d+)/g);
  let replaced = 0;
  for (const [, name, start, end] of files) {
    if (!SHEETS.test(name)) continue;
    pack.fill(0, Number(start), Number(end));
    png.copy(pack, Number(start));
    replaced += 1;
  }
  return {pack, replaced};
}

scenario("runtime_error", async s => {
  const webDir = path.join(process.env.ZIMBOLO_BUILD_DIR || process.cwd(), "web");
  const {pack, replaced} = packWithSheetsReplaced(webDir, fs.readFileSync(path.join(webDir, "icon.png")));
  if (replaced !== 3) s.fail(`the data pack has ${replaced} sprite sheets, not 3`);
  s.serveInstead("zimbolo.data", pack);
  await s.open();
  const text = await s.waitFor("a message on the page", () => s.message());
  if (!text.startsWith(ERROR_TEXT)) s.fail(`the page shows "${text}", not the game's error`);
  s.expectOutput(ERROR_TEXT);
  await s.page.evaluate(() => {
    window.framesAfterError = 0;
    Module.postMainLoop = () => { window.framesAfterError += 1; };
  });
  await new Promise(resolve => setTimeout(resolve, STILL_MS));
  if (await s.page.evaluate(() => window.framesAfterError)) s.fail("the game ran on after its error");
});
