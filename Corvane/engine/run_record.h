// The result record of one training (written by the run, read back to resume a plan and to
// summarise it) and the summary table of a plan.
#pragma once

#include "run_plan.h"
#include "settings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class Treinador;
struct EstadoPrograma;

struct RunRecord {
    std::string project;
    std::optional<std::uint32_t> seed;
    bool ok = false;
    std::string message; ///< the messages the run showed, one after another
    std::optional<int> iterations;
    std::optional<float> training_error;
    std::optional<float> test_error;
    /// "goal", "iteration limit", "stopped" (a stop request), "failed" or "not run".
    std::string stop_reason;
    double wall_seconds = 0.0;
    std::string data_file, weights_file, errors_file;
    /// `setting_text` of each of `sweep_settings`, in order.
    std::vector<std::string> settings;
};

/// The record of the run `trainer` just made of the project `d`: `ok` when it ended without a
/// reported failure, the stop reason from the stop request, the error goal and the final error.
RunRecord record_of_run(const definicoes_projecto& d, const Treinador& trainer,
                        const EstadoPrograma& programa, bool ok, std::string messages,
                        double wall_seconds, std::optional<std::uint32_t> seed);

/// A record as a text file: one `key<TAB>value` line per field, CR LF.
std::string record_text(const RunRecord& record);
/// A record read back; nullopt when the text is not a complete record.
std::optional<RunRecord> parse_record(std::string_view text);

/// The result record of `run` when its file holds one for the same project and seed.
std::optional<RunRecord> read_result(const Plan& plan, const PlannedRun& run);

/// The summary table (CSV, CR LF, fields quoted where needed): one "run" row per planned run
/// (a run without a record is "not run"), then one "setting" row per distinct setting of the
/// recorded runs (the settings and data file, seeds apart) with the number of runs that ended,
/// of those that failed, and the mean, sample standard deviation, minimum and maximum of the
/// training and test errors over the runs that ended.
std::string summary_csv(const std::vector<PlannedRun>& runs,
                        const std::vector<std::optional<RunRecord>>& records);

} // namespace corvane
