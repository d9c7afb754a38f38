// The command-line form of "Compute", for scripts: no window, no display.
#pragma once

#include "csv/csv.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace pellin {

/// True when the arguments ask for batch mode (any argument starting with "--").
bool wants_batch(const std::vector<std::string>& args);

/// Runs `Pellin --file PATH [--neighbours K] [--partitions P] [--edition] [--stepwise]`:
/// prints each label text as "<label><TAB><text>" and each message as
/// "MsgBox<TAB><title><TAB><text>" on `out`. Returns 0, 1 after a failure message, 2 for a bad
/// command line (explained on `err`). `--help` prints the usage on `out`.
/// When `results` is given, a run that succeeds leaves there its results as a table (the
/// confusion table with the overall error and s; one row per fold with --stepwise).
int run_batch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              std::optional<csv::Table>* results = nullptr);

} // namespace pellin
