#!/usr/bin/env bash
# Opening large files of many games as File > Open does (open_large): when
# the listing's progress shows, when the "Select Game" list shows, and the
# memory held before, while the list is open and after it closes. The files,
# of MEGABYTES each (100 and 1024 by default), repeat every game of
# ../shared/pgn/good and are made in a temporary folder removed afterwards.
# Then `ravelin-pgn list` on each, its time and peak memory.
#   bench/large-file.sh [BUILD_DIR=build] [MEGABYTES...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
shift || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(100 1024)
opener=$build/bench/open_large
[ -x "$opener" ] || { echo "missing $opener: build it first" >&2; exit 1; }
. bench/peers.sh
require_tool_and_games "$build"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
mapfile -t games < <(find "$shared/pgn/good" -name '*.pgn' | LC_ALL=C sort)
for file in "${games[@]}"; do cat "$file"; echo; done >"$work/round.pgn"
describe_machine
for megabytes in "${sizes[@]}"; do
  file=$work/games-$megabytes.pgn
  while [ "$(stat -c %s "$file" 2>/dev/null || echo 0)" -lt $((megabytes << 20)) ]; do
    cat "$work/round.pgn" >>"$file"
  done
  echo "== $(($(stat -c %s "$file") >> 20)) MB"
  "$opener" "$file" 2>/dev/null
  TIMEFORMAT="ravelin-pgn list: %3R s wall, %3U s user"
  { time "$tool" list "$file" >/dev/null 2>&1; } 2>&1 || true
  if [ -x /usr/bin/time ]; then
    /usr/bin/time -f "ravelin-pgn list: peak %M KB" "$tool" list "$file" 2>&1 >/dev/null | tail -1
  fi
  rm -f "$file"
done
