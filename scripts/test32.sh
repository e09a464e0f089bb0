#!/usr/bin/env bash
# Runs the shipped i686 setup.exe (build/dist/win32) under 32-bit Wine, which
# runs here under qemu (scripts/wine32.sh), with the same driver and scenarios
# as the x86_64 end-to-end tests: the three platforms' walkthroughs and a
# missing source file. Like every run of the test bed, setup.exe runs without
# the C runtime DLLs of its day (winebed.sh). Each program start costs seconds
# under emulation, so only these scenarios run here.
set -uo pipefail
cd "$(dirname "$0")/.."
export OW_WINE32=1
trap 'scripts/winebed.sh stop' EXIT
scripts/winebed.sh prefix || exit 1
scripts/winebed.sh reset  # what a stopped run left behind
failed=()
for scenario in $(tests/e2e/scenarios.sh --list i686); do
    start=$SECONDS
    tests/e2e/scenarios.sh "$scenario" || failed+=("$scenario")
    echo "test32: $scenario took $((SECONDS - start)) s"
done
[ ${#failed[@]} -eq 0 ] || { echo "test32: failed: ${failed[*]}" >&2; exit 1; }
echo "test32: the i686 program passed every scenario"
