// Settings record, checks, project file and macro file.
#include "engine/macro_file.h"
#include "engine/project_file.h"
#include "engine/settings.h"
#include "engine/text_file.h"
#include "recorder.h"
#include "test_files.h"

#include "case_name.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace corvane {
namespace {

using test::Recorder;
using test::TempDir;

struct NumberCase {
    const char* text;
    double value;
};

void PrintTo(const NumberCase& c, std::ostream* os) {
    *os << "'" << c.text << "'";
}

class TextToNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(TextToNumber, ReadsTheLeadingNumberAfterTheFirstComma) {
    EXPECT_DOUBLE_EQ(texto_para_numero(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, TextToNumber,
                         ::testing::Values(NumberCase{"0,05", 0.05}, NumberCase{"1 000", 1000},
                                           NumberCase{"2.5e-1", 0.25}, NumberCase{"1,2,3", 1.2},
                                           NumberCase{"", 0}, NumberCase{"abc", 0},
                                           NumberCase{"-3.5x", -3.5}, NumberCase{"1D2", 100}),
                         [](const ::testing::TestParamInfo<NumberCase>& info) {
                             return suite_testing::NumberedCaseName(info.index, info.param.text);
                         });

definicoes_projecto data_box(std::initializer_list<const char*> slots1to6, const char* test_first,
                             const char* test_last) {
    definicoes_projecto d;
    int i = 1;
    for (const char* s : slots1to6)
        d.Text1[static_cast<std::size_t>(i++)] = s;
    d.Text1[9] = test_first;
    d.Text1[10] = test_last;
    return d;
}

TEST(Checks, DataBoxRefusesZerosAndReversedRanges) {
    struct Case {
        definicoes_projecto d;
        bool ok;
    };
    const Case cases[] = {
        {data_box({"1", "2", "2", "5", "3", "3"}, "6", "7"), true},
        {data_box({"3", "2", "2", "5", "3", "3"}, "6", "7"), false}, // input columns 3 to 2
        {data_box({"1", "2", "2", "5", "3", "3"}, "", "7"), false},  // empty reads as 0
        {data_box({"1", "2", "5", "2", "3", "3"}, "6", "7"), false},
        {data_box({"1", "2", "2", "5", "3", "3"}, "7", "6"), false},
        {data_box({"1", "2", "2", "2", "3", "3"}, "6", "6"), true}, // one line each
    };
    for (const auto& c : cases) {
        Recorder r;
        EXPECT_EQ(verifica_dados(c.d, r), c.ok);
        if (c.ok) {
            EXPECT_TRUE(r.messages.empty());
        } else {
            ASSERT_EQ(r.messages.size(), 1u);
            EXPECT_EQ(r.messages[0].text, msg::dados_invalidos);
            EXPECT_EQ(r.messages[0].title, "Corvane");
            EXPECT_EQ(r.messages[0].icon, Icon::critical);
        }
    }
}

TEST(Checks, ArchitectureNeedsTheSecondLayerOnlyWhenTheLinearLayerIsOn) {
    definicoes_projecto d;
    d.Text1[14] = "4";
    d.Check1[1] = 0;
    Recorder r;
    EXPECT_TRUE(verifica_arquitectura(d, r));
    d.Check1[1] = 1;
    EXPECT_FALSE(verifica_arquitectura(d, r));
    d.Text1[15] = "-1";
    EXPECT_FALSE(verifica_arquitectura(d, r));
    d.Text1[15] = "3";
    EXPECT_TRUE(verifica_arquitectura(d, r));
    d.Text1[14] = "0";
    EXPECT_FALSE(verifica_arquitectura(d, r));
    EXPECT_EQ(r.texts(), std::vector<std::string>(3, std::string(msg::arquitectura_invalida)));
}

definicoes_projecto example_project() {
    definicoes_projecto d;
    d.Text1[0] = "/data/xor.txt";
    const char* data[] = {"1", "2", "2", "5", "3", "3"};
    for (int i = 0; i < 6; ++i)
        d.Text1[static_cast<std::size_t>(i + 1)] = data[i];
    d.Text1[9] = "6";
    d.Text1[10] = "7";
    d.Text1[14] = "4";
    return d;
}

TEST(ProjectFile, FreshProjectIsWrittenLineByLine) {
    TempDir dir;
    Recorder r;
    ASSERT_TRUE(grava_projecto(example_project(), dir / "p.prj", r));
    const std::string expected =
        "\"/data/xor.txt\"\r\n\"1\"\r\n\"2\"\r\n\"2\"\r\n\"5\"\r\n\"3\"\r\n\"3\"\r\n\"0.01\"\r\n"
        "\"0.9\"\r\n\"6\"\r\n\"7\"\r\n\"0\"\r\n\"1000\"\r\n\"\"\r\n\"4\"\r\n\"\"\r\n"
        "\"10\"\r\n\"0.1\"\r\n\"0.8\"\r\n\"1.05\"\r\n\"0.7\"\r\n\"1.04\"\r\n\"1\"\r\n"
        "#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n"
        "0\r\n1\r\n1\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
    EXPECT_EQ(test::read_file(dir / "p.prj"), expected);
}

TEST(ProjectFile, RoundTripKeepsTextsChoicesFlagsAndReformatsErrors) {
    TempDir dir;
    Recorder r;
    definicoes_projecto saved = example_project();
    saved.Option1[9] = false;
    saved.Option1[10] = true;
    saved.Option1[15] = false;
    saved.Option1[12] = true;
    saved.Check1 = {1, 0, 0};
    saved.Text1[13] = "w, with comma.wgt";
    saved.Label3 = {"1.2300E+02", "17", "00:00:01", "00:00:09", "4.5000E-03"};
    ASSERT_TRUE(grava_projecto(saved, dir / "p.prj", r));

    definicoes_projecto loaded;
    ProjectLoad load = test::reported(le_ficheiro_projecto(dir / "p.prj", loaded), r);
    ASSERT_TRUE(load.ok);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(loaded.Text1, saved.Text1);
    EXPECT_EQ(loaded.Option1, saved.Option1);
    EXPECT_EQ(loaded.Check1, saved.Check1);
    EXPECT_EQ(loaded.Label3[0], "1.2300E02");
    EXPECT_EQ(loaded.Label3[1], "17");
    EXPECT_EQ(loaded.Label3[3], "00:00:09");
    EXPECT_EQ(loaded.Label3[4], "4.5000E-03");
    // Spinners: learning rate x100, increase x100, decrease x100, momentum x100, ratio x100,
    // population, mutation x10, crossover x10.
    const std::array<std::optional<int>, 8> spinner{1, 105, 70, 90, 104, 10, 1, 8};
    EXPECT_EQ(load.spinner, spinner);
}

TEST(ProjectFile, ShortFileKeepsWhatWasLoaded) {
    TempDir dir;
    Recorder r;
    definicoes_projecto saved = example_project();
    saved.Option1[9] = false;
    saved.Option1[10] = true;
    ASSERT_TRUE(grava_projecto(saved, dir / "full.prj", r));
    std::vector<std::string> lines = test::crlf_lines(test::read_file(dir / "full.prj"));
    std::string first30;
    for (int i = 0; i < 30; ++i)
        first30 += lines[static_cast<std::size_t>(i)] + "\r\n";
    test::write_file(dir / "short.prj", first30);

    definicoes_projecto loaded;
    loaded.Check1 = {1, 0, 0};
    EXPECT_FALSE(test::reported(le_ficheiro_projecto(dir / "short.prj", loaded), r).ok);
    EXPECT_EQ(r.texts(), std::vector<std::string>{std::string(msg::erro_carregar_projecto)});
    EXPECT_EQ(loaded.Text1, saved.Text1);
    EXPECT_TRUE(loaded.Option1[10]);
    EXPECT_FALSE(loaded.Option1[9]);
    EXPECT_EQ(loaded.Check1, (std::array<int, 3>{1, 0, 0})); // never reached
}

TEST(ProjectFile, FailuresAreReported) {
    TempDir dir;
    Recorder r;
    definicoes_projecto d;
    EXPECT_FALSE(test::reported(le_ficheiro_projecto(dir / "missing.prj", d), r).ok);

    // A learning rate above 1 loads, but its spinner cannot show it.
    definicoes_projecto big = example_project();
    big.Text1[7] = "2";
    ASSERT_TRUE(grava_projecto(big, dir / "big.prj", r));
    ProjectLoad load = test::reported(le_ficheiro_projecto(dir / "big.prj", d), r);
    EXPECT_FALSE(load.ok);
    EXPECT_EQ(d.Text1[7], "2");
    EXPECT_FALSE(load.spinner[0].has_value());

    // A choice that is neither true, false nor a number.
    std::string text = test::read_file(dir / "big.prj");
    text.replace(text.find("#TRUE#"), 6, "maybe");
    test::write_file(dir / "bad.prj", text);
    EXPECT_FALSE(test::reported(le_ficheiro_projecto(dir / "bad.prj", d), r).ok);
    EXPECT_EQ(r.texts(), std::vector<std::string>(3, std::string(msg::erro_carregar_projecto)));
}

TEST(ProjectFile, ATextWithADoubleQuoteIsRefusedAndTheOldFileKept) {
    TempDir dir;
    Recorder r;
    ASSERT_TRUE(grava_projecto(example_project(), dir / "p.prj", r));
    const std::string before = test::read_file(dir / "p.prj");
    definicoes_projecto d = example_project();
    d.Text1[0] = "a\"b.txt";
    EXPECT_FALSE(grava_projecto(d, dir / "p.prj", r));
    EXPECT_EQ(test::read_file(dir / "p.prj"), before);
    EXPECT_FALSE(grava_projecto(example_project(), dir / "no_such_folder/p.prj", r));
    ASSERT_EQ(r.messages.size(), 2u);
    EXPECT_EQ(r.messages[1].text, std::string(msg::erro_gravar_projecto) + "\n" +
                                      (dir / "no_such_folder") + ": No such file or directory");
}

TEST(ProjectFile, ErrorsFileNameReplacesTheLastPrj) {
    EXPECT_EQ(nome_ficheiro_erros("c:\\prjdata\\x.prj"), "c:\\prjdata\\x.err");
    EXPECT_EQ(nome_ficheiro_erros("/a/prj/b.prj"), "/a/prj/b.err");
    EXPECT_EQ(nome_ficheiro_erros("/a/project.PRJ"), std::nullopt);
    EXPECT_EQ(nome_ficheiro_erros(""), std::nullopt);
}

// A project saved into another folder keeps naming its data and weights files.
TEST(ProjectFile, RebasedPathsNameTheSameFilesFromTheNewFolder) {
    EXPECT_EQ(rebase_path("data/x.txt", "/p/a/x.prj", "/p/b/y.prj"), "../a/data/x.txt");
    EXPECT_EQ(rebase_path("x.wgt", "/p/a/x.prj", "/p/a/sub/y.prj"), "../x.wgt");
    EXPECT_EQ(rebase_path("../x.txt", "/p/a/x.prj", "/p/y.prj"), "x.txt");
    // Same folder, absolute and empty paths stay as typed.
    EXPECT_EQ(rebase_path("./x.txt", "/p/a/x.prj", "/p/a/other.prj"), "./x.txt");
    EXPECT_EQ(rebase_path("/d/x.txt", "/p/a/x.prj", "/q/y.prj"), "/d/x.txt");
    EXPECT_EQ(rebase_path("", "/p/a/x.prj", "/q/y.prj"), "");
    // A project never saved named its files from the current folder.
    const std::filesystem::path moved =
        resolve_against(rebase_path("x.txt", "", "/q/y.prj"), "/q/y.prj");
    EXPECT_EQ(moved.lexically_normal(), std::filesystem::current_path() / "x.txt");
}

TEST(MacroFile, SavesHundredQuotedLinesAndLoadsThemBack) {
    TempDir dir;
    Recorder r;
    ListaMacro lista;
    lista[0] = "first.prj";
    lista[1] = "/abs/second.prj";
    ASSERT_TRUE(grava_macro(dir / "m.mcr", lista, r));
    auto lines = test::crlf_lines(test::read_file(dir / "m.mcr"));
    ASSERT_EQ(lines.size(), 100u);
    EXPECT_EQ(lines[0], "\"first.prj\"");
    EXPECT_EQ(lines[1], "\"/abs/second.prj\"");
    EXPECT_EQ(lines[99], "\"\"");

    ListaMacro loaded;
    loaded[5] = "stale";
    ASSERT_TRUE(test::reported(carrega_macro(dir / "m.mcr", loaded), r));
    EXPECT_EQ(loaded, lista);
    EXPECT_TRUE(r.messages.empty());
}

TEST(MacroFile, ShortOrMissingFileIsReportedKeepingTheRowsRead) {
    TempDir dir;
    Recorder r;
    test::write_file(dir / "short.mcr", "\"a.prj\"\r\n\"b.prj\"\r\n");
    ListaMacro lista;
    EXPECT_FALSE(test::reported(carrega_macro(dir / "short.mcr", lista), r));
    EXPECT_EQ(lista[0], "a.prj");
    EXPECT_EQ(lista[1], "b.prj");
    EXPECT_FALSE(test::reported(carrega_macro(dir / "none.mcr", lista), r));
    lista[2] = "has\"quote.prj";
    EXPECT_FALSE(grava_macro(dir / "q.mcr", lista, r));
    EXPECT_FALSE(std::filesystem::exists(dir / "q.mcr"));
    ASSERT_EQ(r.messages.size(), 3u);
    EXPECT_EQ(r.messages[0].text, msg::erro_carregar_macro);
    EXPECT_EQ(r.messages[1].text, msg::erro_carregar_macro);
}

} // namespace
} // namespace corvane
