#!/usr/bin/env bash
# Installs what is missing, builds Ravelin and makes its Debian package,
# ravelin_VERSION_ARCH.deb, in this folder. Install it with
# `sudo dpkg -i ravelin_*.deb; sudo apt-get -f install`.
set -euo pipefail
cd "$(dirname "$0")"
source ./tools/ensure-packages.sh
ensure_packages

cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DRAVELIN_BENCH=OFF >/dev/null
cmake --build build-package -j "$(nproc)"
(cd build-package && cpack -G DEB -B "$PWD/..")
rm -rf _CPack_Packages
ls ravelin_*.deb
