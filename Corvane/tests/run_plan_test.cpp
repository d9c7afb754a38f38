// Plans of many runs: grouping by shared files, sweep folders, result records, the summary
// table and the Slurm script.
#include "engine/macro_file.h"
#include "engine/project_file.h"
#include "engine/run_plan.h"
#include "engine/run_record.h"
#include "engine/slurm_script.h"
#include "engine/sweep.h"
#include "recorder.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace corvane {
namespace {

using test::TempDir;

RunFiles files(std::set<std::string> reads, std::set<std::string> writes) {
    return {std::move(reads), std::move(writes)};
}

TEST(GroupRuns, RunsSharingAWrittenFileTrainInOneGroupInOrder) {
    // 0 and 2 share a weights file, 3 reads the data file that 1 writes (as its errors file),
    // 4 reads what 0 reads only, and 5 links to 2, hence to 0.
    const std::vector<RunFiles> runs{
        files({"a.prj", "d.txt", "w.wgt"}, {"a.prj", "w.wgt", "a.err"}),
        files({"b.prj", "d.txt"}, {"b.prj", "b.wgt", "x.txt"}),
        files({"c.prj", "w.wgt"}, {"c.prj", "w.wgt", "c.err"}),
        files({"e.prj", "x.txt"}, {"e.prj", "e.wgt", "e.err"}),
        files({"f.prj", "d.txt"}, {"f.prj", "f.wgt", "f.err"}),
        files({"g.prj", "c.err"}, {"g.prj", "g.wgt", "g.err"}),
    };
    EXPECT_EQ(group_runs(runs), (std::vector<std::vector<std::size_t>>{{0, 2, 5}, {1, 3}, {4}}));
    EXPECT_TRUE(group_runs({}).empty());
}

// The examples in a temporary folder.
struct Examples {
    TempDir dir;
    test::Recorder view;
    Examples() {
        std::filesystem::copy("../examples/Corvane", dir.path(),
                              std::filesystem::copy_options::recursive);
    }
    std::string sweep(const std::string& text) {
        test::write_file(dir / "sweep.txt", text);
        return dir / "sweep.txt";
    }
};

TEST(ProjectFiles, AMacroListingOneProjectTwiceIsOneGroup) {
    Examples ex;
    ListaMacro lista;
    lista[0] = "xor_backpropagation.prj";
    lista[1] = "xor_genetic.prj";
    lista[2] = ex.dir / "xor_backpropagation.prj";
    lista[4] = "after the first empty row.prj";
    ASSERT_TRUE(grava_macro(ex.dir / "m.mcr", lista, ex.view));
    auto plan = plan_from_macro(ex.dir / "m.mcr", 9u, ex.view);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->results, ex.dir / "m.results");
    ASSERT_EQ(plan->runs.size(), 3u);
    EXPECT_EQ(plan->runs[2].row, 3);
    EXPECT_EQ(plan->runs[1].seed, 9u);
    std::vector<RunFiles> f;
    for (const auto& run : plan->runs)
        f.push_back(files_of(run));
    EXPECT_TRUE(f[0].writes.count(ex.dir / "xor_backpropagation.err"));
    EXPECT_TRUE(f[0].reads.count(ex.dir / "xor.txt"));
    EXPECT_EQ(group_runs(f), (std::vector<std::vector<std::size_t>>{{0, 2}, {1}}));
    EXPECT_FALSE(plan_from_macro(ex.dir / "none.mcr", std::nullopt, ex.view));
    EXPECT_EQ(ex.view.texts().back(), "Error loading macro!");
}

TEST(SweepFolder, ExpandsDeterministicallyWithSeededStartingWeights) {
    Examples ex;
    const std::string sweep = ex.sweep("Learning rate = 0.1, 0.5\nSeeds = 1..3\n");
    const std::string base = ex.dir / "xor_backpropagation.prj";
    ASSERT_EQ(expand_sweep_folder(base, sweep, ex.dir / "out", 6, ex.view), 6u);
    ASSERT_EQ(expand_sweep_folder(base, sweep, ex.dir / "again", 6, ex.view), 6u);
    const std::string name = "xor_backpropagation_lr-0.5_seed-2";
    for (const std::string& file :
         std::vector<std::string>{name + ".prj", name + ".wgt", "start/" + name + ".wgt"})
        EXPECT_EQ(test::read_file(ex.dir / ("out/" + file)),
                  test::read_file(ex.dir / ("again/" + file)))
            << file;
    // Same seed, same network: same start whatever the learning rate; another seed differs.
    const auto start = [&](const std::string& n) {
        return test::read_file(ex.dir / ("out/start/xor_backpropagation_" + n + ".wgt"));
    };
    EXPECT_EQ(start("lr-0.1_seed-2"), start("lr-0.5_seed-2"));
    EXPECT_NE(start("lr-0.1_seed-2"), start("lr-0.1_seed-3"));
    EXPECT_EQ(test::crlf_lines(start("lr-0.1_seed-1")).size(), 13u); // a 2-3-1 network

    definicoes_projecto d;
    ASSERT_TRUE(le_ficheiro_projecto(ex.dir / ("out/" + name + ".prj"), d).ok);
    EXPECT_EQ(d.Text1[slot::taxa_aprendizagem], "0.5");
    EXPECT_EQ(d.Text1[slot::ficheiro_pesos], name + ".wgt");
    EXPECT_EQ(d.Text1[slot::ficheiro_dados], ex.dir / "xor.txt");

    auto plan = plan_from_sweep_folder(ex.dir / "out", ex.view);
    ASSERT_TRUE(plan);
    ASSERT_EQ(plan->runs.size(), 6u);
    EXPECT_EQ(plan->runs[4].project, ex.dir / ("out/" + name + ".prj"));
    EXPECT_EQ(plan->runs[4].seed, 2u);
    EXPECT_EQ(plan->runs[4].start_weights, ex.dir / ("out/start/" + name + ".wgt"));
    EXPECT_EQ(plan->result_path(plan->runs[4]), ex.dir / "out/results/5.result");
    EXPECT_EQ(test::crlf_lines(test::read_file(ex.dir / "out/sweep.runs"))[0],
              "project\tseed\tstart weights\tLearning rate\tSeeds");
}

