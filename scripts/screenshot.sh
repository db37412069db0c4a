#!/usr/bin/env bash
# screenshot.sh [--wait SECONDS] [--title TEXT] OUT.png PROGRAM.exe [ARGS...]
# Runs a Windows program under Wine on a private Xvfb display, waits for its
# window, saves a PNG of that window and ends the program. With --title the
# window whose name contains TEXT is taken; otherwise the largest window shown.
# The program runs in the current directory.
set -euo pipefail
wait_s=2
title=""
while [ $# -gt 0 ]; do
  case "$1" in
    --wait) wait_s=$2; shift 2 ;;
    --title) title=$2; shift 2 ;;
    *) break ;;
  esac
done
[ $# -ge 2 ] || { echo "usage: screenshot.sh [--wait S] [--title TEXT] OUT.png PROGRAM.exe [ARGS...]" >&2; exit 2; }
out=$1; shift
here=$(cd "$(dirname "$0")" && pwd)
export KIV_WINE_LOOK=display
. "$here/wine-env.sh"

# A free display number.
disp=90
while [ -e /tmp/.X11-unix/X$disp ] || [ -e /tmp/.X$disp-lock ]; do disp=$((disp + 1)); done
Xvfb :$disp -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  [ -n "${prog:-}" ] && kill "$prog" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=:$disp
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# The desktop process of this prefix must belong to this display.
wineserver -k 2>/dev/null || true
kiv_wine_prefix_ready || kiv_make_wine_prefix
wine "$@" </dev/null >/dev/null 2>&1 &
prog=$!

win=""
for _ in $(seq 100); do
  sleep 0.1
  if [ -n "$title" ]; then
    win=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$title" | grep -v 'has no name' | awk '{print $1}' | head -n 1 || true)
  else
    win=$(xwininfo -root -children 2>/dev/null | awk '/^ +0x/ && !/has no name/ {
            if (match($0, /[0-9]+x[0-9]+\+/)) { split(substr($0, RSTART, RLENGTH - 1), wh, "x");
              a = wh[1] * wh[2]; if (a > best && a > 4) { best = a; id = $1 } } } END { print id }' || true)
  fi
  [ -n "$win" ] && break
done
[ -n "$win" ] || { echo "screenshot: no window appeared" >&2; exit 1; }
sleep "$wait_s"
import -window "$win" "png32:$out"
echo "$out"
