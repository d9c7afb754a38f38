#include "engine/compute.h"
#include "engine/result_table.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace pellin;

namespace {

struct Recorder : Report {
    std::vector<std::pair<std::string, std::string>> labels;
    std::vector<std::string> messages;
    void show(std::string_view label, const std::string& text) override {
        if (!text.empty()) labels.emplace_back(label, text);
    }
    void message(const std::string& title, const std::string&) override {
        messages.push_back(title);
    }
    std::string last(const std::string& label) const {
        for (auto it = labels.rbegin(); it != labels.rend(); ++it)
            if (it->first == label) return it->second;
        return {};
    }
};

ComputeRequest breast_cancer(bool edition, bool stepwise) {
    ComputeRequest r;
    r.filename = "../examples/Pellin/breast_cancer.txt";
    r.neighbours = "3";
    r.partitions = "4";
    r.edition = edition;
    r.stepwise = stepwise;
    return r;
}

double cell(const csv::Row& row, std::size_t column) {
    return std::strtod(row[column].c_str(), nullptr);
}

// The table keeps what the window shows (the window's report gets every label and message as
// before) and holds the same results unrounded.
TEST(ResultTable, StepwisePartitionHasOneRowPerFoldAndTheTotal) {
    Recorder window;
    ResultTable results(window);
    ASSERT_TRUE(compute(breast_cancer(false, true), results).ok);
    EXPECT_EQ(window.messages.size(), 4u);
    const csv::Table t = results.table(true);
    ASSERT_EQ(t.header.size(), 13u);
    ASSERT_EQ(t.rows.size(), 5u);
    EXPECT_EQ(t.rows[0][0], "Step1");
    EXPECT_EQ(t.rows[3][0], "Step4");
    const csv::Row& total = t.rows[4];
    EXPECT_EQ(total[0], "Total");
    // Counts and N as the labels show them; percentages are the counts over N, unrounded.
    EXPECT_EQ(total[1], window.last("Label6"));
    EXPECT_EQ(total[5], window.last("Label11"));
    EXPECT_EQ(total[10], window.last("Label12"));
    EXPECT_DOUBLE_EQ(cell(total, 2), cell(total, 1) * 100.0 / cell(total, 5));
    EXPECT_DOUBLE_EQ(cell(total, 2) + cell(total, 4), 100.0);
    // The overall error and s round to the labels' texts.
    EXPECT_NEAR(cell(total, 11), std::strtod(window.last("Label15").c_str(), nullptr), 0.005);
    EXPECT_NEAR(cell(total, 12), std::strtod(window.last("Label31").c_str(), nullptr), 0.005);
    EXPECT_TRUE(t.rows[0][12].empty()); // s belongs to the whole run
    // Every fold's N adds up to the total's.
    double n1 = 0;
    for (std::size_t i = 0; i < 4; ++i)
        n1 += cell(t.rows[i], 5);
    EXPECT_EQ(n1, cell(total, 5));

    EXPECT_EQ(results.table(false).rows.size(), 1u);
    EXPECT_EQ(results.table(false).rows[0][0], "Total");
}

TEST(ResultTable, EditingHasTheEditedHalfAndTheResult) {
    Recorder window;
    ResultTable results(window);
    ASSERT_TRUE(compute(breast_cancer(true, false), results).ok);
    const csv::Table t = results.table(true);
    ASSERT_EQ(t.rows.size(), 2u);
    EXPECT_EQ(t.rows[0][0], "Edition");
    EXPECT_EQ(t.rows[1][0], "Total");
    EXPECT_TRUE(t.rows[1][12].empty());

    // A run that fails leaves nothing to export.
    Recorder other;
    ResultTable none(other);
    ComputeRequest missing = breast_cancer(false, false);
    missing.filename = "no_such_file";
    EXPECT_FALSE(compute(missing, none).ok);
    EXPECT_TRUE(none.empty());
}

} // namespace
