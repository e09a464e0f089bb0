#!/usr/bin/env bash
# Installs what building and running the setup program under Wine needs, on
# Debian 12 or 13 (scripts/release.sh).
# Does nothing when every package and locale is already present.
set -euo pipefail
source "$(dirname "$0")/release.sh"
pkgs=(cmake make g++ g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools
      wine wine64 fonts-wine fonts-liberation xvfb xauth imagemagick
      googletest mscompress mtools libmspack-dev util-linux bsdextrautils bc clang "$OW_CLANG_RT"
      locales fonts-ipafont-gothic fonts-wqy-microhei git procps $OW_WINDOW_MANAGER)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
SUDO=; [ "$(id -u)" -eq 0 ] || SUDO=sudo
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
# The Japanese, Simplified and Traditional Chinese, Korean and Russian editions
# are tested under these locales: Wine takes its code page from them, and
# without the locale it reads its command line and file names as ASCII. Their
# drawing is checked in IPA Gothic (Japanese) and WenQuanYi Micro Hei (Chinese
# and Korean); Cyrillic is in Wine's own fonts.
for l in ja_JP zh_CN zh_TW ko_KR ru_RU; do
  locale -a | grep -qx "$l.utf8" || $SUDO localedef -i "$l" -f UTF-8 "$l.UTF-8"
done
