// perceptron's console command line: one argument per line of the input. The command line is
// read; what stops it must be what the batch entry prints and returns (with windows, and without
// them, where a figure export stops it too), and an accepted one with few Steps is run whole.
// Its table goes into the scratch folder (or a folder there that does not exist, for the
// failure's message); its figures to a stand-in for the window layer's drawing, which writes
// nothing.
#include "fuzz_support.h"

#include "engine/batch.h"
#include "engine/rule.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> args = fuzz::words(fuzz::view(data, size));
    const perceptron::BatchCommand command = perceptron::parse_batch(args);
    // As a build without windows reads it.
    const perceptron::BatchCommand plain = perceptron::parse_batch(args, false);
    if (plain.stop) {
        fuzz::check_stop(plain.stop->status, plain.stop->text, "perceptron");
        std::ostringstream out, err;
        const int status = perceptron::batch_main(args, out, err);
        fuzz::check_printed_stop(plain.stop->status, plain.stop->text, status, out.str(),
                                 err.str());
        if (!command.stop) {
            FUZZ_CHECK(command.exports.wantsFigure());
            FUZZ_CHECK(plain.stop->text.starts_with("perceptron: " + std::string(cli::no_figures)));
        }
    }
    std::ostringstream out, err;
    const bool runs = !command.stop && command.steps <= 200;
    if (command.stop || runs) {
        // The console entry gives the same status and texts as the command line read alone.
        const int status = perceptron::run_batch(args, out, err);
        FUZZ_CHECK(status == 0 || status == 2);
        if (command.stop) {
            fuzz::check_stop(command.stop->status, command.stop->text, "perceptron");
            fuzz::check_printed_stop(command.stop->status, command.stop->text, status, out.str(),
                                     err.str());
            FUZZ_CHECK(plain.stop && plain.stop->status == status);
            return 0;
        }
        FUZZ_CHECK(status == 0 && err.str().empty());
    }
    FUZZ_CHECK(cli::how_to_start(args, false) == cli::Start::batch);
    FUZZ_CHECK(command.choice == perceptron::SetChoice::set1 ||
               command.choice == perceptron::SetChoice::set2);
    FUZZ_CHECK(command.steps >= 0 && command.steps <= perceptron::max_batch_steps);
    if (!runs) return 0;
    // A weights line after selecting the set and after each Step, then a line per sample.
    const std::string text = out.str();
    const auto lines = std::count(text.begin(), text.end(), '\n');
    const perceptron::Demonstration demo = [&] {
        perceptron::Demonstration d;
        d.select_set(command.choice);
        return d;
    }();
    const auto samples = demo.samples().u.size() + demo.samples().v.size();
    FUZZ_CHECK(static_cast<std::size_t>(lines) ==
               static_cast<std::size_t>(command.steps) + 1 + samples);
    if (!command.exports.any()) return 0;

    // The run again with its exports: the figure first, then the table.
    perceptron::BatchCommand run = command;
    const bool table = !run.exports.csv.empty();
    const bool missing = size % 2 == 1;
    if (table)
        run.exports.csv =
            fuzz::scratch_folder() + (missing ? "/not-there/table.csv" : "/table.csv");
    bool drawn = false;
    const perceptron::FigureFiles figures =
        [&](const cli::Exports& exports, const perceptron::BatchResults& state, std::ostream&) {
            FUZZ_CHECK(exports.wantsFigure() && state.choice() == command.choice);
            FUZZ_CHECK(!std::filesystem::exists(fuzz::scratch_folder() + "/table.csv"));
            drawn = true;
            return 0;
        };
    std::ostringstream exported;
    const int status = perceptron::run_with_exports(run, exported, figures);
    FUZZ_CHECK(drawn == command.exports.wantsFigure());
    FUZZ_CHECK(exported.str().starts_with(text));
    const std::string failure =
        "MsgBox\tPerceptron\tThe file " + run.exports.csv + " could not be written.\n";
    FUZZ_CHECK(status == ((table && missing) ? 1 : 0));
    FUZZ_CHECK(exported.str() == text + ((table && missing) ? failure : ""));
    if (table && !missing) FUZZ_CHECK(std::filesystem::remove(run.exports.csv));
    return 0;
}
