#!/usr/bin/env bash
# Configures and builds Veltra (and its tests) into $VELTRA_BUILD (default
# build/ beside the sources).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
: "${VELTRA_BUILD:=$root/build}"
cmake -S "$root" -B "$VELTRA_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
cmake --build "$VELTRA_BUILD" -j 2 "$@"
