#!/usr/bin/env bash
# Builds both targets and runs every test under Wine on a virtual display.
# Installs the build and run dependencies first (Debian 12, as root or with sudo).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
trap 'scripts/winebed.sh stop' EXIT
make -j"$(nproc)" test
