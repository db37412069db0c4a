#!/usr/bin/env bash
# Runs a Windows program under the project's Wine prefix: the emulator ctest
# uses for every test of the win32 build.
. "$(dirname "$0")/wine-env.sh"
kiv_wine_prefix_ready || kiv_start_wineserver
exec wine "$@"
