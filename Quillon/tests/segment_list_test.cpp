#include <gtest/gtest.h>

#include "engine/messages.h"
#include "engine/segment_list.h"
#include "test_support.h"

namespace quillon {
namespace {

Analysis two_segments(Mode m) {
    Analysis a;
    a.mode = m;
    a.nseg = 2;
    a.segLength[1] = 12.0f;
    a.segSlope[1] = 0.5f;
    a.symbol[1] = "u";
    a.state[1] = "A";
    a.segLength[2] = 3.0f;
    a.segSlope[2] = -123.456f;
    a.symbol[2] = "D";
    a.state[2] = "F";
    return a;
}

TEST(ShowList, ColumnsGrowWithTheMode) {
    EXPECT_TRUE(ShowList(two_segments(Mode::signal_only)).empty());
    EXPECT_EQ(ShowList(two_segments(Mode::approximated)),
              (std::vector<std::string>{" 1,  12(  13),    0.5", " 2,   3(  16),-123.46"}));
    EXPECT_EQ(
        ShowList(two_segments(Mode::labelled)),
        (std::vector<std::string>{" 1,  12(  13),    0.5,   u", " 2,   3(  16),-123.46,   D"}));
    EXPECT_EQ(ShowList(two_segments(Mode::parsed)),
              (std::vector<std::string>{" 1,  12(  13),    0.5,   u,  A",
                                        " 2,   3(  16),-123.46,   D,  F"}));
    EXPECT_EQ(ShowList(two_segments(Mode::string_read)),
              (std::vector<std::string>{" 1,   u", " 2,   D"}));
    EXPECT_EQ(ShowList(two_segments(Mode::string_parsed)),
              (std::vector<std::string>{" 1,   u,  A", " 2,   D,  F"}));
}

TEST(ShowList, ColumnsWidenForTheirLongestValue) {
    // Usual values keep the usual widths.
    Analysis a;
    a.mode = Mode::approximated;
    a.nseg = 2;
    a.segLength[1] = 5.0f;
    a.segSlope[1] = -9.99f;
    a.segLength[2] = 99.0f;
    a.segSlope[2] = 99.5f;
    EXPECT_EQ(ShowList(a),
              (std::vector<std::string>{" 1,   5(   6),-9.99", " 2,  99( 105), 99.5"}));

    // A steep fall, a segment of 1999 samples and a hundredth segment: every digit and sign
    // shows, and the other rows are padded to the same columns.
    a.nseg = 100;
    for (int k = 1; k <= 100; ++k) {
        a.segLength[k] = 1.0f;
        a.segSlope[k] = 0.0f;
    }
    a.segSlope[1] = -32.64f;
    a.segLength[2] = 1000.0f;
    auto lines = ShowList(a);
    EXPECT_EQ(lines[0], "  1,    1(   2),-32.64");
    EXPECT_EQ(lines[1], "  2, 1000(1002),   0.0");
    EXPECT_EQ(lines[99], "100,    1(1100),   0.0");
    // The saved file keeps its own widths.
    EXPECT_EQ(segment_file_text(a).substr(0, 22), " 1,     1,   -32.64\r\n ");
}

TEST(SegmentFile, LinesPerMode) {
    EXPECT_EQ(segment_file_text(two_segments(Mode::approximated)),
              " 1,    12,      0.5\r\n 2,     3,  -123.46\r\n");
    EXPECT_EQ(segment_file_text(two_segments(Mode::parsed)),
              " 1,    12,      0.5,   u,  A\r\n 2,     3,  -123.46,   D,  F\r\n");
    // Symbols read from a file are saved with the states they reached.
    EXPECT_EQ(segment_file_text(two_segments(Mode::string_read)), " 1,   u\r\n 2,   D\r\n");
    EXPECT_EQ(segment_file_text(two_segments(Mode::string_parsed)),
              " 1,   u,  A\r\n 2,   D,  F\r\n");
}

TEST(SegmentFile, SaveAndItsRefusals) {
    test::TempFile f("segments.txt", "previous");
    EXPECT_EQ(save_segments(two_segments(Mode::signal_only), f.path()), msg::nothing_to_save);
    EXPECT_EQ(f.read(), "previous");
    ASSERT_EQ(save_segments(two_segments(Mode::labelled), f.path()), std::nullopt);
    EXPECT_EQ(f.read(), " 1,    12,      0.5,   u\r\n 2,     3,  -123.46,   D\r\n");
    EXPECT_EQ(save_segments(two_segments(Mode::labelled), f.dir() + "/missing/x.txt"),
              msg::save_error);
}

} // namespace
} // namespace quillon
