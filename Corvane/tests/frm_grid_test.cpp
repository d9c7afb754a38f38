// The grid window and the view commands: data sets with the network's outputs, the weights
// layout, the errors file read back for the chart, and their failures.
#include "engine/errors_file.h"
#include "engine/views.h"
#include "frm_grid.h"
#include "frm_test_dialogs.h"

#include "engine/project_file.h"

#include "numtext/numtext.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace corvane;

namespace {

void escreve(const QString& caminho, const QByteArray& conteudo) {
    QFile f(caminho);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(conteudo);
}

QByteArray linhas(const QStringList& valores) {
    return (valores.join("\r\n") + "\r\n").toUtf8();
}

// A 2-input, 1-output project over a 4-pattern table with a header line: two hidden neurons,
// no linear output layer. The weights make output = sigmoid(2 sigmoid(x1)).
definicoes_projecto projecto_xor(const QTemporaryDir& dir) {
    escreve(dir.filePath("xor.txt"), "x1\tx2\ty\r\n0\t0\t0\r\n0\t1\t1\r\n1\t0\t1\r\n1\t1\t0\r\n");
    escreve(dir.filePath("xor.wgt"), linhas({"0", "1", "0", "0", "0", "0", "0", "2", "0"}));
    definicoes_projecto d;
    d.Text1 = {"xor.txt", "1",       "2", "2", "5",  "3",   "3",   "0.01", "0.9", "2",    "3", "0",
               "1000",    "xor.wgt", "2", "",  "10", "0.1", "0.8", "1.05", "0.7", "1.04", "1"};
    d.Check1[1] = 0;
    d.Label2 = dir.filePath("xor.prj").toStdString();
    return d;
}

arquitectura_rede arquitectura(int ne, int ns, int h1, int h2, bool linear) {
    arquitectura_rede a;
    a.n_entradas = static_cast<std::int16_t>(ne);
    a.n_saidas = static_cast<std::int16_t>(ns);
    a.camada_linear = linear;
    a.n_oculta1 = static_cast<std::int16_t>(h1);
    a.n_oculta2 = static_cast<std::int16_t>(linear ? h2 : ns);
    a.n_pesos1 = static_cast<std::int16_t>((ne + 1) * h1);
    a.n_pesos2 = static_cast<std::int16_t>((h1 + 1) * a.n_oculta2);
    a.n_pesos3 = static_cast<std::int16_t>(linear ? (h2 + 1) * ns : 0);
    a.n_pesos = static_cast<std::int16_t>(a.n_pesos1 + a.n_pesos2 + a.n_pesos3);
    return a;
}

double sigmoide_exacta(double x) {
    return 1.0 / (1.0 + std::exp(-x));
}

} // namespace

class FrmGridTest : public QObject {
    Q_OBJECT
private slots:
    void data_view_of_two_inputs_one_output();
    void test_set_view_holds_test_lines();
    void data_grid_grows_beyond_minimum();
    void weights_view_labels_and_blocks();
    void weights_view_with_linear_output_layer();
    void view_failures_data();
    void view_failures();
    void errors_file_reading();
    void error_chart_command_data();
    void error_chart_command();
    void window_shows_content_with_headers();
    void window_size_is_bounded();
};

void FrmGridTest::data_view_of_two_inputs_one_output() {
    QTemporaryDir dir;
    RecordingDialogs dialogs;
    CommandView view(nullptr, dialogs);
    auto g = vista_dados(projecto_xor(dir), true, view);
    QVERIFY(g);
    QVERIFY(dialogs.mensagens.isEmpty());
    QCOMPARE(g->colunas, 11);
    QCOMPARE(g->linhas, 30);
    QCOMPARE((*g)(0, 1).texto, std::string("IN 1"));
    QCOMPARE((*g)(0, 2).texto, std::string("IN 2"));
    QCOMPARE((*g)(0, 3).texto, std::string("OUT 1"));
    QVERIFY((*g)(0, 4).texto.empty());
    const double x1[] = {0, 0, 1, 1};
    const char* x2[] = {"0", "1", "0", "1"};
    const char* y[] = {"0", "1", "1", "0"};
    for (int r = 1; r <= 4; ++r) {
        QCOMPARE((*g)(r, 0).texto, std::to_string(r));
        QCOMPARE((*g)(r, 1).texto, numtext::shortest(static_cast<float>(x1[r - 1])));
        QCOMPARE((*g)(r, 2).texto, std::string(x2[r - 1]));
        QCOMPARE((*g)(r, 3).texto, std::string(y[r - 1]));
        QCOMPARE((*g)(r, 3).cor, CorCelula::amarelo);
        const double esperado = sigmoide_exacta(2 * sigmoide_exacta(x1[r - 1]));
        QCOMPARE((*g)(r, 4).texto, numtext::format(esperado, "0.0000E+00"));
        QCOMPARE((*g)(r, 4).cor, CorCelula::ciano);
        QVERIFY((*g)(r, 5).texto.empty());
    }
    QCOMPARE((*g)(1, 4).texto, std::string("7.3106E-01"));
    for (int r = 5; r < 30; ++r)
        QVERIFY((*g)(r, 0).texto.empty() && (*g)(r, 1).texto.empty());
}

