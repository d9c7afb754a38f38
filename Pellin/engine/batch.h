// The command-line form of "Compute", for scripts: no window, no display.
#pragma once

#include "cli/cli.h"
#include "compute.h"
#include "csv/csv.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace pellin {

/// What a batch command line asks for, read before anything runs.
struct BatchCommand {
    std::optional<cli::Stop> stop; ///< --help or a bad command line: nothing runs
    ComputeRequest request;        ///< otherwise: the "Compute" to run
    cli::Exports exports;          ///< and the files to export its results to
};

/// Reads a batch command line (the arguments after the program name): the export options (of
/// which only --export-csv has something to write), then `--file PATH [--neighbours K]
/// [--partitions P] [--edition] [--stepwise]` as `run_batch` takes them. `--help` stops with
/// the usage of both; a bad command line stops with "Pellin: <why>" and the usage.
BatchCommand parse_batch(const std::vector<std::string>& args);

/// Runs the "Compute" of a command line `parse_batch` accepted, printing as `run_batch` does.
/// Returns 0, or 1 after a failure message.
int run_batch(const ComputeRequest& request, std::ostream& out,
              std::optional<csv::Table>* results = nullptr);

/// Runs `Pellin --file PATH [--neighbours K] [--partitions P] [--edition] [--stepwise]`:
/// prints each label text as "<label><TAB><text>" and each message as
/// "MsgBox<TAB><title><TAB><text>" on `out`. Returns 0, 1 after a failure message, 2 for a bad
/// command line (explained on `err`). `--help` prints the usage on `out`. Export options are
/// read (see `parse_batch`) but not written: that is the program's part.
/// When `results` is given, a run that succeeds leaves there its results as a table (the
/// confusion table with the overall error and s; one row per fold with --stepwise).
int run_batch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              std::optional<csv::Table>* results = nullptr);

/// The whole batch mode: reads the command line, runs its "Compute" as `run_batch` does and
/// writes the --export-csv file (a failure to write it is a message box line and status 1).
int batch_main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace pellin
