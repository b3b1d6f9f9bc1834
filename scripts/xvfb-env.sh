# Sourced by the scripts: starts a virtual X server on a free display and
# exports DISPLAY. Call before the first Wine process of the prefix.
#   veltra_start_xvfb <name of an array that collects started process ids>
# The server picks a free display itself and names it once it accepts
# connections (-displayfd), so two runs never race for one display. Returns
# non-zero, with the reason and the server's own messages on stderr, when no
# display was named within 30 s; the caller ends the server through its id.
source "$(dirname "${BASH_SOURCE[0]}")/wait.sh"

veltra_start_xvfb() {
  local -n _xvfb_pids=$1
  local named log pid number
  named=$(mktemp)
  log=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${VELTRA_SCREEN:-1280x1024x24}" -nolisten tcp \
    3>"$named" >/dev/null 2>"$log" &
  pid=$!
  _xvfb_pids+=("$pid")
  if veltra_wait_for --alive "$pid" Xvfb 30 "Xvfb to name its display" test -s "$named"; then
    number=$(head -n 1 "$named")
    [[ "$number" =~ ^[0-9]+$ ]] || echo "xvfb-env: Xvfb named no display but \"$number\"" >&2
  fi
  rm -f "$named"
  if [[ ! "${number:-}" =~ ^[0-9]+$ ]]; then
    echo "xvfb-env: the last messages of Xvfb:" >&2
    tail -n 20 "$log" | sed 's/^/  /' >&2
    rm -f "$log"
    return 1
  fi
  # The server keeps writing to the file it was given; nobody reads it now.
  rm -f "$log"
  export DISPLAY=":$number"
}
