// The batch convention every program follows, in one place: whether a command line opens the
// window or runs in batch mode, how options are read, how a command line ends before anything
// runs, the lines a run prints, and the export options taken after the program's own options
// (--export-svg FILE, --export-png FILE [--scale N], --export-pdf FILE, --export-csv FILE).
#pragma once

#include "csv/csv.h"

#include <functional>
#include <initializer_list>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
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

/// The stop after --help: `usage` for standard output, status 0.
Stop help(std::string usage);

/// The stop for a bad command line: "<program>: <why>", a blank line and `usage`, status 2.
Stop bad_command_line(std::string_view program, std::string_view why, std::string_view usage);

/// Prints a stop's text where it belongs (standard output after --help, standard error for a
/// bad command line) and returns its exit status.
int report(const Stop& stop, std::ostream& out, std::ostream& err);

/// What a command line starts: the window (with no arguments, or with one argument that is not
/// an option, the file to open, in a program that opens files), or else the batch mode, which
/// reads the rest and explains a bad command line. The same rule in every program.
enum class Start { window, batch };
Start how_to_start(const std::vector<std::string>& args, bool opens_files);

/// What a build without windows does when the window is asked for: says so on `err` (and how
/// to see the batch mode's options) and returns 1.
int window_not_built(std::string_view program, std::ostream& err);

/// An option a program knows, with the number of values that follow it (0 for a switch).
struct OptionSpec {
    std::string_view name;
    int values = 0;
};

/// An option as the command line gave it.
struct GivenOption {
    std::string name;
    std::vector<std::string> values;
};

/// A command line read against the options a program knows.
struct ReadOptions {
    bool help = false;              ///< --help or -h is among the arguments
    std::vector<GivenOption> given; ///< the options in command-line order (repeats kept)
    std::string error;              ///< why the command line is bad ("" when it is good)

    /// The first value of the last `name` given; nullptr when it was not given.
    const std::string* value(std::string_view name) const;
    bool has(std::string_view name) const { return find(name) != nullptr; }
    /// The last `name` given; nullptr when it was not given.
    const GivenOption* find(std::string_view name) const;
};

/// Reads `args` (after the program name, the export options taken out) against `known`.
/// --help or -h anywhere asks for the usage and nothing else is checked; otherwise an argument
/// that is not a known option is "unknown option X" and an option without all its values is
/// "X needs a value" (or "X needs N values"). A value is the next argument, whatever it holds.
ReadOptions read_options(const std::vector<std::string>& args, std::span<const OptionSpec> known);

/// The whole number `text` holds in decimal (an optional leading minus, then digits only) when
/// it lies from `low` to `high`; nullopt otherwise (also for a number beyond any range).
std::optional<long long> whole_number(std::string_view text, long long low, long long high);

/// A text as one batch line: each line end inside it (CR LF, LF or a lone CR) becomes the two
/// characters "\n".
std::string one_line(std::string_view text);

/// Prints what a result control shows: "<control><TAB><text>" (the text on one line).
void write_result(std::ostream& out, std::string_view control, std::string_view text);

/// Prints a message box at the moment the window would show it:
/// "MsgBox<TAB><title><TAB><text>" (the text on one line).
void write_message(std::ostream& out, std::string_view title, std::string_view text);

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

/// A batch command line read whole.
struct CommandLine {
    std::optional<Stop> stop; ///< after --help (the usage) or for a bad command line
    Exports exports;          ///< the export options given
    ReadOptions options;      ///< the program's own options
};

/// Reads a batch command line the way every program does: the export options first (see
/// `take_export_options`), then the rest against `known` (see `read_options`). --help stops with
/// `usage`; a bad export option or own option stops as `bad_command_line(program, why, usage)`.
CommandLine read_command_line(std::vector<std::string> args, std::span<const OptionSpec> known,
                              std::string_view program, const std::string& usage);

/// The usage lines of the export options, for a program's --help (`figure` false for a program
/// without a figure, or for a build without windows, which cannot draw one).
std::string export_usage(bool figure);

/// Writes the figure files asked for (SVG, PNG, PDF) from what a program's run left in
/// `Results`, printing a message box line for each one that fails; returns 0, or 1 after a
/// failure. The window layer supplies it; a build without windows has none.
template <class Results>
using FigureFiles = std::function<int(const Exports&, const Results&, std::ostream& out)>;

/// The complaint of a command line that asks for a figure in a build without windows.
inline constexpr std::string_view no_figures =
    "this build has no windows and draws no figures; --export-csv works";

/// Writes the --export-csv file (when asked for) through an atomic save. A table the run did not
/// make, or a file that cannot be written, prints
/// "MsgBox<TAB>`title`<TAB>The file F could not be written." and gives 1; otherwise 0.
int write_table_export(const Exports& exports, const std::optional<csv::Table>& table,
                       std::string_view title, std::ostream& out);

/// The message box line of an export file that could not be written (see write_table_export).
void write_export_failure(std::ostream& out, std::string_view title, std::string_view path);

/// Writes the figure files asked for through `figures`; 0 when none is asked for. Without a hook
/// (a build without windows, whose batch_main refuses such a command line before anything runs)
/// each figure file asked for gets write_export_failure's line and the result is 1.
template <class Results>
int write_figure_exports(const Exports& exports, const FigureFiles<Results>& figures,
                         const Results& results, std::string_view title, std::ostream& out) {
    if (!exports.wantsFigure()) return status_done;
    if (figures) return figures(exports, results, out);
    for (const std::string* path : {&exports.svg, &exports.png, &exports.pdf})
        if (!path->empty()) write_export_failure(out, title, *path);
    return status_failed;
}

} // namespace cli
