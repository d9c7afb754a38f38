#include "numtext/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using numtext::round_decimals;

TEST(RoundDecimals, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(round_decimals(0.125, 2), 0.12);
    EXPECT_EQ(round_decimals(0.375, 2), 0.38);
    EXPECT_EQ(round_decimals(-0.125, 2), -0.12);
    EXPECT_EQ(round_decimals(2.5, 0), 2.0);
    EXPECT_EQ(round_decimals(3.5, 0), 4.0);
}

TEST(RoundDecimals, OtherValuesGoToTheNearest) {
    EXPECT_EQ(round_decimals(3.14159, 2), 3.14);
    EXPECT_EQ(round_decimals(-3.146, 2), -3.15);
    EXPECT_EQ(round_decimals(10.999, 2), 11.0);
    EXPECT_EQ(round_decimals(0.004, 2), 0.0);
    EXPECT_EQ(round_decimals(1234.5678, 3), 1234.568);
}

TEST(RoundDecimals, LargeAndNonFiniteValuesPassUnchanged) {
    EXPECT_EQ(round_decimals(1e300, 2), 1e300);
    EXPECT_EQ(round_decimals(9007199254740993.0, 2), 9007199254740993.0);
    EXPECT_TRUE(std::isnan(round_decimals(std::numeric_limits<double>::quiet_NaN(), 2)));
    EXPECT_EQ(round_decimals(std::numeric_limits<double>::infinity(), 2),
              std::numeric_limits<double>::infinity());
}
