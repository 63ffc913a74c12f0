#!/usr/bin/env bash
# Checks the variations Ravelin writes as other programs read them. Every game
# of ../shared/pgn/good whose movetext holds a variation is exported
# (`ravelin-pgn export`) and saved unchanged (`ravelin-pgn write`); chessops
# (npm, into bench/.peers/) and pgn-extract (Debian) read the original, the
# export and the save, and each reading's tree (lines, main line, comments,
# glyphs) is compared with the original's in variations-peers.mjs, beside
# Ravelin's own reading (`ravelin-pgn show`). Prints the table and fails on
# any difference.
#   bench/variations-vs-peers.sh [BUILD_DIR=build] [FOLDER=pgn/good]
# FOLDER, under the shared games unless it starts with "/", may name another
# folder (pgn/other holds games with variations that cannot be played).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
. bench/peers.sh
require_tool_and_games "$build"
folder=${2:-pgn/good}
[ "${folder#/}" != "$folder" ] || folder=$shared/$folder
ensure_pgn_extract
ensure_chessops

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
n=0
: >"$work/games.tsv"
while read -r file; do
  name=${file#"$folder/"}
  cp "$file" "$work/$n.orig.pgn"
  "$tool" show "$file" >"$work/$n.show" 2>"$work/$n.show.err" || true
  "$tool" export "$file" >"$work/$n.export.pgn" 2>/dev/null || true
  "$tool" write "$file" >"$work/$n.save.pgn" 2>/dev/null || true
  for kind in export save; do
    "$tool" show "$work/$n.$kind.pgn" >"$work/$n.$kind.show" 2>/dev/null || true
  done
  for kind in orig export save; do
    "$extract" -s -Wlalg -w1000 "$work/$n.$kind.pgn" >"$work/$n.$kind.extract" 2>/dev/null || true
  done
  printf '%s\t%s\n' "$n" "$name" >>"$work/games.tsv"
  n=$((n + 1))
done < <(find "$folder" -name '*.pgn' -print0 | LC_ALL=C sort -z |
  xargs -0 node bench/variations-peers.mjs --select)
node bench/variations-peers.mjs "$work"
