// Reading the training and test sets from a TAB-separated data file.
#include "engine/data_file.h"
#include "recorder.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/resource.h>

namespace corvane {
namespace {

using test::Recorder;
using test::TempDir;

// A project reading inputs `in` and targets `out` (first, last columns) from lines `train`
// (training) and `test` (test set).
definicoes_projecto selection(std::pair<const char*, const char*> in,
                              std::pair<const char*, const char*> out,
                              std::pair<const char*, const char*> train,
                              std::pair<const char*, const char*> test = {"1", "1"}) {
    definicoes_projecto d;
    d.Text1[1] = in.first;
    d.Text1[2] = in.second;
    d.Text1[5] = out.first;
    d.Text1[6] = out.second;
    d.Text1[3] = train.first;
    d.Text1[4] = train.second;
    d.Text1[9] = test.first;
    d.Text1[10] = test.second;
    return d;
}

struct Reader {
    TempDir dir;
    Recorder view;
    ConjuntosDados sets;

    bool read(const std::string& content, const definicoes_projecto& d, bool training = true,
              int inputs = 0, int outputs = 0, int patterns = 0) {
        test::write_file(dir / "data.txt", content);
        if (training) {
            sets.entradas_treino.dimensiona(inputs, patterns);
            sets.saidas_treino.dimensiona(outputs, patterns);
        }
        return test::shown(le_dados(d, dir / "data.txt", training, sets), view);
    }
    bool failed_with_message() const {
        return view.texts() == std::vector<std::string>{std::string(msg::erro_ler_dados)} &&
               view.busy_calls == std::vector<bool>{false} && view.pointer == Pointer::arrow;
    }
};

const char* example = "x1\tx2\ty\r\n0\t0\t0\r\n0\t1\t1\r\n1\t0\t1\r\n1\t1\t0\r\n"
                      "0,1\t0,9\t1\r\n0,9\t0,9\t0\r\n";

TEST(DataFile, ReadsTheChosenLinesAndColumnsOfBothSets) {
    Reader r;
    auto d = selection({"1", "2"}, {"3", "3"}, {"2", "5"}, {"6", "7"});
    ASSERT_TRUE(r.read(example, d, true, 2, 1, 4));
    const Matriz& in = r.sets.entradas_treino;
    EXPECT_EQ(in.valores, (std::vector<float>{0, 0, 0, 1, 1, 0, 1, 1}));
    EXPECT_EQ(r.sets.saidas_treino.valores, (std::vector<float>{0, 1, 1, 0}));

    ASSERT_TRUE(test::shown(le_dados(d, r.dir / "data.txt", false, r.sets), r.view));
    EXPECT_EQ(r.sets.entradas_teste.n_padroes, 2);
    EXPECT_EQ(r.sets.entradas_teste.valores, (std::vector<float>{0.1f, 0.9f, 0.9f, 0.9f}));
    EXPECT_EQ(r.sets.saidas_teste.valores, (std::vector<float>{1, 0}));
    EXPECT_TRUE(r.view.messages.empty());
}

TEST(DataFile, FieldsAreSeparatedByTabsOnlyAndReadAsNumbers) {
    Reader r;
    ASSERT_TRUE(r.read("3,5\t1,5,2\tabc\t\t 2 5\t1e-3\n",
                       selection({"1", "6"}, {"1", "1"}, {"1", "1"}), true, 6, 1, 1));
    EXPECT_EQ(r.sets.entradas_treino.valores,
              (std::vector<float>{3.5f, 1.5f, 0.0f, 0.0f, 25.0f, 0.001f}));
}

TEST(DataFile, ColumnsMayLieAnywhereAndOverlap) {
    Reader r;
    ASSERT_TRUE(r.read("9\t4\t5\n", selection({"2", "3"}, {"1", "1"}, {"1", "1"}), true, 2, 1, 1));
    EXPECT_EQ(r.sets.entradas_treino.valores, (std::vector<float>{4, 5}));
    EXPECT_EQ(r.sets.saidas_treino.valores, (std::vector<float>{9}));
    Reader overlap;
    ASSERT_TRUE(
        overlap.read("9\t4\t5\n", selection({"1", "2"}, {"2", "3"}, {"1", "1"}), true, 2, 2, 1));
    EXPECT_EQ(overlap.sets.saidas_treino.valores, (std::vector<float>{4, 5}));
}

TEST(DataFile, AMissingFieldFails) {
    Reader r;
    EXPECT_FALSE(r.read("1\t2\r\n", selection({"1", "3"}, {"1", "1"}, {"1", "1"}), true, 3, 1, 1));
    EXPECT_TRUE(r.failed_with_message());
    // Values stored before the failure stay.
    EXPECT_EQ(r.sets.entradas_treino.valores, (std::vector<float>{1, 2, 0}));
}

TEST(DataFile, ASetPastTheEndOfTheFileIsRefusedNamingItsLines) {
    // Lines the file has not got would be trained on as zeros.
    Reader r;
    EXPECT_FALSE(r.read("h\r\n1\t2\r\n3\t4\r\n", selection({"1", "1"}, {"2", "2"}, {"2", "5"}),
                        true, 1, 1, 4));
    EXPECT_EQ(r.view.texts(), std::vector<std::string>{
                                  "Please check values of \"Training data and Test data\" box: "
                                  "the training lines 2 to 5 go past the end of the data "
                                  "file, which has 3 lines."});
    EXPECT_EQ(r.view.busy_calls, std::vector<bool>{false});
    // A test set starting just past the last line, in a file whose last line has no line end.
    Reader test;
    EXPECT_FALSE(test.read("1\t2\r\n3\t4",
                           selection({"1", "1"}, {"2", "2"}, {"1", "1"}, {"3", "3"}), false));
    EXPECT_EQ(test.view.texts(), std::vector<std::string>{
                                     "Please check values of \"Training data and Test data\" box: "
                                     "the testing lines 3 to 3 go past the end of the data "
                                     "file, which has 2 lines."});
    // The same with a line end after the last line: that line end starts no further line.
    Reader ended;
    EXPECT_FALSE(ended.read("1\t2\r\n3\t4\r\n", selection({"1", "1"}, {"2", "2"}, {"3", "3"}), true,
                            1, 1, 1));
    EXPECT_EQ(ended.view.texts(), std::vector<std::string>{
                                      "Please check values of \"Training data and Test data\" box: "
                                      "the training lines 3 to 3 go past the end of the data "
                                      "file, which has 2 lines."});
    // A file holding only a byte-order mark has no line at all.
    Reader mark;
    EXPECT_FALSE(
        mark.read("\xEF\xBB\xBF", selection({"1", "1"}, {"2", "2"}, {"1", "1"}), true, 1, 1, 1));
    EXPECT_EQ(mark.view.texts(), std::vector<std::string>{
                                     "Please check values of \"Training data and Test data\" box: "
                                     "the training lines 1 to 1 go past the end of the data "
                                     "file, which has 0 lines."});
    // The last line of the file is still in it.
    Reader last;
    EXPECT_TRUE(
        last.read("1\t2\r\n3\t4", selection({"1", "1"}, {"2", "2"}, {"2", "2"}), true, 1, 1, 1));
}

TEST(DataFile, EveryLineEndAndAByteOrderMarkReadTheSame) {
    for (const char* text : {"1\t2\r\n3\t4\r\n", "1\t2\n3\t4\n", "1\t2\r3\t4\r", "1\t2\r3\t4\r\n",
                             "\xEF\xBB\xBF"
                             "1\t2\r\n3\t4"}) {
        Reader r;
        ASSERT_TRUE(r.read(text, selection({"1", "1"}, {"2", "2"}, {"1", "2"}), true, 1, 1, 2))
            << r.view.texts().front();
        EXPECT_EQ(r.sets.entradas_treino.valores, (std::vector<float>{1, 3}));
        EXPECT_EQ(r.sets.saidas_treino.valores, (std::vector<float>{2, 4}));
    }
}

TEST(DataFile, FilesThatHoldNoUsableNumbersAreRefused) {
    using namespace std::string_literals;
    struct Case {
        std::string content;
        const char* why;
    };
    for (const Case& c : {Case{"\xFF\xFE"
                               "1\0\t\0"
                               "2\0\r\0\n\0"s,
                               "16-bit text with its mark"},
                          Case{"1\0\t\0"
                               "2\0\r\0\n\0"
                               "3\0\t\0"
                               "4\0"s,
                               "16-bit text"},
                          Case{"x1\tx2\r\nx3\tx4\r\n", "only text where the set lies"},
                          Case{"1\t1e400\r\n1\t2\r\n", "beyond any double"},
                          Case{"1\t1e39\r\n1\t2\r\n", "beyond any float"},
                          Case{"1\t2\r\n-4e38\t2\r\n", "below any float"}}) {
        Reader r;
        EXPECT_FALSE(
            r.read(c.content, selection({"1", "1"}, {"2", "2"}, {"1", "2"}), true, 1, 1, 2))
            << c.why;
        EXPECT_TRUE(r.failed_with_message()) << c.why;
    }
    // Text, NaN, Inf and empty fields beside numbers are read as 0, as a setting text would be.
    Reader r;
    ASSERT_TRUE(r.read("NaN\t1\r\nInf\t\r\n", selection({"1", "1"}, {"2", "2"}, {"1", "2"}), true,
                       1, 1, 2));
    EXPECT_EQ(r.sets.entradas_treino.valores, (std::vector<float>{0, 0}));
    EXPECT_EQ(r.sets.saidas_treino.valores, (std::vector<float>{1, 0}));
}

TEST(DataFile, ImpossibleLineNumbersFail) {
    struct Case {
        const char* first;
        const char* last;
    };
    // Line 0, a line past the end, a first line that is not whole, the last 16-bit line.
    for (Case c : {Case{"0", "1"}, Case{"9", "9"}, Case{"1.5", "2"}, Case{"1", "32767"}}) {
        Reader r;
        EXPECT_FALSE(r.read("1\t2\r\n3\t4\r\n",
                            selection({"1", "1"}, {"2", "2"}, {c.first, c.last}), true, 1, 1, 2))
            << c.first << ".." << c.last;
        EXPECT_TRUE(r.failed_with_message());
    }
    Reader missing;
    EXPECT_FALSE(test::shown(le_dados(selection({"1", "1"}, {"2", "2"}, {"1", "1"}),
                                      missing.dir / "none.txt", true, missing.sets),
                             missing.view));
    EXPECT_TRUE(missing.failed_with_message());
}

TEST(DataFile, ReversedOrFractionalColumnsFailInsteadOfRunningOn) {
    for (auto cols : {std::pair{"3", "1"}, std::pair{"1", "1.5"}, std::pair{"0.5", "1"}}) {
        Reader r;
        EXPECT_FALSE(r.read("1\t2\t3\r\n", selection(cols, {"3", "3"}, {"1", "1"}), true, 2, 1, 1));
        EXPECT_TRUE(r.failed_with_message());
    }
}

TEST(DataFile, ReadingTheTestSetAgainStartsFromZero) {
    Reader r;
    auto d = selection({"1", "1"}, {"2", "2"}, {"1", "1"}, {"1", "2"});
    ASSERT_TRUE(r.read("5\t6\r\n7\t8\r\n", d, false));
    EXPECT_EQ(r.sets.entradas_teste.valores, (std::vector<float>{5, 7}));
    test::write_file(r.dir / "data.txt", "1\t1\r\nx\tx\r\n");
    ASSERT_TRUE(test::shown(le_dados(d, r.dir / "data.txt", false, r.sets), r.view));
    EXPECT_EQ(r.sets.entradas_teste.valores, (std::vector<float>{1, 0}));
}

// The largest size the process has held so far, in bytes.
std::size_t peak_memory() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<std::size_t>(usage.ru_maxrss) * 1024;
}

TEST(DataFile, OnlyTheLinesUpToTheSetsLastAreReadAndHeld) {
    // A set at the start of a file of 250 MB (sparse: what lies past the set was never written).
    Reader r;
    std::string lines;
    for (int i = 0; i < 20; ++i)
        lines += std::to_string(i) + "\t" + std::to_string(i % 2) + "\r\n";
    test::write_file(r.dir / "data.txt", lines);
    std::filesystem::resize_file(r.dir / "data.txt", 250'000'000);
    const std::size_t before = peak_memory();
    auto d = selection({"1", "1"}, {"2", "2"}, {"3", "12"}, {"13", "14"});
    ASSERT_TRUE(test::shown(le_dados(d, r.dir / "data.txt", true, r.sets), r.view));
    ASSERT_TRUE(test::shown(le_dados(d, r.dir / "data.txt", false, r.sets), r.view));
    EXPECT_LT(peak_memory() - before, std::size_t{50} << 20);
    EXPECT_EQ(r.sets.entradas_treino.n_padroes, 10);
    EXPECT_EQ(r.sets.entradas_treino.valores.front(), 2.0f);
    EXPECT_EQ(r.sets.saidas_teste.valores, (std::vector<float>{0, 1}));
    // Lines split across the reader's pieces of 64 KiB, and a CR LF split between two of them,
    // read whole.
    Reader split;
    std::string text;
    int n = 0;
    for (; text.size() < 200'000; ++n) {
        std::string line = std::to_string(n) + "\t" + std::to_string(n % 7);
        const bool across = text.size() < 65536 && text.size() + line.size() + 40 > 65536;
        if (across) // a third field that puts the line's CR at byte 65535
            line += "\t" + std::string(65535 - text.size() - line.size() - 1, 'x');
        text += line + (across || n % 3 ? "\r\n" : "\r");
    }
    ASSERT_EQ(text.substr(65535, 2), "\r\n");
    ASSERT_TRUE(split.read(
        text, selection({"1", "1"}, {"2", "2"}, {"1", std::to_string(n).c_str()}), true));
    ASSERT_EQ(split.sets.entradas_treino.n_padroes, n);
    for (int p = 0; p < n; ++p) {
        ASSERT_EQ(split.sets.entradas_treino(0, p), static_cast<float>(p)) << p;
        ASSERT_EQ(split.sets.saidas_treino(0, p), static_cast<float>(p % 7)) << p;
    }
}

TEST(DataFile, BinaryGarbageGivesTheMessageNotACrash) {
    Reader r;
    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk.push_back(static_cast<char>((i * 7919) % 256));
    const bool ok = r.read(junk, selection({"1", "3"}, {"4", "4"}, {"1", "3"}), true, 3, 1, 3);
    EXPECT_TRUE(ok || r.failed_with_message());
}

} // namespace
} // namespace corvane
