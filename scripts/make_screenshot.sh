#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the screenshot that README and the AppStream metainfo show:
#   docs/srp770-station.png (the main window with the SRP-770 station of the sample data)
# Builds the project's tool program into build/ (only that; BUILD_DIR names another build
# folder), writes the sample data set into a temporary folder, then runs the tool without a
# display. Run it again when the station window changes, and commit the picture.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
OUT="$ROOT/docs/srp770-station.png"

if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$BUILD_DIR" --target labelstation_tools
PROGRAM="$BUILD_DIR/tools/labelstation_tools"

WORK="$(mktemp -d "${TMPDIR:-/tmp}/labelstation-screenshot.XXXXXX")"
trap 'rm -rf "$WORK"' EXIT
DATA="$WORK/Data"

# The Korean captions are drawn with Nanum Gothic, as the program chooses.
if ! fc-list 2>/dev/null | grep -qi "NanumGothic"; then
  echo "warning: the Nanum fonts (fonts-nanum) are missing; Korean text will not show" >&2
fi

QT_QPA_PLATFORM=offscreen "$PROGRAM" --sample-data "$DATA"
QT_QPA_PLATFORM=offscreen LABELSTATION_DATA_DIR="$DATA" \
  "$PROGRAM" --data-dir "$DATA" --station-screenshot "$WORK/station.png" >/dev/null
mkdir -p "$(dirname "$OUT")"
cp "$WORK/station.png" "$OUT"
echo "${OUT#"$ROOT"/}: $(stat -c %s "$OUT") bytes"
