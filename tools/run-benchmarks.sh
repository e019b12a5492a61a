#!/usr/bin/env bash
# Runs the benchmark programs of the given folder, or the one named after it; each prints
# its figures as "BENCH <name> <value> <unit>" lines. The scale benchmark, which takes
# minutes, runs only when named.
set -euo pipefail
status=0
programs=("$1"/bench_*.exe)
if [ $# -gt 1 ]; then
  programs=("$1/$2.exe")
fi
for program in "${programs[@]}"; do
  if [ $# -eq 1 ] && [ "$(basename "$program")" = bench_scale.exe ]; then
    continue
  fi
  echo "== $(basename "$program")"
  "$WINE" "$program" || status=1
done
exit $status
