#!/usr/bin/env bash
# Benchmarks album's photo pipeline (the real scan and job, under Wine) against ImageMagick, libvips and
# libjpeg-turbo's own tools (native, and built for album's architecture from the same source, under Wine) on a
# generated photo set (made once into <build>/bench/set). BENCH_RUNS sets the runs per measurement (at least 3;
# medians are shown). Then the photo list's scroll step and item memory, and the expansion of a folder of 2,000
# subfolders in the skinned shell tree (tree_bench), and the scroll step of a report
# list of 10,000 rows (report_bench). BENCH_ONLY=photo, list, tree or report runs only one of them.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/../setup.sh"
source "$here/../lib.sh"
trap stop_all EXIT

if [ ! -f "$build/build.ninja" ]; then build_project; fi
"$root/tools/build-jpeg.sh" "$ALBUM_ARCH" "$build/deps/jpeg-$ALBUM_ARCH"  # a tree built before it made the programs
cmake --build "$build" -j2 --target photo_bench list_bench tree_bench report_bench
start_display
prepare_prefix
start_wineserver
if [ -z "${BENCH_ONLY:-}" ] || [ "$BENCH_ONLY" = photo ]; then
    # djpeg.exe and cjpeg.exe find the compiler's thread runtime among album's DLLs.
    WINEPATH="Z:$(echo "$build/bin" | tr / '\\')" python3 "$here/photo_bench.py" --set "$build/bench/set" \
        --work "$build/bench" --harness "$build/bin/photo_bench.exe" --wine-tools "$build/deps/jpeg-$ALBUM_ARCH/bin" \
        --runs "${BENCH_RUNS:-3}"
fi
if [ -z "${BENCH_ONLY:-}" ] || [ "$BENCH_ONLY" = list ]; then
    # The photo list: 1,000 cards with thumbnails of one photo of the set. Output to a file: Wine's services keep a
    # pipe open after the program ends.
    photo="Z:$(realpath "$build/bench/set/camera/IMG_0001.jpg" | tr / '\\')"
    # A folder of 1,000 camera photos with EXIF thumbnails, as hard links to one photo of the set.
    scan="$build/bench/scan-1000"
    if [ ! -f "$scan/.complete" ]; then
        rm -rf "$scan" && mkdir -p "$scan"
        for i in $(seq -w 1 1000); do ln "$build/bench/set/camera/IMG_0001.jpg" "$scan/IMG_$i.jpg"; done
        touch "$scan/.complete"
    fi
    "$WINE" "$build/bin/list_bench.exe" "$photo" 50 "Z:${scan//\//\\}" >"$build/bench/list.txt" 2>&1 </dev/null
    tr -d '\r' <"$build/bench/list.txt"
fi
if [ -z "${BENCH_ONLY:-}" ] || [ "$BENCH_ONLY" = tree ]; then
    folders="$build/bench/folders-2000"
    if [ ! -f "$folders/.complete" ]; then
        rm -rf "$folders"
        mkdir -p "$folders"
        (cd "$folders" && seq -f "Folder %04g" 1 2000 | xargs -d '\n' mkdir)
        touch "$folders/.complete"
    fi
    # Wine's services inherit the output: a file, not a pipe (see WINE_NOTES.md).
    "$WINE" "$build/bin/tree_bench.exe" "Z:${folders//\//\\}" "${BENCH_RUNS:-5}" >"$build/bench/tree.log" 2>&1 </dev/null
    tr -d '\r' <"$build/bench/tree.log"
fi
if [ -z "${BENCH_ONLY:-}" ] || [ "$BENCH_ONLY" = report ]; then
    mkdir -p "$build/bench"
    "$WINE" "$build/bin/report_bench.exe" 50 >"$build/bench/report.log" 2>&1 </dev/null
    tr -d '\r' <"$build/bench/report.log"
fi
