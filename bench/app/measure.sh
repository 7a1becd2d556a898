#!/usr/bin/env bash
# Whole-program figures: start-up time, memory after a solo start, idle CPU of a seated
# client (hosting) and of an idle brelvox-server. Usage: bench/app/measure.sh [build] [seconds]
set -euo pipefail
build=${1:-build}
secs=${2:-30}
bin=$build/bin
export QT_QPA_PLATFORM=offscreen
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
trap 'rm -rf "$runtime"' EXIT

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)

# Start-up: launch to the main window shown, median of 11 runs (two parameters: no network).
times=()
for _ in $(seq 11); do
  t0=$(date +%s%N)
  BRELVOX_QUIT_AFTER_SHOW=1 "$bin/brelvox" Bench 127.0.0.1 >/dev/null 2>&1
  t1=$(date +%s%N)
  times+=($(( (t1 - t0) / 1000000 )))
done
startup=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 6p)
echo "startup_ms_median $startup"

# Memory after a solo game starts.
"$bin/brelvox" >/dev/null 2>&1 &
pid=$!
sleep 3
rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
kill $pid; wait $pid 2>/dev/null || true
echo "solo_rss_kib $rss"

# Idle CPU of a hosting, seated client.
rm -rf "${runtime:?}"/*
"$bin/brelvox" Bench 127.0.0.1 true >/dev/null 2>&1 &
pid=$!
sleep 3
a=$(ticks $pid); sleep "$secs"; b=$(ticks $pid)
kill $pid; wait $pid 2>/dev/null || true
echo "idle_client_cpu_percent $(awk -v d=$((b - a)) -v hz="$hz" -v s="$secs" 'BEGIN {printf "%.2f", 100 * d / hz / s}')"

# Idle CPU of the headless host.
if [ -x "$bin/brelvox-server" ]; then
  "$bin/brelvox-server" --port 0 >/dev/null 2>&1 &
  pid=$!
  sleep 2
  a=$(ticks $pid); sleep "$secs"; b=$(ticks $pid)
  kill $pid; wait $pid 2>/dev/null || true
  echo "idle_server_cpu_percent $(awk -v d=$((b - a)) -v hz="$hz" -v s="$secs" 'BEGIN {printf "%.2f", 100 * d / hz / s}')"
fi
