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
for n in $(seq 90 130); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
started+=($!)
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

source "$here/print-env.sh"
veltra_start_printing started

bash "$here/build.sh"

veltra_prepare_prefix
veltra_start_wine
ctest --test-dir "$VELTRA_BUILD" --output-on-failure --no-tests=error --timeout 900 -j 2 "$@"
