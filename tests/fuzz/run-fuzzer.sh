#!/usr/bin/env bash
# run-fuzzer.sh [--fresh] FUZZER SHARED_DIR WORK_DIR [libFuzzer options...]: from our seeds
# and small shared games; new inputs to WORK_DIR/corpus, breaking ones to WORK_DIR/findings.
set -euo pipefail
fresh=0
if [ "${1:-}" = "--fresh" ]; then fresh=1; shift; fi
fuzzer=$1 shared=$2 work=$3
shift 3
name=$(basename "$fuzzer" | sed 's/^fuzz_//')
here=$(cd "$(dirname "$0")" && pwd)

[ "$fresh" -eq 1 ] && rm -rf "$work/corpus" "$work/findings"
rm -rf "$work/seeds"
mkdir -p "$work/corpus" "$work/seeds" "$work/findings"
touch "$work/started"

if [ -d "$shared" ]; then
  find "$shared/pgn/good" "$shared/pgn/other" -name '*.pgn' -size -12k 2>/dev/null | sort |
    awk 'NR % 8 == 1' | while read -r file; do
      cp "$file" "$work/seeds/$(echo "$file" | md5sum | cut -c1-12).pgn"
    done
fi

seeds=("$work/seeds")
[ -d "$here/corpus/$name" ] && seeds+=("$here/corpus/$name")

status=0
start=$(date +%s)
"$fuzzer" -artifact_prefix="$work/findings/" -print_final_stats=1 -max_len=8192 \
  -dict="$here/pgn.dict" "$@" "$work/corpus" "${seeds[@]}" >"$work/log" 2>&1 || status=$?
findings=$(find "$work/findings" -type f -newer "$work/started" | wc -l)
echo "$name: $(grep -o 'executed_units: *[0-9]*' "$work/log" | tail -1) in" \
  "$(($(date +%s) - start)) s, corpus $(find "$work/corpus" -type f | wc -l), findings $findings"
if [ "$status" -ne 0 ] || [ "$findings" -ne 0 ]; then
  tail -n 60 "$work/log" >&2
  exit 1
fi
