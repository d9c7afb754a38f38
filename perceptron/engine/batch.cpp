#include "batch.h"

#include "numtext/numtext.h"
#include "rule.h"

#include <optional>
#include <ostream>

namespace perceptron {

namespace {

constexpr const char* usage =
    "Usage: perceptron [--set 1|2 [--steps N]]\n"
    "Without options the window opens.\n"
    "  --set 1|2    select built-in set 1 or 2 (starting weights 0.1, -1, 0)\n"
    "  --steps N    run N Steps (epochs), 0 to 1000000; default 0\n"
    "  --help       show this text\n"
    "Prints Weights<TAB>w0<TAB>w1<TAB>w2 after selecting the set and after each Step, then\n"
    "for every sample U<i> or V<i>, its activation and whether it lies on the correct side.\n";

// A count of decimal digits only, at most `limit`.
std::optional<long> parse_count(const std::string& text, long limit) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > limit) return std::nullopt;
    return value;
}

void print_weights(std::ostream& out, const Weights& w) {
    out << "Weights\t" << numtext::shortest(w[0]) << '\t' << numtext::shortest(w[1]) << '\t'
        << numtext::shortest(w[2]) << '\n';
}

void print_sides(std::ostream& out, const std::vector<Sample>& samples, bool is_u,
                 const Weights& w) {
    for (std::size_t i = 0; i < samples.size(); ++i) {
        float s = activation(w, samples[i]);
        out << image_name(is_u, i) << '\t' << numtext::shortest(s) << '\t'
            << (on_correct_side(is_u, s) ? "correct" : "wrong") << '\n';
    }
}

} // namespace

BatchCommand parse_batch(const std::vector<std::string>& args) {
    BatchCommand command;
    std::vector<std::string> own = args;
    const cli::TakenExports taken = cli::take_export_options(own);
    auto stop = [&](int status, const std::string& text) {
        command.stop = cli::Stop{status, text};
        return command;
    };
    if (!taken.error.empty())
        return stop(cli::status_bad_command_line,
                    "perceptron: " + taken.error + "\n" + cli::export_usage(true));
    command.exports = taken.exports;
    auto bad = [&](const std::string& why) {
        return stop(cli::status_bad_command_line, "perceptron: " + why + "\n" + usage);
    };
    for (std::size_t k = 0; k < own.size(); ++k) {
        const std::string& option = own[k];
        if (option == "--help" || option == "-h")
            return stop(cli::status_done, usage + cli::export_usage(true));
        if (option != "--set" && option != "--steps")
            return bad("unknown option \"" + option + "\"");
        if (k + 1 >= own.size()) return bad(option + " needs a value");
        const std::string& value = own[++k];
        if (option == "--set") {
            if (value == "1")
                command.choice = SetChoice::set1;
            else if (value == "2")
                command.choice = SetChoice::set2;
            else
                return bad("--set must be 1 or 2");
        } else {
            auto count = parse_count(value, max_batch_steps);
            if (!count) return bad("--steps must be a whole number from 0 to 1000000");
            command.steps = *count;
        }
    }
    if (command.choice == SetChoice::none) return bad("--set is required");
    return command;
}

int run_batch(const BatchCommand& command, std::ostream& out, Demonstration* final_state) {
    Demonstration demo;
    demo.select_set(command.choice);
    print_weights(out, demo.weights());
    for (long n = 0; n < command.steps; ++n) {
        demo.step();
        print_weights(out, demo.weights());
    }
    print_sides(out, demo.samples().u, true, demo.weights());
    print_sides(out, demo.samples().v, false, demo.weights());
    if (final_state) *final_state = demo;
    return cli::status_done;
}

int run_batch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              Demonstration* final_state) {
    const BatchCommand command = parse_batch(args);
    if (command.stop) return cli::report(*command.stop, out, err);
    return run_batch(command, out, final_state);
}

} // namespace perceptron
