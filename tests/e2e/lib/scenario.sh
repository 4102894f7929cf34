# scenario.sh: what every end-to-end scenario does with the real game binary.
#
# A scenario script sources this file and calls scenario_begin NAME first: the
# script is run again under its own Xvfb display, inside a fresh working
# directory that links data/ to the build's assets. Screenshots go to
# build/test/e2e/NAME/. The game's sound goes through OpenAL Soft's
# configuration in the working directory (audio_null, audio_wave FILE or
# audio_none), never through anything the game reads itself.
#
# Functions:
#   scenario_begin NAME     re-runs the script under xvfb-run, in a scratch dir
#   audio_null / audio_wave FILE / audio_none
#   audio_ms                prints how many milliseconds the wave file holds
#   audio_loud FROM TO [LEVEL]
#                           true when the wave file peaks above LEVEL (2000)
#                           between FROM and TO milliseconds
#   audio_silent FROM TO    true when the wave file is silent in that span
#   audio_settle [SECONDS]  waits until the last 0.3 s of sound were silent
#   game_start [PROGRAM]    starts the build's zimbolo (or PROGRAM), finds and
#                           focuses its window
#   game_sync [COUNT]       waits until the game has handled the input sent so
#                           far (COUNT 2: and has been through one more frame)
#   window_find             waits for the game's window to be a new one (the
#                           game made it again), titled "Zimbolo", and
#                           focuses it, as a window manager would; its id in
#                           $WID
#   game_refocus            finds the game's window now (full screen makes a
#                           new one), without waiting, and gives it the focus
#                           if it lacks it; $WID follows it
#   game_rss                prints the game's resident memory in kB
#   game_wait [SECONDS]     waits for the game to end (60 s at most); its
#                           status in $STATUS
#   game_quit               F4, then game_wait; fails unless the status is 0
#   game_gone MESSAGE       fails with MESSAGE, and the status if the game ended
#   key NAME [PAUSE]        holds a key for 0.1 s and until the game has seen
#                           it, then waits PAUSE (0.4 s)
#   keys N NAME [PAUSE]     key NAME, N times
#   hold NAME SECONDS       holds a key for SECONDS
#   click X Y [PAUSE]       a left click at window point X, Y, held as key is
#   pointer X Y             moves the pointer to window point X, Y
#   window_close            asks the window to close as a window manager does
#   window_size             the window's size in $WIN_W and $WIN_H
#   expect_desktop_identity CLASS
#                           fails unless the window has the instance
#                           "zimbolo", the class CLASS and an icon at every
#                           size from 16 to 256 pixels
#   spot X Y W H [MIN]      the centre of the bright pixels (every channel at
#                           least MIN, 200) of that part of the window in
#                           $SPOT_X $SPOT_Y; false when there are none
#   shot NAME               grabs the window into NAME.png, mean colour in $MEAN
#                           and its red, green and blue in $RED $GREEN $BLUE
#                           (of the part "X Y W H" in $SHOT_AREA, when set)
#   shot_until NAME TEST [SECONDS]
#                           grabs NAME.png until the command TEST holds (it
#                           sees the shot's colours); fails after SECONDS (60)
#   shot_still NAME [SECONDS]
#                           shot_until NAME is_settled: waits until the screen
#                           holds still (a box has slid in or away)
#   is_loading / is_menu / is_dark / is_options
#                           TESTs: the loading screen, the menu or play in its
#                           green (as play starts), the game-over or pause
#                           dimming, the brown options box
#   random N                a number 0..N-1 in $RANDOM_N (seeded by $SEED)
#   state_field N           field N (from 0) of ./.velmarstate
#   state_best MODE ROW / state_recent MODE ROW
#                           a score of a mode (1..3) and row (0..9) of the file
#   state_mark              remembers the state file as it is now
#   state_changed           true once the state file was written since the mark
#   state_wait_change [SECONDS]
#                           waits until the state file is written again (60 s)
#   state_check             fails unless every checksum of the file holds
#   state_check_game MODE   fails unless, since the mark, the score of one
#                           game entered MODE's lists and no other list changed
#   expect_output TEXT      fails unless the game printed the line TEXT
#   fail MESSAGE            prints MESSAGE and the game's output, exits 1
# Robustness scenarios:
#   is_menu_up / is_settled TESTs: the menu has come (it may still fade in),
#                           the mean colour is the same as in the shot a game
#                           frame before
#   game_over_wait TAG      the game-over overlay, then the menu
#   game_round_play TAG     plays a round in mode 1 and ends it (saves 1.5 s later)
#   game_round TAG          game_round_play, then waits for the save
#   expect_load_messages M  the state load messages, each ended by ";"
#   expect_no_sanitizer_report
#   state_compose V*93      a valid state text from its 93 values
#   state_values            the state file's 93 values; fails unless complete
#                           and valid
#   work_read_only          the working directory and its state file
#                           read-only (game as $GAME_AS)
#   work_state_read_only    then the directory writable, the state file not
#   scenario_begin_open NAME  scenario_begin on an X server open to all users
set -eu

