// The console run of the analyser: the window's steps driven by command-line options.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quillon {

/// True when the arguments (without the program name) ask for a console run rather than the
/// window: any of them starts with "--".
bool is_batch(const std::vector<std::string>& args);

/// Runs the steps the options name in the window's order (read signal, string and table,
/// approximate, label, parse, save), writing each message box as "MsgBox<TAB>title<TAB>text"
/// when it appears, then the texts of Lblnt, Lblna, LblMin and LblMax and every row of List2
/// and List3 as "<name><TAB><text>". Stops at the first failure. Returns 0, 1 after a failure
/// message, 2 for a bad command line (explained on `err`).
int run_batch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

/// The --help text.
std::string batch_usage();

} // namespace quillon
