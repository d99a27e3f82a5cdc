#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzzes every reader of the program with libFuzzer and prints, per reader, the inputs run,
# the crashes and the timeouts found.
#
#   scripts/fuzz.sh [SECONDS]
#
# SECONDS (default 600) is the whole run's time, shared evenly by the readers (at least 10 s
# each). The readers run side by side, as many at a time as there are processors (nproc, or
# FUZZ_JOBS), so that each gets that many times the time. The programs are built with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer in build-fuzz/ (clang is installed when
# missing). Each reader starts from its seeds in tests/fuzz/corpus/<reader> (and the
# reproducers in tests/fuzz/reproducers/<reader>) and uses its dictionary
# tests/fuzz/dict/<reader>.dict when there is one; what the fuzzer adds to the corpus stays in
# build-fuzz/corpus/. A crash, an input running longer than 10 s or one taking
# more than 2 GB leaves its input in build-fuzz/artifacts/<reader>/. The status is 1 when
# anything was found.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TOTAL="${1:-600}"
if ! [[ "$TOTAL" =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/fuzz.sh [SECONDS]" >&2
  exit 2
fi

export LABELSTATION_SETUP_FUZZ=1 SETUP_BUILD=0
source "$ROOT/scripts/setup.sh"

FUZZ_DIR="$ROOT/tests/fuzz"
OUT="${FUZZ_BUILD_DIR:-$ROOT/build-fuzz}"
if [ ! -f "$OUT/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$ROOT" -B "$OUT" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLABELSTATION_FUZZ=ON
fi
cmake --build "$OUT" --parallel "$(nproc)" --target fuzzers

READERS=(jobtext formatfile goodsfile prefile portmap barcodeset columnwidths csvimport
         xlsximport xlsimport importsettings lockfile filestamp printorder)
# The longest input of a reader, 64 KiB unless given here: the lines of a format file and the
# rows of a goods file are read one at a time, each alike, and a whole file of a thousand
# lines takes milliseconds under the sanitizers, where a few dozen lines show every rule.
declare -A MAX_LEN=([formatfile]=512 [goodsfile]=512)
JOBS="${FUZZ_JOBS:-$(nproc)}"
[ "$JOBS" -lt 1 ] && JOBS=1
[ "$JOBS" -gt "${#READERS[@]}" ] && JOBS=${#READERS[@]}
# JOBS readers at a time, each for EACH seconds: the rounds fill the whole time.
ROUNDS=$(( (${#READERS[@]} + JOBS - 1) / JOBS ))
EACH=$(( TOTAL / ROUNDS ))
[ "$EACH" -lt 10 ] && EACH=10

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
# Memory that libraries outside the program keep or lose is not a finding (tests/lsan.supp).
export LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

fuzz_one() {
  local r="$1"
  local corpus="$OUT/corpus/$r"
  local artifacts="$OUT/artifacts/$r"
  rm -rf "$artifacts"
  mkdir -p "$corpus" "$artifacts"
  local seeds=("$FUZZ_DIR/corpus/$r")
  [ -d "$FUZZ_DIR/reproducers/$r" ] && seeds+=("$FUZZ_DIR/reproducers/$r")
  local dict=()
  [ -f "$FUZZ_DIR/dict/$r.dict" ] && dict=("-dict=$FUZZ_DIR/dict/$r.dict")
  "$OUT/tests/fuzz/fuzz_$r" "$corpus" "${seeds[@]}" "${dict[@]}" \
    -max_total_time="$EACH" -timeout=10 -rss_limit_mb=2048 -max_len="${MAX_LEN[$r]:-65536}" \
    -print_final_stats=1 -artifact_prefix="$artifacts/" >"$OUT/artifacts/$r.log" 2>&1
}

mkdir -p "$OUT/artifacts"
running=0
for r in "${READERS[@]}"; do
  if [ "$running" -ge "$JOBS" ]; then
    wait -n || true
    running=$((running - 1))
  fi
  echo "fuzzing $r for ${EACH} s ..."
  fuzz_one "$r" &
  running=$((running + 1))
done
wait || true

found=0
report=()
for r in "${READERS[@]}"; do
  log="$OUT/artifacts/$r.log"
  artifacts="$OUT/artifacts/$r"
  runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*$' || true)
  [ -z "$runs" ] && runs=$(grep -o '^#[0-9]*' "$log" | tail -1 | tr -d '#' || true)
  crashes=$(find "$artifacts" -name 'crash-*' -o -name 'leak-*' -o -name 'oom-*' | wc -l)
  timeouts=$(find "$artifacts" -name 'timeout-*' | wc -l)
  [ $((crashes + timeouts)) -gt 0 ] && found=1
  report+=("$(printf '%-15s %12s %8s %9s' "$r" "${runs:-0}" "$crashes" "$timeouts")")
done
echo
printf '%-15s %12s %8s %9s\n' reader runs crashes timeouts
printf '%s\n' "${report[@]}"
exit "$found"
