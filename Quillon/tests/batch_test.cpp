#include <gtest/gtest.h>

#include <sstream>

#include "engine/batch.h"
#include "test_support.h"

namespace quillon {
namespace {

struct Outcome {
    int status;
    std::string out, err;
};

Outcome run(std::vector<std::string> args) {
    std::ostringstream out, err;
    int status = run_batch(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(Batch, WholeRunPrintsWhatTheWindowShows) {
    test::TempFile saved("segments.txt");
    Outcome r =
        run({"--parse", "--signal", "tests/data/step_ramp.txt", "--table", "tests/data/table.txt",
             "--tol", "0.5", "--approximate", "--label", "0.1", "5", "--save", saved.path()});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "Lblnt\t19\nLblna\t4\nLblMin\t-50\nLblMax\t10\n"
                     "List2\t 1,   5(   6),  0.0,   h,  A\n"
                     "List2\t 2,   5(  11),  2.0,   u,  B\n"
                     "List2\t 3,   5(  16),  0.0,   h,  C\n"
                     "List2\t 4,   3(  19),-20.0,   D,  F\n"
                     "List3\tA\nList3\tB\nList3\tC\nList3\th\nList3\tu\nList3\th\nList3\tD\n"
                     "List3\t1,1,A\nList3\t1,2,B\nList3\t2,1,C\nList3\t3,4,F\n");
    EXPECT_EQ(saved.read(), " 1,     5,      0.0,   h,  A\r\n"
                            " 2,     5,      2.0,   u,  B\r\n"
                            " 3,     5,      0.0,   h,  C\r\n"
                            " 4,     3,    -20.0,   D,  F\r\n");
}

TEST(Batch, SymbolStringFromAFile) {
    Outcome r =
        run({"--string", "tests/data/symbols.txt", "--table", "tests/data/table.txt", "--parse"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Lblnt\t4\n"), std::string::npos);
    EXPECT_NE(r.out.find("List2\t 1,   h,  A\nList2\t 2,   u,  B\nList2\t 3,   d,  ?\n"
                         "List2\t 4,   h,  A\n"),
              std::string::npos)
        << r.out;
}

TEST(Batch, FailureStopsWithItsMessage) {
    Outcome noString = run({"--signal", "tests/data/step_ramp.txt", "--parse", "--save", "x"});
    EXPECT_EQ(noString.status, 1);
    EXPECT_EQ(noString.out.substr(0, noString.out.find('\n')),
              "MsgBox\tQuillon\tNo string to parse");

    Outcome missing = run({"--signal", "tests/data/none.txt", "--approximate"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "MsgBox\tFile read\tFile error\nLblnt\t\nLblna\t\nLblMin\t\n"
                           "LblMax\t\n");

    Outcome zeroTol = run({"--signal", "tests/data/step_ramp.txt", "--tol", "0", "--approximate"});
    EXPECT_EQ(zeroTol.status, 1);
    EXPECT_NE(zeroTol.out.find("MsgBox\tQuillon\tThe tolerance must be greater than 0\n"),
              std::string::npos);
}

// What the run leaves for export: the segments, and the drawing as the window redraws it after
// each step (the signal 2 wide once a drawing was made, the segments in their colours).
TEST(Batch, ResultsHoldTheWindowsDrawing) {
    BatchResults results;
    std::ostringstream out, err;
    ASSERT_EQ(run_batch({"--signal", "tests/data/step_ramp.txt", "--table", "tests/data/table.txt",
                         "--tol", "0.5", "--approximate", "--label", "0.1", "5", "--parse"},
                        out, err, &results),
              0);
    EXPECT_EQ(results.analysis.nseg, 4);
    EXPECT_EQ(results.analysis.mode, Mode::parsed);
    EXPECT_EQ(results.lblMax, "10");
    EXPECT_EQ(results.lblMin, "-50");
    ASSERT_TRUE(results.plan);
    EXPECT_EQ(results.plan->signal.size(), 19u);
    EXPECT_EQ(results.plan->signalWidth, 2);
    ASSERT_EQ(results.plan->approximation.size(), 18u);
    EXPECT_EQ(results.plan->approximation.front().color, (Rgb{0, 255, 0}));
    EXPECT_EQ(results.plan->approximation.back().color, Rgb{}); // the final state's segment

    // A signal only: drawn once, 1 wide, the approximation curve the signal itself in one colour.
    BatchResults signal;
    ASSERT_EQ(run_batch({"--signal", "tests/data/step_ramp.txt"}, out, err, &signal), 0);
    ASSERT_TRUE(signal.plan);
    EXPECT_EQ(signal.plan->signalWidth, 1);
    EXPECT_EQ(signal.plan->approximation.front().color, (Rgb{15, 0, 0}));

    // A symbol string has no drawing; a failed read leaves none either.
    BatchResults string;
    run_batch({"--string", "tests/data/symbols.txt"}, out, err, &string);
    EXPECT_FALSE(string.plan);
    EXPECT_EQ(string.analysis.nseg, 4);
    BatchResults missing;
    EXPECT_EQ(run_batch({"--signal", "tests/data/none.txt"}, out, err, &missing), 1);
    EXPECT_FALSE(missing.plan);
}

TEST(Batch, CommandLine) {
    for (auto args : std::vector<std::vector<std::string>>{
             {"--bogus"}, {"--signal"}, {"--label", "1"}, {"--norm", "Manhattan"}}) {
        Outcome r = run(args);
        EXPECT_EQ(r.status, 2) << args.front();
        EXPECT_NE(r.err.find("Usage"), std::string::npos);
    }
    Outcome help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--approximate"), std::string::npos);
    EXPECT_EQ(cli::how_to_start({"--help"}, true), cli::Start::batch);
    EXPECT_EQ(cli::how_to_start({"examples/Quillon/ecg.txt"}, true), cli::Start::window);
}

// The whole console mode: what cannot be exported is refused before any step runs (a figure
// also in a build that draws none); the table is the engine's, the figure the hook's.
TEST(Batch, ExportsAreCheckedFirstAndWrittenAfterTheRun) {
    test::TempFile csv("segments.csv");
    int drawn = 0;
    const FigureFiles figures = [&](const cli::Exports& exports, const BatchResults& results,
                                    std::ostream&) {
        EXPECT_EQ(exports.svg, "s.svg");
        EXPECT_EQ(results.analysis.nseg, 4);
        ++drawn;
        return 0;
    };
    for (const auto& [args, why] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--string", "tests/data/symbols.txt", "--export-svg", "s.svg"},
              "the figure is the signal's drawing: --signal FILE is needed"},
             {{"--signal", "tests/data/step_ramp.txt", "--export-csv", csv.path()},
              "the table is the segment list: --approximate or --string FILE is needed"},
             {{"--signal", "tests/data/step_ramp.txt", "--label", "1"}, "--label needs 2 values"},
             {{"--approximate", "--fast"}, "unknown option --fast"}}) {
        std::ostringstream out, err;
        EXPECT_EQ(batch_main(args, out, err, figures), 2);
        EXPECT_EQ(err.str().rfind("Quillon: " + why + "\n\nUsage", 0), 0u) << err.str();
        EXPECT_EQ(out.str(), "");
    }
    std::ostringstream out, err;
    const std::vector<std::string> args{"--signal",      "tests/data/step_ramp.txt",
                                        "--tol",         "0.5",
                                        "--approximate", "--export-svg",
                                        "s.svg",         "--export-csv",
                                        csv.path()};
    EXPECT_EQ(batch_main(args, out, err), 2);
    EXPECT_EQ(err.str().rfind("Quillon: " + std::string(cli::no_figures) + "\n", 0), 0u);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(batch_main(args, out, err, figures), 0);
    EXPECT_EQ(drawn, 1);
    EXPECT_EQ(csv.read().rfind("#,Length,End,Slope\r\n1,5,6,0\r\n", 0), 0u) << csv.read();
}

} // namespace
} // namespace quillon
