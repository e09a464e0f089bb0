#!/usr/bin/env bash
# pecheck.sh EXE FORMAT: the program is a PE of FORMAT (pei-i386 or pei-x86-64)
# and imports nothing but DLLs every Windows has, so it runs from a bare disk.
# The common dialogs are not among them: they load a dozen more libraries, so
# the program loads them itself when Browse is pressed, not at every start.
set -euo pipefail
exe=$1 want=$2
fmt=$(objdump -f "$exe" | sed -n 's/.*file format \(.*\)/\1/p')
[ "$fmt" = "$want" ] || { echo "pecheck: $exe is $fmt, not $want" >&2; exit 1; }
bad=$(objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' \
      | grep -vxE 'kernel32.dll|user32.dll|gdi32.dll|lz32.dll|msvcrt.dll|advapi32.dll' || true)
[ -z "$bad" ] || { echo "pecheck: $exe imports $bad" >&2; exit 1; }
echo "pecheck: $exe: $fmt, $(stat -c %s "$exe") bytes, system imports only"
