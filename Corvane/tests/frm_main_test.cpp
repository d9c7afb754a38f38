// The frame window: menu and toolbar states through a project's life and a macro's run, the
// file dialogs it opens, the views it routes, the help window and About. The project window is
// stood in for by a recording port.
#include "frm_grid.h"
#include "frm_help.h"
#include "frm_logo.h"
#include "frm_macro.h"
#include "frm_main.h"
#include "frm_test_dialogs.h"

#include "frm_project.h"

#include "engine/project_file.h"
#include "engine/trainer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

#include <filesystem>
#include <functional>
#include <optional>

using namespace corvane;

namespace {

// A window that, like the project window, will not close while its run is in course.
class JanelaFalsa : public QWidget {
public:
    using QWidget::QWidget;
    bool recusa = false;

protected:
    void closeEvent(QCloseEvent* e) override {
        if (recusa)
            e->ignore();
        else
            QWidget::closeEvent(e);
    }
};

// Stands in for the project window: records what the frame asks of it.
class PortoFalso : public ProjectPort {
public:
    PortoFalso(QWidget* parent, QStringList& registo) : registo_(registo) {
        janela_ = new JanelaFalsa(parent);
        janela_->setObjectName("frm_project");
        janela_->setWindowTitle("New project");
        janela_->resize(300, 200);
    }
    QWidget* janela() override { return janela_; }
    bool carrega(const QString& f) override {
        registo_ << "carrega " + f;
        return !f.contains("broken");
    }
    void mostra_caminho(const QString& f) override { registo_ << "caminho " + f; }
    definicoes_projecto definicoes() override { return d; }
    void grava() override { registo_ << "grava"; }
    void comeca() override {
        registo_ << "comeca";
        ocupado_ = true;
        ao_mudar_estado(true);
        if (durante) durante();
        ocupado_ = false;
        ao_mudar_estado(false);
    }
    void para() override { registo_ << "para"; }
    bool ocupado() const override { return ocupado_; }
    void mostra_grafico(const GraficoErros& g) override {
        registo_
            << QString("grafico %1 %2 %3").arg(g.intervalo).arg(g.pontos).arg(g.valores.size());
    }
    void muda_estado(bool ocupado) {
        ocupado_ = ocupado;
        ao_mudar_estado(ocupado);
    }

    definicoes_projecto d;
    std::function<void()> durante;
    JanelaFalsa* janela_;

private:
    QStringList& registo_;
    bool ocupado_ = false;
};

// Hands each event of `alvo` to `ver` before the target handles it, for its lifetime.
class FiltroEventos : public QObject {
public:
    FiltroEventos(QObject* alvo, std::function<void(QEvent*)> ver) : ver_(std::move(ver)) {
        alvo->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        ver_(e);
        return false;
    }

private:
    std::function<void(QEvent*)> ver_;
};

void escreve(const QString& caminho, const QByteArray& conteudo) {
    QFile f(caminho);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(conteudo);
}

struct Ambiente {
    QStringList registo;
    RecordingDialogs dialogs;
    EstadoPrograma estado;
    QList<PortoFalso*> portos;
    int saidas = 0;
    std::function<void(PortoFalso&)> prepara;
    std::unique_ptr<frm_Main> janela;

    explicit Ambiente(bool logo = false) {
        frm_Main::Opcoes o;
        o.fabrica = [this](QWidget* parent) {
            auto p = std::make_unique<PortoFalso>(parent, registo);
            portos << p.get();
            if (prepara) prepara(*p);
            return p;
        };
        o.dialogs = &dialogs;
        o.estado = &estado;
        o.logo = logo;
        o.sair = [this] { ++saidas; };
        janela = std::make_unique<frm_Main>(std::move(o));
    }
    frm_Main& m() { return *janela; }
    PortoFalso* porto() { return static_cast<PortoFalso*>(janela->projecto()); }
};

// The enabled items of the frame's menus and toolbar (the context menus of the chart and the
// grid, "Export..." and "Copy", are not the frame's).
QStringList ligados(const frm_Main& m) {
    QStringList nomes;
    for (QAction* a : m.findChildren<QAction*>())
        if (a->isEnabled() && !a->isSeparator() && !a->objectName().isEmpty() && !a->menu() &&
            !a->objectName().startsWith("action"))
            nomes << a->objectName();
    nomes.sort();
    return nomes;
}

QStringList ordenada(QStringList l) {
    l.sort();
    return l;
}

const QStringList sempre{
    "About",     "Search",         "Toolbar1(1)",      "Toolbar1(2)",     "Topics",
    "menu_exit", "menu_new_macro", "menu_new_project", "menu_open_macro", "menu_open_project"};
// While a run is in course: Stop, and no other project loaded.
QStringList em_treino() {
    QStringList l = sempre;
    l.removeAll("menu_open_project");
    l.removeAll("Toolbar1(1)");
    return ordenada(l + QStringList{"menu_stop", "Toolbar1(3)", "Toolbar1(6)"});
}

const QStringList com_projecto{"menu_save_project",  "menu_start",           "menu_errors_chart",
                               "menu_final_weights", "menu_initial_weights", "menu_test_data",
                               "menu_training_data", "Toolbar1(3)",          "Toolbar1(5)"};

} // namespace

class FrmMainTest : public QObject {
    Q_OBJECT
private slots:
    void start_state();
    void logo_window();
    void project_life_menu_states();
    void project_window_closing_itself();
    void open_project_dialog_and_reuse();
    void new_project_replaces_the_window();
    void new_project_while_a_run_unwinds();
    void a_run_blocks_macros_and_opening();
    void menu_and_toolbar_route_to_the_project();
    void views_from_menu_data();
    void views_from_menu();
    void view_button_of_the_project_and_chart();
    void macro_menu_states();
    void open_macro();
    void two_project_macro_run();
    void stop_macro_between_projects();
    void macro_skips_a_project_that_did_not_load();
    void help_topics_and_search();
    void about_window();
    void exit_ends_the_program();
    void real_project_life();
    void real_macro_of_two_projects();
    void learning_rate_follows_the_loaded_method();
    void chart_comes_to_the_front();
    void chart_window_offers_no_maximise();
    void project_window_fits_a_small_screen();
    void empty_errors_file_gives_an_empty_chart();
    void plain_run_offers_no_macro_stop();
    void help_topic_opens_at_one_click();
    void damaged_help_collection_data();
    void damaged_help_collection();
};

