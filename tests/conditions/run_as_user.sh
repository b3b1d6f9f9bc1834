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

started=()
cleanup() {
  as_user wineserver -k >/dev/null 2>&1 || true
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${started[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

for n in $(seq 140 180); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done

as_user() {
  setpriv --reuid="$uid" --regid="$(id -g "$user")" --init-groups \
    env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$home" USER="$user" LOGNAME="$user" \
    DISPLAY="$display" WINEPREFIX="$work/wineprefix" VELTRA_BUILD="$work" "$@"
}

# The X server first, then the first Wine process of the prefix.
as_user Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
started+=($!)
for _ in $(seq 50); do as_user xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

as_user bash -c "source '$wine_env' && veltra_prepare_prefix && veltra_start_wine" </dev/null
echo "running $(basename "$exe") as $user (uid $uid) on $display"
as_user bash -c "source '$wine_env' && wine '$program' \"\$@\"" run "$@" </dev/null
status=$?
exit $status
