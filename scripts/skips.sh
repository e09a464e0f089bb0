#!/usr/bin/env bash
# skips.sh: what the test command skipped, and why, read from CTest's JUnit
# reports (build/host, build/win64) and the i686 scenarios' list
# (build/wine32/skips.txt). Every skip is listed; one the README's table "What
# may skip" does not name for this machine fails the run.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/release.sh"

# NAME<TAB>REASON for every test a JUnit report marks as not run.
from_junit() {
    awk '
        function text(s) { gsub(/&lt;/, "<", s); gsub(/&gt;/, ">", s); gsub(/&quot;/, "\"", s); gsub(/&apos;/, "\047", s); gsub(/&amp;/, "\\&", s); return s }
        /<testcase / { name = $0; sub(/.*<testcase name="/, "", name); sub(/".*/, "", name)
                       skipped = /status="notrun"/; reason = ""; after = 0; out = 0 }
        /<system-out>/ { out = 1; sub(/.*<system-out>/, "") }
        out && reason == "" {
            line = text($0)
            if (after) reason = line
            else if (line ~ /^SKIP \[/) { sub(/^SKIP \[[^]]*\]: */, "", line); reason = line }
            else if (line ~ /: Skipped$/) after = 1
            else if (line ~ /^binds: /) { sub(/^binds: */, "", line); reason = line }
        }
        /<\/system-out>/ { out = 0 }
        /<\/testcase>/ && skipped { print name "\t" (reason == "" ? "(no reason given)" : reason) }
    ' "$@"
}

# The names the README's table gives for a row whose first cell is WHERE.
allowed() {  # WHERE
    awk -v where="$1" '
        /^### What may skip/ { on = 1; next }
        on && /^#/ { exit }
        on && index($0, "| " where " |") == 1 { print }
    ' "$root/README.md" | grep -o '`[^`]*`' | tr -d '`'
}

wheres=("every machine")
[ "$(id -u)" -eq 0 ] || sudo -n true 2>/dev/null || wheres+=("neither root nor sudo")
mountpoint -q / || wheres+=("a chroot")
ok=$(for w in "${wheres[@]}"; do allowed "$w"; done)

reports=()
for f in "$root"/build/host/junit.xml "$root"/build/win64/junit.xml; do [ -f "$f" ] && reports+=("$f"); done
skips=$( { [ ${#reports[@]} -eq 0 ] || from_junit "${reports[@]}"
           cat "$root/build/wine32/skips.txt" 2>/dev/null; } | sort -u)
if [ -z "$skips" ]; then
    echo "skips: none"
    exit 0
fi
unexpected=0
while IFS=$'\t' read -r name reason; do
    if grep -qxF "$name" <<<"$ok"; then
        echo "skips: $name: $reason (expected here, README)"
    else
        echo "skips: $name: $reason (NOT expected here)"
        unexpected=1
    fi
done <<<"$skips"
[ $unexpected -eq 0 ] || { echo "skips: a test skipped that the README does not expect on this machine" >&2; exit 1; }
