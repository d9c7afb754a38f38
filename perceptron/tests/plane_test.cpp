#include "engine/plane.h"

#include "case_name.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace perceptron;

namespace {

std::vector<Label> labels_of(const Drawing& d) {
    std::vector<Label> labels;
    for (const Stroke& s : d)
        if (const auto* l = std::get_if<Label>(&s)) labels.push_back(*l);
    return labels;
}

std::vector<Segment> segments_of(const Drawing& d) {
    std::vector<Segment> segments;
    for (const Stroke& s : d)
        if (const auto* seg = std::get_if<Segment>(&s)) segments.push_back(*seg);
    return segments;
}

} // namespace

TEST(PerceptronScale, PixelsMapToTheUserScale) {
    EXPECT_EQ(scale::area_width_px, 465);
    EXPECT_EQ(scale::area_height_px, 321);
    EXPECT_NEAR(scale::right, 11.04, 0.005);
    EXPECT_NEAR(scale::bottom, 0.656, 0.001);

    UserPoint origin = user_point(0, 0);
    EXPECT_FLOAT_EQ(origin.x, -0.25f);
    EXPECT_FLOAT_EQ(origin.yd, -0.04f);
    UserPoint corner = user_point(scale::area_width_px, scale::area_height_px);
    EXPECT_NEAR(corner.x, scale::right, 1e-5);
    EXPECT_NEAR(corner.yd, scale::bottom, 1e-6);
    // One X unit is 617.74463 twips, 41.18 pixels.
    EXPECT_NEAR(user_point(41.1829753, 0).x - origin.x, 1.0, 1e-6);
}

TEST(PerceptronPalette, ClassicColoursByIndex) {
    EXPECT_EQ(palette_rgb(colour::black), 0x000000u);
    EXPECT_EQ(palette_rgb(colour::dark_blue), 0x000080u);
    EXPECT_EQ(palette_rgb(colour::dark_red), 0x800000u);
    EXPECT_EQ(palette_rgb(colour::dark_yellow), 0x808000u);
    EXPECT_EQ(palette_rgb(15), 0xFFFFFFu);
    EXPECT_EQ(palette_rgb(16), 0x000000u);
    EXPECT_EQ(palette_rgb(-1), 0x000000u);
}

TEST(PerceptronLoopValues, AddTheStepAndStopPastTheEnd) {
    EXPECT_EQ(loop_values(0, 1, 0.25), (std::vector<double>{0, 0.25, 0.5, 0.75, 1}));
    EXPECT_EQ(loop_values(0, 1, 0.3).size(), 4u);
    EXPECT_TRUE(loop_values(1, 0, 0.5).empty());
    EXPECT_TRUE(loop_values(0, 1, 0).empty()); // a zero step would never end
}

TEST(PerceptronAxes, BlackLinesArrowheadsAndSignPositionLabels) {
    Drawing axes = draw_axes();
    std::vector<Segment> lines = segments_of(axes);
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(std::all_of(lines.begin(), lines.end(),
                            [](const Segment& s) { return s.colour == colour::black; }));
    int to_top_tip = 0, to_right_tip = 0;
    for (const Segment& s : lines) {
        to_top_tip += s.x2 == 0 && s.yd2 == -0.04 ? 1 : 0;
        to_right_tip += s.x2 == 10.9 && s.yd2 == 0.6 ? 1 : 0;
    }
    EXPECT_EQ(to_top_tip, 17);   // a = -0.08 .. 0.08 by 0.01
    EXPECT_EQ(to_right_tip, 11); // b = 0.59 .. 0.61 by 0.002

    std::vector<std::string> texts;
    for (const Label& l : labels_of(axes))
        texts.push_back(l.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"Y", "X", " 0", " 1", " 2", " 3", " 4", " 5", " 6",
                                               " 7", " 8", " 9", " 10", " .1", " .2", " .3", " .4",
                                               " .5", " .6"}));
    std::vector<Label> labels = labels_of(axes);
    EXPECT_EQ(labels[12].x, 10.0); // " 10" at (10, 0.6)
    EXPECT_EQ(labels[12].yd, 0.6);
    EXPECT_EQ(labels[13].x, -0.3); // " .1" at (-0.3, 0.6 - 0.1 - 0.01)
    EXPECT_NEAR(labels[13].yd, 0.49, 1e-12);
}

