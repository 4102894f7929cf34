# installed.sh: the game as players build, package and install it.
#
# `make package` in the player's build (build/ of the source tree) and in a
# clean copy of the sources at another path give the same bytes, every time
# stamp in them the date of the changelog's newest entry. The copy's
# `make install` installs as the package does (prefix /usr), staged under a
# DESTDIR whose name has a space. The desktop entry and the AppStream
# metadata validate, the icons have their sizes, the manual names the
# installed paths, and the package, the metadata and the manual carry one
# version. The Debian package holds exactly the installed files, depends on
# the libraries the game links, and passes lintian without an error or a
# warning, hardened and stripped as Debian's packages are.
#
# The installed launcher, run from another directory with a fresh HOME,
# becomes the game (its exit status is the game's) in HOME's XDG data
# directory, whose data link leads to the installed assets. Its window has
# the class the desktop entry names and the game's icon; a round played
# there is saved there. Moved elsewhere, the installed tree still runs: the
# stale link is mended and the scores stay. Where the player's directory
# cannot be made, the launcher stops with a message and status 1. It answers
# --help and --version without starting the game, and any other argument
# with status 2. Installed under another prefix, the manual names that
# prefix, and `make uninstall` removes every file and the game's own
# directories.
set -eu

. "$(dirname "$0")/lib/scenario.sh"
scenario_begin installed

APP_ID=invalid.ovrigames.zimbolo
SOURCE=$ZIMBOLO_SOURCE_DIR
COPY="$SHOTS/sources"
STAGE="$WORK/staged tree"
# The package's dates come from the changelog alone; the makes below are the
# player's own, not part of the one that runs the tests.
unset SOURCE_DATE_EPOCH MAKEFLAGS MFLAGS MAKELEVEL

# Runs make with ARGS in DIR, as a player does.
player_make() {
	make -C "$@" > "$WORK/make.out" 2>&1 || fail "make -C $*: $(tail -20 "$WORK/make.out")"
}

#------------------------------------------------------------------------------
# The player's package, built twice
#------------------------------------------------------------------------------

player_make "$SOURCE" package
DEB=$(find "$SOURCE/build" -maxdepth 1 -name 'zimbolo_*.deb')
[ -f "$DEB" ] || fail "make package wrote no build/zimbolo_*.deb"
echo "package: $DEB"

# The copy holds the sources as they are now, committed or not.
mkdir -p "$COPY"
git -C "$SOURCE" ls-files -z -co --exclude-standard | (cd "$SOURCE" && tar -c --null -T -) | tar -x -C "$COPY" ||
	fail "cannot copy the sources"
# make install never builds (as root it would leave files in build/ that the
# player cannot replace): before make build it only says so.
if make -C "$COPY" install DESTDIR="$STAGE" > "$WORK/make.out" 2>&1 || [ -e "$COPY/build" ] ||
	! grep -qF "run make build first" "$WORK/make.out"; then
	fail "make install without a build: $(cat "$WORK/make.out")"
fi
player_make "$COPY" package
cmp "$DEB" "$COPY/build/$(basename "$DEB")" ||
	fail "the package of a copy of the sources at another path differs from the player's build's"

EPOCH=$(dpkg-parsechangelog -l "$SOURCE/packaging/changelog" -S Timestamp)
DATED=$(TZ=UTC0 date -d "@$EPOCH" '+%Y-%m-%d %H:%M')
echo "every time stamp: $DATED"
TZ=UTC0 ar tv "$DEB" | grep -v " $(TZ=UTC0 date -d "@$EPOCH" '+%b %e %H:%M %Y') " &&
	fail "package members not dated $DATED"
for part in --ctrl-tarfile --fsys-tarfile; do
	dpkg-deb "$part" "$DEB" | TZ=UTC0 tar -tv --full-time | grep -v " $DATED:00 " &&
		fail "files of the package not dated $DATED"
done

player_make "$COPY" install DESTDIR="$STAGE" PREFIX=/usr
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

