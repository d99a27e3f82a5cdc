#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package of Label Station with CPack and checks it:
#   build-package/labelstation_<version>_<arch>.deb
# The program is built in its own folder (build-package/) with Debian's build flags; the
# package's dependencies come from the program's shared libraries (dpkg-shlibdeps). Then
# lintian checks the package, and desktop-file-validate and appstreamcli validate the
# desktop entry and metainfo it installs. Exits non-zero when any check fails.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
PACKAGE_DIR="${PACKAGE_DIR:-$ROOT/build-package}"

# The packages the build needs, and those that make and check a Debian package.
EXTRA_PACKAGES=(dpkg-dev lintian file)
SETUP_BUILD=0
source "$ROOT/scripts/setup.sh"

if [ ! -f "$PACKAGE_DIR/build.ninja" ]; then
  # Hardening (all of it, binding at load time included) and optimisation as Debian builds
  # its packages.
  export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
  CFLAGS="$(dpkg-buildflags --get CFLAGS)" \
  CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    cmake -S "$ROOT" -B "$PACKAGE_DIR" -G Ninja -DCMAKE_BUILD_TYPE=None \
      -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
fi
# Only what the package holds: the program, its manual page and icons.
cmake --build "$PACKAGE_DIR" --parallel "$(nproc)" --target labelstation desktopfiles
rm -f "$PACKAGE_DIR"/labelstation_*.deb
(cd "$PACKAGE_DIR" && cpack -G DEB)
deb="$(ls "$PACKAGE_DIR"/labelstation_*.deb)"

echo
echo "== $deb"
dpkg-deb --field "$deb" Package Version Architecture Section Depends Recommends
echo
echo "== files"
dpkg-deb --contents "$deb" | awk '{print $1, $6}'

echo
echo "== lintian"
status=0
lintian --display-info --tag-display-limit 0 "$deb" >"$PACKAGE_DIR/lintian.txt" 2>&1 || status=$?
cat "$PACKAGE_DIR/lintian.txt"
errors=$(grep -c '^E: ' "$PACKAGE_DIR/lintian.txt" || true)
warnings=$(grep -c '^W: ' "$PACKAGE_DIR/lintian.txt" || true)
infos=$(grep -c '^I: ' "$PACKAGE_DIR/lintian.txt" || true)
echo "lintian: $errors error(s), $warnings warning(s), $infos info(s)"

echo
echo "== installed desktop entry and metainfo"
unpacked="$(mktemp -d)"
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked"/usr/share/applications/*.desktop && echo "desktop-file-validate: passed"
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml

if [ "$errors" -ne 0 ] || [ "$status" -ne 0 ]; then
  echo "lintian found errors" >&2
  exit 1
fi
