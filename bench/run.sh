#!/usr/bin/env bash
# Benchmarks Veltra against Wine's xcopy and native cp -a on three trees
# (many small files, a few large files, a copy of /usr/include), checks every
# copy against its source and prints a table of medians. A fourth tree, npm,
# is made on demand (BENCH_TREES=npm, needs the npm registry): jest and
# webpack installed nested by bench/make_npm_tree.sh, some 27,000 files in
# 5,000 folders, links to files, thousands of paths over 255 characters in
# the copy; Wine's xcopy crashes on it, its copy then DIFFERS. The ways:
#   veltra  the real Veltra.exe, driven through its dialog (bench/dialog_copy)
#   engine  the copy engine with a bare receiving window
#   counting the engine with the counting walk beside it, as Veltra.exe runs
#           it (for the share done and the time left); vs_engine shows its cost
#   over    the engine onto a whole copy of the tree made first (not timed):
#           every file is replaced, each through a temporary file beside it
#   floor   a bare wide walker on \\?\ paths, one CopyFileExW per file
#           (veltra_bench copyfileex): the least a one-at-a-time copy through
#           the system costs; vs_floor compares with it
#   engineN, countingN, floorN  the same with N files copied at once (engine1 copies
#           on one copy thread beside the walk, engine0 on the walk thread):
#           the ways to choose the thread count by; "threads" in the table
#   shell   a bare walker, one shell file operation per file
#   xcopy   Wine's xcopy;  cp  native cp -a
# The second run of a migration (a whole copy made first by the same tool,
# not timed; "copied" then counts the files the timed run wrote):
#   again   Veltra.exe through its dialog with "Skip files already up to date"
#           checked, nothing changed in the source
#   againe  the engine alone with the box checked (veltra_bench again), nothing
#           changed: againe against again is what the dialog adds
#   again1  the same onto a copy of the tree, from the tree with 1 % of its
#           files changed and 1 % added (make_trees.py --changed)
#   xcopyd, xcopyd1  Wine's xcopy /E /I /Q /Y /H /K /D, the same two runs
#   rsync, rsync1    native rsync -a, the same two runs
# The tree share500 is 500 small files copied onto a slow share: a FUSE
# passthrough that waits 2 ms on each round trip (bench/slow_share.py),
# mounted at $BENCH_DIR/share when this runs as root with /dev/fuse.
#   BENCH_RUNS   runs per way and tree (default 3)
#   BENCH_TREES  which trees (default "small large include"; also small4k, npm,
#                share500)
#   BENCH_TOOLS  which ways (default: all seven on small and small4k, no bare
#                walkers on the others)
#   BENCH_DIR    where the trees and copies go (default /tmp/veltra-bench)
#   BENCH_BEFORE the build folder of another checkout (one with bench/dialog_copy):
#                adds the way "before", its Veltra.exe through its dialog, next to
#                "veltra" on every tree, to compare two versions in one run
#   BENCH_LONG   0 leaves out the long test cases run at the end
# Figures only: nothing here passes or fails.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
runs=${BENCH_RUNS:-3}
work=${BENCH_DIR:-/tmp/veltra-bench}

bash "$root/scripts/setup.sh"
export VELTRA_BUILD="${VELTRA_BUILD:-$root/build}"
source "$root/scripts/wine-env.sh"

started=()
share_pid=
cleanup() {
  wineserver -k 2>/dev/null || true
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  if [ -n "$share_pid" ]; then
    fusermount -u "$work/share" 2>/dev/null || true
    wait "$share_pid" 2>/dev/null || true
    rm -rf "$work/share-backing"
  fi
  rm -rf "$work/out"
}
trap cleanup EXIT

source "$root/scripts/xvfb-env.sh"
veltra_start_xvfb started

bash "$root/scripts/build.sh" --target veltra_bench --target dialog_copy >/dev/null
bench_exe="$VELTRA_BUILD/bench/veltra_bench.exe"
dialog_exe="$VELTRA_BUILD/bench/dialog_copy.exe"
veltra_prepare_prefix
veltra_start_wine

mkdir -p "$work/trees" "$work/out"
: >"$work/timing.log"
trees=${BENCH_TREES:-small large include}
python3 "$here/make_trees.py" "$work/trees"
if [ ! -e "$work/trees/include.ready" ]; then
  cp -a /usr/include "$work/trees/include"
  # Links that lead nowhere (into packages not installed) cannot be copied by anyone.
  find "$work/trees/include" -xtype l -delete
  # Names that differ only in letter case are one name on a Windows drive.
  python3 "$here/make_trees.py" --drop-case-twins "$work/trees/include"
  touch "$work/trees/include.ready"