void FrmMainTest::start_state() {
    Ambiente a;
    frm_Main& m = a.m();
    QCOMPARE(m.windowTitle(), QString("Corvane"));
    QCOMPARE(ligados(m), ordenada(sempre));
    QStringList menus;
    for (QAction* accao : m.menuBar()->actions())
        menus << accao->text();
    QCOMPARE(menus, (QStringList{"&Project", "&Macro", "&Training", "&View", "&Help"}));
    QStringList itens;
    for (QAction* accao : m.menu_file->actions())
        itens << (accao->isSeparator() ? "-" : accao->text());
    QCOMPARE(itens, (QStringList{"&New Project", "&Open Project", "&Save Project", "-", "&Exit"}));
    QCOMPARE(m.menu_stop_macro->text(), QString("Stop &Macro"));
    QCOMPARE(m.menu_training_data->text(), QString("&Traning Data"));
    QCOMPARE(m.About->text(), QString("&About Corvane"));

    const QStringList dicas{"Open project",    "New project",   "Save project", "",
                            "Start trainning", "Stop trainning"};
    QCOMPARE(m.Toolbar1->actions().size(), 6);
    for (int i = 1; i <= 6; ++i) {
        QCOMPARE(m.Toolbar1->actions().at(i - 1), m.botao(i));
        if (i == 4)
            QVERIFY(m.botao(4)->isSeparator());
        else
            QCOMPARE(m.botao(i)->toolTip(), dicas[i - 1]);
    }
    QVERIFY(m.findChild<QStatusBar*>("StatusBar1"));
    QVERIFY(!m.projecto());
    QVERIFY(!m.macro());
}

