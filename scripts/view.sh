#!/usr/bin/env bash
# view.sh PICTURE [OUT.png]: shows a picture of your own in the viewer under
# Wine. The viewer finds its files by its own name, so this makes a folder
# build/view/<base> holding a copy of the viewer named after the picture
# (Holiday.jpg -> Holiday.exe) and links to the picture and to the caption
# (Holiday.rtf, else Holiday.txt) and settings (Holiday.ini) lying beside it,
# and starts the viewer there.
#   With a usable X display (DISPLAY) the window opens on it; the script ends
#   when the window is closed.
#   Without one, the viewer runs on a private Xvfb display: a PNG of its
#   window with the title bar (and of any error box) is saved, to OUT.png or
#   build/view/<base>.png, its path printed, and the viewer ended.
# JPEG (.jpg, .jpeg), GIF and BMP pictures; any name the file system holds.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: view.sh PICTURE [OUT.png]" >&2; exit 2; }
root=$(cd "$(dirname "$0")/.." && pwd)
exe=$root/build/win32/app/kivview.exe
[ -f "$exe" ] || { echo "view: $exe is not built (run scripts/run.sh)" >&2; exit 1; }
picture=$(realpath -e "$1")
out=${2:+$(realpath -m "$2")}
name=$(basename "$picture")
base=${name%%.*}
ext=$(echo "${name##*.}" | tr '[:upper:]' '[:lower:]')
case "$ext" in
  jpg | jpeg) ext=jpg ;;
  gif | bmp) ;;
  *) echo "view: $name is not a .jpg, .jpeg, .gif or .bmp file" >&2; exit 2 ;;
esac
dir=$root/build/view/$base
rm -rf "$dir"
mkdir -p "$dir"
cp "$exe" "$dir/$base.exe"
ln -s "$picture" "$dir/$base.$ext"
stem=${picture%.*}
for extra in rtf txt ini; do
  [ -f "$stem.$extra" ] && ln -s "$stem.$extra" "$dir/$base.$extra"
done
cd "$dir"
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  export KIV_WINE_LOOK=display
  . "$root/scripts/wine-env.sh"
  # The display prefix serves one display at a time (see screenshot.sh).
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec 9>"$WINEPREFIX.lock"
  flock -w 900 9 || { echo "view: $WINEPREFIX stayed busy" >&2; exit 1; }
  wineserver -k 2>/dev/null || true
  kiv_wine_prefix_ready || kiv_make_wine_prefix
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d Y /f >/dev/null 2>&1
  exec wine "./$base.exe"
fi
shot=${out:-$root/build/view/$base.png}
"$root/scripts/screenshot.sh" --frame --wait 2 "$shot" "./$base.exe" >/dev/null
echo "view: no display; the viewer's window was saved to $shot"
