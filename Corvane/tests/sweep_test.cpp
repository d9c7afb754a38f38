// Sweep files: reading, refusals, and the expansion into named combinations.
#include "engine/sweep.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

Sweep parse(const std::string& text) {
    std::string error;
    auto sweep = parse_sweep(text, error);
    EXPECT_TRUE(sweep) << error;
    return sweep.value_or(Sweep{});
}

TEST(SweepFile, CaptionsValuesRangesAndComments) {
    const Sweep s = parse("# learning rates first\n"
                          "learning RATE:  = 0.01, 5E-2 # two\r\n"
                          "\n"
                          "1st hidden layer neurons = 2..4\n"
                          "method = backpropagation, Genetic Algorithm\n"
                          "Crossover = nn 2 POINTS\n"
                          "Elitism = Yes\n"
                          "seeds = 7, 4294967295\n");
    ASSERT_EQ(s.axes.size(), 6u);
    EXPECT_EQ(s.axes[0].setting->caption, "Learning rate");
    EXPECT_EQ(s.axes[0].values, (std::vector<std::string>{"0.01", "5E-2"}));
    EXPECT_EQ(s.axes[1].values, (std::vector<std::string>{"2", "3", "4"}));
    EXPECT_EQ(s.axes[2].values, (std::vector<std::string>{"Backpropagation", "Genetic algorithm"}));
    EXPECT_EQ(s.axes[3].values, std::vector<std::string>{"NN 2 points"});
    EXPECT_EQ(s.axes[4].values, std::vector<std::string>{"yes"});
    EXPECT_EQ(s.axes[5].setting, nullptr);
    EXPECT_EQ(s.runs(), 2u * 3u * 2u * 2u);
    EXPECT_TRUE(s.has_seeds());
    EXPECT_TRUE(s.varies_network());
    EXPECT_FALSE(parse("Momentum = 0.5, 0.9\n").varies_network());
}

TEST(SweepFile, FaultsNameTheirLine) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"Learning rate 0.1\n", "line 1: expected \"setting = value, value, ...\""},
        {"\nSpeed = 3\n", "line 2: \"Speed\" is no setting"},
        {"Momentum = 0.1\nmomentum: = 0.2\n", "line 2: \"Momentum\" is given twice"},
        {"Seeds = 1\nSeed = 2\n", "line 2: \"Seeds\" is given twice"},
        {"Momentum = 0.1,, 0.2\n", "line 1: an empty value for \"Momentum\""},
        {"Seeds = 1..3, 2\n", "line 1: the value \"2\" of \"Seeds\" is given twice"},
        {"Learning rate = abc\n", "line 1: \"abc\" is not a value of \"Learning rate\""},
        {"Learning rate = 1e\n", "line 1: \"1e\" is not a value of \"Learning rate\""},
        {"Learning rate = 1e999\n", "line 1: \"1e999\" is not a value of \"Learning rate\""},
        {"Learning rate = 0.1.2\n", "line 1: \"0.1.2\" is not a value of \"Learning rate\""},
        {"Max. iterations = 4.5\n", "line 1: \"4.5\" is not a value of \"Max. iterations\""},
        {"1st hidden layer neurons = -1\n",
         "line 1: \"-1\" is not a value of \"1st hidden layer neurons\""},
        {"Initial population = 40000\n",
         "line 1: \"40000\" is not a value of \"Initial population\""},
        {"Seeds = 5..3\n", "line 1: \"5..3\" is not a value of \"Seeds\""},
        {"Seeds = 1..4000000000\n", "line 1: \"1..4000000000\" is not a value of \"Seeds\""},
        {"Seeds = 4294967296\n", "line 1: \"4294967296\" is not a value of \"Seeds\""},
        {"Method = Kohonen\n", "line 1: \"Kohonen\" is not a value of \"Method\""},
        {"Elitism = maybe\n", "line 1: \"maybe\" is not a value of \"Elitism\""},
    };
    for (const auto& [text, expected] : cases) {
        std::string error;
        EXPECT_FALSE(parse_sweep(text, error)) << text;
        EXPECT_EQ(error, expected) << text;
    }
}

TEST(SweepExpansion, CrossProductFirstLineSlowestWithNamesAndSeeds) {
    const Sweep s = parse("Method = Backpropagation, Genetic algorithm\n"
                          "Crossover = 1 point, NN uniform\n"
                          "Seeds = 3, 1\n");
    const auto runs = expand_sweep(s, "base");
    ASSERT_EQ(runs.size(), 8u);
    EXPECT_EQ(runs[0].name, "base_method-bp_cx-1p_seed-3");
    EXPECT_EQ(runs[1].name, "base_method-bp_cx-1p_seed-1");
    EXPECT_EQ(runs[2].name, "base_method-bp_cx-nnu_seed-3");
    EXPECT_EQ(runs[7].name, "base_method-ga_cx-nnu_seed-1");
    EXPECT_EQ(runs[7].values, (std::vector<std::string>{"Genetic algorithm", "NN uniform", "1"}));
    EXPECT_EQ(runs[0].seed, 3u);
    EXPECT_EQ(runs[1].seed, 1u);
    EXPECT_EQ(expand_sweep(s, "base")[5].name, runs[5].name); // deterministic

    const auto single = expand_sweep(parse("# nothing varied\n"), "base");
    ASSERT_EQ(single.size(), 1u);
    EXPECT_EQ(single[0].name, "base");
    EXPECT_FALSE(single[0].seed);
}

TEST(SweepSettings, SetAndReadBackEveryKind) {
    definicoes_projecto d;
    set_setting(d, *find_sweep_setting("Method"), "Backpropagation");
    EXPECT_TRUE(d.Option1[10]);
    EXPECT_FALSE(d.Option1[9]);
    set_setting(d, *find_sweep_setting("Crossover"), "Uniform");
    for (int i = 11; i <= 16; ++i)
        EXPECT_EQ(d.Option1[static_cast<std::size_t>(i)], i == 13) << i;
    set_setting(d, *find_sweep_setting("Output linear layer"), "no");
    EXPECT_EQ(d.Check1[1], 0);
    set_setting(d, *find_sweep_setting("Max. iterations"), "25");
    EXPECT_EQ(d.Text1[12], "25");
    std::vector<std::string> texts;
    for (const auto& s : sweep_settings)
        texts.push_back(setting_text(d, s));
    EXPECT_EQ(texts, (std::vector<std::string>{"Backpropagation", "Uniform", "no", "no", "", "",
                                               "0.01", "0.9", "1.05", "0.7", "1.04", "10", "0.1",
                                               "0.8", "0", "25"}));
    d.Option1[13] = false;
    EXPECT_EQ(setting_text(d, *find_sweep_setting("crossover")), "");
}

} // namespace
} // namespace corvane
