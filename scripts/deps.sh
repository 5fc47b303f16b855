#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing.
# Safe to run again: it installs nothing that is already there.
# With --tests, also what only the tests need: Ardour, whose headless tools
# make, conform and render the sessions of the Ardour conform's tests, and
# libltc for the timecode audio in them.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libexpat1-dev libplist-dev libcli11-dev nlohmann-json3-dev
  googletest libgtest-dev libbenchmark-dev python3
  qt6-base-dev qt6-multimedia-dev
  libavformat-dev libavcodec-dev libavutil-dev libswscale-dev libavfilter-dev libswresample-dev
  xvfb xauth
)
if [ "${1:-}" = "--tests" ]; then
  packages+=(ardour libltc-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "these packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
