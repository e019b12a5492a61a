#!/usr/bin/env bash
# Starts a Windows program under the Wine session that wine-session.sh set up.
set -euo pipefail
exec "$WINE" "$1"
