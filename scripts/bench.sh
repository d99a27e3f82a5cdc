#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, runs every benchmark program (the targets named bench_*)
# and prints their figures as one table: figure | value | goal. A benchmark prints a line
# "BENCH<TAB>figure<TAB>value<TAB>goal" for each of its figures.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/setup.sh"

export QT_QPA_PLATFORM=offscreen
mapfile -t TARGETS < <(cmake --build "$BUILD_DIR" --target help |
  sed -n 's/^\(bench_[A-Za-z0-9_]*\): .*/\1/p' | grep -v '_autogen' | sort -u)
if [ ${#TARGETS[@]} -eq 0 ]; then
  echo "no benchmark programs" >&2
  exit 1
fi
cmake --build "$BUILD_DIR" --target "${TARGETS[@]}"

LINES=()
STATUS=0
for t in "${TARGETS[@]}"; do
  exe="$(find "$BUILD_DIR" -type f -name "$t" -perm -u+x | head -n 1)"
  if [ -z "$exe" ]; then
    echo "$t: program not found" >&2
    STATUS=1
    continue
  fi
  echo "== $t" >&2
  if ! out="$("$exe")"; then
    echo "$t failed" >&2
    STATUS=1
  fi
  while IFS= read -r line; do
    LINES+=("$line")
  done < <(printf '%s\n' "$out" | grep -P '^BENCH\t' || true)
done

printf '\n'
{
  printf 'figure\tvalue\tgoal\n'
  for l in "${LINES[@]}"; do
    printf '%s\n' "${l#BENCH	}"
  done
} | awk -F '\t' '
  { for (i = 1; i <= 3; i++) { cell[NR, i] = $i; if (length($i) > w[i]) w[i] = length($i) } }
  END {
    for (r = 1; r <= NR; r++) {
      printf "%-*s | %-*s | %s\n", w[1], cell[r, 1], w[2], cell[r, 2], cell[r, 3]
      if (r == 1) {
        line = ""
        for (i = 1; i <= w[1]; i++) line = line "-"
        line = line "-|-"
        for (i = 1; i <= w[2]; i++) line = line "-"
        print line "-|------"
      }
    }
  }'
exit $STATUS
