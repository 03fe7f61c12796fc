#!/usr/bin/env bash
# Builds the Debian package build/tessaly_<version>_amd64.deb with CPack, reusing build/
# (configured and built first when it is not yet). Install it with
#   sudo apt-get install ./build/tessaly_*_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
cd build
rm -f tessaly_*.deb
cpack -G DEB
ls "$PWD"/tessaly_*_amd64.deb