void FrmMainTest::logo_window() {
    Ambiente a(true);
    frm_Main& m = a.m();
    frm_logo* logo = m.logo();
    QVERIFY(logo);
    // The logo goes on the screen after the frame it stands on, so that a window manager stacks
    // it above the frame: whether the frame's own window was on the screen is read as the logo
    // is shown.
    std::optional<bool> frame_no_ecra;
    FiltroEventos filtro(logo, [&](QEvent* e) {
        if (e->type() == QEvent::Show && !frame_no_ecra)
            frame_no_ecra = m.windowHandle() && m.windowHandle()->isVisible();
    });
    m.show();
    QVERIFY(logo->isVisible());
    QCOMPARE(frame_no_ecra, std::optional<bool>(true));
    QCOMPARE(logo->windowHandle()->transientParent(), m.windowHandle());
    QVERIFY(!(logo->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(logo->size(), QSize(508, 204));
    logo->centra(QRect(0, 0, 1280, 1024));
    QCOMPARE(logo->pos(), QPoint(386, 328));
    QVERIFY(!desenho_logo(QSize(508, 204)).isNull());
    logo->close();
    QVERIFY(!logo->isVisible());
}

void FrmMainTest::project_life_menu_states() {
    Ambiente a;
    frm_Main& m = a.m();
    m.menu_new_project->trigger();
    QVERIFY(m.projecto());
    QCOMPARE(ligados(m), ordenada(sempre + com_projecto));

    a.porto()->muda_estado(true);
    QCOMPARE(ligados(m), em_treino());
    m.menu_stop->trigger();
    QCOMPARE(a.registo.last(), QString("para"));
    a.porto()->muda_estado(false);
    QCOMPARE(ligados(m), ordenada(sempre + com_projecto));

    QPointer<QWidget> janela = a.porto()->janela();
    auto* sub = qobject_cast<QMdiSubWindow*>(janela->parentWidget());
    sub->close();
    QTRY_VERIFY(!m.projecto());
    QVERIFY(sub->isHidden());
    QCOMPARE(ligados(m), ordenada(sempre));
}

void FrmMainTest::project_window_closing_itself() {
    Ambiente a;
    frm_Main& m = a.m();
    m.menu_new_project->trigger();
    QWidget* janela = a.porto()->janela();
    janela->close();
    QTRY_VERIFY(!m.projecto());
    QTRY_VERIFY(janela->parentWidget()->isHidden());
    QCOMPARE(ligados(m), ordenada(sempre));
}

void FrmMainTest::open_project_dialog_and_reuse() {
    Ambiente a;
    frm_Main& m = a.m();
    a.dialogs.respostas = {std::nullopt, QString("/p/one.prj"), QString("/p/two.prj")};
    m.botao(1)->trigger();
    QVERIFY(!m.projecto());
    QVERIFY(a.registo.isEmpty());
    const PedidoFicheiro& p = a.dialogs.pedidos.first();
    QCOMPARE(p.titulo, QString("Open project file"));
    QCOMPARE(p.filtro, QString("Project file (*.prj)"));
    QCOMPARE(p.extensao, QString("prj"));
    QVERIFY(!p.gravar);

    m.menu_open_project->trigger();
    m.menu_open_project->trigger();
    QCOMPARE(a.portos.size(), 1);
    QCOMPARE(a.registo, (QStringList{"carrega /p/one.prj", "caminho /p/one.prj",
                                     "carrega /p/two.prj", "caminho /p/two.prj"}));
    QVERIFY(a.porto()->janela()->isVisibleTo(&m));
    QCOMPARE(ligados(m), ordenada(sempre + com_projecto));
}

void FrmMainTest::new_project_replaces_the_window() {
    Ambiente a;
    frm_Main& m = a.m();
    m.botao(2)->trigger();
    QWidget* primeira = a.porto()->janela();
    m.menu_new_project->trigger();
    QCOMPARE(a.portos.size(), 2);
    QVERIFY(primeira->isHidden());
    QVERIFY(m.projecto());
    QVERIFY(m.projecto()->janela() != primeira);
    QVERIFY(!m.projecto()->janela()->isHidden());
    QCOMPARE(ligados(m), ordenada(sempre + com_projecto));
}

void FrmMainTest::new_project_while_a_run_unwinds() {
    Ambiente a;
    frm_Main& m = a.m();
    m.menu_new_project->trigger();
    PortoFalso* antigo = a.porto();
    antigo->janela_->recusa = true;
    m.menu_new_project->trigger();
    // The window is still needed by its run: the new project comes once it has closed.
    QCOMPARE(a.portos.size(), 1);
    QCOMPARE(m.projecto(), antigo);
    antigo->janela_->recusa = false;
    antigo->janela_->close();
    QTRY_COMPARE(a.portos.size(), 2);
    QVERIFY(m.projecto() && m.projecto() != antigo);
    QCOMPARE(ligados(m), ordenada(sempre + com_projecto));
}

void FrmMainTest::a_run_blocks_macros_and_opening() {
    Ambiente a;
    frm_Main& m = a.m();
    m.menu_new_project->trigger();
    m.menu_new_macro->trigger();
    m.macro()->define_projecto(1, "/p/a.prj");
    a.porto()->muda_estado(true);
    QVERIFY(!m.menu_run_macro->isEnabled());
    QVERIFY(!m.macro()->Command4->isEnabled());
    QVERIFY(!m.menu_open_project->isEnabled());
    m.macro()->run_macro();
    QVERIFY(!a.registo.contains("carrega /p/a.prj"));
    a.porto()->muda_estado(false);
    QVERIFY(m.menu_run_macro->isEnabled());
    QVERIFY(m.macro()->Command4->isEnabled());
    QVERIFY(m.menu_open_project->isEnabled());
}

void FrmMainTest::menu_and_toolbar_route_to_the_project() {
    Ambiente a;
    frm_Main& m = a.m();
    m.menu_new_project->trigger();
    m.menu_save_project->trigger();
    m.botao(3)->trigger();
    QStringList estados;
    a.porto()->durante = [&] { estados = ligados(m); };
    m.botao(5)->trigger();
    QCOMPARE(estados, em_treino());
    m.menu_start->trigger();
    QCOMPARE(a.registo, (QStringList{"grava", "grava", "comeca", "comeca"}));
    QCOMPARE(ligados(m), ordenada(sempre + com_projecto));
}

namespace {
definicoes_projecto projecto_xor(const QTemporaryDir& dir) {
    escreve(dir.filePath("xor.txt"), "x1\tx2\ty\r\n0\t0\t0\r\n0\t1\t1\r\n1\t0\t1\r\n1\t1\t0\r\n");
    escreve(dir.filePath("xor.wgt"), "0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n2\r\n0\r\n");
    escreve(dir.filePath("xor.err"), "0.5\r\n0.25\r\n0.125\r\n");
    definicoes_projecto d;
    d.Text1 = {"xor.txt", "1",       "2", "2", "5",  "3",   "3",   "0.01", "0.9", "4",    "5", "0",
               "1000",    "xor.wgt", "2", "",  "10", "0.1", "0.8", "1.05", "0.7", "1.04", "1"};
    d.Check1[1] = 0;
    d.Label2 = dir.filePath("xor.prj").toStdString();
    d.Label3[1] = "3";
    return d;
}
} // namespace

void FrmMainTest::views_from_menu_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<int>("linhas");
    QTest::addColumn<QString>("celula");
    QTest::newRow("training") << "menu_training_data"
                              << "Trainning data" << 4 << "OUT 1";
    QTest::newRow("test") << "menu_test_data"
                          << "Test data" << 2 << "OUT 1";
    QTest::newRow("initial") << "menu_initial_weights"
                             << "Weights file" << 0 << "W1-1/0";
    QTest::newRow("final") << "menu_final_weights"
                           << "Weights file" << 0 << "W1-1/0";
}

void FrmMainTest::views_from_menu() {
    QFETCH(QString, item);
    QFETCH(QString, titulo);
    QFETCH(int, linhas);
    QFETCH(QString, celula);
    QTemporaryDir dir;
    Ambiente a;
    a.prepara = [&](PortoFalso& p) { p.d = projecto_xor(dir); };
    frm_Main& m = a.m();
    m.show();
    m.menu_new_project->trigger();
    m.findChild<QAction*>(item)->trigger();
    QVERIFY(a.dialogs.mensagens.isEmpty());
    frm_grid* g = m.grid();
    QVERIFY(g && g->isVisible());
    QCOMPARE(g->windowTitle(), titulo);
    QCOMPARE(g->linhas(), 30);
    QCOMPARE(g->colunas(), 11);
    if (linhas > 0) {
        QCOMPARE(g->texto(0, 3), celula);
        QCOMPARE(g->texto(linhas, 0), QString::number(linhas));
        QVERIFY(g->texto(linhas + 1, 0).isEmpty());
    } else {
        QCOMPARE(g->texto(0, 0), celula);
    }
    // The window is sized around its grid, inside the workspace, and at its top.
    auto* sub = qobject_cast<QMdiSubWindow*>(g->parentWidget());
    QVERIFY(sub);
    QCOMPARE(sub->y(), 0);
    QVERIFY(sub->width() <= m.mdi->viewport()->width());
    QVERIFY(sub->height() <= m.mdi->viewport()->height());
    QVERIFY(sub->width() > 11 * 50);
}

void FrmMainTest::view_button_of_the_project_and_chart() {
    QTemporaryDir dir;
    Ambiente a;
    a.prepara = [&](PortoFalso& p) { p.d = projecto_xor(dir); };
    frm_Main& m = a.m();
    m.menu_new_project->trigger();
    a.porto()->ao_pedir_vista(Vista::dados_teste);
    QCOMPARE(m.grid()->windowTitle(), QString("Test data"));
    m.menu_errors_chart->trigger();
    QCOMPARE(a.registo.last(), QString("grafico 50 2 3"));

    // A failing view shows its message and no window.
    a.porto()->d.Label2 = "";
    a.porto()->ao_pedir_vista(Vista::grafico_erros);
    QCOMPARE(a.dialogs.textos(), QStringList{"Error reading trainning errors file."});
    a.porto()->d = projecto_xor(dir);
    a.porto()->d.Text1[slot::ficheiro_dados] = "absent.txt";
    m.grid()->parentWidget()->close();
    m.menu_training_data->trigger();
    QCOMPARE(a.dialogs.textos().last(), QString("Error reading data file"));
    QVERIFY(!m.grid()->isVisible());
}

void FrmMainTest::macro_menu_states() {
    Ambiente a;
    frm_Main& m = a.m();
    m.show();
    m.menu_new_macro->trigger();
    QVERIFY(m.macro_aberta());
    QCOMPARE(m.macro()->windowTitle(), QString("New Macro"));
    // "Stop &Macro" only while the macro runs.
    QCOMPARE(ligados(m), ordenada(sempre + QStringList{"menu_save_macro", "menu_run_macro"}));
    QVERIFY(!m.macro()->Command5->isEnabled());

    m.macro()->define_projecto(1, "/p/a.prj");
    QStringList durante;
    a.prepara = [&](PortoFalso& p) { p.durante = [&] { durante = ligados(m); }; };
    m.menu_run_macro->trigger();
    QVERIFY(durante.contains("menu_stop_macro"));
    QVERIFY(!durante.contains("menu_run_macro"));
    QVERIFY(durante.contains("menu_stop"));
    QVERIFY(ligados(m).contains("menu_run_macro"));
    QVERIFY(!ligados(m).contains("menu_stop_macro"));

    m.macro()->Command3->click();
    QVERIFY(!m.macro_aberta());
    QTRY_VERIFY(m.macro()->parentWidget()->isHidden());
    QCOMPARE(ligados(m), ordenada(sempre + com_projecto));
    // "&New Macro" shows the window again, with an empty list.
    m.menu_new_macro->trigger();
    QVERIFY(m.macro_aberta());
    QVERIFY(m.macro()->projecto(1).isEmpty());
}

void FrmMainTest::open_macro() {
    QTemporaryDir dir;
    QByteArray conteudo = "\"a.prj\"\r\n";
    for (int i = 0; i < 99; ++i)
        conteudo += "\"\"\r\n";
    escreve(dir.filePath("good.mcr"), conteudo);
    escreve(dir.filePath("short.mcr"), "\"x.prj\"\r\n");
    Ambiente a;
    frm_Main& m = a.m();
    a.dialogs.respostas = {std::nullopt, dir.filePath("good.mcr"), dir.filePath("short.mcr")};
    m.menu_open_macro->trigger();
    QVERIFY(!m.macro());
    QCOMPARE(a.dialogs.pedidos.first().titulo, QString("Open macro"));
    QCOMPARE(a.dialogs.pedidos.first().filtro, QString("Project file (*.mcr)"));
    QCOMPARE(a.dialogs.pedidos.first().extensao, QString("mcr"));

    m.menu_open_macro->trigger();
    QCOMPARE(m.macro()->projecto(1), QString("a.prj"));
    QCOMPARE(m.macro()->caminho(), dir.filePath("good.mcr"));
    QVERIFY(m.macro_aberta());

    // A file that failed to load does not become the macro's file.
    m.menu_open_macro->trigger();
    QCOMPARE(a.dialogs.textos(), QStringList{"Error loading macro!"});
    QCOMPARE(m.macro()->caminho(), dir.filePath("good.mcr"));
    QCOMPARE(m.macro()->projecto(1), QString("x.prj"));
}

void FrmMainTest::two_project_macro_run() {
    Ambiente a;
    frm_Main& m = a.m();
    m.menu_new_macro->trigger();
    m.macro()->define_projecto(1, "/p/first.prj");
    m.macro()->define_projecto(2, "/p/second.prj");
    QList<bool> activa;
    a.prepara = [&](PortoFalso& p) { p.durante = [&] { activa << a.estado.macro_activa; }; };
    m.macro()->Command4->click();
    QCOMPARE(a.portos.size(), 1);
    QCOMPARE(a.registo, (QStringList{"carrega /p/first.prj", "caminho /p/first.prj", "comeca",
                                     "carrega /p/second.prj", "caminho /p/second.prj", "comeca"}));
    QCOMPARE(activa, (QList<bool>{true, true}));
    QVERIFY(!a.estado.macro_activa);
    QVERIFY(!m.macro()->ocupado());
}

void FrmMainTest::stop_macro_between_projects() {
    Ambiente a;
    frm_Main& m = a.m();
    m.menu_new_macro->trigger();
    for (int r = 1; r <= 3; ++r)
        m.macro()->define_projecto(r, QString("/p/%1.prj").arg(r));
    int corridas = 0;
    a.prepara = [&](PortoFalso& p) {
        p.durante = [&] {
            if (++corridas == 1) m.menu_stop_macro->trigger();
        };
    };
    m.menu_run_macro->trigger();
    QCOMPARE(a.registo.filter("comeca").size(), 1);
    QVERIFY(!a.registo.contains("carrega /p/2.prj"));
    QVERIFY(ligados(m).contains("menu_run_macro"));
}

void FrmMainTest::macro_skips_a_project_that_did_not_load() {
    Ambiente a;
    frm_Main& m = a.m();
    m.menu_new_macro->trigger();
    m.macro()->define_projecto(1, "/p/broken.prj");
    m.macro()->define_projecto(2, "/p/fine.prj");
    m.macro()->run_macro();
    QCOMPARE(a.registo, (QStringList{"carrega /p/broken.prj", "carrega /p/fine.prj",
                                     "caminho /p/fine.prj", "comeca"}));
}

void FrmMainTest::help_topics_and_search() {
    QTemporaryDir dir;
    const QString origem = QStringLiteral(CORVANE_HELP_COLLECTION);
    if (!QFile::exists(origem)) QSKIP("the help collection was not built");
    QVERIFY(QFile::copy(origem, dir.filePath("Corvane.qhc")));
    QVERIFY(
        QFile::copy(QFileInfo(origem).dir().filePath("Corvane.qch"), dir.filePath("Corvane.qch")));
    frm_Main::Opcoes o;
    RecordingDialogs dialogs;
    o.dialogs = &dialogs;
    o.logo = false;
    o.colecao_ajuda = dir.filePath("Corvane.qhc");
    frm_Main m(std::move(o));

    m.Topics->trigger();
    frm_help* ajuda = m.ajuda();
    QVERIFY(ajuda && ajuda->isVisible());
    QVERIFY(ajuda->valida());
    QCOMPARE(ajuda->tabs()->currentIndex(), 0);
    QTRY_VERIFY(ajuda->browser()->toPlainText().contains("Corvane, the network trainer"));
    QVERIFY(ajuda->engine()->contentModel()->rowCount() > 0);

    // Every page named in the contents is in the collection.
    QHelpContentItem* raiz = ajuda->engine()->contentModel()->contentItemAt(
        ajuda->engine()->contentModel()->index(0, 0));
    QVERIFY(raiz);
    QVERIFY(raiz->childCount() >= 12);
    for (int i = 0; i < raiz->childCount(); ++i)
        QVERIFY2(!ajuda->engine()->fileData(raiz->child(i)->url()).isEmpty(),
                 qPrintable(raiz->child(i)->url().toString()));

    m.Search->trigger();
    QCOMPARE(ajuda->tabs()->currentIndex(), 1);
    auto* procura = ajuda->engine()->searchEngine();
    QVERIFY(procura->queryWidget()->searchInput().isEmpty());
    QSignalSpy indexado(procura, &QHelpSearchEngine::indexingFinished);
    procura->reindexDocumentation();
    QVERIFY(indexado.wait(30000));
    // The engine may start indexing again by itself once the collection is set up, and a
    // search that meets a half-written index finds less: a short count is searched again.
    int acertos = 0;
    for (int tentativa = 0; tentativa < 20 && acertos < 2; ++tentativa) {
        if (tentativa > 0) QTest::qWait(250);
        QSignalSpy encontrado(procura, &QHelpSearchEngine::searchingFinished);
        ajuda->pesquisa("crossover");
        QVERIFY(encontrado.wait(30000));
        acertos = encontrado.first().first().toInt();
    }
    QVERIFY2(acertos >= 2, qPrintable(QString::number(acertos)));
}

void FrmMainTest::about_window() {
    Ambiente a;
    QStringList textos;
    QTimer::singleShot(0, &a.m(), [&] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        for (auto* l : modal->findChildren<QLabel*>())
            textos << l->text();
        textos << modal->windowTitle();
        modal->close();
    });
    a.m().About->trigger();
    QVERIFY(textos.contains("Version 1.0"));
    QVERIFY(textos.contains("001226"));
}

