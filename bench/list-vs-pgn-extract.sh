#!/usr/bin/env bash
# Times `ravelin-pgn list` (the games of a file listed from their tags, moves
# counted, none replayed) against `pgn-extract -r -s` reading the same file,
# on a file of 10,000 real games made here from ../shared/pgn/good (every
# game of it, in turn, until there are 10,000), then times the "Select Game"
# dialog on it with game_list_bench. The file is made in a temporary folder
# and removed afterwards.
#   bench/list-vs-pgn-extract.sh [BUILD_DIR] [RUNS] [GAMES]
# BUILD_DIR defaults to build/ (it needs ravelin-pgn, and game_list_bench for
# the dialog's figures); RUNS defaults to 10, GAMES to 10000.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-10}
count=${3:-10000}
dialog=$build/bench/game_list_bench
source bench/peers.sh
require_tool_and_games "$build"
ensure_pgn_extract

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
games=$work/games.pgn
mapfile -t files < <(find "$shared/pgn/good" -name '*.pgn' | LC_ALL=C sort)
for file in "${files[@]}"; do cat "$file"; echo; done >"$work/round.pgn"
rounds=$((count / ${#files[@]}))
for ((i = 0; i < rounds; i++)); do cat "$work/round.pgn"; done >"$games"
for file in "${files[@]:0:count - rounds * ${#files[@]}}"; do cat "$file"; echo; done >>"$games"

listed=$({ "$tool" list "$games" 2>/dev/null || true; } | wc -l)
echo "file: $listed games listed, $(wc -c <"$games") bytes; $runs runs each"
[ "$listed" -eq "$count" ] || { echo "ravelin-pgn lists $listed games, not $count" >&2; exit 1; }

ravelin_command="$tool list $games"
extract_command="$extract -r -s $games"

# Medians of a command's wall time and CPU time (user and system) in
# milliseconds, over RUNS runs after one to warm the file cache.
medians() {
  local command=$1 i
  $command >/dev/null 2>&1 || true
  for ((i = 0; i < runs; i++)); do
    { time $command >/dev/null 2>&1; } 2>&1 || true
  done | awk '{ print $1 * 1000, ($2 + $3) * 1000 }' >"$work/times"
  echo "$(cut -d' ' -f1 "$work/times" | median) $(cut -d' ' -f2 "$work/times" | median)"
}

TIMEFORMAT='%3R %3U %3S'
read -r ravelin_wall ravelin_cpu < <(medians "$ravelin_command")
read -r extract_wall extract_cpu < <(medians "$extract_command")
awk -v rw="$ravelin_wall" -v rc="$ravelin_cpu" -v ew="$extract_wall" -v ec="$extract_cpu" 'BEGIN {
  printf "median                    wall ms    CPU ms\n"
  printf "ravelin-pgn list         %8.1f  %8.1f\n", rw, rc
  printf "pgn-extract -r -s        %8.1f  %8.1f\n", ew, ec
  printf "ratio ravelin/extract    %8.3f  %8.3f  (the target is at most 0.333)\n", rw / ew, rc / ec
}'

if [ -x "$dialog" ]; then
  "$dialog" "$games"
else
  echo "($dialog not built: no figures for the dialog)"
fi
