#!/usr/bin/env bash
# Takes screenshots of Veltra under Xvfb: the main dialog at start, a
# finished copy with a few failures in its report (names beyond ASCII among
# them), the About box, the replace question, and the copy stopped from it.
# Writes PNGs to docs/.
#   bash scripts/screenshot.sh
# Each picture is taken once its window is on the screen and drawn; when a
# window does not come, the script stops with a message instead of taking
# something else.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
bash "$here/setup.sh"
export VELTRA_BUILD="${VELTRA_BUILD:-$root/build}"
bash "$here/build.sh" --target Veltra
source "$here/wine-env.sh"

source "$here/xvfb-env.sh"
started=()
scratch=$(mktemp -d)
demo=""
finish() {
  wineserver -k 2>/dev/null || true
  kill "${started[@]}" 2>/dev/null || true
  rm -rf "$scratch" ${demo:+"$demo"}
}
trap finish EXIT
VELTRA_SCREEN=800x700x24 veltra_start_xvfb started
veltra_prepare_prefix
veltra_start_wine
mkdir -p "$root/docs"

# True when a window titled $1 is on the screen; its id is left in $shown.
shown=""
window_shown() {
  local id
  for id in $(xwininfo -root -tree | grep -F "\"$1\"" | awk '{print $1}'); do
    if xwininfo -id "$id" 2>/dev/null | grep -q "Map State: IsViewable"; then
      shown=$id
      return 0
    fi
  done
  return 1
}

# True when the window's picture holds still: two captures half a second
# apart differ in no more pixels than a blinking caret takes. The second
# capture is kept in $scratch/settled.png.
settled() { # window id
  import -window "$1" "$scratch/before.png" || return 1
  sleep 0.5
  import -window "$1" "$scratch/settled.png" || return 1
  local changed
  # compare writes the count of differing pixels on stderr, and exits 1
  # when there are any.
  changed=$(compare -metric AE "$scratch/before.png" "$scratch/settled.png" null: 2>&1) || true
  awk -v n="$changed" 'BEGIN { exit !(n ~ /^[0-9.e+]+$/ && n + 0 <= 40) }'
}

shot() { # window title, output file
  veltra_wait_for 60 "a window titled \"$1\" on the screen" window_shown "$1"
  veltra_wait_for 20 "the window \"$1\" ($shown) to be drawn and hold still" settled "$shown"
  mv "$scratch/settled.png" "$2"
}

wine "$VELTRA_BUILD/app/Veltra.exe" >/dev/null 2>&1 &
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
# The replace question: an earlier copy of a small tree, some of whose files
# have changed since; the question is answered Stop Copy for the stopped copy.
mkdir -p "$demo/ask/Reports 2026" "$demo/earlier/Reports 2026"
for m in 01 02 03 04 05 06; do head -c $((40000 + 1000 * 10#$m)) /dev/urandom > "$demo/ask/Reports 2026/month-$m.xlsx"; done
head -c 180000 /dev/urandom > "$demo/ask/Reports 2026/summary.docx"
# Two of them: whichever is met first, the stop leaves the other unvisited.
head -c 120000 /dev/urandom > "$demo/earlier/Reports 2026/summary.docx"
head -c 44000 /dev/urandom > "$demo/earlier/Reports 2026/month-04.xlsx"
touch -d "2026-06-30 17:45" "$demo/earlier/Reports 2026/summary.docx" "$demo/earlier/Reports 2026/month-04.xlsx"
export VELTRA_SHOT_ASK_SOURCE="$(win "$demo/ask")" VELTRA_SHOT_ASK_DEST="$(win "$demo/earlier")"
export VELTRA_SHOT_ASK_CAPTION="${VELTRA_SHOT_ASK_CAPTION:-Replace File}"
export VELTRA_SHOT_ASK="$(win "$demo/asked")" VELTRA_SHOT_ASK_DONE="$(win "$demo/asked-done")"
export VELTRA_SHOT_STOPPED="$(win "$demo/stopped")" VELTRA_SHOT_STOPPED_DONE="$(win "$demo/stopped-done")"
bash "$here/build.sh" --target ui_shot >/dev/null
wine "$VELTRA_BUILD/tests/support/ui_shot.exe" >/dev/null 2>&1 &
posing=$!
# ui_shot gives each copy 60 s, the About box 20 s, and each picture 30 s.
veltra_wait_for --alive "$posing" ui_shot.exe 90 "the finished copy ($demo/ready)" test -e "$demo/ready"
shot "Veltra (1.0b)" "$root/docs/finished-copy.png"
touch "$demo/done"
veltra_wait_for --alive "$posing" ui_shot.exe 30 "the About box ($demo/about)" test -e "$demo/about"
shot "About Veltra" "$root/docs/about.png"
touch "$demo/about-done"
veltra_wait_for --alive "$posing" ui_shot.exe 90 "the replace question ($demo/asked)" test -e "$demo/asked"
shot "$VELTRA_SHOT_ASK_CAPTION" "$root/docs/replace-question.png"
touch "$demo/asked-done"
veltra_wait_for --alive "$posing" ui_shot.exe 90 "the stopped copy ($demo/stopped)" test -e "$demo/stopped"
shot "Veltra (1.0b)" "$root/docs/stopped-copy.png"
touch "$demo/stopped-done"
ended() { ! kill -0 "$1" 2>/dev/null; }
veltra_wait_for 30 "ui_shot.exe to end" ended "$posing"
# Not a bare wait: the X server is a child too.
wait "$posing" || { echo "screenshot: ui_shot.exe failed (status $?)" >&2; exit 1; }
echo "screenshots in $root/docs"
