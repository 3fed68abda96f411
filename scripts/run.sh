#!/usr/bin/env bash
# Sets up the machine, builds and starts Quorvel Analog PC. Pick "Symulator" in the port
# list on the connection panel (Opcje >>) to work with the built-in demo module.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh release
exec build/release/src/app/quorvel-analog "$@"
