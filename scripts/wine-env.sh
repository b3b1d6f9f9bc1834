# Sourced by the other scripts: a Wine prefix of the build's own, never
# ~/.wine, prepared once, with the crash debugger turned off so that a
# crashing test ends instead of waiting for ever in winedbg, and with the
# dialog font of Windows (see veltra_prepare_prefix).
#   VELTRA_BUILD   build folder (default: build beside the sources)
#   DISPLAY        must be set before the first Wine process of the prefix
source "$(dirname "${BASH_SOURCE[0]}")/wait.sh"
: "${VELTRA_BUILD:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build}"
export WINEPREFIX="${WINEPREFIX:-$VELTRA_BUILD/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEARCH=win64
# No Mono or Gecko installers: nothing may be downloaded.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree=;mshtml=;winemenubuilder.exe=d}"

# What the preparation below sets up, with the Wine that set it up: a prefix
# whose marker holds another stamp (prepared by an earlier version of this
# script, or by another Wine, whose own update rewrites the font settings) is
# prepared again.
veltra_prefix_stamp() {
  echo "veltra prefix 3 (no crash debugger, Windows dialog font, CJK printer font)," \
    "$(wine --version 2>/dev/null)"
}

# The dialogs ask for "MS Sans Serif" 8 pt. Wine's own "MS Sans Serif"
# (sserife.fon, package fonts-wine) has the widths of Windows' font, so that
# captions take the room they take on Windows; without it Wine draws a wider
# stand-in. Debian's Wine does not look for its fonts where fonts-wine puts
# them, so the prefix gets the font where Windows keeps it, in C:\windows\Fonts.
# "MS Shell Dlg" (the system's own dialogs: folder browser, print dialog)
# stands on Windows for Microsoft Sans Serif, the same design; Wine would
# draw it with Tahoma. Both names are substituted with "MS Sans Serif".
veltra_dialog_font=/usr/share/wine/fonts/sserife.fon
veltra_prepare_prefix() {
  mkdir -p "$VELTRA_BUILD"
  local marker="$WINEPREFIX/.veltra-ready" stamp
  stamp=$(veltra_prefix_stamp)
  [ "$(cat "$marker" 2>/dev/null)" = "$stamp" ] && return 0
  wineboot --init >/dev/null 2>&1 || true
  wineserver -w
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
    /v Auto /t REG_SZ /d 0 /f >/dev/null 2>&1 || true
  wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
    /v Debugger /f >/dev/null 2>&1 || true
  local face
  for face in "MS Shell Dlg" "Microsoft Sans Serif"; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
      /v "$face" /t REG_SZ /d "MS Sans Serif" /f >/dev/null 2>&1 || true
  done
  # Chinese, Japanese and Korean names on paper, as on a Windows system with
  # its East Asian fonts: the printer's own font (Courier New) is WenQuanYi
  # Micro Hei Mono (fonts-wqy-microhei), which holds them itself, since Wine's
  # PostScript driver embeds no glyph of a linked fallback font.
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' \
    /v 'Courier New' /t REG_SZ /d 'WenQuanYi Micro Hei Mono' /f >/dev/null 2>&1 || true
  wineserver -w
  if ! cp -f "$veltra_dialog_font" "$WINEPREFIX/drive_c/windows/Fonts/"; then
    # Not marked ready: the next run tries again, once setup.sh has run.
    echo "wine-env: cannot put $veltra_dialog_font into the prefix" \
      "(bash scripts/setup.sh installs it)" >&2
    return 0
  fi
  echo "$stamp" >"$marker"
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
# Returns non-zero, saying why on stderr, when the program has not said
# within 30 s that its window is there.
#   veltra_keep_desktop <name of an array that collects started process ids>
veltra_keep_desktop() {
  local -n _keeper_pids=$1
  local ready="$VELTRA_BUILD/desktop-keeper.ready" pid
  rm -f "$ready"
  wine "$VELTRA_BUILD/tests/support/desktop_keeper.exe" "Z:${ready//\//\\}" \
    </dev/null >/dev/null 2>&1 &
  pid=$!
  _keeper_pids+=("$pid")
  veltra_wait_for --alive "$pid" desktop_keeper.exe 30 \
    "desktop_keeper.exe to write $ready (Wine's desktop up)" test -e "$ready"
}
