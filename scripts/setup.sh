#!/usr/bin/env bash
# Installs from Debian's packages whatever the build and the tests need. Safe to run again:
# it runs apt-get only when something is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ libgtest-dev googletest
  g++-mingw-w64-x86-64-posix
  wine wine64 fonts-wine xvfb x11-utils
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  sox libsox-fmt-mp3 liblnk-utils imagemagick
  clang libclang-rt-14-dev nsis
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