void FrmGridTest::test_set_view_holds_test_lines() {
    QTemporaryDir dir;
    RecordingDialogs dialogs;
    CommandView view(nullptr, dialogs);
    auto g = vista_dados(projecto_xor(dir), false, view);
    QVERIFY(g);
    // Testing lines 2 to 3: two patterns only.
    QCOMPARE((*g)(2, 2).texto, std::string("1"));
    QCOMPARE((*g)(2, 3).texto, std::string("1"));
    QVERIFY((*g)(3, 0).texto.empty());
    QVERIFY((*g)(3, 4).texto.empty());
}

void FrmGridTest::data_grid_grows_beyond_minimum() {
    const arquitectura_rede a = arquitectura(6, 3, 2, 0, false);
    Rede rede;
    rede.dimensiona(a);
    Matriz x, t;
    x.dimensiona(6, 40);
    t.dimensiona(3, 40);
    auto g = mostra_dados(rede, x, t, true);
    QCOMPARE(g.colunas, 6 + 2 * 3 + 1);
    QCOMPARE(g.linhas, 41);
    QCOMPARE(g(0, 9).texto, std::string("OUT 3"));
    QCOMPARE(g(40, 12).cor, CorCelula::ciano);
    QCOMPARE(g(40, 0).texto, std::string("40"));
    // Without the network's outputs only the data columns are counted.
    auto sem = mostra_dados(rede, x, t, false);
    QCOMPARE(sem.colunas, 11);
    QVERIFY(sem(1, 10).texto.empty());
}

void FrmGridTest::weights_view_labels_and_blocks() {
    QTemporaryDir dir;
    definicoes_projecto d = projecto_xor(dir);
    RecordingDialogs dialogs;
    CommandView view(nullptr, dialogs);
    auto g = vista_pesos(d, view);
    QVERIFY(g);
    QCOMPARE(g->linhas_fixas, 0);
    QCOMPARE(g->colunas, 11);
    QCOMPARE(g->linhas, 30);
    // W1: 2 targets of 3 sources (bias, x1, x2), rows 0..2.
    QCOMPARE((*g)(0, 0).texto, std::string("W1-1/0"));
    QCOMPARE((*g)(1, 0).texto, std::string("W1-1/1"));
    QCOMPARE((*g)(1, 1).texto, std::string("1"));
    QCOMPARE((*g)(0, 2).texto, std::string("W1-2/0"));
    QCOMPARE((*g)(2, 2).texto, std::string("W1-2/2"));
    QCOMPARE((*g)(0, 0).cor, CorCelula::cinzento);
    QCOMPARE((*g)(0, 1).cor, CorCelula::amarelo_claro);
    QVERIFY((*g)(0, 4).texto.empty());
    // One empty row, then W2: 1 target of 3 sources.
    QVERIFY((*g)(3, 0).texto.empty());
    QCOMPARE((*g)(4, 0).texto, std::string("W2-1/0"));
    QCOMPARE((*g)(5, 0).texto, std::string("W2-1/1"));
    QCOMPARE((*g)(5, 1).texto, std::string("2"));
    QCOMPARE((*g)(6, 0).texto, std::string("W2-1/2"));
    QVERIFY((*g)(7, 0).texto.empty());
}

