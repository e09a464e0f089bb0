# What every end-to-end scenario (scenarios.sh) shares: a fresh Wine prefix
# with a copy of the demo disk in C:\disk, setup.exe started there and driven
# with real mouse input (owdrive), and the checks of its dialogs, texts and
# files. With OW_WINE32=1 the shipped i686 program runs under 32-bit Wine.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
winebed=$root/scripts/winebed.sh mkdisk=$root/build/host/mkdisk
# Preloaded, it makes the file systems under OW_NOSTATFS answer no free-space query.
nostatfs=$root/build/host/host-tests/libnostatfs.so
source "$root/scripts/release.sh"
# The system directory as the program sees it, C:\windows\system32, is
# syswow64 for a 32-bit program on a 64-bit system.
system32=system32
if [ -n "${OW_WINE32:-}" ]; then
    build=$root/build/win32 dist=$root/build/dist/win32 tools=$root/build/win32 e2e=$root/build/e2e32
    [ "$OW_I686" = wow64 ] && system32=syswow64
else
    build=$root/build/win64 dist=$root/build/dist/win64 tools=$root/build/win64/tests e2e=$root/build/e2e
fi
driver=$tools/owdrive.exe
payload=$build/sample-payload

fail() { echo "FAIL [$scenario]: $*"; "$winebed" run "$driver" windows 2>/dev/null | sed 's/^/  window: /'; exit 1; }
drive() { "$winebed" run "$driver" "$@" || fail "owdrive $*"; }
# What owdrive prints, without the Windows line ends.
ask() { "$winebed" run "$driver" "$@" | tr -d '\r'; }
same() { cmp -s "$1" "$2" || fail "$1 is not $2"; }
absent() { [ ! -e "$1" ] || fail "$1 should not exist"; }
no_temporaries() { ! ls "$1"/ows*.tmp >/dev/null 2>&1 || fail "temporary files left in $1"; }
disk_unchanged() { [ "$(ls -A "$disk")" = "$(cat "$work/disk-before")" ] || fail "the disk changed: $(ls -A "$disk")"; }

# The mounts a scenario makes (a tiny disk, a write-protected floppy, a share) go with it.
unmount() { for m in "$work/tiny" "$work/floppy" "$work/share"; do ! mountpoint -q "$m" || as_root umount "$m"; done; }
# A run stopped part way (a timeout, an interrupted suite) must leave nothing
# in the prefix that stalls the next.
# A passing scenario's machine goes with it (a failing one's stays, to be looked at).
# Never through a mount that is still there.
cleanup() { "$winebed" reset "$WINEPREFIX"; unmount; [ -z "${passed:-}" ] || rm -rf --one-file-system "$work"; }
trap 'exit 143' TERM INT HUP  # so that cleanup runs when the suite stops a scenario

# A fresh machine: its own prefix, its own empty drive E:, the disk in
# C:\disk, and no msvcrt20.dll (Wine's prefix holds a stand-in).
prepare() {
    work=$e2e/$scenario
    export WINEPREFIX=$work/prefix
    cleanup
    trap cleanup EXIT
    rm -rf --one-file-system "$work"
    mkdir -p "$work/drive-e"
    "$winebed" clone "$WINEPREFIX" || fail "cannot make a prefix"
    ln -sfn "$work/drive-e" "$WINEPREFIX/dosdevices/e:"
    C=$WINEPREFIX/drive_c
    disk=$C/disk sys=$C/windows/$system32 win=$C/windows plug=$C/plugins
    mkdir -p "$disk"
    find "$dist" -maxdepth 1 -type f ! -name '*.img' -exec cp -p {} "$disk/" \;  # as dated
    rm -f "$sys/msvcrt20.dll"
    start_at='C:\disk\setup.exe' cwd= watchers= killed= exit_code=0
}

# Starts setup.exe as a file manager would, in its own directory, under
# Windows VER (win95, nt351, win31) with the switches given.
start() {  # VER [SWITCHES...]
    "$winebed" version setup.exe "$1" || fail "cannot set the Windows version"
    shift
    ls -A "$disk" >"$work/disk-before" 2>/dev/null
    OW_KILLED=$killed OW_CWD=${cwd:-$(dirname "$C/$(printf '%s' "${start_at:3}" | tr '\\' /)")} \
        "$winebed" run "$start_at" "$@" &
    setup=$!
}
# The same, with the first and last files slow and the progress dialog's
# "To:" texts and bar watched from the start: where the runtime present is
# kept, the first plug-in is the first file copied.
start_watched() {  # VER [SWITCHES...]
    slow msvcrt20._ll msvcrt20._2s vxbase32._ll vxfilj32._bf
    start "$@"
    ask texts "Installing..." 107 >"$work/to.txt" & watchers=$!
    ask progress "Installing..." 102 >"$work/bar.txt" & watchers="$watchers $!"
}

