#include "case_name.h"

#include <gtest/gtest.h>

#include "engine/display.h"
#include "engine/messages.h"
#include "test_support.h"

namespace quillon {
namespace {

Analysis ramp(int n) {
    std::vector<float> v;
    for (int i = 1; i <= n; ++i)
        v.push_back(static_cast<float>(i) * 0.5f);
    return test::with_signal(v);
}

TEST(Display, ListingItems) {
    Analysis a = ramp(30);
    DisplayPlan p;
    ASSERT_EQ(Display(a, 1, "1", false, p), std::nullopt);
    ASSERT_EQ(p.listing.size(), 30u);
    EXPECT_EQ(p.listing[0], "1: 0.5");
    EXPECT_EQ(p.listing[6], "7: 3.5");
    EXPECT_EQ(p.listing[29], "30: 15");
}

struct StepCase {
    const char* text;
    int begin;
    std::vector<std::string> firstItems;
    std::size_t count;
};

class Steps : public ::testing::TestWithParam<StepCase> {};

TEST_P(Steps, ListingFollowsBeginAndStep) {
    const auto& c = GetParam();
    Analysis a = ramp(100);
    DisplayPlan p;
    ASSERT_EQ(Display(a, c.begin, c.text, false, p), std::nullopt);
    EXPECT_EQ(p.listing.size(), c.count);
    for (std::size_t i = 0; i < c.firstItems.size(); ++i)
        EXPECT_EQ(p.listing.at(i), c.firstItems[i]);
}

INSTANTIATE_TEST_SUITE_P(
    Display, Steps,
    ::testing::Values(StepCase{"3", 1, {"1: 0.5", "4: 2"}, 34},
                      StepCase{"25", 1, {"1: 0.5", "11: 5.5"}, 10}, // above 10 is 10
                      StepCase{"1", 95, {"95: 47.5"}, 6}, StepCase{"1", 101, {}, 0}),
    [](const ::testing::TestParamInfo<StepCase>& info) {
        return "Step" + suite_testing::CaseName(info.param.text) + "_From" +
               std::to_string(info.param.begin);
    }); // beyond the signal

TEST(Display, StepBelowOneIsRefused) {
    Analysis a = ramp(10);
    DisplayPlan p;
    p.listing = {"kept"};
    EXPECT_EQ(Display(a, 1, "0", false, p), msg::step_too_small);
    EXPECT_EQ(Display(a, 1, "", false, p), msg::step_too_small);
    EXPECT_EQ(p.listing, std::vector<std::string>{"kept"});
}

TEST(Display, CurvesStopAtTheSignalsEnd) {
    Analysis a = ramp(5); // ymax 2.5: value v lies at 3.5 - v
    DisplayPlan p;
    ASSERT_EQ(Display(a, 1, "1", false, p), std::nullopt);
    ASSERT_EQ(p.signal.size(), 5u);
    EXPECT_EQ(p.approximation.size(), 4u);
    // The pen starts at x = 1 on the first sample; each sample is one unit further right.
    EXPECT_DOUBLE_EQ(p.signal[0].x1, 1.0);
    EXPECT_DOUBLE_EQ(p.signal[0].y1, 3.0);
    EXPECT_DOUBLE_EQ(p.signal[0].y2, 3.0);
    EXPECT_DOUBLE_EQ(p.signal[4].x2, 6.0);
    EXPECT_DOUBLE_EQ(p.signal[4].y2, 1.0);
    EXPECT_EQ(p.signal[0].color, (Rgb{192, 192, 192}));
    EXPECT_EQ(p.approximation[0].color, (Rgb{15, 0, 0}));
}

TEST(Display, ZoomFillsTheWidthWith250Samples) {
    Analysis a = ramp(2000);
    DisplayPlan p;
    ASSERT_EQ(Display(a, 1, "1", true, p), std::nullopt);
    EXPECT_EQ(p.signal.size(), 251u);
    EXPECT_DOUBLE_EQ(p.signal[1].x2 - p.signal[1].x1, 4.0);
    EXPECT_DOUBLE_EQ(p.signal[249].x2, 1001.0);
    ASSERT_EQ(Display(a, 1, "1", false, p), std::nullopt);
    EXPECT_EQ(p.signal.size(), 1001u);
    // From the last first sample the scroll bar offers, the last sample is drawn, zoomed or not.
    for (bool zoom : {true, false}) {
        ASSERT_EQ(Display(a, last_begin(zoom), "1", zoom, p), std::nullopt);
        EXPECT_EQ(p.listing.back(), "2000: 1000");
        EXPECT_DOUBLE_EQ(p.signal.back().y2, 1.0) << "sample 2000 lies one unit below the top";
    }
}

TEST(Display, PenWidthIsNotResetBeforeTheSignal) {
    Analysis a = ramp(10);
    DisplayPlan p;
    ASSERT_EQ(Display(a, 1, "1", false, p), std::nullopt);
    EXPECT_EQ(p.signalWidth, 1);
    EXPECT_EQ(p.approximationWidth, 2);
    ASSERT_EQ(Display(a, 1, "1", false, p), std::nullopt);
    EXPECT_EQ(p.signalWidth, 2);
}

TEST(Display, LabelledSegmentsTakeTheirColours) {
    Analysis a = ramp(4);
    a.mode = Mode::labelled;
    a.nseg = 2;
    a.symbol[1] = "h";
    a.symbol[2] = "D";
    a.segOfSample[1] = 1;
    a.segOfSample[2] = 1;
    a.segOfSample[3] = 2;
    DisplayPlan p;
    ASSERT_EQ(Display(a, 1, "1", false, p), std::nullopt);
    ASSERT_EQ(p.approximation.size(), 3u);
    EXPECT_EQ(p.approximation[1].color, (Rgb{0, 255, 0}));
    EXPECT_EQ(p.approximation[2].color, (Rgb{0, 0, 255}));
    a.mode = Mode::string_read;
    ASSERT_EQ(Display(a, 1, "1", false, p), std::nullopt);
    EXPECT_EQ(p.approximation[2].color, (Rgb{15, 0, 0}));
}

TEST(PointerReadout, UserCoordinatesAndValue) {
    Analysis a = test::with_signal({-4.0f, 20.0f});
    auto [x, y] = pointer_readout(a, 512.25, 1.0);
    EXPECT_EQ(x, "512.3");
    EXPECT_EQ(y, "20");
    EXPECT_EQ(pointer_readout(a, 0.0, 25.5).second, "-4.5");
}

} // namespace
} // namespace quillon
