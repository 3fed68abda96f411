#!/usr/bin/env bash
# Sets up the machine, builds and starts what the program can do so far: the link core is
# there, the serial port, the demo module and the window are not yet. Until they are, this
# shows the receive path at work by running its benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh release
echo "Quorvel Analog PC: only the link core is built so far; running its receive benchmark."
build/release/bench/quorvel-bench --benchmark_filter=ReceiveStream
