#!/usr/bin/env bash
# The two commands on a fresh Debian 13 machine, from this machine (Debian,
# as root): makes a Debian 13 root under build/debian13 with debootstrap from
# Debian's own packages, clones the checkout's last commit into it, and runs
# scripts/demo.sh, then scripts/test.sh there, printing each step's time.
# A run that passes removes the root; one that fails leaves it to be looked at
# (chroot build/debian13/root, the checkout in /root/orbweave).
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || { echo "debian13.sh: run as root (debootstrap, chroot, mounts)" >&2; exit 2; }
here=$PWD
top=$here/build/debian13 root=$here/build/debian13/root
commit=$(git rev-parse HEAD)
source scripts/release.sh
mirror=$(debian_mirror)

source scripts/chroot.sh
# Never into the machine's own /dev or /sys, should one of their mounts remain.
remove_root() { release_root "$root"; rm -rf --one-file-system "$top"; }
trap 'release_root "$root"' EXIT
trap 'exit 143' TERM INT HUP  # so that the release runs when the script is stopped

step() {  # NAME COMMAND...
    local name=$1 start=$SECONDS
    shift
    echo "debian13: $name ..."
    if ! "$@"; then
        echo "debian13: $name FAILED after $((SECONDS - start)) s; the root is kept in $root" >&2
        exit 1
    fi
    echo "debian13: $name took $((SECONDS - start)) s"
}

bootstrap() {
    command -v debootstrap >/dev/null ||
        { DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null; }
    remove_root
    mkdir -p "$top"
    # git and ca-certificates, as on any machine the checkout was cloned on.
    debootstrap --include=git,ca-certificates trixie "$root" "$mirror" >"$top/debootstrap.log" 2>&1 ||
        { tail -n 20 "$top/debootstrap.log" >&2; return 1; }
}

enter() {
    bind_system "$root"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    git clone -q --no-hardlinks "$here" "$root/root/orbweave"
    git -C "$root/root/orbweave" checkout -q --detach "$commit"
}

# OW_I686=qemu (release.sh) passes through: the emulated bed where WOW64 could run.
in_root() { chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
    ${OW_I686:+OW_I686=$OW_I686} bash -c "cd /root/orbweave && $1"; }

start=$SECONDS
echo "debian13: commit $commit, from $mirror"
step "making a Debian 13 root (debootstrap)" bootstrap
step "cloning the commit into it" enter
step "bash scripts/demo.sh" in_root "bash scripts/demo.sh"
step "bash scripts/test.sh" in_root "bash scripts/test.sh 2>&1 | tee /root/test.log; exit \${PIPESTATUS[0]}"
grep -h '^test32: the i686 program' "$root/root/test.log" | sed 's/^/debian13: /'
remove_root
echo "debian13: both commands passed on Debian 13 in $((SECONDS - start)) s"
