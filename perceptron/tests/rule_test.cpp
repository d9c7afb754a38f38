#include "engine/rule.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace perceptron;

namespace {

int misplaced(const Weights& w, const SampleSet& set) {
    int count = 0;
    for (const Sample& s : set.u)
        count += on_correct_side(true, activation(w, s)) ? 0 : 1;
    for (const Sample& s : set.v)
        count += on_correct_side(false, activation(w, s)) ? 0 : 1;
    return count;
}

} // namespace

TEST(PerceptronBuiltInSets, SizesLearningRatesAndImageNames) {
    SampleSet one = built_in_set(SetChoice::set1);
    SampleSet two = built_in_set(SetChoice::set2);
    ASSERT_EQ(one.u.size(), 8u);
    ASSERT_EQ(one.v.size(), 8u);
    ASSERT_EQ(two.u.size(), 10u);
    ASSERT_EQ(two.v.size(), 10u);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(one.u[i].x, two.u[i].x);
        EXPECT_EQ(one.v[i].y, two.v[i].y);
    }
    EXPECT_EQ(two.u[8].x, 2.714f);
    EXPECT_EQ(two.v[9].y, 0.261f);
    EXPECT_TRUE(built_in_set(SetChoice::none).u.empty());
    EXPECT_EQ(learning_rate(SetChoice::set1), 1.25f);
    EXPECT_EQ(learning_rate(SetChoice::set2), 0.05f);
    EXPECT_EQ(image_name(true, 0), "U1");
    EXPECT_EQ(image_name(false, 9), "V10");
}

TEST(PerceptronSet1, ReachesTheKnownWeightsAndThenStops) {
    Demonstration demo;
    demo.select_set(SetChoice::set1);
    ASSERT_EQ(demo.weights(), start_weights);

    ASSERT_TRUE(demo.step());
    EXPECT_EQ(demo.weights()[2], -10.0f);
    EXPECT_NEAR(demo.weights()[0], 4.0138, 1e-4);
    EXPECT_NEAR(demo.weights()[1], -2.8112, 1e-4);
    EXPECT_GT(misplaced(demo.weights(), demo.samples()), 0);

    for (int step = 2; step <= 5; ++step) {
        demo.step();
        EXPECT_GT(misplaced(demo.weights(), demo.samples()), 0) << "after step " << step;
    }
    demo.step();
    const Weights sixth = demo.weights();
    EXPECT_EQ(sixth[2], -22.5f);
    EXPECT_NEAR(sixth[0], 7.0513, 1e-4);
    EXPECT_NEAR(sixth[1], -4.7012, 1e-4);
    EXPECT_EQ(misplaced(sixth, demo.samples()), 0);

    for (int step = 7; step <= 20; ++step) {
        demo.step();
        EXPECT_EQ(demo.weights(), sixth) << "after step " << step;
    }
}

TEST(PerceptronSet2, NeverSeparatesAndKeepsCorrecting) {
    SampleSet set = built_in_set(SetChoice::set2);
    Weights w = start_weights;
    for (int step = 1; step <= 500; ++step) {
        EXPECT_GT(run_epoch(w, set, learning_rate(SetChoice::set2)), 0) << "step " << step;
        EXPECT_GT(misplaced(w, set), 0) << "step " << step;
        ASSERT_TRUE(std::isfinite(w[0]) && std::isfinite(w[1]) && std::isfinite(w[2]));
    }
}

TEST(PerceptronDemonstration, StepWithoutASetDoesNothingAndReselectingRestarts) {
    Demonstration demo;
    const Weights zero{0, 0, 0};
    EXPECT_FALSE(demo.step());
    EXPECT_EQ(demo.weights(), zero);

    demo.select_set(SetChoice::set2);
    demo.step();
    demo.step();
    EXPECT_NE(demo.weights(), start_weights);
    demo.select_set(SetChoice::set1);
    EXPECT_EQ(demo.weights(), start_weights);
    EXPECT_EQ(demo.samples().u.size(), 8u);
}

