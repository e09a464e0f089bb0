#!/usr/bin/env bash
# install_e2e.sh SCENARIO: one run of setup.exe from a copy of the demo disk,
# in a fresh Wine prefix, driven with real mouse input (owdrive), checked by
# its dialogs, its texts, its exit code and the files it leaves.
set -uo pipefail
# With OW_WINE32=1 it runs the shipped i686 program under 32-bit Wine instead.
root=$(cd "$(dirname "$0")/../.." && pwd)
scenario=$1
if [ -n "${OW_WINE32:-}" ]; then
    build=$root/build/win32 dist=$root/build/dist/win32 driver=$root/build/win32/owdrive.exe
    work=$root/build/e2e32/$scenario
else
    build=$root/build/win64 dist=$root/build/dist/win64 driver=$root/build/win64/tests/owdrive.exe
    work=$root/build/e2e/$scenario
fi
payload=$build/sample-payload
winebed=$root/scripts/winebed.sh
export WINEPREFIX=$work/prefix

fail() {
    echo "FAIL [$scenario]: $*"
    "$winebed" run "$driver" windows 2>/dev/null | sed 's/^/  window: /'
    /usr/lib/wine/wineserver64 -k 2>/dev/null
    exit 1
}
drive() { "$winebed" run "$driver" "$@" || fail "owdrive $*"; }
# What owdrive prints, without the Windows line ends.
ask() { "$winebed" run "$driver" "$@" | tr -d '\r'; }
same() { cmp -s "$1" "$2" || fail "$1 is not $2"; }
absent() { [ ! -e "$1" ] || fail "$1 should not exist"; }
no_temporaries() { ! ls "$1"/ows*.tmp >/dev/null 2>&1 || fail "temporary files left in $1"; }

# The mounts a scenario makes (a tiny disk, a write-protected floppy) go with it,
# and any an earlier run left behind go before its work folder is made anew.
unmount() { for m in "$work/tiny" "$work/floppy" "$work/share"; do ! mountpoint -q "$m" || umount "$m"; done; }
unmount
trap unmount EXIT
rm -rf "$work"
mkdir -p "$work/drive-e"
"$winebed" clone "$WINEPREFIX" || fail "cannot make a prefix"
# Drive E: of its own, empty: nothing another test left on the shared one counts.
ln -sfn "$work/drive-e" "$WINEPREFIX/dosdevices/e:"
C=$WINEPREFIX/drive_c
disk=$C/disk sys=$C/windows/system32 win=$C/windows plug=$C/plugins
mkdir -p "$disk"
find "$dist" -maxdepth 1 -type f ! -name '*.img' -exec cp {} "$disk/" \;
# A fresh Windows has no msvcrt20.dll; Wine's prefix holds a stand-in.
rm -f "$sys/msvcrt20.dll"

# What each file must be once installed: the payload it was compressed from.
expected() { if [ -e "$work/$1" ]; then echo "$work/$1"; else echo "$payload/$1"; fi; }
# Makes files slow to expand (4 MB of noise), so that the progress dialog
# stays up long enough for the watchers to read it.
slow() {
    for name in "$@"; do
        head -c 4000000 /dev/urandom >"$work/$name"
        "$root/build/host/mkdisk" --compress "$work/$name" "$disk/$name" >/dev/null
    done
}

version=nt351
args=()
case $scenario in win95 | win31 | floppy-win95 | floppy-win31) version=${scenario#floppy-} ;; esac
[ "$scenario" = network ] && args=(-n)
case $scenario in force | force-kept | force-locked) args=(/M) ;; esac
[ "$scenario" = switches-odd ] && args=(- / -x --s)
[ "$scenario" = switches-together ] && args=(/S/N/M)
ini() {  # value: the paint program's setting, in the Windows directory
    printf '[Photoshop]\r\nPlugInDirectory=%s\r\n' "$1" >"$win/photos30.ini"
}
# An alert with this text, answered with OK.
expect_alert() {
    drive wait "Alert!"
    [ "$(ask text "Alert!" 101)" = "$1" ] || fail "alert text: $(ask text "Alert!" 101)"
    drive click "Alert!" 1
}
# The Bad Path dialog with this path, answered with OK.
expect_bad_path() {
    drive wait "Bad Path"
    [ "$(ask text "Bad Path" 101)" = "Cannot find \"$1\"" ] || fail "bad path text: $(ask text "Bad Path" 101)"
    drive click "Bad Path" 1
}
"$winebed" version setup.exe "$version" || fail "cannot set the Windows version"

