// Batch mode: the trainer's commands from the command line, without a window.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace corvane::batch {

/// The text of --help.
std::string usage();

/// Runs the batch options in `args` (the arguments after the program name). nullopt when there
/// are none, or only one file name (the window is wanted, on that file); otherwise the exit status: 0 done, 1 a failure was reported
/// or the run did not start, 2 bad command line.
std::optional<int> run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace corvane::batch
