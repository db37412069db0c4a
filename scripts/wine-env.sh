#!/usr/bin/env bash
# Source this file to get the project's Wine environment: a 64-bit prefix made
# once per machine in the cache folder, graphics driver "x11,null" (headless
# without a display, real X11 windows with one), no audio driver, Wine's own
# fonts installed, and a persistent, warmed-up wine server so that many short
# test programs start quickly and ctest's pipes are not held by background
# services.
# Use: . scripts/wine-env.sh; kiv_start_wineserver
kiv_cache=${KIV_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kivview}
# KIV_WINE_LOOK=classic selects a second prefix in which visual styles are
# switched off (the platform's classic look): Wine keeps one theme state per
# prefix and ignores SetThemeAppProperties.
# KIV_WINE_LOOK=display selects a third prefix, themed, for programs shown on an
# X display (screenshots): its desktop process must be started with the display.
# KIV_WINE_LOOK=teststyle selects a fourth prefix whose active visual style is
# the project's own test style (tests/styles), which has the parts Wine's
# style lacks; kiv_install_test_style puts the built style where it points.
if [ "${KIV_WINE_LOOK:-}" = classic ]; then
  export WINEPREFIX=${KIV_WINEPREFIX_CLASSIC:-$kiv_cache/wineprefix-classic}
elif [ "${KIV_WINE_LOOK:-}" = display ]; then
  export WINEPREFIX=${KIV_WINEPREFIX_DISPLAY:-$kiv_cache/wineprefix-display}
elif [ "${KIV_WINE_LOOK:-}" = teststyle ]; then
  export WINEPREFIX=${KIV_WINEPREFIX_TESTSTYLE:-$kiv_cache/wineprefix-teststyle}
else
  export WINEPREFIX=${KIV_WINEPREFIX:-$kiv_cache/wineprefix}
fi
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

kiv_wine_prefix_ready() { [ -f "$WINEPREFIX/.kiv-ready" ]; }

kiv_make_wine_prefix() {
  echo "wine-env: creating the Wine prefix in $WINEPREFIX" >&2
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  DISPLAY= wineboot -i >/dev/null 2>&1
  wineserver -w
  local reg
  reg=$(mktemp --suffix=.reg)
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]\n"Graphics"="x11,null"\n"Audio"=""\n' >"$reg"
  if [ "${KIV_WINE_LOOK:-}" = classic ]; then
    printf '\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager]\n"ThemeActive"="0"\n' >>"$reg"
  elif [ "${KIV_WINE_LOOK:-}" = teststyle ]; then
    printf '\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager]\n"ThemeActive"="1"\n"DllName"="%s"\n"ColorName"="Plain"\n"SizeName"="Normal"\n' \
      "$(printf '%s' "$kiv_test_style_win" | sed 's/\\/\\\\/g')" >>"$reg"
  fi
  DISPLAY= wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
  rm -f "$reg"
  wineserver -k || true
  wineserver -w || true
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp -f /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  touch "$WINEPREFIX/.kiv-ready"
}

# The test style's place in the teststyle prefix, as Windows and as Linux paths.
kiv_test_style_win='C:\windows\resources\themes\kivtest\kivtest.msstyles'
kiv_test_style_file() { echo "$WINEPREFIX/drive_c/windows/resources/themes/kivtest/kivtest.msstyles"; }

# Copies a built test style into the prefix (when it differs), before any
# program of the prefix reads it: each program loads the style at start-up.
kiv_install_test_style() {
  kiv_wine_prefix_ready || kiv_make_wine_prefix
  local dest
  dest=$(kiv_test_style_file)
  mkdir -p "$(dirname "$dest")"
  cmp -s "$1" "$dest" || cp -f "$1" "$dest"
}

kiv_start_wineserver() {
  kiv_wine_prefix_ready || kiv_make_wine_prefix
  # -p keeps the server alive between programs; the first program warms it up.
  wineserver -p >/dev/null 2>&1 || true
  # Starting the desktop process now (any program with a window does) keeps it
  # from being started by the first test, whose output pipe it would then hold
  # open for a second.
  wine rundll32.exe user32.dll,GetDesktopWindow >/dev/null 2>&1 || true
}
