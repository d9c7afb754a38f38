// perceptron's console command line: one argument per line of the input. The command line is
// read; what stops it must be what the console entry prints and returns, and an accepted one
// with few Steps is run whole.
#include "fuzz_support.h"

#include "engine/batch.h"
#include "engine/rule.h"

#include <algorithm>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> args = fuzz::words(fuzz::view(data, size));
    const perceptron::BatchCommand command = perceptron::parse_batch(args);
    std::ostringstream out, err;
    const bool runs = !command.stop && command.steps <= 200;
    if (command.stop || runs) {
        // The console entry gives the same status and texts as the command line read alone.
        const int status = perceptron::run_batch(args, out, err);
        FUZZ_CHECK(status == 0 || status == 2);
        if (command.stop) {
            fuzz::check_stop(command.stop->status, command.stop->text, "perceptron");
            FUZZ_CHECK(status == command.stop->status);
            FUZZ_CHECK((status == 0 ? out : err).str() == command.stop->text);
            FUZZ_CHECK((status == 0 ? err : out).str().empty());
            return 0;
        }
        FUZZ_CHECK(status == 0 && err.str().empty());
    }
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
    return 0;
}
