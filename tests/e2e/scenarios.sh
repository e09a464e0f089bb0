#!/usr/bin/env bash
# The end-to-end scenarios: each a whole run of setup.exe on a fresh machine
# (lib.sh), one block each: what it prepares, then start VER [SWITCHES], what
# it does and what it checks. CTest runs each as e2e.NAME; those marked i686
# run under 32-bit Wine too (scripts/test32.sh).
#   scenarios.sh NAME        run one
#   scenarios.sh --list [i686]
set -uo pipefail
source "$(dirname "$0")/lib.sh"

# The whole walkthrough on each system, the first and last files slow and
# the progress dialog watched: the runtime of that system into the system
# directory, every file from the disk, each destination in lower case.
win95() {  # i686
    start_watched win95
    installs
    same "$sys/msvcrt20.dll" "$(expected msvcrt20._ll)"
    plugins_installed
    shown_to 'c:\windows\system32\msvcrt20.dll' 'c:\plugins\vxfilj32.8bf'
}
nt351() {  # i686
    start_watched nt351
    to_plugin_dialog
    # The common dialogs load on the first Browse, without a C runtime DLL too.
    drive click "Plug-in location..." 101
    drive click "Plug-in's directory..." 2
    installs_into
    same "$sys/msvcrt20.dll" "$(expected msvcrt20._ll)"
    plugins_installed
    shown_to 'c:\windows\system32\msvcrt20.dll' 'c:\plugins\vxfilj32.8bf'
}
win31() {  # i686
    start_watched win31
    installs
    same "$sys/msvcrt20.dll" "$(expected msvcrt20._2s)"
    plugins_installed
}
# -n: the runtime goes into the Windows directory, not the system directory.
network() {
    start_watched nt351 -n
    installs
    same "$win/msvcrt20.dll" "$(expected msvcrt20._ll)"
    absent "$sys/msvcrt20.dll"
}
# Detected as NT; the user says Windows 3.1 by clicking its check box.
platform-changed() {
    start nt351
    drive click "Welcome!" 1
    drive click "Platform" 2001
    drive click "Platform" 1
    installs_into
    same "$sys/msvcrt20.dll" "$(expected msvcrt20._2s)"
    plugins_installed
}

# From the floppy image in drive A:, as a user with the floppy has it.
_from_floppy() { floppy "${3:-}"; start "$1"; installs; installed_from_floppy "$2"; }  # VER RUNTIME [ro]
floppy-win95() { _from_floppy win95 MSVCRT20._LL; }  # i686
floppy-nt351() { _from_floppy nt351 MSVCRT20._LL; }  # i686
floppy-win31() { _from_floppy win31 MSVCRT20._2S; }  # i686
floppy-readonly() { _from_floppy nt351 MSVCRT20._LL ro; }  # i686
# The search for the paint program's directory reaches the last letter: Z:
# holds the only photoshp\plugins (and not the whole file system).
last-drive() {
    # The driver runs from C: then: a 32-bit one under WOW64 is started by its
    # DOS path, which Z: no longer gives.
    cp "$driver" "$win/owdrive.exe" && driver='C:\windows\owdrive.exe'
    mkdir -p "$work/drive-z/photoshp/plugins"
    "$winebed" drive Z: "$work/drive-z" || fail "cannot add drive Z:"
    at_plugin_dialog nt351
    proposed 'Z:\photoshp\plugins'
    give_up
}

