#!/usr/bin/env bash
# Starts the program in a Wine virtual desktop, saves a PNG of its main window when it is
# up, and closes it. Runs inside wine-session.sh. Both programs run on the same virtual
# desktop, since a window can be found only from its own desktop.
set -euo pipefail
program=$1
png=$2
desktop=/desktop=KOVQuillet,1024x768
rm -f "$png"
"$WINE" explorer "$desktop" "$program" &
"$WINE" explorer "$desktop" build/x86_64/tools/screenshot/screenshot.exe TfrmQuilletMain "$png"
wait
if [ -f "$png" ]; then
  echo "Saved $png"
else
  echo "No screenshot was taken" >&2
  exit 1
fi
