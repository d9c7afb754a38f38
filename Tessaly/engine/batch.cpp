#include "batch.h"

#include "file_io.h"
#include "main_settings.h"
#include "pattern_file.h"
#include "weight_grid.h"
#include "weight_table.h"

#include <algorithm>
#include <array>
#include <optional>
#include <ostream>

namespace tessaly {

namespace {

// Message boxes as lines on the output stream; every question is answered No.
class ConsoleDialog : public NetDialog {
public:
    explicit ConsoleDialog(std::ostream& out) : out_(out) {}
    bool AskYesNo(const std::string& text) override {
        cli::write_message(out_, kApplicationTitle, text);
        return false;
    }
    void ShowMessage(const std::string& text) override {
        cli::write_message(out_, kApplicationTitle, text);
        ++failures_;
    }
    void Beep() override {}
    int failures() const { return failures_; }

private:
    std::ostream& out_;
    int failures_ = 0;
};

constexpr std::array<cli::OptionSpec, 8> kOptions{{{"--store", 1},
                                                   {"--weights", 1},
                                                   {"--recall", 1},
                                                   {"--order", 1},
                                                   {"--classifier", 0},
                                                   {"--step", 0},
                                                   {"--out", 1},
                                                   {"--save-weights", 1}}};

} // namespace

std::string BatchUsage(bool figures) {
    return "Usage: Tessaly [FILE.Tsy]\n"
           "       Tessaly [--store FILE.Tsy]... [--weights FILE.TsyW] --recall FILE.Tsy\n"
           "               [--order random-serial|full-serial|full-parallel] [--classifier]\n"
           "               [--step] [--out FILE.Tsy] [--save-weights FILE.TsyW]\n"
           "\n"
           "Without options the window opens (on FILE.Tsy when given).\n"
           "With options the Hopfield network runs without a window, as a pattern window would:\n"
           "  --store FILE.Tsy        store the pattern of FILE (repeat for several, in order)\n"
           "  --weights FILE.TsyW     use the weight matrix of FILE instead of the computed one\n"
           "  --recall FILE.Tsy       the start pattern (required)\n"
           "  --order ORDER           update order, random-serial by default\n"
           "  --classifier            snap the result to the nearest stored pattern\n"
           "  --step                  one update sweep instead of a full recall\n"
           "  --out FILE.Tsy          write the result there instead of standard output\n"
           "  --save-weights FILE.TsyW  write the weight matrix in use as a weights file\n"
           "Each message box (a file that cannot be read or written included) is a line\n"
           "MsgBox<TAB>title<TAB>text on standard output (a line end in the text written as\n"
           "\\n); the question asked every 100 unstable sweeps is answered No.\n"
           "Exit status: 0 done, 1 a failure was reported, 2 bad command line.\n"
           "After the other options:\n" +
           cli::export_usage(figures);
}

BatchCommand ParseBatch(const std::vector<std::string>& args, bool figures) {
    BatchCommand command;
    auto bad = [&](const std::string& why) {
        command.stop = cli::bad_command_line("Tessaly", why, BatchUsage(figures));
        return command;
    };
    const cli::CommandLine line =
        cli::read_command_line(args, kOptions, "Tessaly", BatchUsage(figures));
    command.stop = line.stop;
    command.exports = line.exports;
    if (command.stop) return command;
    const cli::ReadOptions& read = line.options;
    BatchOptions& options = command.options;
    if (const std::string* order = read.value("--order")) {
        if (*order == "random-serial")
            options.order = RandomSerial;
        else if (*order == "full-serial")
            options.order = FullSerial;
        else if (*order == "full-parallel")
            options.order = FullParallel;
        else
            return bad("unknown update order: " + *order);
    }
    if (!read.has("--recall")) return bad("--recall FILE.Tsy is required");
    for (const cli::GivenOption& given : read.given)
        if (given.name == "--store") options.stores.push_back(given.values.front());
    if (const std::string* weights = read.value("--weights")) options.weights = *weights;
    options.recall = *read.value("--recall");
    options.classifier = read.has("--classifier");
    options.step = read.has("--step");
    if (const std::string* out = read.value("--out")) options.out = *out;
    if (const std::string* save = read.value("--save-weights")) options.saveWeights = *save;
    return command;
}

int RunBatch(const BatchOptions& options, std::ostream& out, std::ostream& err,
             BatchOutcome* outcome) {
    ConsoleDialog dialog(out);
    clsTessalyAlgorith net(&dialog);
    net.UsedAsClassifier(options.classifier);
    net.TypeProcessUsed(options.order);

    // The pattern window's state: its grid, and whether stored patterns lock its dimensions.
    Pattern pattern(kStartRows, kStartColumns, -1);
    bool stored = false;
    const auto load = [&](const std::string& path) {
        PatternLoad result = LoadPatternFile(path, pattern, stored);
        pattern = result.pattern;
        if (result.failure) dialog.ShowMessage(result.failure->Text());
        return result.ok();
    };
    for (const std::string& path : options.stores) {
        if (!load(path)) return 1;
        net.Add(pattern);
        stored = true;
    }
    if (!load(options.recall)) return 1;

    if (options.weights) {
        const int neurons = pattern.rows() * pattern.columns();
        WeightGrid grid;
        grid.LoadArray(FloatMatrix(neurons, neurons, 0.0f));
        FileContents file = ReadWholeFile(*options.weights);
        std::optional<Failure> failure = file.failure;
        if (!failure) failure = grid.LoadFileText(file.bytes);
        if (failure) {
            dialog.ShowMessage(failure->Text());
            return 1;
        }
        net.NumLinhas(pattern.rows());
        net.NumColunas(pattern.columns());
        net.SynapticWeights(grid.ToMatrix());
    }

    Pattern result = options.step ? net.StepRecall(pattern) : net.Recall(pattern);
    if (result.empty()) result = Pattern(pattern.rows(), pattern.columns(), -1);
    const std::string text = PatternFileText(result);
    int status = dialog.failures() > 0 ? 1 : 0;
    // A save that fails is the message the window shows for it, and the run's failure.
    const auto save = [&](const std::string& path, const std::string& bytes) {
        if (const auto failure = SaveFile(path, bytes)) {
            dialog.ShowMessage(failure->Text());
            status = 1;
        }
    };
    if (options.out)
        save(*options.out, text);
    else
        out << text << '\n';
    const FloatMatrix weights =
        outcome || options.saveWeights ? net.SynapticWeights() : FloatMatrix{};
    if (outcome) *outcome = {result, weights};
    if (options.saveWeights) {
        if (weights.empty()) {
            err << "Tessaly: no weights to save (nothing stored and no weights given)\n";
            return 1;
        }
        WeightGrid grid;
        grid.LoadArray(weights);
        save(*options.saveWeights, grid.FileText());
    }
    return status;
}

int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             BatchOutcome* outcome) {
    const BatchCommand command = ParseBatch(args);
    if (command.stop) return cli::report(*command.stop, out, err);
    return RunBatch(command.options, out, err, outcome);
}

