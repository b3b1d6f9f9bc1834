#!/usr/bin/env bash
# Checks that a test run left nothing of its own running. The run marks its
# environment with VELTRA_RUN_ID, and every process it starts inherits the
# mark: the X servers and the print server, Wine and its background
# services, the programs under test, whatever runs as the test user. Waits
# up to 20 s for such processes to end; exits 1 and lists them when some
# are still there.
#   leftovers.sh <run id>     (run it without the mark in its own environment)
set -u
mark="VELTRA_RUN_ID=$1"

marked() {
  grep -lzxF "$mark" /proc/[0-9]*/environ 2>/dev/null | sed 's#^/proc/\([0-9]*\)/environ$#\1#'
}

for _ in $(seq 40); do
  pids=$(marked)
  [ -z "$pids" ] && exit 0
  sleep 0.5
done
echo "leftovers: these processes of the test run are still running:" >&2
ps -o pid=,user=,etime=,args= -p "$(echo $pids | tr ' ' ',')" >&2
exit 1
