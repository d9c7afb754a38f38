#include "hopfield_net.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

using test::Draw;
using test::RecordingDialog;

FloatMatrix Matrix(int n, std::initializer_list<float> values) {
    FloatMatrix m(n, n);
    m.values().assign(values.begin(), values.end());
    return m;
}

// A network holding only a given matrix for patterns of rows x columns cells.
void Give(clsTessalyAlgorith& net, int rows, int columns, const FloatMatrix& w) {
    net.NumLinhas(rows);
    net.NumColunas(columns);
    net.SynapticWeights(w);
}

TEST(HopfieldWeights, OnePatternGivesItsOuterProductWithZeroDiagonal) {
    clsTessalyAlgorith net;
    const Pattern x = Draw({"101", "110"});
    net.Add(x);
    const FloatMatrix w = net.SynapticWeights();
    ASSERT_EQ(w.rows(), 6);
    ASSERT_EQ(w.columns(), 6);
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 6; ++j)
            EXPECT_EQ(w(i, j), i == j ? 0.0f : float(x.values()[i] * x.values()[j]))
                << i << "," << j;
}

TEST(HopfieldWeights, AreTheSignOfTheSummedAgreementNotItsSize) {
    clsTessalyAlgorith net;
    net.Add(Draw({"1100"}));
    net.Add(Draw({"1010"}));
    net.Add(Draw({"1001"}));
    const FloatMatrix w = net.SynapticWeights();
    // Cells 0 and 1 agree in the first pattern only: 1 - 1 - 1 < 0.
    EXPECT_EQ(w(0, 1), -1.0f);
    // Cells 1 and 2 disagree in the first two, agree in the third: -1 - 1 + 1 < 0.
    EXPECT_EQ(w(1, 2), -1.0f);

    clsTessalyAlgorith two;
    two.Add(Draw({"11"}));
    two.Add(Draw({"10"}));
    // Agree in one, disagree in the other: exactly 0.
    EXPECT_EQ(two.SynapticWeights()(0, 1), 0.0f);
    EXPECT_EQ(two.SynapticWeights()(1, 0), 0.0f);
}

TEST(HopfieldWeights, EmptyStoreGivesNothingToRecallOrShow) {
    RecordingDialog dialog;
    clsTessalyAlgorith net(&dialog);
    net.TypeProcessUsed(FullSerial);
    EXPECT_TRUE(net.SynapticWeights().empty());
    EXPECT_TRUE(net.Recall(Draw({"10"})).empty());
    EXPECT_TRUE(net.StepRecall(Draw({"10"})).empty());
    net.Add(Draw({"10"}));
    net.Clear();
    EXPECT_EQ(net.GetStoreCount(), 0);
    EXPECT_TRUE(net.Recall(Draw({"10"})).empty());
    EXPECT_TRUE(dialog.messages.empty());
}

TEST(HopfieldWeights, AddDiscardsAGivenMatrix) {
    clsTessalyAlgorith net;
    Give(net, 1, 2, Matrix(2, {5, 5, 5, 5}));
    EXPECT_TRUE(net.WeightsAreGiven());
    EXPECT_EQ(net.SynapticWeights()(0, 0), 5.0f);
    net.Add(Draw({"10"}));
    EXPECT_FALSE(net.WeightsAreGiven());
    EXPECT_EQ(net.SynapticWeights(), Matrix(2, {0, -1, -1, 0}));
}

// The two-neuron example: W(0,1) = W(1,0) = -1, start (+1, +1).
TEST(HopfieldSweep, SerialSeesEarlierUpdatesParallelDoesNot) {
    clsTessalyAlgorith net;
    Give(net, 1, 2, Matrix(2, {0, -1, -1, 0}));
    net.TypeProcessUsed(FullSerial);
    EXPECT_EQ(net.StepRecall(Draw({"11"})), Draw({"01"}));
    net.TypeProcessUsed(FullParallel);
    EXPECT_EQ(net.StepRecall(Draw({"11"})), Draw({"00"}));
}

// In that example the neuron updated first decides the result: "01" when neuron 0 goes first,
// "10" when neuron 1 does. A random order must put either neuron first, each about half the time.
TEST(HopfieldSweep, RandomSerialStartsWithEitherNeuron) {
    clsTessalyAlgorith net;
    Give(net, 1, 2, Matrix(2, {0, -1, -1, 0}));
    net.TypeProcessUsed(RandomSerial);
    int zeroFirst = 0;
    int oneFirst = 0;
    for (int sweep = 0; sweep < 400; ++sweep) {
        const Pattern after = net.StepRecall(Draw({"11"}));
        if (after == Draw({"01"}))
            ++zeroFirst;
        else if (after == Draw({"10"}))
            ++oneFirst;
        else
            ADD_FAILURE() << "neither neuron updated first";
    }
    EXPECT_GT(zeroFirst, 100);
    EXPECT_GT(oneFirst, 100);
}

