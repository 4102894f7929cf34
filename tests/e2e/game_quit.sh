# game_quit.sh: the real game opens its window titled "Zimbolo", takes the
# focus, loads, and F4 ends it at once with exit status 0.
. "$(dirname "$0")/lib/scenario.sh"
scenario_begin game_quit

game_start
sleep 1.5
kill -0 "$GAME" 2>/dev/null || fail "the game ended by itself"
game_quit
echo "game_quit: passed"
