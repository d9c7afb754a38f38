// Training runs from Start to their end: errors file, results, Stop, limits, failures.
#include "engine/data_file.h"
#include "engine/macro_file.h"
#include "engine/project_file.h"
#include "engine/trainer.h"
#include "engine/weights_file.h"
#include "recorder.h"
#include "test_files.h"

#include "case_name.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>

#include <sys/stat.h>

#include "numtext/numtext.h"

namespace corvane {
namespace {

using test::Recorder;
using test::TempDir;

const char* xor_data = "x1\tx2\ty\r\n0\t0\t0\r\n0\t1\t1\r\n1\t0\t1\r\n1\t1\t0\r\n";
const char* xor_weights = // 2-3-1, a start from which backpropagation learns XOR
    "2.8128884\r\n-1.7508897\r\n-0.71636134\r\n-1.2541282\r\n2.3076825\r\n1.6598039\r\n"
    "-1.5287011\r\n-2.4389744\r\n2.1596208\r\n0.6931452\r\n-1.9424027\r\n3.1210413\r\n"
    "-2.9122694\r\n";

// One program start with one project window on the XOR project of a temporary folder.
struct XorRun {
    TempDir dir;
    definicoes_projecto d;
    EstadoPrograma programa;
    Recorder view;
    Treinador trainer{d, programa, view};

