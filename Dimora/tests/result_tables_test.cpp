#include <gtest/gtest.h>

#include "result_tables.h"

using namespace dimora;

TEST(ResultTables, SizeRowsSplitUnitsAndWeightsAndKeepTheListsTexts) {
    const std::map<std::string, std::vector<std::string>> lists{
        {"ListUW", {"2 : 5", "3 : 9"}}, {"ListND", {"4", "7"}}, {"ListVCDl", {"3", "5"}},
        {"ListVCDu", {"6", "14"}},      {"ListLB", {"11"}},     {"ListUB", {"512", "1024"}}};
    const csv::Table t = nnSizeTable(lists);
    ASSERT_EQ(t.header.size(), 8u);
    ASSERT_EQ(t.rows.size(), 2u);
    EXPECT_EQ(t.rows[0], (csv::Row{"1", "2", "5", "4", "3", "6", "11", "512"}));
    // A list that fell short leaves its cell empty rather than shifting the row.
    EXPECT_EQ(t.rows[1], (csv::Row{"2", "3", "9", "7", "5", "14", "", "1024"}));
    EXPECT_TRUE(nnSizeTable({}).rows.empty());
}

TEST(ResultTables, CurvesInFullPrecisionWithTheBayesErrorLast) {
    SCCurves c;
    c.d = 2;
    c.Pe = 0.1586553f;
    c.ED = {0.1, 1.0 / 3.0};
    c.ET = {0.5, 0.25};
    c.SD = {0.01, 0.02};
    c.ST = {0.03, 0.04};
    const csv::Table t = scCurvesTable(c);
    ASSERT_EQ(t.rows.size(), 3u);
    EXPECT_EQ(t.rows[1][1], "1");
    EXPECT_EQ(std::stod(t.rows[1][2]), 1.0 / 3.0);
    EXPECT_EQ(t.rows[2][0], "Pe");
    EXPECT_EQ(std::stof(t.rows[2][2]), c.Pe);
}
