#include "numtext/numtext.h"

#include "case_name.h"

#include <gtest/gtest.h>

#include <limits>

using namespace numtext;

struct LeadingCase {
    const char* text;
    double value;
};

class LeadingValue : public ::testing::TestWithParam<LeadingCase> {};

TEST_P(LeadingValue, ReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(leading_value(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, LeadingValue,
                         ::testing::Values(LeadingCase{"", 0}, LeadingCase{"abc", 0},
                                           LeadingCase{"12", 12}, LeadingCase{"  1 2 . 5 x", 12.5},
                                           LeadingCase{"-3.25", -3.25}, LeadingCase{"+.5", 0.5},
                                           LeadingCase{"1E3", 1000}, LeadingCase{"1D-2", 0.01},
                                           LeadingCase{"2e+2x", 200}, LeadingCase{"7E", 7},
                                           LeadingCase{"1.2.3", 1.2}, LeadingCase{"- 4", -4},
                                           LeadingCase{"5,5", 5}, LeadingCase{".", 0},
                                           LeadingCase{"\t3\r\n", 3}),
                         [](const ::testing::TestParamInfo<LeadingCase>& info) {
                             return suite_testing::NumberedCaseName(info.index, info.param.text);
                         });

TEST(LeadingValueComma, OnlyTheFirstCommaBecomesAPoint) {
    EXPECT_DOUBLE_EQ(leading_value_comma("0,01"), 0.01);
    EXPECT_DOUBLE_EQ(leading_value_comma("1,5,7"), 1.5);
    EXPECT_DOUBLE_EQ(leading_value_comma("3.5"), 3.5);
    EXPECT_DOUBLE_EQ(leading_value_comma("x,5"), 0);
}

TEST(LeadingValuePlain, BlanksEndTheNumberAndDIsNoExponent) {
    EXPECT_DOUBLE_EQ(leading_value_plain("  12 5"), 12);
    EXPECT_DOUBLE_EQ(leading_value_plain("1d3"), 1);
    EXPECT_DOUBLE_EQ(leading_value_plain("-1.5e1z"), -15);
    EXPECT_DOUBLE_EQ(leading_value_plain("z1"), 0);
}

TEST(WholeNumber, AcceptsOnlyACompleteNumber) {
    EXPECT_EQ(whole_number(" 1.5 "), 1.5);
    EXPECT_EQ(whole_number("-2e3"), -2000);
    EXPECT_EQ(whole_number(".5"), 0.5);
    for (const char* bad : {"", " ", "-", "1.5x", "1e", "1e+", "..1", "1 2", "abc", "1e999"})
        EXPECT_FALSE(whole_number(bad).has_value()) << bad;
}

TEST(FieldScanner, NumbersSeparatedByCommasBlanksAndLineEnds) {
    FieldScanner s("4, 2,1\r\n0.1\n 0.2 ,0.9\t1.0");
    double expected[] = {4, 2, 1, 0.1, 0.2, 0.9, 1.0};
    for (double e : expected) {
        auto n = s.next_number();
        ASSERT_EQ(n.status, FieldScanner::Status::ok);
        EXPECT_DOUBLE_EQ(n.value, e);
    }
    EXPECT_EQ(s.next_number().status, FieldScanner::Status::end);
    EXPECT_TRUE(s.at_end());
}

TEST(FieldScanner, NulCharactersSeparateNumbers) {
    // As text written by tools that pad with NULs: each NUL ends a number like a blank does.
    FieldScanner s(std::string_view("1\0"
                                    "2\0\0"
                                    "3,\0"
                                    "4",
                                    9));
    for (double e : {1.0, 2.0, 3.0, 4.0}) {
        auto n = s.next_number();
        ASSERT_EQ(n.status, FieldScanner::Status::ok);
        EXPECT_EQ(n.value, e);
    }
    EXPECT_EQ(s.next_number().status, FieldScanner::Status::end);
}

TEST(FieldScanner, TextWhereANumberIsExpectedIsReported) {
    FieldScanner s("1 x2 3");
    EXPECT_EQ(s.next_number().status, FieldScanner::Status::ok);
    EXPECT_EQ(s.next_number().status, FieldScanner::Status::not_a_number);
    EXPECT_EQ(s.next_number().value, 3);
    FieldScanner binary(std::string_view("\x01\xff\x00", 3));
    EXPECT_EQ(binary.next_number().status, FieldScanner::Status::not_a_number);
}

TEST(FieldScanner, StringsQuotedOrNot) {
    FieldScanner s("\"h\",u\r\n\r\n  d  \n\"a,b\"");
    EXPECT_EQ(s.next_string(), "h");
    EXPECT_EQ(s.next_string(), "u");
    EXPECT_EQ(s.next_string(), "d");
    EXPECT_EQ(s.next_string(), "a,b");
    EXPECT_FALSE(s.next_string().has_value());
    FieldScanner open("\"unterminated");
    EXPECT_EQ(open.next_string(), "unterminated");
    EXPECT_FALSE(open.next_string().has_value());
}

TEST(ToInteger, NearestWithHalvesToEven) {
    EXPECT_EQ(to_int16(2.5), 2);
    EXPECT_EQ(to_int16(3.5), 4);
    EXPECT_EQ(to_int16(-2.5), -2);
    EXPECT_EQ(to_int16(-0.4), 0);
    EXPECT_EQ(to_int16(32767.4), 32767);
    EXPECT_EQ(to_int16(-32768.5), -32768);
    EXPECT_EQ(to_int32(2147483647.0), 2147483647);
}

TEST(ToInteger, OverflowIsReportedNotWrapped) {
    EXPECT_FALSE(to_int16(32767.5).has_value());
    EXPECT_FALSE(to_int16(-32769).has_value());
    EXPECT_FALSE(to_int16(std::numeric_limits<double>::quiet_NaN()).has_value());
    EXPECT_FALSE(to_int16(std::numeric_limits<double>::infinity()).has_value());
    EXPECT_FALSE(to_int32(2147483647.5).has_value());
    EXPECT_FALSE(to_int32(-2147483649.0).has_value());
}
