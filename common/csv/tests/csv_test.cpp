#include "csv/csv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale>
#include <random>

namespace {

// A locale whose decimal point is a comma, as many users have.
struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

class CommaLocale {
public:
    CommaLocale() : previous_(std::locale::global(std::locale(std::locale(), new CommaPoint))) {}
    ~CommaLocale() { std::locale::global(previous_); }

private:
    std::locale previous_;
};

TEST(CsvTable, AwkwardFieldsSurviveTheRoundTrip) {
    csv::Table table{{"name", "a,b", "say \"hi\""},
                     {{"plain", "", " padded "},
                      {"two\r\nlines", "one\nline", "\"quoted\""},
                      {"\xC3\xA9\xCF\x83", ",", "\""}}};
    const std::string text = csv::to_csv(table);
    EXPECT_EQ(text.substr(0, text.find("\r\n") + 2), "name,\"a,b\",\"say \"\"hi\"\"\"\r\n");
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    auto rows = csv::parse(text);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 4u);
    EXPECT_EQ((*rows)[0], table.header);
    for (std::size_t i = 0; i < table.rows.size(); ++i)
        EXPECT_EQ((*rows)[i + 1], table.rows[i]) << "row " << i;
}

TEST(CsvTable, ReaderAcceptsLfEndsAndAMissingLastEnd) {
    auto rows = csv::parse("a,b\n1,2\n3,");
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 3u);
    EXPECT_EQ((*rows)[2], (csv::Row{"3", ""}));
    EXPECT_FALSE(csv::parse("a,\"never closed\r\n"));
    EXPECT_FALSE(csv::parse("\"closed\"then,more"));
    EXPECT_EQ(csv::parse("")->size(), 0u);
}

TEST(CsvTable, TabSeparatedKeepsEveryFieldInOneCell) {
    csv::Table table{{"x", "y"}, {{"1\t2", "a\r\nb"}, {"0.5", ""}}};
    EXPECT_EQ(csv::to_tab_separated(table), "x\ty\n1 2\ta  b\n0.5\t\n");
}

// Every float and double must read back to the same bits, with a "." even while the program's
// locale writes decimal commas.
TEST(CsvNumbers, ReadBackExactlyUnderACommaLocale) {
    CommaLocale comma;
    std::mt19937 random(7);
    std::uniform_int_distribution<std::uint32_t> bits;
    for (int i = 0; i < 2000; ++i) {
        std::uint32_t b = bits(random);
        float f;
        std::memcpy(&f, &b, sizeof f);
        if (!std::isfinite(f)) continue;
        std::string text = csv::number(f);
        ASSERT_EQ(text.find(','), std::string::npos) << text;
        EXPECT_EQ(std::strtof(text.c_str(), nullptr), f) << text;
    }
    for (double d : {0.1, -1.0 / 3.0, 1e300, 4.9e-324, 123456789012345678.0}) {
        std::string text = csv::number(d);
        EXPECT_EQ(text.find(','), std::string::npos) << text;
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), d) << text;
    }
    EXPECT_EQ(csv::number(0.1f), "0.1");
    EXPECT_EQ(csv::number(-2.5), "-2.5");
    EXPECT_EQ(csv::number(1234567), "1234567");
    EXPECT_EQ(csv::number(std::int64_t{-40}), "-40");
}

} // namespace
