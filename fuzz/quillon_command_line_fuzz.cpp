// Quillon's console command line: one argument per line of the input. The command line is read,
// and what stops it (--help, a bad command line) must be what the console entry prints and
// returns; an accepted one is run once with every file it names moved into the scratch folder,
// where the files to read are not there, for its failure status and message.
#include "fuzz_support.h"

#include "engine/batch.h"

#include <filesystem>
#include <sstream>

namespace {

// The figure files' hook of a build with windows; a stop or a failed run never reaches it.
int no_figure_expected(const cli::Exports&, const quillon::BatchResults&, std::ostream&) {
    FUZZ_CHECK(false);
    return 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> args = fuzz::words(fuzz::view(data, size));
    const quillon::BatchCommand command = quillon::parse_batch(args);
    const quillon::BatchCommand again = quillon::parse_batch(args);
    FUZZ_CHECK(command.stop.has_value() == again.stop.has_value());

    std::ostringstream out, err;
    if (command.stop) {
        FUZZ_CHECK(command.stop->status == again.stop->status &&
                   command.stop->text == again.stop->text);
        fuzz::check_stop(command.stop->status, command.stop->text, "Quillon");
        // The console entry reads the command line first and runs nothing after a stop.
        const int status = quillon::batch_main(args, out, err, no_figure_expected);
        fuzz::check_printed_stop(command.stop->status, command.stop->text, status, out.str(),
                                 err.str());
        return 0;
    }
    // Accepted: every word is an option or its value, so a usable command line is empty or asks
    // for the console.
    FUZZ_CHECK(args.empty() || cli::how_to_start(args, true) == cli::Start::batch);
    const quillon::BatchOptions& o = command.options;
    FUZZ_CHECK(o.signal == again.options.signal && o.tol == again.options.tol &&
               o.label == again.options.label);
    FUZZ_CHECK(!command.exports.wantsFigure() || o.signal);
    FUZZ_CHECK(command.exports.csv.empty() || o.approximate || o.string);
    if (command.exports.wantsFigure()) {
        // A build without windows refuses the figure before anything runs.
        const int status = quillon::batch_main(args, out, err);
        FUZZ_CHECK(status == 2 && out.str().empty());
        FUZZ_CHECK(err.str().starts_with("Quillon: " + std::string(cli::no_figures) + "\n"));
        out.str("");
        err.str("");
    }

    // Every file named moves into the scratch folder: the files to read are not there, and what
    // would be written lands there. Without a signal, a string or a table there is nothing to
    // approximate, label, parse or save, so every step fails before anything is written.
    const std::string scratch = fuzz::scratch_folder();
    quillon::BatchCommand run = command;
    quillon::BatchOptions& r = run.options;
    for (std::optional<std::string>* read : {&r.signal, &r.string, &r.table})
        if (*read) *read = scratch + "/not-there.txt";
    if (r.save) r.save = scratch + "/segments.txt";
    for (std::string* path :
         {&run.exports.svg, &run.exports.png, &run.exports.pdf, &run.exports.csv})
        if (!path->empty()) *path = scratch + "/export";
    const bool reads = r.signal || r.string || r.table;
    const bool steps = reads || r.approximate || r.label || r.parse || r.save;
    const int status = quillon::run_batch_command(run, out, no_figure_expected);
    FUZZ_CHECK(status == (steps ? 1 : 0));
    if (reads) FUZZ_CHECK(out.str().starts_with("MsgBox\tFile read\tFile error\n"));
    if (steps && !reads) FUZZ_CHECK(out.str().starts_with("MsgBox\tQuillon\t"));
    FUZZ_CHECK(out.str().ends_with("LblMax\t\n"));
    FUZZ_CHECK(std::filesystem::is_empty(scratch));
    return 0;
}
