# Shared steps of the run and test commands: build, X display, Wine prefix and server.
# Source it; it defines functions and the variables root, build and ALBUM_WINE_PIDS.

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${ALBUM_BUILD_DIR:-$root/build}"
ALBUM_WINE_PIDS=()

# The product is 32-bit; machines whose kernel cannot execute 32-bit Linux programs (so cannot run
# wine32's loader) build and test the same sources for 64-bit Windows instead.
if [ -z "${ALBUM_ARCH:-}" ]; then
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then ALBUM_ARCH=i686; else ALBUM_ARCH=x86_64; fi
fi
export ALBUM_ARCH
if [ "$ALBUM_ARCH" = i686 ]; then
    export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine
else
    export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
fi
WINE="$WINELOADER"

export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
unset TZ  # a Linux zone name would put msvcrt's local time and Win32's apart

# Configures (once) and builds the whole project with the mingw toolchain: for ALBUM_ARCH into $build, or for
# another architecture (i686, x86_64) into another folder, with its own libjpeg-turbo.
build_project() {
    local arch="${1:-$ALBUM_ARCH}" dir="${2:-$build}"
    "$root/tools/build-jpeg.sh" "$arch" "$dir/deps/jpeg-$arch"
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" \
            -DALBUM_WINE="$WINE" -DALBUM_JPEG_PREFIX="$dir/deps/jpeg-$arch" >/dev/null
    fi
    cmake --build "$dir" -j2
}

# The build of the 32-bit product: $build where the tests run it, else a folder of its own.
product_build() { if [ "$ALBUM_ARCH" = i686 ]; then echo "$build"; else echo "$build/win32"; fi; }

# Compiles the architecture that this machine does not test, so that both keep building.
build_other_architecture() {
    if [ "$ALBUM_ARCH" = i686 ]; then build_project x86_64 "$build/x86_64"; else build_project i686 "$(product_build)"; fi
}

# Builds the pure units natively with ASan and UBSan and runs their tests.
build_and_test_host_units() {
    if [ ! -f "$build/host/build.ninja" ]; then
        cmake -S "$root/host" -B "$build/host" -G Ninja >/dev/null
    fi
    cmake --build "$build/host" -j2
    ctest --test-dir "$build/host" --output-on-failure
}

# Builds the fuzz targets natively with clang and libFuzzer, under ASan and UBSan, into $build/fuzz/targets.
build_fuzzers() {
    "$root/tools/build-jpeg.sh" fuzz "$build/deps/jpeg-fuzz"
    if [ ! -f "$build/fuzz/build.ninja" ]; then
        cmake -S "$root/host" -B "$build/fuzz" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DALBUM_FUZZ=ON \
            -DALBUM_JPEG_PREFIX="$build/deps/jpeg-fuzz" >/dev/null
    fi
    cmake --build "$build/fuzz" -j2
}

# Builds the fuzz targets and runs their gate: each replays its corpus, then fuzzes from it with a fixed seed for
# a fixed number of runs.
build_and_test_fuzzers() {
    build_fuzzers
    ctest --test-dir "$build/fuzz" --output-on-failure
}

# Starts Xvfb (and xcompmgr, for true alpha of layered windows) on a free display.
start_display() {
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$build/xvfb.log" 2>&1 </dev/null &
    ALBUM_WINE_PIDS+=($!)
    local i
    for i in $(seq 1 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        sleep 0.1
    done
    [ -e "/tmp/.X11-unix/X$n" ] || { echo "Xvfb did not start (see $build/xvfb.log)" >&2; return 1; }
    export DISPLAY=":$n"
    xcompmgr >"$build/xcompmgr.log" 2>&1 </dev/null &
    ALBUM_WINE_PIDS+=($!)
}

# Makes a Wine prefix at $1 (once), logging to $2: fonts, unmanaged windows, no crash dialog.
make_prefix() {
    local prefix="$1" log="$2"
    [ -f "$prefix/.album-ready" ] && return 0
    rm -rf "$prefix"
    mkdir -p "$(dirname "$prefix")"
    WINEPREFIX="$prefix" "$WINE" wineboot -i >"$log" 2>&1 </dev/null
    WINEPREFIX="$prefix" wineserver -w
    WINEPREFIX="$prefix" "$WINE" regedit "$root/tools/wine-settings.reg" >>"$log" 2>&1 </dev/null
    cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf /usr/share/wine/fonts/marlett.ttf \
        "$prefix/drive_c/windows/Fonts/"
    WINEPREFIX="$prefix" wineserver -w
    touch "$prefix/.album-ready"
}

# Makes the build tree's Wine prefix, the one album and the tests run in.
prepare_prefix() {
    make_prefix "$WINEPREFIX" "$build/wineboot.log"
}

# Keeps a wineserver of $WINEPREFIX running so that each program starts fast; logs to $1 if given.
start_wineserver() {
    wineserver -p >"${1:-$build/wineserver.log}" 2>&1 </dev/null &
    ALBUM_WINE_PIDS+=($!)
}

# Stops everything started above, by PID; a leftover process would hold the caller's output open.
stop_all() {
    wineserver -k >/dev/null 2>&1 || true
    local pid
    for pid in "${ALBUM_WINE_PIDS[@]}"; do
        kill "$pid" >/dev/null 2>&1 || true
    done
    for pid in "${ALBUM_WINE_PIDS[@]}"; do
        wait "$pid" >/dev/null 2>&1 || true
    done
}
