// Corvane's command line: one argument per line of the input. The command line is read as the
// program reads it before it opens anything; what stops it (--help, a bad command line) must be
// what the batch entry prints and returns, and an accepted one must name one command with its
// files and only the options that go with it.
#include "fuzz_support.h"

#include "batch/batch.h"

#include <set>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> args = fuzz::words(fuzz::view(data, size));
    const corvane::batch::Command c = corvane::batch::parse_command_line(args);
    // Without export options the batch entry reads the same command line.
    std::vector<std::string> own = args;
    const cli::TakenExports taken = cli::take_export_options(own);
    FUZZ_CHECK(taken.error.empty() || c.stop);
    const bool plain = taken.error.empty() && own.size() == args.size();
    if (c.window) {
        FUZZ_CHECK(!c.stop && c.command.empty() && !c.exports.any());
        FUZZ_CHECK(own.empty() || (own.size() == 1 && !own[0].starts_with("-")));
        std::ostringstream out, err;
        if (plain) FUZZ_CHECK(!corvane::batch::run(args, out, err).has_value());
        return 0;
    }
    if (c.stop) {
        fuzz::check_stop(c.stop->status, c.stop->text, "Corvane");
        if (!plain) return 0;
        std::ostringstream out, err;
        const std::optional<int> status = corvane::batch::run(args, out, err);
        FUZZ_CHECK(status == c.stop->status);
        FUZZ_CHECK((*status == 0 ? out : err).str() == c.stop->text);
        FUZZ_CHECK((*status == 0 ? err : out).str().empty());
        return 0;
    }
    // Accepted: one command, as many files as it takes, and only options that go with it.
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
    return 0;
}
