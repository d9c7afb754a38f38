#include "batch.h"

#include <algorithm>
#include <array>
#include <optional>
#include <ostream>

#include "analysis.h"
#include "approximation.h"
#include "labelling.h"
#include "numtext/numtext.h"
#include "parser.h"
#include "result_tables.h"
#include "segment_list.h"
#include "signal_file.h"

namespace quillon {
namespace {

constexpr std::array<cli::OptionSpec, 9> kOptions{{{"--signal", 1},
                                                   {"--string", 1},
                                                   {"--table", 1},
                                                   {"--save", 1},
                                                   {"--tol", 1},
                                                   {"--norm", 1},
                                                   {"--approximate", 0},
                                                   {"--label", 2},
                                                   {"--parse", 0}}};

struct Shown {
    std::string lblnt, lblna, lblMin, lblMax;
    std::vector<std::string> list3;
};

} // namespace

std::string batch_usage(bool figures) {
    return "Usage: Quillon [FILE]\n"
           "       Quillon [--signal FILE] [--string FILE] [--table FILE] [--tol T]\n"
           "               [--norm Chebychev|Euclidian] [--approximate] [--label S1 S2]\n"
           "               [--parse] [--save PATH]\n"
           "\n"
           "Without options the window opens (on FILE, read as a signal, when given).\n"
           "With options the steps run without a window, in this order:\n"
           "  --signal FILE     read a signal (numbers separated by commas, blanks or line ends)\n"
           "  --string FILE     read a symbol string (symbols separated by commas or line ends)\n"
           "  --table FILE      read a state-transition table (present state,symbol,next state)\n"
           "  --approximate     piecewise-linear approximation with tolerance T (default 1)\n"
           "                    under the norm given by --norm (default Chebychev)\n"
           "  --label S1 S2     label the segments with the slope thresholds S1 and S2\n"
           "  --parse           run the symbols through the table\n"
           "  --save PATH       write the segment list to PATH\n"
           "Output: MsgBox<TAB>title<TAB>text for each message, then Lblnt, Lblna, LblMin,\n"
           "LblMax and the rows of List2 and List3 as <name><TAB><text>.\n"
           "Exit status: 0 done, 1 a step failed, 2 bad command line.\n"
           "\nAfter the other options:\n" +
           cli::export_usage(figures);
}

BatchCommand parse_batch(const std::vector<std::string>& args, bool figures) {
    BatchCommand command;
    auto bad = [&](const std::string& why) {
        command.stop = cli::bad_command_line("Quillon", why, batch_usage(figures));
        return command;
    };
    const cli::CommandLine line =
        cli::read_command_line(args, kOptions, "Quillon", batch_usage(figures));
    command.stop = line.stop;
    command.exports = line.exports;
    if (command.stop) return command;
    const cli::ReadOptions& read = line.options;
    BatchOptions& o = command.options;
    if (const std::string* norm = read.value("--norm")) {
        if (*norm == "Chebychev")
            o.normIndex = 0;
        else if (*norm == "Euclidian")
            o.normIndex = 1;
        else
            return bad("--norm must be Chebychev or Euclidian");
    }
    auto text = [&](const char* name, std::optional<std::string>& into) {
        if (const std::string* value = read.value(name)) into = *value;
    };
    text("--signal", o.signal);
    text("--string", o.string);
    text("--table", o.table);
    text("--save", o.save);
    if (const std::string* tol = read.value("--tol")) o.tol = *tol;
    o.approximate = read.has("--approximate");
    if (const cli::GivenOption* label = read.find("--label"))
        o.label = std::pair{label->values[0], label->values[1]};
    o.parse = read.has("--parse");
    if (command.exports.wantsFigure() && !o.signal)
        return bad("the figure is the signal's drawing: --signal FILE is needed");
    if (!command.exports.csv.empty() && !o.approximate && !o.string)
        return bad("the table is the segment list: --approximate or --string FILE is needed");
    return command;
}

int run_batch(const BatchOptions& o, std::ostream& out, BatchResults* results) {
    Analysis a;
    Cells cells{};
    Shown shown;
    auto step = [&](std::optional<Message> m) {
        if (m) cli::write_message(out, m->title, m->text);
        return !m;
    };
    // The drawing is redrawn after the steps the window redraws it after, so that it carries the
    // pen widths the window's would.
    std::optional<DisplayPlan> plan;
    auto redraw = [&] {
        plan.emplace();
        Display(a, 1, 1, false, *plan);
    };
    bool ok = true;
    if (ok && o.signal) {
        ok = step(read_signal(a, *o.signal));
        if (ok) {
            redraw();
            shown.lblnt = std::to_string(a.na);
            shown.lblMin = numtext::format(a.ymin, "#####.#");
            shown.lblMax = numtext::format(a.ymax, "#####.#");
        }
    }
    if (ok && o.string) {
        ok = step(read_string(a, *o.string));
        if (ok) shown.lblnt = std::to_string(a.nseg);
    }
    if (ok && o.table) ok = step(read_table(cells, *o.table));
    if (ok && o.approximate) {
        ok = step(approximate(a, o.tol, o.normIndex));
        if (ok) {
            shown.lblna = std::to_string(a.nseg);
            redraw();
        }
    }
    if (ok && o.label) {
        ok = step(CmdLabel(a, o.label->first, o.label->second));
        if (ok && plan) redraw();
    }
    if (ok && o.parse) {
        ParseResult r = CmdParse(a, cells);
        shown.list3 = std::move(r.list3);
        ok = step(r.message);
        if (ok && plan) redraw();
    }
    if (ok && o.save) ok = step(save_segments(a, *o.save));

    cli::write_result(out, "Lblnt", shown.lblnt);
    cli::write_result(out, "Lblna", shown.lblna);
    cli::write_result(out, "LblMin", shown.lblMin);
    cli::write_result(out, "LblMax", shown.lblMax);
    for (const auto& row : ShowList(a))
        cli::write_result(out, "List2", row);
    for (const auto& row : shown.list3)
        cli::write_result(out, "List3", row);
    if (results) {
        results->analysis = a;
        results->plan = std::move(plan);
        results->lblMin = shown.lblMin;
        results->lblMax = shown.lblMax;
    }
    return ok ? 0 : 1;
}

int run_batch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              BatchResults* results) {
    const BatchCommand command = parse_batch(args);
    if (command.stop) return cli::report(*command.stop, out, err);
    return run_batch(command.options, out, results);
}

int run_batch_command(const BatchCommand& command, std::ostream& out, const FigureFiles& figures) {
    BatchResults results;
    int status = run_batch(command.options, out, &results);
    if (status != cli::status_done || !command.exports.any()) return status;
    status = std::max(status,
                      cli::write_figure_exports(command.exports, figures, results, "Quillon", out));
    return std::max(status, cli::write_table_export(
                                command.exports, segment_table(results.analysis), "Quillon", out));
}

int batch_main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const FigureFiles& figures) {
    const bool drawn = static_cast<bool>(figures);
    const BatchCommand command = parse_batch(args, drawn);
    if (command.stop) return cli::report(*command.stop, out, err);
    if (command.exports.wantsFigure() && !drawn)
        return cli::report(cli::bad_command_line("Quillon", cli::no_figures, batch_usage(false)),
                           out, err);
    return run_batch_command(command, out, figures);
}

} // namespace quillon