BUILD=${ZIMBOLO_BUILD_DIR:-$(pwd)}
SCENARIO_SCREEN="-screen 0 1280x1024x24 -noreset"
# The longest the scenarios wait, by default, for the game to do something.
# NOTE: generous: the sanitized game shares two cores with other tests, and a
# wait for a condition ends as soon as it holds.
WAIT_SECONDS=60

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
	SEED=${SEED:-$$}
	echo "$SCENARIO: random seed $SEED (SEED=$SEED repeats the run)"
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

# OpenAL Soft mixes into the WAV file FILE, in real time, as 16-bit samples.
audio_wave() {
	WAVE=$1
	printf '[general]\ndrivers = wave\nsample-type = int16\n[wave]\nfile = %s\n' "$1" > "$WORK/alsoft.conf"
}

# OpenAL Soft finds no device at all.
audio_none() {
	printf '[general]\ndrivers = none-such\n' > "$WORK/alsoft.conf"
}

# How many milliseconds of sound the wave file holds so far.
audio_ms() {
	"$BUILD/wav_levels" "$WAVE" length || fail "cannot read the wave file $WAVE"
}

# True when the sound between FROM and TO ms peaks above LEVEL (2000).
audio_loud() {
	[ "$("$BUILD/wav_levels" "$WAVE" peak "$1" "$2")" -gt "${3:-2000}" ]
}

# True when the sound between FROM and TO ms is silent; fails the scenario
# when the file cannot be read.
audio_silent() {
	AUDIO_STATUS=0
	AUDIO_PEAK=$("$BUILD/wav_levels" "$WAVE" silent "$1" "$2") || AUDIO_STATUS=$?
	[ "$AUDIO_STATUS" -le 1 ] || fail "cannot read the wave file $WAVE"
	[ "$AUDIO_STATUS" -eq 0 ]
}

# Waits up to SECONDS (10) until the latest 0.3 s of sound were silent.
audio_settle() {
	SETTLE_END=$(($(date +%s) + ${1:-10}))
	while :; do
		SETTLE_AT=$(audio_ms)
		[ "$SETTLE_AT" -gt 300 ] && audio_silent $((SETTLE_AT - 300)) "$SETTLE_AT" && return 0
		[ "$(date +%s)" -lt "$SETTLE_END" ] || fail "the sound did not die down within ${1:-10} s"
		sleep 0.1
	done
}

#------------------------------------------------------------------------------
# Running the game
#------------------------------------------------------------------------------

# Starts the game (or PROGRAM) in the working directory; its window id in $WID.
game_start() {
	ALSOFT_CONF="$WORK/alsoft.conf" ${GAME_AS:-} "${1:-$BUILD/zimbolo}" > "$WORK/game.out" 2>&1 &
	GAME=$!
	WID=""
	WINDOW_END=$(($(date +%s) + WAIT_SECONDS))
	while [ "$(date +%s)" -lt "$WINDOW_END" ]; do
		WID=$(xdotool search --name '^Zimbolo$' 2>/dev/null | head -1 || true)
		[ -n "$WID" ] && break
		kill -0 "$GAME" 2>/dev/null || fail "the game ended before opening its window"
		sleep 0.05
	done
	[ -n "$WID" ] || fail "no game window within $WAIT_SECONDS s"
	xdotool windowfocus --sync "$WID"
}

