#!/usr/bin/env bash
# Cost of the information window: time from start to the end of Form1's Load
# work, and the processor time of a program idling on Form1 (default 60 s).
# Usage: bench/sysinfo_idle.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
seconds=${2:-60}

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target sysinfo_idle QuelCore >/dev/null

program=("$build/bin/sysinfo_idle" "$seconds")
if command -v xvfb-run >/dev/null 2>&1; then
  echo "Display: Xvfb"
  xvfb-run -a "${program[@]}"
else
  echo "Display: offscreen"
  QT_QPA_PLATFORM=offscreen "${program[@]}"
fi