finish() {
    wait $setup
    local rc=$?
    [ -n "${watchers:-}" ] && wait $watchers
    [ $rc -eq 0 ] || fail "setup.exe exited with $rc"
    ask windows | grep -E 'Orb Weave|Welcome!|Platform|Plug-in|Installing|Congratulations|Warning|Alert' &&
        fail "windows left behind"
    # This prefix's setup.exe only: other checkouts may be testing beside this one.
    for pid in $(pgrep -if 'setup\.exe'); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && fail "process left behind"
    done
    /usr/lib/wine/wineserver64 -k 2>/dev/null
    echo "ok [$scenario]"
    exit 0
}
to_plugin_dialog() {
    drive click "Welcome!" 1
    drive click "Platform" 1
    drive wait "Plug-in location..."
}
# Watches the progress dialog's "To:" texts and bar from the start.
watch_progress() {
    ask texts "Installing..." 107 >"$work/to.txt" &
    watchers=$!
    ask progress "Installing..." 102 >"$work/bar.txt" &
    watchers="$watchers $!"
}
# Continue on the plug-in dialog, with another directory typed in first.
install_into() {  # dir
    [ -n "$1" ] && drive settext "Plug-in location..." 100 "$1"
    drive click "Plug-in location..." 1
}
expect_done() {
    drive click "Congratulations..." 1
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
expect_failure() {
    drive click "Warning..." 1
}
plugins_installed() {
    same "$plug/vxbase32.dll" "$(expected vxbase32._ll)"
    for f in a b c d e f g h i j; do same "$plug/vxfil${f}32.8bf" "$(expected vxfil${f}32._bf)"; done
}
# Every file installed from the floppy as long as its file on the disk says
# (the length in its header), and one of them byte for byte.
installed_from_floppy() {  # the runtime's name on the disk
    local pairs=("$1:$sys/msvcrt20.dll" "VXBASE32._LL:$plug/vxbase32.dll") f p
    for f in A B C D E F G H I J; do pairs+=("VXFIL${f}32._BF:$plug/vxfil${f,}32.8bf"); done
    for p in "${pairs[@]}"; do
        [ -f "${p#*:}" ] && [ "$(stat -c %s "${p#*:}")" -eq "$(od -An -tu4 -j10 -N4 "$floppy/${p%%:*}")" ] ||
            fail "${p#*:} is not as long as A:\\${p%%:*} says"
    done
    msexpand <"$floppy/VXFILE32._BF" 2>/dev/null | cmp -s - "$plug/vxfile32.8bf" || fail "vxfile32.8bf is not A:\\VXFILE32._BF"
}
# What is on the floppy: names, sizes, times and contents.
floppy_state() { (cd "$floppy" && ls -l --time-style=+%s . && sha1sum ./*); }

watchers=
# The first plug-in is slow too: where the runtime present is kept, it is the
# first file copied, and the watchers must have found the dialog by its end.
case $scenario in win95 | nt351 | win31 | network | force | keepnewer) slow msvcrt20._ll msvcrt20._2s vxbase32._ll vxfilj32._bf ;; esac
start='C:\disk\setup.exe'
# The longest directory the files can be opened in: OpenFile (under LZ32)
# takes paths of at most 127 characters, and the longest names put after the
# directory and its backslash have 12 ("msvcrt20._ll", "vxbase32.dll").
limit=$((127 - 12 - 1))
# A directory of N characters on drive C:, as a Windows path.
dir_of() { printf 'c:\\%s' "$(head -c $(($1 - 3)) /dev/zero | tr '\0' "$2")"; }
case $scenario in
setupdir-at-limit | setupdir-over-limit)
    n=$limit; [ "$scenario" = setupdir-over-limit ] && n=$((limit + 1))
    setupdir=$(dir_of $n s)
    mkdir -p "$C/${setupdir#c:\\}"
    mv "$disk"/* "$C/${setupdir#c:\\}/"
    start="$setupdir\\setup.exe"
    ;;
esac
if [ "$scenario" = long-start-dir ]; then
    # 166 characters to the program: more than its 160-character buffers hold.
    long='xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\yyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyy\zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz'
    mkdir -p "$C/${long//\\//}"
    mv "$disk"/* "$C/${long//\\//}/"
    start="C:\\$long\\setup.exe"
fi
# A floppy drive with no disk in it: on the named systems, probing it without
# care raises the system's "no disk" box; here it must just read as absent.
[ "$scenario" = absent-floppy ] && { "$winebed" drive A: "$work/no-disk" floppy || fail "cannot add drive A:"; }
if [[ $scenario == floppy-* ]]; then
    # The disk as a user with a floppy has it: the files of the image in a
    # folder that Wine shows as drive A:, a floppy drive, and the program
    # started as A:\SETUP.EXE from A:\.
    image=$root/build/dist/win32/orbweave.img
    [ -f "$image" ] || fail "no floppy image $image"
    floppy=$work/floppy
    rm -rf "$disk" && mkdir -p "$floppy"
    mcopy -i "$image" -n '::/*' "$floppy/" || fail "cannot copy the files off the image"
    # Under 64-bit Wine the x86_64 twin takes the i686 program's place.
    [ -z "${OW_WINE32:-}" ] && cp "$dist/setup.exe" "$floppy/SETUP.EXE"
    if [ "$scenario" = floppy-readonly ]; then
        # Write-protected: the folder mounted read-only over itself.
        mount --bind -o ro "$floppy" "$floppy" 2>/dev/null ||
            { echo "SKIP [$scenario]: mounting read-only refused here"; exit 77; }
    fi
    floppy_state >"$work/floppy-before"
    "$winebed" drive A: "$floppy" floppy || fail "cannot add drive A:"
    start='A:\SETUP.EXE' cwd=$floppy
fi
if [ "$scenario" = fulldisk ]; then
    # A tiny disk of its own, made just now: a 64 KB tmpfs behind drive T:.
    # Checked before the program starts: a skipped scenario leaves nothing running.
    tiny=$work/tiny
    "$winebed" tinydisk T: "$tiny" 2>/dev/null ||
        { echo "SKIP [$scenario]: no tmpfs behind drive T: (mounting refused)"; exit 77; }
fi
if [[ $scenario == unc-* ]]; then
    # A network share, \\localhost\share, through Wine's map of UNC names: a
    # 4 MB tmpfs of its own, so that the free space shown is the share's.
    share=$work/share
    mkdir -p "$share" "$WINEPREFIX/dosdevices/unc/localhost"
    mount -t tmpfs -o size=4m tmpfs "$share" 2>/dev/null ||
        { echo "SKIP [$scenario]: no tmpfs for the share (mounting refused)"; exit 77; }
    ln -sfn "$share" "$WINEPREFIX/dosdevices/unc/localhost/share"
fi
# The search for the paint program's plug-in directory must reach the last
# letter: here Z: holds the only photoshp\plugins (and not the whole file system).
[ "$scenario" = last-drive ] && { mkdir -p "$work/drive-z/photoshp/plugins"; "$winebed" drive Z: "$work/drive-z" || fail "cannot add drive Z:"; }
ls -A "$disk" >"$work/disk-before" 2>/dev/null
# Started from its own directory, as from a file manager.
killed=; [ "$scenario" = killed ] && killed=1
OW_KILLED=$killed OW_CWD=${cwd:-$(dirname "$C/$(printf '%s' "${start:3}" | tr '\\' /)")} "$winebed" run "$start" "${args[@]}" &
setup=$!
case $scenario in win95 | nt351 | win31 | network | force | keepnewer) watch_progress ;; esac

case $scenario in
win95 | nt351)
    to_plugin_dialog
    if [ "$scenario" = nt351 ]; then
        # The common dialogs load on the first Browse, without a C runtime DLL too.
        drive click "Plug-in location..." 101
        drive click "Plug-in's directory..." 2
    fi
    install_into ""
    expect_done
    same "$sys/msvcrt20.dll" "$(expected msvcrt20._ll)"
    plugins_installed
    # Every destination, in lower case, after "To:".
    grep -qx 'c:\\windows\\system32\\msvcrt20.dll' "$work/to.txt" || fail "To: $(cat "$work/to.txt")"
    grep -qx 'c:\\plugins\\vxfilj32.8bf' "$work/to.txt" || fail "To: $(cat "$work/to.txt")"
    ;;
last-drive)
    to_plugin_dialog
    [ "$(ask text "Plug-in location..." 100)" = 'Z:\photoshp\plugins' ] ||
        fail "proposed: $(ask text "Plug-in location..." 100)"
    drive click "Plug-in location..." 2
    expect_failure
    ;;
floppy-win95 | floppy-nt351 | floppy-win31 | floppy-readonly)
    to_plugin_dialog
    install_into ""
    drive click "Congratulations..." 1
    runtime=MSVCRT20._LL; [ "$scenario" = floppy-win31 ] && runtime=MSVCRT20._2S
    installed_from_floppy $runtime
    floppy_state | cmp -s - "$work/floppy-before" || fail "the disk in A: changed"
    ;;
win31)
    to_plugin_dialog
    install_into ""
    expect_done
    same "$sys/msvcrt20.dll" "$(expected msvcrt20._2s)"
    plugins_installed
    ;;
network)
    to_plugin_dialog
    install_into ""
    expect_done
    same "$win/msvcrt20.dll" "$(expected msvcrt20._ll)"
    absent "$sys/msvcrt20.dll"
    ;;
force | keepnewer)
    echo "a newer runtime" >"$sys/msvcrt20.dll"
    touch -d "2031-01-01" "$sys/msvcrt20.dll"
    to_plugin_dialog
    install_into ""
    expect_done
    if [ "$scenario" = force ]; then
        same "$sys/msvcrt20.dll" "$(expected msvcrt20._ll)"
    else
        grep -qx "a newer runtime" "$sys/msvcrt20.dll" || fail "the newer runtime was replaced"
    fi
    plugins_installed
    ;;
replaceolder)
    # The copy loop's time-stamp rule: a runtime dated a day before the disk's,
    # though later in its day, is older, and is replaced.
    echo "an older runtime" >"$sys/msvcrt20.dll"
    touch -d "2020-06-01 20:00" "$sys/msvcrt20.dll"
    touch -d "2020-06-02 08:00" "$disk/msvcrt20._ll"
    to_plugin_dialog
    install_into ""
    drive click "Congratulations..." 1
    same "$sys/msvcrt20.dll" "$(expected msvcrt20._ll)"
    ;;
force-kept | force-locked)
    # -m over a runtime that cannot be replaced (read-only, as one in use or
    # owned by the system): one at least as new as the disk's is kept and the
    # plug-ins go in; an older one is a failure, and said.
    echo "a runtime in use" >"$sys/msvcrt20.dll"
    stamp=2031-01-01; [ "$scenario" = force-locked ] && stamp=1990-01-01
    touch -d $stamp "$sys/msvcrt20.dll" && chmod a-w "$sys/msvcrt20.dll"
    to_plugin_dialog
    install_into ""
    if [ "$scenario" = force-kept ]; then
        drive click "Congratulations..." 1
        plugins_installed
    else
        expect_alert 'Cannot open "c:\windows\system32\msvcrt20.dll"'
        expect_failure
        absent "$plug/vxbase32.dll"
    fi
    chmod u+w "$sys/msvcrt20.dll"
    grep -qx "a runtime in use" "$sys/msvcrt20.dll" || fail "the runtime present was replaced"
    no_temporaries "$sys"
    ;;
trailing-blank)
    # Windows drops trailing blanks from a path's last name: what is checked,
    # made and installed into is the directory without the blank.
    to_plugin_dialog
    install_into 'c:\plugins '
    drive click "Congratulations..." 1
    plugins_installed
    absent "$C/plugins "
    ;;
unc-existing)
    # Proposed by the paint program's settings, on a share: its own free space.
    mkdir "$share/plugins"
    ini '\\localhost\share\plugins'
    to_plugin_dialog
    [ "$(ask text "Plug-in location..." 100)" = '\\localhost\share\plugins' ] ||
        fail "proposed: $(ask text "Plug-in location..." 100)"
    kb=$(df -k --output=avail "$share" | tail -n 1)
    free=$(printf '%d.%03d MB' $((kb / 1000)) $((kb % 1000)))
    [ "$(ask text "Plug-in location..." 104)" = "$free" ] ||
        fail "space free: $(ask text "Plug-in location..." 104), the share has $free"
    install_into ""
    drive click "Congratulations..." 1
    plug=$share/plugins
    plugins_installed
    ;;
unc-create)
    # A new directory on a share, typed with forward slashes: made, then filled.
    to_plugin_dialog
    install_into '//localhost/share/made'
    drive click "Congratulations..." 1
    plug=$share/made
    plugins_installed
    ;;
first-paint)
    # The progress dialog is painted before the first file is expanded: its
    # Cancel button shows the same while the first file is expanded as while a
    # later one is. Both files are large enough to be caught in the act.
    for pair in msvcrt20.dll:msvcrt20._ll vxbase32.dll:vxbase32._ll; do
        head -c 20000000 /dev/urandom >"$work/${pair%%:*}"
        "$root/build/host/mkdisk" --compress "$work/${pair%%:*}" "$disk/${pair#*:}" >/dev/null
    done
    to_plugin_dialog
    ask pixels "Installing..." 2 'C:\windows\system32\ows*.tmp' >"$work/first" &
    first=$!
    ask pixels "Installing..." 2 'C:\plugins\ows*.tmp' >"$work/later" &
    later=$!
    drive click "Plug-in location..." 1
    wait $first || fail "Cancel's pixels were not read while the first file was expanded"
    wait $later || fail "Cancel's pixels were not read while a later file was expanded"
    drive click "Congratulations..." 1
    [ "$(cat "$work/first")" = "$(cat "$work/later")" ] ||
        fail "Cancel during the first file: $(cat "$work/first"); during a later one: $(cat "$work/later")"
    [ "$(cut -d' ' -f2 "$work/later")" -gt 2 ] || fail "Cancel shows no picture: $(cat "$work/later")"
    ;;
killed)
    # The machine loses power while a large plug-in is being expanded: setup.exe
    # is killed. Every file then in the plug-in directory is whole and exact, or
    # absent, and nothing else changed; the next run removes what is left of
    # the killed one (its temporary file) and installs every file.
    head -c 40000000 /dev/urandom >"$work/vxfile32._bf"
    "$root/build/host/mkdisk" --compress "$work/vxfile32._bf" "$disk/vxfile32._bf" >/dev/null
    to_plugin_dialog
    drive click "Plug-in location..." 1
    # Killed once vxfile32 is being written: after vxfild32, before vxfilf32.
    for _ in $(seq 2000); do
        [ -e "$plug/vxfild32.8bf" ] && { [ -e "$plug/vxfile32.8bf" ] || ls "$plug"/ows*.tmp; } >/dev/null 2>&1 && break
        sleep 0.05
    done
    for pid in $(pgrep -x setup.exe); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && kill -KILL "$pid"
    done
    wait $setup
    absent "$plug/vxfilf32.8bf"
    for f in "$plug"/*; do
        name=${f##*/}
        case $name in
        ows*.tmp) ;;
        *.8bf) same "$f" "$(expected "${name%.8bf}._bf")" ;;
        vxbase32.dll) same "$f" "$(expected vxbase32._ll)" ;;
        *) fail "$name in the plug-in directory" ;;
        esac
    done
    same "$sys/msvcrt20.dll" "$(expected msvcrt20._ll)"
    [ "$(ls -A "$disk")" = "$(cat "$work/disk-before")" ] || fail "the disk changed: $(ls -A "$disk")"
    ls "$plug"/ows*.tmp >/dev/null 2>&1 || fail "no temporary file of the killed run: was it killed during the expansion?"
    OW_CWD=$disk "$winebed" run "$start" &
    setup=$!
    to_plugin_dialog
    install_into ""
    drive click "Congratulations..." 1
    plugins_installed
    no_temporaries "$plug"
    ;;
