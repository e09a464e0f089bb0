#!/usr/bin/env bash
# bench-nsis.sh [RUNS]: the shipped program against the installer a person
# could pick instead, NSIS (Debian's nsis, makensis 3.08), installing the same
# payload. NSIS installers are 32-bit programs: every row runs under the test
# bed's 32-bit Wine, in one prefix, the programs interleaved. Rows: process
# start to the first dialog painted, the copy phase (from the click that
# starts it to the closing dialog, every file in place), and sizes.
# Only this benchmark needs nsis; it installs it when it is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-9}
if ! command -v makensis >/dev/null; then
    SUDO=; [ "$(id -u)" -eq 0 ] || SUDO=sudo
    $SUDO apt-get install -y -qq --no-install-recommends nsis >/dev/null
fi
work=$PWD/build/bench-nsis
rm -rf "$work" && mkdir -p "$work/payload"
dist=build/dist/win32 pay=build/win32/sample-payload

# The 12 files an NT or Windows 95 installation puts in place, uncompressed,
# under their installed names: what the disk's files expand to.
cp "$pay/msvcrt20._ll" "$work/payload/msvcrt20.dll"
cp "$pay/vxbase32._ll" "$work/payload/vxbase32.dll"
for f in a b c d e f g h i j; do cp "$pay/vxfil${f}32._bf" "$work/payload/vxfil${f}32.8bf"; done
plugins=(vxbase32.dll vxfil{a,b,c,d,e,f,g,h,i,j}32.8bf)

# The classic interface: a directory page, then the install page. The runtime
# goes to the system directory only when newer, as setup.exe's rule has it.
nsi() {  # name, Unicode true|false, compressor ("" for the default), with files (1) or none
    {
        echo "Unicode $2"
        [ -n "$3" ] && echo "SetCompressor $3"
        echo 'Name "Orb Weave"'
        echo 'Caption "Orb Weave NSIS"'
        echo "OutFile \"$work/$1.exe\""
        echo 'InstallDir "C:\plugins"'
        echo 'RequestExecutionLevel admin'
        echo 'Page directory'
        echo 'Page instfiles'
        echo 'Section'
        if [ "$4" = 1 ]; then
            echo '  SetOutPath "$SYSDIR"'
            echo '  SetOverwrite ifnewer'
            echo "  File \"$work/payload/msvcrt20.dll\""
            echo '  SetOverwrite on'
            echo '  SetOutPath "$INSTDIR"'
            for f in "${plugins[@]}"; do echo "  File \"$work/payload/$f\""; done
        fi
        echo 'SectionEnd'
    } >"$work/$1.nsi"
    makensis -V1 "$work/$1.nsi" >/dev/null
}
nsi ansi false "/SOLID lzma" 1
nsi unicode true "" 1
nsi stub false "/SOLID lzma" 0

export OW_WINE32=1 WINEPREFIX=$work/prefix
bed=scripts/winebed.sh
"$bed" clone "$WINEPREFIX"
C=$WINEPREFIX/drive_c sys=$WINEPREFIX/drive_c/windows/system32
mkdir -p "$C/disk" "$C/nsis"
find "$dist" -maxdepth 1 -type f ! -name '*.img' -exec cp {} "$C/disk/" \;
cp "$work"/{ansi,unicode,stub}.exe "$C/nsis/"
cp build/win32/owminimal.exe "$C/nsis/"
driver=build/win32/owdrive.exe
drive() { "$bed" run "$driver" "$@" | tr -d '\r'; }
clean() { rm -rf "$C/plugins" "$sys/msvcrt20.dll"; }
installed() {  # every file in place, as the payload has it
    cmp -s "$sys/msvcrt20.dll" "$work/payload/msvcrt20.dll" || { echo "bench-nsis: $1: no msvcrt20.dll" >&2; exit 1; }
    for f in "${plugins[@]}"; do
        cmp -s "$C/plugins/$f" "$work/payload/$f" || { echo "bench-nsis: $1: $f is not in place" >&2; exit 1; }
    done
}
copy_setup() {
    clean
    "$bed" run 'C:\disk\setup.exe' >/dev/null &
    drive click "Welcome!" 1 >/dev/null
    drive click "Platform" 1 >/dev/null
    drive copytime "Plug-in location..." 1 "Congratulations..."
    installed setup.exe
    drive click "Congratulations..." 1 >/dev/null
    wait
}
# NSIS adds the page's name to the caption: ": Installation Folder", ": Completed".
nsis="Orb Weave NSIS"
copy_nsis() {  # installer
    clean
    "$bed" run "C:\\nsis\\$1.exe" >/dev/null &
    drive copytime "$nsis: Installation Folder" 1 "$nsis: Completed"
    installed "$1.exe"
    drive click "$nsis: Completed" 1 >/dev/null
    wait
}

