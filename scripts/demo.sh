#!/usr/bin/env bash
# Starts the viewer on a demo picture and caption that this script makes: a
# folder build/demo holding Sunset.jpg, Sunset.rtf and a copy of the viewer
# named Sunset.exe. With a usable X display the window opens there; otherwise
# the viewer runs under Xvfb and a screenshot is saved and its path printed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
exe=build/win32/app/kivview.exe
[ -f "$exe" ] || { echo "demo: $exe is not built (run scripts/run.sh)" >&2; exit 1; }
demo=build/demo
rm -rf "$demo"
mkdir -p "$demo"
cp "$exe" "$demo/Sunset.exe"

# The picture: an evening sky over the sea, drawn with ImageMagick.
convert -size 360x240 gradient:'#ffb347-#5b2a86' \
  -fill '#fff1a8' -draw 'circle 180,150 180,118' \
  -fill '#1d3557' -draw 'rectangle 0,160 360,240' \
  -fill '#f4a261' -draw 'rectangle 150,170 210,173' -draw 'rectangle 160,182 200,185' \
  -draw 'rectangle 168,194 192,196' \
  -quality 92 "$demo/Sunset.jpg"

cat >"$demo/Sunset.rtf" <<'RTF'
{\rtf1\ansi\deff0{\fonttbl{\f0 MS Sans Serif;}}{\colortbl;\red91\green42\blue134;}
\pard\qc\f0\fs16{\b Sunset} over the bay\par
\pard\qc\cf1\fs16 shown by KivView at its natural size\par}
RTF

cd "$demo"
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  export KIV_WINE_LOOK=display
  . "$root/scripts/wine-env.sh"
  # The display prefix serves one display at a time (see screenshot.sh).
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec 9>"$WINEPREFIX.lock"
  flock -w 900 9 || { echo "demo: $WINEPREFIX stayed busy" >&2; exit 1; }
  wineserver -k 2>/dev/null || true
  kiv_wine_prefix_ready || kiv_make_wine_prefix
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d Y /f >/dev/null 2>&1
  exec wine ./Sunset.exe
fi
shot="$root/build/demo/Sunset.png"
"$root/scripts/screenshot.sh" --title Sunset --wait 2 "$shot" ./Sunset.exe >/dev/null ||
  "$root/scripts/screenshot.sh" --wait 2 "$shot" ./Sunset.exe >/dev/null
echo "demo: no display; screenshot saved to $shot"
