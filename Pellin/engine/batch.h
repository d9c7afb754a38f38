// The command-line form of "Compute", for scripts: no window, no display.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace pellin {

/// True when the arguments ask for batch mode (any argument starting with "--").
bool wants_batch(const std::vector<std::string>& args);

/// Runs `Pellin --file PATH [--neighbours K] [--partitions P] [--edition] [--stepwise]`:
/// prints each label text as "<label><TAB><text>" and each message as
/// "MsgBox<TAB><title><TAB><text>" on `out`. Returns 0, 1 after a failure message, 2 for a bad
/// command line (explained on `err`). `--help` prints the usage on `out`.
int run_batch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace pellin
