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
tool=$build/tools/ravelin-pgn
dialog=$build/bench/game_list_bench
shared=${RAVELIN_SHARED_DIR:-../shared}
[ -x "$tool" ] || { echo "missing $tool: build it first" >&2; exit 1; }
[ -d "$shared/pgn/good" ] || { echo "missing $shared/pgn/good" >&2; exit 1; }

extract=$(command -v pgn-extract || true)
[ -n "$extract" ] || [ ! -x /usr/games/pgn-extract ] || extract=/usr/games/pgn-extract
if [ -z "$extract" ]; then
  echo "Installing pgn-extract"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y pgn-extract
  extract=$(command -v pgn-extract || echo /usr/games/pgn-extract)
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
games=$work/games.pgn
mapfile -t files < <(find "$shared/pgn/good" -name '*.pgn' | LC_ALL=C sort)
for file in "${files[@]}"; do cat "$file"; echo; done >"$work/round.pgn"
rounds=$((count / ${#files[@]}))
for ((i = 0; i < rounds; i++)); do cat "$work/round.pgn"; done >"$games"
for file in "${files[@]:0:count - rounds * ${#files[@]}}"; do cat "$file"; echo; done >>"$games"

listed=$("$tool" list "$games" 2>/dev/null | wc -l)
echo "file: $listed games listed, $(wc -c <"$games") bytes; $runs runs each"
[ "$listed" -eq "$count" ] || { echo "ravelin-pgn lists $listed games, not $count" >&2; exit 1; }

ravelin_command="$tool list $games"
extract_command="$extract -r -s $games"

# Median wall time of a command in milliseconds.
median_ms() {
  local command=$1 i start end
  $command >/dev/null 2>&1 || true
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    $command >/dev/null 2>&1 || true
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
  done | sort -n | awk '{ t[NR] = $1 } END {
    m = NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
    printf "%.2f\n", m / 1000 }'
}

ravelin_ms=$(median_ms "$ravelin_command")
extract_ms=$(median_ms "$extract_command")
awk -v r="$ravelin_ms" -v e="$extract_ms" 'BEGIN {
  printf "median ravelin-pgn list  : %8.2f ms\n", r
  printf "median pgn-extract -r -s : %8.2f ms\n", e
  printf "ratio ravelin / pgn-extract: %.3f (the target is at most 0.333)\n", r / e
}'

if [ -x "$dialog" ]; then
  "$dialog" "$games"
else
  echo "($dialog not built: no figures for the dialog)"
fi