TEST(SweepFolder, WithoutSeedsTheBaseWeightsAreCopied) {
    Examples ex;
    ASSERT_EQ(expand_sweep_folder(ex.dir / "xor_genetic.prj", ex.sweep("Elitism = yes, no\n"),
                                  ex.dir / "out", 10, ex.view),
              2u);
    EXPECT_EQ(test::read_file(ex.dir / "out/xor_genetic_elit-no.wgt"),
              test::read_file(ex.dir / "xor_genetic.wgt"));
}

TEST(SweepFolder, RefusalsLeaveNoFolder) {
    Examples ex;
    const std::string base = ex.dir / "xor_genetic.prj";
    const auto refused = [&](const std::string& sweep_text, const std::string& out,
                             std::size_t max_runs) {
        ex.view.messages.clear();
        EXPECT_FALSE(expand_sweep_folder(base, ex.sweep(sweep_text), out, max_runs, ex.view));
        return ex.view.texts().empty() ? std::string() : ex.view.texts().back();
    };
    EXPECT_EQ(refused("Seeds = 1..11\n", ex.dir / "a", 10),
              "The sweep gives 11 projects, more than the limit of 10: give a larger limit with "
              "--max-runs to expand it.");
    EXPECT_EQ(refused("Seeds = x\n", ex.dir / "a", 10),
              "The sweep file " + (ex.dir / "sweep.txt") +
                  " cannot be used: line 1: \"x\" is not a value of \"Seeds\".");
    EXPECT_FALSE(std::filesystem::exists(ex.dir / "a"));
    // A folder holding files is never written into.
    EXPECT_EQ(refused("Seeds = 1\n", ex.dir.path().string(), 10),
              "The folder " + ex.dir.path().string() +
                  " already holds files: a sweep is expanded into a new or empty folder.");
    ex.view.messages.clear();
    EXPECT_FALSE(expand_sweep_folder(ex.dir / "none.prj", ex.sweep("Seeds = 1\n"), ex.dir / "a", 10,
                                     ex.view));
    EXPECT_EQ(ex.view.texts().back(), "Error loading project file!");
}

RunRecord record(std::string project, std::optional<std::uint32_t> seed, bool ok,
                 std::optional<float> training, std::optional<float> test) {
    RunRecord r;
    r.project = std::move(project);
    r.seed = seed;
    r.ok = ok;
    r.training_error = training;
    r.test_error = test;
    r.iterations = ok ? std::optional<int>(40) : std::nullopt;
    r.stop_reason = ok ? "goal" : "failed";
    r.wall_seconds = 1.25;
    r.data_file = "/d/data.txt";
    r.settings.assign(sweep_settings.size(), "");
    r.settings[6] = "0.1"; // learning rate
    return r;
}

TEST(RunRecords, RoundTripAndBelongToTheirRun) {
    RunRecord r = record("/p/a.prj", 4u, false, std::nullopt, std::nullopt);
    r.message = "Error loading project file!\tand\r\nmore";
    auto back = parse_record(record_text(r));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->message, "Error loading project file! and  more");
    EXPECT_EQ(back->seed, 4u);
    EXPECT_FALSE(back->ok);
    EXPECT_EQ(back->settings, r.settings);
    r = record("/p/a.prj", std::nullopt, true, 0.012345678f, 1e-7f);
    back = parse_record(record_text(r));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->training_error, 0.012345678f); // exact
    EXPECT_EQ(back->test_error, 1e-7f);
    EXPECT_EQ(back->iterations, 40);
    EXPECT_FALSE(back->seed);
    EXPECT_FALSE(parse_record("project\t/p/a.prj\r\n"));
    EXPECT_FALSE(parse_record("garbage"));

    TempDir dir;
    Plan plan;
    plan.results = dir.path().string();
    PlannedRun run{1, "/p/a.prj", 4u, ""};
    test::write_file(plan.result_path(run), record_text(record("/p/a.prj", 4u, true, 1, 1)));
    EXPECT_TRUE(read_result(plan, run));
    run.seed = 5u; // another seed's record is not this run's result
    EXPECT_FALSE(read_result(plan, run));
}