close-during-copy)
    # Closing the background window while files are copied counts as Cancel:
    # the copy stops after the current file and "Failure" says so. A first
    # file large enough to close the window while it is being expanded:
    head -c 40000000 /dev/urandom >"$work/msvcrt20.dll"
    "$root/build/host/mkdisk" --compress "$work/msvcrt20.dll" "$disk/msvcrt20._ll" >/dev/null
    to_plugin_dialog
    # Closed once the first file is being expanded: the closer waits from
    # before the click, so that its own start-up cannot miss the copy.
    ask close "Orb Weave 2.0 Setup" 'C:\windows\system32\ows*.tmp' &
    closer=$!
    drive click "Plug-in location..." 1
    wait $closer || fail "the window was not closed during the first file"
    expect_failure
    absent "$plug/vxfilj32.8bf"
    ;;
exit-welcome)
    drive click "Welcome!" 2
    ask wait "Platform" 1500 && fail "a dialog after Exit"
    ;;
exit-platform)
    drive click "Welcome!" 1
    drive click "Platform" 2
    ask wait "Plug-in location..." 1500 && fail "a dialog after Exit"
    ;;
exit-plugin)
    to_plugin_dialog
    drive click "Plug-in location..." 2
    expect_failure
    absent "$plug"
    ;;
