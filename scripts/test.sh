#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds Veltra and runs every test under
# Wine in a virtual X server (arguments go to ctest; without any, the tests
# labelled long are left out). Exits non-zero on any failure, and when the
# run leaves any of its processes behind.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)

bash "$here/setup.sh"

export VELTRA_BUILD="${VELTRA_BUILD:-$root/build}"
# Absolute: the tests run from the source folder (below).
mkdir -p "$VELTRA_BUILD"
VELTRA_BUILD=$(cd "$VELTRA_BUILD" && pwd)
# A prefix of the test run's own: the tests register stand-in programs in it.
export WINEPREFIX="$VELTRA_BUILD/wineprefix-tests"
source "$here/wine-env.sh"

# Every process this run starts inherits the mark, so that the end of the
# run can check that none of them is left (scripts/leftovers.sh).
export VELTRA_RUN_ID="$(hostname)-$$-$(date +%s%N)"

started=()
cleanup() {
  local status=$?
  wineserver -k 2>/dev/null || true
  # -k only asks them to go: wait until the server itself has ended, so
  # that nothing of Wine is still going down when the run ends.
  timeout 60 wineserver -w 2>/dev/null || true
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${started[@]}"; do wait "$pid" 2>/dev/null || true; done
  env -u VELTRA_RUN_ID bash "$here/leftovers.sh" "$VELTRA_RUN_ID" || status=1
  exit "$status"
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
veltra_keep_desktop started
# Without arguments: every test but those labelled long (ctest -L long runs
# them; bench/run.sh does).
(($#)) || set -- -LE long
# The test preset of the build folder (CMakePresets.json, read from the source
# folder) holds how: output on failure, no tests an error, the time limit of
# a test without its own, parallel jobs.
cd "$root"
ctest --preset mingw-veltra-build "$@"
