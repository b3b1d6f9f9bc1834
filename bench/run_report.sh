#!/usr/bin/env bash
# Measures the report panel's cost per line: 20,000 not-copied files through
# the real Veltra.exe, and the literal whole-text rewrite beside appending.
#   BENCH_DIR  where the tree goes (default /tmp/veltra-bench)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
work=${BENCH_DIR:-/tmp/veltra-bench}
mkdir -p "$work"
bash "$root/scripts/setup.sh"
export VELTRA_BUILD="${VELTRA_BUILD:-$root/build}"
source "$root/scripts/wine-env.sh"
source "$root/scripts/xvfb-env.sh"
started=()
trap 'wineserver -k 2>/dev/null || true; kill "${started[@]}" 2>/dev/null || true' EXIT
veltra_start_xvfb started
bash "$root/scripts/build.sh" --target report_append --target Veltra >/dev/null
veltra_prepare_prefix
veltra_start_wine
wine "$VELTRA_BUILD/bench/report_append.exe" "Z:${work//\//\\}\\" "${1:-20000}"