void FrmMainTest::exit_ends_the_program() {
    Ambiente a;
    a.m().menu_exit->trigger();
    QCOMPARE(a.saidas, 1);
}

namespace {

// The frame with real project windows, on a copy of the examples whose XOR projects are cut
// down to a few iterations.
struct Real {
    QTemporaryDir dir;
    EstadoPrograma estado;
    RecordingDialogs dialogs;
    std::unique_ptr<frm_Main> janela;

    Real() {
        std::filesystem::copy(CORVANE_EXAMPLES, dir.path().toStdString(),
                              std::filesystem::copy_options::recursive);
        encurta("xor_backpropagation.prj", "40");
        encurta("xor_genetic.prj", "5");
        frm_Main::Opcoes o;
        o.fabrica = [this](QWidget* parent) {
            return std::unique_ptr<ProjectPort>(new frm_project(estado, &dialogs, parent));
        };
        o.dialogs = &dialogs;
        o.estado = &estado;
        o.logo = false;
        o.sair = [] {};
        janela = std::make_unique<frm_Main>(std::move(o));
        janela->show();
    }
    QString caminho(const QString& nome) const { return dir.filePath(nome); }
    void encurta(const QString& nome, const std::string& iteracoes) {
        CommandView view(nullptr, dialogs);
        definicoes_projecto d;
        QVERIFY(le_ficheiro_projecto(caminho(nome).toStdString(), d).ok);
        d.Text1[slot::max_iteracoes] = iteracoes;
        QVERIFY(grava_projecto(d, caminho(nome).toStdString(), view));
    }
    definicoes_projecto le(const QString& nome) {
        CommandView view(nullptr, dialogs);
        definicoes_projecto d;
        le_ficheiro_projecto(caminho(nome).toStdString(), d);
        return d;
    }
    int linhas(const QString& nome) {
        QFile f(caminho(nome));
        return f.open(QIODevice::ReadOnly) ? static_cast<int>(f.readAll().count('\n')) : -1;
    }
    // The workspace: a window's frame, the window in front of the others, the active one.
    static QMdiSubWindow* sub(QWidget* janela) {
        return qobject_cast<QMdiSubWindow*>(janela->parentWidget());
    }
    QWidget* frente() const {
        QWidget* topo = nullptr;
        for (QMdiSubWindow* s : janela->mdi->subWindowList(QMdiArea::StackingOrder))
            if (s->isVisible()) topo = s->widget();
        return topo;
    }
    QWidget* activa() const {
        QMdiSubWindow* s = janela->mdi->activeSubWindow();
        return s ? s->widget() : nullptr;
    }
};

} // namespace

