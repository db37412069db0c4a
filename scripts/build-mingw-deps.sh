#!/usr/bin/env bash
# Builds the third-party libraries of the win32 build (libjpeg-turbo, giflib and
# GoogleTest) for x86_64 mingw-w64 from Debian's source packages, into a cache
# folder outside the clone. A finished build is reused until the source package
# version (or this script's recipe) changes. Prints the install prefix.
set -euo pipefail

recipe=3   # bump to force a rebuild after changing this script
cache=${KIV_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kivview}
host=x86_64-w64-mingw32
cc=$host-gcc-posix
cxx=$host-g++-posix
here=$(cd "$(dirname "$0")/.." && pwd)

srcver() { apt-cache showsrc "$1" 2>/dev/null | sed -n 's/^Version: //p' | sort -V | tail -n 1; }
jpegver=$(srcver libjpeg-turbo)
gifver=$(srcver giflib)
gtestver=$(dpkg-query -W -f='${Version}' googletest 2>/dev/null || echo none)
[ -n "$jpegver" ] && [ -n "$gifver" ] || { echo "build-mingw-deps: no source packages found (is deb-src configured?)" >&2; exit 1; }

stamp="r$recipe-jpeg$jpegver-gif$gifver-gtest$gtestver"
prefix="$cache/mingw-deps/$(echo "$stamp" | tr ':~+' '___')"
if [ -f "$prefix/.complete" ]; then echo "$prefix"; exit 0; fi

work="$cache/mingw-src"
rm -rf "$work" "$prefix"
mkdir -p "$work" "$prefix"/{lib,include}
cd "$work"
echo "build-mingw-deps: fetching sources (libjpeg-turbo $jpegver, giflib $gifver)" >&2
apt-get source -qq libjpeg-turbo="$jpegver" giflib="$gifver" >/dev/null 2>&1

# libjpeg-turbo: its own CMake, static only, no TurboJPEG API, no tools.
jsrc=$(find . -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
simd=OFF; command -v nasm >/dev/null && simd=ON
cmake -S "$jsrc" -B jbuild -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR=AMD64 \
  -DCMAKE_C_COMPILER=$cc -DCMAKE_RC_COMPILER=$host-windres \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
  -DWITH_TURBOJPEG=OFF -DWITH_SIMD=$simd -DCMAKE_POSITION_INDEPENDENT_CODE=OFF >&2
cmake --build jbuild --target jpeg-static >&2
install -m644 jbuild/libjpeg.a "$prefix/lib/libjpeg.a"
install -m644 "$jsrc/jpeglib.h" "$jsrc/jmorecfg.h" "$jsrc/jerror.h" jbuild/jconfig.h "$prefix/include/"

# giflib: eight library files, compiled directly.
gsrc=$(find . -maxdepth 1 -type d -name 'giflib-*' | head -n 1)
mkdir -p gbuild
for f in dgif_lib egif_lib gifalloc gif_err gif_font gif_hash openbsd-reallocarray quantize; do
  $cc -O2 -c "$gsrc/$f.c" -o "gbuild/$f.o" -I"$gsrc"
done
$host-ar rcs "$prefix/lib/libgif.a" gbuild/*.o
install -m644 "$gsrc/gif_lib.h" "$prefix/include/"

# GoogleTest and GoogleMock from Debian's sources, with the posix thread model.
cmake -S /usr/src/googletest -B gtbuild -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_C_COMPILER=$cc -DCMAKE_CXX_COMPILER=$cxx \
  -DCMAKE_INSTALL_PREFIX="$prefix" -Dgtest_disable_pthreads=OFF \
  -DCMAKE_CXX_FLAGS="-static-libgcc -static-libstdc++" >&2
cmake --build gtbuild >&2
cmake --install gtbuild >&2

rm -rf "$work"
touch "$prefix/.complete"
echo "$prefix"
