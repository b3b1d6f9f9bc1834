# Sourced by the scripts: waits for a condition for a bounded time, and says
# so when it did not come, so that no script goes on without what it waited
# for (an X server that named no display, a print server that never answered,
# a window that never opened).
#   veltra_wait_for [--alive <pid> <name>] <seconds> <what> <command> [arguments...]
# Runs the command every 0.1 s until it succeeds, and returns 0 then. When the
# time runs out first, or (with --alive) the process <pid> has ended, writes
# on stderr what it waited for and returns 1.
veltra_wait_for() {
  local pid="" name=""
  if [ "$1" = --alive ]; then
    pid=$2 name=$3
    shift 3
  fi
  local seconds=$1 what=$2
  shift 2
  # Microseconds, from the shell's own clock: the command's own time counts.
  local deadline=$((${EPOCHREALTIME/[.,]/} + seconds * 1000000))
  until "$@"; do
    if [ -n "$pid" ] && ! kill -0 "$pid" 2>/dev/null; then
      # It may have done its part just before it ended.
      "$@" && return 0
      echo "${0##*/}: $name ended while waiting for $what" >&2
      return 1
    fi
    if ((${EPOCHREALTIME/[.,]/} >= deadline)); then
      echo "${0##*/}: gave up after $seconds s waiting for $what" >&2
      return 1
    fi
    sleep 0.1
  done
}