# Disk files made anew from SIZE bytes of noise, so that their expansion
# lasts long enough to be caught in the act, dated as before; the payload kept beside.
noise() {  # SIZE NAME...: NAME is the disk's name, its payload in $work
    local size=$1 name && shift
    for name in "$@"; do
        head -c "$size" /dev/urandom >"$work/$name" && touch -r "$disk/$name" "$work/$name"  # as released
        "$mkdisk" --compress "$work/$name" "$disk/$name" >/dev/null
        resum "$name"
    done
}
slow() { noise 4000000 "$@"; }
# The CRC-32 and size of a file, as gzip's trailer keeps them: "crc size", in hexadecimal.
crc32_of() { gzip -c "$1" | tail -c 8 | od -An -tx4 | awk '{ print $1, $2 }'; }
# The disk's list of sums told of NAME's payload in $work, as mkdisk lists a
# file, with its last line (the CRC-32 of the lines above) made anew.
resum() {  # NAME
    local list=$disk/filesums.txt crc size
    [ -f "$list" ] || return 0
    read -r crc size < <(crc32_of "$work/$1")
    touch -r "$list" "$work/list-dated"
    sed -i "s/^$1 .*/$1 $((16#$size)) $crc\r/" "$list"
    head -n -1 "$list" >"$work/list-head"
    read -r crc size < <(crc32_of "$work/list-head")
    { cat "$work/list-head"; printf 'end %s\r\n' "$crc"; } >"$list"
    touch -r "$work/list-dated" "$list"
}
# What a file must be once installed: the payload it was compressed from.
expected() { if [ -e "$work/$1" ]; then echo "$work/$1"; else echo "$payload/$1"; fi; }
# The paint program's setting, in the Windows directory.
ini() { printf '[Photoshop]\r\nPlugInDirectory=%s\r\n' "$1" >"$win/photos30.ini"; }
# A directory of N characters on drive C:, as a Windows path.
dir_of() { printf 'c:\\%s' "$(head -c $(($1 - 3)) /dev/zero | tr '\0' "$2")"; }
# The longest directory the files can be opened in: OpenFile (under LZ32)
# takes paths of at most 127 characters, and the longest names put after the
# directory and its backslash have 12 ("msvcrt20._ll", "vxbase32.dll").
limit=$((127 - 12 - 1))

