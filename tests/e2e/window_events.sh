# window_events.sh: what the window system does to a running game.
#
# Full screen is switched on from the options box (the window fills the
# 1280 x 1024 screen, titled "Zimbolo" as the window is, with the same class
# and icon, and the assets are loaded again: the loading screen is seen) and
# off again (a 640 x 480 window, centred, loaded again).
# At 32:9, 21:9, 16:9, 4:3, 3:4 and 9:16 every screen is shot and the
# picture keeps a shape from 4:3 to 16:9, centred between black bars. A
# resize during play reloads and play goes on. A close request from the
# window system mid-game ends the game with status 0 and saves nothing. On a
# desktop of content scale 2 (Xft.dpi 192) the window opens at 1280 x 960,
# and F11 twice returns to it.
. "$(dirname "$0")/lib/scenario.sh"
scenario_begin window_events

# The picture in the $WIN_W x $WIN_H window, at most 16:9 wide and 4:3 tall,
# centred: $PIC_X $PIC_Y $PIC_W $PIC_H (also the shots' area). Play's walls
# lie 170 virtual pixels above and below its middle ($TOP, $BOTTOM) and at
# 630 across ($RIGHT), $BAND within their thickness.
picture() {
	PIC_W=$WIN_W
	PIC_H=$WIN_H
	[ $((PIC_W * 9)) -le $((PIC_H * 16)) ] || PIC_W=$((PIC_H * 16 / 9))
	[ $((PIC_H * 4)) -le $((PIC_W * 3)) ] || PIC_H=$((PIC_W * 3 / 4))
	PIC_X=$(((WIN_W - PIC_W) / 2))
	PIC_Y=$(((WIN_H - PIC_H) / 2))
	SHOT_AREA="$PIC_X $PIC_Y $PIC_W $PIC_H"
	TOP=$((PIC_Y + PIC_H / 2 - $(px 170)))
	BOTTOM=$((PIC_Y + PIC_H / 2 + $(px 170)))
	RIGHT=$((PIC_X + $(px 630)))
	BAND=$(px 12)
}

# Window pixels of N virtual ones (the picture is 640 wide), plus OFFSET.
px() {
	echo $(($1 * PIC_W / 640 + ${2:-0}))
}

# Clicks virtual point X, Y (from the bottom when negative).
click_at() {
	AT_Y=$(px "$2" "$PIC_Y")
	[ "$2" -ge 0 ] || AT_Y=$(px "$2" $((PIC_Y + PIC_H)))
	click "$(px "$1" "$PIC_X")" "$AT_Y" 0
}

# Not black: some pixel in the part X Y W H of the window.
lit() {
	spot "$@" 1
}

# The credits' test card: grey on the whole.
is_credits() {
	[ "$BLUE" -gt 90 ] && [ $((RED - GREEN)) -lt 20 ] && [ $((GREEN - RED)) -lt 20 ] && [ $((RED - BLUE)) -lt 20 ]
}

# Play: the top wall is a black band.
is_play() {
	! lit "$(px 60 "$PIC_X")" $((TOP - BAND / 2)) "$(px 180)" "$BAND"
}

# Every screen at the window shape NAME of W x H, from the menu with the
# options item highlighted back to it: the bars black, the menu's credits and
# play buttons and the pause icon clicked, play's walls, score and meter seen.
shape() {
	xdotool windowsize "$WID" "$2" "$3" windowmove "$WID" 0 0
	# NOTE: the third answer comes after a frame of the loading screen.
	game_sync 3
	window_size
	picture
	shot_until "$1_menu" is_menu
	lit 0 0 $((PIC_X - 1)) "$WIN_H" && fail "$1: the left bar is not black"
	lit $((PIC_X + PIC_W + 1)) 0 "$PIC_X" "$WIN_H" && fail "$1: the right bar is not black"
	lit 0 0 "$WIN_W" $((PIC_Y - 1)) && fail "$1: the top bar is not black"
	lit 0 $((PIC_Y + PIC_H + 1)) "$WIN_W" "$PIC_Y" && fail "$1: the bottom bar is not black"
	key Return 0
	shot_until "$1_options" is_options
	shot_still "$1_options"
	key Escape 0
	shot_still "$1_menu"
	keys 3 Left
	click_at 570 32
	shot_until "$1_credits" is_credits
	shot_still "$1_credits"
	click_at 320 200
	shot_until "$1_menu" is_menu
	shot_still "$1_menu"
	click_at 570 -48
	shot_until "$1_play" is_play
	lit "$(px 400 "$PIC_X")" $((BOTTOM - BAND / 2)) "$(px 200)" "$BAND" && fail "$1: no bottom wall"
	lit $((RIGHT - BAND / 2)) "$(px 20 "$TOP")" "$BAND" $((BOTTOM - TOP - $(px 40))) && fail "$1: no right wall"
	spot "$(px 260 "$PIC_X")" $((TOP - BAND / 2)) "$(px 120)" "$BAND" || fail "$1: no score on the top wall"
	spot "$(px 100 "$PIC_X")" $((BOTTOM - BAND / 2)) "$(px 100)" "$BAND" 170 || fail "$1: no meter on the bottom wall"
	click_at 16 16
	shot_until "$1_pause" is_dark
	shot_still "$1_pause"
	key Left
	key Return 0.6
	shot "$1_game_over"
	shot_until "$1_menu_again" is_menu
	shot_still "$1_menu_again"
	keys 3 Right
}

