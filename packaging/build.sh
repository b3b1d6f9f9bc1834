#!/usr/bin/env bash
# Builds Veltra's installer and its portable archive from a build folder:
#   bash packaging/build.sh [build-folder]      (default: $VELTRA_BUILD or ./build)
# Both go to <build-folder>/packaging: VeltraSetup-<version>.exe (NSIS) and
# Veltra-<version>-portable.zip, each holding Veltra.exe and help.html.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=$(cd "${1:-${VELTRA_BUILD:-$root/build}}" && pwd)
app="$build/app"
out="$build/packaging"

for f in Veltra.exe help.html; do
  if [ ! -f "$app/$f" ]; then
    echo "packaging: $app/$f is missing; build Veltra first (bash scripts/build.sh)" >&2
    exit 1
  fi
done
command -v makensis >/dev/null || { echo "packaging: makensis missing (apt-get install nsis)" >&2; exit 1; }
command -v zip >/dev/null || { echo "packaging: zip missing (apt-get install zip)" >&2; exit 1; }

version=$(sed -n 's/^#define VELTRA_VERSION_TEXT "\(.*\)"/\1/p' "$root/resources/maker.h")
mkdir -p "$out"
setup="$out/VeltraSetup-$version.exe"
portable="$out/Veltra-$version-portable.zip"

makensis -V2 -DAPP_DIR="$app" -DMAKER_H="$root/resources/maker.h" -DOUT_FILE="$setup" \
  "$here/veltra.nsi"
rm -f "$portable"
zip -j -q -X "$portable" "$app/Veltra.exe" "$app/help.html"
echo "packaging: $setup"
echo "packaging: $portable"
