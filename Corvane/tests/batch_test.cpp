// Batch mode, driven as a script would drive it, on copies of the examples.
#include "batch/batch.h"
#include "engine/macro_file.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <sstream>

#include <sys/resource.h>

namespace corvane {
namespace {

using test::TempDir;

// The examples folder copied into a temporary folder (runs rewrite their files).
struct Examples {
    TempDir dir;
    Examples() {
        std::filesystem::copy("../examples/Corvane", dir.path(),
                              std::filesystem::copy_options::recursive);
    }
    int run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        return batch::run(args, out, err);
    }
    std::vector<std::string> lines() const {
        std::vector<std::string> result;
        std::istringstream in(out.str());
        for (std::string line; std::getline(in, line);)
            result.push_back(line);
        return result;
    }
    std::ostringstream out, err;
};

TEST(Batch, WithoutOptionsTheWindowIsWanted) {
    EXPECT_EQ(cli::how_to_start({}, true), cli::Start::window);
    EXPECT_EQ(cli::how_to_start({"project.prj"}, true), cli::Start::window);
}

TEST(Batch, HelpAndBadCommandLines) {
    Examples ex;
    EXPECT_EQ(ex.run({"--help"}), 0);
    EXPECT_NE(ex.out.str().find("--random-weights"), std::string::npos);
    for (const auto& bad :
         std::vector<std::vector<std::string>>{{"--train"},
                                               {"--frobnicate"},
                                               {"--train", "a.prj", "--evaluate", "b.prj"},
                                               {"--random-weights"},
                                               {"--random-weights", "a.prj", "b.wgt", "c"},
                                               {"--train", "a.prj", "--progress", "0"},
                                               {"--evaluate", "a.prj", "--progress", "5"},
                                               {"a.prj", "b.prj"}})
        EXPECT_EQ(ex.run(bad), 2) << bad[0];
}

TEST(Batch, TheCommandLineIsReadBeforeAnythingRuns) {
    // A name the system refuses to look up (longer than any file name) is a macro that cannot
    // be read, never an error escaping the command line's reading.
    const std::string long_name(5000, 'm');
    std::ostringstream out, err;
    const batch::Command c = batch::parse({"--run-macro", long_name, "--seed", "3"});
    EXPECT_FALSE(c.stop.has_value());
    EXPECT_EQ(c.command, "--run-macro");
    EXPECT_EQ(batch::run({"--run-macro", long_name, "--seed", "3"}, out, err), 1);
    EXPECT_NE(out.str().find("MsgBox\t"), std::string::npos) << out.str();

    // What the command line says, and how a bad one ends.
    const batch::Command train =
        batch::parse({"--seed", "7", "--train", "p.prj", "--result", "r.txt", "--progress", "10"});
    ASSERT_FALSE(train.stop.has_value());
    EXPECT_EQ(train.operands, std::vector<std::string>{"p.prj"});
    EXPECT_EQ(train.options.seed, 7u);
    EXPECT_EQ(train.options.result, "r.txt");
    EXPECT_EQ(train.options.progress, 10);
    const batch::Command jobs = batch::parse({"--run-macro", "m.mcr", "--jobs"});
    ASSERT_TRUE(jobs.options.jobs.has_value());
    EXPECT_GE(*jobs.options.jobs, 1);
    EXPECT_EQ(batch::parse({"--jobs", "3", "--run-macro", "m.mcr"}).options.jobs, 3);
    // A command's files follow it; the further file of --random-weights and the macro of
    // --summary alone may stand anywhere.
    const batch::Command weights = batch::parse({"--random-weights", "p.prj", "--seed", "3", "w"});
    EXPECT_EQ(weights.operands, (std::vector<std::string>{"p.prj", "w"}));
    const batch::Command summary = batch::parse({"m.mcr", "--summary", "s.csv"});
    EXPECT_EQ(summary.command, "--summary");
    EXPECT_EQ(summary.operands, std::vector<std::string>{"m.mcr"});
    const batch::Command late = batch::parse({"p.prj", "--train"});
    ASSERT_TRUE(late.stop.has_value());
    EXPECT_EQ(late.stop->text.rfind("Corvane: --train needs a value\n\nUsage", 0), 0u);
    const batch::Command bad = batch::parse({"--evaluate", "p.prj", "--seed", "1"});
    ASSERT_TRUE(bad.stop.has_value());
    EXPECT_EQ(bad.stop->status, 2);
    EXPECT_EQ(bad.stop->text.rfind("Corvane: --seed goes with --train, --random-weights or "
                                   "--run-macro with a macro file\n\nUsage: Corvane",
                                   0),
              0u);
    EXPECT_EQ(cli::how_to_start({"project.prj"}, true), cli::Start::window);

    // The export options are read with the rest, and go with --train or --evaluate only.
    const batch::Command exporting =
        batch::parse_command_line({"--evaluate", "p.prj", "--export-csv", "t.csv"});
    ASSERT_FALSE(exporting.stop.has_value());
    EXPECT_EQ(exporting.exports.csv, "t.csv");
    EXPECT_EQ(exporting.operands, std::vector<std::string>{"p.prj"});
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"--export-svg", "c.svg"}, "Corvane: the export options go with --train or --evaluate\n"},
        {{"p.prj", "--export-pdf", "c.pdf"},
         "Corvane: the export options go with --train or --evaluate\n"},
        {{"--run-macro", "m.mcr", "--export-csv", "t.csv"},
         "Corvane: --export-svg, --export-png, --export-pdf and --export-csv go with --train or "
         "--evaluate\n\nUsage"},
        {{"--train", "p.prj", "--export-png"}, "Corvane: --export-png needs a value\n\nUsage"}};
    for (const auto& [args, start] : refused) {
        const batch::Command r = batch::parse_command_line(args);
        ASSERT_TRUE(r.stop.has_value()) << start;
        EXPECT_EQ(r.stop->status, 2);
        EXPECT_EQ(r.stop->text.rfind(start, 0), 0u) << r.stop->text;
    }
}

