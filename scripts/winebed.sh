#!/usr/bin/env bash
# The Wine test bed: a hermetic prefix under build/, a virtual display and
# resident Wine processes so that each program starts warm.
#
#   winebed.sh prefix                  make the template prefix (once per build tree)
#   winebed.sh clone DIR               copy the template prefix to DIR (a fresh machine)
#   winebed.sh run PROG [ARGS...]      run a Windows program, return its exit code
#                                      (in the prefix's C:\ or OW_CWD)
#   winebed.sh version EXE VER         emulate Windows VER (win95, nt351, win31...) for EXE
#   winebed.sh drive L: DIR [TYPE]     add drive L: for DIR (TYPE: hd, cdrom, network)
#   winebed.sh tinydisk [L: DIR]       mount a 64 KB tmpfs behind drive T: (or L: on DIR)
#   winebed.sh screenshot FILE         save the virtual screen as an image
#   winebed.sh reset [PREFIX]          end every Wine process of PREFIX, or of every
#                                      prefix under this build tree (both beds)
#   winebed.sh stop                    stop the residents and the display
#
# WINEPREFIX selects another prefix (a clone); the display and the template are shared.
# OW_WINE32=1 selects the 32-bit bed for the shipped i686 program, with its
# own prefixes and display: Wine's i386 build under qemu on Debian 12, the
# system's Wine in its WOW64 mode on Debian 13 (scripts/wine32.sh).
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$ROOT/scripts/release.sh"
if [ -n "${OW_WINE32:-}" ]; then
    BED=${OW_WINEBED:-$ROOT/build/wine32/bed}
    "$ROOT/scripts/wine32.sh" "$ROOT/build/wine32"
    if [ "$OW_I686" = wow64 ]; then
        export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
        export WINEDLLPATH=$ROOT/build/wine32/dlls
    else
        export WINELOADER=$ROOT/build/wine32/wine WINESERVER=$ROOT/build/wine32/wineserver
        export WINELOADERNOEXEC=1 WINEARCH=win32
        unset WINEDLLPATH
    fi
else
    BED=${OW_WINEBED:-$ROOT/build/wine}
    export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
fi
TEMPLATE=$BED/prefix
# Clones copy this still copy of the template, made when it was booted: tests
# run in the template itself, and Wine rewrites its files as they do.
SNAPSHOT=$BED/prefix.clean
READY=$SNAPSHOT/.ready  # the bed is whole once the copy is
export WINEPREFIX=${WINEPREFIX:-$TEMPLATE}
export WINEDEBUG=${WINEDEBUG:--all,err+module}
export WINEDLLOVERRIDES="mscoree,mshtml="
# One display per build tree, so that two checkouts can test side by side.
DISPLAY_NUM=${OW_DISPLAY_NUM:-$(( 100 + $(printf '%s' "$BED" | cksum | cut -d' ' -f1) % 800 ))}
export DISPLAY=:$DISPLAY_NUM
TIMEOUT=${OW_TIMEOUT:-120}

wine() { "$WINELOADER" "$@"; }

make_prefix() {
    [ -f "$READY" ] && return 0
    mkdir -p "$BED"
    { flock 9; [ -f "$READY" ] || boot_prefix; } 9>"$BED/prefix.lock"
}

copy_prefix() {  # from to
    rm -rf "$2"; mkdir -p "$2"
    # system32 is only read by Wine: hard links are safe there and save 0.6 s.
    tar -C "$1" --exclude=./drive_c/windows/system32 -cf - . | tar -C "$2" -xf -
    cp -al "$1/drive_c/windows/system32" "$2/drive_c/windows/"
}

