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
# Robustness scenarios:
#   wait_until SECONDS CMD..  polls CMD every 0.1 s until it succeeds
#   grab / mean_is COND     the window's mean colour in $MEAN / a test on it
#   menu_wait / menu_shown / screen_settled / menu_settled / screen_dark
#                           waits for the menu / the menu is up / the screen
#                           holds still / the menu has faded in / darkened
#   game_over_wait          the game-over overlay, then the menu
#   game_round_play TAG     plays a round in mode 1 and ends it (saves 1.5 s later)
#   game_round TAG          game_round_play, then waits for the save
#   expect_load_messages M  the state load messages, each ended by ";"
#   expect_no_sanitizer_report
#   state_compose V*93      a valid state text from its 93 values
#   state_values FILE       FILE's 93 values; fails unless complete and valid
#   work_read_only          the working directory read-only (game as $GAME_AS)
#   work_state_read_only    then the directory writable, the state file not
#   scenario_begin_open NAME  scenario_begin on an X server open to all users
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
	ALSOFT_CONF="$WORK/alsoft.conf" ${GAME_AS:-} "$BUILD/zimbolo" > "$WORK/game.out" 2>&1 &
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

#------------------------------------------------------------------------------
# Robustness: waiting, whole rounds, state files, other users
#------------------------------------------------------------------------------

# Polls COMMAND every tenth of a second until it succeeds; false after SECONDS.
wait_until() {
	_limit=$(($1 * 10))
	shift
	for _ in $(seq "$_limit"); do
		"$@" && return 0
		sleep 0.1
	done
	"$@"
}

# Whether ./.velmarstate differs from the file FILE (or is new).
state_changed_from() {
	[ -f .velmarstate ] && ! cmp -s .velmarstate "$1"
}

# Grabs the window for a look (no screenshot kept); its mean colour in $MEAN.
# Fails at once when the game has ended.
grab() {
	kill -0 "$GAME" 2>/dev/null || fail "the game ended"
	MEAN=$("$BUILD/x11_shot" "$SHOTS/.probe.png" "$WID")
}

# Whether $MEAN meets the awk condition COND on its red $1, green $2, blue $3.
mean_is() {
	echo "$MEAN" | awk "{ exit !($1) }"
}

# Whether the menu is up: green above red in the window's mean colour (the
# menu's ground is green, even without its images, while the loading screen
# is blue-grey, orange and yellow). The menu takes input from then on, while
# it still fades in.
menu_shown() {
	grab
	mean_is '$2 > $1'
}

# Waits up to 15 s for the menu.
menu_wait() {
	wait_until 15 menu_shown || fail "the menu did not come"
}

# Whether the window's mean colour is the same in two grabs 0.2 s apart.
screen_settled() {
	grab
	_first=$MEAN
	sleep 0.2
	grab
	[ "$MEAN" = "$_first" ]
}

# Whether the menu has faded in: the screen holds still, green above red and
# bright (the game-over overlay holds still too, but darkened to 30 %).
menu_settled() {
	screen_settled && mean_is '$2 > $1 && $2 >= 80'
}

# Whether the screen is darkened, as by the game-over overlay.
screen_dark() {
	grab
	mean_is '$2 < 60'
}

# Waits for the game-over overlay and then the menu after it (the save comes
# in between).
game_over_wait() {
	wait_until 10 screen_dark || fail "no game-over overlay"
	wait_until 20 menu_settled || fail "no menu after the game-over overlay"
}

# Waits for the menu and plays a round in the first mode without launching a
# ball: Enter, then the game ended from the pause panel once its screen holds
# still (the menu fades in, the playfield does not); the game saves 1.5 s
# later. Screenshots TAG_game.
game_round_play() {
	menu_wait
	key Return 0.2
	wait_until 10 screen_settled || fail "the screen after Enter did not settle"
	shot "$1_game"
	key Escape 0.4
	key Left 0.15
	key Return 0.15
}

# game_round_play TAG, then waits up to 20 s for the save.
game_round() {
	cp .velmarstate "$WORK/.before" 2>/dev/null || : > "$WORK/.before"
	game_round_play "$1"
	wait_until 20 state_changed_from "$WORK/.before" || fail "ending the game saved nothing"
}

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

# The checksum arithmetic of the state text, for awk programs below.
# NOTE: 32-bit wrap-around by hand: awk computes in doubles, exact up to 2^53.
STATE_AWK='
function wrap(x) {
	x = x % 4294967296
	if (x < 0) x += 4294967296
	if (x >= 2147483648) x -= 4294967296
	return x
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

# The 93 values of state file FILE, one line, checksums left out; fails
# unless FILE is a complete state text whose checksums all hold.
state_values() {
	[ "$(tail -c 1 "$1")" = "|" ] || fail "$1 does not end with |"
	awk -v RS='|' "$STATE_AWK"'
	!/^-?[0-9]+$/ { bad = 1 }
	{ f[NR] = $0 }
	END {
		if (bad || NR != 98) exit 1
		for (i = 1; i <= 25; i++) v[i] = f[i]
		for (i = 27; i <= 34; i++) v[i - 1] = f[i]
		for (i = 36; i <= 97; i++) if (i != 56 && i != 77) v[i - 2 - (i > 56) - (i > 77)] = f[i]
		checksums(v, s)
		if (s["settings"] != f[26] || s["badges"] != f[35] || s[0] != f[56] || s[1] != f[77] || s[2] != f[98]) exit 1
		for (i = 1; i <= 93; i++) printf "%s%s", v[i], i < 93 ? " " : "\n"
	}' "$1" || fail "$1 is not a complete state with valid checksums"
}

# The unprivileged user (nobody) that games run as when a scenario runs as
# root and needs file permissions to bind.
GAME_USER=65534

# Makes the working directory readable by everyone and writable by no one;
# the game then runs as $GAME_USER when the scenario runs as root (who may
# write anywhere). The X server must then be open: see scenario_begin_open.
work_read_only() {
	: > "$WORK/game.out"
	chmod 755 "$WORK"
	chmod -R a+rX "$WORK"
	chmod a-w "$WORK"
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
