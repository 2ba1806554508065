#!/usr/bin/env bash
# Reads the benchmark's spread against a well-known peer measured in the same
# minutes: ROUNDS runs of the benchmark, each followed by one run of 7-Zip's
# single-thread benchmark (`7zz b -mmt1 -md22`), then the coefficient of
# variation (standard deviation over mean) of both, side by side. On a
# machine where 7-Zip itself spreads by 2 %, a Time Summa that spreads by 2 %
# is as steady as the machine allows.
#
#   bench/stability.sh BUILD [ROUNDS] [window|cli]
# BUILD: a build folder (build); ROUNDS: 6; the runs go through the benchmark
# window (offscreen, the default) or through quelvorant-cli.
set -euo pipefail

build=${1:?usage: bench/stability.sh BUILD [ROUNDS]}
rounds=${2:-6}
through=${3:-window}
case $through in
  window) program="$build/bin/form2_overhead" ;;
  cli) program="$build/bin/quelvorant-cli" ;;
  *) echo "usage: bench/stability.sh BUILD [ROUNDS] [window|cli]" >&2; exit 2 ;;
esac
[ -x "$program" ] || { echo "stability.sh: $program is missing; build first" >&2; exit 2; }
if ! command -v 7zz >/dev/null 2>&1; then
  echo "stability.sh: 7zz is missing; install it with: sudo apt-get install 7zip" >&2
  exit 2
fi

summas=()
ratings=()
printf 'Time Summa through the %s, beside 7-Zip\n' "$through"
printf '%5s  %15s  %22s\n' round "Time Summa (s)" "7zz b -mmt1 (MIPS)"
for round in $(seq 1 "$rounds"); do
  if [ "$through" = window ]; then
    summa=$("$program" --window 1)
  else
    summa=$("$program" bench --runs 1 --warmup 0 --quiet --no-history --json - 2>/dev/null |
      /usr/bin/python3 -c 'import json, sys; print("%.4f" % json.load(sys.stdin)["runs"][0]["time_summa"])')
  fi
  rating=$(7zz b -mmt1 -md22 | awk '/^Tot:/ { print $NF }')
  [ -n "$rating" ] || { echo "stability.sh: no rating in the output of 7zz b" >&2; exit 1; }
  summas+=("$summa")
  ratings+=("$rating")
  printf '%5d  %15s  %22s\n' "$round" "$summa" "$rating"
done

# median and CV (sample standard deviation over the mean) of the arguments
figures() {
  printf '%s\n' "$@" | sort -g | awk '
    { v[NR] = $1; sum += $1 }
    END {
      mean = sum / NR
      for (i = 1; i <= NR; i++) squares += (v[i] - mean) ^ 2
      median = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
      cv = NR > 1 ? 100 * sqrt(squares / (NR - 1)) / mean : 0
      printf "%s %.2f", median, cv
    }'
}
read -r summa_median summa_cv <<<"$(figures "${summas[@]}")"
read -r rating_median rating_cv <<<"$(figures "${ratings[@]}")"
printf '%5s  %15s  %22s\n' median "$summa_median" "$rating_median"
printf '%5s  %14s%%  %21s%%\n' CV "$summa_cv" "$rating_cv"
awk -v a="$summa_cv" -v b="$rating_cv" 'BEGIN {
  if (b > 0) printf "Time Summa spreads %.2f times as much as 7-Zip in the same minutes.\n", a / b }'