# The runtime present: a newer one is replaced with -m and kept without; one
# dated a day before the disk's, though later in its day, is older.
force() {
    newer_runtime "$sys"
    start_watched nt351 /M
    installs
    same "$sys/msvcrt20.dll" "$(expected msvcrt20._ll)"
    plugins_installed
}
# -m with the disk's runtime unreadable: said, "Failure", the one present kept.
force-no-source() {
    newer_runtime "$sys"
    rm "$disk/msvcrt20._ll"
    start nt351 -m
    copy_fails 'Cannot open "c:\disk\msvcrt20._ll"'
    grep -qx "a newer runtime" "$sys/msvcrt20.dll" || fail "the runtime present changed"
}
keepnewer() {
    newer_runtime "$sys"
    start_watched nt351
    installs
    grep -qx "a newer runtime" "$sys/msvcrt20.dll" || fail "the newer runtime was replaced"
    plugins_installed
}
replaceolder() {
    runtime_dated "$sys" - "an older runtime"
    start nt351
    installs
    same "$sys/msvcrt20.dll" "$(expected msvcrt20._ll)"
}
# Every installed file is dated as on the disk: the same disk run again
# leaves the runtime it installed alone.
same-disk-twice() {
    start nt351
    installs
    finish
    [ "$sys/msvcrt20.dll" -ot "$disk/msvcrt20._ll" ] || [ "$sys/msvcrt20.dll" -nt "$disk/msvcrt20._ll" ] ||
        [ "$plug/vxfila32.8bf" -ot "$disk/vxfila32._bf" ] || [ "$plug/vxfila32.8bf" -nt "$disk/vxfila32._bf" ] &&
        fail "the installed files are not dated as on the disk"
    echo "the first run's" >"$sys/msvcrt20.dll" && touch -r "$disk/msvcrt20._ll" "$sys/msvcrt20.dll"
    start nt351
    installs
    grep -qx "the first run's" "$sys/msvcrt20.dll" || fail "the same disk replaced its own runtime"
    plugins_installed
}
# -m over a runtime that cannot be replaced (read-only, as one in use or owned
# by the system): one at least as new as the disk's is kept and the plug-ins
# go in; an older one is a failure, and said. Neither is touched.
_in_use() {  # + (dated after the disk's) or -
    runtime_dated "$sys" "$1" "a runtime in use" && chmod a-w "$sys/msvcrt20.dll"
    start nt351 /M
    install
}
_kept_in_use() {
    chmod u+w "$sys/msvcrt20.dll"
    grep -qx "a runtime in use" "$sys/msvcrt20.dll" || fail "the runtime present was replaced"
    no_temporaries "$sys"
}
force-kept() { _in_use +; expect_done; plugins_installed; _kept_in_use; }
force-locked() {
    _in_use -
    expect_alert "Installing..." 'Cannot open "c:\windows\system32\msvcrt20.dll"'
    expect_failure
    absent "$plug/vxbase32.dll"
    _kept_in_use
}
# Switches: "--s"'s second dash starts a switch of its own (no search, an
# empty field); "/S/N/M" are three.
switches-odd() { at_plugin_dialog nt351 - / -x --s; proposed ''; give_up; }
switches-together() {
    newer_runtime "$win"
    at_plugin_dialog nt351 /S/N/M
    proposed ''
    installs_into 'c:\plugins'
    same "$win/msvcrt20.dll" "$(expected msvcrt20._ll)"
    plugins_installed
}

