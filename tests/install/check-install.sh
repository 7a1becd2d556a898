#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Brelvox developers
#
# check-install.sh BUILD_DIR APP_ID: installs the build under /usr in a scratch DESTDIR,
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

DESTDIR=$tmp/stage cmake --install "$build" --prefix /usr >/dev/null
root=$tmp/stage/usr

for f in bin/brelvox bin/brelvox-server bin/brelvox-tally \
  share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
  share/icons/hicolor/scalable/apps/$id.svg \
  share/man/man6/brelvox.6.gz share/man/man6/brelvox-server.6.gz share/man/man1/brelvox-tally.1.gz \
  share/doc/brelvox/copyright lib/systemd/system/brelvox-server.service; do
  [ -s "$root/$f" ] || fail "$f is not installed"
done
grep -qx 'ExecStart=/usr/bin/brelvox-server --port 7772' "$root/lib/systemd/system/brelvox-server.service" ||
  fail "the server's unit does not start the installed server"

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
  out=$("$root/bin/$prog" --version) || fail "$prog --version failed"
  [ "$out" = "$prog $release" ] || fail "$prog --version printed '$out', the metainfo says $release"
  "$root/bin/$prog" --help | grep -q "$prog" || fail "$prog --help printed no usage"
done

# The installed game: its folder is not the place for the player's files, even where it
# could be written (as root it can).
chmod a-w "$root/bin"
home=$tmp/home
mkdir -p "$home" "$tmp/run"
chmod 700 "$tmp/run"
run_game() {
  HOME=$home XDG_CONFIG_HOME=$home/.config XDG_RUNTIME_DIR=$tmp/run BRELVOX_QUIT_AFTER_SHOW=1 \
    QT_QPA_PLATFORM=offscreen "$@"
}
# Two parameters: a player called "--help" waits for a game; no usage text, no connection.
out=$(run_game "$root/bin/brelvox" --help --version 2>/dev/null) || fail "the installed game did not run"
[ -z "$out" ] || fail "'--help --version' was taken as options: $out"
[ -s "$home/.config/Brelvox/Brelvoxtally.tld" ] || fail "the installed game kept no tally in the config folder"
[ -z "$(ls "$root/bin" | grep -v '^brelvox')" ] || fail "the installed game wrote into its bin folder: $(ls "$root/bin")"

# A copy in a plain folder of its own keeps its files beside itself.
mkdir "$tmp/portable"
cp "$root/bin/brelvox" "$tmp/portable/"
run_game "$tmp/portable/brelvox" Rook 2>/dev/null || fail "the portable copy did not run"
[ -s "$tmp/portable/Brelvoxtally.tld" ] || fail "the portable copy kept no tally beside itself"
echo "check-install: all good"
