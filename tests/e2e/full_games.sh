# full_games.sh: whole games in each mode, played until they are lost.
#
# From the menu a game is started in Easy, Normal and Hard with the keyboard
# (the carousel picks the mode) and once more with the mouse (a tap on a
# carousel item, the play button, clicks below the field to launch, the
# pointer steering). The keyboard games are played at random, the mouse game
# follows the ball on the screen for a while (x11_spot moves the pointer to
# the ball's height as it sees it) and must score; each game goes
# on until the meter runs dry and the game-over overlay comes up, and then the
# game is back at the menu. After
# every game the state file must hold its score in that mode's lists with all
# checksums valid. A restart must load every section and show the lists.
# A second start in the same directory while it runs must end at once with
# status 0, without a window of its own, and bring the running game forward
# (with no window manager here, it gives it the focus); a game played in the
# running game then keeps every score saved before.
. "$(dirname "$0")/lib/scenario.sh"
scenario_begin full_games

# Window points (640 x 480, landscape): the carousel item after the centre
# one, the play button, below the field, the field's rows.
NEXT_ITEM_X=338
ITEM_Y=384
PLAY_X=570
PLAY_Y=432
BELOW_FIELD_Y=450
FIELD_TOP=80
FIELD_ROWS=310
GAME_SECONDS=90
# Where balls are looked for: the field right of the paddle, inside the walls.
SPOT_AREA="30 80 570 315"
SPOT_MIN=200
FOLLOW_SECONDS=15
# Time for a launched ball to come out beside the paddle.
LAUNCH_PAUSE=0.3

# One random move of the keyboard player: launch, steer up or down a while,
# or wait.
keyboard_move() {
	random 4
	case $RANDOM_N in
	0) key space 0.05 ;;
	1) random 5; hold Up "0.$((RANDOM_N * 2 + 1))" ;;
	2) random 5; hold Down "0.$((RANDOM_N * 2 + 1))" ;;
	*) sleep 0.2 ;;
	esac
}

# The mouse player launches with a click below the field until it sees a
# ball, follows the ball with the pointer until FOLLOW_END or until the ball
# is lost, and then steers away from the ball until the game is lost.
mouse_move() {
	if [ "$FOLLOWING" = yes ]; then
		click 320 "$BELOW_FIELD_Y" "$LAUNCH_PAUSE"
		spot $SPOT_AREA || return 0
		FOLLOWED=$("$BUILD/x11_spot" "$WID" $SPOT_AREA "$SPOT_MIN" $((FOLLOW_END - $(date +%s))) 100) ||
			game_gone "no look at the window"
		echo "mouse: looks, looks that saw the ball, end: $FOLLOWED"
		FOLLOWING=no
		return 0
	fi
	spot $SPOT_AREA || return 0
	if [ "$SPOT_Y" -lt 240 ]; then
		pointer 100 $((FIELD_TOP + FIELD_ROWS))
	else
		pointer 100 "$FIELD_TOP"
	fi
}

# Plays with MOVE until the game is over and saved; the overlay's screenshot
# is NAME_over.png.
play_until_over() {
	END=$(($(date +%s) + GAME_SECONDS))
	OVERLAY=""
	while :; do
		$1
		shot probe > /dev/null
		if [ -z "$OVERLAY" ] && is_dark; then
			OVERLAY=$MEAN
			cp "$SHOTS/probe.png" "$SHOTS/$2_over.png"
		fi
		state_changed && break
		[ "$(date +%s)" -lt "$END" ] || fail "the $2 game did not end within $GAME_SECONDS s"
		kill -0 "$GAME" 2>/dev/null || fail "the game ended during the $2 game"
	done
	rm -f "$SHOTS/probe.png"
	[ -n "$OVERLAY" ] || fail "no game-over overlay was seen in the $2 game"
	echo "$2: game over (overlay mean colour $OVERLAY)"
}

# One game of MODE (1 Easy, 2 Normal, 3 Hard) with the keyboard, from the menu.
keyboard_game() {
	state_mark
	keys 3 Left
	keys $(($1 - 1)) Right
	shot "$2_selected"
	key Return 0.8
	shot "$2_play"
	key space 0.3
	shot "$2_launched"
	play_until_over keyboard_move "$2"
	state_check_game "$1"
	echo "$2: score $SCORE"
	shot_until "$2_menu" is_menu
}

game_start
shot_until menu is_menu 30
keyboard_game 1 easy
keyboard_game 2 normal
keyboard_game 3 hard

# The mouse game, in Normal: from Easy a tap on the next item selects it, the
# play button starts it in the pointer's control.
state_mark
keys 3 Left
click "$NEXT_ITEM_X" "$ITEM_Y" 1
shot mouse_selected
click "$PLAY_X" "$PLAY_Y" 0.8
shot mouse_play
FOLLOW_END=$(($(date +%s) + FOLLOW_SECONDS))
FOLLOWING=yes
play_until_over mouse_move mouse
state_check_game 2
echo "mouse: score $SCORE"
[ "$SCORE" -gt 0 ] || fail "following the ball with the pointer scored nothing"
shot_until mouse_menu is_menu
game_quit

# A restart loads every section and shows the lists: Easy's, then Normal's
# with the mouse game's score.
: > game.out
game_start
shot_until restart_menu is_menu 30
for line in "Settings Loaded" "Badges Loaded" "Highscore 0 Loaded" "Highscore 1 Loaded" "Highscore 2 Loaded"; do
	expect_output "$line"
done
key Right 1
shot restart_normal

state_mark
xdotool windowfocus "$(xwininfo -root | awk '/Window id/ { print $4 }')"
game_sync
SECOND=0
ALSOFT_CONF="$WORK/alsoft.conf" timeout "$WAIT_SECONDS" "$BUILD/zimbolo" > "$WORK/second.out" 2>&1 || SECOND=$?
[ "$SECOND" -eq 0 ] || fail "the second start ended with status $SECOND: $(cat "$WORK/second.out")"
[ "$(xdotool search --name '^Zimbolo$' | wc -l)" -eq 1 ] || fail "more than one game window"
[ "$(xdotool getwindowfocus)" = "$WID" ] || fail "the second start did not bring the game forward"
key Left 1
game_round_play second_start
game_over_wait second_start
state_check_game 1
echo "second start: the running game kept its scores and saved $SCORE"
game_quit
echo "full_games: passed"
