#include "hopfield_net.h"
#include "test_support.h"
#include "weight_table.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <locale>

namespace tessaly {
namespace {

using test::Draw;

// A locale whose decimal point is a comma, as many users have.
struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

// The numbers of a table read back from its CSV text.
FloatMatrix ReadBack(const std::string& text) {
    const auto rows = csv::parse(text);
    EXPECT_TRUE(rows);
    if (!rows || rows->size() < 2) return {};
    const int n = static_cast<int>(rows->size()) - 1;
    FloatMatrix m(n, static_cast<int>((*rows)[1].size()) - 1);
    for (int i = 0; i < m.rows(); ++i)
        for (int j = 0; j < m.columns(); ++j)
            m(i, j) = std::strtof(
                (*rows)[static_cast<std::size_t>(i) + 1][static_cast<std::size_t>(j) + 1].c_str(),
                nullptr);
    return m;
}

TEST(WeightTable, ComputedMatrixWithTheEditorsLabels) {
    // Two 2 x 3 patterns: neuron 4 is the cell (2 , 1).
    clsTessalyAlgorith net;
    net.Add(Draw({"101", "010"}));
    net.Add(Draw({"110", "011"}));
    const FloatMatrix w = net.SynapticWeights();
    const csv::Table table = WeightTable(w, 3);
    ASSERT_EQ(table.header.size(), 7u);
    EXPECT_EQ(table.header[0], "Neuron");
    EXPECT_EQ(table.header[1], "(1 , 1)");
    EXPECT_EQ(table.header[4], "(2 , 1)");
    ASSERT_EQ(table.rows.size(), 6u);
    EXPECT_EQ(table.rows[5][0], "(2 , 3)");
    const std::string text = csv::to_csv(table);
    EXPECT_EQ(text.substr(0, text.find("\r\n")),
              "Neuron,\"(1 , 1)\",\"(1 , 2)\",\"(1 , 3)\",\"(2 , 1)\",\"(2 , 2)\",\"(2 , 3)\"");
    EXPECT_EQ(ReadBack(text), w);
    // Cells 1 and 3 agree in the first pattern and not in the second: weight 0; cells 3 and 6
    // disagree in both: -1.
    EXPECT_EQ(table.rows[0][3], "0");
    EXPECT_EQ(table.rows[2][6], "-1");
    EXPECT_EQ(table.rows[2][3], "0") << "the diagonal";
}

TEST(WeightTable, GivenWeightsInFullPrecisionWhateverTheLocale) {
    FloatMatrix w(2, 2);
    w.values() = {1.0f / 3.0f, -2.5e-7f, 3.0e38f, 0.1f};
    const std::locale previous = std::locale::global(std::locale(std::locale(), new CommaPoint));
    const std::string text = csv::to_csv(WeightTable(w, 2));
    std::locale::global(previous);
    EXPECT_EQ(text, "Neuron,\"(1 , 1)\",\"(1 , 2)\"\r\n"
                    "\"(1 , 1)\",0.33333334,-2.5E-07\r\n"
                    "\"(1 , 2)\",3E+38,0.1\r\n");
    EXPECT_EQ(ReadBack(text), w);
    EXPECT_EQ(csv::to_tab_separated(WeightTable(w, 2)),
              "Neuron\t(1 , 1)\t(1 , 2)\n(1 , 1)\t0.33333334\t-2.5E-07\n(1 , 2)\t3E+38\t0.1\n");

    const csv::Table empty = WeightTable(FloatMatrix{}, 10);
    EXPECT_EQ(empty.header, csv::Row{"Neuron"});
    EXPECT_TRUE(empty.rows.empty());
}

TEST(WeightTable, EditorCellsGiveTheNumbersTheyShow) {
    WeightGrid cells;
    cells.LoadArray(FloatMatrix(3, 3, 0.0f));
    ASSERT_EQ(cells.Commit(0, 1, "123456789.0123", true), WeightEdit::Stored);
    ASSERT_EQ(cells.Commit(1, 2, ".5", false), WeightEdit::Stored);
    ASSERT_EQ(cells.Commit(2, 1, "-1.5E-3", false), WeightEdit::Stored);
    const csv::Table table = WeightTable(cells, 1);
    EXPECT_EQ(table.header[3], "(3 , 1)");
    EXPECT_EQ(table.rows[0][2], "123456789.0123") << "more digits than a float holds";
    EXPECT_EQ(table.rows[1][1], "123456789.0123");
    EXPECT_EQ(table.rows[1][3], "0.5");
    EXPECT_EQ(table.rows[2][2], "-0.0015");
    EXPECT_EQ(table.rows[2][3], "0");
}

} // namespace
} // namespace tessaly
