#!/usr/bin/env bash
# Checks a built Debian package: it holds every file Tessaly installs, lintian finds no
# error, its metadata validates, and the programs start from the package unpacked into a
# scratch root (libraries from the system).
set -euo pipefail
deb=${1:?usage: check-package.sh tessaly_VERSION_amd64.deb}
deb=$(readlink -f "$deb")
failures=0
fail() { echo "check-package: $*" >&2; failures=$((failures + 1)); }

expected=(
  usr/bin/tessaly usr/bin/tessaly-cli usr/bin/ombra-sim
  usr/share/tessaly/params.lst usr/share/tessaly/help/index.html usr/share/tessaly/help/options.html
  usr/share/tessaly/help/style.css
  usr/share/applications/tessaly.desktop
  usr/share/mime/packages/tessaly-zrp.xml
  usr/share/metainfo/com.quorvel.tessaly.metainfo.xml
  usr/share/icons/hicolor/48x48/apps/tessaly.png
  usr/share/icons/hicolor/256x256/apps/tessaly.png
  usr/share/icons/hicolor/scalable/apps/tessaly.svg
  usr/share/icons/hicolor/48x48/mimetypes/application-x-tessaly-zrp.png
  usr/share/icons/hicolor/scalable/mimetypes/application-x-tessaly-zrp.svg
  usr/share/man/man1/tessaly.1.gz usr/share/man/man1/tessaly-cli.1.gz usr/share/man/man1/ombra-sim.1.gz
  usr/lib/udev/rules.d/60-tessaly-ombra.rules
  usr/share/doc/tessaly/copyright usr/share/doc/tessaly/changelog.gz
)
contents=$(dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's|^\./||')
for f in "${expected[@]}"; do
  grep -qxF "$f" <<<"$contents" || fail "missing from the package: /$f"
done
echo "check-package: $(grep -c . <<<"$contents") entries, ${#expected[@]} expected files present"

depends=$(dpkg-deb --field "$deb" Depends)
for lib in libqt6widgets6 libqt6serialport6 libqt6serialbus6 libmodbus5 libhidapi-hidraw0 libudev1 \
  qt6-qpa-plugins; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done

if command -v lintian >/dev/null; then
  # Errors fail the check; warnings are listed (info tags are not shown by default).
  if ! lintian --fail-on error "$deb" >lintian.log 2>&1; then
    fail "lintian found errors"
  fi
  sed 's/^/lintian: /' lintian.log
  echo "check-package: lintian: $(grep -c '^E:' lintian.log || true) errors, $(grep -c '^W:' lintian.log || true) warnings"
  rm -f lintian.log
else
  fail "lintian is not installed (bash scripts/deps.sh)"
fi

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
for program in tessaly-cli ombra-sim tessaly; do
  if ! out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/$program" --help 2>&1); then
    fail "$program --help failed from the unpacked package: $out"
  elif ! grep -qi usage <<<"$out"; then
    fail "$program --help printed no usage: $out"
  fi
done
"$root/usr/bin/tessaly-cli" catalogue "$root/usr/share/tessaly/params.lst" >/dev/null ||
  fail "the packaged params.lst does not load"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root/usr/share/metainfo/com.quorvel.tessaly.metainfo.xml" >/dev/null ||
    fail "the AppStream metadata does not validate"
fi
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/tessaly.desktop" || fail "the desktop entry does not validate"
fi
if command -v udevadm >/dev/null && udevadm verify --help >/dev/null 2>&1; then
  udevadm verify "$root/usr/lib/udev/rules.d/60-tessaly-ombra.rules" || fail "udevadm verify refuses the rule"
fi

if [ "$failures" -gt 0 ]; then
  echo "check-package: $failures problem(s) in $deb" >&2
  exit 1
fi
echo "check-package: $deb is fine"
