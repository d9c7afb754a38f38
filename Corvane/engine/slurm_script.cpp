#include "slurm_script.h"

namespace corvane {

std::string shell_quote(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

std::string slurm_script(const Plan& plan, const std::vector<std::vector<std::size_t>>& groups,
                         const SlurmOptions& options) {
    const std::size_t tasks = groups.size();
    const std::size_t parallel =
        options.parallel > 0 ? static_cast<std::size_t>(options.parallel) : tasks;
    const std::string summary_command = shell_quote(options.corvane) + " --summary " +
                                        shell_quote(options.summary) + " " +
                                        shell_quote(plan.source);
    std::string s;
    s += "#!/bin/bash\n";
    s += "# Trains the " + std::to_string(plan.runs.size()) + " runs of " + plan.source + "\n";
    s += "# as a Slurm job array, one task per group of runs (runs that share a file train one\n"
         "# after another in one task), then writes the summary once every task has ended well.\n"
         "# Start it with bash (not sbatch): it submits itself as the array job and then the\n"
         "# summary job. Started again, it trains only the runs that have no result yet.\n";
    s += "#SBATCH --job-name=corvane\n";
    s += "#SBATCH --array=1-" + std::to_string(tasks) + "%" + std::to_string(parallel) + "\n";
    s += "#SBATCH --ntasks=1\n#SBATCH --cpus-per-task=1\n";
    s += "#SBATCH --output=" + plan.results + "/task-%a.out\n";
    s += "set -u\n";
    s += "corvane=" + shell_quote(options.corvane) + "\n";
    s += "results=" + shell_quote(plan.results) + "\n";
    s += "if [ -z \"${SLURM_ARRAY_TASK_ID:-}\" ]; then\n"
         "    set -e\n"
         "    mkdir -p \"$results\"\n"
         "    array=$(sbatch --parsable \"$0\")\n"
         "    array=${array%%;*}\n"
         "    summary=$(sbatch --parsable --job-name=corvane-summary "
         "--dependency=afterok:\"$array\" \\\n"
         "        --output=\"$results/summary.out\" --wrap=" +
         shell_quote(summary_command) +
         ")\n"
         "    echo \"array job $array, summary job ${summary%%;*}\"\n"
         "    exit 0\n"
         "fi\n";
    s += "status=0\n"
         "# run ROW PROJECT SEED START-WEIGHTS: one training, unless it has a result already.\n"
         "run() {\n"
         "    [ -e \"$results/$1.result\" ] && return 0\n"
         "    \"$corvane\" --train \"$2\" ${3:+--seed \"$3\"} ${4:+--start-weights \"$4\"} \\\n"
         "        --result \"$results/$1.result\" >\"$results/$1.log\" 2>&1 || status=1\n"
         "}\n";
    s += "case \"$SLURM_ARRAY_TASK_ID\" in\n";
    for (std::size_t g = 0; g < groups.size(); ++g) {
        s += std::to_string(g + 1) + ")\n";
        for (std::size_t i : groups[g]) {
            const auto& run = plan.runs[i];
            s += "    run " + std::to_string(run.row) + " " + shell_quote(run.project) + " " +
                 shell_quote(run.seed ? std::to_string(*run.seed) : "") + " " +
                 shell_quote(run.start_weights) + "\n";
        }
        s += "    ;;\n";
    }
    s += "*) echo \"no task $SLURM_ARRAY_TASK_ID in this array\" >&2; exit 2 ;;\n";
    s += "esac\n";
    s += "exit $status\n";
    return s;
}

} // namespace corvane
