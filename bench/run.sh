#!/usr/bin/env bash
# Benchmarks Veltra's copy engine against Wine's xcopy and native cp -a on
# three trees (many small files, a few large files, a copy of /usr/include),
# checks every copy against its source and prints a table of medians.
#   BENCH_RUNS  runs per tool and tree (default 3)
#   BENCH_DIR   where the trees and copies go (default /tmp/veltra-bench)
#   BENCH_LONG  0 leaves out the long test cases run at the end
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
cleanup() {
  wineserver -k 2>/dev/null || true
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work/out"
}
trap cleanup EXIT

source "$root/scripts/xvfb-env.sh"
veltra_start_xvfb started

bash "$root/scripts/build.sh" --target veltra_bench >/dev/null
bench_exe="$VELTRA_BUILD/bench/veltra_bench.exe"
veltra_prepare_prefix
veltra_start_wine

mkdir -p "$work/trees" "$work/out"
: >"$work/engine.log"
python3 "$here/make_trees.py" "$work/trees"
if [ ! -e "$work/trees/include.ready" ]; then
  cp -a /usr/include "$work/trees/include"
  # Links that lead nowhere (into packages not installed) cannot be copied by anyone.
  find "$work/trees/include" -xtype l -delete
  # Names that differ only in letter case are one name on a Windows drive.
  python3 "$here/make_trees.py" --drop-case-twins "$work/trees/include"
  touch "$work/trees/include.ready"
fi

win() { echo "Z:${1//\//\\}"; }
now() { date +%s.%N; }

copy_with() { # tool source destination
  case "$1" in
    engine) wine "$bench_exe" engine "$(win "$2")" "$(win "$3")" >>"$work/engine.log" 2>&1 ;;
    xcopy) wine xcopy "$(win "$2")" "$(win "$3")" /E /I /Y /Q >/dev/null 2>&1 ;;
    cp) cp -a "$2" "$3" ;;
  esac
}

median() { sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

tools=(engine xcopy cp)
printf '\n%-8s %-7s %7s %8s %8s %9s %8s %7s %8s  %s\n' tree tool files MB seconds files/s MB/s vs_cp vs_xcopy copy
for tree in small large include; do
  src="$work/trees/$tree"
  files=$(find -L "$src" -type f | wc -l)
  mb=$(find -L "$src" -type f -printf '%s\n' | awk '{s+=$1} END {printf "%.1f", s / 1048576}')
  declare -A times=() check=()
  # Runs interleave the tools, so that load from elsewhere on the machine
  # falls on all of them alike.
  for run in $(seq "$runs"); do
    for tool in "${tools[@]}"; do
      dst="$work/out/$tree-$tool-$run"
      sync
      t0=$(now)
      copy_with "$tool" "$src" "$dst" || true
      t1=$(now)
      times[$tool]+="$(echo "$t1 - $t0" | bc -l) "
      diff -rq "$src" "$dst" >/dev/null 2>&1 || check[$tool]=DIFFERS
    done
  done
  declare -A med=()
  for tool in "${tools[@]}"; do med[$tool]=$(printf '%s\n' ${times[$tool]} | median); done
  for tool in "${tools[@]}"; do
    t=${med[$tool]}
    printf '%-8s %-7s %7d %8.1f %8.2f %9.0f %8.1f %7.2f %8.2f  %s\n' "$tree" "$tool" "$files" "$mb" \
      "$t" "$(echo "$files / $t" | bc -l)" "$(echo "$mb / $t" | bc -l)" \
      "$(echo "${med[cp]} / $t" | bc -l)" "$(echo "${med[xcopy]} / $t" | bc -l)" "${check[$tool]:-ok}"
  done
  unset times check med
done
echo
echo "seconds: median wall time of $runs runs of the whole command, Wine's start-up included;"
echo "vs_cp, vs_xcopy: speed relative to that tool (above 1 is faster). copy: diff -r against"
echo "the source. The engine's own timing of each run (copy only) is in $work/engine.log."

# The long test cases (ctest -L long): the 200,000-file copy through
# Veltra.exe, with its memory and answer-time figures. BENCH_LONG=0 leaves
# them out.
if [ "${BENCH_LONG:-1}" != 0 ]; then
  echo
  echo "long test cases (ctest -L long):"
  bash "$root/scripts/test.sh" -L long -V
fi
