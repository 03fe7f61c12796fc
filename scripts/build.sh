#!/usr/bin/env bash
# Configures (once) and builds Tessaly in build/ with Ninja. Extra arguments are Ninja targets.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build -- "$@"
