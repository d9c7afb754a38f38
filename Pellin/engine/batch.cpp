#include "batch.h"

#include "compute.h"
#include "result_table.h"

#include <ostream>

namespace pellin {
namespace {

constexpr const char* usage =
    "Usage: Pellin                      open the window\n"
    "       Pellin FILE                 open the window with FILE as the file name\n"
    "       Pellin --file PATH [--neighbours K] [--partitions P] [--edition] [--stepwise]\n"
    "\n"
    "Batch mode does one \"Compute\" without a window. Defaults are the window's: 1 neighbour,\n"
    "2 partitions, the partition scheme. Each text the window would put into a result or\n"
    "summary label is printed as <label><TAB><text>, each message box as\n"
    "MsgBox<TAB><title><TAB><text>; \"Continue...\" pauses go on by themselves.\n"
    "Exit status: 0 done, 1 a failure message was shown, 2 bad command line.\n";

class ConsoleReport : public Report {
public:
    explicit ConsoleReport(std::ostream& out) : out_(out) {}
    void show(std::string_view label, const std::string& text) override {
        if (!text.empty()) out_ << label << '\t' << text << '\n';
    }
    void message(const std::string& title, const std::string& text) override {
        out_ << "MsgBox\t" << title << '\t' << text << '\n';
    }

private:
    std::ostream& out_;
};

} // namespace

bool wants_batch(const std::vector<std::string>& args) {
    for (const auto& a : args)
        if (a.rfind("--", 0) == 0) return true;
    return false;
}

namespace {

// The program's own options into `command`; a bad command line stops it.
void parse_options(const std::vector<std::string>& args, BatchCommand& command) {
    ComputeRequest& request = command.request;
    request.neighbours = "1";
    request.partitions = "2";
    bool have_file = false;
    auto bad = [&](const std::string& why) {
        command.stop = cli::Stop{cli::status_bad_command_line, "Pellin: " + why + "\n" + usage};
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string* into = nullptr;
        if (a == "--help" || a == "-h") {
            command.stop =
                cli::Stop{cli::status_done, std::string(usage) + "After the other options:\n" +
                                                cli::export_usage(false)};
            return;
        } else if (a == "--file") {
            into = &request.filename;
            have_file = true;
        } else if (a == "--neighbours") {
            into = &request.neighbours;
        } else if (a == "--partitions") {
            into = &request.partitions;
        } else if (a == "--edition") {
            request.edition = true;
        } else if (a == "--stepwise") {
            request.stepwise = true;
        } else {
            return bad("unknown argument '" + a + "'");
        }
        if (into) {
            if (i + 1 >= args.size()) return bad(a + " needs a value");
            *into = args[++i];
        }
    }
    if (!have_file) return bad("--file PATH is required");
}

} // namespace

BatchCommand parse_batch(const std::vector<std::string>& args) {
    BatchCommand command;
    std::vector<std::string> own = args;
    const cli::TakenExports taken = cli::take_export_options(own);
    if (!taken.error.empty()) {
        command.stop = cli::Stop{cli::status_bad_command_line,
                                 "Pellin: " + taken.error + "\n" + cli::export_usage(false)};
        return command;
    }
    command.exports = taken.exports;
    if (command.exports.wantsFigure()) {
        command.stop = cli::Stop{cli::status_bad_command_line,
                                 "Pellin: there is no figure to export; --export-csv writes the "
                                 "results\n" +
                                     cli::export_usage(false)};
        return command;
    }
    parse_options(own, command);
    return command;
}

int run_batch(const ComputeRequest& request, std::ostream& out,
              std::optional<csv::Table>* results) {
    ConsoleReport console(out);
    ResultTable report(console);
    const bool ok = compute(request, report).ok;
    if (ok && results && !report.empty())
        *results = report.table(request.stepwise || request.edition);
    return ok ? cli::status_done : cli::status_failed;
}

int run_batch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              std::optional<csv::Table>* results) {
    const BatchCommand command = parse_batch(args);
    if (command.stop) return cli::report(*command.stop, out, err);
    return run_batch(command.request, out, results);
}

} // namespace pellin
