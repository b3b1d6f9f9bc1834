#!/usr/bin/env bash
# The installer under Wine: a silent install (/S) puts Veltra.exe, help.html
# and the uninstaller into Program Files\Veltra and a Start-menu folder with
# "Veltra" and "Veltra Help"; the installed Veltra starts and its Help opens
# the installed help.html; the portable zip holds the same two files; the
# silent uninstaller removes everything the installer made.
#   installer_test.sh <source folder> <build folder> <installed-check exe>
# Run by ctest inside scripts/test.sh (Wine prefix, display, wineserver).
set -euo pipefail
src=$1
build=$2
check=$3

if [ ! -f "$build/app/Veltra.exe" ]; then
  echo "SKIPPED: $build/app/Veltra.exe is not built yet"
  exit 77
fi
: "${WINEPREFIX:?run through scripts/test.sh}"

fail() { echo "FAILED: $*"; exit 1; }
# Waits up to 60 s for a shell condition.
wait_for() { for _ in $(seq 120); do eval "$1" && return 0; sleep 0.5; done; return 1; }

bash "$src/packaging/build.sh" "$build"
version=$(sed -n 's/^#define VELTRA_VERSION_TEXT "\(.*\)"/\1/p' "$src/resources/maker.h")
setup="$build/packaging/VeltraSetup-$version.exe"
portable="$build/packaging/Veltra-$version-portable.zip"

dir="$WINEPREFIX/drive_c/Program Files/Veltra"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Veltra"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Veltra'

# A previous run that stopped half-way is cleaned up first.
if [ -f "$dir/Uninstall.exe" ]; then
  wine "$dir/Uninstall.exe" /S </dev/null >/dev/null 2>&1 || true
  wait_for '[ ! -e "$dir" ]' || true
fi

# The portable archive: exactly the two files, byte for byte.
listing=$(unzip -Z1 "$portable" | sort | tr '\n' ' ')
[ "$listing" = "Veltra.exe help.html " ] || fail "portable zip holds: $listing"
unzip -p "$portable" Veltra.exe | cmp -s - "$build/app/Veltra.exe" || fail "zip: Veltra.exe differs"
unzip -p "$portable" help.html | cmp -s - "$build/app/help.html" || fail "zip: help.html differs"

wine "$setup" /S </dev/null >/dev/null 2>&1 || fail "installer exit code $?"
wait_for '[ -f "$dir/Uninstall.exe" ]' || fail "no uninstaller in $dir"
cmp -s "$dir/Veltra.exe" "$build/app/Veltra.exe" || fail "installed Veltra.exe differs"
cmp -s "$dir/help.html" "$build/app/help.html" || fail "installed help.html differs"
for link in "Veltra.lnk" "Veltra Help.lnk"; do
  [ -f "$menu/$link" ] || fail "no Start-menu shortcut $link"
done
wine reg query "$key" /v UninstallString </dev/null >/dev/null 2>&1 || fail "no uninstall entry"
echo "installed: $(ls "$dir" | tr '\n' ' ') / Start menu: $(ls "$menu" | tr '\n' ' ')"

# The shortcuts point at the installed files; the installed program runs, and
# its Help opens the installed help page.
# Wine processes get files, not the test runner's pipes: a program left
# running would otherwise hold the pipe open and hang the run.
log="$build/packaging/installed_check.log"
status=0
wine "$check" 'C:\Program Files\Veltra\' </dev/null >"$log" 2>&1 || status=$?
cat "$log"
[ "$status" -eq 0 ] || fail "installed Veltra check"

# The uninstaller copies itself away and returns at once: wait for its work.
wine "$dir/Uninstall.exe" /S </dev/null >/dev/null 2>&1 || fail "uninstaller exit code $?"
wait_for '[ ! -e "$dir" ] && [ ! -e "$menu" ]' || fail "left behind: $(ls -R "$dir" "$menu" 2>&1)"
if wine reg query "$key" </dev/null >/dev/null 2>&1; then fail "uninstall entry left"; fi
echo "uninstalled: Program Files\\Veltra and the Start-menu folder are gone"