TEST(PerceptronPoints, UAsDarkRedXThenVAsDarkBlueO) {
    SampleSet set{{{6.0f, 0.5f}, {7.0f, 0.333f}}, {{2.833f, 0.211f}, {2.714f, 0.3f}}};
    std::vector<Label> labels = labels_of(draw_points(set));
    ASSERT_EQ(labels.size(), 4u);
    EXPECT_EQ(labels[0].text, "X");
    EXPECT_EQ(labels[0].colour, colour::dark_red);
    EXPECT_NEAR(labels[0].x, 5.9, 1e-6);
    EXPECT_NEAR(labels[0].yd, 0.09, 1e-6);
    EXPECT_EQ(labels[1].text, "X");
    EXPECT_EQ(labels[2].text, "O");
    EXPECT_EQ(labels[2].colour, colour::dark_blue);
    EXPECT_NEAR(labels[3].x, 2.614, 1e-6);
    EXPECT_NEAR(labels[3].yd, 0.29, 1e-6);
    EXPECT_TRUE(draw_points({}).empty());
}

TEST(PerceptronDecisionLine, RunsBetweenTheEdgesInTheLineColour) {
    std::vector<Segment> start = segments_of(draw_decision_line(start_weights, 6));
    ASSERT_EQ(start.size(), 1u);
    EXPECT_EQ(start[0].colour, 6);
    EXPECT_NEAR(start[0].x1, 6.0, 1e-6);
    EXPECT_EQ(start[0].yd1, 0.0);
    EXPECT_NEAR(start[0].x2, 0.0, 1e-6);
    EXPECT_EQ(start[0].yd2, 0.6);
}

TEST(PerceptronDecisionLine, HorizontalWhenW0IsZeroAndNothingWhenItCannotBeSeen) {
    // 0·X + 2·Y − 0.5 = 0: Y = 0.25 everywhere, drawn across the whole plane.
    std::vector<Segment> flat = segments_of(draw_decision_line({0.0f, 2.0f, -0.5f}, 6));
    ASSERT_EQ(flat.size(), 1u);
    EXPECT_DOUBLE_EQ(flat[0].x1, scale::left);
    EXPECT_DOUBLE_EQ(flat[0].x2, scale::right);
    EXPECT_DOUBLE_EQ(flat[0].yd1, 0.35);
    EXPECT_DOUBLE_EQ(flat[0].yd2, 0.35);

    EXPECT_TRUE(draw_decision_line({0.0f, 0.0f, 1.0f}, 6).empty());
    EXPECT_TRUE(draw_decision_line({1.0f, 0.0f, -100.0f}, 6).empty()); // X = 100, off the plane

    // A nearly horizontal line has end points far away; it is cut to the drawing area.
    std::vector<Segment> steep = segments_of(draw_decision_line({1e-30f, 1.0f, -0.3f}, 6));
    ASSERT_EQ(steep.size(), 1u);
    for (double x : {steep[0].x1, steep[0].x2}) {
        EXPECT_GE(x, scale::left - 1e-9);
        EXPECT_LE(x, scale::right + 1e-9);
    }
    EXPECT_NEAR(steep[0].yd1, 0.3, 1e-6);
}

struct ReadoutCase {
    float x;
    float yd;
    const char* text;
};

class PerceptronReadout : public ::testing::TestWithParam<ReadoutCase> {};