    explicit XorRun(bool backprop = true) {
        test::write_file(dir / "xor.txt", xor_data);
        test::write_file(dir / "xor.wgt", xor_weights);
        const char* data[] = {"xor.txt", "1", "2", "2", "5", "3", "3"};
        for (int i = 0; i < 7; ++i)
            d.Text1[static_cast<std::size_t>(i)] = data[i];
        d.Text1[9] = "2";
        d.Text1[10] = "5";
        d.Text1[7] = "0.5";
        d.Text1[12] = "50";
        d.Text1[13] = "xor.wgt"; // relative: taken from the project's folder
        d.Text1[14] = "3";
        d.Check1[1] = 0;
        d.Option1[9] = !backprop;
        d.Option1[10] = backprop;
        d.Label2 = dir / "xor.prj";
        int seconds = 0;
        programa.relogio = [seconds]() mutable { return static_cast<std::int64_t>(seconds++); };
    }
    std::vector<std::string> errors_file() const {
        return test::crlf_lines(test::read_file(dir / "xor.err"));
    }
    bool idle() const { return !view.busy && !view.training_label && !trainer.em_curso(); }
};

TEST(Training, BackpropagationRunWritesEverythingAtItsEnd) {
    XorRun run;
    ASSERT_TRUE(run.trainer.comecar_treino());
    EXPECT_TRUE(run.view.messages.empty());
    EXPECT_TRUE(run.idle());
    EXPECT_TRUE(run.view.learning_rate_visible);
    EXPECT_TRUE(run.view.test_error_visible);
    EXPECT_EQ(run.d.Label3[1], "50");
    const auto lines = run.errors_file();
    ASSERT_EQ(lines.size(), 50u);
    EXPECT_EQ(std::stof(lines.back()), run.view.errors.back());
    EXPECT_EQ(run.d.Label3[0], numtext::format(run.view.errors.back(), "0.0000E+00"));
    EXPECT_LT(run.view.errors.back(), run.view.errors.front());
    // The trained weights replaced the file; the project holds this run's results.
    Rede back = run.trainer.rede;
    ASSERT_TRUE(test::shown(le_pesos(run.dir / "xor.wgt", back), run.view));
    EXPECT_EQ(back.todos_pesos(), run.trainer.rede.todos_pesos());
    definicoes_projecto saved;
    ASSERT_TRUE(test::reported(le_ficheiro_projecto(run.dir / "xor.prj", saved), run.view).ok);
    EXPECT_EQ(saved.Label3[1], "50");
    EXPECT_EQ(run.d.Label3[4],
              numtext::format(run.trainer.rede.calculo_erro_conjunto(
                                  run.trainer.dados.entradas_teste, run.trainer.dados.saidas_teste),
                              "0.0000E+00"));
    EXPECT_EQ(saved.Label3[4], numtext::format(texto_para_numero(run.d.Label3[4]), "0.0000E-00"));
    // A fake clock that ticks once per reading: the run reads it once, each iteration twice.
    EXPECT_EQ(run.d.Label3[2], "00:00:01");
    EXPECT_EQ(run.d.Label3[3], "00:01:40");
}

// The run loop written out literally, pattern by pattern, from the procedures.
std::vector<float> literal_backpropagation(XorRun& run, int iterations, std::vector<float>& lrs) {
    Rede rede = run.trainer.rede; // sized; load the starting weights again
    Recorder quiet;
    test::shown(le_pesos(run.dir / "xor.wgt", rede), quiet);
    const Matriz& in = run.trainer.dados.entradas_treino;
    const Matriz& out = run.trainer.dados.saidas_treino;
    Backpropagation bp;
    bp.inicia(rede.arq);
    bp.lr = 0.5f;
    bp.mc = 0.9f;
    auto pass = [&]() {
        bp.limpa_variacoes();
        float e = 0;
        for (int p = 0; p < in.n_padroes; ++p) {
            rede.calculo_saidas(in, p);
            bp.calculo_dos_deltas(rede, out, p);
            bp.calculo_variacao_pesos(rede, in, p);
            e = static_cast<float>(static_cast<double>(rede.erro_padrao(out, p)) + e);
        }
        return e;
    };
    std::vector<float> errors;
    float E = pass();
    for (int i = 1; i <= iterations; ++i) {
        bp.actualiza_pesos(rede);
        float novo = pass();
        for (int r = 0; static_cast<float>(static_cast<double>(E) * 1.04f) < novo && r < 1000;
             ++r) {
            if (bp.lr > 0.00001f) bp.lr = static_cast<float>(0.7f * static_cast<double>(bp.lr));
            bp.mc = 0;
            bp.regresso_pesos_anteriores(rede);
            bp.actualiza_pesos(rede);
            novo = rede.calculo_erro_conjunto(in, out);
        }
        bp.lr = static_cast<float>(1.05f * static_cast<double>(bp.lr));
        bp.mc = 0.9f;
        E = novo;
        errors.push_back(novo);
        lrs.push_back(bp.lr);
    }
    run.trainer.rede = rede;
    return errors;
}

TEST(Training, BackpropagationFollowsTheProceduresExactly) {
    XorRun run;
    ASSERT_TRUE(run.trainer.comecar_treino());
    const std::vector<float> weights = run.trainer.rede.todos_pesos();
    std::vector<float> lrs;
    XorRun again;
    again.trainer.dimensiona_rede();
    Recorder quiet;
    ASSERT_TRUE(
        test::shown(le_dados(again.d, again.dir / "xor.txt", true, again.trainer.dados), quiet));
    const std::vector<float> errors = literal_backpropagation(again, 50, lrs);
    EXPECT_EQ(run.view.errors, errors);
    EXPECT_EQ(again.trainer.rede.todos_pesos(), weights);
    EXPECT_EQ(run.trainer.texto_taxa(), numtext::format(lrs.back(), "0.0000E+00"));
}

TEST(Training, LearningRateGrowsEachIterationAndShrinksAtEachRetry) {
    XorRun run;
    run.d.Text1[7] = "0.9";
    run.d.Text1[12] = "300";
    std::vector<float> lrs;
    run.view.on_events = [&]() {
        if (!run.trainer.texto_taxa().empty())
            lrs.push_back(static_cast<float>(texto_para_numero(run.trainer.texto_taxa())));
    };
    ASSERT_TRUE(run.trainer.comecar_treino());
    float lr = 0.9f;
    int retried = 0;
    for (std::size_t i = 0; i < run.view.iterations.size(); ++i) {
        // The rate shown after iteration i is lr x 0.7^r x 1.05 for its retry count r.
        const float shown =
            static_cast<float>(texto_para_numero(numtext::format(lrs[i * 3], "0.0000E+00")));
        float candidate = lr;
        int r = 0;
        float next = static_cast<float>(1.05f * static_cast<double>(candidate));
        while (std::fabs(next - shown) > 1e-4f * shown && r < 60) {
            candidate = static_cast<float>(0.7f * static_cast<double>(candidate));
            next = static_cast<float>(1.05f * static_cast<double>(candidate));
            ++r;
        }
        ASSERT_LT(r, 60) << "iteration " << i + 1;
        retried += r > 0;
        lr = next;
    }
    EXPECT_GT(retried, 0);
}

TEST(Training, StopDuringIterationSevenKeepsSixIterations) {
    for (bool backprop : {true, false}) {
        XorRun run(backprop);
        run.view.on_events = [&]() {
            if (run.d.Label3[1] == "7") run.trainer.parar_treino();
        };
        ASSERT_TRUE(run.trainer.comecar_treino());
        EXPECT_EQ(run.d.Label3[1], "7");
        EXPECT_EQ(run.errors_file().size(), 6u);
        for (int i = 1; i <= 6; ++i)
            EXPECT_EQ(run.trainer.historico_erros[static_cast<std::size_t>(i)],
                      run.view.errors[static_cast<std::size_t>(i - 1)]);
        EXPECT_EQ(run.trainer.historico_erros[7], 0.0f);
        ASSERT_FALSE(run.view.charts.empty());
        EXPECT_EQ(run.view.charts.back().size(), 6u);
        EXPECT_TRUE(run.idle());
        EXPECT_FALSE(run.programa.pedido_paragem && run.trainer.em_curso());
    }
}

TEST(Training, GoalMetBeforeTheFirstIteration) {
    XorRun bp;
    bp.d.Text1[11] = "100";
    ASSERT_TRUE(bp.trainer.comecar_treino());
    EXPECT_TRUE(bp.errors_file().empty());
    EXPECT_TRUE(bp.view.iterations.empty());
    EXPECT_EQ(test::read_file(bp.dir / "xor.wgt"), xor_weights); // same numbers, same text
    EXPECT_FALSE(bp.d.Label3[4].empty());

    XorRun ga(false); // a genetic run always evaluates one generation
    ga.d.Text1[11] = "100";
    ASSERT_TRUE(ga.trainer.comecar_treino());
    EXPECT_EQ(ga.errors_file().size(), 1u);
    EXPECT_EQ(ga.d.Label3[1], "1");

    XorRun none; // no iteration allowed
    none.d.Text1[12] = "0";
    ASSERT_TRUE(none.trainer.comecar_treino());
    EXPECT_TRUE(none.errors_file().empty());

    // The count of an earlier run still on show: the chart gets no errors this run never had.
    XorRun earlier;
    earlier.d.Text1[11] = "100";
    earlier.d.Check1[2] = 1;
    earlier.d.Label3[1] = "92";
    ASSERT_TRUE(earlier.trainer.comecar_treino());
    for (const auto& chart : earlier.view.charts)
        EXPECT_TRUE(chart.empty()) << chart.size() << " points";
}

TEST(Training, ThePreviousErrorsFileStaysUntilARunHasItsOwn) {
    const std::string previous = "0.5\r\n0.25\r\n";
    // Starts that fail on the weights file or on the data file leave it as it was.
    for (int failing_slot : {slot::ficheiro_pesos, slot::ficheiro_dados}) {
        XorRun run;
        test::write_file(run.dir / "xor.err", previous);
        run.d.Text1[static_cast<std::size_t>(failing_slot)] = "missing";
        EXPECT_FALSE(run.trainer.comecar_treino());
        EXPECT_EQ(test::read_file(run.dir / "xor.err"), previous);
    }
    // A run that needs no iteration still replaces it: with nothing.
    XorRun met;
    test::write_file(met.dir / "xor.err", previous);
    met.d.Text1[slot::objectivo_erro] = "100";
    ASSERT_TRUE(met.trainer.comecar_treino());
    EXPECT_EQ(test::read_file(met.dir / "xor.err"), "");
}

TEST(Training, AnErrorsFileThatCannotBeWrittenIsReportedAndTheRunStillSaves) {
    XorRun run;
    std::filesystem::create_symlink("/dev/full", run.dir / "xor.err");
    EXPECT_FALSE(run.trainer.comecar_treino());
    EXPECT_EQ(run.view.texts(), std::vector<std::string>{"Error saving trainning errors file!\n" +
                                                         (run.dir / "xor.err")});
    EXPECT_TRUE(run.idle());
    EXPECT_EQ(run.d.Label3[1], "50");
    EXPECT_NE(test::read_file(run.dir / "xor.wgt"), xor_weights);
    EXPECT_TRUE(std::filesystem::exists(run.dir / "xor.prj"));
}

TEST(Training, EveryReaderRefusesWhatIsNotAFileAtOnce) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& path : {dir / "fifo", dir.path().string(), std::string("/dev/zero")}) {
        definicoes_projecto d;
        EXPECT_EQ(le_ficheiro_projecto(path, d).failure, msg::erro_carregar_projecto) << path;
        ListaMacro lista;
        EXPECT_EQ(carrega_macro(path, lista).failure, msg::erro_carregar_macro) << path;
        XorRun run;
        ASSERT_TRUE(run.trainer.dimensiona_rede());
        EXPECT_EQ(le_pesos(path, run.trainer.rede).failure, msg::erro_carregar_pesos) << path;
        EXPECT_EQ(le_dados(run.d, path, true, run.trainer.dados).failure, msg::erro_ler_dados)
            << path;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(Training, TheHundredthRetryStopsTheRun) {
    XorRun run;
    run.d.Text1[21] = "0"; // every new error is too large
    run.d.Text1[7] = "0.01";
    ASSERT_TRUE(run.trainer.comecar_treino());
    EXPECT_EQ(run.d.Label3[1], "1");
    EXPECT_TRUE(run.errors_file().empty());
    // Shrunk until at most 0.00001 (0.01 x 0.7^20), then the end-of-iteration increase.
    EXPECT_NEAR(texto_para_numero(run.trainer.texto_taxa()), 0.01 * std::pow(0.7, 20) * 1.05, 1e-9);
    EXPECT_TRUE(run.idle());
}

TEST(Training, MomentumIsReadAgainEveryIteration) {
    XorRun steady;
    ASSERT_TRUE(steady.trainer.comecar_treino());
    XorRun changed;
    changed.view.on_events = [&]() {
        if (changed.d.Label3[1] == "5") changed.d.Text1[8] = "0";
    };
    ASSERT_TRUE(changed.trainer.comecar_treino());
    ASSERT_EQ(changed.view.errors.size(), steady.view.errors.size());
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(changed.view.errors[i], steady.view.errors[i]);
    EXPECT_NE(changed.view.errors.back(), steady.view.errors.back());
}

TEST(Training, ChartIsRedrawnAtItsInterval) {
    struct Case {
        const char* interval;
        int check;
        // Points of each redraw; the final one, at the end of the run, draws the iterations
        // before the one shown as "Iteration n#:".
        std::vector<std::size_t> sizes;
    };
    std::vector<std::size_t> every;
    for (std::size_t n = 2; n <= 10; ++n)
        every.push_back(n);
    every.push_back(9);
    for (const Case& c :
         {Case{"1", 1, every}, Case{"4", 1, {5, 9, 9}}, Case{"0", 1, {9}}, Case{"1", 0, {}}}) {
        XorRun run;
        run.d.Text1[12] = "10";
        run.d.Text1[22] = c.interval;
        run.d.Check1[2] = c.check;
        ASSERT_TRUE(run.trainer.comecar_treino());
        std::vector<std::size_t> sizes;
        for (const auto& chart : run.view.charts)
            sizes.push_back(chart.size());
        EXPECT_EQ(sizes, c.sizes) << c.interval << " " << c.check;
    }
    XorRun closed;
    closed.view.on_events = [&]() { closed.programa.grafico_activo = false; };
    ASSERT_TRUE(closed.trainer.comecar_treino());
    EXPECT_TRUE(closed.view.charts.empty());
}

TEST(Training, ScaleAndDurationTexts) {
    EXPECT_EQ(escala_grafico(500), 50);
    EXPECT_EQ(escala_grafico(501), 100);
    EXPECT_EQ(escala_grafico(2000), 200);
    EXPECT_EQ(escala_grafico(2001), 500);
    EXPECT_EQ(texto_duracao(0), "00:00:00");
    EXPECT_EQ(texto_duracao(3661), "01:01:01");
    EXPECT_EQ(texto_duracao(25 * 3600), "01:00:00");
    XorRun run;
    run.d.Label3[1] = "1200"; // the scale comes from the last run's iteration number
    ASSERT_TRUE(run.trainer.comecar_treino());
    EXPECT_EQ(run.view.scale, 200);
}

struct Refusal {
    int slot;
    const char* value;
    const char* message; // the whole message; "{dir}" stands for the project's folder
};

void PrintTo(const Refusal& c, std::ostream* os) {
    *os << c.slot << " " << c.value;
}

class RefusedRun : public ::testing::TestWithParam<Refusal> {};

TEST_P(RefusedRun, ReportsAndReturnsToIdle) {
    for (bool backprop : {true, false}) {
        XorRun run(backprop);
        const Refusal r = GetParam();
        if (r.slot == 16 && backprop) continue;
        if (r.slot >= 0)
            run.d.Text1[static_cast<std::size_t>(r.slot)] = r.value;
        else {
            run.d.Text1[0] = run.dir / "xor.txt";
            run.d.Text1[13] = run.dir / "xor.wgt";
            run.d.Label2 = run.dir / r.value;
        }
        EXPECT_FALSE(run.trainer.comecar_treino());
        ASSERT_EQ(run.view.messages.size(), 1u);
        std::string expected = r.message;
        if (const auto at = expected.find("{dir}"); at != std::string::npos)
            expected.replace(at, 5, run.dir.path().string());
        EXPECT_EQ(run.view.messages[0].text, expected);
        EXPECT_TRUE(run.idle());
        EXPECT_EQ(run.view.pointer, Pointer::arrow);
        EXPECT_TRUE(run.view.iterations.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Limits, RefusedRun,
    ::testing::Values(
        Refusal{12, "32767",
                "Please check the value of \"Max. iterations:\": it must be a whole number from 0 "
                "to 32766."},
        Refusal{12, "-1",
                "Please check the value of \"Max. iterations:\": it must be a whole number from 0 "
                "to 32766."},
        Refusal{22, "40000",
                "Please check the value of \"Iterations between chart update:\": it must be a "
                "whole number from -32768 to 32767."},
        Refusal{16, "1",
                "Please check the value of \"Initial population:\": it must be a whole number "
                "from 2 to 255."},
        Refusal{16, "256",
                "Please check the value of \"Initial population:\": it must be a whole number "
                "from 2 to 255."},
        Refusal{14, "20000",
                "The network architecture is too large: its weight and neuron counts must not "
                "exceed 32767."},
        Refusal{14, "0", "Please check values of \"Neural network architecture\" box"},
        Refusal{3, "9", "Please check values of \"Training data and Test data\" box"},
        Refusal{13, "missing.wgt", "Error loading weights file!"},
        Refusal{0, "missing.txt", "Error reading data file"},
        Refusal{-1, "project.txt",
                "The errors file is named after the project file, whose name must hold \"prj\" "
                "(as in name.prj): save the project as a \".prj\" file before trainning."},
        Refusal{-1, "no_folder/x.prj",
                "The trainning errors file {dir}/no_folder/x.err cannot be created."}),
    [](const ::testing::TestParamInfo<Refusal>& info) {
        return "Slot" +
               (info.param.slot < 0 ? std::string("Project") : std::to_string(info.param.slot)) +
               "_" + suite_testing::CaseName(info.param.value);
    });

TEST(Training, ArchitectureTooLargeIsRefusedBeforeAllocating) {
    XorRun run;
    run.d.Text1[14] = "20000";
    EXPECT_FALSE(run.trainer.comecar_treino());
    EXPECT_TRUE(run.trainer.rede.W1.empty());
    EXPECT_TRUE(run.trainer.dados.entradas_treino.valores.empty());
}

TEST(Training, HugeTrainingSetsAreRefusedBeforeAllocating) {
    XorRun run;
    run.d.Text1[2] = "3000"; // 3000 inputs x 29999 lines
    run.d.Text1[4] = "30000";
    EXPECT_FALSE(run.trainer.comecar_treino());
    ASSERT_EQ(run.view.messages.size(), 1u);
    EXPECT_EQ(run.view.messages[0].text,
              "The training set is too large: its inputs or targets, times its lines, exceed "
              "67108864 values.");
    EXPECT_TRUE(run.trainer.dados.entradas_treino.valores.empty());
}

TEST(Training, OverflowStopsWithoutWritingNonFiniteWeights) {
    XorRun run;
    run.d.Check1[1] = 1; // linear output: nothing bounds the outputs
    run.d.Text1[15] = "2";
    run.d.Text1[7] = "1e30";
    std::vector<float> start(22);
    for (std::size_t k = 0; k < start.size(); ++k)
        start[k] = 0.5f;
    grava_valores(run.dir / "xor.wgt", start, run.view);
    const std::string before = test::read_file(run.dir / "xor.wgt");
    EXPECT_FALSE(run.trainer.comecar_treino());
    ASSERT_EQ(run.view.messages.size(), 1u);
    EXPECT_EQ(run.view.messages[0].text,
              "The trainning stopped at iteration 1: its arithmetic overflowed (a value became "
              "infinite or not a number). The weights file and the project were left unchanged.");
    EXPECT_EQ(test::read_file(run.dir / "xor.wgt"), before);
    EXPECT_FALSE(std::filesystem::exists(run.dir / "xor.prj"));
    EXPECT_TRUE(run.idle());
}

TEST(Training, GeneticRunsRepeatFromEveryProgramStart) {
    XorRun a(false), b(false);
    a.d.Check1[0] = b.d.Check1[0] = 1;
    ASSERT_TRUE(a.trainer.comecar_treino());
    ASSERT_TRUE(b.trainer.comecar_treino());
    EXPECT_EQ(a.view.errors, b.view.errors);
    EXPECT_EQ(a.trainer.rede.todos_pesos(), b.trainer.rede.todos_pesos());
    // With elitism the best error never gets worse.
    for (std::size_t i = 1; i < a.view.errors.size(); ++i)
        EXPECT_LE(a.view.errors[i], a.view.errors[i - 1]);
    EXPECT_FALSE(a.view.learning_rate_visible);
}

TEST(Training, EvaluatingTheWeightsFileShowsTheTrainingError) {
    XorRun run;
    auto error = run.trainer.avalia_ficheiro_pesos();
    ASSERT_TRUE(error);
    ASSERT_EQ(run.view.messages.size(), 1u);
    EXPECT_EQ(run.view.messages[0].icon, Icon::none);
    EXPECT_EQ(run.view.messages[0].title, "Corvane");
    EXPECT_EQ(run.view.messages[0].text, numtext::shortest(*error));
    EXPECT_EQ(run.view.pointer, Pointer::arrow);
    run.d.Text1[13] = "none.wgt";
    EXPECT_FALSE(run.trainer.avalia_ficheiro_pesos());
}

TEST(Training, RandomWeightFilesAreTheSameForBothMethods) {
    XorRun bp(true), ga(false);
    ASSERT_TRUE(bp.trainer.prepara_pesos_aleatorios());
    ASSERT_TRUE(bp.trainer.grava_pesos_aleatorios("bp.wgt"));
    ASSERT_TRUE(ga.trainer.prepara_pesos_aleatorios());
    ASSERT_TRUE(ga.trainer.grava_pesos_aleatorios("ga.wgt"));
    EXPECT_EQ(bp.d.Text1[13], "bp.wgt");
    const auto lines = test::crlf_lines(test::read_file(bp.dir / "bp.wgt"));
    EXPECT_EQ(lines.size(), 13u);
    EXPECT_EQ(test::read_file(bp.dir / "bp.wgt"), test::read_file(ga.dir / "ga.wgt"));
    XorRun bad(false);
    bad.d.Text1[16] = "300";
    EXPECT_FALSE(bad.trainer.prepara_pesos_aleatorios());
}

} // namespace
} // namespace corvane
