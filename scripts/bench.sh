#!/usr/bin/env bash
# Benchmarks of the program, printed as one table: its size, its start-up
# against a minimal dialog program, its copy loop against bare LZ32 calls, its
# repaints against one BitBlt, its animations against their design, and the
# shipped 32-bit program against NSIS installers of the same payload. Every
# figure comes with its baseline and the ratio, measured side by side here.
set -euo pipefail
cd "$(dirname "$0")/.."
make -j"$(nproc)" all >/dev/null
work=$PWD/build/bench
rm -rf "$work" && mkdir -p "$work"
run() { scripts/winerun.sh "$@"; }

echo "== size (stripped, with all resources)"
for t in win32 win64; do
    exe=build/dist/$t/setup.exe
    printf '%-8s setup.exe %7d bytes (%.1f KB), of which resources %d\n' "$t" "$(stat -c %s "$exe")" \
        "$(echo "$(stat -c %s "$exe") / 1024" | bc -l)" "$((16#$(objdump -h "$exe" | awk '$2 == ".rsrc" { print $3 }')))"
done
echo "i686 code by origin (link map, bytes of .text, .rdata, .data, .eh_frame):"
python3 - build/win32/setup.map <<'PY'
import re, sys, collections
sizes = collections.Counter()
pending = None  # a section name whose figures wrapped onto the next line
for line in open(sys.argv[1]):
    m = re.match(r'\s*(\.(?:text|rdata|data|eh_frame|pdata|xdata)\S*)\s*$', line)
    if m:
        pending = m.group(1)
        continue
    m = re.match(r'\s*(\.(?:text|rdata|data|eh_frame|pdata|xdata)\S*)?\s+0x[0-9a-f]+\s+0x([0-9a-f]+)\s+(\S+)', line)
    section = m and (m.group(1) or pending)
    pending = None
    if not section:
        continue
    src = m.group(3)
    lib = re.sub(r'\(.*', '', src.split('/')[-1])
    own = lib.startswith('libow') or 'CMakeFiles' in src
    runtime = 'libstdc++' in lib or 'libsupc++' in lib or 'libgcc' in lib or 'pthread' in lib
    sizes['the program' if own else 'C++ runtime' if runtime else 'C runtime and import stubs'] += int(m.group(2), 16)
for k, v in sizes.most_common():
    print(f"  {k:28s} {v:7d}")
PY
echo "resources (bytes):"
for f in build/win32/art/*; do
    n=$(stat -c %s "$f")
    case $f in *.bmp) n=$((n - 14)) ;; esac  # a bitmap resource has no file header
    printf '  %-18s %6d\n' "$(basename "$f")" "$n"
done

echo
runs=21
echo "== start-up: from process start to the first dialog up, answering and painted, median of $runs"
winpath() { printf 'Z:%s' "$PWD/$1" | tr / '\\'; }
starttime() { run build/win64/tests/owdrive.exe starttime "$@" | tr -d '\r'; }
for i in $(seq $runs); do  # interleaved, so that a slow spell of the machine hits all three
    starttime "$(winpath build/dist/win64/setup.exe)" "Welcome!" >>"$work/setup.txt"
    starttime "$(winpath build/win64/tests/owminimal.exe)" "Minimal" >>"$work/minimal.txt"
    starttime "$(winpath build/win64/tests/owminimal.exe)" "Minimal" -w >>"$work/window.txt"
done
median() { sort -n "$1" | sed -n "$(( (runs + 1) / 2 ))p"; }
# The design paints a full-screen window before its first dialog: its floor is
# the minimal dialog shown after a plain full-screen window.
printf '%-42s %10s      %-28s %6s\n' figure program baseline ratio
row() {  # label, program's file, baseline's label, baseline's file
    local v b
    v=$(median "$work/$2.txt")
    b=$(median "$work/$4.txt")
    printf '%-42s %10.2f ms   %-19s %6.2f ms %6.3f\n' "$1" "$v" "$3" "$b" "$(echo "$v / $b" | bc -l)"
}
row 'setup.exe to "Welcome!"' setup "full window + dialog" window
row "full window + dialog" window "dialog alone" minimal

echo
echo "== in the program: copy loop (13 files, about 40 MB), repaints, animations"
mkdir -p "$work/payload" "$work/disk"
build/host/mkdisk --sample "$work/payload" >/dev/null
for f in "$work"/payload/*; do  # about 3 MB each: text and noise
    { for _ in $(seq 10); do cat /usr/share/common-licenses/GPL-3; done; head -c 2700000 /dev/urandom; } >"$f"
done
build/host/mkdisk "$work/payload" "$work/disk" >/dev/null
printf '%-34s %10s      %10s      %6s\n' figure program "" ratio
run build/win64/tests/owbench.exe "$(printf 'Z:%s/' "$work/disk" | tr / '\\')" | tr -d '\r'

echo
scripts/bench-nsis.sh
