# soak.sh: the real game under random keyboard and mouse input for a while.
#
#   sh soak.sh [SECONDS] [SEED]      (60 s; a new seed each run unless given)
#   SOAK_SECONDS / SEED              the same, from the environment
#
# awk turns the seed into a stream of actions that drives the sanitized game:
# keys held for a moment, clicks (some on the pause icon, the credits logo, the
# play button and the carousel), drags, pointer moves, and keys held over a
# click. The game must still run at the end and F4 must end it with status 0.
# Its output must hold no sanitizer report (the leak checker stays off, as in
# every test: the program frees nothing at exit). Its resident memory, sampled
# every few seconds, must level off: the first third of the samples is the
# warm-up, and the peak of the last third may pass the middle third's by
# RSS_MARGIN_PERCENT at most. A full-screen window loads larger assets and
# takes some 100 MB more (given back on the way out), so the rule is applied to
# the samples taken at the window size met most, leaving out the first sample
# after each change of window. The samples (seconds, kB, window size, 1 after
# a change of window) are kept in build/test/e2e/soak/rss.txt. The same seed
# gives the same actions; the game's timing is its own, so a replay follows
# the same path only as far as the timing allows. A screenshot of the window
# is taken every SHOT_SECONDS into build/test/e2e/soak/ (at-SECONDS.png).
#
# NOTE: under random input the sanitized game grows by about 1 MB a second in
# its first minute and then stays flat (at some 260 MB over ten minutes), so a
# one-minute run is mostly warm-up and the margin is wide: a leak of 2 MB a
# second shows in a minute, a slower one in the ten minutes of scripts/soak.
#
# NOTE: AddressSanitizer keeps freed memory in a quarantine of 256 MB; at the
# game's rate of freeing it fills within seconds and would stand for the
# warm-up, so the soak's game runs with a quarantine of QUARANTINE_MB.
#
# NOTE: the keys that end the program on purpose are left out, so any end of
# the game during the soak is a fault: F4 anywhere; the back control (Escape,
# `, Delete, BackSpace), which quits at once on the menu; and the letters O and
# L, which are the back control once the options box has switched iCade input
# on. F11 is left out as well, as every press would replace the window; the
# options box's full-screen row stays within reach, so the soak finds the
# game's window again whenever it is replaced.
SOAK_SECONDS=${1:-${SOAK_SECONDS:-60}}
export SOAK_SECONDS
if [ -n "${2:-}" ]; then
	SEED=$2
	export SEED
fi

. "$(dirname "$0")/lib/scenario.sh"
scenario_begin soak

# Memory samples this far apart; the last third's peak within this of the middle's.
SAMPLE_SECONDS=2
RSS_MARGIN_PERCENT=20
# Fewer samples at one window size are too few to judge.
RSS_LEAST_SAMPLES=9
SHOT_SECONDS=60
# More actions are drawn than the time can use up (an action takes 0.05-0.6 s).
ACTIONS_PER_SECOND=10
# The actions aim at a window of the game's first size, 640 x 480; soak_x and
# soak_y scale their points to the window there is.
AIM_WIDTH=640
AIM_HEIGHT=480
# Steps of a drag.
DRAG_STEPS=4
# AddressSanitizer's quarantine of freed memory, in MB.
QUARANTINE_MB=16

#------------------------------------------------------------------------------
# Actions
#------------------------------------------------------------------------------

