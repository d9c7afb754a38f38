#!/usr/bin/env bash
# Times a 40-run sweep of the breast-cancer example (2 learning rates x 20 seeds of the
# backpropagation project, or of another example given as PROJECT) trained with --jobs 1 and
# with --jobs 2, prints both wall times and the speed-up, and checks that the two summaries
# agree on everything but folders and wall times. A benchmark, not a test: use an optimised
# build (build-run or a Release build).
#
# Usage: Corvane/bench/sweep_bench.sh [CORVANE [PROJECT]]
set -euo pipefail
cd "$(dirname "$0")/../.."
corvane=$(realpath "${1:-build-run/Corvane/Corvane}")
project=${2:-breast_cancer_backpropagation.prj}
work=$(mktemp -d /tmp/corvane-sweep-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
cp -r examples/Corvane "$work/examples"
printf 'Learning rate = 0.01, 0.05\nSeeds = 1..20\n' >"$work/sweep.txt"

declare -A seconds
for jobs in 1 2; do
    "$corvane" --expand-sweep "$work/examples/$project" "$work/sweep.txt" "$work/j$jobs" >/dev/null
    start=$(date +%s.%N)
    "$corvane" --run-macro "$work/j$jobs" --jobs "$jobs" --summary "$work/j$jobs.csv" \
        2>"$work/j$jobs.progress" || true
    end=$(date +%s.%N)
    seconds[$jobs]=$(echo "$end - $start" | bc -l)
done

normalise() { # FILE FOLDER
    sed -e "s|$2||g" "$1" | tr -d '\r' | awk -F, -v OFS=, '
        NR == 1 { for (i = 1; i <= NF; i++) if ($i == "wall time (s)") w = i }
        { if (w) $w = ""; print }'
}
same=yes
diff -q <(normalise "$work/j1.csv" "$work/j1") <(normalise "$work/j2.csv" "$work/j2") >/dev/null ||
    same=no
runs=$(grep -c '^run,.*,ok,' "$work/j1.csv" || true)
printf 'runs ended well: %s of 40 (%s)\n' "$runs" "$project"
printf -- '--jobs 1: %.2f s\n--jobs 2: %.2f s\nspeed-up: %.2f\n' "${seconds[1]}" "${seconds[2]}" \
    "$(echo "${seconds[1]} / ${seconds[2]}" | bc -l)"
printf 'mean wall time of a run: %.3f s\n' \
    "$(awk -F, 'NR == 1 { for (i = 1; i <= NF; i++) if ($i == "wall time (s)") w = i }
               $1 == "run" { s += $w; n++ } END { print s / n }' "$work/j1.csv")"
printf 'summaries equal apart from folders and wall times: %s\n' "$same"
printf 'machine: %s cores, load average %s\n' "$(nproc)" "$(cut -d' ' -f1-3 /proc/loadavg)"
