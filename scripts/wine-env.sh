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
  if [ ! -f "$WINEPREFIX/.veltra-cjk-fonts" ]; then
    veltra_cjk_fonts
    touch "$WINEPREFIX/.veltra-cjk-fonts"
  fi
}

# Chinese, Japanese and Korean names on the screen and on paper, as on a
# Windows system with its East Asian fonts: the dialogs' font (DejaVu Sans
# under Wine) falls back to WenQuanYi Micro Hei for what it lacks, and the
# printer's own font (Courier New) is WenQuanYi Micro Hei Mono, which holds
# them itself, since Wine's PostScript driver embeds no fallback font.
veltra_cjk_fonts() {
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v 'DejaVu Sans' /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1 || true
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' \
    /v 'Courier New' /t REG_SZ /d 'WenQuanYi Micro Hei Mono' /f >/dev/null 2>&1 || true
  wineserver -w
}

# One Wine server for the whole run, with Wine's own background processes
# (services, the desktop) started here with their output going nowhere: a
# Wine process that starts them hands them its stdout, and a test runner
# reading that pipe would then wait for ever.
veltra_start_wine() {
  wineserver -p >/dev/null 2>&1
  wine cmd.exe /c exit >/dev/null 2>&1 </dev/null || true
}
