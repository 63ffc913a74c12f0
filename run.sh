#!/usr/bin/env bash
# Installs what is missing, builds Ravelin and starts it.
set -euo pipefail
cd "$(dirname "$0")"
source ./tools/ensure-packages.sh
ensure_packages

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
if [ -x build/app/ravelin ]; then
  exec build/app/ravelin "$@"
fi
echo "Built everything. The game window is not part of this build yet;"
echo "build/tools/ravelin-pgn reads, checks and writes game files meanwhile."