cancel-last)
    # A last file large enough to click Cancel while it is being expanded.
    head -c 40000000 /dev/urandom >"$work/vxfilj32.8bf"
    "$root/build/host/mkdisk" --compress "$work/vxfilj32.8bf" "$disk/vxfilj32._bf" >/dev/null
    to_plugin_dialog
    # Once the last but one file is in place the last is being expanded: click then.
    ask clickonfile "Installing..." 2 'C:\plugins\vxfili32.8bf' &
    clicker=$!
    drive click "Plug-in location..." 1
    wait $clicker || fail "Cancel was not clicked during the last file"
    expect_failure
    for f in a b c d e f g h i; do same "$plug/vxfil${f}32.8bf" "$payload/vxfil${f}32._bf"; done
    same "$plug/vxfilj32.8bf" "$work/vxfilj32.8bf"  # finished before Cancel took effect
    ;;
missing | corrupt)
    mkdir -p "$plug"
    echo "installed earlier" >"$plug/vxfilc32.8bf"
    if [ "$scenario" = missing ]; then
        rm "$disk/vxfilc32._bf"
        message='Cannot open "c:\disk\vxfilc32._bf"'
    else
        head -c 20000 "$disk/vxfilc32._bf" >"$work/cut" && mv "$work/cut" "$disk/vxfilc32._bf"
        message='Internal error (-3)'
    fi
    to_plugin_dialog
    install_into ""
    drive wait "Alert!"
    [ "$(ask text "Alert!" 101)" = "$message" ] || fail "alert text"
    drive click "Alert!" 1
    expect_failure
    same "$plug/vxfila32.8bf" "$payload/vxfila32._bf"
    grep -qx "installed earlier" "$plug/vxfilc32.8bf" || fail "the earlier vxfilc32.8bf was lost"
    absent "$plug/vxfild32.8bf"
    no_temporaries "$plug"
    ;;
