# scenario.sh: what every end-to-end scenario does with the real game binary.
#
# A scenario script sources this file and calls scenario_begin NAME first: the
# script is run again under its own Xvfb display, inside a fresh working
# directory that links data/ to the build's assets. Screenshots go to
# build/e2e/NAME/. The game's sound goes through OpenAL Soft's configuration in
# the working directory (audio_null, audio_wave FILE or audio_none), never
# through anything the game reads itself.
#
# Functions:
#   scenario_begin NAME     re-runs the script under xvfb-run, in a scratch dir
#   audio_null / audio_wave FILE / audio_none
#   game_start              starts build/zimbolo, finds and focuses its window
#   key NAME [PAUSE]        holds a key for 0.1 s, then waits PAUSE (0.4 s)
#   click X Y [PAUSE]       a left click at window point X, Y
#   shot NAME               grabs the window into NAME.png, mean colour in $MEAN
#   state_field N           field N (from 0) of ./.velmarstate
#   game_wait [SECONDS]     waits for the game to end; its status in $STATUS
#   game_quit               F4, then game_wait; fails unless the status is 0
#   expect_output TEXT      fails unless the game printed the line TEXT
#   fail MESSAGE            prints MESSAGE and the game's output, exits 1
set -eu

BUILD=${ZIMBOLO_BUILD_DIR:-$(pwd)}
SCENARIO_SCREEN="-screen 0 1280x1024x24 -noreset"

#------------------------------------------------------------------------------
# Setting up
#------------------------------------------------------------------------------

# Re-runs the calling script under Xvfb in a fresh working directory.
# NOTE: the script path must be absolute or relative to the build directory;
# CTest starts every scenario there.
scenario_begin() {
	SCENARIO=$1
	if [ -z "${SCENARIO_INNER:-}" ]; then
		SCENARIO_INNER=1 exec xvfb-run -a -s "$SCENARIO_SCREEN" sh "$0"
	fi
	SHOTS="$BUILD/e2e/$SCENARIO"
	rm -rf "$SHOTS"
	mkdir -p "$SHOTS"
	WORK=$(mktemp -d)
	GAME=""
	trap scenario_end EXIT
	ln -s "$BUILD/data" "$WORK/data"
	cd "$WORK"
	audio_null
}

# Stops a game still running and removes the working directory.
scenario_end() {
	if [ -n "$GAME" ]; then kill -9 "$GAME" 2>/dev/null || true; fi
	cd /
	chmod -R u+w "$WORK" 2>/dev/null || true
	rm -rf "$WORK"
}

# OpenAL Soft mixes into nothing.
audio_null() {
	printf '[general]\ndrivers = null\n' > "$WORK/alsoft.conf"
}

# OpenAL Soft mixes into the WAV file FILE, in real time.
audio_wave() {
	printf '[general]\ndrivers = wave\n[wave]\nfile = %s\n' "$1" > "$WORK/alsoft.conf"
}

# OpenAL Soft finds no device at all.
audio_none() {
	printf '[general]\ndrivers = none-such\n' > "$WORK/alsoft.conf"
}

#------------------------------------------------------------------------------
# Running the game
#------------------------------------------------------------------------------

# Starts the game in the working directory; its window id in $WID.
game_start() {
	ALSOFT_CONF="$WORK/alsoft.conf" "$BUILD/zimbolo" > "$WORK/game.out" 2>&1 &
	GAME=$!
	WID=""
	for _ in $(seq 40); do
		WID=$(xdotool search --name '^Zimbolo$' 2>/dev/null | head -1 || true)
		[ -n "$WID" ] && break
		kill -0 "$GAME" 2>/dev/null || fail "the game ended before opening its window"
		sleep 0.25
	done
	[ -n "$WID" ] || fail "no game window"
	xdotool windowfocus --sync "$WID"
}

# Waits up to SECONDS (30) for the game to end; its exit status in $STATUS.
game_wait() {
	for _ in $(seq $((${1:-30} * 4))); do
		kill -0 "$GAME" 2>/dev/null || break
		sleep 0.25
	done
	kill -0 "$GAME" 2>/dev/null && fail "the game did not end"
	STATUS=0
	wait "$GAME" || STATUS=$?
	GAME=""
}

# Ends the game with F4; it must exit with status 0.
game_quit() {
	key F4 0
	game_wait
	[ "$STATUS" -eq 0 ] || fail "F4 ended the game with status $STATUS"
}

#------------------------------------------------------------------------------
# Input and output
#------------------------------------------------------------------------------

# One key held for a tenth of a second (the game reads keys as held, once per
# update), then time for the game to act on it.
key() {
	xdotool keydown "$1"
	sleep 0.1
	xdotool keyup "$1"
	sleep "${2:-0.4}"
}

# A left click at a point of the window.
click() {
	xdotool mousemove --window "$WID" "$1" "$2" mousedown 1
	sleep 0.1
	xdotool mouseup 1
	sleep "${3:-0.4}"
}

# Grabs the game window as NAME.png and keeps its mean colour in $MEAN.
shot() {
	MEAN=$("$BUILD/x11_shot" "$SHOTS/$1.png" "$WID")
	echo "$1: mean colour $MEAN"
}

# Field n (from 0) of the saved state text.
state_field() {
	tr '|' '\n' < .velmarstate | sed -n "$(($1 + 1))p"
}

# Fails unless the game printed the line TEXT.
expect_output() {
	grep -qxF "$1" "$WORK/game.out" || fail "the game did not print \"$1\""
}

# Prints what went wrong and the game's output, and fails the scenario.
fail() {
	echo "$SCENARIO: $*" >&2
	if [ -f "$WORK/game.out" ]; then
		echo "--- game output:" >&2
		tail -40 "$WORK/game.out" >&2
	fi
	exit 1
}
