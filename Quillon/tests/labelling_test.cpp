#include "case_name.h"

#include <gtest/gtest.h>

#include "engine/labelling.h"
#include "engine/messages.h"
#include "test_support.h"

namespace quillon {
namespace {

struct SymbolCase {
    float slope, s1, s2;
    const char* symbol;
};

class SymbolFor : public ::testing::TestWithParam<SymbolCase> {};

TEST_P(SymbolFor, ThresholdsAndSign) {
    const auto& c = GetParam();
    EXPECT_EQ(symbol_for(c.slope, c.s1, c.s2), c.symbol)
        << "slope " << c.slope << " s1 " << c.s1 << " s2 " << c.s2;
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, SymbolFor,
    ::testing::Values(SymbolCase{0.05f, 0.1f, 5.0f, "h"}, SymbolCase{-0.05f, 0.1f, 5.0f, "h"},
                      SymbolCase{0.1f, 0.1f, 5.0f, "u"}, SymbolCase{-0.1f, 0.1f, 5.0f, "d"},
                      SymbolCase{4.99f, 0.1f, 5.0f, "u"}, SymbolCase{5.0f, 0.1f, 5.0f, "U"},
                      SymbolCase{-5.0f, 0.1f, 5.0f, "D"}, SymbolCase{0.0f, 0.0f, 5.0f, "u"},
                      SymbolCase{1.5f, 2.0f, 1.0f, "h"}, SymbolCase{2.5f, 2.0f, 1.0f, "U"},
                      SymbolCase{-2.0f, 2.0f, 1.0f, "D"}),
    [](const ::testing::TestParamInfo<SymbolCase>& info) {
        return suite_testing::NumberedCaseName(info.index, info.param.symbol);
    });

// Three segments of lengths 2, 3 and 1 over seven samples.
Analysis segmented(std::vector<float> slopes) {
    Analysis a = test::with_signal({0, 0, 0, 0, 0, 0, 0});
    a.mode = Mode::approximated;
    a.nseg = static_cast<std::int16_t>(slopes.size());
    float lengths[] = {2, 3, 1};
    for (std::size_t k = 0; k < slopes.size(); ++k) {
        a.segSlope[k + 1] = slopes[k];
        a.segLength[k + 1] = lengths[k];
    }
    return a;
}

TEST(Labelling, LabelsEverySegmentAndMapsSamples) {
    Analysis a = segmented({0.0f, 1.0f, -9.0f});
    ASSERT_EQ(CmdLabel(a, "0.1", "5"), std::nullopt);
    EXPECT_EQ(a.mode, Mode::labelled);
    EXPECT_EQ(a.symbol[1], "h");
    EXPECT_EQ(a.symbol[2], "u");
    EXPECT_EQ(a.symbol[3], "D");
    std::vector<std::int16_t> owners(a.segOfSample.begin() + 1, a.segOfSample.begin() + 8);
    EXPECT_EQ(owners, (std::vector<std::int16_t>{1, 1, 1, 2, 2, 2, 3}));
}

TEST(Labelling, EmptyThresholdTextsAreZero) {
    Analysis a = segmented({0.0f, -0.0001f, 3.0f});
    ASSERT_EQ(CmdLabel(a, "", "x"), std::nullopt);
    EXPECT_EQ(a.symbol[1], "U");
    EXPECT_EQ(a.symbol[2], "D");
}

TEST(Labelling, NeedsSegmentsOfTheCurrentSignal) {
    Analysis fresh = test::with_signal({1, 2, 3});
    fresh.nseg = 40; // left over from an earlier signal
    EXPECT_EQ(CmdLabel(fresh, "0.1", "5"), msg::no_segments);
    EXPECT_EQ(fresh.mode, Mode::signal_only);

    Analysis read = segmented({1.0f});
    read.mode = Mode::string_read;
    read.symbol[1] = "x";
    EXPECT_EQ(CmdLabel(read, "0.1", "5"), msg::no_segments);
    EXPECT_EQ(read.symbol[1], "x");
}

TEST(Labelling, SampleMapStaysInsideTheArrays) {
    Analysis a = test::with_signal(std::vector<float>(kMaxSamples, 0.0f));
    a.mode = Mode::approximated;
    a.nseg = 3;
    for (int k = 1; k <= 3; ++k)
        a.segLength[k] = 1500.0f; // lengths that overrun the samples
    ASSERT_EQ(label_segments(a, 0.1f, 5.0f), std::nullopt);
    EXPECT_EQ(a.segOfSample[kMaxSamples], 2);
}

TEST(Color, SymbolColoursAndBlack) {
    Analysis a = segmented({0.0f, 1.0f, -1.0f});
    a.nseg = 7;
    const char* symbols[] = {"h", "u", "d", "U", "D", "?", "h"};
    for (int k = 0; k < 7; ++k)
        a.symbol[k + 1] = symbols[k];
    a.mode = Mode::labelled;
    EXPECT_EQ(Color(a, 1), (Rgb{0, 255, 0}));
    EXPECT_EQ(Color(a, 2), (Rgb{255, 0, 0}));
    EXPECT_EQ(Color(a, 3), (Rgb{0, 255, 255}));
    EXPECT_EQ(Color(a, 4), (Rgb{255, 0, 255}));
    EXPECT_EQ(Color(a, 5), (Rgb{0, 0, 255}));
    EXPECT_EQ(Color(a, 6), Rgb{});
    EXPECT_EQ(Color(a, 0), Rgb{});
    EXPECT_EQ(Color(a, 8), Rgb{});

    a.state[7] = "F";
    EXPECT_EQ(Color(a, 7), (Rgb{0, 255, 0})) << "the state counts only after a parse";
    a.mode = Mode::parsed;
    EXPECT_EQ(Color(a, 7), Rgb{});
    EXPECT_EQ(Color(a, 1), (Rgb{0, 255, 0}));
}

} // namespace
} // namespace quillon
