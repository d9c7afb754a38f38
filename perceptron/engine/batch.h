// The console run: selects a set, runs Steps and prints the weights and the samples' sides.
#pragma once

#include "cli/cli.h"
#include "rule.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace perceptron {

/// What a console run leaves for its exports: the demonstration as the run left it.
using BatchResults = Demonstration;

/// The figure files of a run (the plane), drawn by the window layer.
using FigureFiles = cli::FigureFiles<BatchResults>;

/// The most Steps one console run accepts.
inline constexpr long max_batch_steps = 1000000;

/// What a console command line asks for, read before anything runs.
struct BatchCommand {
    std::optional<cli::Stop> stop;      ///< --help or a bad command line: nothing runs
    SetChoice choice = SetChoice::none; ///< otherwise: the set (never `none`)
    long steps = 0;                     ///< the Steps, 0 to max_batch_steps
    cli::Exports exports;               ///< the files to export the result to
};

/// Reads a console command line (the arguments after the program name): the export options,
/// then `--set 1|2 [--steps N]`. `--help` stops with the usage; a bad command line stops with
/// "perceptron: <why>" and the usage. Without `figures` (a build without windows) a figure
/// export is a bad command line too, and the usage offers none.
BatchCommand parse_batch(const std::vector<std::string>& args, bool figures = true);

/// Runs a command line `parse_batch` accepted, printing as `run_batch` does; returns 0.
int run_batch(const BatchCommand& command, std::ostream& out, Demonstration* final_state = nullptr);

/// Runs `perceptron --set 1|2 [--steps N]` (the arguments after the program name).
/// Prints "Weights<TAB>w0<TAB>w1<TAB>w2" after selecting the set and after each Step (shortest
/// float texts), then for every sample "U<i>" or "V<i>" (i from 1, as the image names), its
/// activation s and "correct" or "wrong" for the side of the line it lies on.
/// `--help` prints the usage to `out`. Returns 0, or 2 with the usage on `err` for a bad
/// command line.
/// When `final_state` is given, it receives the demonstration as the run left it. Export options
/// are read but not written (see `batch_main`).
int run_batch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              Demonstration* final_state = nullptr);

/// Runs a command line `parse_batch` accepted and writes the files it asks for: the figures
/// through `figures`, then the samples' table. A file that cannot be written is a message box
/// line on `out`. Returns the worst status.
int run_with_exports(const BatchCommand& command, std::ostream& out,
                     const FigureFiles& figures = {});

/// The whole batch mode: reads the command line (a figure export without `figures` is a bad
/// command line), runs it and writes its exports as `run_with_exports` does.
int batch_main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const FigureFiles& figures = {});

} // namespace perceptron