fulldisk)
    mkdir -p "$tiny/plugins"
    echo "installed earlier" >"$tiny/plugins/vxbase32.dll"
    to_plugin_dialog
    install_into 't:\plugins'
    drive wait "Alert!"
    [ "$(ask text "Alert!" 101)" = 'Disk full when copying "c:\disk\vxbase32._ll"' ] ||
        fail "alert text"
    drive click "Alert!" 1
    expect_failure
    grep -qx "installed earlier" "$tiny/plugins/vxbase32.dll" || fail "the earlier vxbase32.dll was lost"
    no_temporaries "$tiny/plugins"
    ;;
source-directory)
    rm "$disk/vxfila32._bf" && mkdir "$disk/vxfila32._bf"
    to_plugin_dialog
    install_into ""
    expect_alert 'Cannot open "c:\disk\vxfila32._bf"'
    expect_failure
    absent "$plug/vxfila32.8bf"
    no_temporaries "$plug"
    ;;
readonly-dest | locked-dest)
    mkdir -p "$plug"
    echo "installed earlier" >"$plug/vxfila32.8bf"
    if [ "$scenario" = readonly-dest ]; then
        chmod a-w "$plug/vxfila32.8bf"  # Wine's read-only attribute
    else
        "$winebed" run "$build/tests/owhold.exe" 'C:\plugins\vxfila32.8bf' >"$work/hold.txt" &
        holder=$!
        for _ in $(seq 100); do grep -q holding "$work/hold.txt" 2>/dev/null && break; sleep 0.05; done
    fi
    to_plugin_dialog
    install_into ""
    expect_alert 'Cannot open "c:\plugins\vxfila32.8bf"'
    expect_failure
    [ -n "${holder:-}" ] && kill $holder
    chmod u+w "$plug/vxfila32.8bf"
    grep -qx "installed earlier" "$plug/vxfila32.8bf" || fail "the earlier vxfila32.8bf was lost"
    same "$plug/vxbase32.dll" "$(expected vxbase32._ll)"
    no_temporaries "$plug"
    ;;
