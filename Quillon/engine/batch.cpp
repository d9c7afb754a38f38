#include "batch.h"

#include <optional>
#include <ostream>

#include "analysis.h"
#include "approximation.h"
#include "labelling.h"
#include "numtext/numtext.h"
#include "parser.h"
#include "segment_list.h"
#include "signal_file.h"

namespace quillon {
namespace {

struct Options {
    std::optional<std::string> signal, string, table, save;
    std::string tol = "1";
    int normIndex = 0;
    bool approximate = false;
    std::optional<std::pair<std::string, std::string>> label;
    bool parse = false;
    bool help = false;
};

// Fills `o` from the arguments; returns the complaint for a bad command line, or "".
std::string parse_options(const std::vector<std::string>& args, Options& o) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size()) return false;
            into = args[++i];
            return true;
        };
        std::string v;
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--signal" || arg == "--string" || arg == "--table" || arg == "--save" ||
                   arg == "--tol" || arg == "--norm") {
            if (!value(v)) return arg + " needs a value";
            if (arg == "--signal")
                o.signal = v;
            else if (arg == "--string")
                o.string = v;
            else if (arg == "--table")
                o.table = v;
            else if (arg == "--save")
                o.save = v;
            else if (arg == "--tol")
                o.tol = v;
            else if (v == "Chebychev")
                o.normIndex = 0;
            else if (v == "Euclidian")
                o.normIndex = 1;
            else
                return "--norm must be Chebychev or Euclidian";
        } else if (arg == "--approximate") {
            o.approximate = true;
        } else if (arg == "--label") {
            if (i + 2 >= args.size()) return "--label needs two slopes";
            o.label = std::pair{args[i + 1], args[i + 2]};
            i += 2;
        } else if (arg == "--parse") {
            o.parse = true;
        } else {
            return "unknown argument: " + arg;
        }
    }
    return {};
}

struct Shown {
    std::string lblnt, lblna, lblMin, lblMax;
    std::vector<std::string> list3;
};

} // namespace

bool is_batch(const std::vector<std::string>& args) {
    for (const auto& a : args)
        if (a.rfind("--", 0) == 0 || a == "-h") return true;
    return false;
}

std::string batch_usage() {
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
           "Exit status: 0 done, 1 a step failed, 2 bad command line.\n";
}

int run_batch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              BatchResults* results) {
    Options o;
    if (std::string complaint = parse_options(args, o); !complaint.empty()) {
        err << "Quillon: " << complaint << "\n\n" << batch_usage();
        return 2;
    }
    if (o.help) {
        out << batch_usage();
        return 0;
    }
    Analysis a;
    Cells cells{};
    Shown shown;
    auto step = [&](std::optional<Message> m) {
        if (m) out << "MsgBox\t" << m->title << '\t' << m->text << '\n';
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

    out << "Lblnt\t" << shown.lblnt << "\nLblna\t" << shown.lblna << "\nLblMin\t" << shown.lblMin
        << "\nLblMax\t" << shown.lblMax << '\n';
    for (const auto& row : ShowList(a))
        out << "List2\t" << row << '\n';
    for (const auto& row : shown.list3)
        out << "List3\t" << row << '\n';
    if (results) {
        results->analysis = a;
        results->plan = std::move(plan);
        results->lblMin = shown.lblMin;
        results->lblMax = shown.lblMax;
    }
    return ok ? 0 : 1;
}

BatchCommandLineCheck check_batch_command_line(const std::vector<std::string>& args) {
    Options o;
    BatchCommandLineCheck check;
    check.complaint = parse_options(args, o);
    check.help = o.help;
    return check;
}

} // namespace quillon
