#!/usr/bin/env bash
# The Debian mirror the scripts fetch from (release.sh's debian_mirror), read
# from a table of apt configurations: each case its own sources, the mirror
# expected for the release named, and whether the fallback is said.
set -uo pipefail
source "$(dirname "$0")/../../scripts/release.sh"
etc=$(mktemp -d)
trap 'rm -rf "$etc"' EXIT
failed=0
check() {  # NAME SUITE EXPECTED FALLBACK(yes|no), the sources in $etc
    local got said
    got=$(OW_SUITE=$2 OW_APT_ETC=$etc debian_mirror 2>"$etc/said")
    said=no; [ -s "$etc/said" ] && said=yes
    if [ "$got" != "$3" ] || [ "$said" != "$4" ]; then
        echo "FAIL [$1]: got $got (fallback said: $said), expected $3 (fallback said: $4)"
        failed=1
    fi
    rm -rf "${etc:?}"/*
}
sources() { mkdir -p "$etc/sources.list.d" && cat >"$etc/sources.list.d/$1"; }
list() { cat >"$etc/sources.list"; }

sources a-vendor.sources <<'S'
Types: deb
URIs: https://vendor.example/apt
Suites: stable
Components: main
S
sources debian.sources <<'S'
Types: deb
URIs: http://mirror.example/debian
Suites: bookworm bookworm-updates
Components: main

Types: deb
URIs: http://mirror.example/debian-security
Suites: bookworm-security
S
check "deb822: the release's own stanza, not a vendor's" bookworm http://mirror.example/debian no

printf 'http://first.example/debian\tpriority:1\nhttp://second.example/debian\n' >"$etc/mirrors"
sources debian.sources <<S
Types: deb
URIs: mirror+file://$etc/mirrors
Suites: trixie trixie-updates
S
check "deb822: a mirror+file list's first address" trixie http://first.example/debian no

list <<'S'
# deb http://commented.example/debian bookworm main
deb [signed-by=/usr/share/keyrings/x.gpg arch=amd64] http://vendor.example/apt stable main
deb [ signed-by=/usr/share/keyrings/debian-archive-keyring.gpg ] http://mirror.example/debian bookworm main
S
check "sources.list: options skipped" bookworm http://mirror.example/debian no

list <<'S'
deb http://mirror.example/debian bookworm main
S
check "another release's entry only" trixie http://deb.debian.org/debian yes
check "no sources at all" bookworm http://deb.debian.org/debian yes

[ $failed -eq 0 ] && echo "mirror: every case passed"
exit $failed
