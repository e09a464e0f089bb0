#!/usr/bin/env bash
# Builds both targets and runs every test under Wine on a virtual display.
# Installs the build and run dependencies first (Debian 12 or 13, as root or
# as a user with sudo: the scenarios' mounts then go through sudo).
# Fails, too, when the tests left anything in the checkout outside build/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
if [ "$(id -u)" -ne 0 ]; then
    # Asked once here, and kept fresh for the mounts of a run longer than sudo's memory.
    if command -v sudo >/dev/null && sudo -v; then
        (while sleep 60; do sudo -n -v || exit; done) &
        keep=$!
        trap 'pkill -P $keep; kill $keep 2>/dev/null || true' EXIT
    else
        echo "test.sh: neither root nor sudo: the scenarios that mount a disk will skip (README)" >&2
    fi
fi
status() { git status --porcelain --untracked-files=all 2>/dev/null || true; }
before=$(status)
make -j"$(nproc)" test
after=$(status)
if [ "$after" != "$before" ]; then
    echo "test.sh: the tests left these in the checkout:" >&2
    diff <(echo "$before") <(echo "$after") | sed -n 's/^> //p' >&2
    exit 1
fi