void FrmGridTest::weights_view_with_linear_output_layer() {
    const arquitectura_rede a = arquitectura(2, 1, 7, 2, true);
    Rede rede;
    rede.dimensiona(a);
    for (std::size_t k = 0; k < rede.W3.size(); ++k)
        rede.W3[k] = 0.25f * static_cast<float>(k + 1);
    auto g = mostra_pesos(rede);
    QCOMPARE(g.colunas, 14); // twice the largest layer
    const BlocosPesos b = blocos_pesos(a);
    QCOMPARE(b.w2, 4);
    QCOMPARE(b.w3, 4 + 8 + 1);
    QCOMPARE(g(0, 12).texto, std::string("W1-7/0"));
    QCOMPARE(g(b.w2 + 7, 2).texto, std::string("W2-2/7"));
    QCOMPARE(g(b.w3, 0).texto, std::string("W3-1/0"));
    QCOMPARE(g(b.w3 + 2, 0).texto, std::string("W3-1/2"));
    QCOMPARE(g(b.w3 + 2, 1).texto, std::string("0.75"));
    QVERIFY(g(b.w3 + 3, 0).texto.empty());
}

void FrmGridTest::view_failures_data() {
    QTest::addColumn<int>("caso");
    QTest::addColumn<bool>("dados");
    QTest::addColumn<QString>("mensagem");
    QTest::newRow("data box") << 0 << true
                              << "Please check values of \"Training data and Test data\" box";
    QTest::newRow("architecture box")
        << 1 << false << "Please check values of \"Neural network architecture\" box";
    QTest::newRow("missing weights") << 2 << true << "Error loading weights file!";
    QTest::newRow("short weights")
        << 3 << false << "Weights file is not suited for present project!";
    QTest::newRow("missing data") << 4 << true << "Error reading data file";
}

void FrmGridTest::view_failures() {
    QFETCH(int, caso);
    QFETCH(bool, dados);
    QFETCH(QString, mensagem);
    QTemporaryDir dir;
    definicoes_projecto d = projecto_xor(dir);
    switch (caso) {
    case 0:
        d.Text1[slot::entrada_final] = "0";
        break;
    case 1:
        d.Text1[slot::oculta1] = "";
        break;
    case 2:
        d.Text1[slot::ficheiro_pesos] = "absent.wgt";
        break;
    case 3:
        escreve(dir.filePath("xor.wgt"), linhas({"1", "2"}));
        break;
    case 4:
        d.Text1[slot::ficheiro_dados] = "absent.txt";
        break;
    }
    RecordingDialogs dialogs;
    CommandView view(nullptr, dialogs);
    const bool mostrada =
        dados ? vista_dados(d, true, view).has_value() : vista_pesos(d, view).has_value();
    QVERIFY(!mostrada);
    QCOMPARE(dialogs.textos(), QStringList{mensagem});
    QCOMPARE(dialogs.mensagens.first().titulo, QString("Corvane"));
    QVERIFY(!QApplication::overrideCursor());
}

void FrmGridTest::errors_file_reading() {
    QTemporaryDir dir;
    QStringList muitos;
    for (int i = 1; i <= 7000; ++i)
        muitos << QString::number(1.0 / i, 'g', 7);
    escreve(dir.filePath("muitos.err"), linhas(muitos));
    auto v = le_ficheiro_erros(dir.filePath("muitos.err").toStdString());
    QVERIFY(v);
    QCOMPARE(v->size(), std::size_t{6000});
    QCOMPARE(v->front(), 1.0f);
    QCOMPARE(v->back(), static_cast<float>(1.0 / 6000));

    escreve(dir.filePath("formas.err"), "0.8316734\n.5\r\n1.234568E-02\r\n\r\n");
    v = le_ficheiro_erros(dir.filePath("formas.err").toStdString());
    QVERIFY(v);
    QCOMPARE(*v, (std::vector<float>{0.8316734f, 0.5f, 1.234568E-02f}));

    escreve(dir.filePath("lixo.err"), "0.5\r\nabc\r\n");
    QVERIFY(!le_ficheiro_erros(dir.filePath("lixo.err").toStdString()));
    escreve(dir.filePath("enorme.err"), "0.5\r\n1E39\r\n");
    QVERIFY(!le_ficheiro_erros(dir.filePath("enorme.err").toStdString()));
    escreve(dir.filePath("vazio.err"), "");
    v = le_ficheiro_erros(dir.filePath("vazio.err").toStdString());
    QVERIFY(v && v->empty());
    escreve(dir.filePath("binario.err"), QByteArray("\x00\xff\x01\x02", 4));
    QVERIFY(!le_ficheiro_erros(dir.filePath("binario.err").toStdString()));
    QVERIFY(!le_ficheiro_erros(dir.filePath("absent.err").toStdString()));
}

