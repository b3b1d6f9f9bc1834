#!/usr/bin/env bash
# Runs a test program under Wine as an unprivileged user, with a Wine prefix
# and an X server of that user's own: access can be denied only to such a
# user, and the test runs as root. Creates the user when it is missing.
#   run_as_user.sh <test exe> <wine-env.sh> [test arguments...]
# Exits 77 (the test's skip code) when no unprivileged user can be had.
set -uo pipefail
exe=$1
wine_env=$2
shift 2
user=veltratest
skip=77
# veltra_wait_for, from beside the Wine settings the test is given.
source "$(dirname "$wine_env")/wait.sh"

if [ "$(id -u)" -ne 0 ]; then
  echo "skipped: switching to an unprivileged user needs root, and this runs as $(id -un)"
  exit $skip
fi
if ! id -u "$user" >/dev/null 2>&1; then
  if ! useradd -m -s /bin/sh "$user" >/dev/null 2>&1; then
    echo "skipped: the user $user is missing and cannot be created"
    exit $skip
  fi
fi
uid=$(id -u "$user")
home=$(getent passwd "$user" | cut -d: -f6)
[ -d "$home" ] || { mkdir -p "$home" && chown "$user:" "$home"; }

# Everything the user runs lives in a folder of its own: the test program
# (the build folder may not be reachable for it) and the Wine prefix, which
# Wine accepts only when its owner runs it.
work=$(mktemp -d /tmp/veltra-as-user.XXXXXX)
cp "$exe" "$work/"
chown -R "$user:" "$work"
chmod 755 "$work"
program="$work/$(basename "$exe")"

# The user's environment is built afresh; the test run's mark goes with it,
# so that whatever the user's programs leave behind is found.
user_env=(setpriv --reuid="$uid" --regid="$(id -g "$user")" --init-groups
  env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$home" USER="$user" LOGNAME="$user"
  WINEPREFIX="$work/wineprefix" VELTRA_BUILD="$work" VELTRA_RUN_ID="${VELTRA_RUN_ID:-}")
as_user() { "${user_env[@]}" DISPLAY="$display" "$@"; }

display=""
started=()
cleanup() {
  as_user wineserver -k >/dev/null 2>&1 || true
  as_user timeout 60 wineserver -w >/dev/null 2>&1 || true
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${started[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# The X server first, then the first Wine process of the prefix. Started as
# one simple command, so that setpriv and env each replace themselves and
# the id recorded is the X server's own; it picks a free display and names
# it once it accepts connections.
# Without a display named within 30 s the test fails, with the server's own
# last words.
"${user_env[@]}" Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
  3>"$work/display" >/dev/null 2>"$work/xvfb.log" &
started+=($!)
if ! veltra_wait_for --alive "${started[-1]}" Xvfb 30 "the X server of $user to name its display" \
  test -s "$work/display"; then
  tail -n 20 "$work/xvfb.log" | sed 's/^/  Xvfb: /' >&2
  exit 1
fi
display=":$(head -n 1 "$work/display")"

if ! as_user bash -c "source '$wine_env' && veltra_prepare_prefix && veltra_start_wine" </dev/null; then
  echo "run_as_user: the Wine prefix of $user could not be prepared" >&2
  exit 1
fi
echo "running $(basename "$exe") as $user (uid $uid) on $display"
as_user bash -c "source '$wine_env' && wine '$program' \"\$@\"" run "$@" </dev/null
status=$?
exit $status
