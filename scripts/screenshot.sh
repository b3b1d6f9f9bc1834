#!/usr/bin/env bash
# Takes screenshots of Veltra under Xvfb: the main dialog at start, and a
# finished copy with a few failures in its report. Writes PNGs to docs/.
#   bash scripts/screenshot.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
bash "$here/setup.sh"
export VELTRA_BUILD="${VELTRA_BUILD:-$root/build}"
bash "$here/build.sh" --target Veltra
source "$here/wine-env.sh"

for n in $(seq 140 170); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
Xvfb "$display" -screen 0 800x700x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY="$display"
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
sleep 1
veltra_prepare_prefix
veltra_start_wine
mkdir -p "$root/docs"

shot() { # window title, output file
  local id
  id=$(xwininfo -root -tree | grep -F "\"$1\"" | head -1 | awk '{print $1}')
  /usr/bin/import -window "${id:-root}" "$2"
}

wine "$VELTRA_BUILD/app/Veltra.exe" >/dev/null 2>&1 &
sleep 4
shot "Veltra (1.0b)" "$root/docs/main-dialog.png"
wineserver -k || true

# A finished copy with failures: the destination's parent folder is a file,
# so the files in subfolders cannot be copied and the report lists them.
demo=$(mktemp -d)
mkdir -p "$demo/src/Photos/2026" "$demo/src/Documents"
for i in 1 2 3; do head -c 20000 /dev/urandom > "$demo/src/Photos/2026/img_$i.jpg"; done
echo "letter" > "$demo/src/Documents/letter.txt"
echo "x" > "$demo/blocker"
win() { echo "Z:${1//\//\\}"; }
export VELTRA_SHOT_SOURCE="$(win "$demo/src")"
export VELTRA_SHOT_DEST="$(win "$demo/blocker/backup")"
export VELTRA_SHOT_READY="$(win "$demo/ready")" VELTRA_SHOT_DONE="$(win "$demo/done")"
bash "$here/build.sh" --target ui_shot >/dev/null
wine "$VELTRA_BUILD/tests/ui/ui_shot.exe" >/dev/null 2>&1 &
for _ in $(seq 300); do [ -e "$demo/ready" ] && break; sleep 0.2; done
sleep 0.5
shot "Veltra (1.0b)" "$root/docs/finished-copy.png"
touch "$demo/done"
wait || true
rm -rf "$demo"
echo "screenshots in $root/docs"
