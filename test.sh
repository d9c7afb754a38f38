#!/usr/bin/env bash
# Sets everything up on a Debian 12 machine, builds the whole suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test (engine tests, window tests offscreen).
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
    -DSUITE_SANITIZE=ON -DSUITE_BUILD_BENCHMARKS=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build-test -j"$jobs"
cd build-test
ctest --output-on-failure -j"$jobs" --timeout 600
