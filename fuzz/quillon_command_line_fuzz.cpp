// Quillon's console command line: one argument per line of the input. The command line is read
// as the console entry reads it first; a bad one and --help must end the run there, with the
// complaint (status 2) or the usage (status 0), before any file is read or written.
#include "fuzz_support.h"

#include "engine/batch.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> args = fuzz::words(fuzz::view(data, size));
    const quillon::BatchCommandLineCheck check = quillon::check_batch_command_line(args);
    if (check.complaint.empty() && !check.help) {
        // A word that is no option is refused, so a usable command line is empty or asks for
        // the console.
        FUZZ_CHECK(args.empty() || quillon::is_batch(args));
        return 0; // it would read and write the files it names
    }
    std::ostringstream out, err;
    const int status = quillon::run_batch(args, out, err);
    if (!check.complaint.empty()) {
        FUZZ_CHECK(status == 2);
        FUZZ_CHECK(err.str().starts_with("Quillon: " + check.complaint + "\n"));
        fuzz::check_stop(status, err.str(), "Quillon");
        FUZZ_CHECK(out.str().empty());
    } else {
        FUZZ_CHECK(status == 0);
        fuzz::check_stop(status, out.str(), "Quillon");
        FUZZ_CHECK(err.str().empty());
    }
    return 0;
}
