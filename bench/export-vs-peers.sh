#!/usr/bin/env bash
# Exports every game of ../shared/pgn/good with `ravelin-pgn export` and has
# other programs read the exports: pgn-extract (Debian), chess.js and chessops
# (npm, into bench/.peers/). Each must read each game with the same main-line
# moves, final position, tags and main-line notes as Ravelin holds it
# (export-peers.mjs); variations are checked by variations-vs-peers.sh, so
# pgn-extract reads the exports without them (-V). Prints the table and every
# difference, and fails on any.
#   bench/export-vs-peers.sh [BUILD_DIR=build]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
. bench/peers.sh
require_tool_and_games "$build"
ensure_pgn_extract
ensure_chessjs
ensure_chessops

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
n=0
exported=()
while read -r file; do
  name=${file#"$shared/pgn/"}
  # The games longer than a record holds are refused by the export as by Open.
  "$tool" show "$file" >"$work/$n.show" 2>/dev/null || { echo "not read by Ravelin: $name"; continue; }
  "$tool" export "$file" >"$work/$n.pgn"
  "$extract" -s -V -Wuci -F -w1000 "$work/$n.pgn" >"$work/$n.extract" 2>/dev/null || true
  "$extract" -s -V --nomovenumbers -w1000 "$work/$n.pgn" >"$work/$n.extract-san" 2>/dev/null || true
  printf '%s\t%s\n' "$n" "$name" >>"$work/games.tsv"
  exported+=("$file")
  n=$((n + 1))
done < <(find "$shared/pgn/good" -name '*.pgn' | LC_ALL=C sort)
"$tool" export "${exported[@]}" >"$work/all.pgn"
echo "games exported: $n"
node bench/export-peers.mjs "$work"
