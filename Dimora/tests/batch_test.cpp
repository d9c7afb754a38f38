// The console mode's output and exit status.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "batch.h"

namespace dimora {
namespace {

struct Outcome {
    int status;
    std::vector<std::string> lines;
    std::string err;
};

Outcome run(std::vector<std::string> args) {
    std::ostringstream out, err;
    Outcome r;
    r.status = runBatch(args, out, err);
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);)
        r.lines.push_back(line);
    r.err = err.str();
    return r;
}

TEST(Batch, NNSizeDefaultsPrintSixRowsPerH) {
    const Outcome r = run({"--nn-size"});
    EXPECT_EQ(r.status, 0);
    ASSERT_EQ(r.lines.size(), 60u);
    EXPECT_EQ(r.lines[0], "ListUW\t2 : 5");
    EXPECT_EQ(r.lines[3], "ListVCDu\t9");
    EXPECT_EQ(r.lines[5], "ListUB\t150");
    EXPECT_EQ(r.lines[59], "ListUB\t" + std::string("1927"));
}

TEST(Batch, NNSizeMessagesAndDefaultsWrittenBack) {
    const Outcome bad = run({"--nn-size", "--e", "0.51"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.lines, std::vector<std::string>{"MsgBox\tSpecifications\tWrong error value !"});

    const Outcome one = run({"--nn-size", "--h", "3:", "--d", "4"});
    EXPECT_EQ(one.status, 0);
    ASSERT_EQ(one.lines.size(), 7u);
    EXPECT_EQ(one.lines[0], "Txth2\t3");
    EXPECT_EQ(one.lines[1], "ListUW\t4 : 19");

    const Outcome large = run({"--nn-size", "--h", "171:171"});
    EXPECT_EQ(large.status, 1);
    EXPECT_EQ(large.lines[1],
              "MsgBox\tFuntion Fact\tError probably due to excessively high number of "
              "units\\n6 : Overflow");
}

TEST(Batch, SCSizePrintsBayesThenOneLinePerPoint) {
    const Outcome r = run({"--sc-size", "--d", "3", "--delta", "2.50"});
    EXPECT_EQ(r.status, 0);
    ASSERT_EQ(r.lines.size(), 31u);
    EXPECT_EQ(r.lines[0].rfind("Pe\t0.", 0), 0u);
    EXPECT_EQ(r.lines[1].rfind("1\t0\t", 0), 0u);
    EXPECT_EQ(r.lines[30].rfind("30\t", 0), 0u);

    const Outcome d2 = run({"--sc-size"});
    EXPECT_EQ(d2.lines[0], "Pe\t0.239783287");
}

TEST(Batch, BadCommandLinesExitWithTwo) {
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"--nn-size", "--d"},
                                               {"--nn-size", "--d", "-3"},
                                               {"--nn-size", "--h", "5"},
                                               {"--nn-size", "--x", "1"},
                                               {"--sc-size", "--d", "10"},
                                               {"--sc-size", "--d", "2.5"},
                                               {"--sc-size", "--d", "133111111111111111"},
                                               {"--sc-size", "--d", "-9e300"},
                                               {"--sc-size", "--delta", "22.05"},
                                               {"--sc-size", "--delta", "0.99"},
                                               {"--sc-size", "--delta", "2.345"},
                                               {"--bogus"}}) {
        const Outcome r = run(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_NE(r.err.find("Usage"), std::string::npos);
    }
    EXPECT_EQ(run({"--help"}).status, 0);
}

TEST(Batch, ExportOptionsAreReadWithTheCommandLine) {
    const BatchCommand sc = parseBatch({"--sc-size", "--export-png", "g.png", "--scale", "2", "--d",
                                        "3", "--export-csv", "c.csv", "--delta", "4.25"});
    ASSERT_FALSE(sc.stop.has_value());
    EXPECT_TRUE(sc.scSize);
    EXPECT_EQ(sc.d, 3);
    EXPECT_EQ(sc.integerPart, 4);
    EXPECT_EQ(sc.hundredths, 25);
    EXPECT_EQ(sc.exports.png, "g.png");
    EXPECT_EQ(sc.exports.scale, 2.0);
    EXPECT_EQ(sc.exports.csv, "c.csv");

    const std::pair<std::vector<std::string>, std::string> bad[] = {
        {{"--nn-size", "--export-svg", "g.svg"},
         "Dimora: --nn-size has no figure to export (--export-csv writes its table)\n"},
        {{"--sc-size", "--scale", "11"}, "Dimora: --scale must be a number from 1 to 10\n\nUsage"},
        {{"--export-csv"}, "Dimora: --export-csv needs a value\n\nUsage"},
        {{"--export-csv", "c.csv"}, "Dimora: no option given\n\nUsage"}};
    for (const auto& [args, start] : bad) {
        const Outcome r = run(args);
        EXPECT_EQ(r.status, 2) << start;
        EXPECT_EQ(r.err.rfind(start, 0), 0u) << r.err;
        EXPECT_TRUE(r.lines.empty());
    }
    const Outcome help = run({"--help"});
    EXPECT_NE(help.lines.back().find("--export-csv FILE"), std::string::npos);
}

// The whole batch mode: the figures through the window layer's hook, then the table, and a
// figure asked of a build without windows refused before anything runs.
TEST(Batch, BatchMainWritesFiguresThroughTheHookThenTheTable) {
    namespace fs = std::filesystem;
    const fs::path dir =
        fs::temp_directory_path() /
        ("dimora_batch_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::create_directories(dir);
    const std::string csv = (dir / "curves.csv").string(), svg = (dir / "graph.svg").string();

    std::ostringstream out, err;
    EXPECT_EQ(batch_main({"--sc-size", "--export-svg", svg}, out, err), 2);
    EXPECT_EQ(err.str().rfind("Dimora: " + std::string(cli::no_figures) + "\n\nUsage", 0), 0u)
        << err.str();
    EXPECT_EQ(err.str().find("--export-svg"), std::string::npos) << "a figure offered without one";
    EXPECT_TRUE(out.str().empty());

    int calls = 0;
    const FigureFiles figures = [&](const cli::Exports& exports, const BatchResults& results,
                                    std::ostream& o) {
        ++calls;
        EXPECT_EQ(exports.svg, svg);
        EXPECT_TRUE(results.curves && results.curves->d == 3);
        EXPECT_FALSE(fs::exists(csv)) << "the table before the figures";
        o << "figure\n";
        return 0;
    };
    std::ostringstream out2, err2;
    EXPECT_EQ(batch_main({"--sc-size", "--d", "3", "--export-csv", csv, "--export-svg", svg}, out2,
                         err2, figures),
              0);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(err2.str().empty());
    EXPECT_EQ(out2.str().substr(out2.str().size() - 7), "figure\n");
    std::ifstream table(csv);
    std::string header;
    std::getline(table, header);
    EXPECT_EQ(header, "n,n/d,ED,ET,SD,ST\r");

    const std::string unwritable = (dir / "no-folder" / "t.csv").string();
    std::ostringstream out3, err3;
    EXPECT_EQ(batch_main({"--nn-size", "--h", "1:2", "--export-csv", unwritable}, out3, err3), 1);
    EXPECT_EQ(out3.str().substr(out3.str().find("MsgBox")),
              "MsgBox\tDimora\tThe file " + unwritable + " could not be written.\n");
    fs::remove_all(dir);
}

} // namespace
} // namespace dimora
