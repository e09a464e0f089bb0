#!/usr/bin/env bash
# Screenshots of every dialog of the program over its background, from the real
# build under Wine, into docs/screenshots/ (shown in the README).
set -euo pipefail
cd "$(dirname "$0")/.."
make -j"$(nproc)" win64 >/dev/null
out=docs/screenshots
mkdir -p "$out"
drive() { scripts/winerun.sh build/win64/tests/owdrive.exe "$@"; }
shot() {  # template caption file [ID TEXT]: with TEXT in item ID
    scripts/winerun.sh build/win64/tests/owshow.exe "$1" &
    local pid=$!
    drive wait "$2" 20000
    [ $# -gt 3 ] && drive settext "$2" "$4" "$5"
    sleep 0.7
    scripts/winebed.sh screenshot "$out/$3.png"
    drive close "$2"
    wait $pid
    echo "screenshot: $out/$3.png"
}
shot Welcome "Welcome!" 1-welcome
shot Platform "Platform" 2-platform
shot PlugIn "Plug-in location..." 3-plugin
shot Installing "Installing..." 4-installing
shot Done "Congratulations..." 5-done
shot Failure "Warning..." 6-failure
shot BadPath "Bad Path" 7-badpath
shot Alert "Alert!" 8-alert
# On a Japanese, a Simplified Chinese and a Russian system (Wine's code pages
# 932, 936 and 1251), a directory typed in the system's language.
LANG=ja_JP.UTF-8 shot Installing "Installing..." 9-installing-ja 107 'c:\プラグイン\グソポソ\vxfilc32.8bf'
LANG=zh_CN.UTF-8 shot Installing "Installing..." 10-installing-zh 107 'c:\插件\滤镜乗\vxfilc32.8bf'
LANG=ru_RU.UTF-8 shot Installing "Installing..." 11-installing-ru 107 'c:\Плагины\Фильтры\vxfilc32.8bf'