# Leaving: Exit on each dialog ends the program; on the plug-in dialog "Failure" says so.
exit-welcome() { start nt351; drive click "Welcome!" 2; ask wait "Platform" 1500 && fail "a dialog after Exit"; }
exit-platform() {
    start nt351
    drive click "Welcome!" 1
    drive click "Platform" 2
    ask wait "Plug-in location..." 1500 && fail "a dialog after Exit"
}
exit-plugin() { at_plugin_dialog nt351; give_up; absent "$plug"; }
# Cancel while the last file is expanded (once the one before it is in
# place): the copy stops after it, every file before it whole.
cancel-last() {
    noise 40000000 vxfilj32._bf
    at_plugin_dialog nt351
    ask clickonfile "Installing..." 2 'C:\plugins\vxfili32.8bf' &
    local clicker=$!
    drive click "Plug-in location..." 1
    wait $clicker || fail "Cancel was not clicked during the last file"
    expect_failure
    for f in a b c d e f g h i; do same "$plug/vxfil${f}32.8bf" "$payload/vxfil${f}32._bf"; done
    same "$plug/vxfilj32.8bf" "$work/vxfilj32._bf"  # finished before Cancel took effect
}
# Closing the background window during the first file counts as Cancel. The
# closer waits from before the click, so that its start-up cannot miss the copy.
close-during-copy() {
    noise 40000000 msvcrt20._ll
    at_plugin_dialog nt351
    ask close "Orb Weave 2.0 Setup" 'C:\windows\system32\ows*.tmp' &
    local closer=$!
    drive click "Plug-in location..." 1
    wait $closer || fail "the window was not closed during the first file"
    expect_failure
    absent "$plug/vxfilj32.8bf"
}
# A close while a dialog of the sequence is up is that dialog's Exit, at once:
# the program ends as after Exit, nothing installed.
close-at-welcome() {
    start nt351
    drive wait "Welcome!"
    drive close "Orb Weave 2.0 Setup"
    ask windows | grep -qx "Welcome!" && fail "Welcome! is still up after the close"
    wait $setup || fail "setup.exe ended with $?"
    absent "$plug"
}
# A double click is one press for the dialog it was made on: its second press
# never acts on the next dialog, though "Welcome!" and "Platform" have their
# buttons in the same place.
double-click() {
    start nt351
    local front=$(ask doubleclick "Welcome!" 1)
    [ "$front" = Platform ] || fail "a double click on Welcome's Continue left \"$front\" in front"
    drive click "Platform" 2
    wait $setup || fail "setup.exe ended with $?"
    absent "$plug"
}
# A shutdown or log-off is refused while files are put in place, and let go
# ahead before: asked of the main window at Welcome!, then while the first
# plug-in is expanded (answered after it, before the next).
shutdown-query() {
    slow vxbase32._ll
    start nt351
    drive wait "Welcome!"
    [ "$(ask endsession "Orb Weave 2.0 Setup")" = 1 ] || fail "a log-off was refused at Welcome!"
    ask endsession "Orb Weave 2.0 Setup" 'C:\plugins\ows*.tmp' >"$work/answer" &
    local asker=$!
    install
    wait $asker || fail "the log-off was not asked during the copy"
    [ "$(cat "$work/answer")" = 0 ] || fail "a log-off was let through during the copy"
    expect_done
    plugins_installed
}
# The progress dialog is painted before the first file is expanded: Cancel
# shows the same while the first file is expanded as while a later one is.
first-paint() {
    noise 20000000 msvcrt20._ll vxbase32._ll
    at_plugin_dialog nt351
    ask pixels "Installing..." 2 'C:\windows\system32\ows*.tmp' >"$work/first" &
    local first=$!
    ask pixels "Installing..." 2 'C:\plugins\ows*.tmp' >"$work/later" &
    local later=$!
    drive click "Plug-in location..." 1
    wait $first || fail "Cancel's pixels were not read while the first file was expanded"
    wait $later || fail "Cancel's pixels were not read while a later file was expanded"
    expect_done
    [ "$(cat "$work/first")" = "$(cat "$work/later")" ] ||
        fail "Cancel during the first file: $(cat "$work/first"); during a later one: $(cat "$work/later")"
    [ "$(cut -d' ' -f2 "$work/later")" -gt 2 ] || fail "Cancel shows no picture: $(cat "$work/later")"
}
# The power goes while a large plug-in is expanded: every file then in the
# plug-in directory is whole and exact, or absent, and nothing else changed;
# the next run removes the killed one's temporary file and installs everything.
killed() {
    noise 40000000 vxfile32._bf
    killed=1 start nt351
    to_plugin_dialog
    drive click "Plug-in location..." 1
    # Killed once vxfile32 is being written: after vxfild32, before vxfilf32.
    writing_vxfile32() { [ -e "$plug/vxfild32.8bf" ] && { [ -e "$plug/vxfile32.8bf" ] || ls "$plug"/ows*.tmp; } >/dev/null; }
    while_running $setup writing_vxfile32 || fail "setup.exe ended before vxfile32.8bf was written"
    kill_setup
    absent "$plug/vxfilf32.8bf"
    for f in "$plug"/*; do
        case ${f##*/} in
        ows*.tmp) ;;
        *.8bf) same "$f" "$(expected "$(basename "$f" .8bf)._bf")" ;;
        vxbase32.dll) same "$f" "$(expected vxbase32._ll)" ;;
        *) fail "${f##*/} in the plug-in directory" ;;
        esac
    done
    same "$sys/msvcrt20.dll" "$(expected msvcrt20._ll)"
    disk_unchanged
    ls "$plug"/ows*.tmp >/dev/null 2>&1 || fail "no temporary file of the killed run: was it killed during the expansion?"
    killed= start nt351
    installs
    plugins_installed
    no_temporaries "$plug"
}
# Temporaries a stopped run left, in both directories files are copied to,
# go at the next run's start; a user's file that only looks like one stays.
stale-temporaries() {
    mkdir -p "$plug"
    for d in "$plug" "$sys"; do echo stale >"$d/ows1a2b.tmp" && echo mine >"$d/owsnotes.tmp"; done
    # One another setup is writing, held open as that setup holds it.
    echo writing >"$plug/ows3c4d.tmp" && hold 'C:\plugins\ows3c4d.tmp' writer
    start nt351
    installs
    plugins_installed
    for d in "$plug" "$sys"; do
        absent "$d/ows1a2b.tmp"
        grep -qx mine "$d/owsnotes.tmp" || fail "the user's $d/owsnotes.tmp was removed"
    done
    release_kept
    grep -qx writing "$plug/ows3c4d.tmp" || fail "the temporary being written was changed"
}
# One setup at a time: a second start, from another copy of the disk, shows
# the first one again (the user had minimised it), its dialog in front, and
# ends; the first still installs.
second-start() {
    cp -rp "$disk" "$C/disk2"
    start nt351
    drive wait "Welcome!"
    drive minimize "Orb Weave 2.0 Setup"
    "$winebed" run 'C:\disk2\setup.exe' || fail "the second setup.exe ended with $?"
    # The first restores itself, and its dialog takes the front, when it next reads its messages.
    while_running $setup is_shown "Orb Weave 2.0 Setup" || fail "the first setup was left minimised"
    while_running $setup in_front "Welcome!" || fail "in front: \"$(ask front)\", not the first setup's Welcome!"
    [ "$(ask windows | grep -c 'Welcome!')" = 1 ] || fail "not one Welcome!: $(ask windows)"
    installs
    plugins_installed
}

