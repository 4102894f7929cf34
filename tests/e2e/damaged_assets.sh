# damaged_assets.sh: the game on a damaged copy of its assets.
#
# Each case copies data/ into the working directory with one damage: the
# game sprites' PNG cut in half, the menu sound's WAV claiming a data chunk
# of 2 GB, a text file in place of the music (Ogg Vorbis), or no assets at
# all. The game must start, reach its menu, play a round (the sprites, the
# menu sound and the music are all used in it) and save, with no sanitizer
# report; F4 then ends it with status 0.
set -eu

. "$(dirname "$0")/lib/scenario.sh"
scenario_begin damaged_assets

# Where the data chunk's size is in the menu sound (a plain 44-byte header).
WAV_DATA_SIZE_AT=40

# Copies the build's assets into the working directory.
copy_assets() {
	rm -rf data
	cp -R "$BUILD/data" data
}

# Cuts FILE to half its length.
cut_in_half() {
	_size=$(wc -c < "$1")
	head -c $((_size / 2)) "$1" > "$1.half"
	mv "$1.half" "$1"
}

# Starts the game on data/ as it is now, plays a round and ends it.
asset_case() {
	echo "case $1"
	rm -f .velmarstate
	game_start
	game_round "$1"
	game_quit
	expect_no_sanitizer_report
}

copy_assets
cut_in_half data/gfx.png
asset_case cut_png

copy_assets
printf '\377\377\377\177' | dd of=data/sfx/098.wav bs=1 seek="$WAV_DATA_SIZE_AT" conv=notrunc 2>/dev/null
asset_case lying_wav

copy_assets
echo "This is not music." > data/sfx/Freeflowing.ogg
asset_case text_ogg

rm -rf data
mkdir data
asset_case no_assets

echo "damaged_assets: all cases passed"
