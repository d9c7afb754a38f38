#include "case_name.h"

#include "file_io.h"
#include "main_settings.h"
#include "pattern_file.h"
#include "pattern_ops.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include <filesystem>
#include <fstream>

namespace tessaly {
namespace {

using test::Draw;
namespace fs = std::filesystem;

class TempDir : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tessaly_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    fs::path dir_;
};

TEST(PatternFile, TextHasHeaderRowsOfCellsAndCrLfBetweenRows) {
    EXPECT_EQ(PatternFileText(Draw({"100", "001"})), "[2X3]\r\n1 0 0\r\n0 0 1");
}

struct ParseCase {
    const char* name;
    const char* text;
    bool locked;
    const char* failure; ///< expected failure text, or "" for none
    std::vector<const char*> rows;
};

class ParsePattern : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParsePattern, GivesTheExpectedPatternOrFailure) {
    const ParseCase& c = GetParam();
    // The window's current pattern: 3 x 2, top-left cell on.
    const Pattern current = Draw({"10", "00", "00"});
    const PatternLoad load = ParsePatternText(c.text, current, c.locked);
    EXPECT_EQ(load.failure ? load.failure->Text() : std::string(), c.failure);
    const std::vector<const char*> rows = c.rows;
    Pattern expected(static_cast<int>(rows.size()), static_cast<int>(std::string(rows[0]).size()));
    for (int r = 0; r < expected.rows(); ++r)
        for (int col = 0; col < expected.columns(); ++col)
            expected(r, col) = rows[static_cast<std::size_t>(r)][col] == '1' ? 1 : -1;
    EXPECT_EQ(load.pattern, expected);
}

const char* const kStructure = "-2147220991  : Load File Error (File Structure)";
const char* const kSize = "-2147220990  : Load File Error (Matrix Size is diferent)";

INSTANTIATE_TEST_SUITE_P(
    Texts, ParsePattern,
    ::testing::Values(
        ParseCase{"CrLfLines", "[3x2]\r\n1 0\r\n0 1\r\n1 1", false, "", {"10", "01", "11"}},
        ParseCase{"OneLine", "[3X2] 1 0 0 1 1 1", false, "", {"10", "01", "11"}},
        ParseCase{
            "LfAndManyBlanks", "[ 3 X 2 ]\n1   0\n\t0 1\n1    1\n", false, "", {"10", "01", "11"}},
        ParseCase{"SurplusIgnored", "[1X2] 1 1 0 0 1", false, "", {"11"}},
        ParseCase{"OtherTokenKeepsCell", "[3X2] 2 0 0 1 1 1", true, "", {"10", "01", "11"}},
        ParseCase{"LockedOtherSize", "[2X2] 1 1 1 1", true, kSize, {"10", "00", "00"}},
        ParseCase{"NoOpeningBracket", "3X2] 1 0", false, kStructure, {"10", "00", "00"}},
        ParseCase{"NoClosingBracket", "[3X2 1 0", false, kStructure, {"10", "00", "00"}},
        ParseCase{"XBeforeBracket", "X[3 2] 1 0", false, kStructure, {"10", "00", "00"}},
        ParseCase{"Binary", "\x01\xff\x00\x7f", false, kStructure, {"10", "00", "00"}},
        ParseCase{"RowsNotANumber", "[AX2] 1 0", false, "13  : Type mismatch", {"10", "00", "00"}},
        ParseCase{"RowsEmpty", "[X2] 1 0", false, "13  : Type mismatch", {"10", "00", "00"}},
        ParseCase{"RowsOverflow", "[40000X2] 1 0", false, "6  : Overflow", {"10", "00", "00"}},
        ParseCase{
            "RowsZero", "[0X2] 1 0", false, "380  : Invalid property value", {"10", "00", "00"}},
        ParseCase{"ColumnsAboveFifty",
                  "[2X51] 1 0",
                  false,
                  "380  : Invalid property value",
                  {"10", "00", "00"}},
        ParseCase{"HalfRoundsToEven", "[2.5X1.5] 1 0 1 1", false, "", {"10", "11"}},
        // Too few cells: the window has taken the new size; the cells read before stay set.
        ParseCase{"TooFewTokens", "[2X2]\r\n1 1\r\n1", false, kStructure, {"11", "10"}}),
    [](const auto& info) { return std::string(info.param.name); });

