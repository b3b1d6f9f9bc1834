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
  fonts-wqy-microhei
  xvfb xauth
  x11-utils imagemagick # xwininfo, import, compare: scripts/screenshot.sh
  cups cups-client printer-driver-cups-pdf
  poppler-utils # pdftotext, pdfinfo: the printing tests read the PDF back
  nsis zip unzip # the installer and the portable archive, and their test
  python3 # the tests' tree makers
  # Commands the tests and scripts run that a trimmed Debian may lack:
  mount util-linux # mount, umount, mountpoint (the small disk), setpriv
  passwd           # useradd: the test user that access can be denied to
  procps           # ps: scripts/leftovers.sh
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=""
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
      echo "setup: these packages are missing and installing them needs root or sudo:" \
        "${missing[*]}" >&2
      exit 1
    fi
    sudo_cmd="sudo"
  fi
  $sudo_cmd apt-get update -qq
  # Through env: sudo would drop the setting from its environment.
  $sudo_cmd env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