void FrmGridTest::error_chart_command_data() {
    QTest::addColumn<QString>("iteracoes");
    QTest::addColumn<int>("intervalo");
    QTest::addColumn<int>("pontos");
    QTest::newRow("500") << "500" << 50 << 499;
    QTest::newRow("501") << "501" << 100 << 500;
    QTest::newRow("2001") << "2001" << 500 << 2000;
    QTest::newRow("never trained") << "" << 50 << 0;
}

void FrmGridTest::error_chart_command() {
    QFETCH(QString, iteracoes);
    QFETCH(int, intervalo);
    QFETCH(int, pontos);
    QTemporaryDir dir;
    definicoes_projecto d;
    d.Label2 = dir.filePath("run.prj").toStdString();
    d.Label3[1] = iteracoes.toStdString();
    escreve(dir.filePath("run.err"), "0.5\r\n0.25\r\n");
    RecordingDialogs dialogs;
    CommandView view(nullptr, dialogs);
    auto g = grafico_erros(d, view);
    QVERIFY(g);
    QCOMPARE(g->intervalo, intervalo);
    QCOMPARE(g->pontos, pontos);
    QCOMPARE(g->valores, (std::vector<float>{0.5f, 0.25f}));
    QVERIFY(dialogs.mensagens.isEmpty());

    // A project never saved has no errors file.
    d.Label2.clear();
    QVERIFY(!grafico_erros(d, view));
    QCOMPARE(dialogs.textos(), QStringList{"Error reading trainning errors file."});
    QVERIFY(!QApplication::overrideCursor());
}

void FrmGridTest::window_shows_content_with_headers() {
    QTemporaryDir dir;
    RecordingDialogs dialogs;
    CommandView view(nullptr, dialogs);
    frm_grid janela;
    janela.mostra(*vista_dados(projecto_xor(dir), true, view), "Trainning data");
    QCOMPARE(janela.windowTitle(), QString("Trainning data"));
    QCOMPARE(janela.MSFlexGrid1->columnCount(), 10);
    QCOMPARE(janela.MSFlexGrid1->rowCount(), 29);
    QVERIFY(janela.MSFlexGrid1->horizontalHeader()->isVisibleTo(&janela));
    QCOMPARE(janela.texto(0, 3), QString("OUT 1"));
    QCOMPARE(janela.texto(4, 0), QString("4"));
    QCOMPARE(janela.texto(2, 2), QString("1"));
    QCOMPARE(janela.cor(2, 3), QColor(0xFF, 0xFF, 0x00));
    QCOMPARE(janela.cor(2, 4), QColor(0x00, 0xFF, 0xFF));
    QVERIFY(!janela.cor(2, 1).isValid());
    QVERIFY(!janela.cor(6, 3).isValid());

    // The weights have no headers: row and column 0 are ordinary cells.
    janela.mostra(*vista_pesos(projecto_xor(dir), view), "Weights file");
    QVERIFY(!janela.MSFlexGrid1->horizontalHeader()->isVisibleTo(&janela));
    QCOMPARE(janela.MSFlexGrid1->columnCount(), 11);
    QCOMPARE(janela.texto(0, 0), QString("W1-1/0"));
    QCOMPARE(janela.cor(0, 0), QColor(0xC0, 0xC0, 0xC0));
    QCOMPARE(janela.cor(0, 1), QColor(0xFF, 0xFF, 0xC0));
}

void FrmGridTest::window_size_is_bounded() {
    frm_grid janela;
    ConteudoGrelha grande;
    grande.dimensiona(600, 11, 1);
    janela.mostra(grande, "Test data");
    const QSize pequeno = janela.tamanho_desejado(QSize(400, 300));
    QCOMPARE(pequeno, QSize(400, 300));
    const QSize livre = janela.tamanho_desejado(QSize(100000, 100000));
    QVERIFY(livre.height() > 600 * 10);
    QVERIFY(livre.width() > 10 * 60);
}

QTEST_MAIN(FrmGridTest)
#include "frm_grid_test.moc"
