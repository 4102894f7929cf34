# pause_options.sh: the pause panel, the options box over it and the sound.
#
# In the default sound mode the menu's effects are heard in the mixed sound,
# and music in play. A game is paused (the music with it) and resumed; from
# the pause panel the options box opens and
# the sound row is turned to off, which is saved on leaving the box. From then
# on nothing at all is mixed while the game is played and balls are launched,
# neither effects nor music, nor at the next start (the jingle) and its menu.
. "$(dirname "$0")/lib/scenario.sh"
scenario_begin pause_options

audio_wave "$WORK/sound.wav"
game_start
shot_until menu is_menu 30

# Effects: the carousel's move sound.
audio_settle
FROM=$(audio_ms)
key Right
key Left 0.6
TO=$(audio_ms)
audio_loud "$FROM" "$TO" || fail "no menu effect heard between $FROM and $TO ms"

# A game on Easy, paused and resumed.
key Return 1
shot game
kill -0 "$GAME" 2>/dev/null || game_gone "Return at the menu"
FROM=$(audio_ms)
sleep 1.5
audio_loud "$FROM" "$(audio_ms)" || fail "no music heard in play from $FROM ms"
key Escape 0
shot_until pause is_dark 5
# The music pauses with the game: once the panel's blip is over, silence.
audio_settle 5
kill -0 "$GAME" 2>/dev/null || game_gone "the pause"
key Escape 0
shot_until resumed is_menu 5
FROM=$(audio_ms)
sleep 1
audio_loud "$FROM" "$(audio_ms)" || fail "the music did not go on after the pause, from $FROM ms"
# The panel takes some updates to rise and drop fully.
sleep 0.5

# The options from the pause panel: the cursor right, then the sound row
# three steps on, from SFX + Music through SFX and Music to off.
key Escape 0
shot_until pause_again is_dark 5
sleep 0.5
key Right
key Return 0
shot_until options is_options 5
sleep 1
key Down
keys 3 Return
shot options_sound_off
[ ! -f .velmarstate ] || fail "the sound mode was saved before leaving the box"
state_mark
key Escape 0
state_wait_change 10
[ "$(state_field 5)" = 0 ] || fail "leaving the options box saved sound mode $(state_field 5), not 0"
shot_until options_closed is_dark 5
# The box locks the keys until it has slid away.
sleep 1
key Escape 0
shot_until resumed_silent is_menu 5
sleep 0.5

# Sound off: launches, steering and walls make no sound at all.
audio_settle
FROM=$(audio_ms)
key space 0.5
for _ in $(seq 6); do
	key Up 0.2
	key space 0.2
	key Down 0.2
done
TO=$(audio_ms)
audio_silent "$FROM" "$TO" || fail "sound off, yet a peak of $AUDIO_PEAK between $FROM and $TO ms"
game_quit

# The saved mode holds at the next start: no jingle, a silent menu.
audio_wave "$WORK/restart.wav"
game_start
shot_until restart_menu is_menu 30
key Right
key Left 0.6
TO=$(audio_ms)
audio_silent 0 "$TO" || fail "sound off was saved, yet the restart peaked at $AUDIO_PEAK in its first $TO ms"
game_quit
echo "pause_options: passed"