skip() { echo "SKIP [$scenario]: $*"; exit 77; }
# A file the user had before this run, and the check that it is still theirs.
earlier() { mkdir -p "$(dirname "$1")" && echo "installed earlier" >"$1"; }
kept_earlier() { grep -qx "installed earlier" "$1" || fail "the earlier $1 was lost"; }
# A runtime another product left, dated just after (+) or before (-) the
# release the disk was built for: a disk dated as built, not as released,
# would replace the later one. Two seconds, as DOS dates count.
runtime_dated() {  # DIR +|- TEXT
    echo "$3" >"$1/msvcrt20.dll" && touch -d "@$(($(cat "$build/release-date") $2 2))" "$1/msvcrt20.dll"
}
newer_runtime() { runtime_dated "$1" + "a newer runtime"; }
# The disk moved into another directory, and the program started from there.
moved_disk() {  # WINDOWS-PATH under c:\
    local dir=$C/$(printf '%s' "${1:3}" | tr '\\' /)
    mkdir -p "$dir" && mv "$disk"/* "$dir/"
    start_at="$1\\setup.exe"
}
# A tiny disk of its own, made just now: a 64 KB tmpfs behind drive T:.
tinydisk() { tiny=$work/tiny && "$winebed" tinydisk T: "$tiny" 2>/dev/null || skip "no tmpfs behind drive T: (neither root nor sudo here)"; }
# A network share, \\localhost\share, through Wine's map of UNC names: a 4 MB
# tmpfs of its own, so that the free space shown is the share's.
share() {
    share=$work/share
    mkdir -p "$share" "$WINEPREFIX/dosdevices/unc/localhost"
    as_root mount -t tmpfs -o "size=4m,uid=$(id -u),gid=$(id -g)" tmpfs "$share" 2>/dev/null ||
        skip "no tmpfs for the share (neither root nor sudo here)"
    ln -sfn "$share" "$WINEPREFIX/dosdevices/unc/localhost/share"
}
# The disk as a user with a floppy has it: the files of the image in a folder
# that Wine shows as drive A:, a floppy drive, and the program started as
# A:\SETUP.EXE from A:\; write-protected with "ro" (mounted read-only over itself).
floppy() {  # [ro]
    local image=$root/build/dist/win32/orbweave.img
    [ -f "$image" ] || fail "no floppy image $image"
    floppy=$work/floppy
    rm -rf "$disk" && mkdir -p "$floppy"
    mcopy -i "$image" -n '::/*' "$floppy/" || fail "cannot copy the files off the image"
    # Under 64-bit Wine the x86_64 twin takes the i686 program's place.
    [ -z "${OW_WINE32:-}" ] && cp "$dist/setup.exe" "$floppy/SETUP.EXE"
    if [ "${1:-}" = ro ]; then
        as_root mount --bind -o ro "$floppy" "$floppy" 2>/dev/null || skip "no read-only mount (neither root nor sudo here)"
    fi
    floppy_state >"$work/floppy-before"
    "$winebed" drive A: "$floppy" floppy || fail "cannot add drive A:"
    start_at='A:\SETUP.EXE' cwd=$floppy
}
# What is on the floppy: names, sizes, times and contents.
floppy_state() { (cd "$floppy" && ls -l --time-style=+%s . && sha1sum ./*); }
# Every file installed from the floppy as long as its file on the disk says
# (the length in its header), one of them byte for byte, and the floppy as it was.
installed_from_floppy() {  # the runtime's name on the disk
    local pairs=("$1:$sys/msvcrt20.dll" "VXBASE32._LL:$plug/vxbase32.dll") f p
    for f in A B C D E F G H I J; do pairs+=("VXFIL${f}32._BF:$plug/vxfil${f,}32.8bf"); done
    for p in "${pairs[@]}"; do
        [ -f "${p#*:}" ] && [ "$(stat -c %s "${p#*:}")" -eq "$(od -An -tu4 -j10 -N4 "$floppy/${p%%:*}")" ] ||
            fail "${p#*:} is not as long as A:\\${p%%:*} says"
    done
    msexpand <"$floppy/VXFILE32._BF" 2>/dev/null | cmp -s - "$plug/vxfile32.8bf" || fail "vxfile32.8bf is not A:\\VXFILE32._BF"
    floppy_state | cmp -s - "$work/floppy-before" || fail "the disk in A: changed"
}

# Another program keeps the file open; with "writer", as another setup
# writing its temporary does (owhold.cpp). The scenario ends it itself.
hold() {  # WINDOWS-PATH [writer]
    OW_RELEASE="Z:$work/released" OW_KILLED=1 OW_TIMEOUT=600 "$winebed" run "$tools/owhold.exe" "$@" >"$work/hold.txt" &
    holder=$!
    while_running $holder grep -q holding "$work/hold.txt" || fail "owhold $* ended: $(cat "$work/hold.txt")"
}
# Lets the holder close the file, and fails unless the file was still there:
# one deleted while held goes only when the holder closes it.
release_kept() {
    touch "$work/released"
    wait $holder || fail "owhold ended with $?"
    local said=$(tail -n 1 "$work/hold.txt" | tr -d '\r')
    [ "$said" = kept ] || fail "the held file was deleted under its holder: $said"
}
# Waits until CONDITION holds, as long as the process PID runs: a first Wine
# program on a busy machine can take minutes, so no count of polls, only the
# test's own timeout, bounds it.
while_running() {  # PID CONDITION...
    local pid=$1 && shift
    until "$@" 2>/dev/null; do kill -0 "$pid" 2>/dev/null || return 1; sleep 0.05; done
}

is_shown() { [ "$(ask iconic "$1")" = shown ]; }
in_front() { [ "$(ask front)" = "$1" ]; }

# What the plug-in dialog shows: its path field and its free space.
proposed() { [ "$(ask text "Plug-in location..." 100)" = "$1" ] || fail "proposed: $(ask text "Plug-in location..." 100)"; }
free_shown() { [ "$(ask text "Plug-in location..." 104)" = "$1" ] || fail "space free: $(ask text "Plug-in location..." 104), not $1"; }
# Each of these destinations was shown after "To:".
shown_to() { for t; do grep -qxF "$t" "$work/to.txt" || fail "To: $(cat "$work/to.txt")"; done; }

# A modal dialog is up, owned by the window it was opened from, which it
# keeps disabled meanwhile.
owned_by() {  # DIALOG OWNER
    drive wait "$1"
    local said=$(ask owner "$1" | paste -sd' ')
    [ "$said" = "$2 disabled" ] || fail "\"$1\" is owned by: $said (not a disabled \"$2\")"
}
# An alert over OWNER with this text (after a "*": holding it; after a "~":
# in any case), answered with OK.
expect_alert() {  # OWNER TEXT
    owned_by "Alert!" "$1"
    local said=$(ask text "Alert!" 101)
    case $2 in
    \**) [[ $said == *"${2#\*}"* ]] ;;
    \~*) [ "${said,,}" = "${2:1}" ] ;;
    *) [ "$said" = "$2" ] ;;
    esac || fail "alert text: $said"
    drive click "Alert!" 1
}
# The Bad Path dialog with this path, answered with OK.
expect_bad_path() {
    owned_by "Bad Path" "Plug-in location..."
    [ "$(ask text "Bad Path" 101)" = "Cannot find \"$1\"" ] || fail "bad path text: $(ask text "Bad Path" 101)"
    drive click "Bad Path" 1
}
to_plugin_dialog() { drive click "Welcome!" 1; drive click "Platform" 1; drive wait "Plug-in location..."; }
# Continue on the plug-in dialog, with another directory typed in first.
install_into() { [ -n "${1:-}" ] && drive settext "Plug-in location..." 100 "$1"; drive click "Plug-in location..." 1; }
install() { to_plugin_dialog; install_into "${1:-}"; }
installs() { install "$@"; expect_done; }
installs_into() { install_into "$@"; expect_done; }
at_plugin_dialog() { start "$@"; to_plugin_dialog; }
# The copy stops at a file, said in an alert over the progress dialog: "Failure".
copy_fails() { install "${2:-}"; expect_alert "Installing..." "$1"; expect_failure; }  # ALERT [DIR]
give_up() { drive click "Plug-in location..." 2; expect_failure; }
expect_failure() { owned_by "Warning..." "Orb Weave 2.0 Setup"; drive click "Warning..." 1; }
expect_done() {
    owned_by "Congratulations..." "Orb Weave 2.0 Setup"
    drive click "Congratulations..." 1
    [ -z "$watchers" ] && return
    wait $watchers
    watchers=
    progress_seen
}
# The bar after each of the 13 rows is 100 * row / 13, rounded. The watcher
# is answered only between files, and a busy machine may keep it from asking
# between two small ones, so it may miss values: what it sees must come from
# that list, in order, with a step between 0 and 100 (it asked during a slow
# file), ending at 100. Every step, in order, is checked in-process
# (Installation.TheBarStepsOnAfterEachFile).
progress_seen() {
    local steps=" 0 8 15 23 31 38 46 54 62 69 77 85 92 100 " seen last=-1 between=0 v
    seen=$(uniq "$work/bar.txt" | tr '\n' ' ')
    for v in $seen; do
        [[ $steps == *" $v "* ]] && [ "$v" -gt "$last" ] || fail "the bar went $seen"
        [ "$v" -gt 0 ] && [ "$v" -lt 100 ] && between=1
        last=$v
    done
    [ "$last" = 100 ] && [ $between = 1 ] || fail "the bar went $seen"
}
plugins_installed() {
    same "$plug/vxbase32.dll" "$(expected vxbase32._ll)"
    for f in a b c d e f g h i j; do same "$plug/vxfil${f}32.8bf" "$(expected vxfil${f}32._bf)"; done
}
# Ends a program of this prefix as the power going would.
kill_program() {  # NAME
    local pid
    for pid in $(pgrep -x "$1"); do
        tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qx "WINEPREFIX=$WINEPREFIX" && kill -KILL "$pid"
    done
}
kill_setup() { kill_program setup.exe; wait $setup; }

# The program has ended by itself, with 0 (or the exit code a quiet
# installation is to end with), and left no window or process.
finish() {
    wait $setup
    local rc=$?
    [ -n "$watchers" ] && wait $watchers
    [ $rc -eq "$exit_code" ] || fail "setup.exe exited with $rc, not $exit_code"
    ask windows | grep -E 'Orb Weave|Welcome!|Platform|Plug-in|Installing|Congratulations|Warning|Alert' &&
        fail "windows left behind"
    # This prefix's setup.exe only: other checkouts may be testing beside this one.
    for pid in $(pgrep -if 'setup\.exe'); do
        tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qx "WINEPREFIX=$WINEPREFIX" && fail "process left behind"
    done
    echo "ok [$scenario]"
    passed=1
}

# scenarios.sh NAME runs one; --list [TAG] names them (those marked TAG).
run_scenario() {
    if [ "${1:-}" = --list ]; then
        sed -n "s/^\([a-z0-9][a-z0-9-]*\)() {.*${2:-}.*/\1/p" "$0"
        return 0
    fi
    scenario=${1:-}
    run_scenario --list | grep -qxF -- "$scenario" || { echo "no such scenario: $scenario" >&2; return 2; }
    prepare
    "$scenario"
    finish
}
