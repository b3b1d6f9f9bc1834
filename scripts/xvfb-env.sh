# Sourced by the scripts: starts a virtual X server on a free display and
# exports DISPLAY. Call before the first Wine process of the prefix.
#   veltra_start_xvfb <name of an array that collects started process ids>
# The server picks a free display itself and names it once it accepts
# connections (-displayfd), so two runs never race for one display.
veltra_start_xvfb() {
  local -n _xvfb_pids=$1
  local named
  named=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${VELTRA_SCREEN:-1280x1024x24}" -nolisten tcp \
    3>"$named" >/dev/null 2>&1 &
  _xvfb_pids+=($!)
  for _ in $(seq 300); do [ -s "$named" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n 1 "$named")"
  rm -f "$named"
}