std::vector<std::vector<std::string>> csv_rows(const std::string& csv) {
    std::vector<std::vector<std::string>> rows;
    for (const auto& line : test::crlf_lines(csv)) {
        std::vector<std::string> fields{""};
        bool quoted = false;
        for (std::size_t i = 0; i < line.size(); ++i) {
            const char c = line[i];
            if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"')
                fields.back() += line[++i];
            else if (c == '"')
                quoted = !quoted;
            else if (c == ',' && !quoted)
                fields.emplace_back();
            else
                fields.back() += c;
        }
        rows.push_back(fields);
    }
    return rows;
}

TEST(Summary, RunRowsThenStatisticsPerSettingOverSeeds) {
    std::vector<PlannedRun> runs;
    std::vector<std::optional<RunRecord>> records;
    for (std::uint32_t s = 1; s <= 3; ++s) {
        runs.push_back({static_cast<int>(s), "/p/lr1_" + std::to_string(s) + ".prj", s, ""});
        records.push_back(record(runs.back().project, s, true, static_cast<float>(s), 2.0f * s));
    }
    runs.push_back({4, "/p/lr1_4.prj", 4u, ""});
    records.push_back(record("/p/lr1_4.prj", 4u, false, std::nullopt, std::nullopt));
    records.back()->message = "Error loading weights file!, twice \"quoted\"";
    runs.push_back({5, "/p/lr2_1.prj", 1u, ""});
    records.push_back(record("/p/lr2_1.prj", 1u, true, 0.5f, 0.25f));
    records.back()->settings[6] = "0.2";
    runs.push_back({6, "/p/never.prj", 1u, ""});
    records.emplace_back();

    const auto rows = csv_rows(summary_csv(runs, records));
    ASSERT_EQ(rows.size(), 1u + 6u + 2u);
    const auto& header = rows[0];
    const auto col = [&](const std::string& name) {
        return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) -
                                        header.begin());
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.size(), header.size());
    EXPECT_EQ(rows[1][col("kind")], "run");
    EXPECT_EQ(rows[2][col("training error")], "2");
    EXPECT_EQ(rows[4][col("status")], "failed");
    EXPECT_EQ(rows[4][col("message")], "Error loading weights file!, twice \"quoted\"");
    EXPECT_EQ(rows[6][col("status")], "not run");
    EXPECT_EQ(rows[6][col("project")], "/p/never.prj");

    const auto& lr1 = rows[7];
    EXPECT_EQ(lr1[col("kind")], "setting");
    EXPECT_EQ(lr1[col("Learning rate")], "0.1");
    EXPECT_EQ(lr1[col("runs")], "3");
    EXPECT_EQ(lr1[col("failed")], "1");
    EXPECT_EQ(lr1[col("training error mean")], "2");
    EXPECT_EQ(lr1[col("training error sd")], "1");
    EXPECT_EQ(lr1[col("training error min")], "1");
    EXPECT_EQ(lr1[col("training error max")], "3");
    EXPECT_EQ(lr1[col("test error mean")], "4");
    EXPECT_EQ(lr1[col("test error sd")], "2");
    const auto& lr2 = rows[8];
    EXPECT_EQ(lr2[col("runs")], "1");
    EXPECT_EQ(lr2[col("training error mean")], "0.5");
    EXPECT_EQ(lr2[col("training error sd")], ""); // one run has no spread
}

TEST(SlurmScript, AnArrayTaskPerGroupAndADependentSummaryJob) {
    Plan plan;
    plan.source = "/s/sweep";
    plan.results = "/s/sweep/results";
    plan.runs = {{1, "/s/sweep/a.prj", 1u, "/s/sweep/start/a.wgt"},
                 {2, "/s/sweep/it's.prj", std::nullopt, ""},
                 {3, "/s/sweep/c.prj", 3u, ""}};
    const std::string script =
        slurm_script(plan, {{0, 2}, {1}}, {"/opt/Corvane", "/s/summary.csv", 1});
    for (const std::string& part : std::vector<std::string>{
             "#SBATCH --array=1-2%1\n", "--dependency=afterok:\"$array\"",
             "    run 1 '/s/sweep/a.prj' '1' '/s/sweep/start/a.wgt'\n"
             "    run 3 '/s/sweep/c.prj' '3' ''\n",
             "2)\n    run 2 '/s/sweep/it'\\''s.prj' '' ''\n",
             "'\\''/opt/Corvane'\\'' --summary '\\''/s/summary.csv'\\'' '\\''/s/sweep'\\''"})
        EXPECT_NE(script.find(part), std::string::npos) << part << "\nin\n" << script;
    // The shell accepts it.
    TempDir dir;
    test::write_file(dir / "job.sh", script);
    EXPECT_EQ(std::system(("bash -n " + (dir / "job.sh")).c_str()), 0);
}

} // namespace
} // namespace corvane
