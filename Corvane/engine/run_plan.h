// Plans of many trainings: the runs of a macro or of a sweep folder, the folder of their
// results, which runs must train one after another because they share files, and the writing
// of a sweep folder from a base project and a sweep file.
#pragma once

#include "view.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace corvane {

/// The list of a sweep folder: a header line, then per project its file name, its seed (may be
/// empty) and its starting weights file, TAB-separated, paths relative to the folder.
inline constexpr std::string_view sweep_list_name = "sweep.runs";
/// Expansions larger than this are refused unless a larger limit is given.
inline constexpr std::size_t default_max_runs = 1000;

/// One training of a plan.
struct PlannedRun {
    int row = 0;         ///< 1-based: the macro row, or the project's line of the sweep list
    std::string project; ///< absolute path of the project file
    /// The seed the random generator starts from; none: as at a program start (or, in a
    /// macro trained in one process, where the previous row left it).
    std::optional<std::uint32_t> seed;
    /// Copied over the project's weights file before the run (absolute; empty: none), so that
    /// a run trained again starts from the same weights.
    std::string start_weights;
};

struct Plan {
    std::string source;  ///< the macro file or the sweep folder
    std::string results; ///< the folder of the runs' result records and logs
    std::vector<PlannedRun> runs;

    std::string result_path(const PlannedRun& run) const;
    std::string log_path(const PlannedRun& run) const;
};

/// The plan of a macro file: its rows up to the first empty one, each path taken from the macro
/// file's folder, each run with `seed`. Results go to a folder beside the macro, named after it
/// with ".results" for ".mcr". nullopt after "Error loading macro!".
std::optional<Plan> plan_from_macro(const std::string& macro, std::optional<std::uint32_t> seed,
                                    TrainerView& view);

/// The plan of a sweep folder (its `sweep_list_name`); results go to its "results" folder.
/// nullopt after a message when the list is missing or damaged.
std::optional<Plan> plan_from_sweep_folder(const std::string& folder, TrainerView& view);

/// The files a run reads and writes, as absolute normalised paths.
struct RunFiles {
    std::set<std::string> reads;  ///< project, data, weights and starting weights files
    std::set<std::string> writes; ///< project, weights and errors files
};

/// The files of `run`, from its project file (a project that cannot be read has only itself).
RunFiles files_of(const PlannedRun& run);

/// Groups runs so that groups can train at the same time with the results of the plan's order:
/// a run that reads or writes a file an earlier run writes (or writes a file an earlier run
/// reads) is in that run's group. Each group lists run indices in plan order; groups are
/// ordered by their first run.
std::vector<std::vector<std::size_t>> group_runs(const std::vector<RunFiles>& files);

/// `Corvane --expand-sweep`: expands `sweep_file` over the project `base` into `outdir` (created;
/// it must not hold files yet): per project NAME.prj (its data file path made absolute, its
/// weights file NAME.wgt, no results), NAME.wgt, the same starting weights in start/NAME.wgt,
/// and the sweep list. Starting weights are drawn with the project's seed as --random-weights
/// draws them; without seeds, a copy of the base's weights file, or, when the sweep varies the
/// network, drawn with the fixed seed. Refuses more than `max_runs` projects. The number of
/// projects written, or nullopt after a message.
std::optional<std::size_t> expand_sweep_folder(const std::string& base,
                                               const std::string& sweep_file,
                                               const std::string& outdir, std::size_t max_runs,
                                               TrainerView& view);

} // namespace corvane
