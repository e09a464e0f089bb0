#!/usr/bin/env bash
# Runs the shipped i686 setup.exe (build/dist/win32) under 32-bit Wine
# (scripts/wine32.sh), with the same driver and scenarios as the x86_64
# end-to-end tests. Like every run of the test bed, setup.exe runs without the
# C runtime DLLs of its day (winebed.sh). On Debian 13 every scenario runs;
# on Debian 12, under qemu, those marked i686: the three platforms'
# walkthroughs, the floppy and a missing source file (release.sh).
set -uo pipefail
cd "$(dirname "$0")/.."
export OW_WINE32=1
source scripts/release.sh
out=$(mktemp)
trap 'scripts/winebed.sh stop; rm -f "$out"' EXIT
scripts/winebed.sh prefix || exit 1
scripts/winebed.sh reset  # what a stopped run left behind
failed=() skipped=() ran=0
# What skipped and why, for scripts/skips.sh.
skips=build/wine32/skips.txt
: >"$skips"
for scenario in $(tests/e2e/scenarios.sh --list $OW_I686_TAG); do
    start=$SECONDS
    # A bound for one scenario, far past the slowest under emulation: a stuck
    # one fails, and its trap (on timeout's TERM) still cleans up after it.
    timeout 600 tests/e2e/scenarios.sh "$scenario" 2>&1 | tee "$out"
    case ${PIPESTATUS[0]} in
    0) ;;
    77) skipped+=("$scenario")
        printf 'i686.%s\t%s\n' "$scenario" "$(sed -n 's/^SKIP \[[^]]*\]: //p' "$out")" >>"$skips" ;;
    *) failed+=("$scenario") ;;
    esac
    ran=$((ran + 1))
    echo "test32: $scenario took $((SECONDS - start)) s"
done
[ ${#skipped[@]} -eq 0 ] || echo "test32: skipped: ${skipped[*]}"
[ ${#failed[@]} -eq 0 ] || { echo "test32: failed: ${failed[*]}" >&2; exit 1; }
echo "test32: the i686 program passed $((ran - ${#skipped[@]})) of $ran scenarios ($OW_I686), skipped ${#skipped[@]}"
