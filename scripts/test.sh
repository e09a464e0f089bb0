#!/usr/bin/env bash
# Builds both targets and runs every test under Wine on a virtual display.
# Installs the build and run dependencies first (Debian 12, as root or with sudo).
# Fails, too, when the tests left anything in the checkout outside build/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
status() { git status --porcelain --untracked-files=all 2>/dev/null || true; }
before=$(status)
trap 'scripts/winebed.sh stop' EXIT
make -j"$(nproc)" test
after=$(status)
if [ "$after" != "$before" ]; then
    echo "test.sh: the tests left these in the checkout:" >&2
    diff <(echo "$before") <(echo "$after") | sed -n 's/^> //p' >&2
    exit 1
fi
