#!/usr/bin/env bash
# Fuzzes one target for a long random run at the lowest CPU priority, from its committed corpus and the inputs
# earlier long runs kept (build/fuzz/found/<target>). A crash, leak or timeout stops the run and leaves its input
# in build/fuzz/findings/; fixed, it goes into tests/fuzz/corpus/<target>.
# Usage: tools/fuzz.sh <cipher|cmdline|exif|jpeg> [seconds, default 600] [more libFuzzer options]
set -euo pipefail
"$(dirname "${BASH_SOURCE[0]}")/setup.sh"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

target="${1:?usage: tools/fuzz.sh <cipher|cmdline|exif|jpeg> [seconds] [libFuzzer options]}"
seconds="${2:-600}"
shift $(($# < 2 ? $# : 2))
build_fuzzers
found="$build/fuzz/found/$target"
mkdir -p "$found" "$build/fuzz/findings"
exec nice -n 19 "$build/fuzz/targets/${target}_fuzzer" -max_total_time="$seconds" -timeout=10 \
    -artifact_prefix="$build/fuzz/findings/$target-" "$@" "$found" "$root/tests/fuzz/corpus/$target"
