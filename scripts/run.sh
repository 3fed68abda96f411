#!/usr/bin/env bash
# Sets up the machine, builds and starts Quorvel Analog PC. Pick "Symulator" in the port
# list on the connection panel (Opcje >>) to work with the built-in demo module. Without a
# display, the command line shows the demo module's readouts for ten seconds instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh release
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display to open the window on; the demo module on the command line instead:"
    exec build/release/src/cli/quorvel-cli monitor --port Symulator --seconds 10
fi
exec build/release/src/app/quorvel-analog "$@"
