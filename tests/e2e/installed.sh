# installed.sh: the game as players install it.
#
# The build is installed as a package installs it (prefix /usr), staged under
# a DESTDIR whose name has a space. The desktop entry and the AppStream
# metadata validate, the icons have their sizes, and the package, the
# metadata and the manual carry one version. The Debian package holds
# exactly the installed files, depends on the libraries the game links and
# passes lintian without an error.
#
# The installed launcher, run from another directory with a fresh HOME,
# becomes the game (its exit status is the game's) in HOME's XDG data
# directory, whose data link leads to the installed assets. Its window has
# the class the desktop entry names and the game's icon; a round played
# there is saved there. Moved elsewhere, the installed tree still runs: the
# stale link is mended and the scores stay. Where the player's directory
# cannot be made, the launcher stops with a message and status 1.
set -eu

. "$(dirname "$0")/lib/scenario.sh"
scenario_begin installed

APP_ID=invalid.ovrigames.zimbolo
STAGE="$WORK/staged tree"
DESTDIR="$STAGE" cmake --install "$BUILD" --prefix /usr > "$WORK/install.out" ||
	fail "the build did not install: $(tail -5 "$WORK/install.out")"
SHARE="$STAGE/usr/share"

#------------------------------------------------------------------------------
# Desktop integration and documents
#------------------------------------------------------------------------------

DESKTOP="$SHARE/applications/$APP_ID.desktop"
REPORT=$(desktop-file-validate "$DESKTOP" 2>&1) || fail "desktop entry: $REPORT"
[ -z "$REPORT" ] || fail "desktop entry: $REPORT"
for line in Type=Application Exec=zimbolo Icon=zimbolo "Categories=Game;ArcadeGame;"; do
	grep -qxF "$line" "$DESKTOP" || fail "the desktop entry lacks $line"
done
METAINFO="$SHARE/metainfo/$APP_ID.metainfo.xml"
REPORT=$(appstreamcli validate --no-net "$METAINFO" 2>&1) || fail "AppStream metadata: $REPORT"
echo "$REPORT" | grep -E '^[EW]:' && fail "AppStream metadata: $REPORT"
for size in 16 24 32 48 64 128 256; do
	ICON="$SHARE/icons/hicolor/${size}x$size/apps/zimbolo.png"
	file -b "$ICON" | grep -q "^PNG image data, $size x $size," || fail "no $size-pixel icon: $(file -b "$ICON")"
done

#------------------------------------------------------------------------------
# The Debian package
#------------------------------------------------------------------------------

cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$WORK/package" > "$WORK/cpack.out" 2>&1 ||
	fail "no package: $(tail -5 "$WORK/cpack.out")"
DEB=$(find "$WORK/package" -maxdepth 1 -name 'zimbolo_*.deb')
[ -f "$DEB" ] || fail "cpack wrote no zimbolo_*.deb: $(ls "$WORK/package")"
echo "package: $(basename "$DEB")"

dpkg-deb -c "$DEB" | awk '$1 !~ /^d/ { print substr($6, 2) }' | sort > "$WORK/package.list"
(cd "$STAGE" && find . ! -type d | sed 's|^\.||' | sort) > "$WORK/installed.list"
diff -u "$WORK/installed.list" "$WORK/package.list" || fail "the package does not hold the installed files"
for file in games/zimbolo lib/games/zimbolo/zimbolo share/games/zimbolo/data/gfx.png \
	share/man/man6/zimbolo.6.gz share/doc/zimbolo/copyright share/doc/zimbolo/changelog.gz; do
	grep -qxF "/usr/$file" "$WORK/package.list" || fail "the package lacks /usr/$file"
done

[ "$(dpkg-deb -f "$DEB" Section)" = games ] || fail "the package is not in section games"
DEPENDS=$(dpkg-deb -f "$DEB" Depends)
echo "depends: $DEPENDS"
for lib in libc6 libglfw3 libopenal1 libvorbisfile3 libstb0 libstdc++6; do
	echo ", $DEPENDS," | grep -q ", ${lib}[ ,]" || fail "the package does not depend on $lib"
done
VERSION=$(dpkg-deb -f "$DEB" Version)
grep -qF "<release version=\"$VERSION\"" "$METAINFO" || fail "the metadata names no release $VERSION"
gzip -dc "$SHARE/man/man6/zimbolo.6.gz" | grep -q "^\.TH ZIMBOLO 6 .*\"Zimbolo $VERSION\"" ||
	fail "the manual is not of version $VERSION"
lintian --fail-on error "$DEB" > "$WORK/lintian.out" 2>&1 || fail "lintian: $(cat "$WORK/lintian.out")"

#------------------------------------------------------------------------------
# Players
#------------------------------------------------------------------------------

export HOME="$WORK/home dir"
unset XDG_DATA_HOME
PLAYER="$HOME/.local/share/zimbolo"
mkdir -p "$HOME" "$WORK/elsewhere"

# Starts the launcher of the tree installed under ROOT from another
# directory, checks where the game runs and that the scores saved before are
# there, and plays a round (TAG).
play_installed() {
	cd "$WORK/elsewhere"
	game_start "$1/usr/games/zimbolo"
	[ "$(readlink "/proc/$GAME/exe")" = "$(readlink -f "$1/usr/lib/games/zimbolo/zimbolo")" ] ||
		fail "the launcher did not become the installed game but $(readlink "/proc/$GAME/exe")"
	[ "$(readlink "/proc/$GAME/cwd")" = "$PLAYER" ] || fail "the game runs in $(readlink "/proc/$GAME/cwd")"
	[ "$(readlink "$PLAYER/data")" = "$(readlink -f "$1/usr/share/games/zimbolo/data")" ] ||
		fail "the player's data link leads to $(readlink "$PLAYER/data")"
	# Docks match the window to the desktop entry by its class, and show its icon.
	expect_desktop_identity "$(sed -n 's/^StartupWMClass=//p' "$1/usr/share/applications/$APP_ID.desktop")"
	cd "$PLAYER"
	if [ -f "$WORK/saved.state" ]; then
		cmp -s .velmarstate "$WORK/saved.state" || fail "the scores saved before are gone"
	fi
	game_round "$2"
	state_check_game 1
	echo "$2: score $SCORE saved in $PLAYER"
	cp .velmarstate "$WORK/saved.state"
	game_quit
	expect_no_sanitizer_report
}

play_installed "$STAGE" staged
mv "$STAGE" "$WORK/moved tree"
play_installed "$WORK/moved tree" moved

: > "$WORK/a file"
STATUS=0
XDG_DATA_HOME="$WORK/a file" timeout 20 "$WORK/moved tree/usr/games/zimbolo" > "$WORK/launcher.out" 2>&1 || STATUS=$?
[ "$STATUS" -eq 1 ] || fail "the launcher ended with status $STATUS where it cannot write"
grep -qxF "zimbolo: cannot write to $WORK/a file/zimbolo, where your scores are kept" "$WORK/launcher.out" ||
	fail "the launcher said: $(cat "$WORK/launcher.out")"

echo "installed: passed"
