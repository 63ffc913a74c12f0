#!/usr/bin/env bash
# Reading real games, side by side: `ravelin-pgn check` against pgn-extract
# checking the same files (-r: read and replay every move, report errors
# only) and against chess.js loading them (chessjs-load.mjs). The games are
# every file in ../shared/pgn/good, one game a file. Each run starts the
# three programs in turn, once each over all the files; the script reports
# the median wall and CPU time of RUNS runs, games per second and the ratios.
# chess.js is also timed within one process (files read beforehand, code
# warmed up), which spares it the start of node.
#   bench/read-vs-peers.sh [BUILD_DIR=build] [RUNS=5] [PASSES=5]
# Installs pgn-extract (Debian) and chess.js (npm, into bench/.peers/) when
# they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-5}
passes=${3:-5}
. bench/peers.sh
require_tool_and_games "$build"
ensure_pgn_extract
ensure_chessjs

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
find "$shared/pgn/good" -name '*.pgn' | LC_ALL=C sort >"$work/games.list"
mapfile -t games <"$work/games.list"
count=${#games[@]}
echo "games: $count files, $(cat "${games[@]}" | wc -c) bytes; $runs runs"
describe_machine

# What each makes of the games, once.
"$tool" check "${games[@]}" >"$work/ravelin.out" 2>/dev/null || true
echo "ravelin-pgn reads $(grep -c '^ok' "$work/ravelin.out") of $count" \
  "($(grep -c '^error' "$work/ravelin.out" || true) refused: longer than a record holds, or unreadable)"
"$extract" -r -s "${games[@]}" 2>"$work/extract.err" >/dev/null || true
echo "pgn-extract: $(grep -c '' "$work/extract.err" || true) lines of remarks"
node bench/chessjs-load.mjs "$work/games.list" >"$work/chessjs.out"
echo "chess.js loads $(awk '$1 == "loaded" { print $2 }' "$work/chessjs.out") of $count"

# Wall and CPU seconds of one command, appended to $work/NAME.wall and .cpu.
timed() {
  local name=$1
  shift
  local TIMEFORMAT='%R %U %S'
  { time "$@" >/dev/null 2>&1; } 2>"$work/time" || true
  read -r wall user system <"$work/time"
  echo "$wall" >>"$work/$name.wall"
  awk -v u="$user" -v s="$system" 'BEGIN { print u + s }' >>"$work/$name.cpu"
}
for ((run = 0; run < runs; run++)); do
  timed ravelin "$tool" check "${games[@]}"
  timed extract "$extract" -r -s "${games[@]}"
  timed chessjs node bench/chessjs-load.mjs "$work/games.list"
done
node bench/chessjs-load.mjs "$work/games.list" "$passes" >"$work/chessjs.passes"
inprocess=$(awk '$1 == "pass_median_ms" { print $2 / 1000 }' "$work/chessjs.passes")

report() {
  local label=$1 wall=$2 cpu=$3
  awk -v l="$label" -v w="$wall" -v c="$cpu" -v n="$count" 'BEGIN {
    printf "  %-28s %8.3f s wall %8.3f s CPU %9.0f games/s (wall) %7.3f ms/game\n",
      l, w, c, n / w, 1000 * w / n }'
}
rw=$(median <"$work/ravelin.wall") rc=$(median <"$work/ravelin.cpu")
ew=$(median <"$work/extract.wall") ec=$(median <"$work/extract.cpu")
cw=$(median <"$work/chessjs.wall") cc=$(median <"$work/chessjs.cpu")
echo "medians of $runs runs, whole process over all the files:"
report "ravelin-pgn check" "$rw" "$rc"
report "pgn-extract -r" "$ew" "$ec"
report "chess.js (node process)" "$cw" "$cc"
report "chess.js (within node, warm)" "$inprocess" "$inprocess"
awk -v rw="$rw" -v rc="$rc" -v ew="$ew" -v ec="$ec" -v cw="$cw" -v cc="$cc" -v ci="$inprocess" 'BEGIN {
  printf "ratios (time of the peer / time of ravelin-pgn):\n"
  printf "  pgn-extract:        %5.2f wall  %5.2f CPU\n", ew / rw, ec / rc
  printf "  chess.js process:   %5.1f wall  %5.1f CPU\n", cw / rw, cc / rc
  printf "  chess.js warm pass: %5.1f wall\n", ci / rw
}'
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
