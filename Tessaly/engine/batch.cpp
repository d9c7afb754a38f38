#include "batch.h"

#include "file_io.h"
#include "hopfield_net.h"
#include "main_settings.h"
#include "pattern_file.h"
#include "weight_grid.h"

#include <optional>
#include <ostream>

namespace tessaly {

namespace {

struct Options {
    std::vector<std::string> stores;
    std::optional<std::string> weights;
    std::optional<std::string> recall;
    std::int32_t order = RandomSerial;
    bool classifier = false;
    bool step = false;
    std::optional<std::string> out;
    std::optional<std::string> saveWeights;
    bool help = false;
};

// Message boxes as lines on the output stream; every question is answered No.
class ConsoleDialog : public NetDialog {
public:
    explicit ConsoleDialog(std::ostream& out) : out_(out) {}
    bool AskYesNo(const std::string& text) override {
        Write(text);
        return false;
    }
    void ShowMessage(const std::string& text) override {
        Write(text);
        ++failures_;
    }
    void Beep() override {}
    int failures() const { return failures_; }

private:
    void Write(const std::string& text) {
        std::string line;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                line += "\\n";
                ++i;
            } else if (text[i] == '\n' || text[i] == '\r') {
                line += "\\n";
            } else {
                line += text[i];
            }
        }
        out_ << "MsgBox\t" << kApplicationTitle << '\t' << line << '\n';
    }
    std::ostream& out_;
    int failures_ = 0;
};

// Fills `options`; an error text when the command line is not usable.
std::optional<std::string> Parse(const std::vector<std::string>& args, Options& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) return std::nullopt;
            return args[++i];
        };
        if (a == "--help" || a == "-h") {
            options.help = true;
        } else if (a == "--classifier") {
            options.classifier = true;
        } else if (a == "--step") {
            options.step = true;
        } else if (a == "--store" || a == "--weights" || a == "--recall" || a == "--order" ||
                   a == "--out" || a == "--save-weights") {
            auto v = value();
            if (!v) return a + " needs a value";
            if (a == "--store")
                options.stores.push_back(*v);
            else if (a == "--weights")
                options.weights = *v;
            else if (a == "--recall")
                options.recall = *v;
            else if (a == "--out")
                options.out = *v;
            else if (a == "--save-weights")
                options.saveWeights = *v;
            else if (*v == "random-serial")
                options.order = RandomSerial;
            else if (*v == "full-serial")
                options.order = FullSerial;
            else if (*v == "full-parallel")
                options.order = FullParallel;
            else
                return "unknown update order: " + *v;
        } else {
            return "unknown argument: " + a;
        }
    }
    if (!options.help && !options.recall) return "--recall FILE.Tsy is required";
    return std::nullopt;
}

} // namespace

bool IsBatchCommandLine(const std::vector<std::string>& args) {
    for (const auto& a : args)
        if (a.rfind("--", 0) == 0 || a == "-h") return true;
    return false;
}

std::string BatchUsage() {
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
           "Exit status: 0 done, 1 a failure was reported, 2 bad command line.\n";
}

int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             BatchOutcome* outcome) {
    Options options;
    if (auto problem = Parse(args, options)) {
        err << "Tessaly: " << *problem << "\n\n" << BatchUsage();
        return 2;
    }
    if (options.help) {
        out << BatchUsage();
        return 0;
    }
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
    if (!load(*options.recall)) return 1;

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

BatchCommandLineCheck CheckBatchCommandLine(const std::vector<std::string>& args) {
    Options options;
    BatchCommandLineCheck check;
    if (auto problem = Parse(args, options)) check.complaint = *problem;
    check.help = options.help;
    return check;
}

} // namespace tessaly
