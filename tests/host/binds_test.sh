#!/usr/bin/env bash
# debian13.sh's binds of /proc, /sys and /dev into a root, and their release,
# in a mount namespace of their own whose mounts are all shared, as on a
# systemd machine: the namespace's own /dev submounts (one made here, and
# /dev/pts) must survive the release, and nothing stays bound in the root.
set -uo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
source "$here/scripts/release.sh"
if [ "$(id -u)" -ne 0 ]; then
    sudo -n true 2>/dev/null || { echo "binds: neither root nor sudo here"; exit 77; }
    exec sudo -n "$0" "$@"
fi
# A namespace's mounts are made private from its "/", which must be a mount.
mountpoint -q / || { echo "binds: in a chroot, whose / is no mount of its own"; exit 77; }
root=$(mktemp -d)
trap 'rmdir "$root"/* "$root"' EXIT
mkdir "$root/proc" "$root/sys" "$root/dev"
# unshare makes the copies private first: nothing here reaches the machine's mounts.
unshare -m bash -c '
    source "$1/scripts/chroot.sh"
    root=$2
    mount --make-rshared /
    mkdir -p /dev/owprobe && mount -t tmpfs -o size=4k probe /dev/owprobe || exit 2
    mountpoint -q /dev/pts || mount -t devpts devpts /dev/pts || exit 2
    bind_system "$root"
    mountpoint -q "$root/dev/owprobe" || { echo "FAIL: /dev/owprobe is not bound into the root"; exit 1; }
    release_root "$root"
    rc=0
    for m in /dev/owprobe /dev/pts; do
        mountpoint -q "$m" || { echo "FAIL: the release unmounted the machine'"'"'s own $m"; rc=1; }
    done
    ! grep -q " $root/" /proc/mounts || { echo "FAIL: left bound: $(grep -o " $root/[^ ]*" /proc/mounts)"; rc=1; }
    # The folder is on the machine'"'"'s own /dev: it goes with the test.
    umount /dev/owprobe 2>/dev/null
    rmdir /dev/owprobe
    exit $rc
' _ "$here" "$root"
rc=$?
[ $rc -eq 0 ] && echo "binds: the machine's mounts survive the root's release"
exit $rc
