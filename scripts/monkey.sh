#!/usr/bin/env bash
# monkey.sh [RUNS] [SEED]: random clicks, drags, double clicks and keys against
# whole runs of setup.exe, taking turns under Windows 95, NT 3.51 and 3.1
# emulation, in a fresh Wine prefix with a copy of the demo disk. A crash, a
# hang or a run that does not end fails (tests/support/owmonkey.cpp).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-30} seed=${2:-1}
export WINEPREFIX=$root/build/monkey/prefix
export OW_TIMEOUT=$((runs * 15 + 120))  # the whole batch runs as one program
"$root/scripts/winebed.sh" clone "$WINEPREFIX" >/dev/null || exit 1
rm -f "$WINEPREFIX/drive_c/windows/system32/msvcrt20.dll"
disk=$WINEPREFIX/drive_c/disk
mkdir -p "$disk"
cp "$root/build/dist/win64/"* "$disk/"
for v in win95 nt351 win31; do cp "$disk/setup.exe" "$disk/ow_$v.exe"; done
"$root/scripts/winebed.sh" run "$root/build/win64/tests/owmonkey.exe" "$seed" "$runs" \
    'C:\disk\ow_win95.exe' 'C:\disk\ow_nt351.exe' 'C:\disk\ow_win31.exe' | tr -d '\r'
rc=${PIPESTATUS[0]}
/usr/lib/wine/wineserver64 -k 2>/dev/null
exit "$rc"
