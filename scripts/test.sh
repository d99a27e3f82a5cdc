#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and runs the whole test suite. Exits non-zero on failure.
#   scripts/test.sh             the ordinary build in build/
#   scripts/test.sh --sanitize  the same suite built with AddressSanitizer and
#                               UndefinedBehaviorSanitizer (every finding fatal) in
#                               build-sanitize/
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
SANITIZE=0
for arg in "$@"; do
  case "$arg" in
    --sanitize) SANITIZE=1 ;;
    *) echo "usage: scripts/test.sh [--sanitize]" >&2; exit 2 ;;
  esac
done
if [ "$SANITIZE" = 1 ]; then
  export BUILD_DIR="${SANITIZE_BUILD_DIR:-$ROOT/build-sanitize}"
  export LABELSTATION_CMAKE_ARGS="-DLABELSTATION_SANITIZE=ON"
  # Every finding ends the test with an error; Qt's and the fonts' caches kept until exit
  # are not leaks of ours (see tests/lsan.supp).
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
  export LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
fi
source "$ROOT/scripts/setup.sh"

export QT_QPA_PLATFORM=offscreen
cd "$BUILD_DIR"
ctest --output-on-failure --timeout 300 -j "$(nproc)"
