#!/usr/bin/env bash
# Fuzzes every reader of the program with libFuzzer and prints, per reader, the inputs run,
# the crashes and the timeouts found.
#
#   scripts/fuzz.sh [SECONDS]
#
# SECONDS (default 600) is the whole run's time, shared evenly by the readers (at least 10 s
# each). The programs are built with clang, AddressSanitizer and UndefinedBehaviorSanitizer in
# build-fuzz/ (clang is installed when missing). Each reader starts from its seeds in
# tests/fuzz/corpus/<reader> (and the reproducers in tests/fuzz/reproducers/<reader>) and uses
# its dictionary tests/fuzz/dict/<reader>.dict when there is one; what the fuzzer adds to the
# corpus stays in build-fuzz/corpus/. A crash, an input running longer than 10 s or one taking
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

READERS=(jobtext formatfile goodsfile prefile portmap barcodeset columnwidths)
EACH=$(( TOTAL / ${#READERS[@]} ))
[ "$EACH" -lt 10 ] && EACH=10

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
found=0
report=()
for r in "${READERS[@]}"; do
  corpus="$OUT/corpus/$r"
  artifacts="$OUT/artifacts/$r"
  rm -rf "$artifacts"
  mkdir -p "$corpus" "$artifacts"
  seeds=("$FUZZ_DIR/corpus/$r")
  [ -d "$FUZZ_DIR/reproducers/$r" ] && seeds+=("$FUZZ_DIR/reproducers/$r")
  dict=()
  [ -f "$FUZZ_DIR/dict/$r.dict" ] && dict=("-dict=$FUZZ_DIR/dict/$r.dict")
  log="$OUT/artifacts/$r.log"
  echo "fuzzing $r for ${EACH} s ..."
  set +e
  "$OUT/tests/fuzz/fuzz_$r" "$corpus" "${seeds[@]}" "${dict[@]}" \
    -max_total_time="$EACH" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" >"$log" 2>&1
  set -e
  runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*$' || true)
  [ -z "$runs" ] && runs=$(grep -o '^#[0-9]*' "$log" | tail -1 | tr -d '#' || true)
  crashes=$(find "$artifacts" -name 'crash-*' -o -name 'leak-*' -o -name 'oom-*' | wc -l)
  timeouts=$(find "$artifacts" -name 'timeout-*' | wc -l)
  [ $((crashes + timeouts)) -gt 0 ] && found=1
  report+=("$(printf '%-13s %12s %8s %9s' "$r" "${runs:-0}" "$crashes" "$timeouts")")
done
echo
printf '%-13s %12s %8s %9s\n' reader runs crashes timeouts
printf '%s\n' "${report[@]}"
exit "$found"
