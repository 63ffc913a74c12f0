#!/usr/bin/env bash
# Legal-move generation, side by side: CountLegalMoves (count_moves) against
# chess.js's moves() on the same positions, every 10th position of the real
# games in ../shared/pgn/good (the FENs of their .tsv files). Both programs
# take each position's moves PASSES times in one process; the script runs
# the pair RUNS times in turn and reports the medians and their ratio. The
# move counts of the two are compared first (castling left out: the count
# serves the mate and stalemate test, and a king that may castle may step).
#   bench/moves-vs-chessjs.sh [BUILD_DIR=build] [RUNS=5] [PASSES=21]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-5}
passes=${3:-21}
shared=${RAVELIN_SHARED_DIR:-../shared}
counter=$build/bench/count_moves
[ -x "$counter" ] || { echo "missing $counter: build it first" >&2; exit 1; }
[ -d "$shared/pgn/good" ] || { echo "no real games in $shared/pgn/good" >&2; exit 1; }
. bench/peers.sh
ensure_chessjs

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
positions=$work/positions.fen
find "$shared/pgn/good" -name '*.tsv' | LC_ALL=C sort | xargs cat |
  awk -F'\t' '!/^#/ && NF >= 3 && n++ % 10 == 0 { print $3 }' >"$positions"
echo "positions: $(wc -l <"$positions") (every 10th of the real games' positions)"
describe_machine

"$counter" --counts <"$positions" >"$work/ravelin.counts"
node bench/chessjs-moves.mjs "$positions" --counts >"$work/chessjs.counts"
if ! cmp -s "$work/ravelin.counts" "$work/chessjs.counts"; then
  echo "the move counts differ:" >&2
  paste "$positions" "$work/ravelin.counts" "$work/chessjs.counts" | awk -F'\t' '$2 != $3' | head >&2
  exit 1
fi
echo "move counts agree: $(awk '{ s += $1 } END { print s }' "$work/ravelin.counts") moves in all"

field() { awk -v k="$1" '$1 == k { print $2 }' "$2"; }
for ((run = 0; run < runs; run++)); do
  "$counter" "$passes" <"$positions" >"$work/r"
  node bench/chessjs-moves.mjs "$positions" "$passes" >"$work/c"
  field median_ns "$work/r" >>"$work/ravelin.ns"
  field median_ns "$work/c" >>"$work/chessjs.ns"
  field bare_median_ns "$work/c" >>"$work/bare.ns"
done
r=$(median <"$work/ravelin.ns")
c=$(median <"$work/chessjs.ns")
b=$(median <"$work/bare.ns" || echo 0)
awk -v r="$r" -v c="$c" -v b="$b" -v runs="$runs" -v passes="$passes" 'BEGIN {
  printf "median of %d runs, each the median of %d passes, per position:\n", runs, passes
  printf "  CountLegalMoves                   %9.0f ns\n", r
  printf "  chess.js moves()                  %9.0f ns   ratio %.1f\n", c, c / r
  if (b > 0) printf "  chess.js legal moves without text %9.0f ns   ratio %.1f\n", b, b / r
}'
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
