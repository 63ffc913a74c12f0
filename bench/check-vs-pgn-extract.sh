#!/usr/bin/env bash
# Reading and replaying, paired: `ravelin-pgn check` against `pgn-extract -r
# -s` (read and replay every move, report errors only), each run timing one
# and then the other on the same files, so the machine's load falls on both
# alike. Two sets: every file of ../shared/pgn/good (one game each), and one
# file of about 10 MB of many games (those games one after another, again and
# again), made in a temporary folder that is removed afterwards. Reports the
# median CPU time of each and the median of the paired ratios.
#   bench/check-vs-pgn-extract.sh [BUILD_DIR=build] [RUNS=21] [MEGABYTES=10]
# Installs pgn-extract (Debian) when it is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-21}
megabytes=${3:-10}
. bench/peers.sh
require_tool_and_games "$build"
ensure_pgn_extract

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mapfile -t games < <(find "$shared/pgn/good" -name '*.pgn' | LC_ALL=C sort)
for file in "${games[@]}"; do cat "$file"; echo; done >"$work/round.pgn"
while [ "$(stat -c %s "$work/many.pgn" 2>/dev/null || echo 0)" -lt $((megabytes << 20)) ]; do
  cat "$work/round.pgn" >>"$work/many.pgn"
done
describe_machine

# CPU seconds (user and system, from getrusage) of one command.
cpu() {
  local TIMEFORMAT='%3U %3S'
  { time "$@" >/dev/null 2>&1; } 2>"$work/time" || true
  awk '{ print $1 + $2 }' "$work/time"
}

compare() {
  local label=$1
  shift
  : >"$work/r" && : >"$work/e" && : >"$work/ratio"
  for ((run = 0; run < runs; run++)); do
    local r e
    r=$(cpu "$tool" check "$@")
    e=$(cpu "$extract" -r -s "$@")
    echo "$r" >>"$work/r"
    echo "$e" >>"$work/e"
    awk -v r="$r" -v e="$e" 'BEGIN { if (e > 0) print r / e }' >>"$work/ratio"
  done
  printf "%-34s ravelin-pgn %7.3f s  pgn-extract %7.3f s  ravelin/pgn-extract %5.2f (median of %d paired runs)\n" \
    "$label" "$(median <"$work/r")" "$(median <"$work/e")" "$(median <"$work/ratio")" "$runs"
}

compare "${#games[@]} files of one game, CPU:" "${games[@]}"
compare "$(($(stat -c %s "$work/many.pgn") >> 20)) MB of $(grep -c '^\[Event ' "$work/many.pgn") games in one file, CPU:" \
  "$work/many.pgn"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