int RunBatchCommand(const BatchCommand& command, std::ostream& out, std::ostream& err,
                    const FigureFiles& figures) {
    BatchOutcome outcome;
    int status = RunBatch(command.options, out, err, &outcome);
    if (status != cli::status_done || !command.exports.any()) return status;
    std::optional<csv::Table> table;
    cli::Exports exports = command.exports;
    if (!outcome.weights.empty()) {
        table = WeightTable(outcome.weights, outcome.recalled.columns());
    } else if (!exports.csv.empty()) {
        err << "Tessaly: no weights to export (nothing stored and no weights given)\n";
        exports.csv.clear();
        status = cli::status_failed;
    }
    status = std::max(status,
                      cli::write_figure_exports(exports, figures, outcome, kApplicationTitle, out));
    return std::max(status, cli::write_table_export(exports, table, kApplicationTitle, out));
}

int batch_main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const FigureFiles& figures) {
    const bool drawn = static_cast<bool>(figures);
    const BatchCommand command = ParseBatch(args, drawn);
    if (command.stop) return cli::report(*command.stop, out, err);
    if (command.exports.wantsFigure() && !drawn)
        return cli::report(cli::bad_command_line("Tessaly", cli::no_figures, BatchUsage(false)),
                           out, err);
    return RunBatchCommand(command, out, err, figures);
}

} // namespace tessaly
