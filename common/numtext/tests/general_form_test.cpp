#include "numtext/general_form.h"

#include "case_name.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct GeneralCase {
    double value;
    int significant;
    const char* text;
};

void PrintTo(const GeneralCase& c, std::ostream* os) {
    *os << c.text;
}

class GeneralFormTest : public ::testing::TestWithParam<GeneralCase> {};

TEST_P(GeneralFormTest, WritesTheGeneralForm) {
    const auto& c = GetParam();
    EXPECT_EQ(numtext::general_form(c.value, c.significant), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, GeneralFormTest,
    ::testing::Values(GeneralCase{0, 7, "0"}, GeneralCase{1, 7, "1"}, GeneralCase{-1, 7, "-1"},
                      GeneralCase{0.25, 15, "0.25"}, GeneralCase{-0.5, 7, "-0.5"},
                      GeneralCase{double(1.0f / 3.0f), 7, "0.3333333"},
                      GeneralCase{double(0.1f), 7, "0.1"}, GeneralCase{0.1, 15, "0.1"},
                      GeneralCase{1234567, 7, "1234567"}, GeneralCase{12345678, 7, "1.234568E+07"},
                      GeneralCase{0.00001, 7, "1E-05"}, GeneralCase{-0.0001, 7, "-0.0001"},
                      GeneralCase{2.5e-7, 15, "2.5E-07"}),
    [](const ::testing::TestParamInfo<GeneralCase>& info) {
        return suite_testing::NumberedCaseName(info.index, info.param.text);
    });

} // namespace
