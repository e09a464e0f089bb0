#!/usr/bin/env bash
# mkdisk's command line: help, a disk from a payload, its dates, and clear failures.
set -u
mkdisk=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$mkdisk" --help | grep -q "usage: mkdisk" || fail "--help"
"$mkdisk" >/dev/null 2>&1; [ $? -eq 2 ] || fail "no arguments must exit 2"

mkdir -p "$work/payload" "$work/disk"
SOURCE_DATE_EPOCH=x "$mkdisk" --sample "$work/payload" 2>/dev/null && fail "--sample with no release date"
SOURCE_DATE_EPOCH=1700000000 "$mkdisk" --sample "$work/payload" >/dev/null || fail "--sample"
echo 'MZ fake' >"$work/setup.exe"
# Each file as its payload file is dated, to the second: the release, not the build.
touch -d @1600000001 "$work/payload/msvcrt20._ll" "$work/setup.exe"
out=$("$mkdisk" --setup "$work/setup.exe" "$work/payload" "$work/disk") || fail "disk layout"
[ "$(ls "$work/disk" | wc -l)" -eq 15 ] || fail "15 files expected on the disk"
echo "$out" | grep -qE '^vxfila32\._bf +100000 -> +[0-9]+ bytes +[0-9.]+%$' || fail "a line per file: $out"
head -c 10 "$work/disk/msvcrt20._ll" | tail -c 1 | grep -q l || fail "last name character of msvcrt20.dll"
# One file compressed by its own name: its last character, or none when that
# character takes several bytes (UTF-8).
for name in plug.8bf plugé; do
    cp "$work/payload/vxfila32._bf" "$work/$name"
    "$mkdisk" --compress "$work/$name" "$work/$name.sz" >/dev/null || fail "--compress $name"
done
[ "$(od -An -tx1 -j9 -N1 "$work/plug.8bf.sz")" = " 66" ] || fail "last character of plug.8bf: $(od -An -tx1 -j9 -N1 "$work/plug.8bf.sz")"
[ "$(od -An -tx1 -j9 -N1 "$work/plugé.sz")" = " 00" ] || fail "last character of plugé: $(od -An -tx1 -j9 -N1 "$work/plugé.sz")"
dates() { stat -c '%Y %n' "$@" | sed "s|$work/[a-z]*/||"; }
[ "$(dates "$work"/disk/{msvcrt20._ll,vxfila32._bf,setup.exe})" = \
  "$(printf '1600000001 msvcrt20._ll\n1700000000 vxfila32._bf\n1600000001 setup.exe')" ] ||
    fail "disk dates: $(dates "$work"/disk/*)"

# Its own output, or the disk folder, as payload: refused, naming it, and nothing written.
for payload in disk both; do
    rm -rf "$work/d2" && mkdir "$work/d2"
    [ $payload = both ] && cp -p "$work/payload"/* "$work/d2/" && cp "$work/disk/vxfile32._bf" "$work/d2/"
    [ $payload = both ] && from=$work/d2 || from=$work/disk
    before=$(ls -l --time-style=+%s "$work/d2")
    err=$("$mkdisk" "$from" "$work/d2" 2>&1 >/dev/null); rc=$?
    [ $rc -eq 1 ] || fail "$payload as payload must exit 1, got $rc"
    echo "$err" | grep -qE "vxfila32._bf: already compressed|payload folder is the disk folder" || fail "$payload: $err"
    [ "$(ls -l --time-style=+%s "$work/d2")" = "$before" ] || fail "$payload as payload: written"
done

# The list of what each file expands to: a line per file, as gzip finds its
# size and CRC-32, and its own last line; dated as the newest file.
for f in msvcrt20._ll vxfila32._bf; do
    read -r crc size < <(gzip -c "$work/payload/$f" | tail -c 8 | od -An -tx4)
    grep -qx "$f $((16#$size)) $crc"$'\r' "$work/disk/filesums.txt" || fail "$f in the list: $(cat "$work/disk/filesums.txt")"
done
read -r crc size < <(head -n -1 "$work/disk/filesums.txt" | gzip -c | tail -c 8 | od -An -tx4)
[ "$(tail -n 1 "$work/disk/filesums.txt")" = "end $crc"$'\r' ] || fail "the list's last line: $(tail -n 1 "$work/disk/filesums.txt")"
[ "$(stat -c %Y "$work/disk/filesums.txt")" = 1700000000 ] || fail "the list is dated $(stat -c %Y "$work/disk/filesums.txt")"

# The floppy image: 15 files under 8.3 names in upper case, the label, the bytes.
floppy=$(dirname "$0")/../../tools/mkdisk/mkfloppy.sh
MKDISK=$mkdisk "$floppy" "$work/disk" "$work/a.img" >/dev/null || fail "floppy image"
[ "$(stat -c %s "$work/a.img")" -eq 1474560 ] || fail "a 1.44 MB image"
names=$(mdir -i "$work/a.img" -b :: | tr -d '\r')
[ "$(echo "$names" | wc -l)" -eq 15 ] && echo "$names" | grep -qx '::/VXFILA32._BF' &&
    echo "$names" | grep -qx '::/FILESUMS.TXT' || fail "image names: $names"
mdir -i "$work/a.img" :: | grep -q "Volume in drive : is ORBWEAVE" || fail "volume label"
mcopy -i "$work/a.img" ::/MSVCRT20._LL - | cmp -s - "$work/disk/msvcrt20._ll" || fail "image bytes"
# The files' dates, in FAT's two-second steps; the same bytes from the same disk.
TZ=UTC mdir -i "$work/a.img" :: | grep -qE '^MSVCRT20 _LL .* 2020-09-13 +12:26' || fail "image dates: $(mdir -i "$work/a.img" ::)"
TZ=Asia/Tokyo MKDISK=$mkdisk "$floppy" "$work/disk" "$work/c.img" >/dev/null && cmp -s "$work/a.img" "$work/c.img" || fail "a second image differs"
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
