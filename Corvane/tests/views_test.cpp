// The views as tables for export (the data view, the weights view, the errors history), the
// errors file read back, and what batch mode hands over for export after --train and
// --evaluate.
#include "batch/batch.h"
#include "engine/errors_file.h"
#include "engine/project_file.h"
#include "engine/trainer.h"
#include "engine/views.h"
#include "recorder.h"
#include "test_files.h"

#include "numtext/numtext.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace corvane {
namespace {

using test::Recorder;
using test::TempDir;

float as_float(const std::string& cell) {
    char* end = nullptr;
    const float v = std::strtof(cell.c_str(), &end);
    EXPECT_EQ(*end, '\0') << cell;
    return v;
}

// A 2-input, 1-output project over four patterns whose values need every digit a float has:
// two hidden neurons, no linear output layer.
definicoes_projecto small_project(const TempDir& dir) {
    test::write_file(dir / "data.txt", "x1\tx2\ty\r\n"
                                       "0.1\t-1.5E-07\t0\r\n"
                                       "0.33333334\t123456.7\t1\r\n"
                                       "1\t0\t0.9\r\n"
                                       "-2.75\t1\t0.1\r\n");
    test::write_file(dir / "data.wgt",
                     "0.25\r\n1\r\n-0.5\r\n0.125\r\n0\r\n3\r\n0.1\r\n2\r\n-1\r\n");
    definicoes_projecto d;
    d.Text1 = {"data.txt", "1",   "2",   "2",    "5",    "3",        "3", "0.01",
               "0.9",      "2",   "3",   "0",    "1000", "data.wgt", "2", "",
               "10",       "0.1", "0.8", "1.05", "0.7",  "1.04",     "1"};
    d.Check1[1] = 0;
    d.Label2 = dir / "data.prj";
    return d;
}

TEST(ViewTables, DataViewTableHoldsWhatTheGridShowsInFullPrecision) {
    TempDir dir;
    Recorder view;
    const auto g = vista_dados(small_project(dir), true, view);
    ASSERT_TRUE(g) << view.texts().front();
    const csv::Table& t = g->table;
    EXPECT_EQ(t.header, (csv::Row{"Pattern", "IN 1", "IN 2", "OUT 1", "Network OUT 1"}));
    ASSERT_EQ(t.rows.size(), 4u);
    for (int r = 1; r <= 4; ++r) {
        const csv::Row& row = t.rows[static_cast<std::size_t>(r - 1)];
        ASSERT_EQ(row.size(), 5u);
        EXPECT_EQ(row[0], std::to_string(r));
        // Inputs and targets read back to the grid's values; the network's output is the one
        // the grid rounds to "0.0000E+00".
        for (int c = 1; c <= 3; ++c)
            EXPECT_EQ(as_float(row[static_cast<std::size_t>(c)]), as_float((*g)(r, c).texto))
                << r << "," << c;
        EXPECT_EQ(numtext::format(as_float(row[4]), "0.0000E+00"), (*g)(r, 4).texto);
    }
    EXPECT_EQ(t.rows[0][2], "-1.5E-07");
    EXPECT_EQ(as_float(t.rows[1][1]), 0.33333334f);
    EXPECT_EQ(as_float(t.rows[1][2]), 123456.7f);

    // The test set has no lines in this project: a header and no rows.
    const auto teste = vista_dados(small_project(dir), false, view);
    ASSERT_TRUE(teste);
    EXPECT_EQ(teste->table.header.size(), 5u);
}

TEST(ViewTables, WeightsTableHasOneRowPerWeightWithTheGridsLabels) {
    TempDir dir;
    Recorder view;
    const auto g = vista_pesos(small_project(dir), view);
    ASSERT_TRUE(g);
    const csv::Table& t = g->table;
    EXPECT_EQ(t.header, (csv::Row{"Weight", "Value"}));
    const std::vector<std::pair<std::string, float>> expected{
        {"W1-1/0", 0.25f},  {"W1-1/1", 1.0f}, {"W1-1/2", -0.5f},
        {"W1-2/0", 0.125f}, {"W1-2/1", 0.0f}, {"W1-2/2", 3.0f},
        {"W2-1/0", 0.1f},   {"W2-1/1", 2.0f}, {"W2-1/2", -1.0f}};
    ASSERT_EQ(t.rows.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(t.rows[k][0], expected[k].first);
        EXPECT_EQ(as_float(t.rows[k][1]), expected[k].second) << expected[k].first;
    }
    // The labels and values are those of the grid's cells.
    EXPECT_EQ((*g)(1, 2).texto, "W1-2/1");
    EXPECT_EQ(t.rows[4][0], (*g)(1, 2).texto);
    EXPECT_EQ((*g)(1, 3).texto, t.rows[4][1]);
}

TEST(ViewTables, ErrorsHistoryReadsBackToTheSameFloats) {
    TempDir dir;
    const std::vector<float> errors{0.25f, 1.2345678e-2f, 3.0e-9f, 0.1f};
    std::string file;
    for (float e : errors)
        file += numtext::shortest(e) + "\r\n";
    test::write_file(dir / "p.err", file);
    const auto read = le_ficheiro_erros(dir / "p.err");
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, errors);