# Fails unless the manual under ROOT names the program and the assets under
# PREFIX.
manual_names() {
	for path in "$2/lib/games/zimbolo/zimbolo" "$2/share/games/zimbolo/data/"; do
		gzip -dc "$1$2/share/man/man6/zimbolo.6.gz" | grep -qxF ".I $path" ||
			fail "the manual installed under $2 does not name $path"
	done
}
manual_names "$STAGE" /usr

#------------------------------------------------------------------------------
# The Debian package
#------------------------------------------------------------------------------

dpkg-deb -c "$DEB" | awk '$1 !~ /^d/ { print substr($6, 2) }' | sort > "$WORK/package.list"
dpkg-deb --ctrl-tarfile "$DEB" | tar -xO ./md5sums | sort -k 2 > "$WORK/package.md5"
(cd "$STAGE" && find usr ! -type d -exec md5sum {} + | sort -k 2) > "$WORK/installed.md5"
diff -u "$WORK/installed.md5" "$WORK/package.md5" || fail "the package does not hold the installed files"
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
# NOTE: lintian tells a missing hardening flag or an unstripped .comment
# only as information.
lintian --display-info --fail-on error,warning "$DEB" > "$WORK/lintian.out" 2>&1 || fail "lintian: $(cat "$WORK/lintian.out")"
grep -E 'hardening-|binary-has-unneeded-section' "$WORK/lintian.out" && fail "lintian: $(cat "$WORK/lintian.out")"

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
}

play_installed "$STAGE" staged
mv "$STAGE" "$WORK/moved tree"
play_installed "$WORK/moved tree" moved

#------------------------------------------------------------------------------
# What the launcher answers without starting the game
#------------------------------------------------------------------------------

LAUNCHER="$WORK/moved tree/usr/games/zimbolo"
# Runs COMMAND, which must end with STATUS and print the line LINE: on
# standard output when STATUS is 0, on standard error otherwise.
launcher_says() {
	want=$1 line=$2
	shift 2
	STATUS=0
	timeout 20 "$@" > "$WORK/launcher.out" 2> "$WORK/launcher.err" || STATUS=$?
	said="$WORK/launcher.err"
	[ "$want" -ne 0 ] || said="$WORK/launcher.out"
	if [ "$STATUS" -ne "$want" ] || ! grep -qxF "$line" "$said"; then
		fail "$*: status $STATUS (not $want), said: $(cat "$WORK/launcher.out" "$WORK/launcher.err")"
	fi
}

USAGE="usage: zimbolo [--help | --version]"
launcher_says 0 "$USAGE" "$LAUNCHER" --help
launcher_says 0 "zimbolo $VERSION" "$LAUNCHER" --version
launcher_says 2 "$USAGE" "$LAUNCHER" --fullscreen
launcher_says 2 "$USAGE" "$LAUNCHER" --version --help
launcher_says 2 "$USAGE" "$LAUNCHER" ""
: > "$WORK/a file"
launcher_says 1 "zimbolo: cannot write to $WORK/a file/zimbolo, where your scores are kept" \
	env XDG_DATA_HOME="$WORK/a file" "$LAUNCHER"
NO_HOME="zimbolo: neither HOME nor an absolute XDG_DATA_HOME is set: nowhere to keep your scores"
launcher_says 1 "$NO_HOME" env -u HOME "$LAUNCHER"
launcher_says 1 "$NO_HOME" env -u HOME XDG_DATA_HOME=relative "$LAUNCHER"
mv "$WORK/moved tree/usr/share/games/zimbolo/data" "$WORK/moved data"
launcher_says 1 "zimbolo: the game's data directory $WORK/moved tree/usr/share/games/zimbolo/data is missing" "$LAUNCHER"

#------------------------------------------------------------------------------
# make install under another prefix, then make uninstall
#------------------------------------------------------------------------------

OTHER="$WORK/other root"
player_make "$COPY" install DESTDIR="$OTHER" PREFIX=/opt/arcade
manual_names "$OTHER" /opt/arcade
player_make "$COPY" uninstall
LEFT=$(find "$OTHER" ! -type d -o -name zimbolo)
[ -z "$LEFT" ] || fail "make uninstall left $LEFT"
[ -d "$OTHER/opt/arcade/share/applications" ] || fail "make uninstall removed share/applications"

rm -rf "$COPY"
echo "installed: passed"