readonly-plugdir)
    # Windows has no read-only directories (the attribute does not stop
    # writing); here the directory is read-only for its owner, root.
    mkdir -p "$plug" && chmod 555 "$plug"
    to_plugin_dialog
    install_into ""
    drive wait "Congratulations..."
    drive click "Congratulations..." 1
    plugins_installed
    ;;
invalid-chars | ini-absent-drive | ini-garbage | absent-floppy)
    typed='c:\plu<gins|'
    case $scenario in
    absent-floppy) typed='a:\plugins' ;;
    ini-absent-drive) ini 'q:\plugins' && typed= ;;
    ini-garbage) ini "$(printf 'c:\\\x01\x7f<>|\xe9\xff')" && typed= ;;
    esac
    to_plugin_dialog
    shown=$(ask text "Plug-in location..." 100)
    [ -n "$typed" ] && drive settext "Plug-in location..." 100 "$typed" && shown=$typed
    if [ "$scenario" = absent-floppy ]; then
        [ "$(ask text "Plug-in location..." 104)" = "--" ] || fail "free space of A: $(ask text "Plug-in location..." 104)"
    fi
    drive click "Plug-in location..." 1
    expect_bad_path "$shown"
    drive click "Plug-in location..." 2
    expect_failure
    ;;
overlong-path | ini-overlong)
    long="c:\\$(printf 'd%.0s' $(seq 150))"
    if [ "$scenario" = ini-overlong ]; then ini "$long$(printf 'e%.0s' $(seq 200))"; else long=${long//\\\\/\\}; fi
    to_plugin_dialog
    [ "$scenario" = overlong-path ] && drive settext "Plug-in location..." 100 "$long"
    drive click "Plug-in location..." 1
    drive wait "Alert!"
    ask text "Alert!" 101 | grep -q "is too long" || fail "alert text: $(ask text "Alert!" 101)"
    drive click "Alert!" 1
    drive click "Plug-in location..." 2
    expect_failure
    ;;
ini-empty)
    ini ""
    to_plugin_dialog
    [ "$(ask text "Plug-in location..." 100)" = 'c:\plugins' ] || fail "proposal"
    drive click "Plug-in location..." 2
    expect_failure
    ;;