    const auto rows = csv::parse(csv::to_csv(errors_table(*read)));
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), errors.size() + 1);
    EXPECT_EQ((*rows)[0], (csv::Row{"Iteration", "Error"}));
    for (std::size_t k = 0; k < errors.size(); ++k) {
        EXPECT_EQ((*rows)[k + 1][0], std::to_string(k + 1));
        EXPECT_EQ(as_float((*rows)[k + 1][1]), errors[k]);
    }
    EXPECT_EQ(errors_table({}).rows.size(), 0u);
}

TEST(ViewTables, ErrorsFileRefusals) {
    TempDir dir;
    test::write_file(dir / "text.err", "0.5\r\nhalf\r\n");
    test::write_file(dir / "huge.err", "0.5\r\n1E+39\r\n");
    test::write_file(dir / "blank.err", "\r\n0.5\r\n  \r\n0.25");
    test::write_file(dir / "empty.err", "");
    EXPECT_FALSE(le_ficheiro_erros(dir / "text.err"));
    EXPECT_FALSE(le_ficheiro_erros(dir / "huge.err")); // no float holds it
    EXPECT_FALSE(le_ficheiro_erros(dir / "absent.err"));
    EXPECT_FALSE(le_ficheiro_erros(dir.path().string())); // a folder
    EXPECT_EQ(le_ficheiro_erros(dir / "blank.err"), (std::vector<float>{0.5f, 0.25f}));
    EXPECT_EQ(le_ficheiro_erros(dir / "empty.err"), std::vector<float>{});
    std::string many;
    for (int k = 0; k < 7000; ++k)
        many += "0.5\n";
    test::write_file(dir / "many.err", many);
    EXPECT_EQ(le_ficheiro_erros(dir / "many.err")->size(), max_valores_erros);
}

TEST(ViewTables, ChartOfTheLastRunHoldsEveryIterationItCompleted) {
    TempDir dir;
    Recorder view;
    definicoes_projecto d = small_project(dir);
    d.Text1[slot::ficheiro_pesos] = "data.wgt";
    EstadoPrograma programa;
    Treinador t(d, programa, view);
    // Before any run: an empty chart.
    EXPECT_TRUE(chart_of_last_run(t).valores.empty());
    ASSERT_TRUE(t.comecar_treino()) << view.texts().front();
    const GraficoErros g = chart_of_last_run(t);
    ASSERT_GT(t.iteracao_final, 1);
    EXPECT_EQ(g.pontos, t.iteracao_final);
    EXPECT_EQ(g.intervalo, escala_grafico(t.iteracao_final));
    // The values are those the run wrote to its errors file.
    EXPECT_EQ(g.valores, *le_ficheiro_erros(dir / "data.err"));
    EXPECT_EQ(g.valores, view.errors);
}

