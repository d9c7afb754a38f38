#!/usr/bin/env bash
# Builds the six programs without windows (-DSUITE_BUILD_UI=OFF: Qt is never looked for), so each
# executable is its batch mode alone; checks that none links a Qt library, that each explains its
# options and refuses to open a window, and runs the batch export checks that need no figure.
# Usage: tools/batch-without-qt.sh [BUILD_DIR]   (default build-batch)
set -euo pipefail
cd "$(dirname "$0")/.."
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
build="${1:-build-batch}"
read -r -a programs <<< "${SUITE_BATCH_PROGRAMS:-Corvane Tessaly perceptron Dimora Quillon Pellin}"
# Only the programs checked are configured, so the export checks run are theirs.
program_list="${programs[*]}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSUITE_BUILD_UI=OFF \
    -DSUITE_BUILD_BENCHMARKS=OFF -DSUITE_PROGRAMS="${program_list// /;}" \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${programs[@]}"
for program in "${programs[@]}"; do
    exe="$build/$program/$program"
    if ldd "$exe" | grep -i 'libQt'; then
        echo "batch-without-qt: $program links Qt" >&2
        exit 1
    fi
    "$exe" --help | grep -q -- '--export-csv' ||
        { echo "batch-without-qt: $program --help does not list --export-csv" >&2; exit 1; }
    status=0
    "$exe" 2>/dev/null || status=$?
    if [ "$status" -ne 1 ]; then
        echo "batch-without-qt: $program without options gave status $status, not 1" >&2
        exit 1
    fi
done
(cd "$build" && ctest --output-on-failure -R '_batch_export')
echo "batch-without-qt: the six batch modes build and run without Qt"
