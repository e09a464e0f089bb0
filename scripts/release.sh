# What differs between the Debian releases the two commands run on, sourced
# by the scripts that care. Debian 12 (bookworm): Wine 8, and the i686 program
# under Debian's i386 Wine run by qemu. Debian 13 (trixie) and later: Wine 10,
# which runs the i686 program itself in its WOW64 mode, given the i386 modules
# of libwine, where the kernel runs 32-bit code; where it does not (a kernel
# built or booted without it), qemu as on Debian 12. scripts/wine32.sh makes
# either.
. /etc/os-release
OW_SUITE=${VERSION_CODENAME:-bookworm}

# The Debian mirror the system's own apt uses.
debian_mirror() {
    local uri
    uri=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -n 1) || true
    [ -n "$uri" ] || uri=$(awk '$1 == "deb" { print $2; exit }' /etc/apt/sources.list 2>/dev/null) || true
    echo "${uri:-http://deb.debian.org/debian}"
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
    OW_I686=qemu
    # Debian 12's qemu 7.2 ignores a mapping flag Wine relies on: 10 is in backports.
    OW_QEMU_SUITE=bookworm-backports
    # Each program start costs seconds under qemu: the scenarios marked i686.
    OW_I686_TAG=i686
    # Wine 8 keeps every top-level window to itself on the bare display.
    OW_WINDOW_MANAGER=
    ;;
*)
    OW_CLANG_RT=libclang-rt-dev
    OW_I686=qemu
    [ -z "${OW_WINE32:-}" ] || ! kernel_runs_32bit || OW_I686=wow64
    OW_QEMU_SUITE=$OW_SUITE
    # The shipped program is the one users run: every scenario.
    OW_I686_TAG=
    # Wine 10 hands a window as large as the screen to the window manager
    # whatever the settings say, and holds its messages until one answers:
    # without one, the first message posted in its WM_CREATE never comes.
    # (In Wine's own virtual desktop instead, modal loops miss their wake-ups.)
    OW_WINDOW_MANAGER=openbox
    ;;
esac