void FrmMainTest::real_project_life() {
    Real r;
    frm_Main& m = *r.janela;
    r.dialogs.respostas = {r.caminho("xor_backpropagation.prj")};
    m.menu_open_project->trigger();
    auto* projecto = m.findChild<frm_project*>();
    QVERIFY(projecto);
    QCOMPARE(projecto->Label2->text(), r.caminho("xor_backpropagation.prj"));
    QVERIFY(qobject_cast<QMdiSubWindow*>(projecto->parentWidget()));
    QCOMPARE(ligados(m), ordenada(sempre + com_projecto));

    // The menus as they stand once the window has turned busy: read in the busy-state
    // callback, after the frame's own handler, since a short run may end before any event
    // is processed.
    QStringList durante;
    projecto->ao_mudar_estado = [&m, &durante, frame = projecto->ao_mudar_estado](bool ocupado) {
        frame(ocupado);
        if (ocupado) durante = ligados(m);
    };
    m.menu_start->trigger();
    QCOMPARE(durante, em_treino());
    QCOMPARE(ligados(m), ordenada(sempre + com_projecto));
    QCOMPARE(projecto->Label3[1]->text(), QString("40"));
    QVERIFY(!projecto->Label3[4]->text().isEmpty());
    QCOMPARE(r.linhas("xor_backpropagation.err"), 40);
    QVERIFY(r.dialogs.mensagens.isEmpty());

    // The error chart opened by the run lives in the workspace.
    QTRY_VERIFY(projecto->grafico() &&
                qobject_cast<QMdiSubWindow*>(projecto->grafico()->parentWidget()));

    // The project window's view buttons open the grid.
    projecto->Command5[1]->click();
    QCOMPARE(m.grid()->windowTitle(), QString("Trainning data"));
    QCOMPARE(m.grid()->texto(4, 3), QString("0"));
    QVERIFY(m.grid()->texto(4, 4).endsWith("E-01") || m.grid()->texto(4, 4).endsWith("E-02"));
    projecto->Command6[0]->click();
    QCOMPARE(m.grid()->windowTitle(), QString("Weights file"));
    QCOMPARE(m.grid()->texto(4, 0), QString("W2-1/0"));

    projecto->Command8->click();
    QTRY_VERIFY(!m.projecto());
    QCOMPARE(ligados(m), ordenada(sempre));
    QVERIFY(projecto->grafico()->isHidden());
}

