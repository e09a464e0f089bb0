#!/usr/bin/env bash
# The bad-input matrix: each case a whole run of setup.exe in a fresh Wine
# prefix (tests/e2e/scenarios.sh), printed as a table of case and result.
set -uo pipefail
cd "$(dirname "$0")/.."
make -j"$(nproc)" win64 >/dev/null
cases=(missing corrupt source-directory fulldisk readonly-dest locked-dest readonly-plugdir
       overlong-path plugdir-over-limit relative-path absent-floppy invalid-chars ini-empty
       ini-overlong ini-absent-drive ini-garbage switches-odd switches-together long-start-dir
       setupdir-over-limit no-sources cancel-last close-during-copy trailing-blank unc-existing
       unc-create force-kept force-locked)
printf '%-20s %s\n' case result
failed=0
for c in "${cases[@]}"; do
    out=$(tests/e2e/scenarios.sh "$c" 2>&1)
    case $? in
    0) result=pass ;;
    77) result="skipped: ${out##*: }" ;;
    *) result="FAIL: $(grep -m1 FAIL <<<"$out")" failed=1 ;;
    esac
    printf '%-20s %s\n' "$c" "$result"
done
exit $failed
