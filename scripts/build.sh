#!/usr/bin/env bash
# Configures and builds one preset (release by default), optionally only some targets:
#   scripts/build.sh [release|asan|tsan|fuzz|windows-cross] [--target NAME...]
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-release}"
shift || true
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" "$@"
