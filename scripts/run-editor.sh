#!/usr/bin/env bash
# Builds Tessaly and starts the editor with the bundled parameter catalogue.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
if [ -x build/app/tessaly ]; then
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Tessaly is built (build/app/tessaly) but there is no display to show it on." >&2
    echo "Start it from a desktop session, or under Xvfb: xvfb-run build/app/tessaly" >&2
    exit 1
  fi
  exec build/app/tessaly "$@"
fi
exec build/cli/tessaly-cli --help
