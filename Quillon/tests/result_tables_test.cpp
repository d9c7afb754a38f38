#include <gtest/gtest.h>

#include "engine/result_tables.h"
#include "engine/segment_list.h"

namespace quillon {
namespace {

Analysis two_segments(Mode m) {
    Analysis a;
    a.mode = m;
    a.nseg = 2;
    a.segLength[1] = 12.0f;
    a.segSlope[1] = 0.1f;
    a.symbol[1] = "u";
    a.state[1] = "A";
    a.segLength[2] = 3.0f;
    a.segSlope[2] = -123.456f;
    a.symbol[2] = "D";
    a.state[2] = "F";
    return a;
}

// The table has the columns the list shows in each mode, row for row.
TEST(SegmentTable, ColumnsFollowTheList) {
    EXPECT_FALSE(segment_table(two_segments(Mode::signal_only)));

    auto approximated = segment_table(two_segments(Mode::approximated));
    ASSERT_TRUE(approximated);
    EXPECT_EQ(approximated->header, (csv::Row{"#", "Length", "End", "Slope"}));
    EXPECT_EQ(approximated->rows,
              (std::vector<csv::Row>{{"1", "12", "13", "0.1"}, {"2", "3", "16", "-123.456"}}));

    auto parsed = segment_table(two_segments(Mode::parsed));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->header, (csv::Row{"#", "Length", "End", "Slope", "Symbol", "State"}));
    EXPECT_EQ(parsed->rows[1], (csv::Row{"2", "3", "16", "-123.456", "D", "F"}));
    EXPECT_EQ(segment_table(two_segments(Mode::labelled))->header.back(), "Symbol");

    auto string = segment_table(two_segments(Mode::string_read));
    ASSERT_TRUE(string);
    EXPECT_EQ(string->header, (csv::Row{"#", "Symbol"}));
    EXPECT_EQ(string->rows, (std::vector<csv::Row>{{"1", "u"}, {"2", "D"}}));
    EXPECT_EQ(segment_table(two_segments(Mode::string_parsed))->rows[0], (csv::Row{"1", "u", "A"}));
}

// The list rounds the slope to two decimals; the table keeps every digit of the float, and its
// end samples agree with the list's.
TEST(SegmentTable, NumbersInFullPrecisionAgreeWithTheList) {
    Analysis a = two_segments(Mode::approximated);
    a.segSlope[1] = 1.0f / 3.0f;
    const auto table = segment_table(a);
    ASSERT_TRUE(table);
    EXPECT_EQ(std::stof(table->rows[0][3]), 1.0f / 3.0f);
    EXPECT_EQ(csv::to_csv(*table), "#,Length,End,Slope\r\n1,12,13,0.33333334\r\n"
                                   "2,3,16,-123.456\r\n");
    EXPECT_NE(ShowList(a)[1].find("3(  16)"), std::string::npos);
}

TEST(SampleTable, TheListedSamplesWithEveryDigit) {
    Analysis a;
    a.na = 3;
    a.y[1] = 0.1f;
    a.y[2] = -1234.5f;
    a.y[3] = 1e-7f;
    EXPECT_FALSE(sample_table(a, {}));
    const auto table = sample_table(a, {1, 3});
    ASSERT_TRUE(table);
    EXPECT_EQ(csv::to_csv(*table), "Sample,Value\r\n1,0.1\r\n3,1E-07\r\n");
    EXPECT_EQ(std::stof(table->rows[1][1]), 1e-7f);
}

TEST(TransitionTable, RowsUpToTheLastFilledOneKeepTheirPlaces) {
    Cells cells{};
    EXPECT_FALSE(transition_table(cells));
    cells[0] = "A";
    cells[1] = "h";
    cells[2] = "A";
    cells[3 * 3 + 1] = "x,\"y\""; // a cell typed after a gap of empty rows
    auto table = transition_table(cells);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->header, (csv::Row{"Present State", "Input", "Next State"}));
    ASSERT_EQ(table->rows.size(), 4u);
    EXPECT_EQ(table->rows[1], (csv::Row{"", "", ""}));
    EXPECT_EQ(csv::to_csv(*table), "Present State,Input,Next State\r\nA,h,A\r\n,,\r\n,,\r\n"
                                   ",\"x,\"\"y\"\"\",\r\n");

    cells[kGridCells - 1] = "F"; // the last cell of the grid
    EXPECT_EQ(transition_table(cells)->rows.size(), static_cast<std::size_t>(kGridRows));
}

} // namespace
} // namespace quillon
