// Tessaly's batch command line: one argument per line of the input. The command line is read
// as the batch entry reads it first; a bad one and --help must end the run there, with the
// complaint (status 2) or the usage (status 0), before any file is read or written.
#include "fuzz_support.h"

#include "engine/batch.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> args = fuzz::words(fuzz::view(data, size));
    const tessaly::BatchCommandLineCheck check = tessaly::CheckBatchCommandLine(args);
    if (check.complaint.empty() && !check.help) {
        // Usable: --recall was given, so this is a batch command line.
        FUZZ_CHECK(tessaly::IsBatchCommandLine(args));
        return 0; // it would read and write the files it names
    }
    std::ostringstream out, err;
    const int status = tessaly::RunBatch(args, out, err);
    if (!check.complaint.empty()) {
        FUZZ_CHECK(status == 2);
        FUZZ_CHECK(err.str().starts_with("Tessaly: " + check.complaint + "\n"));
        fuzz::check_stop(status, err.str(), "Tessaly");
        FUZZ_CHECK(out.str().empty());
    } else {
        FUZZ_CHECK(status == 0);
        fuzz::check_stop(status, out.str(), "Tessaly");
        FUZZ_CHECK(err.str().empty());
    }
    return 0;
}
