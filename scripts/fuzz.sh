#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for the given seconds (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
scripts/build.sh fuzz --target receiver_fuzzer
corpus="build/fuzz/corpus/receiver"
mkdir -p "$corpus"
build/fuzz/fuzz/receiver_fuzzer -max_total_time="$seconds" -print_final_stats=1 \
    "$corpus" fuzz/seeds
