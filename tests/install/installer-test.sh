#!/usr/bin/env bash
# Installs the packaged setup.exe silently into a fresh Wine prefix, twice (an upgrade in place), starts the
# installed album.exe until its main window shows, then uninstalls it: the installed files and the Apps entry go,
# a file of the user's in the folder and the settings stay. Exit 77 (skipped) where Wine cannot run 32-bit programs.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/lib.sh"
if [ "$ALBUM_ARCH" != i686 ]; then
    echo "installer test: skipped (this machine runs no 32-bit programs)"
    exit 77
fi
version="$(head -n 1 "$root/VERSION")"
setup="$root/dist/album-$version-win32-setup.exe"
[ -f "$setup" ] || { echo "installer test: $setup is missing (tools/package.sh makes it)" >&2; exit 1; }

work="$build/install-test"
export WINEPREFIX="$work/prefix"
rm -rf "$work"
mkdir -p "$work"
make_prefix "$WINEPREFIX" "$work/wineboot.log"
start_wineserver "$work/wineserver.log"
album_pid=""
cleanup() {
    [ -n "$album_pid" ] && kill "$album_pid" 2>/dev/null
    wineserver -k >/dev/null 2>&1 || true
}
trap cleanup EXIT

fail() { echo "installer test: $*" >&2; exit 1; }
wine_run() { timeout 120 "$WINE" "$@" >>"$work/wine.log" 2>&1 </dev/null; }
settings='HKCU\Software\Daduz V1.4\Daduz\Log'
apps='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Daduz.Mirelle'
installed=(album.exe framework.dll quillet.dll libgcc_s_dw2-1.dll libstdc++-6.dll libwinpthread-1.dll README.txt
    THIRD-PARTY-NOTICES.txt uninstall.exe)

wine_run "$setup" /S
wine_run "$setup" /S
folder="$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Local/Programs/Mirelle 2>/dev/null | head -n 1)"
[ -n "$folder" ] || fail "no install folder under AppData\\Local\\Programs"
for file in "${installed[@]}"; do [ -f "$folder/$file" ] || fail "$file was not installed"; done
[ "$(ls "$folder" | wc -l)" -eq "${#installed[@]}" ] || fail "the second install left more than one set of files"
ls "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Microsoft/Windows/"Start Menu"/Programs/Mirelle.lnk >/dev/null ||
    fail "no Start-menu shortcut"
wine_run reg query "$apps" /v UninstallString || fail "no Apps entry"

"$WINE" "$folder/album.exe" >>"$work/album.log" 2>&1 </dev/null &
album_pid=$!
shown=""
for _ in $(seq 1 300); do
    shown="$(xdotool search --onlyvisible --name '^Mirelle v1\.4$' 2>/dev/null || true)"
    [ -n "$shown" ] && break
    sleep 0.1
done
[ -n "$shown" ] || fail "the installed album.exe showed no main window within 30 s"
kill "$album_pid" 2>/dev/null || true
wait "$album_pid" 2>/dev/null || true
album_pid=""
wineserver -k >/dev/null 2>&1 || true
start_wineserver "$work/wineserver-2.log"

wine_run reg add "$settings" /v Quality /t REG_DWORD /d 85 /f
echo "kept" >"$folder/my-notes.txt"
# The uninstaller copies itself elsewhere and returns at once; its copy then removes the files.
wine_run "$folder/uninstall.exe" /S
for _ in $(seq 1 300); do
    [ -f "$folder/album.exe" ] || [ -f "$folder/uninstall.exe" ] || break
    sleep 0.1
done
for file in "${installed[@]}"; do [ ! -e "$folder/$file" ] || fail "$file is still there after the uninstall"; done
[ -f "$folder/my-notes.txt" ] || fail "the uninstall removed a file it had not installed"
! wine_run reg query "$apps" || fail "the Apps entry is still there"
timeout 60 "$WINE" reg query "$settings" /v Quality >"$work/quality.txt" 2>/dev/null </dev/null || true
grep -q "REG_DWORD.*0x55" "$work/quality.txt" || fail "the settings did not survive the uninstall"
echo "installer test: passed"