fi
# Only when asked for: the first time it downloads some 300 packages.
if [[ " $trees " == *" npm "* ]]; then bash "$here/make_npm_tree.sh" "$work/trees/npm"; fi
# The slow share: mounted only as root with /dev/fuse, unmounted by cleanup.
if [[ " $trees " == *" share500 "* ]]; then
  if [ "$(id -u)" -ne 0 ] || [ ! -e /dev/fuse ]; then
    echo "share500 needs root and /dev/fuse: left out" >&2
    trees=${trees/share500/}
  else
    for p in python3-fusepy libfuse2 fuse; do
      dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$p" >/dev/null
    done
    mkdir -p "$work/share"
    /usr/bin/python3 "$here/slow_share.py" "$work/share-backing" "$work/share" 2 \
      >"$work/share.log" 2>&1 &
    share_pid=$!
    for _ in $(seq 100); do mountpoint -q "$work/share" && break; sleep 0.1; done
    mountpoint -q "$work/share" || { echo "the slow share did not mount" >&2; exit 1; }
    mkdir -p "$work/share/out"
  fi
fi
command -v rsync >/dev/null ||
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends rsync >/dev/null

win() { echo "Z:${1//\//\\}"; }
now() { date +%s.%N; }

# Copies with one way and prints its time in seconds: the program's own
# timing of the copy for the Windows programs of this repository (their
# start-up not counted), the wall time of the command for xcopy and cp.
copy_with() { # tool source destination
  local t0 t1 line
  t0=$(now)
  case "$1" in
    veltra | before)
      local exe=$dialog_exe
      [ "$1" = before ] && exe="$BENCH_BEFORE/bench/dialog_copy.exe"
      line=$(wine "$exe" "$(win "$2")\\" "$(win "$3")\\" 2>>"$work/timing.log") ||
        echo "$1 $2: exit status $?" >>"$work/timing.log" ;;
    engine | counting | floor | shell | over | engine[0-9]* | counting[0-9]* | floor[0-9]*)
      local mode=${1%%[0-9]*} threads=${1##*[a-z]}
      [ "$mode" = floor ] && mode=copyfileex
      # A whole copy first (not timed): the engine then replaces every file.
      if [ "$1" = over ]; then mode=engine; cp -a "$2" "$3"; sync; fi
      line=$(wine "$bench_exe" "$mode" "$(win "$2")" "$(win "$3")" $threads 2>>"$work/timing.log") ||
        echo "$1 $2: exit status $?" >>"$work/timing.log" ;;
    again | againe | again1 | xcopyd | xcopyd1 | rsync | rsync1)
      # The first copy, by the same tool, is not timed; the timed run then
      # goes from the tree or its changed copy onto it.
      local from=$2
      [[ "$1" == *1 ]] && from="$2.changed"
      case "$1" in
        again*) wine "$bench_exe" engine "$(win "$2")" "$(win "$3")" >/dev/null 2>>"$work/timing.log" ;;
        xcopyd*) timeout "${BENCH_XCOPY_LIMIT:-300}" wine xcopy "$(win "$2")" "$(win "$3")" \
                   /E /I /Q /Y /H /K >/dev/null 2>&1 || true ;;
        rsync*) rsync -a "$2/" "$3/" ;;
      esac
      sync
      touch "$3.before"
      sleep 0.05
      t0=$(now)
      case "$1" in
        againe) line=$(wine "$bench_exe" again "$(win "$from")" "$(win "$3")" 2>>"$work/timing.log") ||
                  echo "$1 $2: exit status $?" >>"$work/timing.log" ;;
        again*) line=$(wine "$dialog_exe" "$(win "$from")\\" "$(win "$3")\\" skip 2>>"$work/timing.log") ||
                  echo "$1 $2: exit status $?" >>"$work/timing.log" ;;
        xcopyd*) timeout "${BENCH_XCOPY_LIMIT:-300}" wine xcopy "$(win "$from")" "$(win "$3")" \
                   /E /I /Q /Y /H /K /D >/dev/null 2>&1 || true ;;
        rsync*) rsync -a "$from/" "$3/" ;;
      esac
      t1=$(now)
      # Written by the timed run: its files' status changed after the mark.
      echo "$1 $3 copied=$(find "$3" -type f -cnewer "$3.before" | wc -l)" >>"$work/timing.log"
      copied[$1]+="$(find "$3" -type f -cnewer "$3.before" | wc -l) "
      rm -f "$3.before" ;;
    # Wine's xcopy stops for good on deep trees (the npm tree): bounded.
    xcopy) timeout "${BENCH_XCOPY_LIMIT:-300}" wine xcopy "$(win "$2")" "$(win "$3")" /E /I /Y /Q \
             >/dev/null 2>&1 || true ;;
    cp) cp -a "$2" "$3" ;;
  esac
  t1=$(now)
  echo "$1 $2: ${line:-wall}" >>"$work/timing.log"
  if [[ "${line:-}" =~ seconds=([0-9.]+) ]]; then echo "${BASH_REMATCH[1]}"; else echo "$t1 - $t0" | bc -l; fi
}
load() { cut -d' ' -f1 /proc/loadavg; }

median() { sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

ratio() { # reference-time time
  if [ -n "$1" ]; then printf '%8.2f' "$(echo "$1 / $2" | bc -l)"; else printf '%8s' -; fi
}

# The copy threads of a way: its own number, the program's default for
# Veltra's other ways, none for the rest.
default_threads=$(grep -o 'kCopyThreads = [0-9]*' "$root/engine/CopyJob.h" | grep -o '[0-9]*$')
threads_of() {
  case "$1" in
    engine[0-9]* | counting[0-9]* | floor[0-9]*) echo "${1##*[a-z]}" ;;
    veltra | before | engine | counting | over | again | again1) echo "$default_threads" ;;
    floor) echo 0 ;;
    *) echo - ;;
  esac
}

printf '\n%-8s %-8s %7s %7s %8s %8s %9s %8s %8s %8s %8s %8s  %-7s %s\n' tree way threads files MB \
  seconds files/s MB/s vs_cp vs_xcopy vs_engine vs_floor copy load
for tree in $trees; do
  src="$work/trees/$tree"
  out="$work/out"
  if [ "$tree" = share500 ]; then src="$work/trees/small500"; out="$work/share/out"; fi
  if [ -n "${BENCH_TOOLS:-}" ]; then read -ra tools <<<"$BENCH_TOOLS"
  elif [ "$tree" = share500 ]; then tools=(again again1 xcopyd xcopyd1 rsync rsync1)
  elif [[ "$tree" == small* ]]; then tools=(veltra engine counting over floor shell xcopy cp)
  else tools=(veltra engine counting xcopy cp); fi
  # The cut-over's tree: 1 % changed, 1 % added.
  if [[ " ${tools[*]} " == *1\ * ]] && [ ! -e "$src.changed" ]; then
    python3 "$here/make_trees.py" --changed "$src" "$src.changed"
  fi
  if [ -n "${BENCH_BEFORE:-}" ]; then tools=(before "${tools[@]}"); fi
  files=$(find -L "$src" -type f | wc -l)
  mb=$(find -L "$src" -type f -printf '%s\n' | awk '{s+=$1} END {printf "%.1f", s / 1048576}')
  declare -A times=() check=() loads=() copied=()
  # Runs interleave the ways, so that load from elsewhere on the machine
  # falls on all of them alike.
  for run in $(seq "$runs"); do
    # Each run starts with the next way, so that none always comes first.
    first=$(((run - 1) % ${#tools[@]}))
    for tool in "${tools[@]:first}" "${tools[@]:0:first}"; do
      dst="$out/$tree-$tool-$run"
      sync
      loads[$tool]+="$(load) "
      # Not in a subshell: the second-run ways count what they wrote.
      copy_with "$tool" "$src" "$dst" >"$work/seconds"
      times[$tool]+="$(cat "$work/seconds") "
      expected=$src
      [[ "$tool" =~ ^(again|xcopyd|rsync)1$ ]] && expected="$src.changed"
      diff -rq "$expected" "$dst" >/dev/null 2>&1 || check[$tool]=DIFFERS
    done
  done
  declare -A med=()
  for tool in "${tools[@]}"; do med[$tool]=$(printf '%s\n' ${times[$tool]} | median); done
  for tool in "${tools[@]}"; do
    t=${med[$tool]}
    printf '%-8s %-8s %7s %7d %8.1f %8.2f %9.0f %8.1f %s %s %s %s  %-7s %s\n' "$tree" "$tool" \
      "$(threads_of "$tool")" "$files" "$mb" \
      "$t" "$(echo "$files / $t" | bc -l)" "$(echo "$mb / $t" | bc -l)" "$(ratio "${med[cp]:-}" "$t")" \
      "$(ratio "${med[xcopy]:-}" "$t")" "$(ratio "${med[engine]:-}" "$t")" \
      "$(ratio "${med[floor]:-}" "$t")" "${check[$tool]:-ok}" "${loads[$tool]}"
  done
  for tool in "${tools[@]}"; do
    [ -n "${copied[$tool]:-}" ] && printf '%-8s %-7s files written by the timed run: %s\n' \
      "$tree" "$tool" "${copied[$tool]}"
  done
  unset times check med loads copied
  # Four files a copy: cheap to delete, and they would fill the disk.
  if [ "$tree" = large ]; then rm -rf "$work"/out/large-*; fi
  if [ "$tree" = share500 ]; then rm -rf "$work"/share/out/*; fi
done
echo
echo "seconds: median of $runs runs; the copy alone, as timed by Veltra.exe's driver and"
echo "veltra_bench (start-up not counted), the whole command for xcopy and cp."
echo "vs_X: speed relative to way X (above 1 is faster). copy: diff -r against the source."
echo "load: the 1-minute load average before each run. Each run's line is in $work/timing.log."

# The long test cases (ctest -L long): the 200,000-file copy through
# Veltra.exe, with its memory and answer-time figures. BENCH_LONG=0 leaves
# them out.
if [ "${BENCH_LONG:-1}" != 0 ]; then
  echo
  echo "long test cases (ctest -L long):"
  bash "$root/scripts/test.sh" -L long -V
fi
