#!/usr/bin/env bash
# Makes the Windows downloads from the 32-bit build: dist/album-<version>-win32.zip (portable) and
# dist/album-<version>-win32-setup.exe (per-user NSIS installer), after checking that the zip holds every DLL
# its binaries import beside the system's own.
set -euo pipefail
"$(dirname "${BASH_SOURCE[0]}")/setup.sh"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# The product is 32-bit whatever this machine runs: a machine testing the 64-bit build packages a 32-bit one
# of its own beside it.
product="$(product_build)"
build_project i686 "$product"

version="$(head -n 1 "$root/VERSION")"
name="album-$version-win32"
dist="$root/dist"
stage="$dist/$name"
rm -rf "$stage" "$dist/$name.zip" "$dist/$name-setup.exe"
mkdir -p "$stage"

binaries=(album.exe framework.dll quillet.dll libgcc_s_dw2-1.dll libstdc++-6.dll libwinpthread-1.dll)
for file in "${binaries[@]}"; do cp "$product/bin/$file" "$stage/"; done
i686-w64-mingw32-strip --strip-debug "$stage"/*.exe "$stage"/*.dll
sed "s/@VERSION@/$version/" "$root/installer/README.txt" | sed 's/$/\r/' >"$stage/README.txt"
{
    printf 'Mirelle %s includes the following third-party software.\n\n' "$version"
    printf '== libjpeg-turbo (linked into album.exe) ==\n\n'
    cat /usr/share/doc/libjpeg62-turbo/copyright
    printf '\n== GCC runtime libraries: libgcc_s_dw2-1.dll, libstdc++-6.dll ==\n\n'
    cat /usr/share/doc/gcc-mingw-w64-base/copyright
    printf '\n== mingw-w64 runtime and winpthreads: libwinpthread-1.dll ==\n\n'
    cat /usr/share/doc/mingw-w64-common/copyright
} | sed 's/$/\r/' >"$stage/THIRD-PARTY-NOTICES.txt"

"$root/tools/check-imports.sh" "$stage"

(cd "$dist" && zip -q -r -X "$name.zip" "$name")

files_nsh="$dist/$name-files.nsh"
{
    echo '!macro INSTALL_FILES'
    for file in "$stage"/*; do echo "    File \"$file\""; done
    echo '!macroend'
    echo '!macro UNINSTALL_FILES'
    for file in "$stage"/*; do echo "    Delete \"\$INSTDIR\\$(basename "$file")\""; done
    echo '!macroend'
} >"$files_nsh"
makensis -V2 -DVERSION="$version" -DFILES="$files_nsh" -DOUTFILE="$dist/$name-setup.exe" "$root/installer/album.nsi"
rm -f "$files_nsh"
echo "package: $dist/$name.zip"
echo "package: $dist/$name-setup.exe"
