#!/usr/bin/env bash
# Makes sure the Debian packages the build, the tests and the program need are installed.
# As root it installs what is missing; otherwise it says exactly what to install.
set -euo pipefail

packages=(cmake make g++-mingw-w64-x86-64 g++-mingw-w64-i686 googletest wine wine64 fonts-wine xvfb
  locales libcli11-dev nlohmann-json3-dev openssl osslsigncode "$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# The tests of double-byte file names run in a Japanese locale, which gives Wine the ANSI
# code page 932.
have_locale() { locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; }
# The signed test fixtures are time-stamped by osslsigncode itself, which needs 2.6 or later;
# Debian 12 has that in its backports.
can_stamp() { osslsigncode --help 2>&1 | grep -q -- -TSA-certs; }
stamping_from_backports() {
  echo "deb http://deb.debian.org/debian bookworm-backports main" \
    >/etc/apt/sources.list.d/kovquillet-backports.list
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends -t bookworm-backports osslsigncode >/dev/null
}

if [ ${#missing[@]} -eq 0 ]; then
  have_locale && can_stamp && exit 0
  if [ "$(id -u)" -ne 0 ]; then
    have_locale || echo "The Japanese locale is missing. Make it as root with:" \
      "localedef -i ja_JP -f UTF-8 ja_JP.UTF-8" >&2
    can_stamp || echo "osslsigncode 2.6 or later is missing. Install it as root from" \
      "bookworm-backports: apt-get install -t bookworm-backports osslsigncode" >&2
    exit 1
  fi
  have_locale || localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
  can_stamp || stamping_from_backports
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
can_stamp || stamping_from_backports
