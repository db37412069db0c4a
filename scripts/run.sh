#!/usr/bin/env bash
# The main job: installs what is missing, builds everything (both builds) and
# starts the viewer on the bundled demo picture.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
KIV_MINGW_DEPS=$(scripts/build-mingw-deps.sh)
export KIV_MINGW_DEPS
cmake --preset native-release >/dev/null && cmake --build --preset native-release
cmake --preset win32 >/dev/null && cmake --build --preset win32
# The viewer on the demo picture: a window on the display, or a screenshot
# under Xvfb when there is none.
exec scripts/demo.sh
