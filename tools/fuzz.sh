#!/usr/bin/env bash
# Builds the libFuzzer targets of the file readers with clang (in build-fuzz) and runs each for
# SECONDS seconds on a scratch copy of its seed corpus, so the repository's corpus only grows by
# the inputs added to it by hand. Fails when a fuzzer finds a crash, a hang, a leak or a broken
# invariant; the input that did it is kept in build-fuzz/findings/<harness>/.
#
#   tools/fuzz.sh SECONDS [HARNESS...]     e.g. tools/fuzz.sh 60, tools/fuzz.sh 600 corvane_data
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ $# -lt 1 || ! "$1" =~ ^[0-9]+$ ]]; then
    echo "usage: tools/fuzz.sh SECONDS [HARNESS...]" >&2
    exit 2
fi
seconds="$1"
shift
build=build-fuzz
max_len="${FUZZ_MAX_LEN:-65536}"

export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
# The engines are instrumented for coverage (fuzzer-no-link) as well as the harnesses.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
    -DCMAKE_CXX_COMPILER=clang++ -DSUITE_FUZZ=ON -DSUITE_BUILD_BENCHMARKS=OFF \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined" \
    >/dev/null
mapfile -t targets < <(grep -v '^$' "$build/fuzz_targets.txt")
if [[ $# -gt 0 ]]; then
    wanted=()
    for h in "$@"; do wanted+=("${h}_fuzzer"); done
    targets=("${wanted[@]}")
fi
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
failed=()
for target in "${targets[@]}"; do
    harness="${target%_fuzzer}"
    work="$build/fuzz-work/$harness"
    findings="$build/findings/$harness"
    rm -rf "$work"
    mkdir -p "$work" "$findings"
    cp -r "fuzz/corpus/$harness/." "$work/"
    echo "== $harness: ${seconds}s"
    if ! "$build/fuzz/$target" "$work" -max_total_time="$seconds" -max_len="$max_len" \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" \
        2>"$build/fuzz-$harness.log"; then
        failed+=("$harness")
        tail -n 40 "$build/fuzz-$harness.log"
    fi
    grep -E '^#[0-9]+.*DONE|stat::number_of_executed_units|cov: ' "$build/fuzz-$harness.log" |
        tail -n 2 || true
done
if [[ ${#failed[@]} -gt 0 ]]; then
    echo "fuzzing found faults in: ${failed[*]} (inputs in $build/findings/)" >&2
    exit 1
fi
echo "no findings"
