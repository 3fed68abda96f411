#!/usr/bin/env bash
# Installs the Debian 12 packages the project builds and tests with, and any further
# packages named on the command line. Safe to run again: it asks apt only for what is
# missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    clang clang-14 libclang-rt-14-dev clang-format
    qt6-base-dev libgl-dev qt6-charts-dev libqt6opengl6-dev fonts-dejavu-core fonts-liberation2
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then as_root=(); else as_root=(sudo); fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
