# first_start.sh: the very first start in an empty directory.
#
# With no state file the game opens its window titled "Zimbolo" on the loading
# screen, plays the start jingle (heard in the mixed sound) and comes to the
# menu. F4 then ends it at once with exit status 0, and nothing is saved: the
# state file appears only once there is something to keep.
. "$(dirname "$0")/lib/scenario.sh"
scenario_begin first_start

[ ! -e .velmarstate ] || fail "the scratch directory has a state file"
audio_wave "$WORK/sound.wav"
game_start
shot_until loading is_loading 10
shot_until menu is_menu 30
kill -0 "$GAME" 2>/dev/null || fail "the game ended by itself"

# The jingle is played by the loader, so it lies before the menu came up.
HEARD=$(audio_ms)
audio_loud 0 "$HEARD" || fail "no start jingle in the first $HEARD ms of sound"
grep -q "Loaded\|Checksum" game.out && fail "saved data reported without a state file"

game_quit
[ ! -e .velmarstate ] || fail "F4 at the menu wrote a state file"
echo "first_start: passed"
