#!/usr/bin/env bash
# Checks that every C++ source file of the project is formatted with .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || command -v clang-format)
git ls-files -z '*.cpp' '*.h' | xargs -0 "$format" --dry-run -Werror
echo "format: clean"
