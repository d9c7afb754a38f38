// A Slurm batch script that trains a plan as a job array and then writes its summary.
#pragma once

#include "run_plan.h"

#include <cstddef>
#include <string>
#include <vector>

namespace corvane {

struct SlurmOptions {
    std::string corvane; ///< absolute path of the program the tasks start
    std::string summary; ///< the summary file the final job writes
    int parallel = 0;    ///< tasks running at once (the array's %P); 0: all groups
};

/// The script: one array task per group of `groups` (its runs in order, each as
/// `Corvane --train PROJECT [--seed S] [--start-weights W] --result R`, its output in the run's
/// log, a run that already has a result skipped), `--array=1-G%P`, and, when the script is
/// started outside Slurm, the submission of itself and of a job that runs
/// `Corvane --summary FILE SOURCE` after the array (`--dependency=afterok`).
std::string slurm_script(const Plan& plan, const std::vector<std::vector<std::size_t>>& groups,
                         const SlurmOptions& options);

/// `text` as one word of a POSIX shell: between single quotes, each "'" written as '\''.
std::string shell_quote(const std::string& text);

} // namespace corvane
