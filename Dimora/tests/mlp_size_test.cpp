// The size functions one by one: values, the h = 1 special case and the trapped failures.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "checked.h"
#include "mlp_size.h"

namespace dimora {
namespace {

struct Recorded {
    std::vector<std::pair<std::string, std::string>> messages;
    std::vector<std::string> titles() const {
        std::vector<std::string> t;
        for (const auto& m : messages)
            t.push_back(m.first);
        return t;
    }
};

MlpSize sizeFor(Recorded& r, int d, int h, float eps = 0.1f, float alpha = 0.05f) {
    MlpSize s([&r](const std::string& title, const std::string& text) {
        r.messages.emplace_back(title, text);
    });
    s.d = static_cast<std::int16_t>(d);
    s.h = static_cast<std::int16_t>(h);
    s.eps = eps;
    s.alpha = alpha;
    return s;
}

const std::string kOverflow =
    "Error probably due to excessively high number of units\n6 : Overflow";

TEST(Fact, ProductUpTo170AndOverflowFrom171) {
    Recorded r;
    MlpSize s = sizeFor(r, 2, 1);
    EXPECT_EQ(s.Fact(0), 1.0);
    EXPECT_EQ(s.Fact(-3), 1.0);
    EXPECT_EQ(s.Fact(10), 3628800.0);
    EXPECT_TRUE(std::isfinite(s.Fact(170)));
    EXPECT_TRUE(r.messages.empty());

    EXPECT_EQ(s.Fact(171), 0.0);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].first, "Funtion Fact");
    EXPECT_EQ(r.messages[0].second, kOverflow);
}

TEST(Combin, BinomialCoefficients) {
    Recorded r;
    MlpSize s = sizeFor(r, 2, 1);
    EXPECT_EQ(s.Combin(5, 2), 10.0f);
    EXPECT_EQ(s.Combin(10, 0), 1.0f);
    EXPECT_EQ(s.Combin(30, 15), 155117520.0f);
    EXPECT_TRUE(r.messages.empty());
}

TEST(Combin, FactFailuresChainIntoDivisionByZero) {
    Recorded r;
    MlpSize s = sizeFor(r, 2, 172);
    // 172! and 171! both fail to 0, so the second division is 0 / 0.
    EXPECT_EQ(s.Combin(172, 1), 0.0f);
    EXPECT_EQ(r.titles(),
              (std::vector<std::string>{"Funtion Fact", "Funtion Fact", "Funtion Combin"}));
    EXPECT_EQ(r.messages[2].second,
              "Error probably due to excessively high number of units\n11 : Division by zero");

    // Only n! fails: 0 / k! / (n - k)! is a plain 0 without a message of Combin.
    r.messages.clear();
    EXPECT_EQ(s.Combin(171, 1), 0.0f);
    EXPECT_EQ(r.titles(), (std::vector<std::string>{"Funtion Fact"}));
}

TEST(Combin, ResultBeyondFloatRangeIsAnOverflow) {
    Recorded r;
    MlpSize s = sizeFor(r, 2, 1);
    EXPECT_EQ(s.Combin(170, 85), 0.0f); // about 1e50
    EXPECT_EQ(r.titles(), (std::vector<std::string>{"Funtion Combin"}));
    EXPECT_EQ(r.messages[0].second, kOverflow);
}

TEST(RegionCount, SumOfBinomialsUpToTheSmallerOfDAndH) {
    Recorded r;
    // d = 3, h = 2: C(2,0) + C(2,1) + C(2,2) = 4; d = 2, h = 6: 1 + 6 + 15 = 22.
    MlpSize a = sizeFor(r, 3, 2);
    EXPECT_EQ(a.MaxDicot(), 4);
    EXPECT_EQ(a.VCD(), 4);
    EXPECT_EQ(a.VCDl(), 4);
    MlpSize b = sizeFor(r, 2, 6);
    EXPECT_EQ(b.MaxDicot(), 22);
    EXPECT_EQ(b.VCDl(), 22);
    EXPECT_TRUE(r.messages.empty());
}

TEST(RegionCount, SumBeyond32BitsThrowsFromMaxDicotAndIsTrappedByVCD) {
    Recorded r;
    MlpSize s = sizeFor(r, 20, 100); // C(100, 20) is about 5e20
    EXPECT_THROW(s.MaxDicot(), Failure);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(s.VCD(), 0);
    EXPECT_EQ(r.titles(), (std::vector<std::string>{"Funtion VCD"}));
}

TEST(VCDu, SingleHiddenUnitIsTakenAsOneUnitWithDPlusOneWeights) {
    Recorded r;
    MlpSize s = sizeFor(r, 2, 1);
    EXPECT_EQ(s.VCDu(), 9); // 2 * 3 * log2(e)
    EXPECT_EQ(s.W, 3);
    EXPECT_EQ(s.UpB(), 150); // the learning-set bound keeps two units and d + 3 weights
    EXPECT_EQ(s.W, 5);
}

TEST(VCDu, DoubledWeightCountBeyond16BitsIsReported) {
    Recorded r;
    MlpSize s = sizeFor(r, 2, 5000); // W = 20001, 2W = 40002
    EXPECT_EQ(s.VCDu(), 0);
    EXPECT_EQ(r.titles(), (std::vector<std::string>{"Funtion VCDu"}));
    EXPECT_EQ(r.messages[0].second, kOverflow);
}

TEST(LearningSetBounds, LowerBoundIsTheLargerTerm) {
    Recorded r;
    // eps = 0.5: t1 = round(ln 20) = 3, t2 = round((1 - 2(0.05 + 0.95 * 0.5)) * 22) = -1.
    MlpSize s = sizeFor(r, 2, 6, 0.5f, 0.05f);
    EXPECT_EQ(s.LowB(), 3);
    // Small eps and large VC dimension: the VC term wins.
    // VCD = 2^11 - 1 = 2047, t1 = round(99 ln 100) = 456, t2 = round(0.9602 * 2047) = 1966.
    MlpSize t = sizeFor(r, 10, 11, 0.01f, 0.01f);
    EXPECT_EQ(t.LowB(), 1966);
    EXPECT_TRUE(r.messages.empty());
}

TEST(LearningSetBounds, NonPositiveUnitCountIsAnInvalidArgument) {
    Recorded r;
    MlpSize s = sizeFor(r, 2, -1); // N = 0, ln(0 / eps)
    EXPECT_EQ(s.UpB(), 0);
    ASSERT_EQ(r.titles(), (std::vector<std::string>{"Funtion UpB"}));
    EXPECT_EQ(r.messages[0].second,
              "Error probably due to excessively high number of units\n5 : Invalid procedure call "
              "or argument");
}

TEST(CheckedArithmetic, SixteenBitAndRoundingLimits) {
    EXPECT_EQ(add16(32766, 1), 32767);
    EXPECT_THROW(add16(32767, 1), Failure);
    EXPECT_THROW(mul16(200, 200), Failure);
    EXPECT_EQ(sub16(-32767, 1), -32768);
    EXPECT_EQ(round32(2.5), 2);
    EXPECT_EQ(round32(3.5), 4);
    EXPECT_THROW(round32(3e9), Failure);
    EXPECT_THROW(to_single(1e39), Failure);
    EXPECT_THROW(divide(1.0, 0.0), Failure);
    EXPECT_THROW(log_checked(0.0), Failure);
}

} // namespace
} // namespace dimora
