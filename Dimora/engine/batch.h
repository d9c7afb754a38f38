// The console mode: runs either calculator from command-line options and prints what the window
// would show.
#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "sc_size.h"

namespace dimora {

/// What a console run computed, for exporting it: the curves of --sc-size, or the rows of the
/// result lists of --nn-size (keyed by list name).
struct BatchResults {
    std::optional<SCCurves> curves;
    std::map<std::string, std::vector<std::string>> lists;
};

/// The usage text printed by --help and after a bad command line.
std::string batchUsage();

/// Runs the options (without the program name). Returns the exit status: 0 success, 1 a message
/// was reported, 2 a bad command line. Results go to `out`, usage problems to `err`.
/// When `results` is given, it receives what the run computed.
int runBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             BatchResults* results = nullptr);

} // namespace dimora
