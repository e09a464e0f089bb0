#!/usr/bin/env bash
# pecheck.sh EXE FORMAT [SUBSYSTEM-VERSION]
# The program is a PE of FORMAT (pei-i386 or pei-x86-64) that runs from a bare
# disk: it has no TLS directory, keeps its relocations, and imports only
# system DLLs. For the shipped i686 program, pass its subsystem version
# (3.10): then every imported function must be in docs/imports.md and present
# on all three systems there, or the build fails.
set -euo pipefail
exe=$1 want=$2 subsys=${3:-}
table=$(dirname "$0")/../docs/imports.md
fail() { echo "pecheck: $exe: $*" >&2; exit 1; }

fmt=$(objdump -f "$exe" | sed -n 's/.*file format \(.*\)/\1/p')
[ "$fmt" = "$want" ] || fail "is $fmt, not $want"
dump=$(x86_64-w64-mingw32-objdump -p "$exe")

# Data directories: "Entry 5 <address> <size> Base Relocation Directory".
dirsize() { awk -v e="$1" '$1 == "Entry" && $2 == e { print $4 }' <<<"$dump"; }
[ "$((16#$(dirsize 9)))" -eq 0 ] || fail "has a TLS directory"
[ "$((16#$(dirsize 5)))" -gt 0 ] || fail "has no relocations"
grep -q 'relocations stripped' <<<"$dump" && fail "has its relocations stripped"

# DLL and function pairs, as "KERNEL32 GetTickCount": the name ends each
# row, "<vma> <hint> <name>" (binutils 2.40) or "<vma> <ordinal> <hint> <name>" (2.44).
imports=$(awk '/DLL Name:/ { dll = toupper($3); sub(/\.DLL$/, "", dll) }
               dll != "" && /^\t[0-9a-f]+[\t ]/ && $NF ~ /^[A-Za-z_][A-Za-z0-9_]*$/ { print dll, $NF }' <<<"$dump" | sort -u)
[ -n "$imports" ] || fail "no imported function could be read from objdump's table"
bad=$(cut -d' ' -f1 <<<"$imports" | sort -u | grep -vxE 'KERNEL32|USER32|GDI32|LZ32' || true)
[ -z "$bad" ] || fail "imports $(echo $bad)"

if [ -n "$subsys" ]; then
    got=$(awk '/MajorSubsystemVersion/ { M = $2 } /MinorSubsystemVersion/ { m = $2 } END { print M "." m }' <<<"$dump")
    [ "$got" = "$subsys" ] || fail "has subsystem version $got, not $subsys"
    # Rows of the static-import table whose three system columns all say yes.
    allowed=$(awk -F'|' '/^## /{ on = ($0 ~ /Static imports/) }
        on && NF > 6 { for (i = 2; i <= 6; i++) gsub(/^ +| +$/, "", $i)
                       if ($4 == "yes" && $5 == "yes" && $6 == "yes") print $2, $3 }' "$table" | sort -u)
    missing=$(comm -23 <(echo "$imports") <(echo "$allowed"))
    [ -z "$missing" ] || fail "imports what docs/imports.md does not allow on every system:
$missing"
fi
echo "pecheck: $exe: $fmt, $(stat -c %s "$exe") bytes, $(wc -l <<<"$imports") imports from $(cut -d' ' -f1 <<<"$imports" | sort -u | xargs), no TLS, relocations${subsys:+, subsystem $subsys}"
