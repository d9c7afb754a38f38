// Many trainings at once on one machine: each run of a plan as its own "Corvane --train"
// process, N at a time.
#pragma once

#include "console_view.h"

#include "engine/run_plan.h"

#include <ostream>
#include <string>

namespace corvane::batch {

struct JobsOptions {
    int jobs = 1;        ///< processes at once
    bool resume = false; ///< train only the runs without a result record
    std::string summary; ///< the summary file to write at the end; empty: none
};

/// Trains the runs of `plan`, each as `Corvane --train PROJECT [--seed S] [--start-weights W]
/// --result R` with its output in the run's log, the groups of `group_runs` one run after
/// another, up to `jobs` at once. Without `resume` the plan's old result records are removed
/// first; with it, runs that have one are skipped. A run that ends without writing its record
/// (a crash) gets a failure record. Prints a line per finished run with the estimated time left
/// on `err`. Ctrl+C (SIGINT) or SIGTERM stops the running trainings, which keep no record, and
/// starts no more. Writes the summary when asked. Exit status: 0 when every run ended well, 1
/// otherwise.
int run_jobs(const Plan& plan, const JobsOptions& options, ConsoleView& view, std::ostream& err);

/// The path of the running program, which the jobs and Slurm tasks start.
std::string program_path();

} // namespace corvane::batch