# Unattended: -q installs with no dialog that asks anything, into -d's
# directory, and its exit code says how it ended (README): each refusal the
# dialogs would have said ends it instead, with nothing left half-done.
_quiet() { exit_code=$1 && shift && start nt351 /q "$@" && wait $setup; }  # CODE [SWITCHES...]
quiet() { _quiet 0 '/d=c:\quiet dir'; plug="$C/quiet dir" plugins_installed; same "$sys/msvcrt20.dll" "$(expected msvcrt20._ll)"; }
quiet-proposed() { ini 'c:\from ini'; _quiet 0; plug="$C/from ini" plugins_installed; }
quiet-bad-path() { _quiet 2 '/d=c:\plu<gins|'; [ -z "$(ls -A "$C" | grep -i plu)" ] || fail "made: $(ls -A "$C")"; }
quiet-too-long() { _quiet 3 "/d=$(dir_of $((limit + 1)) q)"; absent "$C/$(printf 'q%.0s' $(seq $((limit - 2))))"; }
quiet-full-disk() {
    tinydisk
    earlier "$tiny/plugins/vxbase32.dll"
    _quiet 4 '/d=t:\plugins'
    kept_earlier "$tiny/plugins/vxbase32.dll"
    no_temporaries "$tiny/plugins"
}
quiet-damaged() {
    _flip "$disk/vxfilc32._bf"
    earlier "$plug/vxfilc32.8bf"
    _quiet 5 '/d=c:\plugins'
    kept_earlier "$plug/vxfilc32.8bf"
    absent "$plug/vxfild32.8bf"
    no_temporaries "$plug"
}
# Started while another setup runs, a quiet one waits for nothing: its code
# says so, and the first goes on untouched.
quiet-second() {
    start nt351
    drive wait "Welcome!"
    "$winebed" run 'C:\disk\setup.exe' /q /d=c:\second
    local rc=$?
    [ $rc -eq 6 ] || fail "a quiet start beside a running setup ended with $rc, not 6"
    absent "$C/second"
    installs
    plugins_installed
}

