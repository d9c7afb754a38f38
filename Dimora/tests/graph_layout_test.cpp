// Graph geometry and the readout under the marker.
#include <gtest/gtest.h>

#include <cmath>

#include "graph_layout.h"

namespace dimora {
namespace {

TEST(GraphLayout, StepAxesAndTicks) {
    EXPECT_DOUBLE_EQ(graphStep(20, 2, 0.5, 20), 0.475);
    EXPECT_EQ(graphStep(20, 0, 0.5, 20), -1.0);

    const auto ys = errorAxisValues(0.5f);
    ASSERT_EQ(ys.size(), 6u);
    EXPECT_EQ(ys.front(), 0.0f);
    EXPECT_NEAR(ys.back(), 0.5f, 1e-6);

    EXPECT_EQ(ratioAxisTicks(10.0), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    const auto wide = ratioAxisTicks(40.0); // step round(40 / 20) = 2
    EXPECT_EQ(wide.front(), 0);
    EXPECT_EQ(wide[1], 2);
    EXPECT_EQ(wide.back(), 40);
}

TEST(GraphLayout, ScaleLeavesRoomForTheTextAroundThePlot) {
    // 600 x 400 pixels, text 16 px high and 11 px wide.
    // Ten rounds from a far-off start come close; ten more from there settle completely.
    const UserScale first = fitGraphScale(10.0, 0.5, 600, 400, 16, 11, {0, 6000, 9000, 0});
    EXPECT_NEAR(first.top, 0.5642619, 1e-3);
    const UserScale s = fitGraphScale(10.0, 0.5, 600, 400, 16, 11, first);
    const double th = 16 * (s.top - s.bottom) / 400;
    const double tw = 11 * (s.right - s.left) / 600;
    EXPECT_NEAR(s.top, 0.5 + 2.5 * th, 1e-6);
    EXPECT_NEAR(s.bottom, -3 * th, 1e-6);
    EXPECT_NEAR(s.left, -4 * tw, 1e-6);
    EXPECT_NEAR(s.right, 10 + 3 * tw, 1e-6);
    EXPECT_GT(s.top, 0.5);
    EXPECT_LT(s.left, 0.0);
}

SCCurves numberedCurves(int npts) {
    SCCurves c;
    c.d = 2;
    c.npts = static_cast<std::int16_t>(npts);
    for (int n = 1; n <= npts; ++n) {
        c.ED.push_back(n / 1000.0);
        c.ET.push_back(n / 100.0);
        c.SD.push_back(n / 10000.0);
        c.ST.push_back(0.25);
    }
    return c;
}

TEST(Readout, ShowsThePlottedPointNearestTheMarker) {
    const SCCurves c = numberedCurves(20);
    // Points at n/d = 0.5 + 0.475 i; the one nearest 5.0 is offset 9 (n = 10, at 4.775).
    const auto r = readoutAt(5.0, 0.475, 0.5, c);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->ratio, "n/d = 5.000");
    ASSERT_TRUE(r->point);
    EXPECT_EQ(*r->point, 9u);
    EXPECT_EQ(r->pet, "Pet = 0.100");
    EXPECT_EQ(r->ped, "Ped = 0.010");
    EXPECT_EQ(r->sd, "Sd = 0.001");
    EXPECT_EQ(r->st, "St = 0.250");

    const auto first = readoutAt(0.5 + 1e-3, 0.475, 0.5, c);
    EXPECT_EQ(*first->point, 0u);
    const auto past = readoutAt(12.0, 0.475, 0.5, c); // limited to the last point
    EXPECT_EQ(*past->point, 19u);
}

TEST(Readout, LeftOfTheFirstPointOnlyTheAbscissaAndNothingWithoutAGraph) {
    const SCCurves c = numberedCurves(20);
    const auto left = readoutAt(0.25, 0.475, 0.5, c);
    ASSERT_TRUE(left);
    EXPECT_EQ(left->ratio, "n/d = 0.250");
    EXPECT_FALSE(left->point);
    EXPECT_TRUE(left->pet.empty());
    EXPECT_FALSE(readoutAt(-0.1, 0.475, 0.5, c));
    EXPECT_FALSE(readoutAt(3.0, -1.0, 0.5, c));
    EXPECT_FALSE(readoutAt(3.0, 0.0, 0.5, c));
}

} // namespace
} // namespace dimora
