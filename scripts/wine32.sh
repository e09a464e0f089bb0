#!/usr/bin/env bash
# wine32.sh ROOT: makes a private 32-bit Wine under ROOT (once), for running
# the shipped i686 setup.exe here. Nothing is installed into the system: no
# package architecture is added, the packages are fetched with a private apt
# configuration and unpacked here. How depends on the kernel (release.sh):
#
# qemu (every Debian 12; Debian 13 on a kernel that runs no 32-bit code):
# Debian 12's i386 Wine 8 runs under qemu-i386's user-mode emulation (a 140 MB
# download), beside the wineserver of the same build (64-bit, it needs only
# the C library), so the bed does not depend on the system's Wine.
# qemu 10 is needed: 7.2 from bookworm ignores a mapping flag Wine relies on
# (each process then takes 90 s to start and fails to load DLLs). The i386
# loader is wrapped so that Wine's own child processes start under qemu too.
# Afterwards: WINELOADER=ROOT/wine, WINESERVER=ROOT/wineserver,
# WINELOADERNOEXEC=1, WINEARCH=win32.
#
# wow64 (Debian 13): the system's Wine 10 runs 32-bit programs itself, given
# Wine's i386 modules, which only libwine:i386 holds (a 30 MB download). They
# go into ROOT/dlls beside links to the system's 64-bit ones, the folder
# WINEDLLPATH names.
# Afterwards: the system's wine64, WINEDLLPATH=ROOT/dlls.
set -euo pipefail
source "$(dirname "$0")/release.sh"
root=$(realpath -m "$1")
sys=$root/root
qemu=$root/qemu/usr/bin/qemu-i386
dlls=$root/dlls
ready() {
    if [ "$OW_I686" = wow64 ]; then [ -f "$dlls/i386-windows/ntdll.dll" ]
    else [ -x "$root/wine" ] && [ -x "$qemu" ] && [ -x "$root/wineserver" ] &&
        grep -qF "$root/wineserver" "$sys/usr/lib/wine/wineserver"; fi
}
ready && exit 0
mkdir -p "$root"
exec 9>"$root/.lock"
flock 9
ready && exit 0

# A private apt for ARCH and SUITES: its own lists, cache and empty status.
private_apt() {  # dir arch suites
    local dir=$1
    mkdir -p "$dir"/{lists/partial,cache/archives/partial,state,sources.d,conf.d}
    touch "$dir/state/status"
    printf 'Types: deb\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
        "$(debian_mirror)" "$3" >"$dir/sources.d/debian.sources"
    cat >"$dir/apt.conf" <<CONF
APT::Architecture "$2"; APT::Architectures { "$2"; };
Dir::Etc::sourcelist "/dev/null"; Dir::Etc::sourceparts "$dir/sources.d";
Dir::Etc::parts "$dir/conf.d"; Dir::Etc::preferencesparts "$dir/conf.d";
Dir::State "$dir/state"; Dir::State::Lists "$dir/lists"; Dir::State::status "$dir/state/status";
Dir::Cache "$dir/cache"; APT::Sandbox::User "root"; APT::Install-Recommends "false"; Acquire::Languages "none";
CONF
    APT_CONFIG=$dir/apt.conf apt-get -qq update
}

if [ "$OW_I686" = wow64 ]; then
    echo "wine32: fetching Wine's i386 modules (libwine:i386) into $dlls" >&2
    private_apt "$root/apt-i386" i386 "$OW_SUITE"
    rm -rf "$root/apt-i386/cache/archives/"*.deb "$root/libwine" "$dlls"
    # The same build as the system's own 64-bit modules.
    version=$(dpkg-query -W -f='${Version}' libwine)
    (cd "$root/apt-i386/cache/archives" && APT_CONFIG=$root/apt-i386/apt.conf apt-get -qq download "libwine=$version")
    dpkg -x "$root"/apt-i386/cache/archives/libwine_*.deb "$root/libwine"
    system=/usr/lib/x86_64-linux-gnu/wine
    mkdir -p "$dlls"
    mv "$root/libwine/usr/lib/i386-linux-gnu/wine/i386-windows" "$dlls/"
    rm -rf "$root/libwine"
    # libwine's own install makes zlib1.dll, as the system's i386 one is.
    cp "$system/i386-windows/zlib1.dll" "$dlls/i386-windows/"
    ln -sfn "$system/x86_64-unix" "$dlls/x86_64-unix"
    ln -sfn "$system/x86_64-windows" "$dlls/x86_64-windows"
    exit 0