void FrmMainTest::real_macro_of_two_projects() {
    Real r;
    frm_Main& m = *r.janela;
    QByteArray macro = "\"xor_backpropagation.prj\"\r\n\"xor_genetic.prj\"\r\n";
    for (int i = 0; i < 98; ++i)
        macro += "\"\"\r\n";
    escreve(r.caminho("two.mcr"), macro);
    r.dialogs.respostas = {r.caminho("two.mcr")};
    m.menu_open_macro->trigger();
    QVERIFY(m.macro());
    QStringList durante;
    QObject::connect(m.macro(), &frm_macro::estadoMudou, &m, [&m, &durante](bool ocupada) {
        if (ocupada) durante = ligados(m);
    });
    m.menu_run_macro->trigger();
    QVERIFY(durante.contains("menu_stop_macro") && !durante.contains("menu_run_macro"));
    QVERIFY(r.dialogs.mensagens.isEmpty());
    QCOMPARE(r.linhas("xor_backpropagation.err"), 40);
    QCOMPARE(r.linhas("xor_genetic.err"), 5);
    QCOMPARE(r.le("xor_backpropagation.prj").Label3[1], std::string("40"));
    QCOMPARE(r.le("xor_genetic.prj").Label3[1], std::string("5"));
    QVERIFY(!r.le("xor_genetic.prj").Label3[4].empty());
    auto* projecto = m.findChild<frm_project*>();
    QCOMPARE(projecto->Label2->text(), r.caminho("xor_genetic.prj"));
    QCOMPARE(m.findChildren<frm_project*>().size(), 1);
    QVERIFY(ligados(m).contains("menu_run_macro"));
    QVERIFY(!r.estado.macro_activa);
    // Each project's run brought its chart over the project and macro windows.
    QCOMPARE(r.frente(), projecto->grafico());
}

void FrmMainTest::learning_rate_follows_the_loaded_method() {
    Real r;
    frm_Main& m = *r.janela;
    // "Learning rate:" and its value are shown or hidden together.
    enum { hidden = 0, shown = 3 };
    auto rate = [](frm_project* p) {
        return int(p->Label11->isVisibleTo(p)) + 2 * int(p->Label3[5]->isVisibleTo(p));
    };
    m.menu_new_project->trigger();
    auto* projecto = m.findChild<frm_project*>();
    QVERIFY(projecto);
    QCOMPARE(rate(projecto), int(hidden));
    // The state at the end of each run, read in the busy-state callback.
    QList<int> at_end;
    projecto->ao_mudar_estado = [projecto, &at_end, &rate,
                                 frame = projecto->ao_mudar_estado](bool busy) {
        frame(busy);
        if (!busy) at_end << rate(projecto);
    };

    // A macro from a backpropagation project to a genetic one.
    QByteArray macro = "\"xor_backpropagation.prj\"\r\n\"xor_genetic.prj\"\r\n";
    for (int i = 0; i < 98; ++i)
        macro += "\"\"\r\n";
    escreve(r.caminho("two.mcr"), macro);
    r.dialogs.respostas = {r.caminho("two.mcr")};
    m.menu_open_macro->trigger();
    m.menu_run_macro->trigger();
    QVERIFY(r.dialogs.mensagens.isEmpty());
    QCOMPARE(m.findChild<frm_project*>(), projecto);
    QCOMPARE(projecto->Label2->text(), r.caminho("xor_genetic.prj"));
    QCOMPARE(at_end, (QList<int>{shown, hidden}));
    QCOMPARE(rate(projecto), int(hidden));

    // The same by hand: a backpropagation project trained, then a genetic one opened.
    r.dialogs.respostas = {r.caminho("xor_backpropagation.prj")};
    m.menu_open_project->trigger();
    QCOMPARE(rate(projecto), int(hidden)); // as in a window that has not trained yet
    m.menu_start->trigger();
    QCOMPARE(rate(projecto), int(shown));
    r.dialogs.respostas = {r.caminho("xor_genetic.prj")};
    m.menu_open_project->trigger();
    QCOMPARE(projecto->Label2->text(), r.caminho("xor_genetic.prj"));
    QCOMPARE(rate(projecto), int(hidden));
    m.menu_start->trigger();
    QCOMPARE(rate(projecto), int(hidden));
    QVERIFY(r.dialogs.mensagens.isEmpty());
}

