// The console mode: runs either calculator from command-line options and prints what the window
// would show.
#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "sc_size.h"

namespace dimora {

/// What a console run computed, for exporting it: the curves of --sc-size, or the rows of the
/// result lists of --nn-size (keyed by list name).
struct BatchResults {
    std::optional<SCCurves> curves;
    std::map<std::string, std::vector<std::string>> lists;
};

/// The figure files of a run (the --sc-size graph), drawn by the window layer.
using FigureFiles = cli::FigureFiles<BatchResults>;

/// The usage text printed by --help and after a bad command line, with the export options (the
/// figure ones only when `figures`: a build without windows draws none).
std::string batchUsage(bool figures = true);

/// What a console command line asks for, read before anything runs.
struct BatchCommand {
    std::optional<cli::Stop> stop; ///< --help or a bad command line: nothing runs
    bool scSize = false;           ///< otherwise: --sc-size, else --nn-size
    /// --nn-size: the text typed into each box (Txtd, Txth1, Txth2, Txte, Txta).
    std::map<std::string, std::string> texts;
    /// --sc-size: the dimension and the squared distance as integer part and hundredths.
    int d = 0, integerPart = 0, hundredths = 0;
    cli::Exports exports; ///< the files to export the result to
};

/// Reads a console command line (the arguments after the program name): the export options,
/// then the calculator (first) and its options as `runBatch` takes them. `--help` stops with the
/// usage; a bad command line stops with "Dimora: <why>" and the usage. Without `figures` (a
/// build without windows) a figure export is a bad command line too.
BatchCommand parseBatch(const std::vector<std::string>& args, bool figures = true);

/// Runs a command line `parseBatch` accepted, printing as `runBatch` does. Returns 0, or 1 when
/// a message was reported.
int runBatch(const BatchCommand& command, std::ostream& out, BatchResults* results = nullptr);

/// Runs the options (without the program name). Returns the exit status: 0 success, 1 a message
/// was reported, 2 a bad command line. Results go to `out`, usage problems to `err`.
/// When `results` is given, it receives what the run computed. Export options are read but not
/// written (see `batch_main`).
int runBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             BatchResults* results = nullptr);

/// Runs a command line `parseBatch` accepted and writes the files it asks for: the figures
/// through `figures`, then the table (the --sc-size curves or the --nn-size lists). A file that
/// cannot be written is a message box line on `out`. Returns the worst status.
int runBatchWithExports(const BatchCommand& command, std::ostream& out,
                        const FigureFiles& figures = {});

/// The whole batch mode: reads the command line (a figure export without `figures` is a bad
/// command line), runs it and writes its exports as `runBatchWithExports` does.
int batch_main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const FigureFiles& figures = {});

} // namespace dimora
