#!/usr/bin/env bash
# Sets everything up on a Debian 12 machine, builds the six programs (optimised, in build-run/)
# and starts one of them:  ./run.sh [Pellin|Corvane|Tessaly|perceptron|Dimora|Quillon] [ARGS]
# Without arguments the program opens on an example where it has one. Everything the set-up
# and the build print goes to standard error, so the program's own output can be piped.
set -euo pipefail
cd "$(dirname "$0")"
programs=(Pellin Corvane Tessaly perceptron Dimora Quillon)
program="${1:-Pellin}"
shift || true
if [[ ! " ${programs[*]} " =~ " $program " ]]; then
    echo "usage: ./run.sh [${programs[*]// /|}] [program arguments]" >&2
    exit 2
fi
tools/install-deps.sh >&2
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
# Configured once; later runs let the build itself notice a changed CMakeLists.txt.
if [[ ! -f build-run/build.ninja ]]; then
    cmake -S . -B build-run -G Ninja -DCMAKE_BUILD_TYPE=Release -DSUITE_BUILD_BENCHMARKS=OFF >&2
fi
cmake --build build-run -j"$(nproc)" --target "${programs[@]}" >&2
exe="build-run/$program/$program"
if [[ $# -eq 0 ]]; then
    case "$program" in
        Pellin) set -- examples/Pellin/breast_cancer.txt ;;
        Quillon) set -- examples/Quillon/ecg.txt ;;
        Tessaly) set -- examples/Tessaly/A_noisy.Tsy ;;
        Corvane)
            # Training saves the project, its weights and errors beside it: the window opens a
            # fresh copy, so the examples in the repository stay as they are.
            rm -rf build-run/examples/Corvane
            mkdir -p build-run/examples
            cp -r examples/Corvane build-run/examples/Corvane
            set -- build-run/examples/Corvane/xor_backpropagation.prj
            ;;
        *) ;;
    esac
fi
exec "$exe" "$@"