TEST(Batch, TrainPrintsTheResultLabelsAndRewritesTheFiles) {
    Examples ex;
    const std::string project = ex.dir / "xor_backpropagation.prj";
    ASSERT_EQ(ex.run({"--train", project, "--progress", "10"}), 0) << ex.out.str();
    const auto lines = ex.lines();
    ASSERT_EQ(lines.size(), 6u);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(
            lines[static_cast<std::size_t>(i)].rfind("Label3(" + std::to_string(i) + ")\t", 0), 0u);
    const double error = std::stod(lines[0].substr(10));
    EXPECT_LE(error, 0.01); // the example reaches its goal
    const int iterations = std::stoi(lines[1].substr(10));
    EXPECT_EQ(test::crlf_lines(test::read_file(ex.dir / "xor_backpropagation.err")).size(),
              static_cast<std::size_t>(iterations));
    EXPECT_NE(ex.err.str().find("iteration 10\t"), std::string::npos);
    EXPECT_NE(test::read_file(project).find("\"" + lines[1].substr(10) + "\""), std::string::npos);
}

TEST(Batch, EachStartDrawsTheSameNumbers) {
    Examples a, b;
    ASSERT_EQ(a.run({"--train", a.dir / "xor_genetic.prj"}), 0);
    ASSERT_EQ(b.run({"--train", b.dir / "xor_genetic.prj"}), 0);
    EXPECT_EQ(a.lines()[0], b.lines()[0]);
    EXPECT_EQ(a.lines()[1], b.lines()[1]);
    EXPECT_EQ(a.lines().size(), 5u); // no learning rate in a genetic run
    ASSERT_EQ(a.run({"--random-weights", a.dir / "xor_genetic.prj", a.dir / "r.wgt"}), 0);
    ASSERT_EQ(b.run({"--random-weights", b.dir / "xor_backpropagation.prj", b.dir / "r.wgt"}), 0);
    EXPECT_EQ(test::read_file(a.dir / "r.wgt"), test::read_file(b.dir / "r.wgt"));
    EXPECT_EQ(a.lines(), std::vector<std::string>{"Text1(13)\t" + (a.dir / "r.wgt")});
}

TEST(Batch, ASeedGivesTheSameWeightsAndRunsAndTheFixedSeedIsTheDefault) {
    Examples a, b;
    const auto weights = [](Examples& ex, const std::vector<std::string>& seed) {
        std::vector<std::string> args{"--random-weights", ex.dir / "xor_genetic.prj",
                                      ex.dir / "r.wgt"};
        args.insert(args.end(), seed.begin(), seed.end());
        EXPECT_EQ(ex.run(args), 0);
        return test::read_file(ex.dir / "r.wgt");
    };
    EXPECT_EQ(weights(a, {"--seed", "5"}), weights(b, {"--seed", "5"}));
    EXPECT_NE(weights(a, {"--seed", "5"}), weights(b, {"--seed", "6"}));
    EXPECT_EQ(weights(a, {}), weights(b, {"--seed", "20001226"}));

    ASSERT_EQ(a.run({"--train", a.dir / "xor_genetic.prj", "--seed", "5"}), 0);
    ASSERT_EQ(b.run({"--train", b.dir / "xor_genetic.prj", "--seed", "5"}), 0);
    EXPECT_EQ(test::read_file(a.dir / "xor_genetic.err"),
              test::read_file(b.dir / "xor_genetic.err"));
    EXPECT_EQ(test::read_file(a.dir / "xor_genetic.wgt"),
              test::read_file(b.dir / "xor_genetic.wgt"));
}

