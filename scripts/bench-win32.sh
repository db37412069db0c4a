#!/usr/bin/env bash
# Builds one timing program of bench/win32/ in the win32 preset and runs it
# under the project's Wine prefix, passing the remaining arguments on.
#   scripts/bench-win32.sh bench_theme [--repetitions 21] [--filter button]
# Set KIV_WINE_LOOK=classic to run it with visual styles switched off.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: scripts/bench-win32.sh TARGET [ARGS...]}
shift
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target "$target" >/dev/null
exe=$(find build/win32/bench -name "$target.exe" -print -quit)
[ -n "$exe" ] || { echo "bench-win32: $target.exe not found" >&2; exit 1; }
exec scripts/wine-run.sh "$exe" "$@"
