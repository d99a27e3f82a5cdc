#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the help viewer's picture pages from the program's own windows:
#   resources/help/Help/Jpg/SRP770001.Jpg ..., AL300001.Jpg ..., LEO60D001.Jpg ...
# Builds the project's tool program into build/ (only that), writes the sample data set into
# a temporary folder, then runs the tool without a display to open each window and save it.
# Run it again whenever the windows change, and commit the pictures.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
OUT_DIR="$ROOT/resources/help/Help/Jpg"

if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$BUILD_DIR" --target labelstation_tools
PROGRAM="$BUILD_DIR/tools/labelstation_tools"

# A working folder for the sample data; the LEO-60D+ picture shows an operator's path for
# the goods file instead of this one.
WORK="${TMPDIR:-/tmp}/labelstation-help"
rm -rf "$WORK"
trap 'rm -rf "$WORK"' EXIT
DATA="$WORK/Data"
NEW="$WORK/Jpg"

# Sample data: the goods list and label formats of set 00, and a LEO-60D+ goods file.
QT_QPA_PLATFORM=offscreen "$PROGRAM" --sample-data "$DATA"
cp "$ROOT/tests/data/sample.pre" "$DATA/sample.pre"

# The fonts the pictures are made with: Nanum Gothic, as the program chooses.
if ! fc-list 2>/dev/null | grep -qi "NanumGothic"; then
  echo "warning: the Nanum fonts (fonts-nanum) are missing; Korean text will not show" >&2
fi

QT_QPA_PLATFORM=offscreen LABELSTATION_DATA_DIR="$DATA" \
  "$PROGRAM" --data-dir "$DATA" --screenshots "$NEW" >"$WORK/made.txt"

# Replace the old pictures only when all new ones were made.
mkdir -p "$OUT_DIR"
rm -f "$OUT_DIR"/*.Jpg
cp "$NEW"/*.Jpg "$OUT_DIR/"
count=$(find "$OUT_DIR" -name '*.Jpg' | wc -l)
echo "$count pictures in ${OUT_DIR#"$ROOT"/}:"
(cd "$OUT_DIR" && ls -1 *.Jpg)
