#!/usr/bin/env bash
# Runs every benchmark program in the given folder; each prints its figures as
# "BENCH <name> <value> <unit>" lines.
set -euo pipefail
status=0
for program in "$1"/bench_*.exe; do
  echo "== $(basename "$program")"
  "$WINE" "$program" || status=1
done
exit $status