boot_prefix() {
    rm -rf "$TEMPLATE" "$SNAPSHOT"
    echo "winebed: making the Wine prefix $TEMPLATE" >&2
    WINEPREFIX=$TEMPLATE wine wineboot -i >/dev/null 2>&1 9>&-
    # Drive E:, so that drives are not contiguous (C:, E:, T:, Z:), as on many PCs.
    mkdir -p "$BED/drive-e"
    ln -sfn "$BED/drive-e" "$TEMPLATE/dosdevices/e:"
    # Drive T: for full-disk tests: a directory a small tmpfs can be mounted on.
    mkdir -p "$BED/tiny"
    ln -sfn "$BED/tiny" "$TEMPLATE/dosdevices/t:"
    # Wine's own fonts, or "MS Sans Serif" falls back and dialog units change.
    for f in /usr/share/wine/fonts/*; do
        ln -sf "$f" "$TEMPLATE/drive_c/windows/Fonts/"
    done
    cat >"$BED/prefix.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
"Decorated"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Control Panel\Desktop]
"FontSmoothing"="0"
REG
    # setup.exe runs without the C runtime DLLs of its day, as on a system that
    # has none; Wine's own programs keep theirs. msvcrt.dll stays: Wine's own
    # advapi32.dll and zlib1.dll (which user32 and gdi32 load) import it, so
    # only scripts/pecheck.sh can show that setup.exe does not.
    printf '\n[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\setup.exe\\DllOverrides]\n' >>"$BED/prefix.reg"
    for dll in msvcrt20 msvcrt40 crtdll; do printf '"%s"=""\n' "$dll"; done >>"$BED/prefix.reg"
    # Programs named for the Windows version they are to run under.
    for v in win95 nt351 win31; do
        printf '\n[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\ow_%s.exe]\n"Version"="%s"\n' "$v" "$v"
    done >>"$BED/prefix.reg"
    WINEPREFIX=$TEMPLATE wine regedit /S "$(winpath "$BED/prefix.reg")" >/dev/null 2>&1 9>&-
    WINEPREFIX=$TEMPLATE "$WINESERVER" -w
    copy_prefix "$TEMPLATE" "$SNAPSHOT"
    touch "$READY"
}

# A Unix path as Wine sees it through drive Z:.
winpath() { printf 'Z:%s' "$(printf '%s' "$1" | tr / '\\')"; }

regset() {  # key name value-line
    local reg log rc
    # regedit starts the prefix's desktop, which holds on to the display it
    # found: without one, no window of a later program in the prefix can open.
    with_display true
    reg=$(mktemp --suffix=.reg) log=$(mktemp)
    printf 'REGEDIT4\n\n[%s]\n"%s"=%s\n' "$1" "$2" "$3" >"$reg"
    # It failed once in CI in a fresh prefix, saying nothing: once more, and
    # what Wine said when that fails too.
    wine regedit /S "$(winpath "$reg")" >"$log" 2>&1 || wine regedit /S "$(winpath "$reg")" >>"$log" 2>&1
    rc=$?
    [ $rc -eq 0 ] || { echo "winebed: regedit failed ($rc):" >&2; cat "$log" >&2; }
    rm -f "$reg" "$log"
    return $rc
}

start_display() {
    local sock=/tmp/.X11-unix/X$DISPLAY_NUM
    [ -S "$sock" ] && display_running && return 0
    rm -f "/tmp/.X$DISPLAY_NUM-lock" "$sock"
    # The display outlives every prefix: it carries none, so that ending
    # the processes of a prefix (reset) leaves it running. It is ended by the
    # process id kept here, never by a name another checkout's display shares.
    env -u WINEPREFIX setsid Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 8>&- 9>&- &
    echo $! >"$BED/xvfb.pid"
    until [ -S "$sock" ]; do
        alive "$BED/xvfb.pid" || { echo "winebed: Xvfb $DISPLAY did not start" >&2; return 1; }
        sleep 0.05
    done
    [ -n "$OW_WINDOW_MANAGER" ] || return 0
    # The window manager (release.sh) ends with the display; it says when it is up.
    local ready=$BED/wm.ready
    rm -f "$ready"
    env -u WINEPREFIX setsid "$OW_WINDOW_MANAGER" --startup "touch $ready" </dev/null >/dev/null 2>&1 8>&- 9>&- &
    echo $! >"$BED/wm.pid"
    until [ -f "$ready" ]; do
        alive "$BED/wm.pid" || { echo "winebed: $OW_WINDOW_MANAGER did not start" >&2; return 1; }
        sleep 0.05
    done
}

# The process whose id FILE keeps is still running, as NAME when given (not
# an id reused since); while starting it may still be named as its starter.
alive() {  # FILE [NAME]
    local pid stat comm state
    pid=$(cat "$1" 2>/dev/null) && stat=$(cat "/proc/$pid/stat" 2>/dev/null) || return 1
    comm=${stat#*\(} comm=${comm%\)*} state=${stat##*) }
    [ "${state:0:1}" != Z ] && { [ -z "${2:-}" ] || [ "$comm" = "$2" ]; }
}
display_running() { alive "$BED/xvfb.pid" Xvfb; }
# Ends the process whose id FILE keeps, and waits until it has.
end_kept() {  # FILE NAME
    alive "$1" "$2" && kill "$(cat "$1")" 2>/dev/null
    while alive "$1" "$2"; do sleep 0.05; done
    rm -f "$1"
}

# Wine keeps the server's socket under a directory named in the prefix.
server_running() {
    local dir
    dir=$(cat "$WINEPREFIX/wineserver" 2>/dev/null) || return 1
    [ -S "${TMPDIR:-/tmp}/$dir/$(printf 'server-%x-%x' $(stat -c '%d %i' "$WINEPREFIX"))/socket" ]
}

# The residents of one prefix: its wineserver, the desktop and a first process
# that boots Wine's services, all detached from the caller's pipes.
start_residents() { with_display start_wine; }

with_display() {
    mkdir -p "$BED"
    { flock 8; start_display && "$@"; } 8>"$BED/residents.lock"
}

start_wine() {
    local stamp=$WINEPREFIX/.residents
    # Residents started before the current display lost their desktop with the old one.
    [ "$stamp" -nt "/tmp/.X$DISPLAY_NUM-lock" ] && server_running && return 0
    setsid "$WINESERVER" -p </dev/null >/dev/null 2>&1 8>&- 9>&- &
    setsid "$WINELOADER" explorer.exe /desktop </dev/null >/dev/null 2>&1 8>&- 9>&- &
    setsid "$WINELOADER" rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 8>&- 9>&- || true
    touch "$stamp"
}

# Ends every process that runs in the given prefixes, their servers first: a
# run stopped part way (a timeout, an interrupted suite) leaves programs and
# servers behind that stall the next run in the same prefix. The callers of
# this script keep running, though they name a prefix too.
end_prefixes() {
    local dir f pid keep=" " patterns=() p=$$
    while [ "$p" -gt 1 ]; do keep+="$p "; p=$(ps -o ppid= -p "$p" | tr -d ' '); done
    for dir in "$@"; do
        WINEPREFIX=$dir "$WINESERVER" -k 2>/dev/null || true
        rm -f "$dir/.residents"
        patterns+=(-e "WINEPREFIX=$dir")
    done
    for f in $(grep -lxzF "${patterns[@]}" /proc/[0-9]*/environ 2>/dev/null); do
        pid=${f//[!0-9]/}
        [ "${keep/ $pid /}" = "$keep" ] && kill -KILL "$pid" 2>/dev/null
    done
    return 0
}

