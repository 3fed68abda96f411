#!/usr/bin/env bash
# Sets up the machine, builds, and starts what there is of the program so far: the window
# is still to come, so this runs the command-line front end on the built-in demo module for
# ten seconds, showing the four readouts as they arrive.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh release
echo "Quorvel Analog PC: the window is not built yet; the command line on the demo module:"
build/release/src/cli/quorvel-cli monitor --port Symulator --seconds 10
