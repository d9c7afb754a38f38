#include "batch.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <optional>

#include "nn_dim.h"
#include "numtext/numtext.h"
#include "sc_size.h"

namespace dimora {
namespace {

// Line breaks inside a message become the two characters "\n" so each box stays one line.
std::string oneLine(const std::string& text) {
    std::string s;
    for (char c : text) {
        if (c == '\n')
            s += "\\n";
        else if (c != '\r')
            s += c;
    }
    return s;
}

class ConsoleNNView : public NNDimView {
public:
    ConsoleNNView(std::ostream& out, std::map<std::string, std::string> texts)
        : out_(out), texts_(std::move(texts)) {}

    std::string text(const std::string& field) const override {
        auto it = texts_.find(field);
        return it == texts_.end() ? std::string() : it->second;
    }
    void setText(const std::string& field, const std::string& text) override {
        texts_[field] = text;
        out_ << field << '\t' << text << '\n';
    }
    void focusAndSelect(const std::string&) override {}
    void message(const std::string& title, const std::string& text) override {
        reported_ = true;
        out_ << "MsgBox\t" << title << '\t' << oneLine(text) << '\n';
    }
    void clearLists() override { lists_.clear(); }
    void addRow(const std::string& list, const std::string& row) override {
        out_ << list << '\t' << row << '\n';
        lists_[list].push_back(row);
    }
    bool reported() const { return reported_; }
    const std::map<std::string, std::vector<std::string>>& lists() const { return lists_; }

private:
    std::ostream& out_;
    std::map<std::string, std::string> texts_;
    std::map<std::string, std::vector<std::string>> lists_;
    bool reported_ = false;
};

std::string nineDigits(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.9g", value);
    return buf;
}

bool typeable(const std::string& field, const std::string& text) {
    for (char c : text)
        if (!nnDimKeyAccepted(field, c)) return false;
    return true;
}

// The options of --nn-size (args[0]) into `command`; a complaint when they are bad.
std::optional<std::string> parseNNSize(const std::vector<std::string>& args,
                                       BatchCommand& command) {
    auto& texts = command.texts;
    texts = {{"Txtd", "2"}, {"Txth1", "1"}, {"Txth2", "10"}, {"Txte", "0.1"}, {"Txta", "0.05"}};
    for (std::size_t i = 1; i < args.size(); i += 2) {
        const std::string& option = args[i];
        if (i + 1 >= args.size()) return "missing value after " + option;
        const std::string& value = args[i + 1];
        if (option == "--d") {
            texts["Txtd"] = value;
        } else if (option == "--h") {
            const auto colon = value.find(':');
            if (colon == std::string::npos) return "--h needs FIRST:LAST";
            texts["Txth1"] = value.substr(0, colon);
            texts["Txth2"] = value.substr(colon + 1);
        } else if (option == "--e") {
            texts["Txte"] = value;
        } else if (option == "--a") {
            texts["Txta"] = value;
        } else {
            return "unknown option " + option;
        }
    }
    for (const auto& [field, text] : texts)
        if (!typeable(field, text)) return "\"" + text + "\" cannot be typed into " + field;
    return std::nullopt;
}

// The options of --sc-size (args[0]) into `command`; a complaint when they are bad.
std::optional<std::string> parseSCSize(const std::vector<std::string>& args,
                                       BatchCommand& command) {
    command.scSize = true;
    command.d = kDimStart;
    command.integerPart = kIntDeltaStart;
    command.hundredths = kFracDeltaStart;
    for (std::size_t i = 1; i < args.size(); i += 2) {
        const std::string& option = args[i];
        if (i + 1 >= args.size()) return "missing value after " + option;
        const std::string& value = args[i + 1];
        if (option == "--d") {
            auto v = numtext::whole_number(value);
            // The range first: a value far outside it has no int to compare with.
            if (!v || *v < kDimMin || *v > kDimMax || *v != std::floor(*v))
                return "--d must be a whole number from 2 to 9";
            command.d = static_cast<int>(*v);
        } else if (option == "--delta") {
            auto v = numtext::whole_number(value);
            const double scaled = v ? *v * 100.0 : -1.0;
            const auto whole = numtext::to_int32(scaled);
            if (!v || !whole || std::abs(scaled - *whole) > 1e-6 || *whole < 100 || *whole > 2200)
                return "--delta must lie in 1.00 .. 22.00 with two decimals";
            command.integerPart = *whole / 100;
            command.hundredths = *whole % 100;
        } else {
            return "unknown option " + option;
        }
    }
    return std::nullopt;
}

int runNNSize(const BatchCommand& command, std::ostream& out, BatchResults* results) {
    ConsoleNNView view(out, command.texts);
    const bool computed = computeNNDim(view);
    if (results) results->lists = view.lists();
    return computed && !view.reported() ? 0 : 1;
}

int runSCSize(const BatchCommand& command, std::ostream& out, BatchResults* results) {
    const SCCurves c =
        computeSCSize(command.d, squaredDistance(command.integerPart, command.hundredths));
    out << "Pe\t" << nineDigits(c.Pe) << '\n';
    for (std::size_t i = 0; i < c.ED.size(); ++i)
        out << i + 1 << '\t' << nineDigits(c.ED[i]) << '\t' << nineDigits(c.ET[i]) << '\t'
            << nineDigits(c.SD[i]) << '\t' << nineDigits(c.ST[i]) << '\n';
    if (results) results->curves = c;
    return 0;
}

} // namespace

std::string batchUsage() {
    return "Usage: Dimora                 open the window\n"
           "       Dimora --nn-size [--d D] [--h FIRST:LAST] [--e EPS] [--a ALPHA]\n"
           "       Dimora --sc-size [--d D] [--delta X.YY]\n"
           "       Dimora --help\n"
           "\n"
           "--nn-size tabulates the two-class MLP size bounds (defaults: d 2, h 1:10, e 0.1,\n"
           "  a 0.05; an empty LAST takes FIRST). Each list row is printed as\n"
           "  <list name><TAB><row>, each text written back into a box as <box><TAB><text>, each\n"
           "  message as MsgBox<TAB><title><TAB><text> (a line break shown as \\n).\n"
           "--sc-size computes the classifier error curves for dimension D (2 .. 9, default 2)\n"
           "  and squared distance X.YY (1.00 .. 22.00, default 2.00): a line Pe<TAB><value>,\n"
           "  then n<TAB>ED<TAB>ET<TAB>SD<TAB>ST for n = 1 .. 10 D, 9 significant digits.\n"
           "Exit status: 0 done, 1 a message was reported, 2 a bad command line.\n";
}

BatchCommand parseBatch(const std::vector<std::string>& args) {
    BatchCommand command;
    std::vector<std::string> own = args;
    const cli::TakenExports taken = cli::take_export_options(own);
    auto stop = [&](int status, const std::string& text) {
        command.stop = cli::Stop{status, text};
        return command;
    };
    auto bad = [&](const std::string& why) {
        return stop(cli::status_bad_command_line, "Dimora: " + why + "\n\n" + batchUsage());
    };
    if (!taken.error.empty()) return bad(taken.error);
    command.exports = taken.exports;
    if (command.exports.wantsFigure() && !own.empty() && own[0] == "--nn-size")
        return stop(cli::status_bad_command_line,
                    "Dimora: --nn-size has no figure to export (--export-csv writes its table)\n");
    if (own.empty()) return bad("no option given");
    if (own[0] == "--help" || own[0] == "-h")
        return stop(cli::status_done, batchUsage() + "\nAfter either calculator's options:\n" +
                                          cli::export_usage(true));
    std::optional<std::string> complaint;
    if (own[0] == "--nn-size")
        complaint = parseNNSize(own, command);
    else if (own[0] == "--sc-size")
        complaint = parseSCSize(own, command);
    else
        complaint = "unknown option " + own[0];
    if (complaint) return bad(*complaint);
    return command;
}

int runBatch(const BatchCommand& command, std::ostream& out, BatchResults* results) {
    return command.scSize ? runSCSize(command, out, results) : runNNSize(command, out, results);
}

int runBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             BatchResults* results) {
    const BatchCommand command = parseBatch(args);
    if (command.stop) return cli::report(*command.stop, out, err);
    return runBatch(command, out, results);
}

} // namespace dimora
