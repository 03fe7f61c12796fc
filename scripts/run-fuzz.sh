#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each briefly over its seed corpus.
# FUZZ_SECONDS sets how long each target runs (default 20).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
seconds=${FUZZ_SECONDS:-20}
if [ ! -f build-fuzz/build.ninja ]; then
  CXX=clang++-14 CC=clang-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTESSALY_GUI=OFF -DTESSALY_TESTS=OFF -DTESSALY_BENCH=OFF -DTESSALY_FUZZ=ON
fi
cmake --build build-fuzz
shopt -s nullglob
ran=0
for target in build-fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus=fuzz/corpus/${name#fuzz_}
  work=$(mktemp -d)
  [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/
  echo "== $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 "$work" 2>&1 | tail -n 3
  rm -rf "$work"
  ran=$((ran + 1))
done
echo "fuzz: $ran targets ran"
