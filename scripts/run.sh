#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and starts Label Station.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/setup.sh"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display is available, so the program's windows cannot be shown."
  echo "Start it under a virtual display instead:"
  echo "  xvfb-run -a -s '-screen 0 1280x1024x24' $BUILD_DIR/labelstation"
  exit 1
fi
exec "$BUILD_DIR/labelstation" "$@"
