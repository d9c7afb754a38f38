#include "engine/batch.h"

#include "case_name.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace perceptron;

namespace {

struct BatchRun {
    int status;
    std::vector<std::string> lines;
    std::string err;
};

BatchRun run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    BatchRun r;
    r.status = run_batch(args, out, err);
    std::istringstream text(out.str());
    for (std::string line; std::getline(text, line);)
        r.lines.push_back(line);
    r.err = err.str();
    return r;
}

} // namespace

TEST(PerceptronBatch, Set1PrintsEveryStepAndEndsSeparated) {
    BatchRun r = run({"--set", "1", "--steps", "6"});
    ASSERT_EQ(r.status, 0);
    ASSERT_EQ(r.lines.size(), 7u + 16u);
    EXPECT_EQ(r.lines[0], "Weights\t0.1\t-1\t0");
    EXPECT_EQ(r.lines[1].rfind("Weights\t4.01", 0), 0u) << r.lines[1];
    EXPECT_EQ(r.lines[1].substr(r.lines[1].rfind('\t')), "\t-10");
    EXPECT_EQ(r.lines[6].substr(r.lines[6].rfind('\t')), "\t-22.5");
    EXPECT_EQ(r.lines[7].rfind("U1\t", 0), 0u);
    EXPECT_EQ(r.lines[15].rfind("V1\t-", 0), 0u) << r.lines[15];
    for (std::size_t i = 7; i < r.lines.size(); ++i)
        EXPECT_EQ(r.lines[i].substr(r.lines[i].rfind('\t')), "\tcorrect") << r.lines[i];
    EXPECT_TRUE(r.err.empty());
}

TEST(PerceptronBatch, Set2WithoutStepsShowsTheStartLineAndItsMistakes) {
    BatchRun r = run({"--steps", "0", "--set", "2"});
    ASSERT_EQ(r.status, 0);
    ASSERT_EQ(r.lines.size(), 1u + 20u);
    EXPECT_EQ(r.lines[0], "Weights\t0.1\t-1\t0");
    EXPECT_EQ(r.lines.back().rfind("V10\t", 0), 0u);
    // From the start line (through (0, 0) and (6, 0.6)) V sample 1 at (2.833, 0.211) lies on
    // the U side: s = 0.2833 − 0.211.
    EXPECT_EQ(r.lines[11], "V1\t0.0723\twrong");
}

TEST(PerceptronBatch, HelpGoesToStandardOutput) {
    BatchRun r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    ASSERT_FALSE(r.lines.empty());
    EXPECT_NE(r.lines[0].find("--set 1|2"), std::string::npos);
}

class PerceptronBadCommandLine : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(PerceptronBadCommandLine, ExitsWithTwoAndPrintsNothingElse) {
    BatchRun r = run(GetParam());
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.lines.empty());
    EXPECT_NE(r.err.find("Usage:"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PerceptronBadCommandLine,
    ::testing::Values(std::vector<std::string>{"--steps", "3"}, std::vector<std::string>{"--set"},
                      std::vector<std::string>{"--set", "3"},
                      std::vector<std::string>{"--set", "1", "--steps", "-1"},
                      std::vector<std::string>{"--set", "1", "--steps", "2.5"},
                      std::vector<std::string>{"--set", "1", "--steps", "1000001"},
                      std::vector<std::string>{"--set", "1", "--steps", "99999999999999999999"},
                      std::vector<std::string>{"--set", "1", "extra"}),
    [](const ::testing::TestParamInfo<std::vector<std::string>>& info) {
        std::string line;
        for (const std::string& argument : info.param)
            line += argument + " ";
        return suite_testing::CaseName(line);
    });

TEST(PerceptronBatch, ExportOptionsAreReadWithTheCommandLine) {
    const BatchCommand command =
        parse_batch({"--export-svg", "p.svg", "--set", "2", "--steps", "3", "--export-csv", "c"});
    ASSERT_FALSE(command.stop.has_value());
    EXPECT_EQ(command.choice, SetChoice::set2);
    EXPECT_EQ(command.steps, 3);
    EXPECT_EQ(command.exports.svg, "p.svg");
    EXPECT_EQ(command.exports.csv, "c");

    for (const auto& [args, start] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--set", "1", "--export-png"}, "perceptron: --export-png needs a value\n"},
             {{"--set", "1", "--scale", "0.5"},
              "perceptron: --scale must be a number from 1 to 10\n"},
             {{"--export-pdf", "p.pdf"}, "perceptron: --set is required\n\nUsage"}}) {
        BatchRun r = run(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err.rfind(start, 0), 0u) << r.err;
        EXPECT_TRUE(r.lines.empty());
    }
}

// The whole batch mode: the figure through the window layer's hook, then the table; a figure
// asked of a build without windows is refused before anything runs.
TEST(PerceptronBatch, BatchMainWritesTheFigureThroughTheHookThenTheTable) {
    namespace fs = std::filesystem;
    const fs::path dir =
        fs::temp_directory_path() /
        ("perceptron_batch_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::create_directories(dir);
    const std::string csv = (dir / "samples.csv").string(), png = (dir / "plane.png").string();

    std::ostringstream out, err;
    EXPECT_EQ(batch_main({"--set", "1", "--export-png", png}, out, err), 2);
    EXPECT_EQ(err.str().rfind("perceptron: " + std::string(cli::no_figures) + "\n\nUsage", 0), 0u)
        << err.str();
    EXPECT_TRUE(out.str().empty());

    int calls = 0;
    const FigureFiles figures = [&](const cli::Exports& exports, const BatchResults& demo,
                                    std::ostream&) {
        ++calls;
        EXPECT_EQ(exports.png, png);
        EXPECT_EQ(demo.choice(), SetChoice::set2);
        EXPECT_FALSE(fs::exists(csv)) << "the table before the figure";
        return 1;
    };
    std::ostringstream out2, err2;
    EXPECT_EQ(
        batch_main({"--set", "2", "--export-csv", csv, "--export-png", png}, out2, err2, figures),
        1)
        << "a figure that failed";
    EXPECT_EQ(calls, 1);
    std::ifstream table(csv);
    std::string header;
    std::getline(table, header);
    EXPECT_EQ(header, "Sample,X,Y,s,Side\r");
    fs::remove_all(dir);
}
