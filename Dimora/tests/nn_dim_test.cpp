// The Compute command of the MLP size calculator, driven through a recording view.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "nn_dim.h"

namespace dimora {
namespace {

class RecordingView : public NNDimView {
public:
    std::map<std::string, std::string> texts{
        {"Txtd", "2"}, {"Txth1", "1"}, {"Txth2", "10"}, {"Txte", "0.1"}, {"Txta", "0.05"}};
    std::map<std::string, std::vector<std::string>> lists;
    std::vector<std::string> events; // messages, focus and clearing in order

    std::string text(const std::string& field) const override { return texts.at(field); }
    void setText(const std::string& field, const std::string& text) override {
        texts[field] = text;
    }
    void focusAndSelect(const std::string& field) override { events.push_back("focus " + field); }
    void message(const std::string& title, const std::string& text) override {
        events.push_back(title + ": " + text);
    }
    void clearLists() override {
        lists.clear();
        events.push_back("clear");
    }
    void addRow(const std::string& list, const std::string& row) override {
        lists[list].push_back(row);
    }
};

TEST(NNDimCompute, DefaultsGiveTheReferenceRows) {
    RecordingView v;
    ASSERT_TRUE(computeNNDim(v));
    for (const char* name : kResultLists)
        ASSERT_EQ(v.lists[name].size(), 10u) << name;
    const std::vector<std::vector<std::string>> expected = {
        {"2 : 5", "2", "2", "9", "27", "150"},
        {"3 : 9", "4", "4", "54", "27", "306"},
        {"4 : 13", "7", "7", "90", "27", "480"},
        {"5 : 17", "11", "11", "128", "27", "665"},
        {"6 : 21", "16", "16", "169", "27", "860"}};
    for (std::size_t row = 0; row < expected.size(); ++row)
        for (std::size_t col = 0; col < 6; ++col)
            EXPECT_EQ(v.lists[kResultLists[col]][row], expected[row][col])
                << kResultLists[col] << " row " << row;
    EXPECT_EQ(v.events, std::vector<std::string>{"clear"});
}

struct BadInput {
    const char* field;
    const char* text;
    const char* message;
};

class NNDimRefusal : public testing::TestWithParam<BadInput> {};

TEST_P(NNDimRefusal, RefusesWithMessageFocusAndKeepsTheLists) {
    const BadInput& c = GetParam();
    RecordingView v;
    v.texts[c.field] = c.text;
    v.lists["ListUW"] = {"old"};
    EXPECT_FALSE(computeNNDim(v));
    ASSERT_EQ(v.events.size(), 2u);
    EXPECT_EQ(v.events[0], std::string("Specifications: ") + c.message);
    EXPECT_EQ(v.events[1], std::string("focus ") + c.field);
    EXPECT_EQ(v.lists["ListUW"], std::vector<std::string>{"old"});
}

const char* kUnits = "Error probably due to excessively high number of units\n6 : Overflow";

INSTANTIATE_TEST_SUITE_P(
    Inputs, NNDimRefusal,
    testing::Values(BadInput{"Txtd", "", "Wrong dimension !"},
                    BadInput{"Txtd", "0", "Wrong dimension !"},
                    BadInput{"Txtd", "40000", "Wrong dimension !"},
                    BadInput{"Txte", "", "Wrong error value !"},
                    BadInput{"Txte", "0", "Wrong error value !"},
                    BadInput{"Txte", "0.51", "Wrong error value !"},
                    BadInput{"Txte", ".", "Wrong error value !"},
                    BadInput{"Txta", "1", "Wrong confidence level !"},
                    BadInput{"Txta", "0", "Wrong confidence level !"},
                    BadInput{"Txth1", "99999", kUnits}, BadInput{"Txth2", "40000", kUnits},
                    // weight count 8191 * 4 + 1 = 32765 fits, 10000 * 4 + 1 does not
                    BadInput{"Txth2", "10000", kUnits}),
    [](const testing::TestParamInfo<BadInput>& info) {
        return std::string(info.param.field) + "_" + std::to_string(info.index);
    });

TEST(NNDimCompute, LimitsThatAreAccepted) {
    RecordingView v;
    v.texts["Txte"] = "0.5";
    v.texts["Txth2"] = "1";
    EXPECT_TRUE(computeNNDim(v));
    RecordingView w;
    w.texts["Txth1"] = "8190";
    w.texts["Txth2"] = "8190";
    w.texts["Txtd"] = "2";
    EXPECT_TRUE(computeNNDim(w));
    EXPECT_EQ(w.lists["ListUW"], std::vector<std::string>{"8191 : 32761"});
}

TEST(NNDimCompute, EmptyBoxesTakeTheirDefaultsAndShowThem) {
    RecordingView v;
    v.texts["Txth1"] = "";
    v.texts["Txth2"] = "";
    v.texts["Txta"] = "";
    ASSERT_TRUE(computeNNDim(v));
    EXPECT_EQ(v.texts["Txth1"], "1");
    EXPECT_EQ(v.texts["Txth2"], "1");
    EXPECT_EQ(v.texts["Txta"], "0.05");
    EXPECT_EQ(v.lists["ListUW"], std::vector<std::string>{"2 : 5"});
    EXPECT_EQ(v.lists["ListLB"], std::vector<std::string>{"27"});

    RecordingView w;
    w.texts["Txth1"] = "4";
    w.texts["Txth2"] = "";
    ASSERT_TRUE(computeNNDim(w));
    EXPECT_EQ(w.texts["Txth2"], "4");
    EXPECT_EQ(w.lists["ListUW"], std::vector<std::string>{"5 : 17"});
}

TEST(NNDimCompute, FirstAboveLastClearsAndAddsNothing) {
    RecordingView v;
    v.lists["ListND"] = {"old"};
    v.texts["Txth1"] = "5";
    v.texts["Txth2"] = "3";
    EXPECT_TRUE(computeNNDim(v));
    EXPECT_TRUE(v.lists.empty());
}

TEST(NNDimCompute, LargeHReportsEachFailureAndFinishesEveryRow) {
    RecordingView v;
    v.texts["Txth1"] = "170";
    v.texts["Txth2"] = "172";
    ASSERT_TRUE(computeNNDim(v));
    for (const char* name : kResultLists)
        EXPECT_EQ(v.lists[name].size(), 3u) << name;
    int fact = 0, combin = 0;
    for (const auto& e : v.events) {
        fact += e.rfind("Funtion Fact: ", 0) == 0;
        combin += e.rfind("Funtion Combin: ", 0) == 0;
    }
    EXPECT_GT(fact, 0);
    EXPECT_GT(combin, 0);
    // h = 170 still computes: regions 1 + 170 + 14365.
    EXPECT_EQ(v.lists["ListND"][0], "14536");
    EXPECT_EQ(v.lists["ListND"][2], "0");
}

TEST(NNDimCompute, RegionSumBeyond32BitsIsReportedNotWrapped) {
    RecordingView v;
    v.texts["Txtd"] = "20";
    v.texts["Txth1"] = "100";
    v.texts["Txth2"] = "100";
    ASSERT_TRUE(computeNNDim(v));
    EXPECT_EQ(v.lists["ListND"], std::vector<std::string>{"0"});
    EXPECT_NE(
        std::find(v.events.begin(), v.events.end(), std::string("Funtion MaxDicot: ") + kUnits),
        v.events.end());
}

TEST(NNDimKeys, DigitsEverywherePointOnlyInTheRealBoxes) {
    for (const char* f : {"Txtd", "Txth1", "Txth2", "Txte", "Txta"}) {
        EXPECT_TRUE(nnDimKeyAccepted(f, '7'));
        EXPECT_FALSE(nnDimKeyAccepted(f, '-'));
        EXPECT_FALSE(nnDimKeyAccepted(f, 'e'));
    }
    EXPECT_FALSE(nnDimKeyAccepted("Txtd", '.'));
    EXPECT_TRUE(nnDimKeyAccepted("Txte", '.'));
    EXPECT_TRUE(nnDimKeyAccepted("Txta", '.'));
}

} // namespace
} // namespace dimora