# Prints the action stream of the seed, one action a line.
soak_actions() {
	awk -v seed="$SEED" -v count="$((SOAK_SECONDS * ACTIONS_PER_SECOND))" \
		-v w="$AIM_WIDTH" -v h="$AIM_HEIGHT" '
	function pick(list,   n, a) { n = split(list, a, " "); return a[1 + int(rand() * n)] }
	function secs(lo, hi) { return sprintf("%.2f", lo + rand() * (hi - lo)) }
	function spot(   s, xy) { s = pick(spots); split(s, xy, ","); return (xy[1] + int(rand() * 9) - 4) " " (xy[2] + int(rand() * 9) - 4) }
	BEGIN {
		srand(seed)
		# The playing keys twice, so that games get played.
		play = "Up Down Left Right space Return z x c v n a d w s "
		keys = play play "Tab b e f g h i j k m p q r t u y 0 1 5 9 F1 F2 F3 F5 F8 F12 " \
			"Shift_L Control_L Alt_L Home End Prior Next Insert minus comma period slash KP_Add"
		# Pause icon, credits logo, play button, carousel centre.
		spots = "16,16 570,32 570,432 250,384"
		for (i = 0; i < count; i++) {
			r = rand()
			x = int(rand() * w)
			y = int(rand() * h)
			if (r < 0.55) print "key", pick(keys), secs(0.03, 0.35), secs(0, 0.2)
			else if (r < 0.65) print "click", x, y, secs(0.03, 0.2), secs(0, 0.3)
			else if (r < 0.72) print "click", spot(), secs(0.03, 0.2), secs(0.1, 0.5)
			else if (r < 0.82) print "drag", x, y, int(rand() * w), int(rand() * h)
			else if (r < 0.92) print "chord", pick(keys), x, y
			else print "move", x, y
		}
	}'
}

# An aimed x or y in the window there is.
soak_x() { echo $(($1 * WIN_WIDTH / AIM_WIDTH)); }
soak_y() { echo $(($1 * WIN_HEIGHT / AIM_HEIGHT)); }

# Carries out one action; fails when xdotool cannot reach the window.
soak_do() {
	case $1 in
	key) xdotool keydown "$2" sleep "$3" keyup "$2" sleep "$4" ;;
	click) xdotool mousemove --window "$WID" "$(soak_x "$2")" "$(soak_y "$3")" mousedown 1 sleep "$4" \
		mouseup 1 sleep "$5" ;;
	drag) soak_drag "$2" "$3" "$4" "$5" ;;
	chord) xdotool keydown "$2" mousemove --window "$WID" "$(soak_x "$3")" "$(soak_y "$4")" click 1 \
		sleep 0.1 keyup "$2" ;;
	move) xdotool mousemove --window "$WID" "$(soak_x "$2")" "$(soak_y "$3")" sleep 0.05 ;;
	esac
}

# Presses at X1, Y1, moves in steps to X2, Y2 and lets go.
soak_drag() {
	xdotool mousemove --window "$WID" "$(soak_x "$1")" "$(soak_y "$2")" mousedown 1 sleep 0.03
	for step in $(seq "$DRAG_STEPS"); do
		xdotool mousemove --window "$WID" "$(soak_x $(($1 + ($3 - $1) * step / DRAG_STEPS)))" \
			"$(soak_y $(($2 + ($4 - $2) * step / DRAG_STEPS)))" sleep 0.03
	done
	xdotool mouseup 1
}

#------------------------------------------------------------------------------
# Checks
#------------------------------------------------------------------------------

# Seconds since boot, whole, in $NOW (no process started).
soak_clock() {
	read -r NOW _ < /proc/uptime
	NOW=${NOW%.*}
}

# Finds the window again, records the time, the memory and the window, and
# now and then takes a screenshot.
soak_sample() {
	game_refocus
	changed=0
	if [ "$WID" != "$SAMPLED_WID" ]; then
		soak_window
		changed=1
	fi
	SAMPLED_WID=$WID
	echo "$((NOW - START)) $(game_rss) ${WIN_WIDTH}x$WIN_HEIGHT $changed" >> "$SHOTS/rss.txt"
	if [ $(((NOW - START) % SHOT_SECONDS)) -lt "$SAMPLE_SECONDS" ]; then
		"$BUILD/x11_shot" "$SHOTS/at-$((NOW - START)).png" "$WID" > /dev/null 2>&1 || true
	fi
}

