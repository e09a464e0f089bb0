#!/usr/bin/env bash
# Compression benchmark: the disk builder's compressor against Debian's
# mscompress, one process per file for both, as a packager runs them, on a
# mixed corpus of about 200 files made here (text, executables, runs, noise:
# the same bytes every run) and files of 0 to 17 bytes. Prints sizes, times
# and ratios side by side, checks that each output is as small as the
# exhaustive search's (the optimal parse) and that each expands exactly with
# LZ32 under Wine, libmspack and (16 bytes and more) msexpand.
set -euo pipefail
cd "$(dirname "$0")/.."
make -j"$(nproc)" host win64 >/dev/null
work=$PWD/build/bench-compress
rm -rf "$work" && mkdir -p "$work/corpus" "$work/ms" "$work/ours" "$work/lz32"
python3 - "$work/corpus" <<'PY'
import glob, os, random, sys
out, r = sys.argv[1], random.Random(27)
files = lambda *p: sorted(f for g in p for f in glob.glob(g) if os.path.isfile(f) and not os.path.islink(f))
text = files('/usr/share/common-licenses/*', '/usr/include/*.h')
exe = files('/usr/bin/*', '/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/*.dll')
total, i = 0, 0
while total < 12_700_000:
    kind = ('text', 'exe', 'runs', 'noise')[i % 4]
    size = max(1, min(int(r.lognormvariate(10.65, 1.0)), 800_000))
    if kind == 'text':
        data = b''.join(open(f, 'rb').read() for f in r.sample(text, 10))
    elif kind == 'exe':
        data = open(r.choice(exe), 'rb').read()
    elif kind == 'runs':
        data = b''.join(bytes([r.randrange(256)]) * r.randrange(1, 300) for _ in range(size // 40 + 1))
    else:
        data = r.randbytes(size)
    i += 1
    open(f'{out}/{i:03d}.{kind}', 'wb').write(data[:size])
    total += min(size, len(data))
PY
for n in 0 1 7 15 16 17; do head -c "$n" /usr/share/common-licenses/GPL-3 >"$work/corpus/tiny$n.txt"; done

mkdisk=${OW_MKDISK:-build/host/mkdisk}  # another build of it, to compare
# Whole runs, one process per file, timed together: the two interleaved in
# three rounds, so that a slow spell of the machine hits both; the best round.
ms_round() { for f in "$work"/corpus/*; do mscompress "$f" 2>/dev/null; done; mv "$work"/corpus/*_ "$work/ms/"; }
ours_round() { for f in "$work"/corpus/*; do $mkdisk --compress "$f" "$work/ours/${f##*/}" >/dev/null; done; }
seconds() { local t0=${EPOCHREALTIME/,/.}; "$@"; local t1=${EPOCHREALTIME/,/.}; echo "$t1 - $t0" | bc -l; }
best_ms=999999 best_ours=999999
for _ in 1 2 3; do
    t=$(seconds ms_round); best_ms=$(echo "if ($t < $best_ms) $t else $best_ms" | bc -l)
    t=$(seconds ours_round); best_ours=$(echo "if ($t < $best_ours) $t else $best_ours" | bc -l)
done

tin=0 tms=0 tours=0 bad=0 count=0
for f in "$work"/corpus/*; do
    name=${f##*/} size=$(stat -c %s "$f")
    ms=$(stat -c %s "$work/ms/${name%%.*}".*) ours=$(stat -c %s "$work/ours/$name")  # its name: mscompress's rule
    $mkdisk --compress-exhaustive "$f" "$work/ex.sz" >/dev/null
    [ "$ours" -le "$(stat -c %s "$work/ex.sz")" ] || { echo "larger than the optimal parse: $name"; bad=1; }
    build/host/host-tests/mspack_expand "$work/ours/$name" "$work/mspack.out" && cmp -s "$work/mspack.out" "$f" ||
        { echo "libmspack expansion differs: $name"; bad=1; }
    if [ "$size" -ge 16 ]; then
        msexpand <"$work/ours/$name" >"$work/msexpand.out" 2>/dev/null && cmp -s "$work/msexpand.out" "$f" ||
            { echo "msexpand expansion differs: $name"; bad=1; }
    fi
    tin=$((tin + size)) tms=$((tms + ms)) tours=$((tours + ours)) count=$((count + 1))
done
# LZ32 itself, every output in one start of Wine.
pairs=()
for f in "$work"/corpus/*; do pairs+=("$work/ours/${f##*/}" "$(printf 'Z:%s' "$work/lz32/${f##*/}" | tr / '\\')"); done
scripts/winerun.sh build/win64/tests/owlz.exe "${pairs[@]}" >/dev/null || bad=1
for f in "$work"/corpus/*; do cmp -s "$work/lz32/${f##*/}" "$f" || { echo "LZ32 expansion differs: ${f##*/}"; bad=1; }; done
printf '%-36s %12s %12s %8s\n' "disk builder, $count files" mscompress mkdisk ratio
printf '%-36s %12d %12d %8.3f\n' "bytes out (of $tin in)" "$tms" "$tours" "$(echo "$tours / $tms" | bc -l)"
printf '%-36s %10.2f s %10.2f s %8.3f\n' "time, one process per file" "$best_ms" "$best_ours" \
    "$(echo "$best_ours / $best_ms" | bc -l)"
printf '%-36s %12s %12s %7.1fx\n' "speed" "" "" "$(echo "$best_ms / $best_ours" | bc -l)"
[ $bad -eq 0 ] && echo "every output is the optimal parse's size and expands exactly with LZ32, libmspack and msexpand"
rm -rf "$work"
exit $bad