// The sequence a script follows: fresh weights, then a run that starts from them.
TEST(Batch, RandomWeightsWithoutANameRewriteTheProjectsOwnFile) {
    Examples ex;
    const std::string project = ex.dir / "xor_backpropagation.prj";
    const std::string before = test::read_file(project);
    // The weights a finished run left (all zero), replaced by the fresh ones.
    const std::string trained = test::read_file(ex.dir / "xor_backpropagation.wgt");
    std::string zeros;
    for (std::size_t k = 0; k < test::crlf_lines(trained).size(); ++k)
        zeros += "0\r\n";
    test::write_file(ex.dir / "xor_backpropagation.wgt", zeros);
    ASSERT_EQ(ex.run({"--random-weights", project}), 0) << ex.err.str();
    const std::string fresh = test::read_file(ex.dir / "xor_backpropagation.wgt");
    EXPECT_NE(fresh, zeros);
    EXPECT_EQ(test::crlf_lines(fresh).size(), test::crlf_lines(trained).size());
    EXPECT_EQ(test::read_file(project), before);
    ASSERT_EQ(ex.run({"--evaluate", project}), 0);
    const std::string fresh_error = ex.lines().at(0);

    // With a name, that file is written and the project still names its own.
    ASSERT_EQ(ex.run({"--random-weights", project, ex.dir / "other.wgt"}), 0);
    EXPECT_TRUE(std::filesystem::exists(ex.dir / "other.wgt"));
    EXPECT_EQ(test::read_file(ex.dir / "xor_backpropagation.wgt"), fresh);
    EXPECT_EQ(test::read_file(project), before);
    ASSERT_EQ(ex.run({"--evaluate", project}), 0);
    EXPECT_EQ(ex.lines().at(0), fresh_error);

    // A project that does not load writes nothing.
    EXPECT_EQ(ex.run({"--random-weights", ex.dir / "none.prj"}), 1);
    EXPECT_EQ(ex.lines(), std::vector<std::string>{"MsgBox\tCorvane\tError loading project file!"});
}

TEST(Batch, EvaluateShowsThePlainMessageBox) {
    Examples ex;
    ASSERT_EQ(ex.run({"--evaluate", ex.dir / "breast_cancer_backpropagation.prj"}), 0);
    const auto lines = ex.lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("MsgBox\tCorvane\t", 0), 0u);
    EXPECT_GT(std::stod(lines[0].substr(15)), 0.0);
}

TEST(Batch, FailuresAreMessageLinesAndStatusOne) {
    Examples ex;
    EXPECT_EQ(ex.run({"--train", ex.dir / "none.prj"}), 1);
    EXPECT_EQ(ex.lines().front(), "MsgBox\tCorvane\tError loading project file!");
    EXPECT_EQ(ex.run({"--run-macro", ex.dir / "none.mcr"}), 1);
    EXPECT_EQ(ex.lines(), std::vector<std::string>{"MsgBox\tCorvane\tError loading macro!"});
}

// The message lines a run printed.
std::vector<std::string> messages(const Examples& ex) {
    std::vector<std::string> found;
    for (const std::string& line : ex.lines())
        if (line.starts_with("MsgBox")) found.push_back(line);
    return found;
}

