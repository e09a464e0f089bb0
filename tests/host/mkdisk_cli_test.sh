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

rm "$work/payload/vxfilc32._bf"
err=$("$mkdisk" "$work/payload" "$work/disk" 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] || fail "missing payload file must exit 1, got $rc"
echo "$err" | grep -q "vxfilc32._bf: No such file" || fail "message names the missing file: $err"

mkdir "$work/payload/vxfilc32._bf"
err=$("$mkdisk" "$work/payload" "$work/disk" 2>&1 >/dev/null); rc=$?
[ $rc -eq 1 ] && echo "$err" | grep -q "not a regular file" || fail "directory as payload: $err"
echo ok
