#!/usr/bin/env bash
# Sets up the machine, builds album and starts it under Wine (on its own Xvfb when there is no display).
set -euo pipefail
"$(dirname "${BASH_SOURCE[0]}")/setup.sh"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
trap stop_all EXIT

build_project
if [ -z "${DISPLAY:-}" ]; then
    start_display
    echo "No DISPLAY: album runs on its own Xvfb display $DISPLAY (take a screenshot with: DISPLAY=$DISPLAY import -window root shot.png)"
fi
prepare_prefix
"$WINE" "$build/bin/album.exe"