// The example project with line `line` (1-based) replaced by `text`.
std::string damaged(const Examples& ex, const std::string& project, std::size_t line,
                    const std::string& text) {
    auto lines = test::crlf_lines(test::read_file(ex.dir / project));
    lines.at(line - 1) = text;
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

TEST(Batch, NothingIsTrainedEvaluatedOrWrittenFromAProjectThatDidNotLoad) {
    Examples ex;
    // A learning rate outside its spinner's range.
    const std::string project = ex.dir / "bad.prj";
    test::write_file(project, damaged(ex, "xor_backpropagation.prj", 8, "\"-5\""));
    const std::string before_project = test::read_file(project);
    const std::string before_weights = test::read_file(ex.dir / "xor_backpropagation.wgt");
    for (std::vector<std::string> args : {std::vector<std::string>{"--train", project},
                                          {"--evaluate", project},
                                          {"--random-weights", project, ex.dir / "fresh.wgt"}}) {
        EXPECT_EQ(ex.run(args), 1) << args[0];
        // One message, not a second one about what the failed load left behind.
        EXPECT_EQ(messages(ex),
                  std::vector<std::string>{"MsgBox\tCorvane\tError loading project file!"})
            << args[0];
    }
    EXPECT_EQ(test::read_file(project), before_project);
    EXPECT_EQ(test::read_file(ex.dir / "xor_backpropagation.wgt"), before_weights);
    EXPECT_FALSE(std::filesystem::exists(ex.dir / "bad.err"));
    EXPECT_FALSE(std::filesystem::exists(ex.dir / "fresh.wgt"));
}

TEST(Batch, ASetFarLargerThanItsDataFileIsRefusedWithoutTakingItsSize) {
    // 2000 inputs of lines 2 to 32766 (262 MB as floats) asked of a data file of 32 KB.
    Examples ex;
    test::write_file(ex.dir / "short.txt", "x\n" + std::string(32765, '\n'));
    auto lines = test::crlf_lines(test::read_file(ex.dir / "xor_backpropagation.prj"));
    for (auto [line, text] : {std::pair{1, "short.txt"},
                              {3, "2000"},
                              {5, "32766"},
                              {6, "2001"},
                              {7, "2001"},
                              {11, "32766"},
                              {13, "3"},
                              {14, "short.wgt"}})
        lines.at(static_cast<std::size_t>(line - 1)) = "\"" + std::string(text) + "\"";
    std::string project;
    for (const auto& l : lines)
        project += l + "\r\n";
    test::write_file(ex.dir / "short.prj", project);
    ASSERT_EQ(ex.run({"--random-weights", ex.dir / "short.prj"}), 0) << ex.out.str();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const long before = usage.ru_maxrss;
    const std::string weights = test::read_file(ex.dir / "short.wgt");
    EXPECT_EQ(ex.run({"--train", ex.dir / "short.prj"}), 1);
    EXPECT_EQ(messages(ex), std::vector<std::string>{"MsgBox\tCorvane\tError reading data file"});
    getrusage(RUSAGE_SELF, &usage);
    EXPECT_LT(usage.ru_maxrss - before, 50 * 1024) << "kB more at the peak";
    EXPECT_EQ(test::read_file(ex.dir / "short.wgt"), weights);
    EXPECT_EQ(test::read_file(ex.dir / "short.prj"), project);
}

TEST(Batch, AMacroRowWhoseProjectDidNotLoadIsSkipped) {
    Examples ex;
    // An option line no option can hold.
    test::write_file(ex.dir / "damaged.prj", damaged(ex, "xor_genetic.prj", 25, "maybe"));
    const std::string damaged_before = test::read_file(ex.dir / "damaged.prj");
    std::string macro = "\"xor_backpropagation.prj\"\r\n\"missing.prj\"\r\n\"damaged.prj\"\r\n"
                        "\"xor_genetic.prj\"\r\n";
    for (int row = 4; row < linhas_macro; ++row)
        macro += "\"\"\r\n";
    test::write_file(ex.dir / "m.mcr", macro);
    EXPECT_EQ(ex.run({"--run-macro", ex.dir / "m.mcr"}), 1);
    EXPECT_EQ(messages(ex),
              std::vector<std::string>(2, "MsgBox\tCorvane\tError loading project file!"));
    // The row after them trained as usual.
    EXPECT_NE(ex.out.str().find("Label2\t" + (ex.dir / "xor_genetic.prj")), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(ex.dir / "xor_genetic.err"));
    EXPECT_FALSE(std::filesystem::exists(ex.dir / "missing.prj"));
    EXPECT_FALSE(std::filesystem::exists(ex.dir / "missing.err"));
    EXPECT_FALSE(std::filesystem::exists(ex.dir / "damaged.err"));
    EXPECT_EQ(test::read_file(ex.dir / "damaged.prj"), damaged_before);
}

TEST(Batch, MacroTrainsItsProjectsInTurn) {
    Examples ex;
    ASSERT_EQ(ex.run({"--run-macro", ex.dir / "breast_cancer.mcr"}), 0) << ex.out.str();
    const auto lines = ex.lines();
    ASSERT_EQ(lines.size(), 1u + 6u + 1u + 5u);
    EXPECT_EQ(lines[0], "Label2\t" + (ex.dir / "breast_cancer_backpropagation.prj"));
    EXPECT_EQ(lines[2], "Label3(1)\t300");
    EXPECT_EQ(lines[7], "Label2\t" + (ex.dir / "breast_cancer_genetic.prj"));
    EXPECT_EQ(lines[9], "Label3(1)\t100");
    EXPECT_TRUE(std::filesystem::exists(ex.dir / "breast_cancer_genetic.err"));
}

} // namespace
} // namespace corvane
