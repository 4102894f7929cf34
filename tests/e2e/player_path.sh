# player_path.sh: the way a player goes through the game, for real on an X display.
#
# Starts the game in a scratch directory under xvfb, drives it with xdotool
# (menu carousel, a game started and launched, pause and resume, ending the
# game from the pause panel, the options box changing the sound mode, the
# credits) and grabs a screenshot at each stop into build/player_path/. F4 must
# end the program with status 0; the saved state must show the game's score
# lists were written and the new sound mode.
set -eu

BUILD=${ZIMBOLO_BUILD_DIR:-$(pwd)}

if [ "${1:-}" != "--inner" ]; then
	exec xvfb-run -a -s "-screen 0 1280x1024x24" sh "$0" --inner
fi

SHOTS="$BUILD/player_path"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
rm -rf "$SHOTS"
mkdir -p "$SHOTS"
ln -s "$BUILD/data" "$WORK/data"
cd "$WORK"

fail() {
	echo "player_path: $*" >&2
	exit 1
}

# Grabs the game window as NAME.png and keeps its mean colour in $MEAN.
shot() {
	MEAN=$("$BUILD/x11_shot" "$SHOTS/$1.png" "$WID")
	echo "$1: mean colour $MEAN"
}

# One key held for a tenth of a second (the game reads keys as held, once per
# update), then time for the game to act on it.
key() {
	xdotool keydown "$1"
	sleep 0.1
	xdotool keyup "$1"
	sleep "${2:-0.4}"
}

# Field n (from 0) of the saved state text.
state_field() {
	tr '|' '\n' < .velmarstate | sed -n "$(($1 + 1))p"
}

ALSOFT_DRIVERS=null "$BUILD/zimbolo" > game.out 2>&1 &
GAME=$!

WID=""
for _ in 1 2 3 4 5 6 7 8 9 10; do
	WID=$(xdotool search --name '^Zimbolo$' 2>/dev/null | head -1 || true)
	[ -n "$WID" ] && break
	sleep 0.5
done
[ -n "$WID" ] || fail "no window"
xdotool windowfocus --sync "$WID"
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
xdotool mousemove --window "$WID" 320 240 mousedown 1
sleep 0.1
xdotool mouseup 1
sleep 1
shot credits_closed
[ "$MEAN" != "$CREDITS_MEAN" ] || fail "a click did not close the credits"

key F4 0.5
STATUS=0
wait "$GAME" || STATUS=$?
[ "$STATUS" -eq 0 ] || fail "F4 ended the game with status $STATUS"
echo "player_path: all stops passed"
