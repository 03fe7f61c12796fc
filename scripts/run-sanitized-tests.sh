#!/usr/bin/env bash
# Builds the toolkit-free core with AddressSanitizer and UndefinedBehaviorSanitizer and runs
# its tests.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
if [ ! -f build-asan/build.ninja ]; then
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESSALY_GUI=OFF \
    -DTESSALY_BENCH=OFF -DTESSALY_SANITIZE=ON
fi
cmake --build build-asan
cd build-asan
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j2