class EveryOrder : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(EveryOrder, ZeroFieldKeepsTheNeuron) {
    clsTessalyAlgorith net;
    // Neuron 0 sees +1 - 1 = 0; neuron 1 sees nothing; neuron 2 follows neuron 0 (self weight).
    Give(net, 1, 3, Matrix(3, {0, 1, 1, 0, 0, 0, 0, 0, 2}));
    net.TypeProcessUsed(GetParam());
    EXPECT_EQ(net.StepRecall(Draw({"010"})), Draw({"010"}));
    EXPECT_EQ(net.Recall(Draw({"110"})), Draw({"110"}));
}

TEST_P(EveryOrder, GivenWeightsAreSummedInSinglePrecisionInIndexOrder) {
    clsTessalyAlgorith net;
    // From (-1, +1, +1, +1, -1), neuron 0 sums 1e8 + 1 (rounds to 1e8) - 1e8 and neuron 4 sums
    // 1 - 1e8 (rounds to -1e8) + 1e8: both exactly 0 in single precision, so both keep -1 (an
    // exact or reordered sum would give +1).
    const float big = 1e8f;
    Give(net, 1, 5, Matrix(5, {-big,   1, -big, 0, 0,   /**/ 0, 0, 0, 0, 0,
                               /**/ 0, 0, 0,    0, 0,   /**/ 0, 0, 0, 0, 0,
                               /**/ 0, 1, -big, 0, -big}));
    net.TypeProcessUsed(GetParam());
    EXPECT_EQ(net.StepRecall(Draw({"01110"})), Draw({"01110"}));
}

TEST_P(EveryOrder, RecallRestoresAStoredPatternFromSeveralFlips) {
    RecordingDialog dialog;
    clsTessalyAlgorith net(&dialog);
    net.TypeProcessUsed(GetParam());
    const Pattern t = Draw({"11111", "00100", "00100", "00100", "00100"});
    const Pattern l = Draw({"10000", "10000", "10000", "10000", "11111"});
    net.Add(t);
    net.Add(l);
    Pattern noisy = t;
    for (const int k : {0, 7, 13, 21})
        noisy.values()[k] = static_cast<std::int16_t>(-noisy.values()[k]);
    EXPECT_EQ(net.Recall(noisy), t);
    EXPECT_TRUE(dialog.questions.empty());
}

INSTANTIATE_TEST_SUITE_P(Orders, EveryOrder,
                         ::testing::Values(RandomSerial, FullSerial, FullParallel),
                         [](const ::testing::TestParamInfo<std::int32_t>& info) {
                             return info.param == RandomSerial ? std::string("RandomSerial")
                                    : info.param == FullSerial ? std::string("FullSerial")
                                                               : std::string("FullParallel");
                         });

TEST(HopfieldRecall, ParallelOscillationAsksEveryHundredSweeps) {
    RecordingDialog dialog;
    dialog.answers = {true, false};
    clsTessalyAlgorith net(&dialog);
    Give(net, 1, 2, Matrix(2, {0, -1, -1, 0}));
    net.TypeProcessUsed(FullParallel);
    // Every sweep flips both neurons: after 200 sweeps the start state is back.
    EXPECT_EQ(net.Recall(Draw({"11"})), Draw({"11"}));
    ASSERT_EQ(dialog.questions.size(), 2u);
    EXPECT_EQ(dialog.questions[0], "The Hopfied Net is still in an unstable state, after 100 "
                                   "iterations.\r\nDo you wish to continue?");
    EXPECT_EQ(dialog.questions[1], clsTessalyAlgorith::UnstableQuestion(200));
}

TEST(HopfieldRecall, WithoutAnyoneToAskALongRecallStops) {
    clsTessalyAlgorith net;
    Give(net, 1, 2, Matrix(2, {0, -1, -1, 0}));
    net.TypeProcessUsed(FullParallel);
    EXPECT_EQ(net.Recall(Draw({"11"})), Draw({"11"}));
}

