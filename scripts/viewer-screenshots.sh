#!/usr/bin/env bash
# viewer-screenshots.sh [OUT_DIR]: screenshots of the viewer under Xvfb in
# three situations, with pictures and captions made here: a JPEG with a rich-
# text caption, a transparent animated GIF with a plain-text caption, and a
# caption longer than a fixed "TextBoxHeight" (the scroll bar shows). Prints
# the paths of the PNG files (default folder build/shots).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
exe=$root/build/win32/app/kivview.exe
[ -f "$exe" ] || { echo "viewer-screenshots: $exe is not built" >&2; exit 1; }
out=$(realpath -m "${1:-build/shots}")
work=$root/build/shots-work
rm -rf "$work"
mkdir -p "$out" "$work/jpeg" "$work/gif" "$work/long"

cd "$work/jpeg"
cp "$exe" Harbour.exe
convert -size 280x160 gradient:'#9fd3ff-#2a6fb0' -fill '#f6f1e1' -draw 'rectangle 0,120 280,160' \
  -fill '#b5482f' -draw 'polygon 60,120 110,70 160,120' -quality 92 Harbour.jpg
printf '%s\n' '{\rtf1\ansi{\fonttbl{\f0 MS Sans Serif;}}{\colortbl;\red176\green40\blue40;}' \
  '\pard\qc\f0\fs16{\b Harbour} at noon\par\pard\qc\cf1\fs16 a rich-text caption\par}' >Harbour.rtf
"$root/scripts/screenshot.sh" --title Harbour --wait 2 "$out/jpeg_rtf.png" ./Harbour.exe

cd "$work/gif"
cp "$exe" Spin.exe
convert -size 160x100 xc:none -fill '#d03030' -draw 'circle 50,50 50,15' \
  -fill '#3050d0' -draw 'rectangle 100,20 150,80' \
  \( -size 160x100 xc:none -fill '#30a030' -draw 'circle 110,50 110,15' \
     -fill '#e0a020' -draw 'rectangle 10,20 60,80' \) -set delay 50 -loop 0 Spin.gif
printf 'A transparent animated GIF\r\nwith a plain-text caption,\r\ncentred line by line.' >Spin.txt
"$root/scripts/screenshot.sh" --title Spin --wait 2 "$out/gif_txt.png" ./Spin.exe

cd "$work/long"
cp "$exe" Long.exe
convert -size 240x80 gradient:'#88ccee-#225588' BMP3:Long.bmp
printf '[Settings]\r\nTextBoxHeight=40\r\n' >Long.ini
printf 'Line one of a long caption\r\nLine two\r\nLine three\r\nLine four\r\nLine five\r\nLine six\r\n' >Long.txt
"$root/scripts/screenshot.sh" --title Long --wait 2 "$out/long_caption.png" ./Long.exe
