# Sourced by the scripts: starts a virtual X server on a free display and
# exports DISPLAY. Call before the first Wine process of the prefix.
#   veltra_start_xvfb <name of an array that collects started process ids>
veltra_start_xvfb() {
  local -n _xvfb_pids=$1
  local display=""
  for n in $(seq 90 170); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
  done
  Xvfb "$display" -screen 0 "${VELTRA_SCREEN:-1280x1024x24}" -nolisten tcp >/dev/null 2>&1 &
  _xvfb_pids+=($!)
  export DISPLAY="$display"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
}
