#!/usr/bin/env bash
# Fails when an executable or DLL in the given folder imports a DLL that is neither beside it nor part of Windows.
set -euo pipefail
folder="$1"
system_dlls=(advapi32.dll cfgmgr32.dll comctl32.dll comdlg32.dll gdi32.dll gdiplus.dll kernel32.dll msimg32.dll
    msvcrt.dll ole32.dll oleaut32.dll psapi.dll setupapi.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll
    version.dll)
status=0
for binary in "$folder"/*.exe "$folder"/*.dll; do
    [ -e "$binary" ] || continue
    while read -r dll; do
        lower="$(echo "$dll" | tr 'A-Z' 'a-z')"
        printf '%s\n' "${system_dlls[@]}" | grep -qx "$lower" && continue
        if ! ls "$folder" | tr 'A-Z' 'a-z' | grep -qx "$lower"; then
            echo "check-imports: $(basename "$binary") imports $dll, which is not in $folder" >&2
            status=1
        fi
    done < <(i686-w64-mingw32-objdump -p "$binary" | sed -n 's/^\s*DLL Name: //p')
done
exit $status
