# no_sound.sh: the game with no sound device at all.
#
# OpenAL Soft is given a backend that does not exist, so the game finds no
# device. It must still start, reach its menu, play a round (which would
# start the music and sound effects) and save it, with no sanitizer report;
# F4 then ends it with status 0.
set -eu

. "$(dirname "$0")/lib/scenario.sh"
scenario_begin no_sound

audio_none
game_start
game_round silent
expect_output "OpenAl error: alcOpenDevice failed"
shot_until after_round is_menu 20
game_quit
expect_no_sanitizer_report
echo "no_sound: passed"
