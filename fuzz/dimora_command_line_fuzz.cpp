// Dimora's console command line: one argument per line of the input. The command line is read;
// what stops it must be what the batch entry prints and returns (with windows, and without them,
// where a figure export stops it too), and an accepted one is run (an --nn-size range only when
// short) for status 0, or 1 with its message. Its table goes into the scratch folder (or a
// folder there that does not exist, for the failure's message); its figures to a stand-in for
// the window layer's drawing, which writes nothing.
#include "fuzz_support.h"

#include "batch.h"

#include <filesystem>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> args = fuzz::words(fuzz::view(data, size));
    const dimora::BatchCommand command = dimora::parseBatch(args);
    // As a build without windows reads it.
    const dimora::BatchCommand plain = dimora::parseBatch(args, false);
    if (command.stop) {
        fuzz::check_stop(command.stop->status, command.stop->text, "Dimora");
        std::ostringstream out, err;
        const int status = dimora::runBatch(args, out, err);
        fuzz::check_printed_stop(command.stop->status, command.stop->text, status, out.str(),
                                 err.str());
        FUZZ_CHECK(plain.stop && plain.stop->status == status);
    }
    if (plain.stop) {
        fuzz::check_stop(plain.stop->status, plain.stop->text, "Dimora");
        std::ostringstream out, err;
        const int status = dimora::batch_main(args, out, err);
        fuzz::check_printed_stop(plain.stop->status, plain.stop->text, status, out.str(),
                                 err.str());
        if (!command.stop) {
            FUZZ_CHECK(command.exports.wantsFigure());
            FUZZ_CHECK(plain.stop->text.starts_with("Dimora: " + std::string(cli::no_figures)));
        }
    }
    if (command.stop) return 0;
    FUZZ_CHECK(cli::how_to_start(args, false) == cli::Start::batch);
    if (command.scSize) {
        FUZZ_CHECK(command.d >= 2 && command.d <= 9);
        FUZZ_CHECK(command.integerPart * 100 + command.hundredths >= 100 &&
                   command.integerPart * 100 + command.hundredths <= 2200);
    } else {
        FUZZ_CHECK(!command.exports.wantsFigure());
        FUZZ_CHECK(command.texts.size() == 5);
        // Up to 99 rows: a long range costs time and shows nothing new.
        if (command.texts.at("Txth1").size() > 2 || command.texts.at("Txth2").size() > 2) return 0;
    }
    dimora::BatchCommand run = command;
    const bool table = !run.exports.csv.empty();
    const bool missing = size % 2 == 1;
    if (table)
        run.exports.csv =
            fuzz::scratch_folder() + (missing ? "/not-there/table.csv" : "/table.csv");
    bool drawn = false;
    const dimora::FigureFiles figures = [&](const cli::Exports& exports,
                                            const dimora::BatchResults& results, std::ostream&) {
        FUZZ_CHECK(exports.wantsFigure() && results.curves.has_value());
        drawn = true;
        return 0;
    };
    std::ostringstream out;
    const int status = dimora::runBatchWithExports(run, out, figures);
    const std::string text = out.str();
    FUZZ_CHECK(status == 0 || status == 1);
    FUZZ_CHECK((status == 1) == (text.find("MsgBox\t") != std::string::npos));
    // The run itself went through when its only message is the table's failure.
    const std::string failure =
        "MsgBox\tDimora\tThe file " + run.exports.csv + " could not be written.\n";
    const bool ran = status == 0 || (table && text.ends_with(failure) &&
                                     text.find("MsgBox\t") == text.size() - failure.size());
    FUZZ_CHECK(drawn == (ran && command.exports.wantsFigure()));
    if (command.scSize) FUZZ_CHECK(ran);
    if (ran && table) {
        FUZZ_CHECK(missing == (status == 1));
        if (!missing) FUZZ_CHECK(std::filesystem::remove(run.exports.csv));
    }
    return 0;
}
