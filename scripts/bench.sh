#!/usr/bin/env bash
# Builds and runs every benchmark program (targets named bench_*) and prints their figures
# (the lines "BENCH<TAB>figure<TAB>value<TAB>goal") as one table.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/setup.sh"

export QT_QPA_PLATFORM=offscreen
cd "$BUILD_DIR"
mapfile -t targets < <(ninja -t targets all | sed -n 's/^\(bench_[A-Za-z0-9_]*\): .*/\1/p' | sort -u)
[ ${#targets[@]} -gt 0 ] && cmake --build "$BUILD_DIR" --target "${targets[@]}"
lines=""
for t in "${targets[@]}"; do
  exe="$(find "$BUILD_DIR" -type f -perm -u+x -name "$t" | head -n 1)"
  [ -n "$exe" ] || continue
  echo "== $t" >&2
  lines+="$("$exe" | grep -P '^BENCH\t' || true)"$'\n'
done
printf '%-70s | %-12s | %s\n' "figure" "value" "goal"
printf '%s\n' "$lines" | awk -F'\t' 'NF >= 4 { printf "%-70s | %-12s | %s\n", $2, $3, $4 }'
