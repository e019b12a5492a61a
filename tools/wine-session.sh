#!/usr/bin/env bash
# Runs a command inside a fresh Wine session: a new prefix under build/, a persistent
# wineserver, and an Xvfb display when there is none. Everything it started is stopped
# afterwards, and the command's exit status is returned.
set -uo pipefail
cd "$(dirname "$0")/.."

# Each kind of session has a prefix of its own (WINE_SESSION_PREFIX), so that a test run
# and a benchmark can run side by side.
export WINEPREFIX="${WINE_SESSION_PREFIX:-$PWD/build/prefix}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all
export WINE=/usr/lib/wine/wine64

xvfb_pid=""
stop_session() {
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; fi
}
trap stop_session EXIT

start_xvfb() {
  for n in $(seq 90 130); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "Could not start Xvfb" >&2
  return 1
}

if [ -z "${DISPLAY:-}" ]; then
  start_xvfb || exit 1
  [ "${ANNOUNCE_DISPLAY:-}" = 1 ] && echo "No DISPLAY: using a virtual display $DISPLAY (Xvfb)."
fi

rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
setsid wineserver -p >/dev/null 2>&1 &
"$WINE" wineboot -i >/dev/null 2>&1
# Debian's Wine leaves its own fonts (MS Sans Serif, Tahoma, Marlett, ...) out of a new
# prefix, so windows would be drawn in whatever fontconfig offers; a Windows installation
# has them in its Fonts folder.
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
# A program that crashes ends at once instead of waiting in Wine's debugger.
"$WINE" reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f \
  >/dev/null 2>&1
# On our own Xvfb there is no window manager, and Wine waits two seconds for one whenever a
# managed window is hidden or destroyed; windows it does not hand to a manager do not wait.
if [ -n "$xvfb_pid" ]; then
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
fi

"$@"
