#include "batch.h"
#include "file_io.h"
#include "pattern_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sstream>

namespace tessaly {
namespace {

using test::Draw;
namespace fs = std::filesystem;

class Batch : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tessaly_batch_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Write(const std::string& name, const std::string& text) {
        const std::string path = (dir_ / name).string();
        EXPECT_TRUE(WriteFileReplacing(path, text));
        return path;
    }
    std::string Save(const std::string& name, const Pattern& p) {
        return Write(name, PatternFileText(p));
    }
    int Run(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        return RunBatch(args, out_, err_);
    }

    fs::path dir_;
    std::ostringstream out_;
    std::ostringstream err_;
};

const Pattern kT = Draw({"11111", "00100", "00100", "00100"});
const Pattern kL = Draw({"10000", "10000", "10000", "11111"});

TEST_F(Batch, RecallsAStoredPatternFromANoisyOne) {
    Pattern noisy = kT;
    noisy(0, 0) = -1;
    noisy(3, 4) = 1;
    const std::string t = Save("t.Tsy", kT), l = Save("l.Tsy", kL), n = Save("n.Tsy", noisy);
    for (const char* order : {"random-serial", "full-serial", "full-parallel"}) {
        EXPECT_EQ(Run({"--store", t, "--store", l, "--recall", n, "--order", order}), 0);
        EXPECT_EQ(out_.str(), PatternFileText(kT) + "\n") << order;
        EXPECT_EQ(err_.str(), "");
    }
    const std::string result = (dir_ / "r.Tsy").string();
    EXPECT_EQ(
        Run({"--store", t, "--recall", n, "--step", "--order", "full-serial", "--out", result}), 0);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(ReadWholeFile(result).bytes, PatternFileText(kT));
}

TEST_F(Batch, FileFailuresAreMessageLinesAndStatusOne) {
    const std::string t = Save("t.Tsy", kT);
    const std::string wide = Save("w.Tsy", Draw({"101"}));
    // Message boxes come out on standard output, where the results are, never on errors.
    EXPECT_EQ(Run({"--store", t, "--store", wide, "--recall", t}), 1);
    EXPECT_EQ(out_.str(), "MsgBox\tTessaly\t-2147220990  : Load File Error (Matrix Size is "
                          "diferent)\n");
    EXPECT_EQ(err_.str(), "");
    EXPECT_EQ(Run({"--recall", (dir_ / "none.Tsy").string()}), 1);
    EXPECT_EQ(out_.str(), "MsgBox\tTessaly\t53  : File not found\n");
    const std::string badWeights = Write("bad.TsyW", "[2X2] 0 1 1 0");
    EXPECT_EQ(Run({"--weights", badWeights, "--recall", t}), 1);
    EXPECT_EQ(out_.str(),
              "MsgBox\tTessaly\t-2147220990  : Load File Error (Matrix Size is diferent)\n");
    EXPECT_EQ(err_.str(), "");

    // A weight no float holds stops the run instead of becoming a matrix of zeros.
    const std::string small = Save("s.Tsy", Draw({"10"}));
    const std::string huge = Write("huge.TsyW", "[2X2]\r\n  0  1E+40\r\n  1E+40  0");
    const std::string saved = (dir_ / "saved.TsyW").string();
    EXPECT_EQ(Run({"--weights", huge, "--recall", small, "--save-weights", saved}), 1);
    EXPECT_EQ(out_.str(), "MsgBox\tTessaly\t6  : Overflow\n");
    EXPECT_EQ(err_.str(), "");
    EXPECT_FALSE(fs::exists(saved));
}

TEST_F(Batch, FailedSavesAreMessageLinesAndLeaveWhatWasThere) {
    // A folder stands where each result is to go (this holds for root too); inside it, a file
    // that must survive.
    const std::string a = Save("a.Tsy", Draw({"10"}));
    const fs::path outFolder = dir_ / "result.Tsy";
    const fs::path weightsFolder = dir_ / "w.TsyW";
    fs::create_directories(outFolder);
    fs::create_directories(weightsFolder);
    const std::string kept = Write("w.TsyW/kept.txt", "kept");
    EXPECT_EQ(Run({"--store", a, "--recall", a, "--out", outFolder.string(), "--save-weights",
                   weightsFolder.string()}),
              1);
    const std::string isFolder = std::strerror(EISDIR);
    EXPECT_EQ(out_.str(), "MsgBox\tTessaly\t75  : Path/File access error (" + outFolder.string() +
                              ": " + isFolder +
                              ")\n"
                              "MsgBox\tTessaly\t75  : Path/File access error (" +
                              weightsFolder.string() + ": " + isFolder + ")\n");
    EXPECT_EQ(err_.str(), "");
    EXPECT_TRUE(fs::is_directory(outFolder));
    EXPECT_EQ(ReadWholeFile(kept).bytes, "kept");

    // One failed save does not stop the other from being written.
    const std::string weights = (dir_ / "good.TsyW").string();
    EXPECT_EQ(
        Run({"--store", a, "--recall", a, "--out", outFolder.string(), "--save-weights", weights}),
        1);
    EXPECT_EQ(ReadWholeFile(weights).bytes, "[2X2]\r\n  0 -1\r\n -1  0");
}

TEST_F(Batch, OutcomeHoldsTheRecalledPatternAndTheWeightsInUse) {
    const std::string t = Save("t.Tsy", kT), l = Save("l.Tsy", kL);
    Pattern noisy = kT;
    noisy(0, 0) = -1;
    noisy(3, 4) = 1;
    const std::string n = Save("n.Tsy", noisy);
    BatchOutcome outcome;
    EXPECT_EQ(RunBatch({"--store", t, "--store", l, "--recall", n, "--order", "full-serial"}, out_,
                       err_, &outcome),
              0);
    EXPECT_EQ(outcome.recalled, kT);
    ASSERT_EQ(outcome.weights.rows(), 20);
    EXPECT_EQ(outcome.weights(0, 17), 1.0f) << "cells (1 , 1) and (4 , 3), on in T and in L";
    EXPECT_EQ(outcome.weights(0, 1), 0.0f) << "(1 , 2): on in T, off in L";
    EXPECT_EQ(outcome.weights(0, 0), 0.0f);

    // Given weights are the ones in use; nothing stored and none given: no matrix.
    const std::string start = Save("s.Tsy", Draw({"11"}));
    const std::string given = Write("g.TsyW", "[2X2]\r\n  0  .25\r\n  .25  0");
    EXPECT_EQ(RunBatch({"--weights", given, "--recall", start}, out_, err_, &outcome), 0);
    EXPECT_EQ(outcome.weights(1, 0), 0.25f);
    EXPECT_EQ(RunBatch({"--recall", start}, out_, err_, &outcome), 0);
    EXPECT_TRUE(outcome.weights.empty());
    EXPECT_EQ(outcome.recalled, Pattern(1, 2, -1));
}

TEST_F(Batch, OscillationIsStoppedAtTheFirstQuestion) {
    const std::string start = Save("s.Tsy", Draw({"11"}));
    const std::string weights = Write("w.TsyW", "[2X2]\r\n  0 -1\r\n -1  0");
    EXPECT_EQ(Run({"--weights", weights, "--recall", start, "--order", "full-parallel"}), 0);
    // The question, when it is asked, and then the result.
    EXPECT_EQ(out_.str(), "MsgBox\tTessaly\tThe Hopfied Net is still in an unstable state, after "
                          "100 iterations.\\nDo you wish to continue?\n"
                          "[1X2]\r\n1 1\n");
    EXPECT_EQ(err_.str(), "");
}

TEST_F(Batch, SavesTheWeightMatrixInUse) {
    const std::string a = Save("a.Tsy", Draw({"10"}));
    const std::string path = (dir_ / "a.TsyW").string();
    EXPECT_EQ(Run({"--store", a, "--recall", a, "--save-weights", path}), 0);
    EXPECT_EQ(ReadWholeFile(path).bytes, "[2X2]\r\n  0 -1\r\n -1  0");
    // Nothing stored: no matrix, the grid comes back all off.
    EXPECT_EQ(Run({"--recall", a, "--save-weights", path}), 1);
    EXPECT_EQ(out_.str(), "[1X2]\r\n0 0\n");
}

TEST_F(Batch, BadCommandLinesGiveStatusTwo) {
    EXPECT_EQ(Run({"--store"}), 2);
    EXPECT_EQ(Run({"--store", "a.Tsy"}), 2) << "no --recall";
    EXPECT_EQ(Run({"--recall", "a", "--order", "sideways"}), 2);
    EXPECT_EQ(Run({"--recall", "a", "--fast"}), 2);
    EXPECT_NE(err_.str().find("Usage:"), std::string::npos);
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_NE(out_.str().find("--save-weights"), std::string::npos);
    EXPECT_EQ(cli::how_to_start({"--help"}, true), cli::Start::batch);
    EXPECT_EQ(cli::how_to_start({"examples/Tessaly/A.Tsy"}, true), cli::Start::window);
}

// The whole batch mode: the table written by the engine, the figures through the window
// layer's hook (a build without it refuses them), the table refused without a matrix.
TEST_F(Batch, ExportsTheWeightsAndHandsTheFigureToTheHook) {
    const std::string a = Save("a.Tsy", Draw({"10"}));
    const std::string csv = (dir_ / "w.csv").string();
    const std::string png = (dir_ / "r.png").string();
    std::vector<Pattern> drawn;
    const FigureFiles figures = [&](const cli::Exports& exports, const BatchOutcome& outcome,
                                    std::ostream&) {
        EXPECT_EQ(exports.png, png);
        drawn.push_back(outcome.recalled);
        return 0;
    };
    EXPECT_EQ(batch_main({"--store", a, "--recall", a, "--export-csv", csv, "--export-png", png},
                         out_, err_, figures),
              0);
    EXPECT_EQ(drawn, std::vector<Pattern>{Draw({"10"})});
    EXPECT_EQ(ReadWholeFile(csv).bytes, "Neuron,\"(1 , 1)\",\"(1 , 2)\"\r\n"
                                        "\"(1 , 1)\",0,-1\r\n\"(1 , 2)\",-1,0\r\n");

    out_.str("");
    EXPECT_EQ(batch_main({"--recall", a, "--export-png", png}, out_, err_), 2);
    EXPECT_EQ(err_.str().rfind("Tessaly: " + std::string(cli::no_figures) + "\n\nUsage", 0), 0u);
    EXPECT_EQ(out_.str(), "") << "nothing ran";

    err_.str("");
    EXPECT_EQ(
        batch_main({"--recall", a, "--export-csv", csv, "--export-png", png}, out_, err_, figures),
        1);
    EXPECT_EQ(err_.str(), "Tessaly: no weights to export (nothing stored and no weights given)\n");
    EXPECT_EQ(drawn.size(), 2u) << "the figure is still written";
}

} // namespace
} // namespace tessaly
