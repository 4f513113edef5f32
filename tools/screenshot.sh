#!/usr/bin/env bash
# Builds album, starts it on its own Xvfb display (with xcompmgr, so layered windows show their true
# alpha) and saves a screenshot of the whole screen: tools/screenshot.sh [out.png] [seconds to wait] [menu]
# With "menu", clicks "System" first and points at the menu's second row. With "gallery" (or "gallery-menu"), shows
# the toolkit's gallery instead, its shell tree at C:\windows (and opens its menu).
set -euo pipefail
out="$(realpath -m "${1:-screenshot.png}")"
"$(dirname "${BASH_SOURCE[0]}")/setup.sh"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
trap stop_all EXIT

build_project >/dev/null
start_display
prepare_prefix
start_wineserver
case "${3:-}" in
gallery*) "$WINE" "$build/bin/gallery.exe" 'C:\windows' >"$build/gallery.log" 2>&1 </dev/null & ;;
*) "$WINE" "$build/bin/album.exe" >"$build/album.log" 2>&1 </dev/null & ;;
esac
sleep "${2:-6}"
if [ "${3:-}" = gallery-menu ]; then
    # "Menu" lies at (146, 141) in the gallery, and its menu opens below the button, 151 pixels from the top.
    eval "$(xdotool search --name 'Quillet gallery' getwindowgeometry --shell | head -n 3)"
    xdotool mousemove $((X + 146)) $((Y + 141)) click 1
    sleep 1
    xdotool mousemove $((X + 160)) $((Y + 185))
    sleep 1
elif [ "${3:-}" = menu ]; then
    # "System" lies at (12, 25) in the main window, and its menu opens 20 pixels below the button.
    eval "$(xdotool search --name 'Mirelle v1.4' getwindowgeometry --shell | head -n 3)"
    xdotool mousemove $((X + 30)) $((Y + 35)) click 1
    sleep 1
    xdotool mousemove $((X + 60)) $((Y + 80))
    sleep 1
fi
# ImageMagick's own import: another `convert`/`import` may come first on PATH.
/usr/bin/import -window root "$out"
echo "screenshot: $out"
