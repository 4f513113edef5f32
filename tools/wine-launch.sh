#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest. Wine may start background services (explorer,
# winedevice) from the program; they inherit its output, so the output goes to a file instead of
# ctest's pipe, which those services would otherwise hold open until the wineserver stops. The
# program gets a time limit below ctest's own, so that its output is still shown when it hangs.
log="$(mktemp)"
timeout --kill-after=5 "${ALBUM_RUN_LIMIT:-280}" "${WINELOADER:-wine}" "$@" >"$log" 2>&1 </dev/null
status=$?
tr -d '\r' <"$log"
rm -f "$log"
[ "$status" -eq 124 ] && echo "wine-launch: stopped after ${ALBUM_RUN_LIMIT:-280} s"
exit "$status"
