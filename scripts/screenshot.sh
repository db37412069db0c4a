#!/usr/bin/env bash
# screenshot.sh [--wait SECONDS] [--title TEXT] [--frame] OUT.png PROGRAM.exe [ARGS...]
# Runs a Windows program under Wine on a private Xvfb display, waits for its
# window, saves a PNG and ends the program. The program runs in the current
# directory.
#   (default)  the client area of one window: the one whose name contains TEXT
#              with --title, otherwise the largest one shown.
#   --frame    the windows as a user sees them: Wine draws each window's title
#              bar and frame itself for this run, and the PNG is the part of
#              the screen that holds every window the program shows (its main
#              window and any message box over it) on the black screen.
#
# Runs share the display prefix (KIV_WINE_LOOK=display in wine-env.sh), whose
# wine server and desktop process belong to one X display at a time: a run
# ends what an earlier run left in that prefix. So runs on one prefix take
# turns: each waits for a lock on the prefix (up to 15 minutes) and never ends
# the programs of a run in progress. To run several at once, give each its own
# prefix: KIV_WINEPREFIX_DISPLAY=/some/new/folder scripts/screenshot.sh ...
# (made on first use, about a minute).
set -euo pipefail
wait_s=2
title=""
frame=0
while [ $# -gt 0 ]; do
  case "$1" in
    --wait) wait_s=$2; shift 2 ;;
    --title) title=$2; shift 2 ;;
    --frame) frame=1; shift ;;
    *) break ;;
  esac
done
[ $# -ge 2 ] || { echo "usage: screenshot.sh [--wait S] [--title TEXT] [--frame] OUT.png PROGRAM.exe [ARGS...]" >&2; exit 2; }
out=$1; shift
here=$(cd "$(dirname "$0")" && pwd)
export KIV_WINE_LOOK=display
. "$here/wine-env.sh"

# One run at a time in this prefix; the lock ends with this script.
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
if ! flock -n 9; then
  echo "screenshot: waiting for another run in $WINEPREFIX to finish" >&2
  flock -w 900 9 || { echo "screenshot: $WINEPREFIX stayed busy" >&2; exit 1; }
fi

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

# The desktop process of this prefix must belong to this display: what an
# earlier run left (never a run in progress: it holds the lock) is ended.
wineserver -k 2>/dev/null || true
kiv_wine_prefix_ready || kiv_make_wine_prefix
decorated=Y
[ "$frame" = 1 ] && decorated=N
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d $decorated /f >/dev/null 2>&1
wine "$@" </dev/null >/dev/null 2>&1 &
prog=$!

# Named top-level windows as "id width height x y", one a line.
windows() {
  xwininfo -root -children 2>/dev/null | awk '/^ +0x/ && !/has no name/ {
    if (match($0, /[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+/)) {
      split(substr($0, RSTART, RLENGTH), g, /[x+]/); print $1, g[1], g[2], g[3], g[4] } }'
}

win=""
for _ in $(seq 100); do
  sleep 0.1
  if [ -n "$title" ]; then
    win=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$title" | grep -v 'has no name' | awk '{print $1}' | head -n 1 || true)
  else
    win=$(windows | awk '{ a = $2 * $3; if (a > best && a > 4) { best = a; id = $1 } } END { print id }')
  fi
  [ -n "$win" ] && break
done
[ -n "$win" ] || { echo "screenshot: no window appeared" >&2; exit 1; }
sleep "$wait_s"
if [ "$frame" = 1 ]; then
  # Every window shown, as it lies on the screen.
  box=$(windows | awk '$2 * $3 > 4 {
    if (n++ == 0 || $4 < l) l = $4; if (n == 1 || $5 < t) t = $5;
    if (n == 1 || $4 + $2 > r) r = $4 + $2; if (n == 1 || $5 + $3 > b) b = $5 + $3 }
    END { if (l < 0) l = 0; if (t < 0) t = 0; if (n) printf "%dx%d+%d+%d", r - l, b - t, l, t }')
  [ -n "$box" ] || { echo "screenshot: no window to frame" >&2; exit 1; }
  import -window root -crop "$box" +repage "png32:$out"
else
  import -window "$win" "png32:$out"
fi
echo "$out"
