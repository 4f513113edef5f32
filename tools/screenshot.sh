#!/usr/bin/env bash
# Builds album, starts it on its own Xvfb display (with xcompmgr, so layered windows show their true
# alpha) and saves a screenshot of the whole screen: tools/screenshot.sh [out.png] [seconds to wait]
set -euo pipefail
out="$(realpath -m "${1:-screenshot.png}")"
"$(dirname "${BASH_SOURCE[0]}")/setup.sh"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
trap stop_all EXIT

build_project >/dev/null
start_display
prepare_prefix
start_wineserver
"$WINE" "$build/bin/album.exe" >"$build/album.log" 2>&1 </dev/null &
sleep "${2:-6}"
# ImageMagick's own import: another `convert`/`import` may come first on PATH.
/usr/bin/import -window root "$out"
echo "screenshot: $out"
