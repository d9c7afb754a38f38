#include "case_name.h"
#include "engine/batch.h"
#include "engine/compute.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace pellin;
namespace fs = std::filesystem;

namespace {

struct Recorder : Report {
    std::vector<std::pair<std::string, std::string>> labels;
    std::vector<std::string> messages;
    void show(std::string_view label, const std::string& text) override {
        if (!text.empty()) labels.emplace_back(label, text);
    }
    void message(const std::string& title, const std::string& text) override {
        messages.push_back(title + ": " + text);
    }
};

class ComputeTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("pellin_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string write(const std::string& name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
        return (dir / name).string();
    }
    std::vector<std::string> run(ComputeRequest req) {
        Recorder r;
        last = compute(req, r);
        labels = r.labels;
        return r.messages;
    }
    ComputeRequest request(const std::string& file, std::string k = "1", std::string p = "2") {
        return ComputeRequest{file, k, p, false, false};
    }
    fs::path dir;
    ComputeOutcome last;
    std::vector<std::pair<std::string, std::string>> labels;
};

} // namespace

TEST_F(ComputeTest, NameWithoutExtensionGetsTxt) {
    write("four.txt", "4, 2, 1\n0.1\n0.2\n0.9\n1.0\n");
    auto base = (dir / "four").string();
    // The folder name holds no "." so the rule applies to the whole path.
    ASSERT_EQ(base.find('.'), std::string::npos);
    EXPECT_TRUE(run(request(base)).empty());
    EXPECT_EQ(last.filename, base + ".txt");
    EXPECT_TRUE(last.ok);
    EXPECT_EQ(labels.front(), (std::pair<std::string, std::string>{"Label18", "4"}));
}

TEST_F(ComputeTest, FileMessages) {
    EXPECT_EQ(run(request("")), std::vector<std::string>{"Wrong Specifications: Wrong Filename"});
    EXPECT_EQ(run(request((dir / "missing.txt").string())),
              std::vector<std::string>{"Wrong Specifications: File not found"});
    // What exists but is no readable file is not said to be missing; a FIFO is never waited on.
    ASSERT_EQ(::mkfifo((dir / "fifo.txt").c_str(), 0600), 0);
    for (const std::string& path : {dir.string() + "/.", (dir / "fifo.txt").string()})
        EXPECT_EQ(run(request(path)),
                  std::vector<std::string>{"Wrong Specifications: File cannot be read"})
            << path;
    EXPECT_FALSE(last.ok);
    // A byte-order mark before the header is no part of it.
    EXPECT_TRUE(run(request(write("mark.txt", "\xEF\xBB\xBF"
                                              "4, 2, 1\n0.1\n0.2\n0.9\n1.0\n")))
                    .empty());
    EXPECT_TRUE(last.ok);
}

struct CheckCase {
    const char* file;
    const char* k;
    const char* p;
    const char* message; // "" when accepted
};

class Checks : public ComputeTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(Checks, SettingsAndHeaderAreCheckedInOrder) {
    const CheckCase& c = GetParam();
    auto messages = run(request(write("p.txt", c.file), c.k, c.p));
    if (std::string(c.message).empty())
        EXPECT_TRUE(last.ok) << (messages.empty() ? "" : messages.front());
    else
        EXPECT_EQ(messages, std::vector<std::string>{c.message});
}

const char* const three_five = "8 3 1  0 0.1 0.2  1 1.1 1.2 1.3 1.4";

