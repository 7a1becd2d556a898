#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Brelvox developers
#
# check-install.sh BUILD_DIR APP_ID: installs the build under /usr in a scratch DESTDIR
# and packs the .deb, both under umask 077, checks that everything is readable by all,
# validates the desktop entry, the metainfo, icons and man pages, and runs the installed
# programs: their --help and --version, and the game keeping its files in the user's
# config folder rather than beside itself.
set -euo pipefail
build=$1
id=$2
tmp=$(mktemp -d)
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
fail() {
  echo "check-install: $*" >&2
  exit 1
}

# Whoever installs or packs with a tight umask still gives every user a working game.
(umask 077 && DESTDIR=$tmp/stage cmake --install "$build" --prefix /usr >/dev/null)
root=$tmp/stage/usr
odd=$(find "$tmp/stage" -mindepth 1 \( -type d ! -perm 755 \) -o \( -type f ! -perm 644 ! -perm 755 \) -o \( -perm /022 \))
[ -z "$odd" ] || fail "installed under umask 077, not readable by all: $(ls -ld $odd)"
for prog in brelvox brelvox-server brelvox-tally; do
  [ "$(stat -c %a "$root/games/$prog")" = 755 ] || fail "games/$prog is not 755"
done
(umask 077 && cpack -G DEB -B "$tmp/pack" --config "$build/CPackConfig.cmake" >"$tmp/pack.log" 2>&1) ||
  fail "cpack failed: $(cat "$tmp/pack.log")"
deb=$(ls "$tmp"/pack/brelvox_*.deb)
dpkg-deb -c "$deb" >"$tmp/contents"
odd=$(awk '$1 !~ /^(drwxr-xr-x|-rw-r--r--|-rwxr-xr-x|lrwxrwxrwx)$/ || $2 != "root/root"' "$tmp/contents")
[ -z "$odd" ] || fail "packed under umask 077: $odd"
grep -q ' \./usr/games/brelvox$' "$tmp/contents" || fail "the .deb has no /usr/games/brelvox"
mkdir "$tmp/control"
dpkg-deb -e "$deb" "$tmp/control"
for script in postinst prerm postrm; do
  [ "$(stat -c %a "$tmp/control/$script")" = 755 ] || fail "the .deb's $script is not 755"
done
# The maintainer scripts on a scratch root: the server enabled by hand after installing
# is masked by a removal, and a purge leaves no link behind.
sysroot=$tmp/sysroot
mkdir -p "$sysroot/usr/lib/systemd/system" "$sysroot/etc/systemd/system/multi-user.target.wants" "$sysroot/var/lib/systemd"
cp "$root/lib/systemd/system/brelvox-server.service" "$sysroot/usr/lib/systemd/system/"
maint() { DPKG_ROOT=$sysroot DPKG_MAINTSCRIPT_PACKAGE=brelvox DPKG_MAINTSCRIPT_NAME=$1 sh "$tmp/control/$1" "$2"; }
maint postinst configure
[ -z "$(find "$sysroot/etc" -type l)" ] || fail "installing enabled the server"
ln -s /usr/lib/systemd/system/brelvox-server.service "$sysroot/etc/systemd/system/multi-user.target.wants/"
maint prerm remove
maint postrm remove
[ "$(readlink "$sysroot/etc/systemd/system/brelvox-server.service")" = /dev/null ] || fail "removal did not mask the server"
maint postrm purge
[ -z "$(find "$sysroot/etc" -type l)" ] || fail "purge left links: $(find "$sysroot/etc" -type l)"

for f in games/brelvox games/brelvox-server games/brelvox-tally \
  share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
  share/icons/hicolor/scalable/apps/$id.svg \
  share/man/man6/brelvox.6.gz share/man/man6/brelvox-server.6.gz share/man/man1/brelvox-tally.1.gz \
  share/doc/brelvox/copyright share/doc/brelvox/changelog.gz lib/systemd/system/brelvox-server.service; do
  [ -s "$root/$f" ] || fail "$f is not installed"
done
grep -qx 'ExecStart=/usr/games/brelvox-server --port 7772' "$root/lib/systemd/system/brelvox-server.service" ||
  fail "the server's unit does not start the installed server"
grep -qx 'Exec=/usr/games/brelvox' "$root/share/applications/$id.desktop" ||
  fail "the desktop entry does not start the installed game"

# Each PNG is as wide and as high as the folder it sits in says.
for size in 16 22 24 32 48 64 128 256; do
  png=$root/share/icons/hicolor/${size}x${size}/apps/$id.png
  [ -s "$png" ] || fail "no ${size}x${size} icon"
  read -r w1 w2 w3 w4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$png")
  w=$(((w1 << 24) | (w2 << 16) | (w3 << 8) | w4))
  h=$(((h1 << 24) | (h2 << 16) | (h3 << 8) | h4))
  [ "$w" = "$size" ] && [ "$h" = "$size" ] || fail "${size}x${size} icon is ${w}x${h}"
done

desktop-file-validate "$root/share/applications/$id.desktop" || fail "desktop entry does not validate"
appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml" || fail "metainfo does not validate"
# The metainfo's launchable and icon must find the installed desktop entry and icons.
appstreamcli validate-tree --no-net "$tmp/stage" || fail "installed tree does not validate"

for page in man6/brelvox.6 man6/brelvox-server.6 man1/brelvox-tally.1; do
  warnings=$(zcat "$root/share/man/$page.gz" | LC_ALL=C.UTF-8 groff -man -ww -z -t 2>&1)
  [ -z "$warnings" ] || fail "$page: $warnings"
done

# The version the programs print is the release the metainfo announces.
release=$(grep -o '<release version="[^"]*"' "$root/share/metainfo/$id.metainfo.xml" | head -n1 | cut -d'"' -f2)
for prog in brelvox brelvox-server brelvox-tally; do
  out=$("$root/games/$prog" --version) || fail "$prog --version failed"
  [ "$out" = "$prog $release" ] || fail "$prog --version printed '$out', the metainfo says $release"
  "$root/games/$prog" --help | grep -q "$prog" || fail "$prog --help printed no usage"
done

# The installed game: its folder is not the place for the player's files, even where it
# could be written (as root it can).
chmod a-w "$root/games"
home=$tmp/home
mkdir -p "$home" "$tmp/run"
chmod 700 "$tmp/run"
run_game() {
  HOME=$home XDG_CONFIG_HOME=$home/.config XDG_RUNTIME_DIR=$tmp/run BRELVOX_QUIT_AFTER_SHOW=1 \
    QT_QPA_PLATFORM=offscreen "$@"
}
# Two parameters: a player called "--help" waits for a game; no usage text, no connection.
out=$(run_game "$root/games/brelvox" --help --version 2>/dev/null) || fail "the installed game did not run"
[ -z "$out" ] || fail "'--help --version' was taken as options: $out"
[ -s "$home/.config/Brelvox/Brelvoxtally.tld" ] || fail "the installed game kept no tally in the config folder"
[ -z "$(ls "$root/games" | grep -v '^brelvox')" ] || fail "the installed game wrote into its games folder: $(ls "$root/games")"

# A copy in a plain folder of its own keeps its files beside itself.
mkdir "$tmp/portable"
cp "$root/games/brelvox" "$tmp/portable/"
run_game "$tmp/portable/brelvox" Rook 2>/dev/null || fail "the portable copy did not run"
[ -s "$tmp/portable/Brelvoxtally.tld" ] || fail "the portable copy kept no tally beside itself"
echo "check-install: all good"
