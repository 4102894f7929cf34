// first_game.js: a first visit comes to the menu, plays a game, and the game's
// score outlives a reload.
//
// With a new browser profile the page loads the game, which comes to its
// menu with no saved state and no load messages. Enter
// starts a game in the first mode, which is ended from the pause panel
// (Escape, Left, Enter): its score enters the mode's Last 10, and the save
// reaches the browser's IndexedDB. After a reload the game loads every section
// of that state, and the kept state is still the same.
"use strict";
const {scenario, isMenu, isMenuUp, stateRecent} = require("./lib/scenario.js");

// Fields of a whole state text: 26 settings, 9 badge and 3 × 21 score fields.
const STATE_FIELDS = 98;
const LOAD_MESSAGES = ["Settings Loaded", "Badges Loaded", "Highscore 0 Loaded", "Highscore 1 Loaded",
  "Highscore 2 Loaded"];

scenario("first_game", async s => {
  await s.open();
  await s.shotUntil("menu", isMenu);
  if (await s.state() !== null) s.fail("a new browser profile has a saved state");
  if (s.output.some(line => / Loaded$/.test(line))) s.fail("state loaded without a saved state");

  await s.key("Enter", 200);
  await s.shotStill("game");
  await s.key("Escape");
  await s.key("ArrowLeft", 150);
  await s.key("Enter", 150);
  await s.shotUntil("menu_after_game", isMenuUp);
  const saved = await s.waitFor("the save in IndexedDB", () => s.state());
  const fields = saved.split("|").length - 1;
  if (fields !== STATE_FIELDS) s.fail(`the saved state has ${fields} fields, not ${STATE_FIELDS}`);
  if (stateRecent(saved, 1, 0) !== "0") s.fail(`the game's score is not first in Last 10: ${saved}`);

  await s.reload();
  await s.shotUntil("menu_reloaded", isMenu);
  for (const line of LOAD_MESSAGES) s.expectOutput(line);
  if (await s.state() !== saved) s.fail("the kept state changed with the reload");
});
