#include <gtest/gtest.h>

#include <numeric>

#include "engine/approximation.h"
#include "engine/messages.h"
#include "test_support.h"

namespace quillon {
namespace {

using test::with_signal;

std::vector<float> one_based(std::vector<float> v) {
    v.insert(v.begin(), 0.0f);
    return v;
}

TEST(Eps, ChebychevIsTheLargestResidualAfterTheFirstSample) {
    // Line 0 + 1*x against 5, 1, 3, 2: residuals (first sample excluded) 0, -1, 1.
    auto y = one_based({5, 1, 3, 2});
    EXPECT_FLOAT_EQ(Eps(y, 1, 0.0f, 1.0f, 4, kChebychev), 1.0f);
    // Equal residuals of opposite sign give that value, not a sum.
    auto flat = one_based({0, 1, -1});
    EXPECT_FLOAT_EQ(Eps(flat, 1, 0.0f, 0.0f, 3, kChebychev), 1.0f);
}

TEST(Eps, EuclidianIsTheRootOfTheSumOverTheResidualCount) {
    // Residuals 3 and 4: sqrt(9 + 16) / 2 = 2.5 (not the root mean square 3.54).
    auto y = one_based({0, -3, -4});
    EXPECT_FLOAT_EQ(Eps(y, 1, 0.0f, 0.0f, 3, kEuclidian), 2.5f);
}

TEST(Eps, AnyOtherNormAndSinglePointsGiveZero) {
    auto y = one_based({0, 7, 9});
    EXPECT_EQ(Eps(y, 1, 0.0f, 0.0f, 3, 3), 0.0f);
    EXPECT_EQ(Eps(y, 1, 0.0f, 0.0f, 1, kEuclidian), 0.0f);
}

TEST(Regress, ReachingTheToleranceExactlyGivesTheSampleBack) {
    // The fit of (0,0), (1,0), (2,3) is -0.5 + 1.5x with a largest residual of exactly 1;
    // adding (3,9) gives 3x - 1.5, off by 1.5.
    auto y = one_based({0, 0, 3, 9});
    std::vector<float> approx(y.size());
    Segment at = Regress(y, 4, 1, 1.0f, kChebychev, approx);
    EXPECT_EQ(at.t, 2);
    EXPECT_FLOAT_EQ(at.b, 0.0f);
    Segment above = Regress(y, 4, 1, 1.001f, kChebychev, approx);
    EXPECT_EQ(above.t, 3);
    EXPECT_FLOAT_EQ(above.a, -0.5f);
    EXPECT_FLOAT_EQ(above.b, 1.5f);
    EXPECT_FLOAT_EQ(approx[3], 2.5f);
}

TEST(PieceLin, StraightLineIsOneSegment) {
    std::vector<float> line;
    for (int i = 0; i < 500; ++i)
        line.push_back(0.25f * i - 7.0f);
    for (int norm : {kChebychev, kEuclidian}) {
        Analysis a = with_signal(line);
        ASSERT_EQ(approximate(a, "1", norm - 1), std::nullopt);
        EXPECT_EQ(a.nseg, 1);
        EXPECT_FLOAT_EQ(a.segLength[1], 499.0f);
        EXPECT_NEAR(a.segSlope[1], 0.25f, 1e-5);
        EXPECT_EQ(a.mode, Mode::approximated);
    }
}

TEST(PieceLin, ShortSignals) {
    Analysis two = with_signal({1.0f, 4.0f});
    ASSERT_EQ(PieceLin(two, 1.0f, kChebychev), std::nullopt);
    EXPECT_EQ(two.nseg, 1);
    EXPECT_FLOAT_EQ(two.segLength[1], 1.0f);
    EXPECT_FLOAT_EQ(two.segSlope[1], 3.0f);

    Analysis one = with_signal({2.5f});
    ASSERT_EQ(PieceLin(one, 1.0f, kChebychev), std::nullopt);
    EXPECT_EQ(one.nseg, 1);
    EXPECT_FLOAT_EQ(one.segLength[1], 0.0f);
    EXPECT_FLOAT_EQ(one.segSlope[1], 0.0f);
    EXPECT_FLOAT_EQ(one.approx[1], 2.5f);
}

TEST(PieceLin, SegmentsShareEndsAndCoverTheSignal) {
    // A step-and-ramp wave with a little deterministic ripple.
    std::vector<float> wave;
    for (int i = 0; i < 1500; ++i) {
        int p = i % 100;
        float base = p < 30 ? 0.0f : p < 60 ? static_cast<float>(p - 30) : 30.0f - (p - 60) * 0.75f;
        wave.push_back(base + 0.1f * static_cast<float>((i * 37) % 7 - 3));
    }
    // The Euclidian error divides by the residual count, so it needs a finer tolerance.
    for (auto [norm, tol] : {std::pair{kChebychev, 1.5f}, std::pair{kEuclidian, 0.1f}}) {
        Analysis a = with_signal(wave);
        ASSERT_EQ(PieceLin(a, tol, norm), std::nullopt);
        ASSERT_GT(a.nseg, 10);
        float total = 0.0f;
        int s = 1;
        for (int k = 1; k <= a.nseg; ++k) {
            EXPECT_GE(a.segLength[k], 1.0f) << "segment " << k;
            total += a.segLength[k];
            int t = s + static_cast<int>(a.segLength[k]);
            // The segment's own line runs through approx up to the sample before its end
            // (the end sample starts the next segment, which writes its own value there).
            if (t - 1 > s) {
                EXPECT_NEAR(a.approx[t - 1] - a.approx[s], a.segSlope[k] * (t - 1 - s), 1e-3);
            }
            s = t;
        }
        EXPECT_EQ(total, 1499.0f);
    }
}

TEST(PieceLin, RefusalsLeaveThePreviousApproximation) {
    Analysis a = with_signal({0, 1, 5, 2, 8, 3});
    ASSERT_EQ(PieceLin(a, 1.0f, kChebychev), std::nullopt);
    const Analysis before = a;
    EXPECT_EQ(approximate(a, "0", 0), msg::tolerance_not_positive);
    EXPECT_EQ(approximate(a, "-1", 0), msg::tolerance_not_positive);
    EXPECT_EQ(approximate(a, "abc", 1), msg::tolerance_not_positive);
    EXPECT_EQ(a.nseg, before.nseg);
    EXPECT_EQ(a.approx, before.approx);
    EXPECT_EQ(a.mode, before.mode);

    Analysis empty;
    EXPECT_EQ(PieceLin(empty, 1.0f, kChebychev), msg::no_signal);
}

TEST(PieceLin, ToleranceNoTwoPointFitMeetsIsRefused) {
    // The float sums lose the 1 next to 1e8, so even the two-point fit is off by 1.
    Analysis a = with_signal({1e8f, 1.0f, 2.0f});
    EXPECT_EQ(PieceLin(a, 0.5f, kChebychev), msg::tolerance_too_small);
    EXPECT_EQ(a.mode, Mode::signal_only);
    EXPECT_EQ(a.nseg, 0);
}

} // namespace
} // namespace quillon
