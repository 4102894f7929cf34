# kill_save.sh: a process killed in the middle of a save never damages the state.
#
# tests/apps/save_loop saves two long texts in turn through the game's save
# path; it is killed with SIGKILL at a random moment, 200 times over, and
# every time ./.velmarstate must be exactly one of the two texts. Then the
# real game is killed at random moments around the save that follows the end
# of a game, a few times over: the state file must each time be a complete
# state with valid checksums, the old one or the new one.
set -eu

. "$(dirname "$0")/lib/scenario.sh"
scenario_begin kill_save

SAVE_LOOP="$BUILD/tests/apps/save_loop"
LOOP_KILLS=200
GAME_KILLS=3

# Waits up to 10 s for save_loop's first save, looking every 10 ms.
loop_wait_saving() {
	for _ in $(seq 1000); do
		grep -qx saving "$WORK/loop.out" && return 0
		kill -0 "$LOOP" 2>/dev/null || break
		sleep 0.01
	done
	fail "save_loop did not start saving: $(cat "$WORK/loop.out")"
}

#------------------------------------------------------------------------------
# Save loop
#------------------------------------------------------------------------------

yes 1 | head -50000 | tr '\n' '|' > "$WORK/a.txt"
yes 22 | head -40000 | tr '\n' '|' > "$WORK/b.txt"
# NOTE: a save takes a few milliseconds; a kill that leaves the temporary
# file behind fell inside one.
inside=0
for n in $(seq "$LOOP_KILLS"); do
	"$SAVE_LOOP" "$WORK/a.txt" "$WORK/b.txt" > "$WORK/loop.out" 2>&1 &
	LOOP=$!
	loop_wait_saving
	random 30
	sleep "$(printf '0.%03d' "$RANDOM_N")"
	kill -9 "$LOOP"
	wait "$LOOP" 2>/dev/null || true
	cmp -s .velmarstate "$WORK/a.txt" || cmp -s .velmarstate "$WORK/b.txt" ||
		fail "after kill $n the state file is neither text ($(wc -c < .velmarstate) bytes)"
	if [ -f .velmarstate.tmp ]; then
		inside=$((inside + 1))
		rm .velmarstate.tmp
	fi
done
echo "kill_save: $LOOP_KILLS killed save loops left one text or the other ($inside kills inside a save)"
rm -f .velmarstate .velmarstate.tmp

#------------------------------------------------------------------------------
# The game
#------------------------------------------------------------------------------

state_compose $(yes 0 | head -93) > .velmarstate
# NOTE: the save comes 90 updates (1.5 s) after the game is ended from the
# pause panel; the kills fall from 1.2 s to 2.0 s after that.
for n in $(seq "$GAME_KILLS"); do
	cp .velmarstate "$WORK/old"
	game_start
	game_round_play "kill_$n"
	random 800
	sleep "$(printf '1.%03d' $((200 + RANDOM_N)))"
	kill -9 "$GAME"
	wait "$GAME" 2>/dev/null || true
	GAME=""
	[ -f .velmarstate ] || fail "kill $n lost the state file"
	state_check
	if cmp -s .velmarstate "$WORK/old"; then echo "kill $n: the old state"; else echo "kill $n: a new state"; fi
done
echo "kill_save: passed"