switches-odd)
    to_plugin_dialog
    # "--s": the second dash starts a switch of its own: no search, an empty field.
    [ -z "$(ask text "Plug-in location..." 100)" ] || fail "the field should be empty"
    drive click "Plug-in location..." 2
    expect_failure
    ;;
switches-together)
    echo "a newer runtime" >"$win/msvcrt20.dll"
    touch -d "2031-01-01" "$win/msvcrt20.dll"
    to_plugin_dialog
    [ -z "$(ask text "Plug-in location..." 100)" ] || fail "the field should be empty"
    install_into 'c:\plugins'
    drive click "Congratulations..." 1
    same "$win/msvcrt20.dll" "$(expected msvcrt20._ll)"  # -n and -m together
    plugins_installed
    ;;
long-start-dir)
    to_plugin_dialog
    install_into ""
    drive wait "Alert!"
    ask text "Alert!" 101 | grep -q "is too long" || fail "alert text: $(ask text "Alert!" 101)"
    drive click "Alert!" 1
    expect_failure
    absent "$plug/vxbase32.dll"
    ;;
plugdir-at-limit | setupdir-at-limit)
    # Every file arrives, the names at the very limit included.
    target=
    if [ "$scenario" = plugdir-at-limit ]; then
        target=$(dir_of $limit p)
        [ ${#target} -eq $limit ] || fail "the test's own directory has ${#target} characters"
    fi
    to_plugin_dialog
    install_into "$target"
    drive click "Congratulations..." 1
    [ -n "$target" ] && plug=$C/${target#c:\\}
    plugins_installed
    ;;
plugdir-over-limit)
    over=$(dir_of $((limit + 1)) p)
    to_plugin_dialog
    drive settext "Plug-in location..." 100 "$over"
    drive click "Plug-in location..." 1
    expect_alert "The path \"$over\" is too long for the plug-ins. Choose a directory whose path has at most $limit characters."
    drive click "Plug-in location..." 2
    expect_failure
    absent "$C/${over#c:\\}"
    ;;
setupdir-over-limit)
    to_plugin_dialog
    install_into ""
    drive wait "Alert!"
    said=$(ask text "Alert!" 101)
    [ "${said,,}" = "the path of \"$setupdir\\setup.exe\" is too long to install from or into." ] ||
        fail "alert text: $said"
    drive click "Alert!" 1
    expect_failure
    absent "$plug/vxbase32.dll"
    ;;
platform-changed)
    # Detected as NT; the user says Windows 3.1 by clicking its check box:
    # the Win32s build of the runtime is installed.
    drive click "Welcome!" 1
    drive click "Platform" 2001
    drive click "Platform" 1
    drive wait "Plug-in location..."
    install_into ""
    drive click "Congratulations..." 1
    same "$sys/msvcrt20.dll" "$(expected msvcrt20._2s)"
    plugins_installed
    ;;
relative-path)
    # Only a full path is a plug-in directory: a relative one would send the
    # plug-ins into the current directory, the distribution disk.
    to_plugin_dialog
    for typed in 'plugins' 'c:plugins' 'ac:1' '\plugins' 'c:\plu*gins' 'c:\a:b'; do
        drive settext "Plug-in location..." 100 "$typed"
        drive click "Plug-in location..." 1
        expect_bad_path "$typed"
    done
    drive click "Plug-in location..." 2
    expect_failure
    [ "$(ls -A "$disk")" = "$(cat "$work/disk-before")" ] || fail "written onto the disk: $(ls -A "$disk")"
    absent "$plug"
    ;;
no-sources)
    find "$disk" -type f ! -name setup.exe -delete
    to_plugin_dialog
    install_into ""
    expect_alert 'Cannot open "c:\disk\msvcrt20._ll"'
    expect_failure
    absent "$sys/msvcrt20.dll"
    ;;
*) fail "no such scenario" ;;
esac
finish
