#!/usr/bin/env bash
# Sets everything up on a Debian 12 machine, builds the whole suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test (engine tests, window tests offscreen); then
# Corvane's engine tests in an optimised build.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
    -DSUITE_SANITIZE=ON -DSUITE_BUILD_BENCHMARKS=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build-test -j"$jobs"
(cd build-test && ctest --output-on-failure -j"$jobs" --timeout 600)
# Corvane's engine tests once more as users compile them (optimised, no sanitizers, no windows):
# the vector kernels must give the same digits there, and an optimiser can change what a sum
# rounds where the sanitizer build's -O1 does not.
cmake -S . -B build-opt -G Ninja -DCMAKE_BUILD_TYPE=Release -DSUITE_BUILD_UI=OFF \
    -DSUITE_PROGRAMS=Corvane -DSUITE_BUILD_BENCHMARKS=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build-opt -j"$jobs" --target Corvane_engine_tests
cd build-opt
ctest --output-on-failure -j"$jobs" --timeout 600 -L engine
