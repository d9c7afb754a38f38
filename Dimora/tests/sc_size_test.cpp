// The classifier error curves: normal table, Gamma ratio, design and test errors.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "mod_erro_d.h"
#include "mod_erro_t.h"
#include "mod_var.h"
#include "sc_size.h"

namespace dimora {
namespace {

TEST(NormalTable, DensityIntegralAndDistribution) {
    modVar::NormalTable phi;
    modVar::BuildNormalTable(phi);
    EXPECT_NEAR(phi[0], 0.39894228, 1e-7);
    EXPECT_NEAR(phi[1000], 0.24197072, 1e-7);
    EXPECT_NEAR(modVar::NormalDistribution(0.0f, phi), 0.5, 1e-12);
    EXPECT_NEAR(modVar::NormalDistribution(1.96f, phi), 0.9750021, 1e-6);
    EXPECT_EQ(modVar::NormalDistribution(5.01f, phi), 1.0f);
    // Bounds past the table count as the integral up to 5.
    EXPECT_EQ(modVar::NormalIntegral(phi, 0, 7000), modVar::NormalIntegral(phi, 0, 5000));
    EXPECT_EQ(modVar::NormalIntegral(phi, 300, 200), 0.0);
    EXPECT_NEAR(modVar::BayesError(2.0f, phi), 0.15865525, 1e-6);
}

TEST(GammaRatio, HalfIntegerArguments) {
    modVar::GammaTable G;
    modVar::SetGammaTable(G);
    EXPECT_EQ(modVar::GammaRatio(0.4, G), 0.0);
    EXPECT_NEAR(modVar::GammaRatio(0.5, G), 1.0 / std::sqrt(M_PI) / std::sqrt(M_PI) * 1.0, 1e-6);
    EXPECT_NEAR(modVar::GammaRatio(1.0, G), 0.5, 1e-7);        // Gamma(1.5) / sqrt(pi)
    EXPECT_NEAR(modVar::GammaRatio(1.5, G), 2.0 / M_PI, 1e-7); // Gamma(2) / (Gamma(1.5) sqrt(pi))
    EXPECT_NEAR(modVar::GammaRatio(4.0, G), std::tgamma(4.5) / (std::tgamma(4.0) * std::sqrt(M_PI)),
                1e-6);
    EXPECT_NEAR(modVar::GammaRatio(4.5, G), std::tgamma(5.0) / (std::tgamma(4.5) * std::sqrt(M_PI)),
                1e-6);
}

TEST(SCSize, ReferenceCurvesForDimensionTwoAndDistanceTwo) {
    const SCCurves c = computeSCSize(2, 2.0f);
    EXPECT_EQ(c.npts, 20);
    ASSERT_EQ(c.ED.size(), 20u);
    ASSERT_EQ(c.ET.size(), 20u);
    EXPECT_NEAR(c.Pe, 0.2398, 5e-5);
    EXPECT_EQ(c.ED[0], 0.0);
    EXPECT_NEAR(c.ED[1], 0.135, 5e-4);
    EXPECT_NEAR(c.ED[9], 0.222, 5e-4);
    EXPECT_NEAR(c.ED[19], 0.231, 5e-4);
    EXPECT_NEAR(c.ET[1], 0.274, 5e-4);
    EXPECT_NEAR(c.ET[9], 0.237, 5e-4);
    EXPECT_EQ(c.ET[19], static_cast<double>(c.Pe));
    EXPECT_NEAR(c.ST[19], 0.068, 5e-4);
    EXPECT_EQ(c.SD[0], 0.0);

    modVar::NormalTable phi;
    modVar::BuildNormalTable(phi);
    EXPECT_NEAR(modErroT::TestErrorPoint(1, 2, 2.0f, phi), 0.348, 5e-4);
    EXPECT_NEAR(modErroT::TestErrorPoint(20, 2, 2.0f, phi), 0.197, 5e-4);
    EXPECT_EQ(c.ET[0], modErroT::TestErrorPoint(1, 2, 2.0f, phi)); // first point uncorrected
}

TEST(DesignError, EvenAndOddDimensionsStartDifferently) {
    modVar::GammaTable G;
    modVar::SetGammaTable(G);
    // One sample per class: both starting values are 0, so is the error.
    EXPECT_EQ(modErroD::DesignErrorPoint(1, 2, 2.0f, G), 0.0);
    EXPECT_EQ(modErroD::DesignErrorPoint(1, 3, 2.0f, G), 0.0);
    // Two samples: 1 - 1/sqrt(3) for even d, atan(sqrt(2)) for odd d, giving different curves.
    EXPECT_NEAR(modErroD::DesignErrorPoint(2, 2, 2.0f, G), 0.1353, 1e-4);
    EXPECT_NEAR(modErroD::DesignErrorPoint(2, 3, 2.0f, G), 0.1006, 1e-4);
}

TEST(TestError, CorrectionKeepsTheFirstAndEndsAtBayes) {
    std::vector<double> u{0.4, 0.3, 0.25, 0.2};
    modErroT::CorrectTowardsBayes(u, 0.22f);
    EXPECT_EQ(u.front(), 0.4);
    EXPECT_EQ(u.back(), static_cast<double>(0.22f));
    EXPECT_NEAR(u[1], 0.3 + (0.1 / 0.2) * (0.22f - 0.3), 1e-12);

    std::vector<double> flat{0.1, 0.1, 0.1};
    modErroT::CorrectTowardsBayes(flat, 0.2f); // no scale to apply: left alone, no NaN
    EXPECT_EQ(flat, (std::vector<double>{0.1, 0.1, 0.1}));
}

struct Corner {
    int d;
    int integerPart;
    int hundredths;
};

class SCSizeRange : public testing::TestWithParam<Corner> {};

TEST_P(SCSizeRange, EveryValueIsAProbabilityAndTheTestCurveEndsAtBayes) {
    const Corner c = GetParam();
    const SCCurves s = computeSCSize(c.d, squaredDistance(c.integerPart, c.hundredths));
    ASSERT_EQ(s.ED.size(), static_cast<std::size_t>(10 * c.d));
    for (std::size_t i = 0; i < s.ED.size(); ++i) {
        for (double v : {s.ED[i], s.ET[i], s.SD[i], s.ST[i]}) {
            ASSERT_TRUE(std::isfinite(v)) << "point " << i;
            ASSERT_GE(v, 0.0) << "point " << i;
            ASSERT_LE(v, 0.5) << "point " << i;
        }
    }
    EXPECT_EQ(s.ET.back(), static_cast<double>(s.Pe));
    EXPECT_LE(s.ED.back(), s.Pe); // the design error approaches Bayes from below
}

INSTANTIATE_TEST_SUITE_P(Limits, SCSizeRange,
                         testing::Values(Corner{2, 1, 0}, Corner{2, 22, 0}, Corner{3, 2, 0},
                                         Corner{5, 7, 35}, Corner{9, 1, 0}, Corner{9, 22, 0},
                                         Corner{8, 21, 99}),
                         [](const testing::TestParamInfo<Corner>& info) {
                             const Corner& c = info.param;
                             return "d" + std::to_string(c.d) + "_delta" +
                                    std::to_string(c.integerPart) + "_" +
                                    std::to_string(c.hundredths);
                         });

TEST(SCSize, ProgressRunsFromZeroToTheLastStepBeforeTheMaximum) {
    std::vector<int> values;
    int lo = -1, hi = -1;
    SCProgress p;
    p.setRange = [&](int a, int b) { lo = a, hi = b; };
    p.setValue = [&](int v) { values.push_back(v); };
    computeSCSize(3, 2.0f, p);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 34);
    ASSERT_EQ(values.size(), 34u); // 0, 1, one per design point, SD, ST
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(values[i], static_cast<int>(i));
}

TEST(UpDowns, FractionWrapsAndIsDisabledAtTheLargestDistance) {
    EXPECT_EQ(wrapFraction(-1), 99);
    EXPECT_EQ(wrapFraction(100), 0);
    EXPECT_EQ(wrapFraction(0), 0);
    EXPECT_EQ(wrapFraction(99), 99);
    EXPECT_FALSE(fractionEnabled(22));
    EXPECT_TRUE(fractionEnabled(21));
    EXPECT_EQ(squaredDistance(2, 7), 2.07f);
    EXPECT_EQ(squaredDistance(22, 0), 22.0f);
}

} // namespace
} // namespace dimora
