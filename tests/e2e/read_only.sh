# read_only.sh: the game where it may not write its state.
#
# First the working directory and its state file are read-only, then only
# the state file is. Each time the directory holds an old state file; the
# game must load it, play two rounds (each ending with a save that cannot be
# written) and go on running as if nothing happened; F4 then ends it with
# status 0. The old state file must be untouched, byte for byte, and no
# temporary file may be left.
# Then the directory is read-only again but the state file is writable: a
# round's score reaches the file, written in place. Last the state file is a
# link into another directory: the score reaches the file there and the link
# stays.
# NOTE: root writes anywhere, so run as root the game runs as an
# unprivileged user on an X server without access control.
set -eu

. "$(dirname "$0")/lib/scenario.sh"
scenario_begin_open read_only

OLD="$SHOTS/old_state"

# The names in the working directory, sorted, on one line.
work_names() {
	ls -A | sort | tr '\n' ' '
}

# Plays two rounds of PART whose saves must fail, then checks that nothing
# changed: the directory holds what it held, and LOCK when given (the lock
# file, which the game makes where it may).
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
	for left in .velmarstate.tmp*; do
		[ ! -e "$left" ] || fail "$1: a temporary state file was left: $left"
	done
	[ "$(work_names)" = "${2:+$2 }.velmarstate alsoft.conf data game.out " ] ||
		fail "$1: the working directory changed: $(ls -A)"
	game_quit
	expect_no_sanitizer_report
}

# Plays a round whose save must reach the state file marked before (the
# menu comes back after the save); the working directory keeps its names.
round_saved() {
	echo "part $1"
	NAMES=$(work_names)
	game_start
	game_round_play "$1"
	game_over_wait "$1"
	state_changed || fail "$1: the state file was not written"
	state_check_game 1
	echo "$1: the score $SCORE was saved"
	[ "$(work_names)" = "$NAMES" ] || fail "$1: the working directory changed: $(ls -A)"
	game_quit
	expect_no_sanitizer_report
}

state_compose 0 0 0 0 0 2 0 0 0 0 80 70 10 0 1 $(yes 0 | head -10) 3 0 0 0 0 0 0 9 \
	$(awk 'BEGIN { for (i = 0; i < 60; i++) printf "%d ", 600 - 10 * i }') > .velmarstate
cp .velmarstate "$OLD"

work_read_only
rounds_without_saving directory

work_state_read_only
rounds_without_saving file .velmarlock

chmod a+w .velmarstate
state_mark
chmod a-w "$WORK"
round_saved in_place

chmod u+w "$WORK"
mkdir saves
mv .velmarstate saves/state
ln -s saves/state .velmarstate
[ "$(id -u)" -ne 0 ] || chown "$GAME_USER" saves
state_mark
round_saved link
[ -L .velmarstate ] || fail "the link to the state file was replaced"
[ "$(ls -A saves)" = state ] || fail "the directory of the linked state holds $(ls -A saves)"

echo "read_only: passed"
