// The console mode: runs either calculator from command-line options and prints what the window
// would show.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace dimora {

/// The usage text printed by --help and after a bad command line.
std::string batchUsage();

/// Runs the options (without the program name). Returns the exit status: 0 success, 1 a message
/// was reported, 2 a bad command line. Results go to `out`, usage problems to `err`.
int runBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace dimora
