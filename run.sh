#!/usr/bin/env bash
# Installs what is missing, builds Ravelin and starts it.
set -euo pipefail
cd "$(dirname "$0")"
source ./tools/ensure-packages.sh
ensure_packages

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
if [ ! -x build/app/ravelin ]; then
  echo "Ravelin was not built: build/app/ravelin is missing; the build's output above says why." >&2
  exit 1
fi
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "Ravelin was built, but there is no display to show it on (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
  exit 1
fi
exec build/app/ravelin "$@"