# Warm: the first start of a prefix starts Wine's services.
drive starttime 'C:\disk\setup.exe' "Welcome!" >/dev/null
echo "== setup.exe (i686) against NSIS 3.08 installers of the same 12 files, under 32-bit Wine (qemu), $runs interleaved runs each"
for i in $(seq "$runs"); do  # a slow spell of the machine hits every program
    drive starttime 'C:\disk\setup.exe' "Welcome!" >>"$work/start-setup.txt"
    drive starttime 'C:\nsis\ansi.exe' "$nsis: Installation Folder" >>"$work/start-ansi.txt"
    drive starttime 'C:\nsis\unicode.exe' "$nsis: Installation Folder" >>"$work/start-unicode.txt"
    drive starttime 'C:\nsis\owminimal.exe' "Minimal" -w >>"$work/start-floor.txt"
    copy_setup >>"$work/copy-setup.txt"
    copy_nsis ansi >>"$work/copy-ansi.txt"
    copy_nsis unicode >>"$work/copy-unicode.txt"
done

median() { sort -n "$1" | sed -n "$(( (runs + 1) / 2 ))p"; }
each() { tr '\n' ' ' <"$1" | sed 's/ $//'; }
ratio() { echo "$1 / $2" | bc -l; }
for phase in start copy; do
    if [ $phase = start ]; then
        echo "-- start-up: process start to the first dialog up and painted (\"Welcome!\"; NSIS's directory page)"
    else
        echo "-- copy phase: the click on Continue (\"Plug-in location...\") or Install, to the closing dialog, every file in place"
    fi
    programs=(setup ansi unicode)
    [ $phase = start ] && programs+=(floor)
    for p in "${programs[@]}"; do
        printf '   %-32s runs 1..%d (ms): %s\n' "$p" "$runs" "$(each "$work/$phase-$p.txt")"
    done
    s=$(median "$work/$phase-setup.txt")
    [ $phase = start ] && printf '%-44s %9.1f ms   NSIS %-7s %9.1f ms   %6.3f\n' "start: floor (full window + dialog) median" \
        "$(median "$work/start-floor.txt")" ansi "$(median "$work/start-ansi.txt")" \
        "$(ratio "$(median "$work/start-floor.txt")" "$(median "$work/start-ansi.txt")")"
    for p in ansi unicode; do
        b=$(median "$work/$phase-$p.txt")
        printf '%-44s %9.1f ms   NSIS %-7s %9.1f ms   %6.3f\n' "$phase: setup.exe median" "$s" "$p" "$b" "$(ratio "$s" "$b")"
    done
done
echo "-- sizes (bytes)"
disk=$(( $(stat -c %s "$dist/setup.exe") + $(find "$dist" -maxdepth 1 -type f ! -name '*.img' ! -name setup.exe -printf '%s\n' | paste -sd+ | bc) ))
files=$(find "$dist" -maxdepth 1 -type f ! -name '*.img' | wc -l)
for p in ansi unicode; do
    printf '%-44s %9d      NSIS %-7s %9d      %6.3f\n' "setup.exe and its $((files - 1)) disk files" "$disk" "$p" \
        "$(stat -c %s "$work/$p.exe")" "$(ratio "$disk" "$(stat -c %s "$work/$p.exe")")"
done
printf '%-44s %9d      NSIS %-7s %9d      %6.3f\n' "setup.exe alone" "$(stat -c %s "$dist/setup.exe")" stub \
    "$(stat -c %s "$work/stub.exe")" "$(ratio "$(stat -c %s "$dist/setup.exe")" "$(stat -c %s "$work/stub.exe")")"
echo "(ratios: setup.exe / NSIS; below 1 is setup.exe ahead. floor: a minimal dialog program built as"
echo " setup.exe is, showing its dialog after a plain full-screen window, as the design does)"