# Bad sources: said in an alert over the progress dialog, then "Failure";
# what the user had is kept, nothing after the failed file is copied.
_bad_source() {  # ALERT
    earlier "$plug/vxfilc32.8bf"
    start nt351
    copy_fails "$1"
    same "$plug/vxfila32.8bf" "$payload/vxfila32._bf"
    kept_earlier "$plug/vxfilc32.8bf"
    absent "$plug/vxfild32.8bf"
    no_temporaries "$plug"
}
missing() { rm "$disk/vxfilc32._bf"; _bad_source 'Cannot open "c:\disk\vxfilc32._bf"'; }  # i686
# Cut short, on a disk without a list of sums: the library's own error.
corrupt() { rm "$disk/filesums.txt"; truncate -s 20000 "$disk/vxfilc32._bf"; _bad_source 'Internal error (-3)'; }
# A source that expands whole but shorter than its header promises, onto a
# drive whose free space cannot be read (C: answers no such query, as some
# network file systems): that says nothing of a full disk; the disk is damaged.
promised-more() {
    local file=$disk/vxfilc32._bf size
    size=$(od -An -tu4 -j10 -N4 "$file")
    touch -r "$file" "$work/dated"
    perl -e 'print pack("V", shift)' $((size + 1000)) | dd of="$file" bs=1 seek=10 conv=notrunc status=none
    touch -r "$work/dated" "$file"  # as released
    LD_PRELOAD=$nostatfs OW_NOSTATFS=$(realpath "$C") _bad_source "$(_damaged vxfilc32._bf)"
}
# A damaged disk is never installed silently: one byte changed in the middle
# of a compressed plug-in, or of the runtime, expands without an error into a
# file that is not the one the disk was made with. It is not put in place, and
# the disk's list of what each file expands to says so. A damaged list itself
# stops the installation before any file; a disk without a list installs as
# disks did before it.
_flip() {  # FILE: the byte in its middle, every bit of it changed; its date kept
    local at=$(( $(stat -c %s "$1") / 2 )) byte
    byte=$(od -An -tu1 -j"$at" -N1 "$1")
    touch -r "$1" "$work/dated"
    printf "\\x$(printf %02x $((byte ^ 255)))" | dd of="$1" bs=1 seek="$at" conv=notrunc status=none
    touch -r "$work/dated" "$1"
}
_damaged() { printf 'The disk is damaged: "c:\\disk\\%s" is not as it was made. Nothing of it was installed.' "$1"; }
damaged-plugin() { _flip "$disk/vxfilc32._bf"; _bad_source "$(_damaged vxfilc32._bf)"; }
damaged-runtime() {  # i686
    _flip "$disk/msvcrt20._ll"
    runtime_dated "$sys" - "an older runtime"
    start nt351
    copy_fails "$(_damaged msvcrt20._ll)"
    grep -qx "an older runtime" "$sys/msvcrt20.dll" || fail "the older runtime was not kept"
    absent "$plug/vxfila32.8bf"
    no_temporaries "$sys"
}
damaged-list() {
    sed -i 's/^vxfild32._bf 100000 /vxfild32._bf 100001 /' "$disk/filesums.txt"
    start nt351
    install
    expect_alert "Orb Weave 2.0 Setup" "$(_damaged filesums.txt)"
    expect_failure
    [ -z "$(ls -A "$plug" 2>/dev/null)" ] || fail "installed from a damaged disk: $(ls -A "$plug")"
}
no-list() { rm "$disk/filesums.txt"; start nt351; installs; plugins_installed; }
source-directory() {
    rm "$disk/vxfila32._bf" && mkdir "$disk/vxfila32._bf"
    start nt351
    copy_fails 'Cannot open "c:\disk\vxfila32._bf"'
    absent "$plug/vxfila32.8bf"
    no_temporaries "$plug"
}
no-sources() {
    find "$disk" -type f ! -name setup.exe -delete
    start nt351
    copy_fails 'Cannot open "c:\disk\msvcrt20._ll"'
    absent "$sys/msvcrt20.dll"
}
fulldisk() {
    tinydisk
    earlier "$tiny/plugins/vxbase32.dll"
    start nt351
    copy_fails 'Disk full when copying "c:\disk\vxbase32._ll"' 't:\plugins'
    kept_earlier "$tiny/plugins/vxbase32.dll"
    no_temporaries "$tiny/plugins"
}
# A destination that cannot be replaced, read-only or held open by another
# program: said, and the file there kept.
_dest_refused() {
    copy_fails 'Cannot open "c:\plugins\vxfila32.8bf"'
    chmod u+w "$plug/vxfila32.8bf"
    kept_earlier "$plug/vxfila32.8bf"
    same "$plug/vxbase32.dll" "$(expected vxbase32._ll)"
    no_temporaries "$plug"
}
readonly-dest() { earlier "$plug/vxfila32.8bf"; chmod a-w "$plug/vxfila32.8bf"; start nt351; _dest_refused; }  # Wine's read-only
locked-dest() { earlier "$plug/vxfila32.8bf"; hold 'C:\plugins\vxfila32.8bf'; start nt351; _dest_refused; }
# Windows has no read-only directories (the attribute does not stop writing):
# as root, whose writes a mode does not stop, the directory is read-only for
# its owner and the plug-ins install. A user's own read-only directory stops
# the user's writes, as one whose permissions deny them does on Windows: the
# copy is refused, said by the file's name, and nothing left in it.
readonly-plugdir() {
    mkdir -p "$plug" && chmod 555 "$plug"
    start nt351
    if [ "$(id -u)" -eq 0 ]; then
        installs
        plugins_installed
    else
        copy_fails 'Cannot open "c:\plugins\vxbase32.dll"'
        [ -z "$(ls -A "$plug")" ] || fail "the refused directory holds $(ls -A "$plug")"
    fi
}