TEST(HopfieldClassifier, TieGoesToThePatternStoredFirst) {
    const Pattern a = Draw({"1111"});
    const Pattern b = Draw({"1100"});
    const Pattern c = Draw({"1110"});
    const Pattern start = Draw({"1101"});
    // Without the classifier the net settles on 0001, one match with a and with b.
    clsTessalyAlgorith plain;
    plain.TypeProcessUsed(FullSerial);
    for (const auto& p : {a, b, c})
        plain.Add(p);
    ASSERT_EQ(plain.Recall(start), Draw({"0001"}));

    clsTessalyAlgorith abc;
    abc.TypeProcessUsed(FullSerial);
    abc.UsedAsClassifier(true);
    for (const auto& p : {a, b, c})
        abc.Add(p);
    EXPECT_EQ(abc.Recall(start), a);
    EXPECT_EQ(abc.StepRecall(start), plain.StepRecall(start)) << "no classifier in a step";

    clsTessalyAlgorith bac;
    bac.TypeProcessUsed(FullSerial);
    bac.UsedAsClassifier(true);
    for (const auto& p : {b, a, c})
        bac.Add(p);
    EXPECT_EQ(bac.Recall(start), b);
}

TEST(HopfieldClassifier, IsSkippedWithGivenWeights) {
    clsTessalyAlgorith net;
    net.TypeProcessUsed(FullSerial);
    net.UsedAsClassifier(true);
    net.Add(Draw({"1111"}));
    net.NumLinhas(1);
    net.NumColunas(4);
    net.SynapticWeights(FloatMatrix(4, 4, 0.0f));
    EXPECT_EQ(net.Recall(Draw({"1000"})), Draw({"1000"}));
    net.Clear();
    net.Add(Draw({"1111"}));
    EXPECT_EQ(net.Recall(Draw({"1000"})), Draw({"1111"})) << "Clear keeps the classifier flag";
}

TEST(HopfieldStore, ElementsAreHandedOutAndBadIndexesBeep) {
    RecordingDialog dialog;
    clsTessalyAlgorith net(&dialog);
    const Pattern first = Draw({"10", "01", "11"});
    net.Add(first);
    net.Add(Draw({"00", "01", "10"}));
    EXPECT_EQ(net.GetStoreCount(), 2);
    EXPECT_EQ(net.GetStoreElement(1), first);
    EXPECT_EQ(dialog.beeps, 0);
    for (const int bad : {0, 3, -1}) {
        EXPECT_EQ(net.GetStoreElement(bad), Pattern(3, 2, -1));
    }
    EXPECT_EQ(dialog.beeps, 3);
}

TEST(HopfieldStore, StoredDimensionsStayFixedUntilClear) {
    RecordingDialog dialog;
    clsTessalyAlgorith net(&dialog);
    net.TypeProcessUsed(FullSerial);
    const Pattern stored = Draw({"10", "01"});
    net.Add(stored);
    net.Add(Draw({"101"}));
    EXPECT_EQ(net.GetStoreCount(), 1);
    EXPECT_EQ(dialog.messages.size(), 1u);
    net.NumLinhas(1);
    net.NumColunas(3);
    net.Add(Draw({"101"}));
    EXPECT_EQ(net.GetStoreCount(), 1);
    EXPECT_EQ(net.GetStoreElement(1), stored);
    EXPECT_EQ(net.Recall(Draw({"11", "01"})), stored);
    net.Clear();
    net.Add(Draw({"101"}));
    EXPECT_EQ(net.GetStoreElement(1), Draw({"101"}));
}

// A matrix given for one grid while nothing is stored, then a pattern of other dimensions.
TEST(HopfieldRecall, WeightsThatDoNotFitThePatternAreRefusedNotRead) {
    RecordingDialog dialog;
    clsTessalyAlgorith net(&dialog);
    net.TypeProcessUsed(FullSerial);
    Give(net, 12, 10, FloatMatrix(120, 120, 1.0f));
    const Pattern small = Draw({"10", "01"});
    EXPECT_EQ(net.Recall(small), small);
    EXPECT_EQ(net.StepRecall(Draw({"1010101010101"})), Draw({"1010101010101"}));
    EXPECT_EQ(dialog.messages.size(), 2u);
    EXPECT_EQ(dialog.messages[0], clsTessalyAlgorith::MismatchMessage(2, 2));

    // Same cell count, transposed grid: still refused.
    Give(net, 10, 12, FloatMatrix(120, 120, 1.0f));
    const Pattern tall(12, 10, 1);
    EXPECT_EQ(net.Recall(tall), tall);
    EXPECT_EQ(dialog.messages.size(), 3u);

    // Matching new weights are used; storing a pattern adopts its own dimensions.
    Give(net, 2, 2, Matrix(4, {0, 1, 1, 1, 1, 0, 1, 1, 1, 1, 0, 1, 1, 1, 1, 0}));
    EXPECT_EQ(net.Recall(small), Draw({"00", "00"}));
    net.Add(small);
    EXPECT_EQ(net.Recall(Draw({"11", "01"})), small);
    EXPECT_EQ(dialog.messages.size(), 3u);
}

} // namespace
} // namespace tessaly
