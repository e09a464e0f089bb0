#!/usr/bin/env bash
# Builds the checked-out commit twice, in two scratch folders one after the
# other, and compares what a release is made of: both setup.exe, the disk
# files with their dates, and the floppy image. Prints both checksums side by
# side; fails on any difference.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
release() {  # FOLDER: a fresh clone of the commit, built without the tests
    git clone -q --no-hardlinks "$root" "$work/$1"
    make -C "$work/$1" -s all TESTS=OFF >"$work/$1.log" 2>&1 || { cat "$work/$1.log" >&2; exit 1; }
    cd "$work/$1/build/dist"
    find . -type f -printf '%P ' -exec sh -c 'printf "%s %s\n" "$(date -u -r "$1" +%FT%T)" "$(sha256sum <"$1" | cut -c1-16)"' _ {} \; | sort
}
a=$(release first) b=$(release second)
paste -d'|' <(echo "$a") <(echo "$b") | column -t -s'|'
[ "$a" = "$b" ] || { echo "repro: the two builds differ" >&2; exit 1; }
echo "repro: two builds of $(git -C "$root" rev-parse --short HEAD), the same bytes and dates"
