# The system folders of a root made by debootstrap, bound into it and released
# again, sourced by scripts/debian13.sh (as root). Each bind is made a slave
# at once: on a machine whose mounts are shared (any systemd one), unmounting
# a shared copy would unmount the machine's own /dev/pts, /dev/shm or cgroups.

bind_system() {  # ROOT
    local m
    for m in proc sys dev; do
        mount --rbind "/$m" "$1/$m"
        mount --make-rslave "$1/$m"
    done
}

# Every process still running inside ROOT, then its mounts, deepest first,
# each made a slave before any is unmounted (a run of an earlier script, or
# one killed between its bind and its slave, may have left shared ones).
release_root() {  # ROOT
    local link pid m mounts
    for link in /proc/[0-9]*/root; do
        [ "$(readlink "$link" 2>/dev/null)" = "$1" ] || continue
        pid=${link#/proc/}; pid=${pid%/root}
        kill -KILL "$pid" 2>/dev/null || true
    done
    mounts=$(grep -o " $1/[^ ]*" /proc/mounts | sort -ru) || return 0
    for m in $mounts; do mount --make-rslave "$m" 2>/dev/null || true; done
    for m in $mounts; do umount -l "$m" 2>/dev/null || true; done
}