# Paths refused on the plug-in dialog, typed or proposed: "Bad Path" names
# the path as it was shown, and the user can still leave.
_bad_path() {  # [TYPED]
    to_plugin_dialog
    local shown=$(ask text "Plug-in location..." 100)
    [ -n "${1:-}" ] && drive settext "Plug-in location..." 100 "$1" && shown=$1
    drive click "Plug-in location..." 1
    expect_bad_path "$shown"
    give_up
}
invalid-chars() { start nt351; _bad_path 'c:\plu<gins|'; }
ini-absent-drive() { ini 'q:\plugins'; start nt351; _bad_path; }
ini-garbage() { ini "$(printf 'c:\\\x01\x7f<>|\xe9\xff')"; start nt351; _bad_path; }
# A floppy drive with no disk in it: on the named systems, probing it without
# care raises the system's "no disk" box; here it just reads as absent.
absent-floppy() {
    "$winebed" drive A: "$work/no-disk" floppy || fail "cannot add drive A:"
    at_plugin_dialog nt351
    drive settext "Plug-in location..." 100 'a:\plugins'
    free_shown --
    drive click "Plug-in location..." 1
    expect_bad_path 'a:\plugins'
    give_up
}
# Only a full path is a plug-in directory: a relative one would send the
# plug-ins into the current directory, the distribution disk.
relative-path() {
    at_plugin_dialog nt351
    for typed in 'plugins' 'c:plugins' 'ac:1' '\plugins' 'c:\plu*gins' 'c:\a:b'; do
        drive settext "Plug-in location..." 100 "$typed"
        drive click "Plug-in location..." 1
        expect_bad_path "$typed"
    done
    give_up
    disk_unchanged
    absent "$plug"
}
ini-empty() { ini ""; at_plugin_dialog nt351; proposed 'c:\plugins'; give_up; }
# Windows drops trailing blanks from a path's last name: what is checked,
# made and installed into is the directory without the blank.
trailing-blank() { start nt351; installs 'c:\plugins '; plugins_installed; absent "$C/plugins "; }
# Proposed by the paint program's settings, on a share: the share's own free
# space; none while a share's name is typed, even a whole one (a slow server
# would hold each keystroke), and the share's again once the field is left.
unc-existing() {
    share
    mkdir "$share/plugins"
    ini '\\localhost\share\plugins'
    at_plugin_dialog nt351
    proposed '\\localhost\share\plugins'
    local kb=$(df -k --output=avail "$share" | tail -n 1)
    local space=$(printf '%d.%03d MB' $((kb / 1000)) $((kb % 1000)))
    free_shown "$space"
    drive settext "Plug-in location..." 100 '\\localhost\'
    free_shown --
    drive settext "Plug-in location..." 100 '\\localhost\share\plugins'
    free_shown --
    drive click "Plug-in location..." 101  # Browse takes the focus from the field
    drive click "Plug-in's directory..." 2
    free_shown "$space"
    installs_into '\\localhost\share\plugins'
    plug=$share/plugins plugins_installed
}
# A share typed and then left by Continue, "Bad Path" and Exit: its free space
# is never asked for on the way out, where a server that does not answer
# would hold each step for the network's timeout (the queries are counted in
# Wine's trace).
unc-left() {
    WINEDEBUG=trace+volume start nt351 2>"$work/trace"
    to_plugin_dialog
    drive settext "Plug-in location..." 100 '\\nosuch\share\dir'
    drive click "Plug-in location..." 1
    expect_bad_path '\\nosuch\share\dir'
    give_up
    wait $setup || fail "setup.exe ended with $?"
    local asked=$(grep -ci 'FreeSpace.*nosuch' "$work/trace")
    [ "$asked" = 0 ] || fail "the share's free space was asked for $asked times on the way out"
}
# A new directory on a share, typed with forward slashes: made, then filled.
unc-create() { share; start nt351; installs '//localhost/share/made'; plug=$share/made plugins_installed; }