INSTANTIATE_TEST_SUITE_P(
    Cases, Checks,
    ::testing::Values(
        CheckCase{"4 2 1 0 1 2 3", "1", "2", ""},
        CheckCase{"3 1 1 0 1 2", "1", "2",
                  "Wrong Specifications: Wrong n or n1 read from the file"},
        CheckCase{"4 4 1 0 1 2 3", "1", "2",
                  "Wrong Specifications: Wrong n or n1 read from the file"},
        CheckCase{"4 1 1 0 1 2 3", "1", "2",
                  "Wrong Specifications: Wrong n or n1 read from the file"},
        CheckCase{"501 2 1", "1", "2", "Wrong Specifications: Wrong n or n1 read from the file"},
        CheckCase{"4 2 7", "1", "2", "Wrong Specification: Wrong dimension read from the file"},
        CheckCase{"4 2 0", "1", "2", "Wrong Specification: Wrong dimension read from the file"},
        CheckCase{three_five, "1", "3", ""},
        CheckCase{three_five, "1", "4", "Wrong Specifications: Wrong number of partitions"},
        CheckCase{three_five, "1", "1", "Wrong Specifications: Wrong number of partitions"},
        CheckCase{three_five, "1", "", "Wrong Specifications: Wrong number of partitions"},
        CheckCase{three_five, "2", "2", ""},
        CheckCase{three_five, "3", "2", "Wrong Specifications: Wrong number of neighbours"},
        CheckCase{three_five, "0", "2", "Wrong Specifications: Wrong number of neighbours"},
        CheckCase{three_five, "99999999999", "2",
                  "Wrong Specifications: Wrong number of neighbours"},
        CheckCase{"4 2 1 0 1 2", "1", "2",
                  "Wrong Specifications: The file ends after 3 of the 4 feature values announced "
                  "by its header"},
        CheckCase{"4 2 1 0 1 two 3", "1", "2",
                  "Wrong Specifications: Not a number where feature 1 of prototype 3 is expected"},
        CheckCase{"4 2 1 0 1 1e39 3", "1", "2",
                  "Wrong Specifications: The value of feature 1 of prototype 3 is beyond the "
                  "single-precision range"},
        CheckCase{"x", "1", "2",
                  "Wrong Specifications: The file does not begin with the numbers n, n1 and d"},
        // A byte-order mark and nothing else: no header.
        CheckCase{"\xEF\xBB\xBF", "1", "2",
                  "Wrong Specifications: The file does not begin with the numbers n, n1 and d"},
        // Six features, the most a prototype has.
        CheckCase{"4 2 6  0 0 0 0 0 0  0 0 0 0 0 1  5 5 5 5 5 5  5 5 5 5 5 6", "1", "2", ""},
        CheckCase{"4 2 6  0 0 0 0 0 0  0 0 0 0 0 1  5 5 5 5 5 5  5 5 5 5 5", "1", "2",
                  "Wrong Specifications: The file ends after 23 of the 24 feature values "
                  "announced by its header"}),
    [](const ::testing::TestParamInfo<CheckCase>& info) {
        const std::string_view message(info.param.message);
        return suite_testing::NumberedCaseName(
            info.index, message.empty() ? "Accepted" : message.substr(message.find(": ") + 2), 30);
    });

TEST_F(ComputeTest, ReadFileTakesWhatTheFileHolds) {
    const std::string text = "4, 2, 1\r\n0.1\r\n0.2\r\n0.9\r\n1.0\r\n";
    auto read = read_file(write("small.txt", text));
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.bytes, text);
    EXPECT_LT(read.bytes.capacity(), 1u << 20) << "a small file must not cost the whole limit";
    const std::string large(200000, '7');
    EXPECT_EQ(read_file(write("large.txt", large)).bytes, large);
    EXPECT_FALSE(read_file((dir / "missing.txt").string()).ok());
    // Past the limit the file is refused whole, never read in part.
    std::ofstream(dir / "huge.txt").close();
    std::filesystem::resize_file(dir / "huge.txt", max_file_bytes + 1);
    EXPECT_EQ(run(request((dir / "huge.txt").string())),
              std::vector<std::string>{"Wrong Specifications: File too large (more than 256 MiB)"});
}

TEST_F(ComputeTest, SummaryStaysAfterAFailedCheck) {
    run(request(write("p.txt", three_five), "3", "2"));
    std::vector<std::pair<std::string, std::string>> expected = {
        {"Label18", "8"}, {"Label20", "3"}, {"Label22", "5"}, {"Label29", "1"}};
    EXPECT_EQ(labels, expected);
}

