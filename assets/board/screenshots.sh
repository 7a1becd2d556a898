#!/usr/bin/env bash
# Screenshots of the pool table demo under a virtual display:
#   assets/board/screenshots.sh [build-dir] [out-dir]
# Each stage runs in its own X server; the shot is taken once the demo prints READY.
set -euo pipefail
build=${1:-build}
out=${2:-/tmp/pooltable-shots}
mkdir -p "$out"
for stage in racked midbreak shots3 pictures; do
  xvfb-run -a -s "-screen 0 1280x720x24" bash -c '
    demo=$1; stage=$2; shot=$3
    fifo=$(mktemp -u); mkfifo "$fifo"
    "$demo" --stage "$stage" >"$fifo" &
    pid=$!
    read -r line <"$fifo"
    sleep 0.3
    import -window root "$shot"
    kill "$pid"; wait "$pid" 2>/dev/null || true
    rm -f "$fifo"
  ' _ "$build/bin/pooltable_demo" "$stage" "$out/$stage.png"
  echo "$out/$stage.png"
done
