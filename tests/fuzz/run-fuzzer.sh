#!/usr/bin/env bash
# run-fuzzer.sh [--fresh] FUZZER SHARED_DIR WORK_DIR [libFuzzer options...]: seeded from our
# corpus and the shared games; new inputs go to WORK_DIR/corpus, breaking ones to WORK_DIR/findings.
set -euo pipefail
[ "${1:-}" = "--fresh" ] && { fresh=1; shift; } || fresh=0
fuzzer=$1 shared=$2 work=$3
shift 3
here=$(cd "$(dirname "$0")" && pwd)
name=$(basename "$fuzzer" | sed 's/^fuzz_//')
[ "$fresh" -eq 1 ] && rm -rf "$work/corpus" "$work/findings"
mkdir -p "$work/corpus" "$work/findings"
seeds=("$here/corpus/$name")
for folder in "$shared/pgn/good" "$shared/pgn/other"; do [ -d "$folder" ] && seeds+=("$folder"); done
start=$(date +%s)
if ! "$fuzzer" -artifact_prefix="$work/findings/" -print_final_stats=1 -max_len=8192 \
  -dict="$here/pgn.dict" "$@" "$work/corpus" "${seeds[@]}" >"$work/log" 2>&1; then
  tail -n 60 "$work/log" >&2
  exit 1
fi
echo "$name: $(grep -o 'executed_units: *[0-9]*' "$work/log" | tail -1) in" \
  "$(($(date +%s) - start)) s, corpus $(find "$work/corpus" -type f | wc -l)"