// The examples folder copied into a temporary folder (runs rewrite their files).
struct Examples {
    TempDir dir;
    Examples() {
        for (const char* name : {"xor.txt", "xor_backpropagation.prj", "xor_backpropagation.wgt"})
            std::filesystem::copy(std::string("../examples/Corvane/") + name, dir / name);
    }
    // Runs `args` with the export options `wanted` (nothing is written: the run only hands
    // over what they ask for).
    int run(std::vector<std::string> args, std::vector<std::string> wanted,
            batch::BatchResults* results) {
        out.str("");
        err.str("");
        args.insert(args.end(), wanted.begin(), wanted.end());
        return batch::run(args, out, err, results);
    }
    std::ostringstream out, err;
};

TEST(BatchExports, TrainHandsOverTheRunsChartAndTheTrainingDataView) {
    Examples ex;
    const std::string project = ex.dir / "xor_backpropagation.prj";
    const std::vector<std::string> both{"--export-svg", ex.dir / "c.svg", "--export-csv",
                                        ex.dir / "t.csv"};
    batch::BatchResults exports;
    ASSERT_EQ(ex.run({"--train", project}, both, &exports), 0) << ex.out.str();
    ASSERT_TRUE(exports.chart && exports.table);
    const auto written = le_ficheiro_erros(ex.dir / "xor_backpropagation.err");
    EXPECT_EQ(exports.chart->valores, *written);
    EXPECT_EQ(exports.chart->pontos, static_cast<int>(written->size()));
    EXPECT_EQ(exports.table->header,
              (csv::Row{"Pattern", "IN 1", "IN 2", "OUT 1", "Network OUT 1"}));
    ASSERT_EQ(exports.table->rows.size(), 4u);
    // The trained network answers XOR: the outputs lie near the targets.
    for (const csv::Row& row : exports.table->rows)
        EXPECT_NEAR(as_float(row[4]), as_float(row[3]), 0.25) << row[0];

    // --evaluate: the chart of the errors file the run left, and the same data view.
    batch::BatchResults again;
    ASSERT_EQ(ex.run({"--evaluate", project}, both, &again), 0) << ex.out.str();
    EXPECT_EQ(again.chart->valores, exports.chart->valores);
    EXPECT_EQ(again.chart->intervalo, exports.chart->intervalo);
    EXPECT_EQ(again.table->rows, exports.table->rows);
}

TEST(BatchExports, WhatCannotBeExportedSaysSo) {
    Examples ex;
    const std::string project = ex.dir / "xor_backpropagation.prj";
    // No errors file yet: the chart's message, and nothing handed over.
    batch::BatchResults exports;
    EXPECT_EQ(ex.run({"--evaluate", project}, {"--export-pdf", ex.dir / "c.pdf"}, &exports), 1);
    EXPECT_NE(ex.out.str().find("MsgBox\tCorvane\tError reading trainning errors file.\n"),
              std::string::npos)
        << ex.out.str();
    EXPECT_FALSE(exports.chart);

    // A project that does not load: its message, no export.
    const std::vector<std::string> table{"--export-csv", ex.dir / "t.csv"};
    batch::BatchResults none;
    EXPECT_EQ(ex.run({"--train", ex.dir / "absent.prj"}, table, &none), 1);
    EXPECT_FALSE(none.table);
    // Also when its record is written: the load's message alone, no view of what it left.
    EXPECT_EQ(
        ex.run({"--train", ex.dir / "absent.prj", "--result", ex.dir / "r.txt"}, table, &none), 1);
    EXPECT_FALSE(none.table);
    EXPECT_TRUE(std::filesystem::exists(ex.dir / "r.txt"));
    EXPECT_EQ(ex.out.str().find("MsgBox"), ex.out.str().rfind("MsgBox")) << ex.out.str();

    // Only --train and --evaluate have something to export.
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--run-macro", ex.dir / "m.mcr"},
             {"--random-weights", project},
             {"--expand-sweep", project, ex.dir / "s.txt", ex.dir / "f"}}) {
        EXPECT_EQ(ex.run(args, table, &none), 2) << args[0];
        EXPECT_NE(ex.err.str().find("go with --train or --evaluate"), std::string::npos);
    }
    // Without exports wanted, nothing is collected.
    batch::BatchResults unwanted;
    EXPECT_EQ(ex.run({"--evaluate", project}, {}, &unwanted), 0);
    EXPECT_FALSE(unwanted.chart || unwanted.table);
}

} // namespace
} // namespace corvane
