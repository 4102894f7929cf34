// first_game.js: a first visit comes to the menu, plays a game with the
// keyboard, and the game's score outlives a reload.
//
// With a new browser profile the page loads the game, which comes to its
// menu with no saved state and no load messages. Enter starts a game in the
// first mode: Up moves the paddle up, Space launches a ball into the field,
// and the browser acts on none of these keys (nor on Tab, which would move
// the focus away from the game): the canvas keeps the focus and shows its
// ring. The page has a title, a language and a text for browsers without
// scripts.
// The game is ended from the pause panel (Escape, Left, Enter): its score
// enters the mode's Last 10, and the save reaches the browser's IndexedDB.
// After a reload the game loads every section of that state, and the kept
// state is still the same. Quitting from the menu (Escape, Left, Enter)
// ends the game: the page offers to play again.
"use strict";
const {scenario, isMenu, isMenuUp, stateRecent, LOAD_MESSAGES} = require("./lib/scenario.js");

// Fields of a whole state text: 26 settings, 9 badge and 3 × 21 score fields.
const STATE_FIELDS = 98;
// Page areas (800 × 600): the paddle's column left of the field, the field.
const PADDLE_AREA = {x: 0, y: 100, width: 40, height: 400};
const FIELD_AREA = {x: 40, y: 100, width: 730, height: 400};
// The page: its title, language, text without scripts, and the game's canvas
// with the focus, its ring showing.
const PAGE = {title: "Zimbolo", lang: "en", noscript: 1, focus: "canvas", ring: "solid"};
// What the page says when the game was quit, and its button.
const PLAY_AGAIN = "Thanks for playing Zimbolo. Play again";
// Pixels the paddle must rise while Up is held (12 units an update).
const PADDLE_RISE = 20;

// In the page: the keys whose default action (scrolling, moving the focus)
// the browser would take, once the page has seen them.
function watchKeysLetThrough() {
  window.keysLetThrough = [];
  window.addEventListener("keydown", event => {
    if (!event.defaultPrevented) window.keysLetThrough.push(event.key);
  });
}

scenario("first_game", async s => {
  await s.page.evaluateOnNewDocument(watchKeysLetThrough);
  await s.open();
  await s.shotUntil("menu", isMenu);
  if (await s.state() !== null) s.fail("a new browser profile has a saved state");
  if (s.output.some(line => / Loaded$/.test(line))) s.fail("state loaded without a saved state");

  await s.key("Enter", 200);
  const start = await s.shotStill("game", 30, PADDLE_AREA);
  if (start.brightY === null) s.fail("no paddle at the field's left");
  await s.key("ArrowUp");
  const risen = await s.shot("paddle_up", PADDLE_AREA);
  if (!(risen.brightY < start.brightY - PADDLE_RISE)) {
    s.fail(`Up moved the paddle from ${start.brightY} to ${risen.brightY}`);
  }
  if ((await s.shot("field", FIELD_AREA)).brightY !== null) s.fail("a ball in the field before a launch");
  await s.key(" ", 200);
  if ((await s.shot("launched", FIELD_AREA)).brightY === null) s.fail("Space launched no ball");
  await s.key("Tab");
  const through = await s.page.evaluate(() => window.keysLetThrough);
  if (through.join() !== "Enter") s.fail(`the browser acted on the game's keys too: ${through}`);
  const page = await s.page.evaluate(() => ({title: document.title, lang: document.documentElement.lang,
    noscript: document.querySelectorAll("noscript").length, focus: document.activeElement.id,
    ring: getComputedStyle(document.activeElement).outlineStyle}));
  if (JSON.stringify(page) !== JSON.stringify(PAGE)) s.fail(`the page is ${JSON.stringify(page)}`);

  await s.endGame();
  await s.shotUntil("menu_after_game", isMenuUp);
  const saved = await s.waitFor("the save in IndexedDB", () => s.state());
  const fields = saved.split("|").length - 1;
  if (fields !== STATE_FIELDS) s.fail(`the saved state has ${fields} fields, not ${STATE_FIELDS}`);
  if (stateRecent(saved, 1, 0) !== "0") s.fail(`the game's score is not first in Last 10: ${saved}`);

  await s.reload();
  await s.shotUntil("menu_reloaded", isMenu);
  for (const line of LOAD_MESSAGES) s.expectOutput(line);
  if (await s.state() !== saved) s.fail("the kept state changed with the reload");

  await s.endGame();
  await s.waitFor("the page's offer to play again", async () => await s.message() === PLAY_AGAIN);
  if (await s.state() !== saved) s.fail("the kept state changed when the game was quit");
});
