#!/usr/bin/env bash
# Configures and builds Veltra (and its tests) into $VELTRA_BUILD (default
# build/ beside the sources). Generator, toolchain, build type and parallel
# jobs come from CMakePresets.json: preset mingw-veltra-build is preset mingw
# with the build folder taken from $VELTRA_BUILD. Arguments go to
# `cmake --build` (--target ...).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
: "${VELTRA_BUILD:=$root/build}"
# The presets are read from the working folder; a relative build folder is
# meant from the caller's.
mkdir -p "$VELTRA_BUILD"
VELTRA_BUILD=$(cd "$VELTRA_BUILD" && pwd)
export VELTRA_BUILD
cd "$root"
cmake --preset mingw-veltra-build >/dev/null
cmake --build --preset mingw-veltra-build "$@"
