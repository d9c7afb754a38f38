// Tessaly's batch command line: one argument per line of the input. The command line is read,
// and what stops it (--help, a bad command line) must be what the batch entry prints and returns;
// an accepted one is run once with every file it names moved into the scratch folder, where the
// patterns to read are not there, for its failure status and message.
#include "fuzz_support.h"

#include "engine/batch.h"

#include <filesystem>
#include <sstream>

namespace {

// The figure files' hook of a build with windows; a stop or a failed run never reaches it.
int no_figure_expected(const cli::Exports&, const tessaly::BatchOutcome&, std::ostream&) {
    FUZZ_CHECK(false);
    return 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> args = fuzz::words(fuzz::view(data, size));
    const tessaly::BatchCommand command = tessaly::ParseBatch(args);
    const tessaly::BatchCommand again = tessaly::ParseBatch(args);
    FUZZ_CHECK(command.stop.has_value() == again.stop.has_value());

    std::ostringstream out, err;
    if (command.stop) {
        FUZZ_CHECK(command.stop->status == again.stop->status &&
                   command.stop->text == again.stop->text);
        fuzz::check_stop(command.stop->status, command.stop->text, "Tessaly");
        // The batch entry reads the command line first and runs nothing after a stop.
        const int status = tessaly::batch_main(args, out, err, no_figure_expected);
        fuzz::check_printed_stop(command.stop->status, command.stop->text, status, out.str(),
                                 err.str());
        return 0;
    }
    // Accepted: --recall was given, so this is a batch command line.
    FUZZ_CHECK(cli::how_to_start(args, true) == cli::Start::batch);
    FUZZ_CHECK(command.options.recall == again.options.recall &&
               command.options.stores == again.options.stores &&
               command.options.order == again.options.order);
    if (command.exports.wantsFigure()) {
        // A build without windows refuses the figure before anything runs.
        const int status = tessaly::batch_main(args, out, err);
        FUZZ_CHECK(status == 2 && out.str().empty());
        FUZZ_CHECK(err.str().starts_with("Tessaly: " + std::string(cli::no_figures) + "\n"));
        out.str("");
        err.str("");
    }

    // Every file named moves into the scratch folder: the patterns and weights to read are not
    // there, and what would be written lands there (the first read fails before any write).
    const std::string scratch = fuzz::scratch_folder();
    tessaly::BatchCommand run = command;
    for (std::string& store : run.options.stores)
        store = scratch + "/not-there-store.Tsy";
    run.options.recall = scratch + "/not-there.Tsy";
    if (run.options.weights) run.options.weights = scratch + "/not-there.TsyW";
    if (run.options.out) run.options.out = scratch + "/recalled.Tsy";
    if (run.options.saveWeights) run.options.saveWeights = scratch + "/saved.TsyW";
    for (std::string* path :
         {&run.exports.svg, &run.exports.png, &run.exports.pdf, &run.exports.csv})
        if (!path->empty()) *path = scratch + "/export";
    FUZZ_CHECK(tessaly::RunBatchCommand(run, out, err, no_figure_expected) == 1);
    FUZZ_CHECK(out.str() == "MsgBox\tTessaly\t53  : File not found\n");
    FUZZ_CHECK(err.str().empty());
    FUZZ_CHECK(std::filesystem::is_empty(scratch));
    return 0;
}
