#!/usr/bin/env bash
# Fuzzes from a committed corpus with a fixed seed for a fixed number of runs, so that the verdict is the same on
# every run; the inputs it finds go to a scratch directory, never into the corpus.
# Usage: seeded.sh <fuzzer> <corpus> <scratch> <runs>
set -euo pipefail
fuzzer="$1"
corpus="$2"
scratch="$3"
runs="$4"
rm -rf "$scratch"
mkdir -p "$scratch"
exec "$fuzzer" -seed=1 -runs="$runs" -timeout=10 -artifact_prefix="$scratch/" "$scratch" "$corpus"
