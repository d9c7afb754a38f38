#include "numtext/numtext.h"

#include "case_name.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace numtext;

struct FormatCase {
    double value;
    const char* pattern;
    const char* text;
};

class Format : public ::testing::TestWithParam<FormatCase> {};

TEST_P(Format, WritesThePattern) {
    const auto& c = GetParam();
    EXPECT_EQ(format(c.value, c.pattern), c.text) << c.value << " with " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(Scientific, Format,
                         ::testing::Values(FormatCase{0.0123456, "0.0000E+00", "1.2346E-02"},
                                           FormatCase{0, "0.0000E+00", "0.0000E+00"},
                                           FormatCase{0.00321, "0.0000E-00", "3.2100E-03"},
                                           FormatCase{150, "0.0000E-00", "1.5000E02"},
                                           FormatCase{-2.5, "0.0000E+00", "-2.5000E+00"},
                                           FormatCase{9.99995, "0.0000E+00", "1.0000E+01"},
                                           FormatCase{1.23456e-120, "0.0000E+00", "1.2346E-120"},
                                           FormatCase{0.000012345, "0.0000E+00", "1.2345E-05"}),
                         [](const ::testing::TestParamInfo<FormatCase>& info) {
                             return suite_testing::NumberedCaseName(info.index, info.param.text);
                         });

INSTANTIATE_TEST_SUITE_P(
    Digits, Format,
    ::testing::Values(FormatCase{83.33333, "##0.##", "83.33"}, FormatCase{50, "##0.##", "50"},
                      FormatCase{100, "##0.##", "100"}, FormatCase{0, "##0.##", "0"},
                      FormatCase{12.5, "##0.##", "12.5"}, FormatCase{0.125, "##0.##", "0.13"},
                      FormatCase{0.5, "#####.#", ".5"}, FormatCase{-12.34, "#####.#", "-12.3"},
                      FormatCase{0, "#####.#", "0"}, FormatCase{1234567, "#####.#", "1234567"},
                      FormatCase{-0.01, "#####.#", "0"}, FormatCase{2, "###0.0#", "2.0"},
                      FormatCase{-1.256, "###0.0#", "-1.26"}, FormatCase{0.5, "### ##0.00", "0.50"},
                      FormatCase{1234.5, "### ##0.00", "1 234.50"},
                      FormatCase{123456, "### ##0.0", "123 456.0"},
                      FormatCase{0, "### ##0.0", "0.0"}, FormatCase{0.0625, "### ##0.000", "0.063"},
                      FormatCase{7, "##", "7"}, FormatCase{0, "##", "0"},
                      FormatCase{123, "##", "123"}, FormatCase{45.5, "####", "46"},
                      FormatCase{-3, "###", "-3"}),
    [](const ::testing::TestParamInfo<FormatCase>& info) {
        return suite_testing::NumberedCaseName(info.index, info.param.text);
    });

TEST(Shortest, FloatsReadBackAndUseTheGeneralForm) {
    EXPECT_EQ(shortest(0.1f), "0.1");
    EXPECT_EQ(shortest(3.5f), "3.5");
    EXPECT_EQ(shortest(-0.5f), "-0.5");
    EXPECT_EQ(shortest(0.0f), "0");
    EXPECT_EQ(shortest(1234567.0f), "1234567");
    EXPECT_EQ(shortest(12345678.0f), "1.2345678E+07");
    EXPECT_EQ(shortest(0.0001f), "0.0001");
    EXPECT_EQ(shortest(0.00001f), "1E-05");
    EXPECT_EQ(shortest(1e20f), "1E+20");
    for (float f : {0.3f, 1.0f / 3.0f, 123.456f, 6.02e23f, 1.17549435e-38f, -7.1e-10f}) {
        float back = std::strtof(shortest(f).c_str(), nullptr);
        EXPECT_EQ(back, f) << shortest(f);
    }
}

TEST(Shortest, DoublesSwitchToScientificLater) {
    EXPECT_EQ(shortest(0.1), "0.1");
    EXPECT_EQ(shortest(123456789012345.0), "123456789012345");
    EXPECT_EQ(shortest(1e15), "1E+15");
}

TEST(SignPosition, BlankOrMinusAndNoLeadingZero) {
    EXPECT_EQ(with_sign_position(0, 7), " 0");
    EXPECT_EQ(with_sign_position(10, 7), " 10");
    EXPECT_EQ(with_sign_position(0.1f, 7), " .1");
    EXPECT_EQ(with_sign_position(0.6f, 7), " .6");
    EXPECT_EQ(with_sign_position(-1, 15), "-1");
    EXPECT_EQ(with_sign_position(0.5, 15), " .5");
    EXPECT_EQ(with_sign_position(-0.25, 15), "-.25");
    EXPECT_EQ(with_sign_position(1e20, 15), " 1E+20");
    EXPECT_EQ(with_sign_position(-1.5e-7, 15), "-1.5E-07");
    EXPECT_EQ(with_sign_position(1.0 / 3.0, 15), " .333333333333333");
}

TEST(RightAlign, PadsInFrontOrKeepsTheLastCharacters) {
    EXPECT_EQ(right_align("7", 3), "  7");
    EXPECT_EQ(right_align("abc", 3), "abc");
    EXPECT_EQ(right_align("12345", 3), "345");
    EXPECT_EQ(right_align("", 2), "  ");
}
