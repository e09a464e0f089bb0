#!/usr/bin/env bash
# Compression benchmark: the disk builder's compressor against Debian's
# mscompress on a corpus of binaries, Windows DLLs and text from this machine.
# Prints sizes, ratios and speeds side by side, the exhaustive search's size as
# the optimal-parse reference, and checks that every output expands exactly
# with LZ32 under Wine, with libmspack and (16 bytes and more) with msexpand.
set -euo pipefail
cd "$(dirname "$0")/.."
make -j"$(nproc)" host win64 >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus"
pick() { for f in "$@"; do [ -f "$f" ] && cp "$f" "$work/corpus/$(basename "$f")"; done; }
pick /usr/lib/x86_64-linux-gnu/wine/x86_64-windows/{user32,gdi32,comdlg32,kernelbase,shell32}.dll \
     /usr/bin/cmake /usr/lib/x86_64-linux-gnu/libstdc++.so.6 \
     /usr/share/common-licenses/{GPL-3,LGPL-2.1,Apache-2.0} /usr/include/stdio.h /usr/include/unistd.h
for n in 0 1 7 15 16 17; do head -c "$n" /usr/share/common-licenses/GPL-3 >"$work/corpus/tiny$n.txt"; done

now() { date +%s.%N; }
mkdisk=build/host/mkdisk
printf '%-16s %10s %10s %10s %10s %8s\n' file bytes mscompress ours exhaustive ours/ms
tin=0 tms=0 tours=0 tex=0 sms=0 sours=0 bad=0
for f in "$work"/corpus/*; do
    name=$(basename "$f")
    size=$(stat -c %s "$f")
    cp "$f" "$work/ms.in"
    rm -f "$work/ms.in_"
    t0=$(now); mscompress "$work/ms.in" 2>/dev/null; t1=$(now)
    ms=$(stat -c %s "$work/ms.in_")
    t2=$(now); $mkdisk --compress "$f" "$work/ours.sz" >/dev/null; t3=$(now)
    $mkdisk --compress-exhaustive "$f" "$work/ex.sz" >/dev/null
    ours=$(stat -c %s "$work/ours.sz") ex=$(stat -c %s "$work/ex.sz")
    # Every output must expand to the original, three ways.
    scripts/winerun.sh build/win64/tests/owlz.exe "$work/ours.sz" "$work/lz32.out" >/dev/null 2>&1 &&
        cmp -s "$work/lz32.out" "$f" || { echo "LZ32 expansion differs: $name"; bad=1; }
    build/host/host-tests/mspack_expand "$work/ours.sz" "$work/mspack.out" && cmp -s "$work/mspack.out" "$f" ||
        { echo "libmspack expansion differs: $name"; bad=1; }
    if [ "$size" -ge 16 ]; then
        msexpand <"$work/ours.sz" >"$work/msexpand.out" 2>/dev/null && cmp -s "$work/msexpand.out" "$f" ||
            { echo "msexpand expansion differs: $name"; bad=1; }
    fi
    printf '%-16s %10d %10d %10d %10d %7.2f%%\n' "$name" "$size" "$ms" "$ours" "$ex" \
        "$(echo "100 * $ours / ($ms + ($ms == 0))" | bc -l)"
    tin=$((tin + size)) tms=$((tms + ms)) tours=$((tours + ours)) tex=$((tex + ex))
    sms=$(echo "$sms + $t1 - $t0" | bc -l) sours=$(echo "$sours + $t3 - $t2" | bc -l)
done
echo
printf 'total: %d bytes in; mscompress %d, ours %d (%.2f%% smaller), optimal parse %d (ours %.3f%% above it)\n' \
    "$tin" "$tms" "$tours" "$(echo "100 * ($tms - $tours) / $tms" | bc -l)" "$tex" \
    "$(echo "100 * ($tours - $tex) / $tex" | bc -l)"
mbs() { echo "$tin / 1048576 / $1" | bc -l; }
printf 'speed: mscompress %.2f MB/s, ours %.2f MB/s: %.1f times as fast (wall clock, whole runs)\n' \
    "$(mbs "$sms")" "$(mbs "$sours")" "$(echo "$sms / $sours" | bc -l)"
[ $bad -eq 0 ] && echo "every output expands exactly with LZ32, libmspack and msexpand"
exit $bad
