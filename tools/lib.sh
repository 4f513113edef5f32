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

# Configures (once) and builds the whole project with the mingw toolchain.
build_project() {
    if [ ! -f "$build/build.ninja" ]; then
        cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$ALBUM_ARCH.cmake" \
            -DALBUM_WINE="$WINE" -DALBUM_JPEG_PREFIX="$build/deps/jpeg-$ALBUM_ARCH" >/dev/null
    fi
    cmake --build "$build" -j2
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

# Makes the 32-bit Wine prefix in the build tree (once): fonts, unmanaged windows, no crash dialog.
prepare_prefix() {
    [ -f "$WINEPREFIX/.album-ready" ] && return 0
    rm -rf "$WINEPREFIX"
    mkdir -p "$build"
    "$WINE" wineboot -i >"$build/wineboot.log" 2>&1 </dev/null
    wineserver -w
    "$WINE" regedit "$root/tools/wine-settings.reg" >>"$build/wineboot.log" 2>&1 </dev/null
    cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf /usr/share/wine/fonts/marlett.ttf \
        "$WINEPREFIX/drive_c/windows/Fonts/"
    wineserver -w
    touch "$WINEPREFIX/.album-ready"
}

# Keeps a wineserver running so that each program starts fast.
start_wineserver() {
    wineserver -p >"$build/wineserver.log" 2>&1 </dev/null &
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
