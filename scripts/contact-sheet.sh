#!/usr/bin/env bash
# Makes docs/artwork.png: every picture the program's resources hold, drawn
# from the build's generated files, plus the background as the program shows it.
set -euo pipefail
cd "$(dirname "$0")/.."
make -j"$(nproc)" win64 >/dev/null
art=build/win64/art
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
scripts/winerun.sh build/win64/tests/owrender.exe build/dist/win64/setup.exe "$tmp/background.bmp"
font=(-font Liberation-Sans -pointsize 13)
tiles=()
tile() {  # name scale label: one picture, enlarged without smoothing
    convert "$art/$1.bmp" -filter point -resize "$2%" "$tmp/$1.png"
    tiles+=(-label "$3" "$tmp/$1.png")
}
tile alert 200 "Alert (160x86, 2 frames)"
tile question 200 "Question (160x86, 2 frames)"
tile bullet 400 "bullet (48x24, 2 frames)"
tile okbutton 400 "OKButton (54x32, 16 colours)"
tile cancelbutton 300 "CancelButton (78x20, 16 colours)"
tile checkbox 200 "CheckBox (180x22, 6 frames)"
montage "${font[@]}" -background '#c0c0c0' -geometry +10+10 -tile 3x "${tiles[@]}" "$tmp/pictures.png"
convert "$art/bluetex.bmp" -write mpr:b +delete -size 256x256 tile:mpr:b "$tmp/blue.png"
convert "$art/owswirl.bmp" -write mpr:s +delete -size 256x256 tile:mpr:s "$tmp/swirl.png"
convert "$art/setup.ico[0]" -filter point -resize 400% "$tmp/icon.png"
montage "${font[@]}" -background '#c0c0c0' -geometry +10+10 -tile 3x \
    -label "BlueTex (128x128, tiled 2x2)" "$tmp/blue.png" \
    -label "OWSwirl (128x128, tiled 2x2)" "$tmp/swirl.png" \
    -label "Setup icon (32x32)" "$tmp/icon.png" "$tmp/textures.png"
montage "${font[@]}" -background '#c0c0c0' -geometry +10+10 \
    -label "BlueTex with the VexarLogo metafile, as the background window shows them" \
    "$tmp/background.bmp" "$tmp/background.png"
mkdir -p docs
convert -background '#c0c0c0' "$tmp/pictures.png" "$tmp/textures.png" "$tmp/background.png" -gravity center \
    -append docs/artwork.png
echo "contact sheet: docs/artwork.png"
