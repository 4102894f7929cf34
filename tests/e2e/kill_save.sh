# kill_save.sh: a process killed in the middle of a save never damages the state.
#
# tests/apps/save_loop saves two long texts in turn through the game's save
# path. Two of them save at once, as two copies of the game could, and are
# killed with SIGKILL at a random moment, 200 times over: every time no save
# may have failed before the kill, ./.velmarstate must be exactly one of the
# two texts, and at most one temporary file per loop may be left. Then the
# real game is killed at random moments around the save that follows the end
# of a game, a few times over: the state file must each time be the old
# state or the new one (valid, with the game's score in mode 1's lists).
set -eu

. "$(dirname "$0")/lib/scenario.sh"
scenario_begin kill_save

SAVE_LOOP="$BUILD/tests/apps/save_loop"
LOOP_KILLS=200
GAME_KILLS=3

# Waits up to 10 s for the first save of the save_loop PID, whose output goes
# to FILE, looking every 10 ms.
loop_wait_saving() {
	for _ in $(seq 1000); do
		grep -qx saving "$2" && return 0
		kill -0 "$1" 2>/dev/null || break
		sleep 0.01
	done
	status=running
	kill -0 "$1" 2>/dev/null || wait "$1" || status=$?
	fail "save_loop did not start saving (status $status): $(cat "$2")"
}

#------------------------------------------------------------------------------
# Save loop
#------------------------------------------------------------------------------

yes 1 | head -50000 | tr '\n' '|' > "$WORK/a.txt"
yes 22 | head -40000 | tr '\n' '|' > "$WORK/b.txt"
# NOTE: a save takes a few milliseconds; a temporary file left behind is a
# kill that fell inside one.
inside=0
for n in $(seq "$LOOP_KILLS"); do
	"$SAVE_LOOP" "$WORK/a.txt" "$WORK/b.txt" > "$WORK/loop1.out" 2>&1 &
	LOOP1=$!
	"$SAVE_LOOP" "$WORK/b.txt" "$WORK/a.txt" > "$WORK/loop2.out" 2>&1 &
	LOOP2=$!
	loop_wait_saving "$LOOP1" "$WORK/loop1.out"
	loop_wait_saving "$LOOP2" "$WORK/loop2.out"
	random 30
	sleep "$(printf '0.%03d' "$RANDOM_N")"
	# A loop whose save failed has ended already, with status 2.
	kill -9 "$LOOP1" "$LOOP2" 2>/dev/null || true
	for loop in "$LOOP1" "$LOOP2"; do
		status=0
		wait "$loop" || status=$?
		[ "$status" -eq 137 ] || fail "a save loop ended with status $status before kill $n"
	done
	cmp -s .velmarstate "$WORK/a.txt" || cmp -s .velmarstate "$WORK/b.txt" ||
		fail "after kill $n the state file is neither text ($(wc -c < .velmarstate) bytes)"
	set -- .velmarstate.tmp*
	[ -e "$1" ] || shift
	[ $# -le 2 ] || fail "after kill $n, $# temporary files: $*"
	inside=$((inside + $#))
	rm -f "$@"
done
echo "kill_save: $LOOP_KILLS kills of two save loops at once left one text or the other ($inside temporary files from kills inside a save)"
rm -f .velmarstate .velmarstate.tmp*

#------------------------------------------------------------------------------
# The game
#------------------------------------------------------------------------------

# Settings at their load bounds, no badges, and scores that a game of score
# 0 changes (its recent scores move down).
state_compose 0 0 0 0 0 1 0 0 0 0 64 64 10 0 1 $(yes 0 | head -18) \
	$(awk 'BEGIN { for (i = 0; i < 60; i++) printf "%d ", 600 - 10 * i }') > .velmarstate
# NOTE: the save comes 90 updates (1.5 s) after the game is ended from the
# pause panel, about 1.3 s after game_round_play returns; the kills fall
# from 0.9 s to 1.7 s after that, before or after the save.
for n in $(seq "$GAME_KILLS"); do
	state_mark
	game_start
	game_round_play "kill_$n"
	random 800
	KILL_AFTER=$(printf '%d.%03d' $(((900 + RANDOM_N) / 1000)) $(((900 + RANDOM_N) % 1000)))
	sleep "$KILL_AFTER"
	kill -9 "$GAME"
	wait "$GAME" 2>/dev/null || true
	GAME=""
	[ -f .velmarstate ] || fail "kill $n lost the state file"
	if cmp -s .velmarstate "$WORK/state.mark"; then
		echo "kill $n after $KILL_AFTER s: the old state"
	else
		state_check_game 1
		echo "kill $n after $KILL_AFTER s: the new state, with the game's score $SCORE"
	fi
done
echo "kill_save: passed"
