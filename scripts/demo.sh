#!/usr/bin/env bash
# Runs setup.exe from the demo distribution disk under Wine, as a user with the
# floppy would: the files of build/dist/win32/orbweave.img in drive A:, a
# floppy drive, and A:\SETUP.EXE started from there (the x86_64 twin in the
# i686 program's place, as 64-bit Wine runs it). A fresh Wine prefix's C: is
# the target machine, on a virtual display. Walks through the installation as
# a user would, saves a screenshot of every step under build/demo/ and lists
# what was installed where.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
make -j"$(nproc)" all
out=$PWD/build/demo
rm -rf "$out"
mkdir -p "$out"
export WINEPREFIX=$out/prefix
scripts/winebed.sh clone "$WINEPREFIX"
# A fresh Windows has no msvcrt20.dll; Wine's prefix holds a stand-in.
rm -f "$WINEPREFIX/drive_c/windows/system32/msvcrt20.dll"
# The prefix's Wine processes and the display go when the demo ends.
trap 'scripts/winebed.sh stop' EXIT
floppy=$out/floppy
mkdir -p "$floppy"
mcopy -i build/dist/win32/orbweave.img -n '::/*' "$floppy/"
cp build/dist/win64/setup.exe "$floppy/SETUP.EXE"
scripts/winebed.sh drive A: "$floppy" floppy
echo "demo: drive A: holds the files of build/dist/win32/orbweave.img:"
mdir -i build/dist/win32/orbweave.img | sed 's/^/  /'
drive() { scripts/winerun.sh build/win64/tests/owdrive.exe "$@"; }
shot() {  # caption file
    drive wait "$1" 20000
    sleep 0.5
    scripts/winebed.sh screenshot "$out/$2.png"
    echo "demo: $1 -> build/demo/$2.png"
}

OW_CWD=$floppy scripts/winerun.sh 'A:\SETUP.EXE' &
setup=$!
shot "Welcome!" 1-welcome
drive click "Welcome!" 1
shot "Platform" 2-platform
drive click "Platform" 1
shot "Plug-in location..." 3-plugin
drive click "Plug-in location..." 1
scripts/winebed.sh screenshot "$out/4-installing.png"  # the demo disk is quick: it may show Done already
shot "Congratulations..." 5-done
drive click "Congratulations..." 1
wait $setup && echo "demo: setup.exe ended with exit code 0"
echo "demo: installed, in the prefix $WINEPREFIX:"
C=$WINEPREFIX/drive_c
(cd "$C" && ls -l windows/system32/msvcrt20.dll plugins/* | awk '{printf "  C:/%s  %s bytes\n", $9, $5}')
