# player_path.sh: the way a player goes through the game, for real on an X display.
#
# Starts the game in a scratch directory under xvfb, drives it with xdotool
# (menu carousel, a game started and launched, pause and resume, ending the
# game from the pause panel, the options box changing the sound mode, the
# credits) and grabs a screenshot at each stop into
# build/test/e2e/player_path/. F4 must end the program with status 0; the
# saved state must show the game's score lists were written and the new sound
# mode.
set -eu

. "$(dirname "$0")/lib/scenario.sh"
scenario_begin player_path

game_start
sleep 2

shot menu
MENU_MEAN=$MEAN
key Right
key Right 0.8
shot menu_right
[ "$MEAN" != "$MENU_MEAN" ] || fail "the carousel did not move"
key Left
key Left 0.8

key Return 1
shot game
GAME_MEAN=$MEAN
[ "$MEAN" != "$MENU_MEAN" ] || fail "Enter started no game"
key space 1
shot game_launched
key Escape 0.8
shot pause
[ "$MEAN" != "$GAME_MEAN" ] || fail "Escape did not pause"
key Escape 1
shot resumed

# End the game from the pause panel: cursor left, then the first button.
key Escape 0.8
key Left
key Return 0.6
shot game_over
sleep 2
[ -f .velmarstate ] || fail "ending the game saved no scores"

# Options: the fourth item, then the sound row (SFX + Music becomes SFX).
key Right
key Right
key Right 0.8
key Return 0.8
key Down
shot options
key Return 0.5
shot options_sound
[ "$(state_field 5)" = "1" ] || fail "the sound mode was saved before leaving the box"
key Escape 0.8
[ "$(state_field 5)" = "2" ] || fail "leaving the options box did not save sound mode 2"

# Credits open with N and close with a click.
key n 1.2
shot credits
CREDITS_MEAN=$MEAN
click 320 240 1
shot credits_closed
[ "$MEAN" != "$CREDITS_MEAN" ] || fail "a click did not close the credits"

game_quit
echo "player_path: all stops passed"
