#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up a fresh Debian 12 machine for the game, builds it, and then
#   ./setup.sh play   starts the game;
#   ./setup.sh test   runs every test, also under the sanitizers, the fuzz targets briefly, and
#                     builds and tests the browser edition.
set -euo pipefail
cd "$(dirname "$0")"

what=${1:-}
case "$what" in
  play | test) ;;
  *) echo "usage: ./setup.sh play|test" >&2; exit 2 ;;
esac

# Installs the Debian packages that are missing, as root or through sudo.
mapfile -t packages < <(grep -v -E '^\s*(#|$)' tools/debian-packages)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
# Some builds of nodejs bring npm along; Debian's has it as a package of its own.
[ "$what" = play ] || command -v npm >/dev/null || missing+=(npm)
if ((${#missing[@]})); then
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  "${as_root[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if [ "$what" = play ]; then
  cmake --workflow --preset release
  exec build/release/app/brimwold
fi

# Every test in the normal build, again under AddressSanitizer and UndefinedBehaviorSanitizer,
# then a short run of each fuzz target (tools/fuzz-long and tools/monkey-long run longer), then
# the browser edition, brimwold.html, and its tests in Chromium.
cmake --workflow --preset ci
cmake --workflow --preset asan
cmake --workflow --preset fuzz
cmake --workflow --preset web
