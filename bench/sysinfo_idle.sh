#!/usr/bin/env bash
# Cost of the information window: time from start to the end of Form1's Load
# work (sysinfo_idle), and the processor time of quelvorant itself idling on
# Form1 (default 60 s after the splash).
# Usage: bench/sysinfo_idle.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
seconds=${2:-60}

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target sysinfo_idle quelvorant QuelCore >/dev/null

run_display() {
  if command -v xvfb-run >/dev/null 2>&1; then
    xvfb-run -a "$@"
  else
    QT_QPA_PLATFORM=offscreen "$@"
  fi
}

echo "== Start-up and Load (Form1 alone) =="
run_display "$build/bin/sysinfo_idle" 1

echo "== quelvorant idling on Form1 for $seconds s =="
# The program's processor time after the splash (1.5 s) and the idle span,
# from /proc/PID/stat (fields 14 and 15, in clock ticks).
run_display bash -c '
  "$1" & pid=$!
  sleep 2
  read -r -a before < <(cut -d")" -f2- /proc/$pid/stat)
  sleep "$2"
  read -r -a after < <(cut -d")" -f2- /proc/$pid/stat)
  kill $pid
  ticks=$(getconf CLK_TCK)
  used=$(( (after[11] + after[12]) - (before[11] + before[12]) ))
  awk -v used="$used" -v ticks="$ticks" -v s="$2" \
    "BEGIN { printf \"processor time %.3f s in %d s: %.2f%% of one core\\n\", used/ticks, s, 100*used/ticks/s }"
' _ "$build/bin/quelvorant" "$seconds"
