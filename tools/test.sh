#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test (native units and fuzz gate, then the Wine suite).
# Extra arguments go to the Wine suite's ctest (e.g. -R framework).
set -euo pipefail
"$(dirname "${BASH_SOURCE[0]}")/setup.sh"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
trap stop_all EXIT

build_project
build_and_test_host_units
build_and_test_fuzzers
build_other_architecture
"$root/tools/package.sh"
start_display
prepare_prefix
start_wineserver
ctest --test-dir "$build" --output-on-failure "$@"
