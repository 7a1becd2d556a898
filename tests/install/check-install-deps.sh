#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Brelvox developers
#
# check-install-deps.sh SOURCE_DIR: runs scripts/install-deps, and the set-up steps of
# make run, make test and make install, against stand-ins for apt-get, dpkg-query, sudo
# and cmake, and checks which packages they would install and how.
set -euo pipefail
src=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() {
  echo "check-install-deps: $*" >&2
  exit 1
}

mkdir "$tmp/bin"
# dpkg-query: the packages named in $tmp/installed are installed.
cat >"$tmp/bin/dpkg-query" <<'EOF'
#!/bin/sh
for p; do :; done
grep -qx "$p" "$FAKE_ROOT/installed" || exit 1
printf 'install ok installed'
EOF
# apt-get: logs each call; a simulation that includes $FAKE_CULPRIT removes $FAKE_REMOVES.
cat >"$tmp/bin/apt-get" <<'EOF'
#!/bin/sh
echo "$*" >>"$FAKE_ROOT/apt.log"
case " $* " in
  *" -s "*)
    for p; do
      [ "$p" = "${FAKE_CULPRIT:-}" ] && echo "Remv $FAKE_REMOVES [1.0]"
    done
    ;;
esac
exit 0
EOF
printf '#!/bin/sh\nexec "$@"\n' >"$tmp/bin/sudo"
printf '#!/bin/sh\necho "cmake $*" >>"$FAKE_ROOT/apt.log"\nexit 1\n' >"$tmp/bin/cmake"
chmod +x "$tmp/bin"/*
export PATH=$tmp/bin:$PATH FAKE_ROOT=$tmp

run_set=(cmake ninja-build g++ qt6-base-dev qt6-multimedia-dev libcurl4-openssl-dev libjpeg-dev zlib1g-dev fonts-liberation2)
test_tools=(xvfb openbox xdotool wmctrl clang imagemagick libbenchmark-dev lintian at-spi2-core python3-pyatspi weston qt6-wayland)

# Resets the stand-ins: nothing logged, the named packages installed.
fresh() {
  : >"$tmp/apt.log"
  printf '%s\n' "$@" >"$tmp/installed"
}
# The one real install call (not a simulation, not an update), as " args ".
install_call() {
  local calls
  calls=$(grep -E '(^| )install( |$)' "$tmp/apt.log" | grep -vE -- '(^| )-s( |$)' || true)
  [ "$(printf '%s' "$calls" | grep -c .)" = 1 ] || fail "$1: expected one apt-get install, got: $calls"
  echo " $calls "
}
has() { [[ $1 == *" $2 "* ]]; }
expect_set() { # label call kind: run set always, test tools only for kind=test
  local label=$1 call=$2 kind=$3
  has "$call" --no-remove || fail "$label: apt-get install without --no-remove: $call"
  has "$call" -y || fail "$label: apt-get install would ask: $call"
  for p in "${run_set[@]}"; do has "$call" "$p" || fail "$label: $p is not installed"; done
  for p in "${test_tools[@]}"; do
    if [ "$kind" = test ]; then
      has "$call" "$p" || fail "$label: test tool $p is not installed"
    else
      ! has "$call" "$p" || fail "$label: test tool $p is installed"
    fi
  done
}

fresh
bash "$src/scripts/install-deps" run >/dev/null
call=$(install_call "install-deps run")
expect_set "install-deps run" "$call" run
! has "$call" pulseaudio || fail "install-deps run: installs a sound server"

fresh
make -s -C "$src" BUILD="$tmp/build-run" run >/dev/null 2>&1 && fail "make run went past the stand-in cmake"
expect_set "make run" "$(install_call "make run")" run
grep -q "^cmake -S . -B $tmp/build-run" "$tmp/apt.log" || fail "make run did not configure after its set-up"

fresh
make -s -C "$src" BUILD="$tmp/build-test" test >/dev/null 2>&1 && fail "make test went past the stand-in cmake"
call=$(install_call "make test")
expect_set "make test" "$call" test
has "$call" pulseaudio || fail "make test: no PulseAudio where PipeWire is not installed"

# A desktop on PipeWire keeps it: the sound test's server comes from PipeWire.
fresh pipewire pipewire-pulse
bash "$src/scripts/install-deps" test >/dev/null
call=$(install_call "install-deps test on PipeWire")
expect_set "install-deps test on PipeWire" "$call" test
! has "$call" pulseaudio || fail "install-deps test on PipeWire installs PulseAudio: $call"
has "$call" wireplumber && has "$call" pulseaudio-utils || fail "install-deps test on PipeWire: no private PipeWire: $call"

# A package that could only come in by removing another: nothing is installed, the
# culprit and its victim are named.
fresh
if FAKE_CULPRIT=openbox FAKE_REMOVES=pipewire-audio bash "$src/scripts/install-deps" test >"$tmp/out" 2>&1; then
  fail "install-deps went on though apt would remove a package"
fi
grep -q 'installing openbox would remove pipewire-audio' "$tmp/out" || fail "no word of what would be removed: $(cat "$tmp/out")"
grep -E '(^| )install( |$)' "$tmp/apt.log" | grep -qvE -- '(^| )-s( |$)' && fail "installed although apt would remove a package"

# All there: no apt at all. make install never asks for packages.
fresh "${run_set[@]}" ccache pkg-config qt6-base-dev-tools libgl-dev
bash "$src/scripts/install-deps" run >"$tmp/out"
[ ! -s "$tmp/apt.log" ] && [ ! -s "$tmp/out" ] || fail "install-deps called apt with everything installed"
fresh
make -s -C "$src" BUILD="$tmp/build-install" PREFIX="$tmp/prefix" install >/dev/null 2>&1 || true
grep -qv '^cmake' "$tmp/apt.log" && fail "make install ran apt-get: $(cat "$tmp/apt.log")"
grep -q '^cmake' "$tmp/apt.log" || fail "make install did not get to cmake"
echo "check-install-deps: all good"
