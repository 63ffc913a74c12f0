#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the normal
# build first, then the program driven by real keys under a virtual X server,
# then the window-free code again under AddressSanitizer,
# UndefinedBehaviorSanitizer and the standard library's index checks, then a
# short run of each fuzz target (clang).
set -euo pipefail
cd "$(dirname "$0")"
source ./tools/ensure-packages.sh
ensure_packages

jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$jobs"

# The program under a virtual X server and a window manager, driven by real
# key presses and mouse drags.
tests/desktop/real-keys.sh build/app/ravelin build/real-keys

# The Debian package: its files, dependencies, validators and manual pages.
tests/package/check-package.sh build

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DRAVELIN_SANITIZE=ON \
      -DRAVELIN_WITH_QT=OFF -DRAVELIN_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DRAVELIN_FUZZ=ON -DRAVELIN_WITH_QT=OFF \
      -DRAVELIN_BENCH=OFF >/dev/null
cmake --build build-fuzz -j "$jobs" --target ravelin_fuzzers
ctest --test-dir build-fuzz -L fuzz --output-on-failure -j "$jobs"