class PatternFiles : public TempDir {};

TEST_F(PatternFiles, SavedPatternLoadsBackExactlyAlsoAfterNoise) {
    UniformRandom random(7);
    Pattern p(50, 50, -1);
    ToggleRectangle(p, 3, 4, 20, 30);
    AddNoise(p, random);
    ASSERT_TRUE(WriteFileReplacing(Path("p.Tsy"), PatternFileText(p)));
    const PatternLoad load = LoadPatternFile(Path("p.Tsy"), Pattern(12, 10, -1), false);
    EXPECT_TRUE(load.ok());
    EXPECT_TRUE(load.resized);
    EXPECT_EQ(load.pattern, p);
}

TEST_F(PatternFiles, UnreadableFilesGiveTheirFailure) {
    const Pattern current(2, 2, 1);
    const PatternLoad missing = LoadPatternFile(Path("none.Tsy"), current, false);
    EXPECT_EQ(missing.failure->Text(), "53  : File not found");
    EXPECT_EQ(missing.pattern, current);
    EXPECT_EQ(LoadPatternFile(dir_.string(), current, false).failure->Text(),
              "75  : Path/File access error");
    {
        std::ofstream big(Path("big.Tsy"), std::ios::binary);
        big << "[1X1]";
        big << std::string(1000, ' ');
    }
    EXPECT_EQ(ReadWholeFile(Path("big.Tsy"), 100).failure->Text(),
              "-2147220989  : Load File Error (File too large)");
    // Nothing that is not a regular file is opened, so a FIFO never blocks the reader.
    ASSERT_EQ(::mkfifo(Path("fifo.Tsy").c_str(), 0600), 0);
    for (const std::string& path : {Path("fifo.Tsy"), std::string("/dev/zero")})
        EXPECT_EQ(LoadPatternFile(path, current, false).failure->Text(),
                  "75  : Path/File access error");
    // A UTF-8 byte-order mark is not part of the pattern.
    {
        std::ofstream marked(Path("mark.Tsy"), std::ios::binary);
        marked << "\xEF\xBB\xBF" << PatternFileText(current);
    }
    EXPECT_EQ(LoadPatternFile(Path("mark.Tsy"), Pattern(1, 1, -1), false).pattern, current);
    // The mark alone is a file without a header, and the window's pattern stays.
    std::ofstream(Path("only_mark.Tsy"), std::ios::binary) << "\xEF\xBB\xBF";
    const PatternLoad onlyMark = LoadPatternFile(Path("only_mark.Tsy"), current, false);
    ASSERT_TRUE(onlyMark.failure);
    EXPECT_EQ(onlyMark.failure->Text(), "-2147220991  : Load File Error (File Structure)");
    EXPECT_EQ(onlyMark.pattern, current);
}

