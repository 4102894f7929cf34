# same_state.sh: the desktop's and the browser's build of one source are the
# same game: each loads whole the state file the other saved.
#
# The desktop game starts on a state with settings, badges and scores in
# every mode, plays a round and saves. The browser's game (web/, played in
# headless chromium by tests/web/lib/play_round.js) is given that file: it
# must load every section, play a round and save. The desktop game then
# loads the browser's save with every section valid, and it holds what the
# desktop saved with the browser's round's score of 0 at the head of mode 1's
# Last 10.
set -eu

. "$(dirname "$0")/lib/scenario.sh"
scenario_begin same_state

SETTINGS="0 0 0 3 0 1 0 0 0 0 80 70 11 0 1 0 0 0 0 0 2 0 0 0 0"
BADGES="9 0 17 0 0 0 0 -1"
SCORES=$(awk 'BEGIN { for (k = 1; k <= 3; k++) for (r = 0; r < 10; r++) printf "%d %d ", 900 * k - 40 * r, 60 * k + 9 * r }')
# shellcheck disable=SC2086 # one value per word
state_compose $SETTINGS $BADGES $SCORES > .velmarstate
game_start
game_round desktop
expect_load_messages "$ALL_LOADED"
DESKTOP=$(state_values)
game_quit
cp .velmarstate "$SHOTS/desktop_state.txt"

NODE_PATH="$BUILD/tests/web/node_modules" node "$ZIMBOLO_SOURCE_DIR/tests/web/lib/play_round.js" \
	"$SHOTS/desktop_state.txt" "$SHOTS/browser_state.txt" || fail "the browser's game did not play on the desktop's state"

cp "$SHOTS/browser_state.txt" .velmarstate
# shellcheck disable=SC2086 # one value per word
[ "$(state_values)" = "$(after_round $DESKTOP)" ] || fail "the browser's save is not the desktop's state after a round"
game_start
shot_until desktop_again is_menu
expect_load_messages "$ALL_LOADED"
game_quit
expect_no_sanitizer_report
