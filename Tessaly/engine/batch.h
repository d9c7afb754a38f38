// The program run from the command line, without a window.
#pragma once

#include "array2d.h"
#include "hopfield_net.h"

#include "cli/cli.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace tessaly {

/// The text of --help, the export options included (`figures` false for a build that draws
/// no figures).
std::string BatchUsage(bool figures = true);

/// What a batch run does, as its command line gives it.
struct BatchOptions {
    std::vector<std::string> stores;        ///< --store, in order
    std::optional<std::string> weights;     ///< --weights
    std::string recall;                     ///< --recall
    std::int32_t order = RandomSerial;      ///< --order
    bool classifier = false;                ///< --classifier
    bool step = false;                      ///< --step
    std::optional<std::string> out;         ///< --out
    std::optional<std::string> saveWeights; ///< --save-weights
};

/// A batch command line, read before anything is loaded or run.
struct BatchCommand {
    std::optional<cli::Stop> stop; ///< --help or a bad command line: nothing runs
    BatchOptions options;          ///< otherwise: the run
    cli::Exports exports;          ///< and the files to export its outcome to
};

/// Reads a batch command line (the arguments without the program name): the export options,
/// then the program's own. `--help` stops with the usage; a bad command line stops with
/// "Tessaly: <why>" and the usage (`figures` as for `BatchUsage`).
BatchCommand ParseBatch(const std::vector<std::string>& args, bool figures = true);

/// What a batch run computed, for the export options.
struct BatchOutcome {
    Pattern recalled;    ///< the pattern after the recall (or step)
    FloatMatrix weights; ///< the weight matrix in use; empty when nothing was stored or given
};

/// Runs what a command line `ParseBatch` accepted, as the pattern window would: stores the
/// --store files in order, gives the matrix of --weights, recalls (or steps) from the --recall
/// pattern and writes the result as a pattern file to `out` or --out; a message box (a file
/// that failed to load or to save included) becomes "MsgBox<TAB><title><TAB><text>" on `out`
/// at the moment the window would show it, and the question after every 100 unstable sweeps is
/// answered No. --save-weights without a matrix (nothing stored and none given) is said on
/// `err`. Returns 0, or 1 when a failure was reported. When `outcome` is given and the recall
/// ran, it receives the recalled pattern and the weight matrix.
int RunBatch(const BatchOptions& options, std::ostream& out, std::ostream& err,
             BatchOutcome* outcome = nullptr);

/// Reads a command line with `ParseBatch` and runs it with `RunBatch` (a stop printed by
/// `cli::report`): 0, 1 when a failure was reported, 2 for a bad command line. Export options
/// are read but not written (see `batch_main`).
int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             BatchOutcome* outcome = nullptr);

/// Writes the figure files of the export options (the recalled pattern); the window layer's.
using FigureFiles = cli::FigureFiles<BatchOutcome>;

/// Runs an accepted command line and then its exports: the figures through `figures`, the
/// weight matrix in use as the table. A table asked for without a matrix is said on `err` and
/// gives 1 (the figures are still written). Returns the worst status.
int RunBatchCommand(const BatchCommand& command, std::ostream& out, std::ostream& err,
                    const FigureFiles& figures);

/// The whole batch mode: reads the command line (a figure asked for without `figures` is a bad
/// command line), runs it and writes its exports.
int batch_main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const FigureFiles& figures = {});

} // namespace tessaly
