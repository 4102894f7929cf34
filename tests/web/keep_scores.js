// keep_scores.js: a game's score stays in the Top 10 across a reload and a
// browser restart; a second tab plays no game of its own; a save that the
// browser refuses loses nothing kept before.
//
// A game started with the pointer (a press on the play button) is played by
// pointing at the balls and pressing below the field to launch, and ended
// from the pause panel: its score is first in the mode's Top 10 and Last 10.
// A reload and then a restart of the browser on the same profile each load
// every section of the kept state, which stays the same. A second tab opened
// meanwhile shows that the game is open in another tab. With the profile's
// storage quota then used up, the next game's save is refused: the page says
// so, the game goes back to its menu, and the kept state is the earlier one.
"use strict";
const {scenario, isMenu, isMenuUp, stateBest, stateRecent, LOAD_MESSAGES} = require("./lib/scenario.js");

// Page points (800 × 600): the play button, below the field.
const PLAY = {x: 712, y: 540};
const BELOW_FIELD = {x: 400, y: 560};
// Launch presses, one a second.
const LAUNCHES = 30;
const OTHER_TAB = "Zimbolo is already open in another tab of this browser.";
const SAVE_REFUSED = "This browser did not keep the last save";

// Ends the game from its pause panel; the menu comes back.
async function quitGame(s, name) {
  await s.endGame();
  await s.shotUntil(name, isMenuUp);
}

// Loads the page, whose game must come to its menu with the kept state saved
// loaded whole; forgets the output so far.
async function expectKept(s, name, saved) {
  await s.open();
  await s.shotUntil(name, isMenu);
  for (const line of LOAD_MESSAGES) s.expectOutput(line);
  if (await s.state() !== saved) s.fail(`the kept state changed (${name})`);
  s.output.length = 0;
}

scenario("keep_scores", async s => {
  await s.open();
  await s.shotUntil("menu", isMenu);
  await s.press(PLAY.x, PLAY.y, 1000);
  await s.followBall();
  for (let i = 0; i < LAUNCHES; ++i) await s.press(BELOW_FIELD.x, BELOW_FIELD.y, 850);
  await quitGame(s, "menu_after_game");
  const saved = await s.waitFor("the save in IndexedDB", () => s.state());
  const score = stateBest(saved, 1, 0);
  if (!(Number(score) > 0) || stateRecent(saved, 1, 0) !== score) {
    s.fail(`the pointer game's score is not first in Top 10 and Last 10: ${saved}`);
  }
  s.output.length = 0;

  await expectKept(s, "menu_reloaded", saved);
  const tab = await s.newPage();
  await s.open(tab);
  await s.waitFor("the other tab's message", async () => (await s.message(tab)).startsWith(OTHER_TAB));
  await tab.close();

  await s.restart();
  await expectKept(s, "menu_restarted", saved);

  const session = await s.page.target().createCDPSession();
  await session.send("Storage.overrideQuotaForOrigin", {origin: new URL(s.url).origin, quotaSize: 1});
  await s.key("Enter", 200);
  await s.shotStill("game_without_room");
  await quitGame(s, "menu_without_room");
  await s.waitFor("the page's notice of the refused save", () =>
    s.page.$eval("#notice", (notice, text) => !notice.hidden && notice.textContent.startsWith(text), SAVE_REFUSED));
  if (await s.state() !== saved) s.fail("a refused save changed the kept state");
  await s.shotUntil("menu_goes_on", isMenu);
});
