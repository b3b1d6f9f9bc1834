#!/usr/bin/env bash
# Mounts (setup) or unmounts (cleanup) the small file system that the
# full-disk tests copy onto. Mounting needs root with CAP_SYS_ADMIN; where it
# is refused, the reason is left beside the mount point and the tests skip.
#   small_disk.sh setup|cleanup <mount point>
set -u
action=$1
point=$2
reason="$point.reason"

case "$action" in
setup)
  mkdir -p "$point"
  rm -f "$reason"
  # A mount left behind by an interrupted run is replaced by a fresh one.
  if mountpoint -q "$point"; then umount "$point" 2>/dev/null || umount -l "$point"; fi
  if ! out=$(mount -t tmpfs -o size=4m,mode=1777 veltra-small-disk "$point" 2>&1); then
    printf 'mount refused as %s: %s\n' "$(id -un)" "$out" >"$reason"
    cat "$reason"
  fi
  exit 0
  ;;
cleanup)
  if mountpoint -q "$point"; then umount "$point" 2>/dev/null || umount -l "$point"; fi
  rm -f "$reason"
  exit 0
  ;;
esac
echo "usage: $0 setup|cleanup <mount point>" >&2
exit 2
