// play_round.js: a round of the browser's game on a given state file.
//   node play_round.js IN OUT
// The state file IN becomes the browser's kept state, from a page of the
// game's origin without the game, before the game loads.
// The game must load every section of it; a round in the first mode (Enter,
// then ended from the pause panel) is played, and the state the game then
// keeps is written to OUT. The desktop scenarios run it to hand a state from
// one build of the game to the other.
"use strict";
const fs = require("fs");
const {scenario, isMenu, isMenuUp, LOAD_MESSAGES} = require("./scenario.js");

const [input, output] = process.argv.slice(2);

scenario("play_round", async s => {
  const given = fs.readFileSync(input, "latin1");
  s.serveInstead("empty.html", "<!doctype html><title>No game here</title>");
  await s.page.goto(s.url + "empty.html");
  await s.setState(given);
  await s.open();
  await s.shotUntil("menu", isMenu);
  for (const line of LOAD_MESSAGES) s.expectOutput(line);
  await s.key("Enter", 200);
  await s.shotStill("game");
  await s.endGame();
  await s.shotUntil("menu_after_game", isMenuUp);
  const saved = await s.waitFor("the round's save", async () => {
    const kept = await s.state();
    return kept !== given && kept;
  });
  fs.writeFileSync(output, saved, "latin1");
});
