#include "test_support.h"
#include "weight_grid.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

WeightGrid Grid(int n, float fill = 0.0f) {
    WeightGrid g;
    g.LoadArray(FloatMatrix(n, n, fill));
    return g;
}

TEST(WeightGrid, CellsShowSingleValuesWithSevenDigits) {
    FloatMatrix m(2, 2);
    m.values() = {1.0f / 3.0f, -1.0f, 0.0f, 1e-5f};
    WeightGrid g;
    g.LoadArray(m);
    EXPECT_EQ(g.Text(0, 0), "0.3333333");
    EXPECT_EQ(g.Text(0, 1), "-1");
    EXPECT_EQ(g.Text(1, 0), "0");
    EXPECT_EQ(g.Text(1, 1), "1E-05");
    g.LoadArray(FloatMatrix{});
    EXPECT_EQ(g.rows(), 2) << "an empty matrix changes nothing";
    EXPECT_EQ(g.Text(5, 5), "");
}

TEST(WeightGrid, InitialisationFillsAllButTheDiagonal) {
    WeightGrid g = Grid(3, 7.0f);
    ASSERT_EQ(g.Initialise("0.25"), WeightEdit::Stored);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(g.Text(i, j), i == j ? "0" : "0.25");
    ASSERT_EQ(g.Initialise(".1E1"), WeightEdit::Stored);
    EXPECT_EQ(g.Text(0, 1), "1");
    for (const char* bad : {"", "-", "abc", "1,5", "1E"}) {
        EXPECT_EQ(g.Initialise(bad), WeightEdit::NotANumber) << bad;
        EXPECT_EQ(g.Text(0, 1), "1");
    }
    for (const char* huge : {"1e40", "-3.5E38", "1E400"}) {
        EXPECT_EQ(g.Initialise(huge), WeightEdit::Overflow) << huge;
        EXPECT_EQ(g.Text(0, 1), "1");
    }
}

TEST(WeightGrid, CommitKeepsTheTypedTextAndMirrorsWhenSymmetric) {
    WeightGrid g = Grid(3);
    EXPECT_EQ(g.Commit(0, 2, "7", true), WeightEdit::Stored);
    EXPECT_EQ(g.Text(0, 2), "7");
    EXPECT_EQ(g.Text(2, 0), "7");
    EXPECT_EQ(g.Commit(1, 2, "-2.50", false), WeightEdit::Stored);
    EXPECT_EQ(g.Text(1, 2), "-2.50");
    EXPECT_EQ(g.Text(2, 1), "0");
    EXPECT_EQ(g.Commit(1, 2, "-", true), WeightEdit::NotANumber);
    EXPECT_EQ(g.Commit(1, 2, "1-", true), WeightEdit::NotANumber);
    EXPECT_EQ(g.Text(1, 2), "-2.50");
    EXPECT_EQ(g.ToMatrix()(1, 2), -2.5f);
    EXPECT_EQ(g.ToMatrix()(0, 2), 7.0f);
}

TEST(WeightGrid, ValuesNoFloatHoldsAreRefusedAndTheCellKeepsItsValue) {
    WeightGrid g = Grid(3);
    ASSERT_EQ(g.Commit(1, 2, "-2.50", true), WeightEdit::Stored);
    for (const char* huge : {"1e40", "-1E39", "3.41e38", "1e400"}) {
        EXPECT_EQ(g.Commit(1, 2, huge, true), WeightEdit::Overflow) << huge;
        EXPECT_EQ(g.Text(1, 2), "-2.50");
        EXPECT_EQ(g.Text(2, 1), "-2.50");
    }
    // The largest float and the tiniest values are still weights.
    EXPECT_EQ(g.Commit(0, 1, "3.4e38", false), WeightEdit::Stored);
    EXPECT_EQ(g.Commit(0, 2, "-1e-50", false), WeightEdit::Stored);
    EXPECT_EQ(g.ToMatrix()(0, 1), 3.4e38f);
    EXPECT_EQ(g.ToMatrix()(0, 2), 0.0f);
    EXPECT_EQ(g.Commit(0, 2, "1e400x", false), WeightEdit::NotANumber);
}

TEST(WeightGrid, LongestTextOfAColumnIsFoundForFitting) {
    WeightGrid g = Grid(3);
    g.SetText(2, 1, "-0.125");
    g.SetText(1, 1, "12.5");
    EXPECT_EQ(g.LongestTextRow(1), 2);
    EXPECT_EQ(g.LongestTextRow(0), 0) << "equal lengths: the first row";
    EXPECT_EQ(g.LongestTextRow(3), -1);
    EXPECT_EQ(WeightGrid{}.LongestTextRow(0), -1);
}

