// The console mode's output and exit status.
#include <gtest/gtest.h>

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

} // namespace
} // namespace dimora
