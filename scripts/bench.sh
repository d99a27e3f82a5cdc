#!/usr/bin/env bash
# Builds and runs every benchmark program (the build targets named bench_*) and prints one
# table of their figures: figure | value | goal. A benchmark prints, besides its own text,
# one line per figure: BENCH<TAB>figure<TAB>value with unit<TAB>goal.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/setup.sh"

export QT_QPA_PLATFORM=offscreen
cd "$BUILD_DIR"
# The programs themselves, not the helper targets CMake adds (bench_x_autogen, ...).
mapfile -t targets < <(ninja -t targets all | sed -n 's/^\(bench_[A-Za-z0-9_]*\): .*/\1/p' |
  grep -v '_autogen' | sort -u)
if [ ${#targets[@]} -eq 0 ]; then
  echo "no benchmark programs" >&2
  exit 1
fi
cmake --build . --target "${targets[@]}"

status=0
results=""
for t in "${targets[@]}"; do
  exe="$(find . -type f -name "$t" -perm -u+x | head -n 1)"
  echo "== $t"
  if ! out="$("$exe" 2>/dev/null)"; then
    echo "$t failed" >&2
    status=1
  fi
  printf '%s\n' "$out" | grep -v $'^BENCH\t' || true
  results+="$(printf '%s\n' "$out" | grep $'^BENCH\t' || true)"$'\n'
done

echo
printf '%s' "$results" | awk -F'\t' '
  BEGIN { w1 = length("figure"); w2 = length("value"); n = 0 }
  $1 == "BENCH" && NF >= 4 {
    n++; f[n] = $2; v[n] = $3; g[n] = $4
    if (length($2) > w1) w1 = length($2)
    if (length($3) > w2) w2 = length($3)
  }
  END {
    printf "%-" w1 "s | %-" w2 "s | %s\n", "figure", "value", "goal"
    line = ""; for (i = 0; i < w1 + w2 + 12; i++) line = line "-"; print line
    for (i = 1; i <= n; i++) printf "%-" w1 "s | %-" w2 "s | %s\n", f[i], v[i], g[i]
  }'
exit $status