# Takes the size of the game's window, and says so when the window is new.
soak_window() {
	size=$(xdotool getwindowgeometry "$WID" 2>/dev/null | awk '/Geometry/ { print $2 }')
	WIN_WIDTH=${size%x*}
	WIN_HEIGHT=${size#*x}
	[ -n "$WIN_WIDTH" ] || WIN_WIDTH=$AIM_WIDTH
	[ -n "$WIN_HEIGHT" ] || WIN_HEIGHT=$AIM_HEIGHT
	[ -z "${SAMPLED_WID:-}" ] || echo "soak: at $((NOW - START)) s the game's window is $WID ($size)"
}

# Fails with the game's end status and the action that came last.
soak_ended() {
	game_wait 5
	fail "the game ended after $((NOW - START)) s with status $STATUS; last action: $LAST"
}

# Prints the memory over time and fails unless the samples at the window size
# met most levelled off in their last third.
soak_rss_check() {
	awk -v margin="$RSS_MARGIN_PERCENT" -v least="$RSS_LEAST_SAMPLES" '
	{
		t[NR] = $1
		kb[NR] = $2
		size[NR] = $3
		changed[NR] = $4
		if ($4 == 0) count[$3]++
		if (count[$3] > count[main]) main = $3
	}
	END {
		for (i = 1; i <= NR; i++) {
			if (i == 1 || i == NR || i % int(NR / 10 + 1) == 0) line = line sprintf(" %ds:%.1f", t[i], kb[i] / 1024)
		}
		print "rss MB over time:" line
		n = count[main]
		if (n < least) { print "rss: fewer than " least " samples at one window size; not judged"; exit 0 }
		k = 0
		for (i = 1; i <= NR; i++) {
			if (size[i] != main || changed[i] == 1) continue
			third = k < int(n / 3) ? 1 : k < int(2 * n / 3) ? 2 : 3
			if (kb[i] > peak[third]) peak[third] = kb[i]
			k++
		}
		printf "rss peaks MB at %s: warm-up %.1f, middle %.1f, last %.1f (%+.1f %%, at most %d %%)\n",
			main, peak[1] / 1024, peak[2] / 1024, peak[3] / 1024, 100 * (peak[3] / peak[2] - 1), margin
		exit peak[3] > peak[2] * (1 + margin / 100)
	}' "$SHOTS/rss.txt"
}

#------------------------------------------------------------------------------
# The soak
#------------------------------------------------------------------------------

echo "soak: $SOAK_SECONDS s (replay: scripts/soak $SOAK_SECONDS $SEED)"
soak_actions > "$WORK/actions"
: > "$SHOTS/rss.txt"
ASAN_OPTIONS="${ASAN_OPTIONS:-}:quarantine_size_mb=$QUARANTINE_MB"
export ASAN_OPTIONS
game_start
soak_clock
START=$NOW
SAMPLED_WID=""
soak_window
SAMPLED_WID=$WID
NEXT_SAMPLE=$NOW
LAST="none"
while read -r ACTION; do
	soak_clock
	[ $((NOW - START)) -lt "$SOAK_SECONDS" ] || break
	kill -0 "$GAME" 2>/dev/null || soak_ended
	if [ "$NOW" -ge "$NEXT_SAMPLE" ]; then
		soak_sample
		NEXT_SAMPLE=$((NEXT_SAMPLE + SAMPLE_SECONDS))
	fi
	# NOTE: $ACTION unquoted on purpose: its words are the action's arguments.
	soak_do $ACTION 2>/dev/null || game_refocus
	LAST=$ACTION
done < "$WORK/actions"
[ $((NOW - START)) -ge "$SOAK_SECONDS" ] || fail "the actions ran out after $((NOW - START)) s"
sleep 0.5
kill -0 "$GAME" 2>/dev/null || soak_ended
soak_rss_check || fail "resident memory kept growing after the warm-up"
game_refocus
game_quit
expect_no_sanitizer_report
echo "soak: passed ($SOAK_SECONDS s, seed $SEED)"