TEST_P(PerceptronReadout, ShowsXAndYToTwoDecimalsWithASignPosition) {
    const ReadoutCase& c = GetParam();
    EXPECT_EQ(readout_text({c.x, c.yd}), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PerceptronReadout,
    ::testing::Values(
        ReadoutCase{6.0101f, 0.1f, "X:  6.01 ; Y:  .5"}, ReadoutCase{0.0f, 0.6f, "X:  0 ; Y:  0"},
        ReadoutCase{-0.2f, 0.65f, "X: -.2 ; Y: -.05"},
        ReadoutCase{10.999f, -0.03f, "X:  11 ; Y:  .63"},
        // X is exactly .125 and goes to the even .12; 0.6 − 0.475f lies just above .125
        ReadoutCase{0.125f, 0.475f, "X:  .12 ; Y:  .13"},
        ReadoutCase{0.375f, 0.6f, "X:  .38 ; Y:  0"}),
    [](const ::testing::TestParamInfo<ReadoutCase>& info) {
        return suite_testing::CaseName(info.param.text);
    });

TEST(PerceptronReadout, StripIsClearedBeforeTheText) {
    Drawing d = draw_readout({1.0f, 0.2f});
    ASSERT_EQ(d.size(), 2u);
    const auto* fill = std::get_if<Fill>(&d[0]);
    ASSERT_NE(fill, nullptr);
    EXPECT_EQ(fill->x1, 3.92);
    EXPECT_EQ(fill->yd2, 0.03);
    const auto* label = std::get_if<Label>(&d[1]);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->x, 4.0);
    EXPECT_EQ(label->yd, 0.0);
    EXPECT_EQ(label->text, "X:  1 ; Y:  .4");
    EXPECT_EQ(fill->x2, 6.0);

    // A font that prints the readout wider widens the strip, never narrows it.
    Drawing wide = draw_readout({10.5f, 0.2f}, 6.4, 0.035);
    EXPECT_EQ(std::get<Fill>(wide[0]).x2, 6.4);
    EXPECT_EQ(std::get<Fill>(wide[0]).yd2, 0.035);
    Drawing narrow = draw_readout({10.5f, 0.2f}, 5.0, 0.01);
    EXPECT_EQ(std::get<Fill>(narrow[0]).x2, 6.0);
    EXPECT_EQ(std::get<Fill>(narrow[0]).yd2, 0.03);
}

TEST(PerceptronReadout, TheLongestReadoutsAreThoseOfTheCorners) {
    EXPECT_EQ(widest_readouts(),
              (std::vector<std::string>{"X: -.25 ; Y:  .64", "X: -.25 ; Y: -.06",
                                        "X:  11.04 ; Y:  .64", "X:  11.04 ; Y: -.06"}));
}

TEST(PerceptronHitTests, PointerAndClickRectanglesAroundTheSample) {
    SampleSet set = built_in_set(SetChoice::set1);
    auto at = [](double x, double y) {
        return UserPoint{static_cast<float>(x), static_cast<float>(0.6 - y)};
    };
    // U sample 0 at (6.0, 0.5).
    EXPECT_EQ(image_under_pointer(set, at(6.0, 0.5)), "U1");
    EXPECT_EQ(image_under_pointer(set, at(6.105, 0.54)), "U1"); // pointer box reaches up to +0.051
    EXPECT_EQ(image_under_pointer(set, at(6.0, 0.48)), std::nullopt);
    EXPECT_EQ(image_under_click(set, at(6.09, 0.505)), "U1");
    EXPECT_EQ(image_under_click(set, at(6.105, 0.5)), std::nullopt); // click box ends at +0.1
    EXPECT_EQ(image_under_click(set, at(6.0, 0.52)), std::nullopt);
    // V sample 2 at (1.875, 0.211).
    EXPECT_EQ(image_under_click(set, at(1.875, 0.211)), "V3");
    EXPECT_EQ(image_under_pointer(set, at(9.5, 0.1)), std::nullopt);
    EXPECT_EQ(image_under_pointer(SampleSet{}, at(6.0, 0.5)), std::nullopt);
}

TEST(PerceptronHitTests, TheLastMatchWins) {
    // U0 and V0 share a place: V of the same index is tried after U. U1 overlaps as well and
    // comes later still.
    SampleSet set{{{3.0f, 0.3f}, {3.05f, 0.3f}}, {{3.0f, 0.3f}, {9.0f, 0.1f}}};
    UserPoint p{3.0f, 0.3f};
    EXPECT_EQ(image_under_pointer(set, p), "U2");
    EXPECT_EQ(image_under_click(set, p), "U2");
    set.u[1] = {8.0f, 0.1f};
    EXPECT_EQ(image_under_pointer(set, p), "V1");
}
