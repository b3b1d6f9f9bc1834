# Sourced by test.sh: a CUPS server of this build's own with a PDF queue,
# "VeltraPDF", as its default printer, which Wine shows as a Windows printer.
# Its own server (configuration, spool and socket under the build folder,
# CUPS_SERVER pointing at the socket) so that test runs of other build folders
# neither share its queue nor stop it under it. cups-pdf writes to PDF/ in
# the home folder that the password database gives the printing user (not
# $HOME, which a CI runner may point elsewhere).
veltra_start_printing() {
  local -n _pids=$1
  command -v cupsd >/dev/null || return 0
  local dir="$VELTRA_BUILD/cups"
  export CUPS_SERVER="$dir/cups.sock"
  local home
  home=$(getent passwd "$(id -un)" | cut -d: -f6)
  export VELTRA_PDF_DIR="${home:-$HOME}/PDF"
  if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    rm -rf "$dir"
    mkdir -p "$dir"/{spool/tmp,cache,state,log}
    cat >"$dir/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel warn
WebInterface No
Browsing Off
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
    cat >"$dir/cups-files.conf" <<CONF
ServerRoot $dir
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
SystemGroup root lpadmin
CONF
    cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
    _pids+=($!)
    for _ in $(seq 50); do lpstat -r 2>/dev/null | grep -q "is running" && break; sleep 0.2; done
  fi
  if ! lpstat -p VeltraPDF >/dev/null 2>&1; then
    lpadmin -p VeltraPDF -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -E 2>/dev/null ||
      lpadmin -p VeltraPDF -v cups-pdf:/ -m everywhere -E 2>/dev/null || true
  fi
  lpadmin -d VeltraPDF 2>/dev/null || true
  mkdir -p "$VELTRA_PDF_DIR"
}
