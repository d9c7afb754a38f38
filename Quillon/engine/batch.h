// The console run of the analyser: the window's steps driven by command-line options.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "analysis.h"
#include "display.h"

namespace quillon {

/// What a console run leaves for exporting: the analysis after its last step, and the drawing
/// the window would show then (from sample 1, step 1, no zoom) with the texts of LblMin and
/// LblMax, when a signal was read.
struct BatchResults {
    Analysis analysis;
    std::optional<DisplayPlan> plan;
    std::string lblMin, lblMax;
};

/// True when the arguments (without the program name) ask for a console run rather than the
/// window: any of them starts with "--".
bool is_batch(const std::vector<std::string>& args);

/// Runs the steps the options name in the window's order (read signal, string and table,
/// approximate, label, parse, save), writing each message box as "MsgBox<TAB>title<TAB>text"
/// when it appears, then the texts of Lblnt, Lblna, LblMin and LblMax and every row of List2
/// and List3 as "<name><TAB><text>". Stops at the first failure. Returns 0, 1 after a failure
/// message, 2 for a bad command line (explained on `err`). When `results` is given, it receives
/// what the run computed.
int run_batch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              BatchResults* results = nullptr);

/// The --help text.
std::string batch_usage();

/// A console command line as `run_batch` reads it before any step runs.
struct BatchCommandLineCheck {
    bool help = false;     ///< --help (or -h) is among the options
    std::string complaint; ///< why the command line is bad ("" when it is usable)
};

/// Reads `args` as `run_batch` does first: with a complaint run_batch writes
/// "Quillon: <complaint>" and the usage on `err` and returns 2; otherwise with `help` it writes
/// the usage on `out` and returns 0. No step runs in either case.
BatchCommandLineCheck check_batch_command_line(const std::vector<std::string>& args);

} // namespace quillon
