#!/usr/bin/env bash
# Makes sure the Debian packages the build, the tests and the program need are installed.
# As root it installs what is missing; otherwise it says exactly what to install.
set -euo pipefail

packages=(cmake make g++-mingw-w64-x86-64 g++-mingw-w64-i686 googletest wine wine64 fonts-wine xvfb
  locales libcli11-dev nlohmann-json3-dev "$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# The tests of double-byte file names run in a Japanese locale, which gives Wine the ANSI
# code page 932.
have_locale() { locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; }

if [ ${#missing[@]} -eq 0 ]; then
  have_locale && exit 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "The Japanese locale is missing. Make it as root with:" >&2
    echo "  localedef -i ja_JP -f UTF-8 ja_JP.UTF-8" >&2
    exit 1
  fi
  localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing Debian packages. Install them as root with:" >&2
  echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
  exit 1
fi

echo "Installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
have_locale || localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
