#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest. Wine may start background services (explorer,
# winedevice) from the program; they inherit its output, so the output goes to a file instead of
# ctest's pipe, which those services would otherwise hold open until the wineserver stops.
log="$(mktemp)"
"${WINELOADER:-wine}" "$@" >"$log" 2>&1 </dev/null
status=$?
tr -d '\r' <"$log"
rm -f "$log"
exit "$status"
