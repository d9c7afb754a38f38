// Corvane's command line: one argument per line of the input. The command line is read as the
// program reads it before it opens anything; what stops it (--help, a bad command line) must be
// what the batch entry prints and returns, and an accepted one must name one command with its
// files and only the options that go with it. An accepted one is then run once with every file
// it names moved into a scratch folder where none of them is there: it fails with a message and
// writes nothing but its result record there.
#include "fuzz_support.h"

#include "batch/batch.h"

#include <filesystem>
#include <set>
#include <sstream>

namespace {

// The command `c` with each file it names replaced by a file of `folder` that is not there.
corvane::batch::Command with_files_in(corvane::batch::Command c, const std::string& folder) {
    int n = 0;
    auto move = [&](std::string& file) {
        if (!file.empty()) file = folder + "/not-there-" + std::to_string(n++);
    };
    for (std::string& file : c.operands)
        move(file);
    for (std::string* file : {&c.options.summary, &c.options.result, &c.options.start_weights,
                              &c.exports.svg, &c.exports.png, &c.exports.pdf, &c.exports.csv})
        move(*file);
    return c;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> args = fuzz::words(fuzz::view(data, size));
    const corvane::batch::Command c = corvane::batch::parse_command_line(args);
    std::vector<std::string> own = args;
    const cli::TakenExports taken = cli::take_export_options(own);
    FUZZ_CHECK(taken.error.empty() || c.stop);
    if (c.stop) {
        fuzz::check_stop(c.stop->status, c.stop->text, "Corvane");
        // The batch entry reads the command line first and runs nothing after a stop.
        std::ostringstream out, err;
        const int status = corvane::batch::batch_main(args, out, err);
        fuzz::check_printed_stop(c.stop->status, c.stop->text, status, out.str(), err.str());
        return 0;
    }
    // Accepted: a batch command line with one command, as many files as it takes, and only
    // options that go with it.
    FUZZ_CHECK(cli::how_to_start(args, true) == cli::Start::batch);
    static const std::set<std::string> commands{
        "--train",        "--run-macro",    "--evaluate", "--random-weights",
        "--expand-sweep", "--slurm-script", "--summary"};
    FUZZ_CHECK(commands.count(c.command) == 1);
    const std::size_t n = c.operands.size();
    if (c.command == "--random-weights")
        FUZZ_CHECK(n == 1 || n == 2);
    else
        FUZZ_CHECK(n == (c.command == "--expand-sweep" ? 3u : 1u));
    const auto& o = c.options;
    const bool train = c.command == "--train", macro = c.command == "--run-macro";
    if (c.exports.any()) FUZZ_CHECK(train || c.command == "--evaluate");
    FUZZ_CHECK(o.progress >= 0);
    if (o.progress > 0) FUZZ_CHECK(train || macro);
    if (o.jobs) FUZZ_CHECK(*o.jobs >= 1 && (macro || c.command == "--slurm-script"));
    if (o.resume) FUZZ_CHECK(macro && o.jobs);
    if (!o.result.empty() || !o.start_weights.empty()) FUZZ_CHECK(train);
    if (o.seed) FUZZ_CHECK(train || macro || c.command == "--random-weights");
    FUZZ_CHECK(o.max_runs >= 1);

    // Run on files that are not there: the message of the first one looked for, status 1 (0 for
    // --train --result without exports, whose record of the failed run is written), and nothing
    // else written.
    const std::string folder = fuzz::scratch_folder() + "/command_line";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const corvane::batch::Command moved = with_files_in(c, folder);
    std::ostringstream out, err;
    corvane::batch::BatchResults results;
    const int status = corvane::batch::run_command(moved, out, err, &results);
    FUZZ_CHECK(status == (train && !o.result.empty() && !c.exports.any() ? 0 : 1));
    FUZZ_CHECK(out.str().starts_with("MsgBox\tCorvane\t"));
    FUZZ_CHECK(!results.chart && !results.table);
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        FUZZ_CHECK(entry.path().string() == moved.options.result);
    return 0;
}
