#!/usr/bin/env bash
# Sets everything up on a Debian 12 machine, builds the suite and starts one program on an
# example:  ./run.sh [Pellin|Corvane|Tessaly|perceptron|Dimora|Quillon] [program arguments]
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
program="${1:-Pellin}"
shift || true
cmake -S . -B build-run -G Ninja -DCMAKE_BUILD_TYPE=Release -DSUITE_BUILD_BENCHMARKS=OFF \
    -DSUITE_PROGRAMS="$program" >/dev/null
cmake --build build-run -j"$(nproc)" --target "$program"
exe="build-run/$program/$program"
if [ $# -eq 0 ]; then
    case "$program" in
        Pellin) set -- examples/Pellin/breast_cancer.txt ;;
        Quillon) set -- examples/Quillon/ecg.txt ;;
        Tessaly) set -- examples/Tessaly/A_noisy.Tsy ;;
        Corvane) set -- examples/Corvane/xor_backpropagation.prj ;;
        *) ;;
    esac
fi
exec "$exe" "$@"
