#!/usr/bin/env bash
# wine-keeper.sh start KEEPER.EXE [STYLE.msstyles] | stop
# Start: makes sure the Wine prefix of the current look (KIV_WINE_LOOK) exists,
# puts the given visual style where the prefix's settings name it (the
# "teststyle" look), starts its persistent server and the keeper program that
# keeps the desktop process alive between test programs. Stop: ends the
# keeper. Every background process is detached from this script's output,
# which ctest reads.
. "$(dirname "$0")/wine-env.sh"
pidfile="$WINEPREFIX/.kiv-keeper.pid"
case "${1:-}" in
  start)
    if [ -n "${3:-}" ]; then kiv_install_test_style "$3" </dev/null >/dev/null 2>&1; fi
    kiv_start_wineserver </dev/null >/dev/null 2>&1
    if [ -f "$pidfile" ] && kill -0 "$(cat "$pidfile")" 2>/dev/null; then exit 0; fi
    setsid wine "$2" </dev/null >/dev/null 2>&1 &
    echo $! >"$pidfile"
    sleep 0.5
    ;;
  stop)
    if [ -f "$pidfile" ]; then kill "$(cat "$pidfile")" 2>/dev/null; rm -f "$pidfile"; fi
    ;;
  *) echo "usage: wine-keeper.sh start KEEPER.EXE [STYLE.msstyles] | stop" >&2; exit 2 ;;
esac
exit 0
