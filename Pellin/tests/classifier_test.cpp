#include "engine/classifier.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <string>
#include <vector>

using namespace pellin;

namespace {

struct Recorder : Report {
    std::vector<std::string> lines;
    void show(std::string_view label, const std::string& text) override {
        lines.push_back(std::string(label) + "=" + text);
    }
    void message(const std::string& title, const std::string& text) override {
        lines.push_back("MsgBox " + title + ": " + text);
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> out;
        for (const auto& l : lines)
            if (l.rfind("MsgBox", 0) == 0) out.push_back(l);
        return out;
    }
    std::string last(const std::string& label) const {
        for (auto it = lines.rbegin(); it != lines.rend(); ++it)
            if (it->rfind(label + "=", 0) == 0) return it->substr(label.size() + 1);
        return "<none>";
    }
};

Prototypes oneFeature(std::vector<float> values, int n1) {
    Prototypes p;
    p.n = static_cast<int>(values.size());
    p.n1 = n1;
    p.d = 1;
    for (float v : values)
        p.x.push_back({v, 0, 0, 0, 0, 0});
    return p;
}

} // namespace

TEST(Neighbours, SelectionKeepsTheLowerPositionAmongEqualDistances) {
    Prototypes set = oneFeature({0.0f, 1.0f, -1.0f, 2.0f}, 2);
    Neighbours nb(set);
    for (int m = 1; m <= 4; ++m)
        nb.include(m, 1);
    nb.select(3);
    EXPECT_EQ(nb.lab(1), 1);
    EXPECT_EQ(nb.lab(2), 2); // distance 1, position 2 before position 3
    EXPECT_EQ(nb.lab(3), 3);
    EXPECT_FLOAT_EQ(nb.dist(3), 1.0f);
}

TEST(Neighbours, ExcludedEntriesSortLastAndVoteForClassTwo) {
    Prototypes set = oneFeature({0.0f, 5.0f, 9.0f, 9.5f}, 2);
    Neighbours nb(set);
    nb.exclude(1);
    nb.exclude(2);
    nb.include(3, 1);
    nb.include(4, 1);
    nb.select(3);
    EXPECT_EQ(nb.lab(1), 3);
    EXPECT_EQ(nb.lab(3), 999);
    EXPECT_EQ(nb.votes_class1(1, 3), 0);
}

TEST(Vote, TiesAreNeverErrors) {
    Prototypes set = oneFeature({0, 0, 0, 0}, 2);
    EXPECT_FALSE(is_error(set, 1, 1, 2));
    EXPECT_FALSE(is_error(set, 3, 1, 2));
    EXPECT_TRUE(is_error(set, 1, 0, 1));
    EXPECT_TRUE(is_error(set, 3, 2, 3));
    EXPECT_FALSE(is_error(set, 3, 1, 3));
}

TEST(PartitionScheme, FourPrototypesAllCorrect) {
    Recorder r;
    partition_scheme(oneFeature({0.1f, 0.2f, 0.9f, 1.0f}, 2), 1, 2, false, r);
    const std::vector<std::string> expected = {
        "Label11=1", "Label12=1", "Label6=1", "Label23=100", "Label7=0", "Label26=0",
        "Label8=0",  "Label24=0", "Label9=1", "Label27=100", "Label15=0"};
    ASSERT_GE(r.lines.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(r.lines.begin(), r.lines.begin() + 11), expected);
    EXPECT_EQ(r.last("Label11"), "2");
    EXPECT_EQ(r.last("Label27"), "100");
    EXPECT_EQ(r.last("Label15"), "0");
    EXPECT_EQ(r.last("Label31"), "0");
    EXPECT_TRUE(r.messages().empty());
}

