#!/usr/bin/env bash
# Prepares a Debian machine to build and test album: the cross toolchain, Wine, the X test display, clang with
# libFuzzer, and libjpeg-turbo built for i686-mingw and for the native fuzz targets. Safe to run again: each step
# skips what is already there.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive


sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

packages=(
    g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev mingw-w64-tools
    wine wine32:i386 wine64 xvfb xcompmgr xdotool imagemagick fonts-liberation fonts-wine
    nasm cmake ninja-build googletest dpkg-dev clang libclang-rt-14-dev
    libjpeg-turbo-progs libvips-tools libimage-exiftool-perl
    nsis zip
)

# Adds a deb-src twin of every "Types: deb" stanza of the machine's own apt sources, so the
# distribution's source packages come from the same place as its binaries.
add_source_entries() {
    local src out
    for src in /etc/apt/sources.list.d/*.sources; do
        [ -f "$src" ] || continue
        case "$src" in *-src.sources) continue ;; esac
        out="${src%.sources}-src.sources"
        [ -f "$out" ] && continue
        awk 'BEGIN { RS = ""; ORS = "\n\n" } /(^|\n)Types:[ \t]*deb[ \t]*(\n|$)/ { sub(/Types:[ \t]*deb/, "Types: deb-src"); print }' \
            "$src" | sudo_if_needed tee "$out" >/dev/null
        [ -s "$out" ] || sudo_if_needed rm -f "$out"
    done
}

missing_packages() {
    local p
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed' || echo "$p"
    done
}

install_packages() {
    local need
    need="$(missing_packages)"
    local sources_changed=0
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        sudo_if_needed dpkg --add-architecture i386
        sources_changed=1
    fi
    if ! ls /etc/apt/sources.list.d/*-src.sources >/dev/null 2>&1; then
        add_source_entries
        sources_changed=1
    fi
    if [ -n "$need" ] || [ "$sources_changed" -eq 1 ]; then
        sudo_if_needed apt-get update -qq
    fi
    if [ -n "$need" ]; then
        echo "setup: installing $(echo $need | tr '\n' ' ')"
        # shellcheck disable=SC2086
        sudo_if_needed apt-get install -y -qq --no-install-recommends $need >/dev/null
    fi
}

install_packages
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
"$root/tools/build-jpeg.sh" "$ALBUM_ARCH" "$build/deps/jpeg-$ALBUM_ARCH"
