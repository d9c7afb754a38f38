// Command-line pieces every program's batch mode shares: how a command line ends before anything
// runs, and the export options taken after the program's own options
// (--export-svg FILE, --export-png FILE [--scale N], --export-pdf FILE, --export-csv FILE).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace cli {

/// The exit statuses of every batch mode.
inline constexpr int status_done = 0;
inline constexpr int status_failed = 1;
inline constexpr int status_bad_command_line = 2;

/// A command line that ends before anything runs: after --help (status 0, `text` the usage for
/// standard output) or a bad command line (status 2, `text` the complaint and the usage for
/// standard error).
struct Stop {
    int status = status_bad_command_line;
    std::string text;
};

/// Prints a stop's text where it belongs (standard output after --help, standard error for a
/// bad command line) and returns its exit status.
int report(const Stop& stop, std::ostream& out, std::ostream& err);

/// The export files asked for.
struct Exports {
    std::string svg, png, pdf, csv; ///< the files asked for ("" when not)
    double scale = 1.0;             ///< of the PNG, 1 to 10

    bool wantsFigure() const { return !svg.empty() || !png.empty() || !pdf.empty(); }
    bool any() const { return wantsFigure() || !csv.empty(); }
};

/// Removes the export options from `args`, leaving the program's own options in their order.
/// Returns the options found, or the reason the command line is bad (an option without its file,
/// a scale that is not a number from 1 to 10).
struct TakenExports {
    Exports exports;
    std::string error; ///< "" when the options are good
};
TakenExports take_export_options(std::vector<std::string>& args);

/// The usage lines of the export options, for a program's --help (`figure` false for a program
/// without a figure).
std::string export_usage(bool figure);

} // namespace cli
