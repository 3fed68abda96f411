#!/usr/bin/env bash
# Cross-builds the Windows programs and tests with MinGW-w64 and runs the tests under Wine,
# the end-to-end test of quorvel-cli.exe included (it needs quorvel-sim of the release build).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh g++-mingw-w64-x86-64-posix wine64
[ -x build/release/src/sim/quorvel-sim ] || scripts/build.sh release --target quorvel-sim
scripts/build.sh windows-cross
export WINEPREFIX="$PWD/build/windows-cross/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
# One Wine server for all the tests, instead of one start-up per test.
/usr/lib/wine/wine64 wineboot --init > /dev/null 2>&1 || true
/usr/lib/wine/wineserver -p 60 || true
status=0
ctest --preset windows-cross || status=$?
/usr/lib/wine/wineserver -k || true
exit $status
