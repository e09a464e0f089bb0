#!/usr/bin/env bash
# Installs what building and running the setup program under Wine needs, on Debian 12.
# Does nothing when every package is already present.
set -euo pipefail
pkgs=(cmake make g++ g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools
      wine wine64 fonts-wine fonts-liberation xvfb xauth imagemagick
      googletest mscompress mtools libmspack-dev util-linux bc clang libclang-rt-14-dev)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
SUDO=; [ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
