#!/usr/bin/env bash
# Installs every system package the two builds and the tests need, on a Debian
# bookworm machine, as root and without prompts. Safe to run again: it only
# installs what is missing.
set -euo pipefail

pkgs=(
  # native build
  cmake ninja-build g++ clang libclang-rt-14-dev
  zlib1g-dev libjpeg62-turbo-dev libgif-dev libpng-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev libpixman-1-dev
  libjpeg-turbo-progs
  # win32 build and its tests
  g++-mingw-w64-x86-64 libz-mingw-w64-dev
  wine wine64 fonts-wine
  xvfb x11-apps imagemagick
  # source packages for the mingw builds of libjpeg-turbo and giflib
  dpkg-dev nasm
)

missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

sudo_cmd=""
[ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"

if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Source entries derived from the binary ones already configured, so that
# 'apt-get source' can fetch libjpeg-turbo and giflib. No host is named here.
src_list=/etc/apt/sources.list.d/zz-project-deb-src.sources
if [ ! -f "$src_list" ]; then
  tmp=$(mktemp)
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    case "$f" in *zz-project-deb-src*) continue ;; esac
    # Keep only the stanzas of type deb and turn them into deb-src.
    awk 'BEGIN{RS=""; ORS="\n\n"} /(^|\n)Types:[^\n]*deb([^-]|$)/ {gsub(/Types:[^\n]*/, "Types: deb-src"); print}' "$f" >>"$tmp"
  done
  if [ -f /etc/apt/sources.list ]; then
    grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' >/tmp/project-deb-src.list || true
    if [ -s /tmp/project-deb-src.list ]; then
      $sudo_cmd cp /tmp/project-deb-src.list /etc/apt/sources.list.d/zz-project-deb-src.list
    fi
  fi
  if [ -s "$tmp" ]; then $sudo_cmd cp "$tmp" "$src_list"; fi
  rm -f "$tmp"
  $sudo_cmd apt-get update -qq
fi
echo "install-deps: done"