TEST(PerceptronRule, ASampleOnTheLineCountsAsV) {
    // w(0)·2 + w(1)·0.5 + w(2) = 2 + 0 − 2 = 0 exactly.
    const Weights on_line{1.0f, 0.0f, -2.0f};
    const Sample sample{2.0f, 0.5f};
    ASSERT_EQ(activation(on_line, sample), 0.0f);

    Weights w = on_line;
    EXPECT_FALSE(present_v(w, sample, 1.25f));
    EXPECT_EQ(w, on_line);

    EXPECT_TRUE(present_u(w, sample, 1.25f)); // k = 1, c = η
    EXPECT_EQ(w, (Weights{1.0f + 1.25f * 2.0f, 1.25f * 0.5f, -2.0f + 1.25f}));
    EXPECT_GT(activation(w, sample), 0.0f);
}

TEST(PerceptronRule, MisplacedSamplesMoveTheWeightsTowardsTheirSide) {
    Weights w = start_weights;
    const Sample u{6.0f, 0.7f}; // s = 0.6 − 0.7 = −0.1: wrong side for U
    EXPECT_TRUE(present_u(w, u, 1.0f));
    EXPECT_GT(activation(w, u), 0.0f);

    w = start_weights;
    const Sample v{6.0f, 0.5f}; // s = 0.1: wrong side for V
    EXPECT_TRUE(present_v(w, v, 1.0f));
    EXPECT_LE(activation(w, v), 0.0f);

    w = start_weights;
    EXPECT_FALSE(present_u(w, v, 1.0f)); // already on the U side
    EXPECT_FALSE(present_v(w, u, 1.0f)); // already on the V side
    EXPECT_EQ(w, start_weights);
}

struct StepCase {
    float s;
    Sample sample;
    float eta;
    float c;
};

class PerceptronCorrectionStep : public ::testing::TestWithParam<StepCase> {};

TEST_P(PerceptronCorrectionStep, IsTheFlooredQuotientPlusOneTimesEta) {
    const StepCase& c = GetParam();
    EXPECT_EQ(correction_step(c.s, c.sample, c.eta), c.c);
}

const char* const kStepCaseNames[] = {"SmallError",    "PositiveError", "LargeError",
                                      "ExactQuotient", "OnTheLine",     "RoundsBeforeTheFloor"};

INSTANTIATE_TEST_SUITE_P(
    Cases, PerceptronCorrectionStep,
    ::testing::Values(StepCase{-0.1f, {6.0f, 0.5f}, 1.25f, 1.25f}, // small error: k = 1
                      StepCase{0.1f, {6.0f, 0.5f}, 1.25f, 1.25f},  // the sign does not matter
                      StepCase{-100.0f, {2.0f, 0.0f}, 0.05f, 26 * 0.05f}, // 100/4 + 1 = 26
                      StepCase{-8.0f, {2.0f, 2.0f}, 1.0f, 2.0f},          // exactly 8/8 + 1
                      StepCase{0.0f, {3.0f, 0.4f}, 0.05f, 0.05f},         // on the line: k = 1
                      // 1.99999988/1 + 1 lies between two floats and rounds to 3 before the floor
                      StepCase{-1.99999988f, {1.0f, 0.0f}, 1.0f, 3.0f}),
    [](const ::testing::TestParamInfo<StepCase>& info) {
        return std::string(kStepCaseNames[info.index]);
    });

TEST(PerceptronLineEnds, SolvedAtBothEdgesOrAbsentWhenW0IsZero) {
    auto start = line_ends(start_weights);
    ASSERT_TRUE(start);
    EXPECT_FLOAT_EQ(start->x_at_top, 6.0f);
    EXPECT_FLOAT_EQ(start->x_at_bottom, 0.0f);

    auto sixth = line_ends({7.051249f, -4.7012515f, -22.5f});
    ASSERT_TRUE(sixth);
    EXPECT_NEAR(sixth->x_at_bottom, 22.5 / 7.051249, 1e-5);
    EXPECT_NEAR(sixth->x_at_top, (0.6 * 4.7012515 + 22.5) / 7.051249, 1e-5);

    EXPECT_FALSE(line_ends({0.0f, 2.0f, -0.5f}));
    EXPECT_EQ(horizontal_line_height({0.0f, 2.0f, -0.5f}), 0.25f);
    EXPECT_FALSE(horizontal_line_height({0.0f, 0.0f, 1.0f}));
}
