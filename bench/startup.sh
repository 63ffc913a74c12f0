#!/usr/bin/env bash
# Start-up: process start to the first painted game window, offscreen and
# under Xvfb, warm (files in the page cache) and cold (the program's own files
# dropped from the cache before each start), for a new game and for a 300-ply
# game with a 4096-character note on every ply named on the command line;
# medians of RUNS starts (startup_probe). Beside them, the least Qt Widgets
# program that paints a window (paint_floor): the floor on the same machine.
# Then the peak memory with one such game open and with ten (open_games).
#   bench/startup.sh [BUILD_DIR=build] [RUNS=10]
# Needs ravelin, startup_probe, open_games and paint_floor built, and Xvfb for
# the X part.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-10}
ravelin=$build/app/ravelin
probe=$build/bench/startup_probe
opener=$build/bench/open_games
floor=$build/bench/paint_floor
for program in "$ravelin" "$probe" "$opener" "$floor"; do
  [ -x "$program" ] || { echo "missing $program: build it first" >&2; exit 1; }
done
. bench/peers.sh

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
# Settings and the recent-file list go to a folder of this run's own.
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
for i in $(seq 1 10); do "$probe" --write-game "$work/game$i.pgn"; done
game=$work/game1.pgn
echo "game: 300 plies, a 4096-character note on every ply, $(wc -c <"$game") bytes; $runs starts each"
describe_machine

median_line() { grep '^median' | sed 's/^median of [0-9]*: //'; }

# Times one platform: warm and cold, new game and the long game.
measure_platform() {
  local name=$1
  "$probe" --runs 1 --maps "$work/files" -- "$ravelin" "$game" >/dev/null
  echo "$game" >>"$work/files"
  "$probe" --runs 1 --cold "$work/files" -- "$ravelin" >/dev/null
  local left
  left=$(fincore -b -n -r -o RES,SIZE $(cat "$work/files") 2>/dev/null |
    awk '{ r += $1; s += $2 } END { printf "%.0f of %.0f MB", r / 1048576, s / 1048576 }')
  echo "$name (cold: the program's files dropped from the cache; $left stay, in use elsewhere):"
  echo "  Qt floor,  warm: $("$probe" --runs "$runs" -- "$floor" | median_line)"
  echo "  new game,  warm: $("$probe" --runs "$runs" -- "$ravelin" | median_line)"
  echo "  new game,  cold: $("$probe" --runs "$runs" --cold "$work/files" -- "$ravelin" | median_line)"
  echo "  long game, warm: $("$probe" --runs "$runs" -- "$ravelin" "$game" | median_line)"
  echo "  long game, cold: $("$probe" --runs "$runs" --cold "$work/files" -- "$ravelin" "$game" | median_line)"
  local ten=("$work"/game{1..10}.pgn)
  echo "  memory, ravelin with the long game: $("$probe" --runs 3 --hold 500 -- "$ravelin" "$game" | median_line | sed 's/.*peak/peak/')"
  echo "  memory, open_games with 1 game:     $("$probe" --runs 3 --hold 500 -- "$opener" "$game" | median_line | sed 's/.*peak/peak/')"
  echo "  memory, open_games with 10 games:   $("$probe" --runs 3 --hold 500 -- "$opener" "${ten[@]}" | median_line | sed 's/.*peak/peak/')"
}

QT_QPA_PLATFORM=offscreen measure_platform offscreen

if command -v Xvfb >/dev/null; then
  display=""
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=$n; break; }
  done
  Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
  DISPLAY=":$display" QT_QPA_PLATFORM=xcb measure_platform "Xvfb (xcb)"
else
  echo "Xvfb is missing: the X part is left out"
fi
# The same peak as /usr/bin/time -v reports it, as a check of the figures above.
if [ -x /usr/bin/time ]; then
  echo "check, /usr/bin/time -v, offscreen, ravelin with the long game:" \
    "$(QT_QPA_PLATFORM=offscreen /usr/bin/time -v "$probe" --runs 1 --hold 500 -- "$ravelin" "$game" 2>&1 >/dev/null |
      awk -F': ' '/Maximum resident/ { print $2 " KB" }')"
fi
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
