// Dimora's console command line: one argument per line of the input. The command line is read;
// what stops it must be what the console entry prints and returns, and an accepted one is run
// (an --nn-size range only when short) for status 0, or 1 with its message.
#include "fuzz_support.h"

#include "batch.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> args = fuzz::words(fuzz::view(data, size));
    const dimora::BatchCommand command = dimora::parseBatch(args);
    if (command.stop) {
        fuzz::check_stop(command.stop->status, command.stop->text, "Dimora");
        std::ostringstream out, err;
        const int status = dimora::runBatch(args, out, err);
        FUZZ_CHECK(status == command.stop->status);
        FUZZ_CHECK((status == 0 ? out : err).str() == command.stop->text);
        FUZZ_CHECK((status == 0 ? err : out).str().empty());
        return 0;
    }
    if (command.scSize) {
        FUZZ_CHECK(command.d >= 2 && command.d <= 9);
        FUZZ_CHECK(command.integerPart * 100 + command.hundredths >= 100 &&
                   command.integerPart * 100 + command.hundredths <= 2200);
    } else {
        FUZZ_CHECK(command.texts.size() == 5);
        // Up to 99 rows: a long range costs time and shows nothing new.
        if (command.texts.at("Txth1").size() > 2 || command.texts.at("Txth2").size() > 2) return 0;
    }
    std::ostringstream out;
    dimora::BatchResults results;
    const int status = dimora::runBatch(command, out, &results);
    FUZZ_CHECK(status == 0 || status == 1);
    FUZZ_CHECK((status == 1) == (out.str().find("MsgBox\t") != std::string::npos));
    if (command.scSize) {
        FUZZ_CHECK(status == 0 && results.curves.has_value());
        FUZZ_CHECK(results.curves->ED.size() == static_cast<std::size_t>(10 * command.d));
    }
    return 0;
}
