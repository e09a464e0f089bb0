# What differs between the Debian releases the two commands run on, sourced
# by the scripts that care. Debian 12 (bookworm): Wine 8. Debian 13 (trixie)
# and later: Wine 10. The shipped i686 program: Wine 10's own WOW64 mode,
# given the i386 modules of libwine, where the kernel runs 32-bit code; else
# (every Debian 12, and a kernel built or booted without 32-bit code) Debian
# 12's i386 Wine 8 under qemu, whatever the release, with its own wineserver.
# scripts/wine32.sh makes either.
. /etc/os-release
OW_SUITE=${VERSION_CODENAME:-bookworm}
# The system programs of /sbin (ldconfig, debootstrap, chroot) are called by
# name: a user's PATH on Debian has none of those folders.
case ":$PATH:" in *:/usr/sbin:*) ;; *) PATH=$PATH:/usr/sbin:/sbin ;; esac

# What needs root (apt, mounts) runs through sudo for a user who has it;
# without a password prompt in the tests (test.sh asks once at its start).
as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo -n "$@"; fi
}

# The Debian mirror the system's own apt uses: the address of the entry for
# the release itself (a deb822 .sources stanza or a sources.list line, its
# [options] skipped), the first address of a mirror+file list. Said when none
# is found and Debian's own address is taken.
debian_mirror() {
    local uri
    local etc=${OW_APT_ETC:-/etc/apt}
    uri=$( { cat "$etc"/sources.list.d/*.sources 2>/dev/null; echo; } | awk -v suite="$OW_SUITE" '
        function flush() { if (uris != "" && (" " suites " ") ~ (" " suite " ")) { print uris; uris = ""; exit } uris = suites = "" }
        /^[ \t]*$/ { flush(); next }
        /^URIs:/ { sub(/^URIs:[ \t]*/, ""); uris = $1 }
        /^Suites:/ { sub(/^Suites:[ \t]*/, ""); suites = $0 }
        END { flush() }')
    [ -n "$uri" ] || uri=$(cat "$etc/sources.list" "$etc"/sources.list.d/*.list 2>/dev/null | awk -v suite="$OW_SUITE" '
        $1 != "deb" { next }
        { i = 2; if ($2 ~ /^\[/) { while (i <= NF && $i !~ /\]$/) i++; i++ } }
        $(i + 1) == suite { print $i; exit }')
    case $uri in
    mirror+file:*) uri=$(grep -m1 -o '^[a-z]*://[^[:space:]]*' "${uri#mirror+file:}" 2>/dev/null) || uri= ;;
    mirror*://*) uri= ;;
    esac
    if [ -z "$uri" ]; then
        uri=http://deb.debian.org/debian
        echo "release: no Debian mirror for $OW_SUITE in the system's apt sources; taking $uri" >&2
    fi
    echo "$uri"
}

# A 96-byte i386 Linux program that exits with 0: the kernel runs it only if
# it runs 32-bit code at all, as WOW64 needs.
kernel_runs_32bit() {
    local probe rc
    probe=$(mktemp)
    base64 -d >"$probe" <<<'f0VMRgEBAQAAAAAAAAAAAAIAAwABAAAAVIAECDQAAAAAAAAAAAAAADQAIAABAAAAAAAAAAEAAAAAAAAAAIAECACABAhgAAAAYAAAAAUAAAAAEAAAuAEAAAC7AAAAAM2A'
    chmod +x "$probe"
    "$probe" 2>/dev/null
    rc=$?
    rm -f "$probe"
    return $rc
}

case ${VERSION_ID:-12} in
12)
    OW_CLANG_RT=libclang-rt-14-dev
    # Debian 12's qemu 7.2 ignores a mapping flag Wine relies on: 10 is in backports.
    OW_QEMU_SUITE=bookworm-backports
    # Wine 8 keeps every top-level window to itself on the bare display.
    OW_WINDOW_MANAGER=
    ;;
*)
    OW_CLANG_RT=libclang-rt-dev
    OW_QEMU_SUITE=$OW_SUITE
    # Wine 10 hands a window as large as the screen to the window manager
    # whatever the settings say, and holds its messages until one answers:
    # without one, the first message posted in its WM_CREATE never comes.
    # (In Wine's own virtual desktop instead, modal loops miss their wake-ups.)
    OW_WINDOW_MANAGER=openbox
    ;;
esac

# OW_I686=qemu in the environment takes the emulated bed where WOW64 could run.
if [ "${OW_I686:-}" != qemu ]; then
    OW_I686=qemu
    [ -z "${OW_WINE32:-}" ] || [ "${VERSION_ID:-12}" = 12 ] || ! kernel_runs_32bit || OW_I686=wow64
fi
if [ "$OW_I686" = qemu ]; then
    # Debian 12's i386 Wine 8 whatever the release: under qemu, Wine 10's
    # i386 build loses the first dialog of most starts. It brings its own
    # wineserver, as the system's may speak another version's protocol.
    OW_WINE32_SUITE=bookworm
    # Each program start costs seconds under qemu: the scenarios marked i686.
    OW_I686_TAG=i686
    [ -z "${OW_WINE32:-}" ] || OW_WINDOW_MANAGER=
else
    # The shipped program is the one users run: every scenario.
    OW_I686_TAG=
fi