TEST(PartitionScheme, LastFoldTakesTheRemaindersAndStepwisePausesName) {
    // n1 = 5, n2 = 5, p = 2: g = 2, folds (1,2)(6,7) and (3,5)(8,10).
    Recorder r;
    partition_scheme(oneFeature({0, 0.1f, 0.2f, 0.3f, 0.4f, 1, 1.1f, 1.2f, 1.3f, 1.4f}, 5), 1, 2,
                     true, r);
    EXPECT_EQ(r.messages(), (std::vector<std::string>{"MsgBox Step1 (1,2) (6,7): Continue...",
                                                      "MsgBox Step2 (3,5) (8,10): Continue..."}));
    EXPECT_EQ(r.last("Label11"), "5");
    EXPECT_EQ(r.last("Label12"), "5");
}

TEST(PartitionScheme, ErrorsPercentagesAndSpread) {
    // Two overlapping classes: fold errors differ, so the spread is not zero.
    Recorder r;
    partition_scheme(oneFeature({0, 1, 2, 3, 1.1f, 2.1f, 5, 6}, 4), 1, 2, false, r);
    // Fold 1 tests 1,2 and 5,6 against 3,4,7,8; fold 2 tests 3,4 and 7,8 against 1,2,5,6.
    // Fold 1: 1->3(c1) ok, 2->3 ok, 5(1.1)->3(dist 0.9,c1) error, 6(2.1)->3 error: 2/4.
    // Fold 2: 3(2)->6(2.1,c2) error, 4(3)->6 error, 7(5)->6 ok, 8(6)->6 ok: 2/4.
    EXPECT_EQ(r.last("Label7"), "2");
    EXPECT_EQ(r.last("Label26"), "50");
    EXPECT_EQ(r.last("Label8"), "2");
    EXPECT_EQ(r.last("Label15"), "50");
    EXPECT_EQ(r.last("Label31"), "0");
}

TEST(PartitionScheme, SpreadIsTheRootOfTheSumOverPMinusOne) {
    // Fold 1 misclassifies sample 5 (10.05 lies by class 1's 9.9): e = 0.25; fold 2 makes no
    // error. Mean 0.125, s = sqrt(2 * 0.125^2) / 1 = 0.17678.
    Recorder r;
    partition_scheme(oneFeature({0, 10, 0.1f, 9.9f, 10.05f, 30, 20.1f, 30.1f}, 4), 1, 2, false, r);
    EXPECT_EQ(r.last("Label8"), "1");
    EXPECT_EQ(r.last("Label24"), "25");
    EXPECT_EQ(r.last("Label15"), "12.5");
    EXPECT_EQ(r.last("Label31"), "17.68");
}

TEST(EditingScheme, NearestIsTheSampleItselfAndTakesNoPart) {
    // Editing set: samples 3,4 (class 1) and 7,8 (class 2). With k = 1 each is voted by its
    // second nearest: 3 (0) -> 4 (0.1) ok; 4 -> 3 ok; 7 (0.25) -> 4 error; 8 (1.0) -> 7 ok.
    Recorder r;
    bool ok = editing_scheme(oneFeature({-0.5f, 0.12f, 0, 0.1f, 0.9f, 1.1f, 0.25f, 1.0f}, 4), 1, r);
    ASSERT_TRUE(ok);
    EXPECT_EQ(r.messages(), std::vector<std::string>{"MsgBox Edition: Continue..."});
    // Editing results come before the pause, design-set results after it.
    auto pause = std::find(r.lines.begin(), r.lines.end(), "MsgBox Edition: Continue...");
    std::vector<std::string> editing(r.lines.begin(), pause);
    EXPECT_NE(std::find(editing.begin(), editing.end(), "Label8=1"), editing.end());
    EXPECT_NE(std::find(editing.begin(), editing.end(), "Label15=25"), editing.end());
    // Design set 1,2 (-0.5, 0.12) and 5,6 (0.9, 1.1) against the edited 3, 4, 8 (7 removed):
    // 1 -> 3 ok, 2 -> 4 ok, 5 -> 8 ok, 6 -> 8 ok.
    EXPECT_EQ(r.last("Label11"), "2");
    EXPECT_EQ(r.last("Label12"), "2");
    EXPECT_EQ(r.last("Label15"), "0");
    EXPECT_EQ(r.last("Label31"), "<none>");
}

