// The macro run shared by the window and batch mode: the order of its steps, rows whose project
// does not load, the first empty row, and the two kinds of stop.
#include "engine/macro_run.h"
#include "engine/trainer.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace corvane {
namespace {

// Answers from a list of rows and writes down each step as "<step> <row> <project>".
struct ScriptedRows : MacroSteps {
    std::vector<std::string> rows;
    std::set<int> not_loading;
    std::function<void(int)> while_training;
    std::vector<std::string> steps;

    std::string project(int row) override {
        const auto i = static_cast<std::size_t>(row - 1);
        return i < rows.size() ? rows[i] : std::string();
    }
    void row_started(int row, const std::string& p) override { note("start", row, p); }
    bool load(int row, const std::string& p) override {
        note("load", row, p);
        return !not_loading.count(row);
    }
    void train(int row, const std::string& p) override {
        note("train", row, p);
        if (while_training) while_training(row);
    }
    void row_ended(int row, const std::string& p, bool loaded) override {
        note(loaded ? "end" : "skipped", row, p);
    }
    void note(const std::string& step, int row, const std::string& p) {
        steps.push_back(step + " " + std::to_string(row) + " " + p);
    }
};

TEST(MacroRun, EachRowIsStartedLoadedTrainedAndEndedInOrder) {
    EstadoPrograma programa;
    ScriptedRows rows;
    rows.rows = {"a.prj", "b.prj"};
    bool active_during_run = false;
    rows.while_training = [&](int) { active_during_run = programa.macro_activa; };
    EXPECT_EQ(corre_macro(programa, rows), 2);
    const std::vector<std::string> expected{"start 1 a.prj", "load 1 a.prj",  "train 1 a.prj",
                                            "end 1 a.prj",   "start 2 b.prj", "load 2 b.prj",
                                            "train 2 b.prj", "end 2 b.prj"};
    EXPECT_EQ(rows.steps, expected);
    EXPECT_TRUE(active_during_run);
    EXPECT_FALSE(programa.macro_activa);
}

TEST(MacroRun, ARowWhoseProjectDidNotLoadIsNotTrainedAndTheNextOneRuns) {
    EstadoPrograma programa;
    ScriptedRows rows;
    rows.rows = {"a.prj", "missing.prj", "c.prj"};
    rows.not_loading = {2};
    EXPECT_EQ(corre_macro(programa, rows), 3);
    const std::vector<std::string> expected{
        "start 1 a.prj",         "load 1 a.prj",        "train 1 a.prj",
        "end 1 a.prj",           "start 2 missing.prj", "load 2 missing.prj",
        "skipped 2 missing.prj", "start 3 c.prj",       "load 3 c.prj",
        "train 3 c.prj",         "end 3 c.prj"};
    EXPECT_EQ(rows.steps, expected);
}

TEST(MacroRun, TheFirstEmptyRowEndsTheMacro) {
    EstadoPrograma programa;
    ScriptedRows rows;
    rows.rows = {"a.prj", "", "c.prj"};
    EXPECT_EQ(corre_macro(programa, rows), 1);
    EXPECT_EQ(rows.steps.back(), "end 1 a.prj");

    ScriptedRows none;
    none.rows = {"", "b.prj"};
    EXPECT_EQ(corre_macro(programa, none), 0);
    EXPECT_TRUE(none.steps.empty());
    EXPECT_FALSE(programa.macro_activa);
}

TEST(MacroRun, StoppingTheMacroLetsTheRowInCourseEndAndStartsNoOther) {
    EstadoPrograma programa;
    ScriptedRows rows;
    rows.rows = {"a.prj", "b.prj", "c.prj"};
    rows.while_training = [&](int row) {
        if (row == 2) programa.macro_activa = false;
    };
    EXPECT_EQ(corre_macro(programa, rows), 2);
    EXPECT_EQ(rows.steps.back(), "end 2 b.prj");
    EXPECT_EQ(rows.steps.size(), 8u);
}

TEST(MacroRun, AProjectsOwnStopEndsOnlyItsRunAndIsClearedAtTheEnd) {
    EstadoPrograma programa;
    ScriptedRows rows;
    rows.rows = {"a.prj", "b.prj"};
    rows.while_training = [&](int row) {
        if (row == 1) programa.pedido_paragem = true;
    };
    EXPECT_EQ(corre_macro(programa, rows), 2);
    EXPECT_EQ(rows.steps.back(), "end 2 b.prj");
    EXPECT_FALSE(programa.pedido_paragem);
    EXPECT_FALSE(programa.macro_activa);
}

TEST(MacroRun, ALongPlanIsWalkedToItsEnd) {
    // A sweep folder can list more runs than a macro file has rows.
    EstadoPrograma programa;
    ScriptedRows rows;
    for (int i = 1; i <= 250; ++i)
        rows.rows.push_back("run" + std::to_string(i) + ".prj");
    EXPECT_EQ(corre_macro(programa, rows), 250);
    EXPECT_EQ(rows.steps.back(), "end 250 run250.prj");
}

} // namespace
} // namespace corvane
