#!/usr/bin/env bash
# Installs the Debian 12 packages the suite needs to build, test and run (once; later calls
# find them installed and return at once).
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config git
    clang libclang-rt-14-dev
    qt6-base-dev qt6-charts-dev qt6-svg-dev qt6-tools-dev qt6-tools-dev-tools qt6-documentation-tools
    libqt6help6 libqt6opengl6-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev libfann-dev
    xvfb xauth x11-utils imagemagick fonts-dejavu-core
    file
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
