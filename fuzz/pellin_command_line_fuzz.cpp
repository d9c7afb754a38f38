// Pellin's batch command line: one argument per line of the input. The command line is read,
// and what stops it (--help, a bad command line) must be what the batch entry prints and returns;
// an accepted one is run once against a file that is not there, for its failure status.
#include "fuzz_support.h"

#include "engine/batch.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> args = fuzz::words(fuzz::view(data, size));
    const pellin::BatchCommand command = pellin::parse_batch(args);
    const pellin::BatchCommand again = pellin::parse_batch(args);
    FUZZ_CHECK(command.stop.has_value() == again.stop.has_value());

    std::ostringstream out, err;
    if (command.stop) {
        FUZZ_CHECK(command.stop->status == again.stop->status &&
                   command.stop->text == again.stop->text);
        fuzz::check_stop(command.stop->status, command.stop->text, "Pellin");
        // The batch entry reads the command line first and runs nothing after a stop.
        const int status = pellin::run_batch(args, out, err);
        fuzz::check_printed_stop(command.stop->status, command.stop->text, status, out.str(),
                                 err.str());
        return 0;
    }
    // Accepted: a batch command line (--file was given), with no figure to export.
    FUZZ_CHECK(cli::how_to_start(args, true) == cli::Start::batch);
    FUZZ_CHECK(!command.exports.wantsFigure());
    FUZZ_CHECK(command.request.filename == again.request.filename &&
               command.request.neighbours == again.request.neighbours &&
               command.request.partitions == again.request.partitions);
    pellin::ComputeRequest request = command.request;
    const bool named = !request.filename.empty();
    if (named) request.filename = fuzz::scratch_folder() + "/not-there.txt";
    FUZZ_CHECK(pellin::run_batch(request, out) == 1);
    FUZZ_CHECK(out.str().starts_with("MsgBox\tWrong Specifications\t"));
    FUZZ_CHECK(out.str().find(named ? "File not found" : "Wrong Filename") != std::string::npos);
    return 0;
}