TEST_F(PatternFiles, ReplacingAFileKeepsTheOldOneWhenTheWriteCannotHappen) {
    ASSERT_TRUE(WriteFileReplacing(Path("a.Tsy"), "old"));
    ASSERT_TRUE(WriteFileReplacing(Path("a.Tsy"), "new"));
    EXPECT_EQ(ReadWholeFile(Path("a.Tsy")).bytes, "new");
    EXPECT_FALSE(WriteFileReplacing(Path("missing/dir/a.Tsy"), "x"));
    EXPECT_FALSE(WriteFileReplacing("", "x"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

// A save that cannot be completed leaves the previous file as it was and no temporary file.
TEST_F(PatternFiles, ReplacingKeepsTheOldFileWhenTheWriteFailsMidwayOrItIsReadOnly) {
    const std::string path = Path("a.Tsy");
    ASSERT_TRUE(WriteFileReplacing(path, "old"));
    auto only_the_old_file = [&] {
        EXPECT_EQ(ReadWholeFile(path).bytes, "old");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
    };
    {
        // The writer fails midway: the process may write only 4 KiB into any file.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        rlimit small = saved;
        small.rlim_cur = 4096;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool written = WriteFileReplacing(path, std::string(1 << 20, '1'));
        setrlimit(RLIMIT_FSIZE, &saved);
        EXPECT_FALSE(written);
        only_the_old_file();
    }
    if (::geteuid() != 0) { // root may write any file
        fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
        EXPECT_FALSE(WriteFileReplacing(path, "new")) << "a read-only file is not replaced";
        only_the_old_file();
    }
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(WriteFileReplacing(path, "new"));
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write)
        << "a replaced file keeps its permissions";
}

TEST_F(PatternFiles, ReplacingKeepsTheOldFileInAReadOnlyFolder) {
    ASSERT_TRUE(WriteFileReplacing(Path("a.Tsy"), "old"));
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    const bool folder_writable = access(dir_.c_str(), W_OK) == 0; // as root it stays so
    const bool written = !folder_writable && WriteFileReplacing(Path("a.Tsy"), "new");
    fs::permissions(dir_, fs::perms::owner_all);
    if (folder_writable) GTEST_SKIP() << "folder permissions do not bind this user";
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadWholeFile(Path("a.Tsy")).bytes, "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST(PatternOps, DragToggleCoversTheRectangleInEitherDirection) {
    Pattern p(5, 5, -1);
    p(1, 1) = 1;
    const Pattern before = p;
    ToggleRectangle(p, 0, 0, 2, 3);
    int on = 0;
    for (const auto cell : p.values())
        on += cell == 1;
    EXPECT_EQ(on, 11); // 12 toggled, one of them was on
    EXPECT_EQ(p(1, 1), -1);
    EXPECT_EQ(p(3, 0), -1);
    ToggleRectangle(p, 2, 3, 0, 0);
    EXPECT_EQ(p, before);
    ToggleRectangle(p, 4, 4, 4, 4);
    EXPECT_EQ(p(4, 4), 1);
    ToggleRectangle(p, -3, 9, 99, 9); // corners brought inside: the last column
    EXPECT_EQ(p(0, 4), 1);
    EXPECT_EQ(p(4, 4), -1);
}

TEST(PatternOps, NoiseFlipsAboutOneCellInTwenty) {
    UniformRandom random(12345);
    Pattern p(50, 50, -1);
    const int flipped = AddNoise(p, random);
    int on = 0;
    for (const auto cell : p.values())
        on += cell == 1;
    EXPECT_EQ(on, flipped);
    EXPECT_GT(flipped, 80);
    EXPECT_LT(flipped, 170);
}

struct PlacementCase {
    std::optional<std::string> stored;
    bool positive;
    float expected;
};

class Placement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(Placement, StoredTextIsUsedOnlyWhenItIsASensibleNumber) {
    const auto& c = GetParam();
    EXPECT_EQ(PlacementValue(c.stored, 1000.0f, c.positive), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Placement,
    ::testing::Values(PlacementCase{std::nullopt, false, 1000.0f},
                      PlacementCase{"2400", false, 2400.0f}, PlacementCase{"-300", false, -300.0f},
                      PlacementCase{" 15.5 ", false, 15.5f}, PlacementCase{"abc", false, 1000.0f},
                      PlacementCase{"12abc", false, 1000.0f},
                      PlacementCase{"1E300", false, 1000.0f}, PlacementCase{"0", true, 1000.0f},
                      PlacementCase{"-5", true, 1000.0f}),
    [](const ::testing::TestParamInfo<PlacementCase>& info) {
        const PlacementCase& c = info.param;
        return (c.stored ? suite_testing::CaseName(*c.stored) : std::string("Absent")) +
               (c.positive ? "_Positive" : "_Any");
    });

TEST(Placement, IsWrittenAsWholeTwips) {
    EXPECT_EQ(PlacementText(1000), "1000");
    EXPECT_EQ(PlacementText(2302.5), "2302");
    EXPECT_EQ(PlacementText(-45), "-45");
}

} // namespace
} // namespace tessaly
