#!/usr/bin/env bash
# Installs what building, running and testing Veltra needs on Debian 12.
# Safe to run again: installs only what is missing.
set -euo pipefail

packages=(
  cmake ninja-build
  mingw-w64 g++-mingw-w64-x86-64-posix
  googletest
  wine wine64
  fonts-wine # Wine's "MS Sans Serif", with the widths of Windows' dialog font
  xvfb xauth x11-utils imagemagick
  cups cups-client printer-driver-cups-pdf poppler-utils
  fonts-wqy-microhei
  nsis zip python3
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
