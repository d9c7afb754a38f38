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

/// The text of --help.
std::string usage();

/// What a --train or --evaluate run leaves for export. The caller says what it wants; a run
/// that ended well fills it in.
struct Exports {
    bool want_chart = false; ///< the error chart: of the run (--train) or of the errors file
    bool want_table = false; ///< the data view of the training set
    std::optional<GraficoErros> chart;
    std::optional<csv::Table> table;

    bool any() const { return want_chart || want_table; }
};

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
    bool window = false;               ///< no options, or only a file name: the window is wanted
    std::optional<cli::Stop> stop;     ///< --help or a bad command line: nothing runs
    std::string command;               ///< otherwise: --train, --run-macro, ... or --summary
    std::vector<std::string> operands; ///< its files, as many as it takes
    Options options;
    cli::Exports exports; ///< the export options (read by `parse_command_line` only)
};

/// Reads the command line `args` (the arguments after the program name, the export options
/// taken out; `exporting` when there were any) as `run` does before it opens anything: --help
/// stops with the usage (status 0), a bad command line with "Corvane: <why>" and the usage
/// (status 2).
Command parse(const std::vector<std::string>& args, bool exporting = false);

/// Reads the whole command line as the program does before it opens anything: the export
/// options (a bad one stops with "Corvane: <why>" and the usage; export options with no command
/// stop with "Corvane: the export options go with --train or --evaluate"), then the rest as
/// `parse` reads it.
Command parse_command_line(const std::vector<std::string>& args);

/// Runs a command that `parse` or `parse_command_line` accepted (neither the window nor a
/// stop): the exit status, 0 done, 1 a failure was reported or the run did not start, 2 for a
/// project of --random-weights that names no weights file. `exports` as for `run`.
int run_command(const Command& command, std::ostream& out, std::ostream& err,
                Exports* exports = nullptr);

/// Runs the batch options in `args` (the arguments after the program name). nullopt when there
/// are none, or only one file name (the window is wanted, on that file); otherwise the exit
/// status: 0 done, 1 a failure was reported or the run did not start, 2 bad command line.
/// With `exports` asking for something, only --train and --evaluate are accepted, and what is
/// asked for is filled in after a run that ended well (a view that cannot be made reports its
/// message, as the window would, and gives 1).
std::optional<int> run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                       Exports* exports = nullptr);

} // namespace corvane::batch
