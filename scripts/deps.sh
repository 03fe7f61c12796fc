#!/usr/bin/env bash
# Installs every Debian package Tessaly needs to build, test, package and run. Quick when all
# are there.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config git
  clang-14 libclang-rt-14-dev clang-format-14
  qt6-base-dev qt6-serialport-dev qt6-serialbus-dev qt6-qpa-plugins libqt6printsupport6 libgl-dev
  libhidapi-dev libudev-dev libcli11-dev libx11-dev libmodbus-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation fonts-dejavu-core poppler-utils
  dpkg-dev lintian appstream desktop-file-utils xvfb
  dbus at-spi2-core python3-pyatspi
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]}; run this as root (or install them with apt-get)." >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
