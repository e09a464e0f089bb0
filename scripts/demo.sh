#!/usr/bin/env bash
# Runs setup.exe from build/dist/win64 under Wine, with a fresh Wine prefix as
# the target machine, on a virtual display. Walks through the program as a user
# would and saves a screenshot of every step under build/demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
make -j"$(nproc)" win64
out=$PWD/build/demo
mkdir -p "$out"
export WINEPREFIX=$out/prefix
scripts/winebed.sh clone "$WINEPREFIX"
trap 'scripts/winebed.sh stop' EXIT
drive() { scripts/winerun.sh build/win64/tests/owdrive.exe "$@"; }

scripts/winerun.sh build/dist/win64/setup.exe &
setup=$!
drive wait "Welcome!" 20000
sleep 0.5
scripts/winebed.sh screenshot "$out/01-welcome.png"
echo "demo: Welcome! shown: $out/01-welcome.png"
drive click "Welcome!" 2
wait $setup && echo "demo: setup.exe ended with exit code 0"
