#include "batch.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <span>

#include "nn_dim.h"
#include "numtext/numtext.h"
#include "result_tables.h"
#include "sc_size.h"

namespace dimora {
namespace {

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
        cli::write_result(out_, field, text);
    }
    void focusAndSelect(const std::string&) override {}
    void message(const std::string& title, const std::string& text) override {
        reported_ = true;
        cli::write_message(out_, title, text);
    }
    void clearLists() override { lists_.clear(); }
    void addRow(const std::string& list, const std::string& row) override {
        cli::write_result(out_, list, row);
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

constexpr std::array<cli::OptionSpec, 4> kNNSizeOptions{
    {{"--d", 1}, {"--h", 1}, {"--e", 1}, {"--a", 1}}};
constexpr std::array<cli::OptionSpec, 2> kSCSizeOptions{{{"--d", 1}, {"--delta", 1}}};

// The options of --nn-size, read in order, into `command`; a complaint when they are bad.
std::optional<std::string> takeNNSize(const cli::ReadOptions& read, BatchCommand& command) {
    auto& texts = command.texts;
    texts = {{"Txtd", "2"}, {"Txth1", "1"}, {"Txth2", "10"}, {"Txte", "0.1"}, {"Txta", "0.05"}};
    for (const cli::GivenOption& option : read.given) {
        const std::string& value = option.values.front();
        if (option.name == "--d") {
            texts["Txtd"] = value;
        } else if (option.name == "--h") {
            const auto colon = value.find(':');
            if (colon == std::string::npos) return "--h needs FIRST:LAST";
            texts["Txth1"] = value.substr(0, colon);
            texts["Txth2"] = value.substr(colon + 1);
        } else if (option.name == "--e") {
            texts["Txte"] = value;
        } else {
            texts["Txta"] = value;
        }
    }
    for (const auto& [field, text] : texts)
        if (!typeable(field, text)) return "\"" + text + "\" cannot be typed into " + field;
    return std::nullopt;
}

// The options of --sc-size, read in order, into `command`; a complaint when they are bad.
std::optional<std::string> takeSCSize(const cli::ReadOptions& read, BatchCommand& command) {
    command.scSize = true;
    command.d = kDimStart;
    command.integerPart = kIntDeltaStart;
    command.hundredths = kFracDeltaStart;
    for (const cli::GivenOption& option : read.given) {
        const std::string& value = option.values.front();
        if (option.name == "--d") {
            const auto d = cli::whole_number(value, kDimMin, kDimMax);
            if (!d) return "--d must be a whole number from 2 to 9";
            command.d = static_cast<int>(*d);
        } else {
            auto v = numtext::whole_number(value);
            const double scaled = v ? *v * 100.0 : -1.0;
            const auto whole = numtext::to_int32(scaled);
            if (!v || !whole || std::abs(scaled - *whole) > 1e-6 || *whole < 100 || *whole > 2200)
                return "--delta must lie in 1.00 .. 22.00 with two decimals";
            command.integerPart = *whole / 100;
            command.hundredths = *whole % 100;
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
    cli::write_result(out, "Pe", nineDigits(c.Pe));
    for (std::size_t i = 0; i < c.ED.size(); ++i)
        cli::write_result(out, std::to_string(i + 1),
                          nineDigits(c.ED[i]) + '\t' + nineDigits(c.ET[i]) + '\t' +
                              nineDigits(c.SD[i]) + '\t' + nineDigits(c.ST[i]));
    if (results) results->curves = c;
    return 0;
}

} // namespace

std::string batchUsage(bool figures) {
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
           "Exit status: 0 done, 1 a message was reported, 2 a bad command line.\n"
           "After the other options:\n" +
           cli::export_usage(figures);
}

BatchCommand parseBatch(const std::vector<std::string>& args, bool figures) {
    BatchCommand command;
    auto bad = [&](const std::string& why) {
        command.stop = cli::bad_command_line("Dimora", why, batchUsage(figures));
        return command;
    };
    std::vector<std::string> own = args;
    const cli::TakenExports taken = cli::take_export_options(own);
    if (!taken.error.empty()) return bad(taken.error);
    command.exports = taken.exports;
    // The calculator comes first; the options after it are its own.
    const bool nnSize = !own.empty() && own.front() == "--nn-size";
    const bool scSize = !own.empty() && own.front() == "--sc-size";
    std::span<const cli::OptionSpec> known;
    if (nnSize) known = kNNSizeOptions;
    if (scSize) known = kSCSizeOptions;
    if (nnSize || scSize) own.erase(own.begin());
    const cli::ReadOptions read = cli::read_options(own, known);
    if (read.help) {
        command.stop = cli::help(batchUsage(figures));
        return command;
    }
    if (!read.error.empty()) return bad(read.error);
    if (!nnSize && !scSize) return bad("no option given");
    if (nnSize && command.exports.wantsFigure())
        return bad("--nn-size has no figure to export (--export-csv writes its table)");
    if (!figures && command.exports.wantsFigure()) return bad(std::string(cli::no_figures));
    const std::optional<std::string> complaint =
        nnSize ? takeNNSize(read, command) : takeSCSize(read, command);
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

int runBatchWithExports(const BatchCommand& command, std::ostream& out,
                        const FigureFiles& figures) {
    BatchResults results;
    const int status = runBatch(command, out, &results);
    if (status != cli::status_done || !command.exports.any()) return status;
    const int figureStatus =
        cli::write_figure_exports(command.exports, figures, results, "Dimora", out);
    const csv::Table table =
        results.curves ? scCurvesTable(*results.curves) : nnSizeTable(results.lists);
    return std::max(figureStatus, cli::write_table_export(command.exports, table, "Dimora", out));
}

int batch_main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const FigureFiles& figures) {
    const BatchCommand command = parseBatch(args, static_cast<bool>(figures));
    if (command.stop) return cli::report(*command.stop, out, err);
    return runBatchWithExports(command, out, figures);
}

} // namespace dimora
