#!/usr/bin/env bash
# Trains a small Corvane sweep twice: with --jobs on this machine, and through the Slurm batch
# script that --slurm-script writes, submitted to a single-node Slurm cluster started here from
# Debian's packages (munge, slurmctld, slurmd, run as root in the foreground, everything in a
# temporary folder, stopped at the end whatever happens). The two summaries must agree on
# everything but folders and wall times.
#
# Usage: tools/slurm-sweep-check.sh [CORVANE]   (default: build-test/Corvane/Corvane)
# Needs root (the daemons). Installs slurmctld, slurmd, slurm-client and munge when missing.
# Takes about a minute.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
corvane=$(realpath "${1:-build-test/Corvane/Corvane}")
[ -x "$corvane" ] || { echo "slurm check: no Corvane at $corvane" >&2; exit 1; }

packages=(slurmctld slurmd slurm-client munge)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

work=$(mktemp -d /tmp/corvane-slurm.XXXXXX)
pids=()
stop_all() {
    local status=$?
    # Our own daemons only, by the ids we started them with.
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    if [ $status -ne 0 ]; then
        echo "slurm check failed; logs follow" >&2
        tail -n 30 "$work"/*.log >&2 2>/dev/null || true
    fi
    rm -rf "$work"
    exit $status
}
trap stop_all EXIT
trap 'exit 130' INT TERM

# The cluster: its own munge key and socket, non-default ports, state under $work.
mkdir -p "$work/state" "$work/spool"
dd if=/dev/urandom of="$work/munge.key" bs=1024 count=1 status=none
chmod 600 "$work/munge.key"
host=$(hostname -s)
ports=$((20000 + RANDOM % 20000))
sed -e "s|@HOST@|$host|g" -e "s|@DIR@|$work|g" -e "s|@CPUS@|$(nproc)|g" \
    -e "s|@CTLD_PORT@|$ports|g" -e "s|@SLURMD_PORT@|$((ports + 1))|g" \
    tools/slurm/slurm.conf.in >"$work/slurm.conf"
export SLURM_CONF="$work/slurm.conf"

munged --foreground --force --key-file="$work/munge.key" --socket="$work/munge.socket" \
    --pid-file="$work/munged.pid" --log-file="$work/munged.log" \
    --seed-file="$work/munged.seed" >"$work/munged.out" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -S "$work/munge.socket" ] && break; sleep 0.2; done
slurmctld -D -i -f "$SLURM_CONF" >"$work/slurmctld.out" 2>&1 &
pids+=($!)
slurmd -D -f "$SLURM_CONF" >"$work/slurmd.out" 2>&1 &
pids+=($!)
for i in $(seq 60); do
    state=$(sinfo -h -N -o %t 2>/dev/null || true)
    [ "$state" = "idle" ] && break
    [ "$i" = 60 ] && { echo "slurm check: the node did not come up (state '$state')" >&2; exit 1; }
    sleep 1
done

# The same small sweep, expanded twice.
cat >"$work/sweep.txt" <<'SWEEP'
Crossover = 1 point, NN uniform
Max. iterations = 40
Seeds = 1..3
SWEEP
cp -r examples/Corvane "$work/examples"
for side in local cluster; do
    "$corvane" --expand-sweep "$work/examples/xor_genetic.prj" "$work/sweep.txt" "$work/$side" >/dev/null
done

"$corvane" --run-macro "$work/local" --jobs 2 --summary "$work/local.csv" 2>"$work/local.progress"

"$corvane" --slurm-script "$work/cluster" --jobs 2 --summary "$work/cluster.csv" >"$work/job.sh"
sbatch --test-only "$work/job.sh" 2>&1 | grep -q "to start at" || {
    echo "slurm check: sbatch --test-only refused the script" >&2
    exit 1
}
bash "$work/job.sh"
for i in $(seq 300); do
    [ -s "$work/cluster.csv" ] && [ -z "$(squeue -h 2>/dev/null)" ] && break
    [ "$i" = 300 ] && { echo "slurm check: the jobs did not finish" >&2; squeue >&2; exit 1; }
    sleep 1
done

# Folders and wall times apart, the tables are the same.
normalise() { # FILE SIDE
    sed -e "s|$work/$2|SWEEP|g" "$1" | tr -d '\r' | awk -F, -v OFS=, '
        NR == 1 { for (i = 1; i <= NF; i++) if ($i == "wall time (s)") w = i }
        { if (w) $w = ""; print }'
}
if ! diff <(normalise "$work/local.csv" local) <(normalise "$work/cluster.csv" cluster); then
    echo "slurm check: the summaries differ" >&2
    exit 1
fi
runs=$(grep -c '^run,' "$work/cluster.csv" || true)
trained=$(grep -c '^run,.*,ok,' "$work/cluster.csv" || true)
if [ "$runs" != 6 ] || [ "$trained" != 6 ]; then
    echo "slurm check: $trained of $runs runs ended well, 6 expected" >&2
    cat "$work/cluster.csv" >&2
    exit 1
fi
echo "slurm check: 6 runs trained through Slurm; the summary equals the one from --jobs"
