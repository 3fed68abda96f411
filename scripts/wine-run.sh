#!/usr/bin/env bash
# Runs a Windows program under Wine, in a throw-away prefix inside the build folder.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$here/build/windows-cross/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No offer to install Mono or Gecko: the programs need neither.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
mkdir -p "$WINEPREFIX"
exec /usr/lib/wine/wine64 "$@"