# A directory named in the user's own language on the Japanese, Simplified and
# Traditional Chinese and Korean editions (Wine takes the code page from the
# locale): its characters' second bytes are capitals, backslashes (inside the
# name and at its end) and "|" (Korean has capitals only); and on a Russian
# system, whose letters are single bytes beyond ASCII. Typed, proposed by the paint
# program's settings, or the disk's own directory: every file goes into
# exactly the directory named, and no other appears on C:.
_own_language() {  # LOCALE CODEPAGE NAME typed|ini|disk
    export LANG=$1.UTF-8
    local cp=$2 name=$3 how=$4 dir=$3
    [ "$how" = disk ] && moved_disk "C:\\$name" && dir=plugins
    [ "$how" = ini ] && ini "$(printf 'c:\\%s' "$name" | iconv -t "$cp")"
    { ls -A "$C"; echo "$dir"; } | sort -u >"$work/c-expected"
    start nt351
    to_plugin_dialog
    # What the program proposes, read in the code page: the name, or (before
    # it is typed) the directory it proposes without one.
    local proposal="c:\\$dir" shown
    [ "$how" = typed ] && proposal='c:\plugins'
    shown=$(ask text "Plug-in location..." 100 | iconv -f "$cp")
    [ "$shown" = "$proposal" ] || fail "proposed: $shown"
    [ "$how" = typed ] && drive settext "Plug-in location..." 100 "c:\\$name"
    installs_into
    plug=$C/$dir plugins_installed
    [ "$(ls -A "$C/$dir" | wc -l)" -eq 11 ] || fail "$dir holds: $(ls -A "$C/$dir")"
    ls -A "$C" | sort | cmp -s - "$work/c-expected" || fail "C: holds: $(ls -A "$C")"
}
own-language-932-typed() { _own_language ja_JP CP932 グソポソ typed; }
own-language-932-ini() { _own_language ja_JP CP932 グソポソ ini; }
own-language-932-disk() { _own_language ja_JP CP932 グソポソ disk; }
own-language-936-typed() { _own_language zh_CN CP936 丱乗亅乗 typed; }
own-language-936-ini() { _own_language zh_CN CP936 丱乗亅乗 ini; }
own-language-936-disk() { _own_language zh_CN CP936 丱乗亅乗 disk; }
own-language-950-typed() { _own_language zh_TW CP950 力功四功 typed; }
own-language-950-ini() { _own_language zh_TW CP950 力功四功 ini; }
own-language-950-disk() { _own_language zh_TW CP950 力功四功 disk; }
own-language-949-typed() { _own_language ko_KR CP949 갂괔 typed; }
own-language-949-ini() { _own_language ko_KR CP949 갂괔 ini; }
own-language-949-disk() { _own_language ko_KR CP949 갂괔 disk; }
own-language-1251-typed() { _own_language ru_RU CP1251 Плагины typed; }

