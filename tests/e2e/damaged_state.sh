# damaged_state.sh: the game on state files that are damaged, foreign or odd.
#
# Every case starts the real game on one state file: a valid one, then the
# same with one section damaged (settings, badges, each mode's scores), random
# bytes, an empty file, a valid state followed by tens of megabytes of junk,
# values at the ends of the 32-bit range, and the valid state as UTF-16 with
# a byte-order mark. The game must print the load messages that fit, keep
# every section it could read, play a round and save a complete state with
# valid checksums in which the sections it kept come back unchanged (the
# round adds its score 0 to mode 1's lists); F4 then ends it with status 0,
# with no sanitizer report.
set -eu

. "$(dirname "$0")/lib/scenario.sh"
scenario_begin damaged_state

#------------------------------------------------------------------------------
# States
#------------------------------------------------------------------------------

# Settings with every bounded one inside its bounds (overscan is 1 off Ouya).
SETTINGS="0 0 0 7 0 2 0 0 0 0 100 90 12 0 1 0 0 0 0 0 -5 0 0 0 0"
# Badge words, one with bit 31 set.
BADGES="-2147483648 5 0 0 123456 0 0 7"
# Three modes of ten (best, recent) pairs, best highest first, none zero.
SCORES=$(awk 'BEGIN { for (k = 1; k <= 3; k++) for (r = 0; r < 10; r++) printf "%d %d ", 1000 * k - 50 * r, 100 * k + 7 * r }')
# What the game starts with when it reads nothing.
START_SETTINGS="0 0 0 0 0 1 0 0 0 0 64 64 10 0 1 0 0 0 0 0 0 0 0 0 0"
NO_BADGES="0 0 0 0 0 0 0 0"
NO_SCORES=$(yes 0 | head -60 | tr '\n' ' ')
# Fields (from 0) that the damaged cases change: the pad x setting, badge
# word 4, and the first best score of mode 1, the next modes 21 fields on.
PAD_X_FIELD=10
BADGE_FIELD=30
SCORES_FIELD=35
MODE_FIELDS=21

# The 20 values of mode K (0..2) of the score list SCORES.
mode_scores() {
	echo "$2" | awk -v k="$1" '{ for (i = 1 + 20 * k; i <= 20 + 20 * k; i++) printf "%s ", $i }'
}

# The valid state text with field N (from 0) given one more digit.
damaged_at() {
	state_compose $SETTINGS $BADGES $SCORES | awk -v RS='|' -v ORS='|' -v n="$1" 'NR == n + 1 { $0 = $0 "1" } 1'
}

#------------------------------------------------------------------------------
# Cases
#------------------------------------------------------------------------------

# Runs the game on ./.velmarstate as it is now. MESSAGES are the load
# messages it must print, each ended by ";"; the remaining arguments are the
# 93 values it must have kept, which the round's save must hold (after the
# round's score).
state_case() {
	_case=$1
	_messages=$2
	shift 2
	echo "case $_case"
	game_start
	game_round "$_case"
	expect_load_messages "$_messages"
	_want=$(after_round "$@")
	_got=$(state_values)
	[ "$_got" = "$_want" ] || fail "case $_case saved \"$_got\", not \"$_want\""
	game_quit
	expect_no_sanitizer_report
}

state_compose $SETTINGS $BADGES $SCORES > .velmarstate
state_case valid "$ALL_LOADED" $SETTINGS $BADGES $SCORES

damaged_at "$PAD_X_FIELD" > .velmarstate
state_case settings "Settings Checksum Invalid;Badges Loaded;Highscore 0 Loaded;Highscore 1 Loaded;Highscore 2 Loaded;" \
	$START_SETTINGS $BADGES $SCORES

damaged_at "$BADGE_FIELD" > .velmarstate
state_case badges "Settings Loaded;Badge Checksum Invalid;Highscore 0 Loaded;Highscore 1 Loaded;Highscore 2 Loaded;" \
	$SETTINGS $NO_BADGES $SCORES

for k in 0 1 2; do
	damaged_at $((SCORES_FIELD + MODE_FIELDS * k)) > .velmarstate
	kept=""
	messages="Settings Loaded;Badges Loaded;"
	for m in 0 1 2; do
		if [ "$m" -eq "$k" ]; then
			kept="$kept $(mode_scores "$m" "$NO_SCORES")"
			messages="${messages}Highscore $m Checksum Invalid;"
		else
			kept="$kept $(mode_scores "$m" "$SCORES")"
			messages="${messages}Highscore $m Loaded;"
		fi
	done
	state_case "scores_$k" "$messages" $SETTINGS $BADGES $kept
done

# NOTE: without "|" random bytes are one field, too short for any section; a
# field that is not a number reads as 0, so junk fields could pass a checksum.
head -c 4096 /dev/urandom | tr -d '|' > .velmarstate
state_case random "" $START_SETTINGS $NO_BADGES $NO_SCORES

: > .velmarstate
state_case empty "" $START_SETTINGS $NO_BADGES $NO_SCORES

# A valid state and 24 MB more: a hundred thousand more fields, then one
# field of 24 million characters.
state_compose $SETTINGS $BADGES $SCORES > .velmarstate
yes '12345|' | head -100000 | tr -d '\n' >> .velmarstate
head -c 24000000 /dev/zero | tr '\0' 'x' >> .velmarstate
state_case huge "$ALL_LOADED" $SETTINGS $BADGES $SCORES

# Values at the ends of the 32-bit range with valid checksums, as a hand
# edit could leave them: the load bounds raise the pad distance and set the
# overscan to 1, and mode 1's best list is out of order (0 beats its second).
EXTREME_SETTINGS="2147483647 -2147483648 -1 0 0 7 0 0 0 0 2147483647 -2147483648 2147483647 0 2147483647 0 0 0 0 0 0 0 0 0 -2147483648"
EXTREME_BADGES="-1 -1 -1 -1 -1 -1 -1 -1"
EXTREME_SCORES=$(awk 'BEGIN { for (k = 0; k < 3; k++) for (r = 0; r < 10; r++) printf "%d %d ", r % 2 ? -2147483648 : 2147483647, 99999999 - r }')
state_compose $EXTREME_SETTINGS $EXTREME_BADGES $EXTREME_SCORES > .velmarstate
state_case extreme "$ALL_LOADED" \
	$(echo "$EXTREME_SETTINGS" | awk '{ $12 = 64; $15 = 1; print }') $EXTREME_BADGES $EXTREME_SCORES

# NOTE: a state file with a byte-order mark is decoded as UTF-16; valid text
# in it is the same state, and the next save writes it back as UTF-8.
printf '\377\376' > .velmarstate
state_compose $SETTINGS $BADGES $SCORES | iconv -f UTF-8 -t UTF-16LE >> .velmarstate
state_case utf16 "$ALL_LOADED" $SETTINGS $BADGES $SCORES

echo "damaged_state: all cases passed"