fi

if [ ! -x "$root/wine" ]; then
    echo "wine32: fetching Debian's i386 Wine into $sys" >&2
    private_apt "$root/apt-i386" i386 "$OW_WINE32_SUITE $OW_WINE32_SUITE-updates"
    APT_CONFIG=$root/apt-i386/apt.conf apt-get -qq install -d -y wine32 >/dev/null
    rm -rf "$sys"
    for deb in "$root"/apt-i386/cache/archives/*.deb; do dpkg -x "$deb" "$sys"; done
    # What the i386 packages' maintainer scripts would have done: libwine's
    # builtin zlib1.dll, and a library cache (without it FreeType is not found).
    lib=$sys/usr/lib/i386-linux-gnu/wine
    for pair in i686:i386 x86_64:x86_64; do
        in=$sys/usr/${pair%%:*}-w64-mingw32/lib/zlib1.dll
        { head -c 64 "$in"; printf 'Wine builtin DLL'; head -c 16 /dev/zero; tail -c +97 "$in"; } \
            >"$lib/${pair##*:}-windows/zlib1.dll"
    done
    echo 'include /etc/ld.so.conf.d/*.conf' >"$sys/etc/ld.so.conf"
    ldconfig -r "$sys"
    # The loader, run under qemu, in the loader's own place: Wine starts its
    # child processes (wineboot, services, explorer) through it.
    mv "$sys/usr/lib/wine/wine" "$sys/usr/lib/wine/wine.bin"
    cat >"$sys/usr/lib/wine/wine" <<WRAP
#!/bin/sh
exec $qemu -L $sys -0 $sys/usr/lib/wine/wine $sys/usr/lib/wine/wine.bin "\$@"
WRAP
    chmod +x "$sys/usr/lib/wine/wine"
    ln -sfn "$sys/usr/lib/wine/wine" "$root/wine"
fi

if [ ! -x "$qemu" ] || [ ! -x "$root/wineserver" ]; then
    # The 64-bit wineserver of exactly the i386 Wine's build; qemu by its suite.
    echo "wine32: fetching qemu-user from $OW_QEMU_SUITE and Wine's server" >&2
    private_apt "$root/apt-amd64" amd64 "$OW_QEMU_SUITE $OW_WINE32_SUITE $OW_WINE32_SUITE-updates"
    rm -rf "$root/apt-amd64/cache/archives/"*.deb "$root/qemu" "$root/server"
    version=$(dpkg-deb -f "$root"/apt-i386/cache/archives/wine32_*.deb Version)
    (cd "$root/apt-amd64/cache/archives" &&
        APT_CONFIG=$root/apt-amd64/apt.conf apt-get -qq download "qemu-user/$OW_QEMU_SUITE" "wine64=$version")
    dpkg -x "$root"/apt-amd64/cache/archives/qemu-user_*.deb "$root/qemu"
    dpkg -x "$root"/apt-amd64/cache/archives/wine64_*.deb "$root/server"
    # It reads its tables beside itself: the i386 libwine's, of the same build.
    mkdir -p "$root/server/usr/share/wine"
    ln -sfn "$sys/usr/share/wine/nls" "$root/server/usr/share/wine/nls"
    ln -sfn "$root/server/usr/lib/wine/wineserver64" "$root/wineserver"
fi
# The loader starts the server it finds beside itself: Debian's script there
# would take the system's, of whatever version the system has.
printf '#!/bin/sh\nexec %s -p0 "$@"\n' "$root/wineserver" >"$sys/usr/lib/wine/wineserver"
