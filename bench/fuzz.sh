#!/usr/bin/env bash
# Runs the fuzz targets for as long as asked, one after another, keeping what
# they learn between runs.
#   bench/fuzz.sh [SECONDS=600] [TARGET...]
# TARGET is pgn_reader, the one there is.
# Builds build-fuzz (clang, RAVELIN_FUZZ=ON) when needed. Each target's corpus
# stays in build-fuzz/corpus/TARGET/corpus and what it found in .../findings;
# a line per target gives executions, seconds, corpus size and findings.
# Exits non-zero when any target found something.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(pgn_reader)

if [ ! -f build-fuzz/CMakeCache.txt ]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -DRAVELIN_FUZZ=ON -DRAVELIN_WITH_QT=OFF \
    -DRAVELIN_BENCH=OFF >/dev/null
fi
cmake --build build-fuzz -j "$(nproc)" --target ravelin_fuzzers >/dev/null

shared=$(sed -n 's/^RAVELIN_SHARED_DIR:PATH=//p' build-fuzz/CMakeCache.txt)
failed=0
for target in "${targets[@]}"; do
  tests/fuzz/run-fuzzer.sh build-fuzz/tests/fuzz_"$target" "$shared" \
    build-fuzz/corpus/"$target" -max_total_time="$seconds" -timeout=30 || failed=1
done
exit $failed
