#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Shared set-up for run.sh and test.sh: install the Debian packages the build needs (only
# the missing ones), then configure and build into build/. Safe to run again.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"

# (Qt HttpServer's CMake package needs the Qt WebSockets one, which Debian does not pull in.)
PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-serialport-dev qt6-httpserver-dev qt6-websockets-dev libgl-dev
  libicu-dev libxlsxwriter-dev libzint-dev libzbar-dev
  libcsv-dev libminizip-dev libfreexl-dev
  fonts-nanum qt6-translations-l10n
  zbar-tools poppler-utils python3-openpyxl python3-xlwt
  cups cups-client cups-bsd
  xvfb xauth
  help2man librsvg2-bin desktop-file-utils appstream man-db
)
# The tests draw ZPL jobs with an independent renderer that runs on Node.js (npm registry).
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  PACKAGES+=(nodejs npm)
fi
# The fuzzing build (scripts/fuzz.sh) needs clang and its sanitizer runtimes as well.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
if [ "${LABELSTATION_SETUP_FUZZ:-}" = 1 ]; then
  PACKAGES+=("${FUZZ_PACKAGES[@]}")
fi

install_missing_packages() {
  local missing=()
  # A caller may name more (EXTRA_PACKAGES) before sourcing this file.
  for p in "${PACKAGES[@]}" ${EXTRA_PACKAGES[@]+"${EXTRA_PACKAGES[@]}"}; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

# LABELSTATION_CMAKE_ARGS: further configure options of the build folder (a checked build).
configure_and_build() {
  if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    # shellcheck disable=SC2086
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      ${LABELSTATION_CMAKE_ARGS:-}
  fi
  cmake --build "$BUILD_DIR" --parallel "$(nproc)"
}

# The independent ZPL renderer of the tests (tests/printers/zpl/zplrender), into the build
# folder; again only when its lock file changed.
install_zpl_renderer() {
  local src="$ROOT/tests/printers/zpl/zplrender"
  local dir="$BUILD_DIR/zplrender"
  if [ -f "$dir/node_modules/zpl-renderer-js/package.json" ] &&
     cmp -s "$src/package-lock.json" "$dir/package-lock.json"; then
    return 0
  fi
  mkdir -p "$dir"
  cp "$src/package.json" "$src/package-lock.json" "$dir/"
  (cd "$dir" && npm ci --no-audit --no-fund --loglevel=error)
}

install_missing_packages
# SETUP_BUILD=0: packages only, the caller builds.
if [ "${SETUP_BUILD:-1}" = 1 ]; then
  configure_and_build
  install_zpl_renderer
fi