TEST(EditingScheme, EditsTheSecondHalfOfEachClassAndTestsTheFirst) {
    // n1 = n2 = 4: samples 3, 4 and 7, 8 are edited, 1, 2 and 5, 6 form the design set. Sample 6,
    // the last of class 2's first half, lies among class 1: it is no reference while editing
    // (3 and 4 keep each other), and in the design set its nearest edited prototype, 4, makes it
    // the one error.
    Recorder r;
    ASSERT_TRUE(editing_scheme(oneFeature({0, 0.1f, 0.2f, 0.3f, 5, 0.26f, 5.1f, 5.2f}, 4), 1, r));
    auto pause = std::find(r.lines.begin(), r.lines.end(), "MsgBox Edition: Continue...");
    ASSERT_NE(pause, r.lines.end());
    const std::vector<std::string> editing(r.lines.begin(), pause);
    const std::vector<std::string> design(pause + 1, r.lines.end());
    EXPECT_EQ(editing,
              (std::vector<std::string>{"Label11=2", "Label12=2", "Label6=2", "Label23=100",
                                        "Label7=0", "Label26=0", "Label8=0", "Label24=0",
                                        "Label9=2", "Label27=100", "Label15=0"}));
    EXPECT_EQ(design, (std::vector<std::string>{"Label11=2", "Label12=2", "Label6=2", "Label23=100",
                                                "Label7=0", "Label26=0", "Label8=1", "Label24=50",
                                                "Label9=1", "Label27=50", "Label15=25"}));
}

TEST(EditingScheme, StopsWhenAClassIsEditedAway) {
    // Class 2's editing half lies among class 1: both of its samples are edited out.
    Recorder r;
    bool ok = editing_scheme(oneFeature({0, 0.1f, 0.2f, 0.3f, 5, 6, 0.21f, 0.22f}, 4), 2, r);
    EXPECT_FALSE(ok);
    EXPECT_EQ(r.messages(),
              std::vector<std::string>{"MsgBox Edition: Insufficient number of prototypes"});
}

TEST(Neighbours, DistancesTakeAllSixFeatures) {
    // Prototypes alike in features 1 to 5: only the sixth tells them apart.
    Prototypes set;
    set.n = 4;
    set.n1 = 2;
    set.d = 6;
    set.x = {{1, 2, 3, 4, 5, 0}, {1, 2, 3, 4, 5, 0.5f}, {1, 2, 3, 4, 5, 3}, {1, 2, 3, 4, 5, 3.4f}};
    Neighbours nb(set);
    for (int m = 1; m <= 4; ++m)
        nb.include(m, 1);
    EXPECT_FLOAT_EQ(nb.dist(2), 0.5f);
    EXPECT_FLOAT_EQ(nb.dist(4), 3.4f);
    // Prototypes 1 and 3 differing in every feature: the root of all six squares.
    Prototypes apart = set;
    apart.x[2] = {2, 4, 6, 8, 10, 3};
    Neighbours far(apart);
    far.include(1, 3);
    EXPECT_FLOAT_EQ(far.dist(1), std::sqrt(1.0f + 4 + 9 + 16 + 25 + 9));
    // Classified by the sixth feature alone, each class finds its own kind.
    Recorder r;
    partition_scheme(set, 1, 2, false, r);
    EXPECT_EQ(r.last("Label15"), "0");
}

TEST(Percentages, LargeClassesDoNotOverflow) {
    // 400 class-1 samples tested: 400·100 does not fit 16 bits.
    Recorder r;
    show_confusion(r, Confusion{400, 100, 1, 0});
    EXPECT_EQ(r.last("Label23"), "99.75");
    EXPECT_EQ(r.last("Label26"), "0.25");
}