void FrmMainTest::chart_comes_to_the_front() {
    Real r;
    frm_Main& m = *r.janela;
    QVERIFY(QTest::qWaitForWindowActive(&m));
    r.dialogs.respostas = {r.caminho("xor_backpropagation.prj")};
    m.menu_open_project->trigger();
    auto* projecto = m.findChild<frm_project*>();
    m.menu_start->trigger();
    QTRY_VERIFY(projecto->grafico() && r.sub(projecto->grafico()));
    QCOMPARE(r.frente(), projecto->grafico());
    QCOMPARE(r.activa(), projecto->grafico());

    // A click into a box of the project window brings it forward; the next Start brings the
    // chart back in front for its run.
    QTest::mouseClick(projecto->Text1[12], Qt::LeftButton);
    QCOMPARE(r.activa(), projecto);
    QCOMPARE(r.frente(), projecto);
    projecto->Text1[12]->setText("30000");
    projecto->Text1[11]->setText("-1");
    // The workspace is read the moment the run brings its chart forward (however fast the run,
    // this happens while it trains), and the run is stopped there.
    QWidget *frente = nullptr, *activa = nullptr;
    const auto ligacao =
        QObject::connect(m.mdi, &QMdiArea::subWindowActivated, projecto, [&](QMdiSubWindow* s) {
            if (frente || !s || s->widget() != projecto->grafico() || !projecto->ocupado()) return;
            frente = r.frente();
            activa = r.activa();
            projecto->Command12->click();
        });
    QTest::mouseClick(projecto->Command4, Qt::LeftButton);
    QObject::disconnect(ligacao);
    QCOMPARE(frente, projecto->grafico());
    QCOMPARE(activa, projecto->grafico());
    QVERIFY(projecto->Label3[1]->text().toInt() < 30000); // stopped there
    // The end of the run leaves it in front.
    QCOMPARE(r.frente(), projecto->grafico());

    // "&Error chart" after the run, with the project window in front, shows the chart over it.
    QTest::mouseClick(projecto->Text1[12], Qt::LeftButton);
    QCOMPARE(r.frente(), projecto);
    r.sub(projecto->grafico())->close();
    QTRY_VERIFY(projecto->Command11->isEnabled());
    QTest::mouseClick(projecto->Command11, Qt::LeftButton);
    QVERIFY(r.dialogs.mensagens.isEmpty());
    QVERIFY(projecto->grafico()->isVisible());
    QCOMPARE(r.frente(), projecto->grafico());
    QCOMPARE(r.activa(), projecto->grafico());
}

