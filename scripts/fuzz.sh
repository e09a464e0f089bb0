#!/usr/bin/env bash
# fuzz.sh [SECONDS]: fuzzes the disk builder's SZDD compressor and expander
# with libFuzzer (Debian's clang), with AddressSanitizer and UBSan, for a
# bounded time from a small seed corpus. Exit code non-zero on any finding.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
out=$root/build/fuzz
mkdir -p "$out/corpus"
clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root/disk" -o "$out/szdd_fuzz" "$root/tests/fuzz/szdd_fuzz.cpp" "$root/disk/szdd.cpp" -lpthread
printf 'hello hello hello' >"$out/corpus/text"
head -c 300 /usr/share/common-licenses/GPL-3 >"$out/corpus/licence"
"$root/build/host/mkdisk" --compress "$out/corpus/licence" "$out/corpus/packed" >/dev/null 2>&1 || true
cd "$out"
./szdd_fuzz -max_total_time="$seconds" -max_len=20000 -print_final_stats=1 corpus 2>&1 |
    grep -E 'Done|stat::number_of_executed_units|ERROR|SUMMARY' || true
if ls crash-* leak-* timeout-* >/dev/null 2>&1; then
    ls crash-* leak-* timeout-* 2>/dev/null
    exit 1
fi
