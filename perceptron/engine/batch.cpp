#include "batch.h"

#include "numtext/numtext.h"
#include "rule.h"
#include "samples_table.h"

#include <algorithm>
#include <array>
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

/// The title of the batch mode's export failures.
constexpr const char* title = "Perceptron";

std::string full_usage(bool figures) {
    return std::string(usage) + "After the other options:\n" + cli::export_usage(figures);
}

constexpr std::array<cli::OptionSpec, 2> kOptions{{{"--set", 1}, {"--steps", 1}}};

void print_weights(std::ostream& out, const Weights& w) {
    cli::write_result(out, "Weights",
                      numtext::shortest(w[0]) + '\t' + numtext::shortest(w[1]) + '\t' +
                          numtext::shortest(w[2]));
}

void print_sides(std::ostream& out, const std::vector<Sample>& samples, bool is_u,
                 const Weights& w) {
    for (std::size_t i = 0; i < samples.size(); ++i) {
        float s = activation(w, samples[i]);
        cli::write_result(out, image_name(is_u, i),
                          numtext::shortest(s) +
                              (on_correct_side(is_u, s) ? "\tcorrect" : "\twrong"));
    }
}

} // namespace

BatchCommand parse_batch(const std::vector<std::string>& args, bool figures) {
    BatchCommand command;
    auto bad = [&](const std::string& why) {
        command.stop = cli::bad_command_line("perceptron", why, full_usage(figures));
        return command;
    };
    const cli::CommandLine line =
        cli::read_command_line(args, kOptions, "perceptron", full_usage(figures));
    command.stop = line.stop;
    command.exports = line.exports;
    if (command.stop) return command;
    const cli::ReadOptions& read = line.options;
    for (const cli::GivenOption& option : read.given) {
        const std::string& value = option.values.front();
        if (option.name == "--set") {
            if (value == "1")
                command.choice = SetChoice::set1;
            else if (value == "2")
                command.choice = SetChoice::set2;
            else
                return bad("--set must be 1 or 2");
        } else {
            const auto count = cli::whole_number(value, 0, max_batch_steps);
            if (!count) return bad("--steps must be a whole number from 0 to 1000000");
            command.steps = static_cast<long>(*count);
        }
    }
    if (command.choice == SetChoice::none) return bad("--set is required");
    if (!figures && command.exports.wantsFigure()) return bad(std::string(cli::no_figures));
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

int run_with_exports(const BatchCommand& command, std::ostream& out, const FigureFiles& figures) {
    Demonstration demo;
    const int status = run_batch(command, out, &demo);
    if (status != cli::status_done || !command.exports.any()) return status;
    const int figure_status = cli::write_figure_exports(command.exports, figures, demo, title, out);
    const csv::Table table = samples_table(demo.samples(), demo.weights());
    return std::max(figure_status, cli::write_table_export(command.exports, table, title, out));
}

int batch_main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const FigureFiles& figures) {
    const BatchCommand command = parse_batch(args, static_cast<bool>(figures));
    if (command.stop) return cli::report(*command.stop, out, err);
    return run_with_exports(command, out, figures);
}

} // namespace perceptron
