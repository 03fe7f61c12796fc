#!/usr/bin/env bash
# Shows every editor window on a private X server inside a private D-Bus session and reads
# them over AT-SPI, as a screen reader does (atspi_walk.py says what it checks):
#   run_atspi_walk.sh A11Y_WINDOWS_PROGRAM
# Needs the Debian packages xvfb, dbus, at-spi2-core and python3-pyatspi (scripts/deps.sh).
set -u
program=${1:?usage: run_atspi_walk.sh A11Y_WINDOWS_PROGRAM}
here=$(cd "$(dirname "$0")" && pwd)
# Debian's python, which has the pyatspi bindings (a python of one's own may not).
python=/usr/bin/python3

missing=()
command -v Xvfb >/dev/null || missing+=(xvfb)
command -v dbus-run-session >/dev/null || missing+=(dbus)
launcher=
for l in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
  [ -x "$l" ] && { launcher=$l; break; }
done
[ -n "$launcher" ] || missing+=(at-spi2-core)
{ [ -x "$python" ] && "$python" -c 'import pyatspi' 2>/dev/null; } || missing+=(python3-pyatspi)
if [ ${#missing[@]} -gt 0 ]; then
  echo "atspi walk: cannot run without the Debian packages ${missing[*]} (bash scripts/deps.sh installs them)" >&2
  exit 1
fi

scratch=$(mktemp -d)
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number to the file.
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
xvfb_pid=$!
display=
for _ in $(seq 1 100); do
  display=$(head -n1 "$scratch/display" 2>/dev/null)
  [ -n "$display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$display" ]; then
  echo "atspi walk: the private X server (Xvfb) did not start" >&2
  exit 1
fi

mkdir -m 700 "$scratch/runtime"
export DISPLAY=":$display" XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=xcb
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
unset QT_QPA_PLATFORMTHEME DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
# The program ends itself after 60 s; the whole walk after 100 s.
timeout -k 5 100 dbus-run-session -- "$python" "$here/atspi_walk.py" --launcher "$launcher" \
  -- "$program" 60
status=$?
[ $status -eq 124 ] && echo "atspi walk: no result within 100 s" >&2
exit $status