void FrmMainTest::chart_window_offers_no_maximise() {
    Real r;
    frm_Main& m = *r.janela;
    r.dialogs.respostas = {r.caminho("xor_backpropagation.prj")};
    m.menu_open_project->trigger();
    auto* projecto = m.findChild<frm_project*>();
    m.menu_start->trigger();
    QTRY_VERIFY(projecto->grafico() && r.sub(projecto->grafico()));
    QMdiSubWindow* sub = r.sub(projecto->grafico());
    QVERIFY(!(sub->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(sub->windowFlags() & Qt::WindowCloseButtonHint);
    const QSize antes = sub->size();
    // A double click on its title bar, which maximises a window that offers it.
    const int titulo = sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sub);
    QTest::mouseDClick(sub, Qt::LeftButton, {}, QPoint(sub->width() / 2, titulo / 2));
    QVERIFY(!sub->isMaximized());
    QCOMPARE(sub->size(), antes);
}

void FrmMainTest::project_window_fits_a_small_screen() {
    Real r;
    frm_Main& m = *r.janela;
    // The frame as it opens on a 1280 x 1024 screen, under a title bar.
    m.resize(1280, 1000);
    r.dialogs.respostas = {r.caminho("breast_cancer_backpropagation.prj")};
    m.menu_open_project->trigger();
    auto* projecto = m.findChild<frm_project*>();
    QVERIFY(projecto);
    QMdiSubWindow* sub = r.sub(projecto);
    QVERIFY2(sub->frameGeometry().right() < m.mdi->viewport()->width(),
             qPrintable(QString("%1 px wide").arg(sub->frameGeometry().width())));
    QVERIFY(sub->frameGeometry().bottom() < m.mdi->viewport()->height());
    // Every caption whole: no button narrower than it asks to be, no label narrower than its
    // text (once the window has laid out the captions the project gave it).
    for (auto* b : projecto->findChildren<QAbstractButton*>())
        if (b->isVisible())
            QTRY_VERIFY2(b->width() >= b->sizeHint().width(), qPrintable(b->text()));
    for (auto* l : projecto->findChildren<QLabel*>())
        if (l->isVisible())
            QTRY_VERIFY2(l->width() >= l->minimumSizeHint().width(), qPrintable(l->text()));
}

void FrmMainTest::empty_errors_file_gives_an_empty_chart() {
    Real r;
    frm_Main& m = *r.janela;
    r.dialogs.respostas = {r.caminho("xor_backpropagation.prj")};
    m.menu_open_project->trigger();
    auto* projecto = m.findChild<frm_project*>();
    // Weights that already meet the goal: the run writes an empty errors file.
    projecto->Text1[11]->setText("100");
    QTest::mouseClick(projecto->Command4, Qt::LeftButton);
    QCOMPARE(r.linhas("xor_backpropagation.err"), 0);
    QVERIFY(r.dialogs.mensagens.isEmpty());
    if (projecto->grafico() && r.sub(projecto->grafico())) r.sub(projecto->grafico())->close();
    QTRY_VERIFY(projecto->Command11->isEnabled());
    m.menu_errors_chart->trigger();
    QVERIFY2(r.dialogs.mensagens.isEmpty(), qPrintable(r.dialogs.textos().join("; ")));
    QVERIFY(projecto->grafico() && projecto->grafico()->isVisible());
    QCOMPARE(projecto->grafico()->pontos(), 0);
}

void FrmMainTest::plain_run_offers_no_macro_stop() {
    Real r;
    frm_Main& m = *r.janela;
    m.menu_new_macro->trigger();
    QVERIFY(!m.macro()->Command5->isEnabled());
    QVERIFY(!m.menu_stop_macro->isEnabled());
    r.dialogs.respostas = {r.caminho("xor_genetic.prj")};
    m.menu_open_project->trigger();
    auto* projecto = m.findChild<frm_project*>();
    projecto->Text1[12]->setText("30000");
    projecto->Text1[11]->setText("-1");
    bool parar_macro = true, correr_macro = true, menu_parar = true;
    QTimer::singleShot(200, projecto, [&] {
        parar_macro = m.macro()->Command5->isEnabled();
        correr_macro = m.macro()->Command4->isEnabled();
        menu_parar = m.menu_stop_macro->isEnabled();
        projecto->Command12->click();
    });
    QTest::mouseClick(projecto->Command4, Qt::LeftButton);
    QVERIFY(!parar_macro);
    QVERIFY(!correr_macro);
    QVERIFY(!menu_parar);
    QVERIFY(m.macro()->Command4->isEnabled());
    QVERIFY(!m.macro()->Command5->isEnabled());
}

void FrmMainTest::help_topic_opens_at_one_click() {
    QTemporaryDir dir;
    const QString origem = QStringLiteral(CORVANE_HELP_COLLECTION);
    if (!QFile::exists(origem)) QSKIP("the help collection was not built");
    QVERIFY(QFile::copy(origem, dir.filePath("Corvane.qhc")));
    QVERIFY(
        QFile::copy(QFileInfo(origem).dir().filePath("Corvane.qch"), dir.filePath("Corvane.qch")));
    frm_Main::Opcoes o;
    RecordingDialogs dialogs;
    o.dialogs = &dialogs;
    o.logo = false;
    o.colecao_ajuda = dir.filePath("Corvane.qhc");
    frm_Main m(std::move(o));
    m.Topics->trigger();
    frm_help* ajuda = m.ajuda();
    QVERIFY(QTest::qWaitForWindowExposed(ajuda));
    auto* conteudo = ajuda->findChild<QHelpContentWidget*>("helpContents");
    QVERIFY(conteudo);
    QTRY_VERIFY(conteudo->model()->rowCount() > 0);
    const QModelIndex raiz = conteudo->model()->index(0, 0);
    QTRY_VERIFY(conteudo->model()->rowCount(raiz) > 2);
    conteudo->expandAll();
    auto pagina = [&] { return ajuda->browser()->source().fileName(); };

    // One click on a topic opens it.
    const QModelIndex segundo = conteudo->model()->index(1, 0, raiz);
    const QString esperado =
        ajuda->engine()->contentModel()->contentItemAt(segundo)->url().fileName();
    QTest::mouseClick(conteudo->viewport(), Qt::LeftButton, {},
                      conteudo->visualRect(segundo).center());
    QCOMPARE(pagina(), esperado);

    // So does Enter on the topic the arrow keys reach.
    conteudo->setFocus();
    QTest::keyClick(conteudo, Qt::Key_Down);
    const QModelIndex terceiro = conteudo->currentIndex();
    QVERIFY(terceiro != segundo);
    QTest::keyClick(conteudo, Qt::Key_Return);
    QCOMPARE(pagina(), ajuda->engine()->contentModel()->contentItemAt(terceiro)->url().fileName());
}

void FrmMainTest::damaged_help_collection_data() {
    QTest::addColumn<QString>("damaged"); // the file spoilt: "qhc" or "qch"
    QTest::addColumn<QString>("how");     // "garbage", "half", "empty" or "missing"
    QTest::newRow("collection of garbage") << "qhc"
                                           << "garbage";
    QTest::newRow("collection cut in half") << "qhc"
                                            << "half";
    QTest::newRow("empty collection") << "qhc"
                                      << "empty";
    QTest::newRow("help file of garbage") << "qch"
                                          << "garbage";
    QTest::newRow("help file cut in half") << "qch"
                                           << "half";
    QTest::newRow("help file missing") << "qch"
                                       << "missing";
}

void FrmMainTest::damaged_help_collection() {
    QFETCH(QString, damaged);
    QFETCH(QString, how);
    QTemporaryDir dir;
    const QString origem = QStringLiteral(CORVANE_HELP_COLLECTION);
    if (!QFile::exists(origem)) QSKIP("the help collection was not built");
    QVERIFY(QFile::copy(origem, dir.filePath("Corvane.qhc")));
    QVERIFY(
        QFile::copy(QFileInfo(origem).dir().filePath("Corvane.qch"), dir.filePath("Corvane.qch")));
    const QString alvo = dir.filePath("Corvane." + damaged);
    QByteArray bytes;
    {
        QFile f(alvo);
        QVERIFY(f.open(QIODevice::ReadOnly));
        bytes = f.readAll();
    }
    if (how == "missing") {
        QVERIFY(QFile::remove(alvo));
    } else {
        if (how == "garbage")
            for (qsizetype i = 0; i < bytes.size(); ++i)
                bytes[i] = static_cast<char>((i * 7919 + 13) & 0xff);
        else if (how == "half")
            bytes.truncate(bytes.size() / 2);
        else
            bytes.clear();
        QFile f(alvo);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(bytes), bytes.size());
    }

    frm_Main::Opcoes o;
    RecordingDialogs dialogs;
    o.dialogs = &dialogs;
    o.logo = false;
    o.colecao_ajuda = dir.filePath("Corvane.qhc");
    frm_Main m(std::move(o));
    m.Topics->trigger();
    frm_help* ajuda = m.ajuda();
    QVERIFY(ajuda && QTest::qWaitForWindowExposed(ajuda));
    // Never a blank window: the page area says that help is not available.
    QTRY_VERIFY2(ajuda->browser()->toPlainText().contains("Help is not available"),
                 qPrintable(ajuda->browser()->toPlainText()));
    QVERIFY(!ajuda->valida());
    QTest::qWait(200); // contents read later must not replace the message with a blank page
    QVERIFY(ajuda->browser()->toPlainText().contains("Help is not available"));
    m.Search->trigger();
    QVERIFY(ajuda->browser()->toPlainText().contains("Help is not available"));
    // The damaged file is left as it was.
    if (how != "missing") {
        QFile f(alvo);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), bytes);
    }
}

QTEST_MAIN(FrmMainTest)
#include "frm_main_test.moc"
