#!/usr/bin/env bash
# Sets up the machine, builds the release preset and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh release
ctest --preset release
