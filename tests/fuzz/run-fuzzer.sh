#!/usr/bin/env bash
# Runs one fuzz target on its seeds and reports what it found.
#   run-fuzzer.sh [--fresh] FUZZER SHARED_DIR WORK_DIR [libFuzzer options...]
# The seeds are our own (tests/fuzz/corpus/NAME) and, when SHARED_DIR holds
# them, inputs made from the shared games and positions, rebuilt each run in
# WORK_DIR/seeds. New inputs go to WORK_DIR/corpus, kept between runs unless
# --fresh; inputs that break something go to WORK_DIR/findings. Exits non-zero
# on any finding.
set -euo pipefail
fresh=0
if [ "${1:-}" = "--fresh" ]; then
  fresh=1
  shift
fi
fuzzer=$1
shared=$2
work=$3
shift 3
name=$(basename "$fuzzer")
name=${name#fuzz_}
here=$(cd "$(dirname "$0")" && pwd)

[ "$fresh" -eq 1 ] && rm -rf "$work/corpus" "$work/findings"
rm -rf "$work/seeds"
mkdir -p "$work/corpus" "$work/seeds" "$work/findings"
touch "$work/started"

# Every STEP-th of the files given on standard input, in sorted order.
every() { sort | awk -v step="$1" '(NR - 1) % step == 0'; }

# Files of the shared folder below SUB whose names end in EXT and that are
# smaller than 12 kB.
small_files() { find "$shared/$1" -name "*.$2" -size -12k 2>/dev/null; }

# A move-text input: position 0 (the standard start) and the moves of a
# checked game from it, one line per ply as "ply<TAB>SAN<TAB>FEN".
moves_of() {
  awk -F'\t' 'NR == 2 && $3 != "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1" { exit 1 }
              NR > 2 { printf "%s ", $2 }' "$1"
}

if [ -d "$shared" ]; then
  case $name in
    pgn_reader)
      { small_files pgn/good pgn | every 16; small_files pgn/other pgn | every 4; } |
        while read -r file; do cp "$file" "$work/seeds/$(echo "$file" | md5sum | cut -c1-12).pgn"; done
      ;;
    fen)
      { cut -f2 "$shared/positions/POSITIONS.tsv" | grep -v '^FEN' || true
        small_files pgn/good tsv | every 100 | xargs -r cut -f3 | grep / | every 4 || true; } |
        sort -u | awk -v dir="$work/seeds" '{ printf "%s", $0 > (dir "/fen-" NR); close(dir "/fen-" NR) }'
      ;;
    move_text)
      small_files pgn/good tsv | every 24 | while read -r file; do
        moves=$(moves_of "$file") || continue
        printf '\0%s' "$moves" >"$work/seeds/$(basename "$file" .tsv)"
      done
      ;;
  esac
fi

options=(-artifact_prefix="$work/findings/" -print_final_stats=1)
# The longest input of each: a file with a full note, a FEN, a few hundred
# move texts, two hundred drops of six bytes.
case $name in
  pgn_reader) options+=(-max_len=8192 -dict="$here/pgn.dict") ;;
  fen) options+=(-max_len=256 -dict="$here/pgn.dict") ;;
  move_text) options+=(-max_len=1024 -dict="$here/pgn.dict") ;;
  move_entry) options+=(-max_len=1201) ;;
esac
seeds=("$work/seeds")
[ -d "$here/corpus/$name" ] && seeds+=("$here/corpus/$name")

status=0
start=$(date +%s)
"$fuzzer" "${options[@]}" "$@" "$work/corpus" "${seeds[@]}" >"$work/log" 2>&1 || status=$?
seconds=$(($(date +%s) - start))
findings=$(find "$work/findings" -type f -newer "$work/started" | wc -l)
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -1)
echo "$name: ${runs:-?} executions in $seconds s, corpus $(find "$work/corpus" -type f | wc -l) inputs, findings $findings"
if [ "$status" -ne 0 ] || [ "$findings" -ne 0 ]; then
  tail -n 60 "$work/log" >&2
  exit 1
fi