# Waits until the game has handled the input sent to its window so far: the
# game answers a window manager's ping after the events before it. COUNT 2
# waits for two answers in turn, with a frame of the game between them. Gives
# up when the window is gone (the game ended or made a new one).
game_sync() {
	"$BUILD/x11_ping" "$WID" "${1:-1}" "$WAIT_SECONDS" 2>/dev/null || true
}

# Finds the game's new window, titled "Zimbolo" in full screen as in a
# window, after it made its window again. Focuses it.
window_find() {
	OLD_WID=$WID
	WINDOW_END=$(($(date +%s) + WAIT_SECONDS))
	while [ "$(date +%s)" -lt "$WINDOW_END" ]; do
		WID=$(xdotool search --onlyvisible --name '^Zimbolo$' 2>/dev/null | head -1 || true)
		[ -n "$WID" ] && [ "$WID" != "$OLD_WID" ] && break
		kill -0 "$GAME" 2>/dev/null || game_gone "no new window"
		sleep 0.05
	done
	[ -n "$WID" ] && [ "$WID" != "$OLD_WID" ] ||
		fail "the game made no new window titled Zimbolo within $WAIT_SECONDS s (windows: $(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | tr '\n' ' '))"
	xdotool windowfocus --sync "$WID"
}

# The game's newest window in $WID; it takes the focus if it lacks it.
# NOTE: switching to full screen closes the window and opens a new one; with
# no window manager nothing gives it the focus.
game_refocus() {
	WID=$(xdotool search --name '^Zimbolo$' 2>/dev/null | sort -n | tail -1 || true)
	[ -n "$WID" ] || return 0
	[ "$(xdotool getwindowfocus 2>/dev/null || true)" = "$WID" ] || xdotool windowfocus "$WID" 2>/dev/null || true
}

# The game's resident memory in kB (VmRSS), or nothing once it has ended.
game_rss() {
	awk '/^VmRSS:/ { print $2 }' "/proc/$GAME/status" 2>/dev/null || true
}

# Waits up to SECONDS (60) for the game to end; its exit status in $STATUS.
game_wait() {
	for _ in $(seq $((${1:-$WAIT_SECONDS} * 4))); do
		kill -0 "$GAME" 2>/dev/null || break
		sleep 0.25
	done
	kill -0 "$GAME" 2>/dev/null && fail "the game did not end"
	STATUS=0
	wait "$GAME" || STATUS=$?
	GAME=""
}

