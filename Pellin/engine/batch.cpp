#include "batch.h"

#include "compute.h"
#include "result_table.h"

#include <array>
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

std::string full_usage() {
    return std::string(usage) + "After the other options:\n" + cli::export_usage(false);
}

class ConsoleReport : public Report {
public:
    explicit ConsoleReport(std::ostream& out) : out_(out) {}
    void show(std::string_view label, const std::string& text) override {
        if (!text.empty()) cli::write_result(out_, label, text);
    }
    void message(const std::string& title, const std::string& text) override {
        cli::write_message(out_, title, text);
    }

private:
    std::ostream& out_;
};

constexpr std::array<cli::OptionSpec, 5> kOptions{
    {{"--file", 1}, {"--neighbours", 1}, {"--partitions", 1}, {"--edition", 0}, {"--stepwise", 0}}};

} // namespace

BatchCommand parse_batch(const std::vector<std::string>& args) {
    BatchCommand command;
    auto bad = [&](const std::string& why) {
        command.stop = cli::bad_command_line("Pellin", why, full_usage());
        return command;
    };
    const cli::CommandLine line = cli::read_command_line(args, kOptions, "Pellin", full_usage());
    command.stop = line.stop;
    command.exports = line.exports;
    if (command.stop) return command;
    const cli::ReadOptions& read = line.options;
    if (command.exports.wantsFigure())
        return bad("there is no figure to export; --export-csv writes the results");
    if (!read.has("--file")) return bad("--file PATH is required");
    ComputeRequest& request = command.request;
    request.filename = *read.value("--file");
    request.neighbours = read.has("--neighbours") ? *read.value("--neighbours") : "1";
    request.partitions = read.has("--partitions") ? *read.value("--partitions") : "2";
    request.edition = read.has("--edition");
    request.stepwise = read.has("--stepwise");
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

int batch_main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const BatchCommand command = parse_batch(args);
    if (command.stop) return cli::report(*command.stop, out, err);
    std::optional<csv::Table> results;
    const int status = run_batch(command.request, out, &results);
    if (status != cli::status_done) return status;
    return cli::write_table_export(command.exports, results, window_title, out);
}

} // namespace pellin
