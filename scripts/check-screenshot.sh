#!/usr/bin/env bash
# check-screenshot.sh: checks scripts/screenshot.sh on the built viewer
# (build/win32/app/kivview.exe), about a minute under Xvfb:
#  1. --frame takes the title bar with the window: its picture is as wide as
#     the window's frame and taller than the client area alone;
#  2. --frame takes a message box (no picture: the "not found" box);
#  3. two runs at once both finish with their picture (the second waits).
# Prints one line per check and exits non-zero when one fails.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
exe=$root/build/win32/app/kivview.exe
[ -f "$exe" ] || { echo "check-screenshot: $exe is not built" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cp "$exe" Shot.exe
cp "$exe" Nothing.exe
convert -size 200x80 xc:'#3366cc' BMP3:Shot.bmp
shot=$root/scripts/screenshot.sh
failed=0
check() {  # name, condition result
  if [ "$2" = 0 ]; then echo "ok: $1"; else echo "FAILED: $1"; failed=1; fi
}
size() { identify -format '%w %h' "$1" 2>/dev/null; }

"$shot" --title Shot --wait 1 client.png ./Shot.exe >/dev/null
"$shot" --frame --wait 1 frame.png ./Shot.exe >/dev/null
read -r cw ch <<<"$(size client.png)"
read -r fw fh <<<"$(size frame.png)"
# The client area of a 200 x 80 picture is 200 x (80 + 12 + 39).
[ "${cw:-0}" = 200 ] && [ "${ch:-0}" = 131 ] && [ "${fw:-0}" -gt 200 ] && [ "${fh:-0}" -gt 150 ]
check "title bar and frame (client ${cw:-?}x${ch:-?}, framed ${fw:-?}x${fh:-?})" $?

"$shot" --frame --wait 1 box.png ./Nothing.exe >/dev/null
read -r bw bh <<<"$(size box.png)"
[ "${bw:-0}" -gt 100 ] && [ "${bh:-0}" -gt 60 ]
check "message box (${bw:-?}x${bh:-?})" $?

("$shot" --title Shot --wait 5 one.png ./Shot.exe >/dev/null 2>&1) &
first=$!
sleep 3
"$shot" --frame --wait 1 two.png ./Nothing.exe >/dev/null 2>&1
second=$?
wait "$first"
[ $? = 0 ] && [ "$second" = 0 ] && [ -s one.png ] && [ -s two.png ]
check "two runs at once" $?
exit $failed
