# window_events.sh: what the window system does to a running game.
#
# Full screen is switched on from the options box (the window fills the
# 1280 x 1024 screen, titled "Zimbolo" as the window is, with the same class
# and icon, and the assets are loaded again: the loading screen is seen) and off again (a 640 x 480 window, centred, loaded again). A resize
# during play reloads and play goes on. A close request from the window
# system mid-game ends the game with status 0 and saves nothing.
. "$(dirname "$0")/lib/scenario.sh"
scenario_begin window_events

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
echo "window_events: passed"
