# Sourced by the other scripts: a Wine prefix of the build's own, never
# ~/.wine, prepared once, with the crash debugger turned off so that a
# crashing test ends instead of waiting for ever in winedbg.
#   VELTRA_BUILD   build folder (default: build beside the sources)
#   DISPLAY        must be set before the first Wine process of the prefix
: "${VELTRA_BUILD:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build}"
export WINEPREFIX="${WINEPREFIX:-$VELTRA_BUILD/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEARCH=win64
# No Mono or Gecko installers: nothing may be downloaded.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree=;mshtml=;winemenubuilder.exe=d}"

veltra_prepare_prefix() {
  mkdir -p "$VELTRA_BUILD"
  if [ ! -f "$WINEPREFIX/.veltra-ready" ]; then
    wineboot --init >/dev/null 2>&1 || true
    wineserver -w
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
      /v Auto /t REG_SZ /d 0 /f >/dev/null 2>&1 || true
    wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
      /v Debugger /f >/dev/null 2>&1 || true
    wineserver -w
    touch "$WINEPREFIX/.veltra-ready"
  fi
}

# One Wine server for the whole run, with Wine's own background processes
# (services, the desktop) started here with their output going nowhere: a
# Wine process that starts them hands them its stdout, and a test runner
# reading that pipe would then wait for ever.
veltra_start_wine() {
  wineserver -p >/dev/null 2>&1
  wine cmd.exe /c exit >/dev/null 2>&1 </dev/null || true
}

# Starts Wine's desktop process from a program that only holds a hidden
# window, with its output going nowhere: the desktop otherwise comes from the
# first test that opens a window, keeps that test's error output, and the
# test runner waits on it for as long as any window of the run is open.
#   veltra_keep_desktop <name of an array that collects started process ids>
veltra_keep_desktop() {
  local -n _keeper_pids=$1
  local ready="$VELTRA_BUILD/desktop-keeper.ready"
  rm -f "$ready"
  wine "$VELTRA_BUILD/tests/support/desktop_keeper.exe" "Z:${ready//\//\\}" \
    </dev/null >/dev/null 2>&1 &
  _keeper_pids+=($!)
  for _ in $(seq 300); do [ -e "$ready" ] && break; sleep 0.1; done
}
