#!/usr/bin/env bash
# Launch to a mapped main window, Ravelin against ChessX (Debian's chessx, a
# chess database with a board window), started in turn in one run under a
# virtual X server with a window manager, and the least Qt Widgets program
# that paints a window beside them as the floor. Each start has the
# settings of a first run gone by: one start of each program comes before
# the timed rounds.
#   bench/startup-vs-chessx.sh [BUILD_DIR=build] [ROUNDS=21]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
rounds=${2:-21}
probe=$build/bench/map_probe
for program in "$build/app/ravelin" "$probe" "$build/bench/paint_floor"; do
  [ -x "$program" ] || { echo "missing $program: build it first" >&2; exit 1; }
done
chessx=$(command -v chessx || echo /usr/games/chessx)
if [ ! -x "$chessx" ]; then
  echo "Installing chessx" >&2
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update >&2
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y chessx xvfb openbox >&2
fi
. bench/peers.sh

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_RUNTIME_DIR=$work/run QT_QPA_PLATFORM=xcb
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -1 "$work/display")"
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
sleep 1

describe_machine
"$probe" 1 "$chessx" -- "$build/app/ravelin" >/dev/null 2>&1  # the first runs' settings written
"$probe" "$rounds" "$chessx" -- "$build/app/ravelin" -- "$build/bench/paint_floor" 2>/dev/null |
  tee "$work/figures"
chessx_ms=$(awk '/chessx$/ { print $1 }' "$work/figures")
ravelin_ms=$(awk '/ravelin$/ { print $1 }' "$work/figures")
echo "ravelin / chessx: $(awk -v r="$ravelin_ms" -v c="$chessx_ms" 'BEGIN { printf "%.2f", r / c }')"
