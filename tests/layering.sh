#!/usr/bin/env bash
# Each product folder includes only from itself and the folders before it in
# this order, and the plain ones include nothing of Qt. Prints every include
# that breaks either rule and fails when there is one.
set -u
cd "$(dirname "$0")/.."
order=(rules moves record pgn engine prompts resources board dialogs documents analysis printing app)
plain=(rules moves record pgn engine)
declare -A rank home
for i in "${!order[@]}"; do rank[${order[$i]}]=$i; done
for folder in "${order[@]}"; do
  for file in "$folder"/*.h "$folder"/*.cpp; do home[$(basename "$file")]=$folder; done
done
faults=0
for folder in "${order[@]}"; do
  for file in "$folder"/*.h "$folder"/*.cpp; do
    while IFS= read -r name; do
      owner=${home[$name]:-}
      if [ -n "$owner" ] && [ "${rank[$owner]}" -gt "${rank[$folder]}" ]; then
        echo "$file includes $name from $owner/, a later folder"; faults=$((faults + 1))
      fi
    done < <(sed -n 's/^#include "\(.*\)"/\1/p' "$file")
    if [[ " ${plain[*]} " == *" $folder "* ]] && grep -q '^#include <Q' "$file"; then
      echo "$file is in a plain folder but includes Qt"; faults=$((faults + 1))
    fi
  done
done
# Within a folder: a game window tells its owner through FrameCloseGuard and
# knows nothing of the document manager that owns it.
for file in $(find . -path ./build\* -prune -o \( -name 'CChildFrame.h' -o -name 'CChildFrame.cpp' \) -print); do
  if grep -q '^#include "DocumentManager.h"' "$file"; then
    echo "$file includes DocumentManager.h: the window would call its owner"; faults=$((faults + 1))
  fi
done
[ "$faults" -eq 0 ] && echo "layering: every include points down"
exit $((faults > 0))