game_start
shot_until menu is_menu 30

# The options item is the fourth; its full-screen row the third.
# The box takes its keys once it has slid in (and locks them while it slides
# away): the screen then holds still.
keys 3 Right
key Return 0
shot_until options is_options
shot_still options_open
keys 3 Down
key Return 0
# Only a window titled "Zimbolo" is found.
window_find
window_size
[ "$WIN_W" = 1280 ] && [ "$WIN_H" = 1024 ] || fail "full screen gave a window of $WIN_W x $WIN_H"
expect_desktop_identity Zimbolo
shot_until fullscreen_loading is_loading
shot_until fullscreen_options is_options
shot_still fullscreen_options_open

key Return 0
window_find
window_size
[ "$WIN_W" = 640 ] && [ "$WIN_H" = 480 ] || fail "leaving full screen gave a window of $WIN_W x $WIN_H"
[ "$X" = 320 ] && [ "$Y" = 272 ] || fail "the window is at $X, $Y, not centred"
shot_until windowed_loading is_loading
shot_until windowed_options is_options
shot_still windowed_options_open
key Escape 0
shot_until windowed_menu is_menu
shot_still windowed_menu_still

shape 32_9 1280 360
shape 21_9 1260 540
shape 16_9 1280 720
shape 4_3 800 600
shape 3_4 600 800
shape 9_16 540 960
unset SHOT_AREA

# A resize during play: loading, then the same game (Escape pauses it; at
# the menu it would quit).
keys 3 Left
key Return 1
xdotool windowsize "$WID" 800 600
shot_until resized_loading is_loading
shot_until resized_play is_menu
window_size
[ "$WIN_W" = 800 ] && [ "$WIN_H" = 600 ] || fail "the resized window is $WIN_W x $WIN_H"
key Escape 0.8
kill -0 "$GAME" 2>/dev/null || game_gone "Escape after the resize"
shot_until resized_pause is_dark
key Escape 1

# The close request mid-game.
key space 0.5
state_mark
window_close
game_wait
[ "$STATUS" -eq 0 ] || fail "the close request ended the game with status $STATUS"
state_changed && fail "the close request wrote the state file"

# A desktop of content scale 2: the window and the return from full screen
# are twice as large, centred.
echo 'Xft.dpi: 192' | xrdb -merge
game_start
window_size
[ "$WIN_W" = 1280 ] && [ "$WIN_H" = 960 ] && [ "$X" = 0 ] && [ "$Y" = 32 ] ||
	fail "at scale 2 the window opened at $WIN_W x $WIN_H at $X, $Y"
shot_until scaled_menu is_menu
key F11 0
window_find
window_size
[ "$WIN_W" = 1280 ] && [ "$WIN_H" = 1024 ] || fail "F11 at scale 2 gave a window of $WIN_W x $WIN_H"
key F11 0
window_find
window_size
[ "$WIN_W" = 1280 ] && [ "$WIN_H" = 960 ] && [ "$X" = 0 ] && [ "$Y" = 32 ] ||
	fail "leaving full screen at scale 2 gave a window of $WIN_W x $WIN_H at $X, $Y"
shot_until scaled_menu_again is_menu
game_quit
echo "window_events: passed"
