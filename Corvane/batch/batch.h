// Batch mode: the trainer's commands from the command line, without a window.
#pragma once

#include "engine/views.h"

#include "cli/cli.h"
#include "csv/csv.h"
#include "engine/run_plan.h"

#include <cstddef>
#include <cstdint>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace corvane::batch {

/// The text of --help, and of the end of a bad command line: the commands and options, then
/// the export options that go with --train and --evaluate.
std::string usage();

/// What a --train or --evaluate run leaves for export, filled in after a run that ended well
/// with what its command line's export options ask for.
struct BatchResults {
    std::optional<GraficoErros> chart; ///< the error chart: of the run (--train) or its file
    std::optional<csv::Table> table;   ///< the data view of the training set
};

/// Writes the error chart files asked for (see cli::FigureFiles): the windows' part, since the
/// chart is drawn as the window draws it.
using FigureFiles = cli::FigureFiles<BatchResults>;

/// The options that go with a command.
struct Options {
    int progress = 0;
    std::optional<std::uint32_t> seed;
    std::optional<int> jobs; ///< processes at once (at least 1 once read)
    bool resume = false;
    std::string summary;
    std::string result;
    std::string start_weights;
    std::size_t max_runs = default_max_runs; ///< with --expand-sweep
};

/// A command line, read before anything is opened or run.
struct Command {
    std::optional<cli::Stop> stop;     ///< --help or a bad command line: nothing runs
    std::string command;               ///< otherwise: --train, --run-macro, ... or --summary
    std::vector<std::string> operands; ///< its files, as many as it takes
    Options options;
    cli::Exports exports; ///< the export options (read by `parse_command_line` only)
};

/// Reads the command line `args` (the arguments after the program name, the export options
/// taken out; `exporting` when there were any) as `batch_main` does before it opens anything:
/// --help stops with the usage (status 0), a bad command line with "Corvane: <why>", a blank
/// line and the usage (status 2). A command's files follow it as its values; a further file
/// (the FILE.wgt of --random-weights, the macro or folder of --summary FILE.csv alone) may stand
/// anywhere, and a positive whole number right after --jobs is its N.
Command parse(const std::vector<std::string>& args, bool exporting = false);

/// Reads the whole command line as the program does before it opens anything: the export
/// options (a bad one stops as a bad command line; export options with no command stop with
/// "Corvane: the export options go with --train or --evaluate"), then the rest as `parse`
/// reads it.
Command parse_command_line(const std::vector<std::string>& args);

/// Runs a command that `parse` or `parse_command_line` accepted (not a stop): the exit status,
/// 0 done, 1 a failure was reported or the run did not start, 2 for a project of
/// --random-weights that names no weights file. With `results` and export options in the
/// command, a --train or --evaluate run that ended well fills in what they ask for (a view that
/// cannot be made reports its message, as the window would, and gives 1).
int run_command(const Command& command, std::ostream& out, std::ostream& err,
                BatchResults* results = nullptr);

/// Reads the whole command line as `parse_command_line` does and runs it as `run_command` does:
/// a stop is printed by cli::report, and no export file is written.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        BatchResults* results = nullptr);

/// The whole batch mode for the arguments after the program name: reads the command line
/// (a stop is printed by cli::report), runs the command, and after a run that ended well
/// writes the files of the export options, the error chart through `figures` and the data view
/// as CSV. A figure asked for without `figures` (a build without windows) is a bad command
/// line. The exit status: 0 done, 1 a failure was reported or the run did not start, 2 bad
/// command line.
int batch_main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const FigureFiles& figures = {});

} // namespace corvane::batch
