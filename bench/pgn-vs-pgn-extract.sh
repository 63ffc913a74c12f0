#!/usr/bin/env bash
# Times `ravelin-pgn check` against pgn-extract reading the same long game:
# 300 plies with a note of about 4096 characters on every ply, written by
# pgn_bench. Each program reads and replays the whole game on every run.
#   bench/pgn-vs-pgn-extract.sh [BUILD_DIR] [RUNS]
# BUILD_DIR defaults to build/ (it needs ravelin-pgn and pgn_bench built);
# RUNS defaults to 30. Installs pgn-extract (Debian package) when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-30}
tool=$build/tools/ravelin-pgn
bench=$build/bench/pgn_bench
for program in "$tool" "$bench"; do
  [ -x "$program" ] || { echo "missing $program: build it first" >&2; exit 1; }
done

source bench/peers.sh
ensure_pgn_extract

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
game=$work/long.pgn
"$bench" --write-game "$game"
echo "game: 300 plies, $(wc -c <"$game") bytes; $runs runs each"
"$tool" check "$game" >/dev/null || { echo "ravelin-pgn cannot read the game" >&2; exit 1; }
"$extract" -r -s "$game" 2>"$work/extract.err" || true
if [ -s "$work/extract.err" ]; then
  echo "pgn-extract reports errors in the game:" >&2
  cat "$work/extract.err" >&2
  exit 1
fi

ravelin_command="$tool check $game"
extract_command="$extract -r -s $game"

# Median wall time of a command in milliseconds.
median_ms() {
  local command=$1 i start end
  for ((i = 0; i < 3; i++)); do $command >/dev/null 2>&1; done
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    $command >/dev/null 2>&1
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
  done | sort -n | awk '{ t[NR] = $1 } END {
    m = NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
    printf "%.2f\n", m / 1000 }'
}

if command -v hyperfine >/dev/null && command -v jq >/dev/null; then
  hyperfine -N --warmup 3 --runs "$runs" --export-json "$work/times.json" \
    -n ravelin-pgn "$ravelin_command" -n pgn-extract "$extract_command" >&2
  ravelin_ms=$(jq '.results[0].median * 1000' "$work/times.json")
  extract_ms=$(jq '.results[1].median * 1000' "$work/times.json")
else
  ravelin_ms=$(median_ms "$ravelin_command")
  extract_ms=$(median_ms "$extract_command")
fi

awk -v r="$ravelin_ms" -v e="$extract_ms" 'BEGIN {
  printf "median ravelin-pgn check : %8.2f ms  (%.1f games/s)\n", r, 1000 / r
  printf "median pgn-extract -r    : %8.2f ms  (%.1f games/s)\n", e, 1000 / e
  printf "ratio ravelin / pgn-extract: %.2f\n", r / e
}'
