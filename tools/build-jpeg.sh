#!/usr/bin/env bash
# Builds libjpeg-turbo (static, with SIMD) for mingw from the distribution's source package
# for the given architecture (i686 or x86_64) into <prefix>. Skips the work when the library is there.
set -euo pipefail
arch="$1"
prefix="$2"
[ -f "$prefix/lib/libturbojpeg.a" ] && [ -f "$prefix/lib/libjpeg.a" ] && exit 0

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
work="$prefix-src"
rm -rf "$work" && mkdir -p "$work"
(cd "$work" && apt-get source -qq libjpeg-turbo >/dev/null 2>&1)
srcdir="$(find "$work" -maxdepth 1 -mindepth 1 -type d -name 'libjpeg-turbo*' | head -n 1)"
[ -n "$srcdir" ] || { echo "setup: could not fetch the libjpeg-turbo source package" >&2; exit 1; }

cmake -S "$srcdir" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=ON -DREQUIRE_SIMD=ON -DWITH_TURBOJPEG=ON \
    -DCMAKE_ASM_NASM_COMPILER=nasm -Wno-dev >/dev/null
cmake --build "$work/build" -j2 --target jpeg-static turbojpeg-static >/dev/null

# Only the two static libraries are built, so install them and their headers by hand.
mkdir -p "$prefix/lib" "$prefix/include"
cp "$work/build/libjpeg.a" "$work/build/libturbojpeg.a" "$prefix/lib/"
cp "$work/build/jconfig.h" "$srcdir/jpeglib.h" "$srcdir/jmorecfg.h" "$srcdir/jerror.h" "$srcdir/turbojpeg.h" \
    "$prefix/include/"
rm -rf "$work"