TEST(WeightGrid, ManyEditsKeepEveryText) {
    WeightGrid g = Grid(40);
    for (int round = 0; round < 3000; ++round)
        for (int k = 0; k < 40; ++k)
            g.SetText(k, (k + round) % 40, std::to_string(round * 100000 + k));
    EXPECT_EQ(g.Text(39, (39 + 2999) % 40), std::to_string(2999 * 100000 + 39));
    EXPECT_EQ(g.Text(5, 4), std::to_string(2999 * 100000 + 5));
}

TEST(WeightsFile, IsWrittenWithASignPosition) {
    WeightGrid g = Grid(2, 1.0f);
    g.Initialise("1");
    EXPECT_EQ(g.FileText(), "[2X2]\r\n  0  1\r\n  1  0");
    WeightGrid row = Grid(3);
    row.SetText(0, 0, "1");
    row.SetText(0, 1, "-1");
    row.SetText(0, 2, "0.5");
    row.SetText(1, 0, "1E-05");
    row.SetText(1, 1, "123456789012345678");
    EXPECT_EQ(row.FileText(),
              "[3X3]\r\n  1 -1  .5\r\n  1E-05  1.23456789012346E+17  0\r\n  0  0  0");
}

TEST(WeightsFile, LoadsBackWhatWasSaved) {
    WeightGrid g = Grid(3);
    g.SetText(0, 1, "-0.125");
    g.SetText(2, 0, "3e-7");
    g.SetText(1, 1, "42");
    WeightGrid back = Grid(3, 9.0f);
    ASSERT_FALSE(back.LoadFileText(g.FileText()));
    EXPECT_EQ(back.ToMatrix(), g.ToMatrix());
    EXPECT_EQ(back.Text(0, 1), "-.125");
    EXPECT_EQ(back.Text(2, 0), "3E-07");
}

TEST(WeightsFile, NumbersBeyondTheFloatRangeAreRefusedBeforeAnyCellChanges) {
    for (const char* text : {"[2X2] 0 1E400 -1E999 0", "[2X2] 0 1 1e40 0", "[2x2] 0 -3.5E+38 1 0",
                             "[2X2] 0 1e39 1 0"}) {
        WeightGrid g = Grid(2, 9.0f);
        auto failure = g.LoadFileText(text);
        ASSERT_TRUE(failure) << text;
        EXPECT_EQ(failure->Text(), "6  : Overflow");
        EXPECT_EQ(g.FileText(), "[2X2]\r\n  9  9\r\n  9  9") << text;
    }
    WeightGrid g = Grid(2);
    ASSERT_FALSE(g.LoadFileText("[2X2] 0 3.4E+38 -3.4E+38 0"));
    EXPECT_EQ(g.ToMatrix()(0, 1), 3.4e38f);
}

TEST(WeightsFile, FailuresLeaveTheCellsReadBeforeThem) {
    WeightGrid g = Grid(4, 5.0f);
    auto failure = g.LoadFileText("[3X3]\r\n 1 1 1\r\n 1 1 1\r\n 1 1 1");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->Text(), "-2147220990  : Load File Error (Matrix Size is diferent)");
    EXPECT_EQ(g.Text(0, 0), "5");
    failure = g.LoadFileText("no header");
    EXPECT_EQ(failure->Text(), "-2147220991  : Load File Error (File Structure)");
    failure = g.LoadFileText("[4x4] 1 2 3");
    EXPECT_EQ(failure->Text(), "-2147220991  : Load File Error (File Structure)");
    EXPECT_EQ(g.Text(0, 2), "3");
    EXPECT_EQ(g.Text(0, 3), "5");
    failure = g.LoadFileText("[4X4] a b c d e f g h i j k l m n o p q");
    EXPECT_FALSE(failure);
    EXPECT_EQ(g.Text(3, 3), "P") << "tokens are taken as they are, upper-cased";
    EXPECT_EQ(g.ToMatrix()(3, 3), 0.0f);
}

TEST(WeightGrid, NeuronLabelsGiveRowAndColumnOfThePatternGrid) {
    EXPECT_EQ(WeightGrid::NeuronLabel(4, 3), "(2 , 1)");
    EXPECT_EQ(WeightGrid::NeuronLabel(1, 10), "(1 , 1)");
    EXPECT_EQ(WeightGrid::NeuronLabel(120, 10), "(12 , 10)");
    EXPECT_EQ(WeightGrid::NeuronLabel(2500, 50), "(50 , 50)");
}

} // namespace
} // namespace tessaly
