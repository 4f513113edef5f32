#!/usr/bin/env bash
# Benchmarks album's photo pipeline (the real scan and job, under Wine) against ImageMagick, libvips and
# libjpeg-turbo's own tools on a generated photo set (made once into <build>/bench/set). BENCH_RUNS sets the runs
# per measurement (at least 3; medians are shown).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/../setup.sh"
source "$here/../lib.sh"
trap stop_all EXIT

if [ ! -f "$build/build.ninja" ]; then build_project; fi
cmake --build "$build" -j2 --target photo_bench
start_display
prepare_prefix
start_wineserver
python3 "$here/photo_bench.py" --set "$build/bench/set" --work "$build/bench" \
    --harness "$build/bin/photo_bench.exe" --runs "${BENCH_RUNS:-3}"
