// The console run of the analyser: the window's steps driven by command-line options.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analysis.h"
#include "cli/cli.h"
#include "display.h"

namespace quillon {

/// What a console run leaves for exporting: the analysis after its last step, and the drawing
/// the window would show then (from sample 1, step 1, no zoom) with the texts of LblMin and
/// LblMax, when a signal was read.
struct BatchResults {
    Analysis analysis;
    std::optional<DisplayPlan> plan;
    std::string lblMin, lblMax;
};

/// What a console run does, as its command line gives it.
struct BatchOptions {
    std::optional<std::string> signal, string, table, save; ///< --signal, --string, --table, --save
    std::string tol = "1";                                  ///< --tol
    int normIndex = 0;                                      ///< --norm: 0 Chebychev, 1 Euclidian
    bool approximate = false;                               ///< --approximate
    std::optional<std::pair<std::string, std::string>> label; ///< --label S1 S2
    bool parse = false;                                       ///< --parse
};

/// A console command line, read before any step runs.
struct BatchCommand {
    std::optional<cli::Stop> stop; ///< --help or a bad command line: nothing runs
    BatchOptions options;          ///< otherwise: the steps to run
    cli::Exports exports;          ///< and the files to export their results to
};

/// The --help text, the export options included (`figures` false for a build that draws none).
std::string batch_usage(bool figures = true);

/// Reads a console command line (the arguments without the program name): the export options,
/// then the program's own. `--help` stops with the usage; a bad command line stops with
/// "Quillon: <why>" and the usage. A figure needs --signal (it is the signal's drawing), a
/// table --approximate or --string (it is the segment list).
BatchCommand parse_batch(const std::vector<std::string>& args, bool figures = true);

/// Runs the steps of an accepted command line in the window's order (read signal, string and
/// table, approximate, label, parse, save), writing each message box as
/// "MsgBox<TAB>title<TAB>text" when it appears, then the texts of Lblnt, Lblna, LblMin and LblMax
/// and every row of List2 and List3 as "<name><TAB><text>". Stops at the first failure. Returns
/// 0, or 1 after a failure message. When `results` is given, it receives what the run computed.
int run_batch(const BatchOptions& options, std::ostream& out, BatchResults* results = nullptr);

/// Reads a command line with `parse_batch` and runs it (a stop printed by `cli::report`): 0, 1
/// after a failure message, 2 for a bad command line. Export options are read but not written
/// (see `batch_main`).
int run_batch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              BatchResults* results = nullptr);

/// Writes the figure files of the export options (the signal's drawing); the window layer's.
using FigureFiles = cli::FigureFiles<BatchResults>;

/// Runs an accepted command line and then its exports: the figures through `figures`, the
/// segment list as the table. Returns the worst status.
int run_batch_command(const BatchCommand& command, std::ostream& out, const FigureFiles& figures);

/// The whole console mode: reads the command line (a figure asked for without `figures` is a
/// bad command line), runs its steps and writes its exports.
int batch_main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const FigureFiles& figures = {});

} // namespace quillon
