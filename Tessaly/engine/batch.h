// The program run from the command line, without a window.
#pragma once

#include "array2d.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace tessaly {

/// True when the arguments ask for a batch run (any of them starts with "--").
bool IsBatchCommandLine(const std::vector<std::string>& args);

/// The text of --help.
std::string BatchUsage();

/// What a batch run computed, for the export options.
struct BatchOutcome {
    Pattern recalled;    ///< the pattern after the recall (or step)
    FloatMatrix weights; ///< the weight matrix in use; empty when nothing was stored or given
};

/// Runs a batch command line (arguments without the program name), as the pattern window
/// would: stores the --store files in order, gives the matrix of --weights, recalls (or steps)
/// from the --recall pattern and writes the result as a pattern file to `out` or --out; a
/// message box (a file that failed to load or to save included) becomes
/// "MsgBox<TAB><title><TAB><text>" on `out` at the moment the window would show it (a line end
/// inside the text written as "\n"), and the question after every 100 unstable sweeps is
/// answered No. A bad command line is explained on `err`.
/// Returns 0, 1 when a failure was reported, 2 for a bad command line. When `outcome` is given
/// and the recall ran, it receives the recalled pattern and the weight matrix.
int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             BatchOutcome* outcome = nullptr);

/// A batch command line as `RunBatch` reads it before anything is loaded or run.
struct BatchCommandLineCheck {
    bool help = false;     ///< --help (or -h) is among the options
    std::string complaint; ///< why the command line is bad ("" when it is usable)
};

/// Reads `args` as `RunBatch` does first: with a complaint RunBatch writes
/// "Tessaly: <complaint>" and the usage on `err` and returns 2; otherwise with `help` it writes
/// the usage on `out` and returns 0. Nothing else runs in either case.
BatchCommandLineCheck CheckBatchCommandLine(const std::vector<std::string>& args);

} // namespace tessaly
