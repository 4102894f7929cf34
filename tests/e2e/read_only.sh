# read_only.sh: the game where it may not write its state.
#
# First the working directory is read-only, then only the state file in it
# is. Each time the directory holds an old state file; the game must load it,
# play two rounds (each ending with a save that cannot be written) and go on
# running as if nothing happened; F4 then ends it with status 0. The old
# state file must be untouched, byte for byte, and no temporary file may be
# left.
# NOTE: root writes anywhere, so run as root the game runs as an
# unprivileged user on an X server without access control.
set -eu

. "$(dirname "$0")/lib/scenario.sh"
scenario_begin_open read_only

OLD="$SHOTS/old_state"

# Plays two rounds whose saves must fail, then checks that nothing changed.
rounds_without_saving() {
	echo "part $1"
	game_start
	echo "the game runs as user $(ps -o uid= -p "$GAME")"
	for round in 1 2; do
		game_round_play "$1_round_$round"
		game_over_wait "$1_round_$round"
		kill -0 "$GAME" 2>/dev/null || fail "the game ended after the failed save of round $round"
	done
	shot "$1_after_rounds"
	expect_output "Settings Loaded"
	cmp -s .velmarstate "$OLD" || fail "$1: the old state file changed"
	[ ! -e .velmarstate.tmp ] || fail "$1: a temporary state file was left"
	[ "$(ls -A | sort | tr '\n' ' ')" = ".velmarstate alsoft.conf data game.out " ] ||
		fail "$1: the working directory changed: $(ls -A)"
	game_quit
	expect_no_sanitizer_report
}

state_compose 0 0 0 0 0 2 0 0 0 0 80 70 10 0 1 $(yes 0 | head -10) 3 0 0 0 0 0 0 9 \
	$(awk 'BEGIN { for (i = 0; i < 60; i++) printf "%d ", 600 - 10 * i }') > .velmarstate
cp .velmarstate "$OLD"

work_read_only
rounds_without_saving directory

work_state_read_only
rounds_without_saving file

echo "read_only: passed"