cmd=${1:-}; shift || true
case "$cmd" in
prefix) make_prefix ;;
clone)
    make_prefix
    copy_prefix "$SNAPSHOT" "$1"
    ;;
run)
    make_prefix
    start_residents
    # Relative paths given here still name the same files once the program
    # runs elsewhere: in OW_CWD, or the prefix's C: drive, never the checkout,
    # so that nothing it writes by a relative path lands there.
    args=()
    for a in "$@"; do
        [ "${a#/}" = "$a" ] && [ -e "$a" ] && a=$(winpath "$(realpath "$a")")
        args+=("$a")
    done
    cd "${OW_CWD:-$WINEPREFIX/drive_c}"
    set +e
    # Tests have died in CI, rarely, in 0.1 s with no output at all: Wine dying
    # at start, by a signal or with a status. A GoogleTest program (OW_SAYS=1)
    # always prints before its first test, so its silent quick end is such a
    # death too; else only a signal is (faults of the program end as statuses).
    # Such a start is tried once more, and said. OW_KILLED=1: the caller kills
    # the program itself.
    attempt() {
        start=${EPOCHREALTIME//[.,]/}
        if [ -n "${OW_SAYS:-}" ]; then
            out=$(mktemp) err=$(mktemp)
            timeout -k 5 "$TIMEOUT" "$WINELOADER" "${args[@]}" >"$out" 2>"$err"
            rc=$?
            said=$(cat "$out" "$err" | head -c1 | wc -c)
            cat "$out"; cat "$err" >&2; rm -f "$out" "$err"
        else
            timeout -k 5 "$TIMEOUT" "$WINELOADER" "${args[@]}"
            rc=$? said=1
        fi
        fast=$(( ${EPOCHREALTIME//[.,]/} - start < 2000000 ))
    }
    attempt
    if [ $rc -ne 0 ] && [ $rc -ne 124 ] && [ -z "${OW_KILLED:-}" ] && [ $fast = 1 ] &&
        { [ $rc -gt 128 ] || [ "$said" = 0 ]; }; then
        echo "winebed: Wine died at start with status $rc; running $1 once more" >&2
        attempt
    fi
    [ $rc -eq 124 ] && echo "winebed: $1 timed out after $TIMEOUT s" >&2
    exit $rc
    ;;
version) regset "HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\$1" Version "\"$2\"" ;;
drive)
    letter=$(printf '%s' "${1%:}" | tr 'A-Z' 'a-z')
    ln -sfn "$2" "$WINEPREFIX/dosdevices/$letter:"
    [ -n "${3:-}" ] && regset 'HKEY_LOCAL_MACHINE\Software\Wine\Drives' "$letter:" "\"$3\""
    "$WINESERVER" -k 2>/dev/null || true   # drives are listed anew by the next server
    rm -f "$WINEPREFIX/.residents"
    ;;
tinydisk)
    # A 64 KB tmpfs on the directory behind drive T: (or another drive and directory).
    dir=${2:-$BED/tiny}
    mkdir -p "$dir"
    mountpoint -q "$dir" && exit 0
    if ! as_root mount -t tmpfs -o "size=64k,uid=$(id -u),gid=$(id -g)" tmpfs "$dir" 2>/dev/null; then
        echo "winebed: cannot mount a tmpfs on $dir (neither root nor sudo here): full-disk tests will skip" >&2
        exit 77
    fi
    [ -n "${1:-}" ] && [ "${1%:}" != t ] && "$0" drive "$1" "$dir"
    exit 0
    ;;
reset)
    if [ $# -gt 0 ]; then
        end_prefixes "$@"
    else
        # The templates, and the clones of the scenarios, the monkey and the demo.
        mapfile -t prefixes < <(find "$ROOT/build" -maxdepth 4 -name system.reg ! -path '*/prefix.clean/*' -printf '%h\n' 2>/dev/null)
        [ ${#prefixes[@]} -eq 0 ] || end_prefixes "${prefixes[@]}"
    fi
    ;;
screenshot) start_display; import -display "$DISPLAY" -window root "$1" ;;
stop)
    WINEPREFIX=$WINEPREFIX "$WINESERVER" -k 2>/dev/null || true
    ! mountpoint -q "$BED/tiny" || as_root umount "$BED/tiny" || true
    # What scenarios ended by a signal (a test's timeout) left mounted.
    for m in $(grep -o " $ROOT/build/e2e[^ ]*" /proc/mounts | sort -r); do as_root umount "$m" || true; done
    rm -f "$WINEPREFIX/.residents"
    [ -z "$OW_WINDOW_MANAGER" ] || end_kept "$BED/wm.pid" "$OW_WINDOW_MANAGER"
    end_kept "$BED/xvfb.pid" Xvfb
    ;;
*) sed -n '2,15p' "$0"; exit 2 ;;
esac