TEST_F(ComputeTest, CountsBeyondThirtyTwoBitsAreShownAsRead) {
    EXPECT_EQ(run(request(write("big.txt", "2147483648 2 1\n0\n1\n"))),
              std::vector<std::string>{"Wrong Specifications: Wrong n or n1 read from the file"});
    std::vector<std::pair<std::string, std::string>> expected = {
        {"Label18", "2147483648"}, {"Label20", "2"}, {"Label22", "2147483646"}, {"Label29", "1"}};
    EXPECT_EQ(labels, expected);

    EXPECT_EQ(run(request(write("bigger.txt", "1e20 2 1\n0\n1\n"))),
              std::vector<std::string>{"Wrong Specifications: The number n at the start of the "
                                       "file is too large for a count"});
    EXPECT_TRUE(labels.empty());
}

TEST_F(ComputeTest, BatchPrintsLabelsAndMessagesInOrder) {
    std::string file = write("four.txt", "4, 2, 1\r\n0.1\r\n0.2\r\n0.9\r\n1.0\r\n");
    std::ostringstream out, err;
    EXPECT_EQ(run_batch({"--file", file, "--stepwise"}, out, err), 0);
    std::string text = out.str();
    EXPECT_EQ(text.rfind("Label18\t4\nLabel20\t2\nLabel22\t2\nLabel29\t1\nLabel11\t1\n", 0), 0u)
        << text;
    EXPECT_NE(text.find("MsgBox\tStep1 (1,1) (3,3)\tContinue...\n"), std::string::npos);
    EXPECT_NE(text.find("Label31\t0\n"), std::string::npos);

    std::ostringstream out2, err2;
    EXPECT_EQ(run_batch({"--file", file, "--neighbours", "2"}, out2, err2), 1);
    EXPECT_NE(out2.str().find("MsgBox\tWrong Specifications\tWrong number of neighbours\n"),
              std::string::npos);
}

TEST_F(ComputeTest, BatchCommandLineErrors) {
    std::ostringstream out, err;
    EXPECT_EQ(run_batch({"--neighbours", "2"}, out, err), 2);
    EXPECT_EQ(run_batch({"--file"}, out, err), 2);
    EXPECT_EQ(run_batch({"--file", "x", "--bogus"}, out, err), 2);
    EXPECT_EQ(run_batch({"--help"}, out, err), 0);
    EXPECT_NE(out.str().find("Usage"), std::string::npos);
}

TEST_F(ComputeTest, BatchExportOptionsAreReadWithTheCommandLine) {
    const BatchCommand command =
        parse_batch({"--export-csv", "r.csv", "--file", "data", "--neighbours", "3", "--edition"});
    ASSERT_FALSE(command.stop.has_value());
    EXPECT_EQ(command.request.filename, "data");
    EXPECT_EQ(command.request.neighbours, "3");
    EXPECT_EQ(command.request.partitions, "2");
    EXPECT_TRUE(command.request.edition);
    EXPECT_EQ(command.exports.csv, "r.csv");

    for (const auto& [args, start] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--file", "f", "--export-png", "p.png"},
              "Pellin: there is no figure to export; --export-csv writes the results\n"},
             {{"--file", "f", "--export-csv"}, "Pellin: --export-csv needs a value\n"},
             {{"--export-csv", "r.csv"}, "Pellin: --file PATH is required\n\nUsage"}}) {
        std::ostringstream out, err;
        EXPECT_EQ(run_batch(args, out, err), 2);
        EXPECT_EQ(err.str().rfind(start, 0), 0u) << err.str();
        EXPECT_TRUE(out.str().empty());
    }
    std::ostringstream out, err;
    EXPECT_EQ(run_batch({"--help"}, out, err), 0);
    EXPECT_NE(out.str().find("After the other options:\n  --export-csv FILE"), std::string::npos);
}

TEST_F(ComputeTest, EditingSchemeOnTheRealExample) {
    ComputeRequest req = request("../examples/Pellin/breast_cancer.txt", "3", "2");
    req.edition = true;
    Recorder r;
    ComputeOutcome o = compute(req, r);
    EXPECT_TRUE(o.ok);
    EXPECT_EQ(r.messages, std::vector<std::string>{"Edition: Continue..."});
}