# Paths at the length limit: every file arrives, the names at the very limit
# included; one character more is refused, and said.
plugdir-at-limit() {
    local target=$(dir_of $limit p)
    [ ${#target} -eq $limit ] || fail "the test's own directory has ${#target} characters"
    start nt351
    installs "$target"
    plug=$C/${target#c:\\} plugins_installed
}
setupdir-at-limit() { moved_disk "$(dir_of $limit s)"; start nt351; installs; plugins_installed; }
plugdir-over-limit() {
    local over=$(dir_of $((limit + 1)) p)
    at_plugin_dialog nt351
    install_into "$over"
    expect_alert "Plug-in location..." "The path \"$over\" is too long for the plug-ins. Choose a directory whose path has at most $limit characters."
    give_up
    absent "$C/${over#c:\\}"
}
_setupdir_refused() {  # DIR ALERT
    moved_disk "$1" && start nt351 && install
    expect_alert "Orb Weave 2.0 Setup" "$2" && expect_failure && absent "$plug/vxbase32.dll"
}
setupdir-over-limit() {
    local dir=$(dir_of $((limit + 1)) s)
    _setupdir_refused "$dir" "~the path of \"$dir\\setup.exe\" is too long to install from or into."
}
# 166 characters to the program: more than its 160-character buffers hold.
long-start-dir() { _setupdir_refused "C:\\$(printf 'x%.0s' $(seq 60))\\$(printf 'y%.0s' $(seq 60))\\$(printf 'z%.0s' $(seq 32))" "*is too long"; }
_too_long() { at_plugin_dialog nt351; install_into "${1:-}"; expect_alert "Plug-in location..." "*is too long"; give_up; }
overlong-path() { _too_long "c:\\$(printf 'd%.0s' $(seq 150))"; }
ini-overlong() { ini "c:\\$(printf 'd%.0s' $(seq 150))$(printf 'e%.0s' $(seq 200))"; _too_long; }

run_scenario "$@"
