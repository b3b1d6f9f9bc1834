#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds Veltra and runs every test under
# Wine in a virtual X server. Exits non-zero on any failure.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)

bash "$here/setup.sh"

export VELTRA_BUILD="${VELTRA_BUILD:-$root/build}"
# A prefix of the test run's own: the tests register stand-in programs in it.
export WINEPREFIX="$VELTRA_BUILD/wineprefix-tests"
source "$here/wine-env.sh"

started=()
cleanup() {
  wineserver -k 2>/dev/null || true
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

# A display of our own, started before the first Wine process of the prefix.
source "$here/xvfb-env.sh"
veltra_start_xvfb started

source "$here/print-env.sh"
veltra_start_printing started

bash "$here/build.sh"

veltra_prepare_prefix
veltra_start_wine
ctest --test-dir "$VELTRA_BUILD" --output-on-failure --no-tests=error --timeout 900 -j 2 "$@"
