#!/usr/bin/env bash
# Builds libjpeg-turbo (static) from the distribution's source package into <prefix>, for mingw with SIMD for the
# given architecture (i686 or x86_64), with its djpeg and cjpeg programs (the benchmark's anchors of the same
# architecture, in <prefix>/bin), or, for "fuzz", natively with clang and the fuzzing build's instrumentation.
# Skips the work when the libraries (and programs) are there.
set -euo pipefail
arch="$1"
prefix="$2"
# The fuzz targets need only libjpeg's own interface.
if [ "$arch" = fuzz ]; then libs=(jpeg) tools=(); else libs=(jpeg turbojpeg) tools=(djpeg cjpeg); fi
all_built=1
for lib in "${libs[@]}"; do [ -f "$prefix/lib/lib$lib.a" ] || all_built=0; done
for tool in "${tools[@]}"; do [ -f "$prefix/bin/$tool.exe" ] || all_built=0; done
[ "$all_built" -eq 1 ] && exit 0

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
work="$prefix-src"
rm -rf "$work" && mkdir -p "$work"
(cd "$work" && apt-get source -qq libjpeg-turbo >/dev/null 2>&1)
srcdir="$(find "$work" -maxdepth 1 -mindepth 1 -type d -name 'libjpeg-turbo*' | head -n 1)"
[ -n "$srcdir" ] || { echo "setup: could not fetch the libjpeg-turbo source package" >&2; exit 1; }

if [ "$arch" = fuzz ]; then
    # Coverage feedback from inside the decoder is what steers the fuzzer through it, and the sanitizers must see
    # its memory accesses; the SIMD routines are assembly, which neither can instrument, so they are left out.
    flags="-g -fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=all -fno-omit-frame-pointer"
    target=(-DCMAKE_C_COMPILER=clang "-DCMAKE_C_FLAGS=$flags" -DWITH_SIMD=OFF)
else
    target=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" -DWITH_SIMD=ON -DREQUIRE_SIMD=ON
        -DCMAKE_ASM_NASM_COMPILER=nasm)
fi
cmake -S "$srcdir" -B "$work/build" -G Ninja "${target[@]}" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=ON -Wno-dev >/dev/null
targets=("${libs[@]/%/-static}" "${tools[@]/%/-static}")
cmake --build "$work/build" -j2 --target "${targets[@]}" >/dev/null

# Only the static libraries and programs are built, so install them and the headers by hand.
mkdir -p "$prefix/lib" "$prefix/include" "$prefix/bin"
for lib in "${libs[@]}"; do cp "$work/build/lib$lib.a" "$prefix/lib/"; done
for tool in "${tools[@]}"; do cp "$work/build/$tool-static.exe" "$prefix/bin/$tool.exe"; done
cp "$work/build/jconfig.h" "$srcdir/jpeglib.h" "$srcdir/jmorecfg.h" "$srcdir/jerror.h" "$srcdir/turbojpeg.h" \
    "$prefix/include/"
rm -rf "$work"
