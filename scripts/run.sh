#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds Veltra and runs it under Wine on
# your display (DISPLAY must name a running X server).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
  echo "run: DISPLAY is not set; start Veltra from a desktop session (or see scripts/screenshot.sh)" >&2
  exit 2
fi
bash "$here/setup.sh"
export VELTRA_BUILD="${VELTRA_BUILD:-$root/build}"
bash "$here/build.sh" --target Veltra
source "$here/wine-env.sh"
veltra_prepare_prefix
exec wine "$VELTRA_BUILD/app/Veltra.exe"
