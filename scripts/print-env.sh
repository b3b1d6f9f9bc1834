# Sourced by test.sh: a CUPS server of this build's own with a PDF queue,
# "VeltraPDF", as its default printer, which Wine shows as a Windows printer.
# Its own server (configuration, spool and socket under the build folder,
# CUPS_SERVER pointing at the socket) so that test runs of other build folders
# neither share its queue nor stop it under it. cups-pdf writes to PDF/ in
# the home folder that the password database gives the printing user (not
# $HOME, which a CI runner may point elsewhere).
# veltra_start_printing returns non-zero, saying why on stderr, when the
# server cannot be started or the queue cannot be made: the printing tests
# would otherwise fail later for a reason they cannot name.
source "$(dirname "${BASH_SOURCE[0]}")/wait.sh"

# The path of a CUPS program; cupsd and lpadmin live in /usr/sbin, which the
# PATH of an unprivileged user may leave out.
veltra_cups_tool() {
  command -v "$1" 2>/dev/null && return 0
  [ -x "/usr/sbin/$1" ] && echo "/usr/sbin/$1" && return 0
  echo "print-env: $1 is missing (bash scripts/setup.sh installs it)" >&2
  return 1
}

veltra_cups_running() {
  [[ "$(lpstat -r 2>/dev/null)" == *"is running"* ]]
}

#   veltra_start_printing <name of an array that collects started process ids>
veltra_start_printing() {
  local -n _pids=$1
  local dir="$VELTRA_BUILD/cups" ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  local cupsd lpadmin home pid
  cupsd=$(veltra_cups_tool cupsd) || return 1
  lpadmin=$(veltra_cups_tool lpadmin) || return 1
  veltra_cups_tool lpstat >/dev/null || return 1
  export CUPS_SERVER="$dir/cups.sock"
  home=$(getent passwd "$(id -un)" | cut -d: -f6) || true
  export VELTRA_PDF_DIR="${home:-$HOME}/PDF"
  if ! veltra_cups_running; then
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
    "$cupsd" -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
    pid=$!
    _pids+=("$pid")
    if ! veltra_wait_for --alive "$pid" cupsd 10 "cupsd to answer on $CUPS_SERVER" veltra_cups_running; then
      echo "print-env: cupsd did not start; its last messages:" >&2
      local said
      said=$(tail -q -n 20 "$dir/log/cupsd.out" "$dir/log/error_log" 2>/dev/null) || true
      sed 's/^/  /' <<<"${said:-(none)}" >&2
      return 1
    fi
  fi
  if ! lpstat -p VeltraPDF >/dev/null 2>&1; then
    if [ ! -f "$ppd" ]; then
      echo "print-env: $ppd is missing (bash scripts/setup.sh installs printer-driver-cups-pdf)" >&2
      return 1
    fi
    # lpadmin warns on stderr that printer drivers are deprecated; that goes
    # through with any real error.
    if ! "$lpadmin" -p VeltraPDF -v cups-pdf:/ -P "$ppd" -E; then
      echo "print-env: lpadmin could not make the queue VeltraPDF on $CUPS_SERVER" >&2
      return 1
    fi
  fi
  if ! "$lpadmin" -d VeltraPDF; then
    echo "print-env: lpadmin could not make VeltraPDF the default printer on $CUPS_SERVER" >&2
    return 1
  fi
  # What the tests print on: the queue takes jobs and the default names it.
  if ! lpstat -a VeltraPDF >/dev/null || [[ "$(lpstat -d)" != *VeltraPDF* ]]; then
    echo "print-env: VeltraPDF is not an accepting default queue on $CUPS_SERVER:" >&2
    lpstat -p -a -d 2>&1 | sed 's/^/  /' >&2 || true
    return 1
  fi
  mkdir -p "$VELTRA_PDF_DIR"
}
