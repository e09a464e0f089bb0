#!/usr/bin/env bash
# mkdisk's command line: help, a disk from a payload, and clear failures.
set -u
mkdisk=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$mkdisk" --help | grep -q "usage: mkdisk" || fail "--help"
"$mkdisk" >/dev/null 2>&1; [ $? -eq 2 ] || fail "no arguments must exit 2"

mkdir -p "$work/payload" "$work/disk"
"$mkdisk" --sample "$work/payload" >/dev/null || fail "--sample"
echo 'MZ fake' >"$work/setup.exe"
out=$("$mkdisk" --setup "$work/setup.exe" "$work/payload" "$work/disk") || fail "disk layout"
[ "$(ls "$work/disk" | wc -l)" -eq 14 ] || fail "14 files expected on the disk"
echo "$out" | grep -qE '^vxfila32\._bf +100000 -> +[0-9]+ bytes +[0-9.]+%$' || fail "a line per file: $out"
head -c 10 "$work/disk/msvcrt20._ll" | tail -c 1 | grep -q l || fail "last name character of msvcrt20.dll"

# The floppy image: 14 files under 8.3 names in upper case, the label, the bytes.
floppy=$(dirname "$0")/../../tools/mkdisk/mkfloppy.sh
MKDISK=$mkdisk "$floppy" "$work/disk" "$work/a.img" >/dev/null || fail "floppy image"
[ "$(stat -c %s "$work/a.img")" -eq 1474560 ] || fail "a 1.44 MB image"
names=$(mdir -i "$work/a.img" -b :: | tr -d '\r')
[ "$(echo "$names" | wc -l)" -eq 14 ] && echo "$names" | grep -qx '::/VXFILA32._BF' || fail "image names: $names"
mdir -i "$work/a.img" :: | grep -q "Volume in drive : is ORBWEAVE" || fail "volume label"
mcopy -i "$work/a.img" ::/MSVCRT20._LL - | cmp -s - "$work/disk/msvcrt20._ll" || fail "image bytes"
head -c 1400000 /dev/urandom >"$work/disk/vxfilj32._bf"
err=$(MKDISK=$mkdisk "$floppy" "$work/disk" "$work/b.img" 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] && echo "$err" | grep -qE "take [0-9]+ bytes on a floppy, which holds 1457664: [0-9]+ bytes too many" ||
    fail "a disk too large for a floppy: $rc $err"
[ ! -e "$work/b.img" ] || fail "no image of a disk that does not fit"

rm "$work/payload/vxfilc32._bf"
err=$("$mkdisk" "$work/payload" "$work/disk" 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] || fail "missing payload file must exit 1, got $rc"
echo "$err" | grep -q "vxfilc32._bf: No such file" || fail "message names the missing file: $err"

mkdir "$work/payload/vxfilc32._bf"
err=$("$mkdisk" "$work/payload" "$work/disk" 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] && echo "$err" | grep -q "not a regular file" || fail "directory as payload: $err"
echo ok