# Fails with MESSAGE, and with the game's status if the game has ended.
game_gone() {
	if [ -n "$GAME" ] && ! kill -0 "$GAME" 2>/dev/null; then
		STATUS=0
		wait "$GAME" || STATUS=$?
		GAME=""
		fail "$1: the game ended with status $STATUS"
	fi
	fail "$1"
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

# One key held for a tenth of a second and until the game has seen it, then
# time for the game to act on it.
# NOTE: the game reads keys as held, once per update: a key let go before the
# game's next update (while it loads, saves or waits for a core) is never seen.
key() {
	xdotool keydown "$1"
	sleep 0.1
	game_sync
	xdotool keyup "$1"
	sleep "${2:-0.4}"
}

# A key held for a while.
hold() {
	xdotool keydown "$1"
	sleep "$2"
	xdotool keyup "$1"
}

# The same key N times.
keys() {
	for _ in $(seq "$1"); do key "$2" "${3:-0.4}"; done
}

# A left click at a point of the window, held as a key is.
click() {
	xdotool mousemove --window "$WID" "$1" "$2" mousedown 1
	sleep 0.1
	game_sync
	xdotool mouseup 1
	sleep "${3:-0.4}"
}

# The pointer to a point of the window.
pointer() {
	xdotool mousemove --window "$WID" "$1" "$2"
}

# The close request a window manager sends for the window's close button.
window_close() {
	"$BUILD/x11_close" "$WID" || fail "the window takes no close request"
}

# The size of the game window in $WIN_W and $WIN_H.
window_size() {
	eval "$(xdotool getwindowgeometry --shell "$WID")"
	WIN_W=$WIDTH
	WIN_H=$HEIGHT
}

# The window sizes of the game's icon.
WINDOW_ICONS="Icon (16 x 16) Icon (24 x 24) Icon (32 x 32) Icon (48 x 48) Icon (64 x 64) Icon (128 x 128) Icon (256 x 256) "

# Fails unless the window carries what docks and task bars know it by: the
# instance "zimbolo" and the class CLASS, and its icon at every size.
# NOTE: xprop reads no more than -len bytes of a property; the icons take
# some 360 kB.
expect_desktop_identity() {
	_class=$(xprop -id "$WID" WM_CLASS) || game_gone "no class of the window"
	[ "$_class" = "WM_CLASS(STRING) = \"zimbolo\", \"$1\"" ] || fail "the window's class is not $1: $_class"
	_icons=$(xprop -len 4000000 -id "$WID" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | tr '\n' ' ')
	[ "$_icons" = "$WINDOW_ICONS" ] || fail "the window's icons are: ${_icons:-none}"
}

# The centre of the bright pixels (a ball) in a rectangle of the window; MIN 1
# finds anything but black.
spot() {
	SPOT=$("$BUILD/x11_spot" "$WID" "$1" "$2" "$3" "$4" ${5:+"$5"}) || game_gone "no look at the window"
	[ "$SPOT" != none ] || return 1
	set -- $SPOT
	SPOT_X=$1
	SPOT_Y=$2
}

# Grabs the game window as NAME.png and keeps its mean colour (of the part
# $SHOT_AREA, when set) in $MEAN, and its channels in $RED, $GREEN and $BLUE.
shot() {
	# shellcheck disable=SC2086 # the area is four numbers
	MEAN=$("$BUILD/x11_shot" "$SHOTS/$1.png" "$WID" ${SHOT_AREA:-}) || game_gone "no screenshot $1 of the window"
	set -- "$1" $MEAN
	RED=$2
	GREEN=$3
	BLUE=$4
	echo "$1: mean colour $MEAN"
}

# Grabs NAME.png again and again until TEST holds, for SECONDS (60) at most.
shot_until() {
	SHOT_END=$(($(date +%s) + ${3:-$WAIT_SECONDS}))
	while :; do
		shot "$1" > /dev/null
		if $2; then
			echo "$1: mean colour $MEAN"
			return 0
		fi
		[ "$(date +%s)" -lt "$SHOT_END" ] || fail "no $1 screen within ${3:-$WAIT_SECONDS} s (mean colour $MEAN)"
		sleep 0.05
	done
}

# Grabs NAME.png until the screen holds still, for SECONDS (60) at most.
shot_still() {
	SETTLED_LAST=""
	shot_until "$1" is_settled "${2:-$WAIT_SECONDS}"
}

# The loading screen: dark blue around a yellow disc and an orange band, so
# redder than green, with far more blue than the brown options box.
is_loading() {
	[ "$RED" -gt "$GREEN" ] && [ $((BLUE * 2)) -gt "$RED" ]
}

# The menu or play, on their green background at full brightness.
is_menu() {
	[ "$GREEN" -gt 90 ] && [ "$GREEN" -gt "$RED" ] && [ "$GREEN" -gt "$BLUE" ]
}

# The game-over overlay or the pause panel: the field darkened to well below
# the darkest of the backgrounds of play.
is_dark() {
	[ $((RED + GREEN + BLUE)) -lt 160 ]
}

# The options box: its brown panel covers most of the screen.
is_options() {
	[ "$RED" -gt $((GREEN + 20)) ] && [ "$RED" -gt $((BLUE + 40)) ]
}

# A pseudo-random number 0..N-1 in $RANDOM_N; the sequence follows $SEED.
random() {
	SEED=$(((SEED * 1103515245 + 12345) % 2147483648))
	RANDOM_N=$((SEED / 65536 % $1))
}

# Field n (from 0) of the saved state text.
state_field() {
	tr '|' '\n' < .velmarstate | sed -n "$(($1 + 1))p"
}

# The state file holds 25 settings and their sum, 8 badge words and their sum,
# then per mode ten (best, recent) pairs and their sum.
STATE_MODES_AT=35
STATE_MODE_FIELDS=21

# The best score of a mode (1..3) at a row (0..9).
state_best() {
	state_field $((STATE_MODES_AT + STATE_MODE_FIELDS * ($1 - 1) + 2 * $2))
}

# The recent score of a mode (1..3) at a row (0..9).
state_recent() {
	state_field $((STATE_MODES_AT + STATE_MODE_FIELDS * ($1 - 1) + 2 * $2 + 1))
}

# The time the state file (or the file it links to) was last written, to the
# nanosecond.
state_time() {
	stat -L -c %y .velmarstate 2>/dev/null || echo none
}

# Remembers the state file (or its absence) and its time for state_changed.
state_mark() {
	if [ -f .velmarstate ]; then cp .velmarstate "$WORK/state.mark"; else : > "$WORK/state.mark"; fi
	STATE_MARK_TIME=$(state_time)
}

# True once the state file was written since the mark, even unchanged.
state_changed() {
	[ "$(state_time)" != "$STATE_MARK_TIME" ]
}

# Waits up to SECONDS (60) until the state file was written since the mark.
state_wait_change() {
	for _ in $(seq $((${1:-$WAIT_SECONDS} * 4))); do
		state_changed && return 0
		kill -0 "$GAME" 2>/dev/null || fail "the game ended while the state file was awaited"
		sleep 0.25
	done
	fail "the state file was not written within ${1:-$WAIT_SECONDS} s"
}

# The checksum arithmetic of the state text, for state_check and
# state_compose: settings sum of i * option i, badge sum of the words, and per
# mode k (0..2) the sum of (r + 4) * best r + (k + 3 + r) * recent r, all in
# 32 bits; is_checksum tells the fields (from 1) that hold a checksum.
# NOTE: 32-bit wrap-around by hand: awk computes in doubles, exact up to 2^53.
STATE_AWK='
function wrap(x) {
	x = x % 4294967296
	if (x < 0) x += 4294967296
	if (x >= 2147483648) x -= 4294967296
	return x
}
function is_checksum(i) {
	return i == 26 || i == 35 || (i >= 56 && (i - 56) % 21 == 0)
}
function checksums(v, s,    i, k, r, sum) {
	sum = 0
	for (i = 0; i < 25; i++) sum = wrap(sum + wrap(i * v[i + 1]))
	s["settings"] = sum
	sum = 0
	for (i = 0; i < 8; i++) sum = wrap(sum + v[26 + i])
	s["badges"] = sum
	for (k = 0; k < 3; k++) {
		sum = 0
		for (r = 0; r < 10; r++) {
			sum = wrap(sum + wrap((r + 4) * v[34 + 20 * k + 2 * r]))
			sum = wrap(sum + wrap((k + 3 + r) * v[35 + 20 * k + 2 * r]))
		}
		s[k] = sum
	}
}'

# Fails unless the state file has all its fields and every checksum holds.
state_check() {
	[ -f .velmarstate ] || fail "no state file"
	STATE_ERROR=$(awk -F'|' "$STATE_AWK"'
		{ if (NF != 99 || $99 != "") { print "the state has " NF - 1 " fields, not 98"; exit }
		  n = 0
		  for (i = 1; i <= 98; i++) if (!is_checksum(i)) v[++n] = $i
		  checksums(v, s)
		  if (s["settings"] != $26) print "settings checksum " $26 ", expected " s["settings"]
		  if (s["badges"] != $35) print "badge checksum " $35 ", expected " s["badges"]
		  for (k = 0; k < 3; k++)
		    if (s[k] != $(56 + 21 * k)) print "mode " k " checksum " $(56 + 21 * k) ", expected " s[k]
		}' .velmarstate)
	[ -z "$STATE_ERROR" ] || fail "$STATE_ERROR"
}

# Fails unless the state file is the marked one after one game of MODE: its
# score (now first of the mode's recent list) pushed the other recent scores
# down and took its place in the best list; the other modes and the settings
# are as they were (all lists empty without a marked file). Badges may have
# been won. The score goes in $SCORE.
state_check_game() {
	state_check
	SCORE=$(state_recent "$1" 0)
	STATE_ERROR=$(awk -F'|' -v mode="$1" '
		FILENAME == ARGV[1] { for (i = 1; i <= NF; i++) old[i] = $i; marked = 1; next }
		{ for (i = 1; i <= 26 && marked; i++) if ($i != old[i] + 0) print "setting " i - 1 " changed"
		  for (k = 1; k <= 3; k++) {
		    at = 36 + 21 * (k - 1)
		    if (k != mode) {
		      for (i = at; i < at + 21; i++) if ($i != old[i] + 0) print "mode " k " changed"
		      continue
		    }
		    score = $(at + 1); placed = 0; from = 0
		    for (r = 0; r < 10; r++) {
		      want = old[at + 2 * (r - 1) + 1] + 0
		      if (r == 0) want = score
		      if ($(at + 2 * r + 1) != want) print "recent row " r " is " $(at + 2 * r + 1) ", not " want
		      want = old[at + 2 * from] + 0
		      if (!placed && want < score) { want = score; placed = 1 } else from++
		      if ($(at + 2 * r) != want) print "best row " r " is " $(at + 2 * r) ", not " want
		    } } }' "$WORK/state.mark" .velmarstate | sort -u)
	[ -z "$STATE_ERROR" ] || fail "after a game of mode $1: $STATE_ERROR
--- state file before: $(cat "$WORK/state.mark")
--- state file after: $(cat .velmarstate)"
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

#------------------------------------------------------------------------------
# Robustness: whole rounds, state files, other users
#------------------------------------------------------------------------------

# TEST: the menu has come and takes input, though it may still fade in: green
# above red (its ground is green, even without its images; the loading screen
# is blue-grey, orange and yellow).
is_menu_up() {
	[ "$GREEN" -gt "$RED" ]
}

# TEST: the same mean colour as in the shot before (the screen holds still).
# NOTE: the next shot comes after a frame of the game: a game that is busy
# (or waits for a core) shows the same picture without holding still.
is_settled() {
	SETTLED_BEFORE=${SETTLED_LAST:-}
	SETTLED_LAST=$MEAN
	game_sync 2
	[ "$MEAN" = "$SETTLED_BEFORE" ]
}

# Waits for the game-over overlay and then the menu after it (the save comes
# in between). Screenshots TAG_over and TAG_menu.
game_over_wait() {
	shot_until "$1_over" is_dark
	shot_until "$1_menu" is_menu
}

# Waits for the menu and plays a round in the first mode without launching a
# ball: Enter, then the game ended from the pause panel once its screen holds
# still (the menu fades in, the playfield does not); the game saves 1.5 s
# later. Screenshots TAG_menu_up and TAG_game.
game_round_play() {
	shot_until "$1_menu_up" is_menu_up
	key Return 0.2
	shot_still "$1_game"
	key Escape 0.4
	key Left 0.15
	key Return 0.15
}

# game_round_play TAG, then waits for the save.
game_round() {
	state_mark
	game_round_play "$1"
	state_wait_change
}

# The load messages of a state whose every section is valid.
ALL_LOADED="Settings Loaded;Badges Loaded;Highscore 0 Loaded;Highscore 1 Loaded;Highscore 2 Loaded;"

# Fails unless the load messages the game printed are MESSAGES, in order,
# each ended by ";" ("" when there must be none).
expect_load_messages() {
	_got=$(grep -E '^(Settings|Badges?|Highscore [0-9])( Checksum Invalid| Loaded)$' "$WORK/game.out" | tr '\n' ';')
	[ "$_got" = "$1" ] || fail "load messages were \"$_got\", not \"$1\""
}

# Fails if the game's output holds a sanitizer report.
expect_no_sanitizer_report() {
	if grep -qE 'AddressSanitizer|LeakSanitizer|runtime error:' "$WORK/game.out"; then
		fail "the sanitizers reported a fault"
	fi
}

# A state text from its 93 values (25 settings, 8 badge words, three modes of
# ten best, recent pairs), with the checksums put in their places.
state_compose() {
	[ "$#" -eq 93 ] || fail "state_compose takes 93 values, not $#"
	echo "$@" | awk "$STATE_AWK"'
	{
		for (i = 1; i <= 93; i++) v[i] = $i
		checksums(v, s)
		for (i = 1; i <= 25; i++) printf "%s|", v[i]
		printf "%.0f|", s["settings"]
		for (i = 26; i <= 33; i++) printf "%s|", v[i]
		printf "%.0f|", s["badges"]
		for (k = 0; k < 3; k++) {
			for (i = 34 + 20 * k; i < 54 + 20 * k; i++) printf "%s|", v[i]
			printf "%.0f|", s[k]
		}
	}'
}

# The 93 values of the state file, one line, checksums left out; fails
# unless it is a complete state whose checksums all hold (state_check).
state_values() {
	state_check
	awk -F'|' "$STATE_AWK"'{
		for (i = 1; i <= 97; i++) if (!is_checksum(i)) printf "%s%s", $i, i < 97 ? " " : "\n"
	}' .velmarstate
}

# The 93 values after a round of score 0 in mode 1: the score enters the best
# list before the first lower score (if there is one), the recent scores move
# down one place and 0 comes first.
after_round() {
	echo "$@" | awk '{
		for (k = 0; k < 10 && $(34 + 2 * k) >= 0; k++);
		if (k < 10) {
			for (r = 9; r > k; r--) $(34 + 2 * r) = $(32 + 2 * r)
			$(34 + 2 * k) = 0
		}
		for (r = 9; r > 0; r--) $(35 + 2 * r) = $(33 + 2 * r)
		$35 = 0
		print
	}'
}

# The unprivileged user (nobody) that games run as when a scenario runs as
# root and needs file permissions to bind.
GAME_USER=65534

# Makes the working directory and its state file readable by everyone and
# writable by no one; the game then runs as $GAME_USER when the scenario runs
# as root (who may write anywhere). The X server must then be open: see
# scenario_begin_open.
work_read_only() {
	: > "$WORK/game.out"
	chmod 755 "$WORK"
	chmod -R a+rX "$WORK"
	chmod a-w "$WORK" "$WORK/.velmarstate"
	if [ "$(id -u)" -eq 0 ]; then
		GAME_AS="setpriv --reuid=$GAME_USER --regid=$GAME_USER --clear-groups"
		$GAME_AS sh -c '[ -x "$1/zimbolo" ] && [ -r "$1/data/gfx.png" ] && [ -r "$2/alsoft.conf" ]' - "$BUILD" "$WORK" ||
			fail "user $GAME_USER cannot reach the game, its assets or $WORK"
	fi
}

# The working directory writable by the game, its state file not: run as
# root, the game runs as $GAME_USER, owning the directory but not the file.
work_state_read_only() {
	chmod u+w "$WORK"
	chmod a-w .velmarstate
	if [ "$(id -u)" -eq 0 ]; then
		chown "$GAME_USER" "$WORK"
	fi
}

# scenario_begin on an X server without access control, for games run by
# another user.
scenario_begin_open() {
	SCENARIO_SCREEN="$SCENARIO_SCREEN -ac"
	scenario_begin "$1"
}
