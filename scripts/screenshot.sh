#!/usr/bin/env bash
# Takes screenshots of Veltra under Xvfb: the main dialog at start, a
# finished copy with a few failures in its report (names beyond ASCII among
# them), and the About box. Writes PNGs to docs/.
#   bash scripts/screenshot.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
bash "$here/setup.sh"
export VELTRA_BUILD="${VELTRA_BUILD:-$root/build}"
bash "$here/build.sh" --target Veltra
source "$here/wine-env.sh"

source "$here/xvfb-env.sh"
started=()
trap 'wineserver -k 2>/dev/null || true; kill "${started[@]}" 2>/dev/null || true' EXIT
VELTRA_SCREEN=800x700x24 veltra_start_xvfb started
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

# A finished copy with a few failures: the destination already holds a
# file named like one of the source folders, so that folder's files cannot
# be copied and the report lists them.
demo=$(mktemp -d)
mkdir -p "$demo/src/Photos/Été 2026" "$demo/src/Documents" "$demo/backup"
for i in 1 2 3 4; do head -c 300000 /dev/urandom > "$demo/src/Photos/Été 2026/img_$i.jpg"; done
head -c 150000 /dev/urandom > "$demo/src/Documents/Lettre à Zoë.docx"
head -c 90000 /dev/urandom > "$demo/src/Documents/Ωmega budget.xlsx"
echo "notes" > "$demo/src/notes.txt"
echo "in the way" > "$demo/backup/Documents"
win() { echo "Z:${1//\//\\}"; }
export VELTRA_SHOT_SOURCE="$(win "$demo/src")"
export VELTRA_SHOT_DEST="$(win "$demo/backup")"
export VELTRA_SHOT_READY="$(win "$demo/ready")" VELTRA_SHOT_DONE="$(win "$demo/done")"
export VELTRA_SHOT_ABOUT="$(win "$demo/about")" VELTRA_SHOT_ABOUT_DONE="$(win "$demo/about-done")"
bash "$here/build.sh" --target ui_shot >/dev/null
wine "$VELTRA_BUILD/tests/support/ui_shot.exe" >/dev/null 2>&1 &
posing=$!
for _ in $(seq 300); do [ -e "$demo/ready" ] && break; sleep 0.2; done
sleep 0.5
shot "Veltra (1.0b)" "$root/docs/finished-copy.png"
touch "$demo/done"
for _ in $(seq 300); do [ -e "$demo/about" ] && break; sleep 0.2; done
sleep 0.5
shot "About Veltra" "$root/docs/about.png"
touch "$demo/about-done"
wait "$posing" || true # not a bare wait: the X server is a child too
rm -rf "$demo"
echo "screenshots in $root/docs"
