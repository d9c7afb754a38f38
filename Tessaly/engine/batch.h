// The program run from the command line, without a window.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tessaly {

/// True when the arguments ask for a batch run (any of them starts with "--").
bool IsBatchCommandLine(const std::vector<std::string>& args);

/// The text of --help.
std::string BatchUsage();

/// Runs a batch command line (arguments without the program name), as the pattern window
/// would: stores the --store files in order, gives the matrix of --weights, recalls (or steps)
/// from the --recall pattern and writes the result as a pattern file to `out` or --out; a
/// message box becomes "MsgBox<TAB><title><TAB><text>" on `err` (a line end inside the text
/// written as "\n"), and the question after every 100 unstable sweeps is answered No.
/// Returns 0, 1 when a failure was reported, 2 for a bad command line.
int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace tessaly
