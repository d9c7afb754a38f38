// The macro window: its grid, saving and loading, the project-picking dialog, and runs driven
// through a recording host (Stop between projects, the first empty row, closing mid-run).
#include "frm_macro.h"
#include "frm_test_dialogs.h"

#include "engine/trainer.h"

#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace corvane;

namespace {

// Records the projects it is asked to train; `durante` runs in the middle of a "training".
struct HostGravador : MacroHost {
    QStringList corridos;
    std::function<void(int)> durante;
    frm_macro* janela = nullptr;
    QList<QColor> cores;
    QList<int> linhas;

    bool carrega_projecto(const QString&) override { return true; }
    void treina_projecto(const QString& caminho) override {
        corridos << caminho;
        if (janela) {
            linhas << janela->linha_corrente();
            // The colour a person sees in the running row's cell, beside its text.
            auto* grelha = janela->MSFlexGrid1;
            const int r = janela->linha_corrente() - 1;
            const QRect celula = grelha->visualItemRect(grelha->item(r, 1));
            const QImage imagem = grelha->viewport()->grab().toImage();
            cores << imagem.pixelColor(celula.right() - 4, celula.center().y());
        }
        if (durante) durante(static_cast<int>(corridos.size()));
    }
};

QByteArray le(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class FrmMacroTest : public QObject {
    Q_OBJECT
private slots:
    void layout_and_captions();
    void save_writes_one_quoted_path_per_row();
    void save_without_path_asks_for_one();
    void load_failure_keeps_rows_read();
    void picking_a_project_for_a_row();
    void run_goes_down_to_the_first_empty_row();
    void empty_first_row_only_switches_state();
    void stop_during_second_of_three();
    void project_stop_does_not_end_the_macro();
    void closing_during_a_run_stops_it();
};

void FrmMacroTest::layout_and_captions() {
    RecordingDialogs dialogs;
    frm_macro m(dialogs);
    QCOMPARE(m.windowTitle(), QString("New Macro"));
    QCOMPARE(m.MSFlexGrid1->rowCount(), 100);
    QCOMPARE(m.MSFlexGrid1->columnCount(), 2);
    QCOMPARE(m.MSFlexGrid1->horizontalHeaderItem(0)->text(), QString("Order"));
    QCOMPARE(m.MSFlexGrid1->horizontalHeaderItem(1)->text(), QString("Project"));
    QCOMPARE(m.MSFlexGrid1->item(0, 0)->text(), QString("1"));
    QCOMPARE(m.MSFlexGrid1->item(99, 0)->text(), QString("100"));
    QVERIFY(!(m.MSFlexGrid1->item(5, 0)->flags() & Qt::ItemIsSelectable));
    const std::pair<const char*, const char*> botoes[] = {{"Command4", "&Run macro"},
                                                          {"Command5", "Stop &macro"},
                                                          {"Command2", "Save &As"},
                                                          {"Command1", "&Save"},
                                                          {"Command3", "&Close"}};
    for (const auto& [nome, texto] : botoes) {
        auto* b = m.findChild<QPushButton*>(nome);
        QVERIFY2(b, nome);
        QCOMPARE(b->text(), QString(texto));
    }
    QVERIFY(m.findChild<QLabel*>("Label1")->text().isEmpty());
}

void FrmMacroTest::save_writes_one_quoted_path_per_row() {
    QTemporaryDir dir;
    RecordingDialogs dialogs;
    frm_macro m(dialogs);
    m.define_projecto(1, "/data/a.prj");
    m.define_projecto(2, "b b.prj");
    const QString ficheiro = dir.filePath("two.mcr");
    m.define_caminho(ficheiro);
    QTest::mouseClick(m.Command1, Qt::LeftButton);
    QByteArray esperado = "\"/data/a.prj\"\r\n\"b b.prj\"\r\n";
    for (int i = 0; i < 98; ++i)
        esperado += "\"\"\r\n";
    QCOMPARE(le(ficheiro), esperado);
    QVERIFY(dialogs.pedidos.isEmpty());

    frm_macro outra(dialogs);
    outra.define_projecto(50, "stale.prj");
    QVERIFY(outra.carrega_macro(ficheiro));
    QCOMPARE(outra.lista(), m.lista());
    QVERIFY(outra.projecto(50).isEmpty());
    QVERIFY(dialogs.mensagens.isEmpty());
}

void FrmMacroTest::save_without_path_asks_for_one() {
    QTemporaryDir dir;
    RecordingDialogs dialogs;
    frm_macro m(dialogs);
    m.define_projecto(1, "a.prj");
    dialogs.respostas = {std::nullopt, dir.filePath("chosen.mcr")};
    QTest::mouseClick(m.Command1, Qt::LeftButton); // cancelled
    QCOMPARE(dialogs.pedidos.size(), 1);
    const PedidoFicheiro& p = dialogs.pedidos.first();
    QCOMPARE(p.titulo, QString("Save macro"));
    QCOMPARE(p.filtro, QString("Project file (*.mcr)"));
    QCOMPARE(p.extensao, QString("mcr"));
    QVERIFY(p.gravar && p.confirmar_substituicao);
    QVERIFY(!QFile::exists(dir.filePath("chosen.mcr")));

    QTest::mouseClick(m.Command2, Qt::LeftButton);
    QVERIFY(le(dir.filePath("chosen.mcr")).startsWith("\"a.prj\"\r\n\"\"\r\n"));
    // "Save As" leaves the macro's own path as it was.
    QVERIFY(m.caminho().isEmpty());

    // A path the file format cannot hold is refused, and nothing is written.
    m.define_projecto(3, "bad\"name.prj");
    m.define_caminho(dir.filePath("quote.mcr"));
    QTest::mouseClick(m.Command1, Qt::LeftButton);
    QCOMPARE(dialogs.mensagens.size(), 1);
    QVERIFY(!QFile::exists(dir.filePath("quote.mcr")));
}

void FrmMacroTest::load_failure_keeps_rows_read() {
    QTemporaryDir dir;
    RecordingDialogs dialogs;
    frm_macro m(dialogs);
    for (int r = 1; r <= 4; ++r)
        m.define_projecto(r, "old.prj");
    QFile f(dir.filePath("short.mcr"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("\"x.prj\"\r\n\"y.prj\"\r\n");
    f.close();
    QVERIFY(!m.carrega_macro(dir.filePath("short.mcr")));
    QCOMPARE(dialogs.textos(), QStringList{"Error loading macro!"});
    QCOMPARE(dialogs.mensagens.first().icone, Icon::critical);
    QCOMPARE(m.projecto(1), QString("x.prj"));
    QCOMPARE(m.projecto(2), QString("y.prj"));
    QCOMPARE(m.projecto(3), QString("old.prj"));

    QVERIFY(!m.carrega_macro(dir.filePath("absent.mcr")));
    QCOMPARE(dialogs.mensagens.size(), 2);
}

void FrmMacroTest::picking_a_project_for_a_row() {
    RecordingDialogs dialogs;
    frm_macro m(dialogs);
    m.show();
    m.MSFlexGrid1->setCurrentCell(2, 1);
    dialogs.respostas = {QString("/p/third.prj"), std::nullopt};
    const QRect celula = m.MSFlexGrid1->visualItemRect(m.MSFlexGrid1->item(2, 1));
    QTest::mouseClick(m.MSFlexGrid1->viewport(), Qt::LeftButton, {}, celula.center());
    QTest::mouseDClick(m.MSFlexGrid1->viewport(), Qt::LeftButton, {}, celula.center());
    QCOMPARE(m.projecto(3), QString("/p/third.prj"));
    const PedidoFicheiro& p = dialogs.pedidos.first();
    QCOMPARE(p.titulo, QString("Select project file"));
    QCOMPARE(p.filtro, QString("Project file (*.prj)"));
    QCOMPARE(p.extensao, QString("prj"));
    QVERIFY(p.gravar && !p.confirmar_substituicao);

    // Cancelling changes nothing; Delete empties the row.
    QTest::keyClick(m.MSFlexGrid1, Qt::Key_Return);
    QCOMPARE(dialogs.pedidos.size(), 2);
    QCOMPARE(m.projecto(3), QString("/p/third.prj"));
    QTest::keyClick(m.MSFlexGrid1, Qt::Key_Delete);
    QVERIFY(m.projecto(3).isEmpty());
}

void FrmMacroTest::run_goes_down_to_the_first_empty_row() {
    RecordingDialogs dialogs;
    frm_macro m(dialogs);
    EstadoPrograma estado;
    m.define_estado(&estado);
    HostGravador host;
    host.janela = &m;
    m.define_host(&host);
    m.define_caminho("/macros/set.mcr");
    m.define_projecto(1, "/abs/one.prj");
    m.define_projecto(2, "two.prj");
    m.define_projecto(4, "/abs/never.prj");
    m.show();
    // A row the person selected before the run is drawn red all the same while it runs.
    const QRect celula = m.MSFlexGrid1->visualItemRect(m.MSFlexGrid1->item(0, 1));
    QTest::mouseClick(m.MSFlexGrid1->viewport(), Qt::LeftButton, {}, celula.center());
    QVERIFY(m.MSFlexGrid1->item(0, 1)->isSelected());
    host.durante = [&](int) {
        QVERIFY(m.ocupado());
        QVERIFY(estado.macro_activa);
        QVERIFY(!m.Command4->isEnabled());
        QVERIFY(m.Command5->isEnabled());
    };
    QTest::mouseClick(m.Command4, Qt::LeftButton);
    // Relative rows are taken from the macro file's folder.
    QCOMPARE(host.corridos, (QStringList{"/abs/one.prj", "/macros/two.prj"}));
    QCOMPARE(host.linhas, (QList<int>{1, 2}));
    QCOMPARE(host.cores, (QList<QColor>{QColor(0xFF, 0, 0), QColor(0xFF, 0, 0)}));
    QCOMPARE(m.MSFlexGrid1->item(0, 1)->background().style(), Qt::NoBrush);
    QVERIFY(!m.ocupado());
    QVERIFY(!estado.macro_activa);
    QVERIFY(m.Command4->isEnabled());
    QVERIFY(!m.Command5->isEnabled());
}

void FrmMacroTest::empty_first_row_only_switches_state() {
    RecordingDialogs dialogs;
    frm_macro m(dialogs);
    HostGravador host;
    m.define_host(&host);
    m.define_projecto(2, "x.prj");
    QSignalSpy estados(&m, &frm_macro::estadoMudou);
    m.run_macro();
    QVERIFY(host.corridos.isEmpty());
    QCOMPARE(estados.size(), 2);
    QCOMPARE(estados.at(0).at(0).toBool(), true);
    QCOMPARE(estados.at(1).at(0).toBool(), false);
}

void FrmMacroTest::stop_during_second_of_three() {
    RecordingDialogs dialogs;
    frm_macro m(dialogs);
    EstadoPrograma estado;
    m.define_estado(&estado);
    HostGravador host;
    m.define_host(&host);
    for (int r = 1; r <= 3; ++r)
        m.define_projecto(r, QString("/p/%1.prj").arg(r));
    host.durante = [&](int n) {
        if (n != 2) return;
        estado.pedido_paragem = true;
        QTest::mouseClick(m.Command5, Qt::LeftButton);
        QVERIFY(!estado.macro_activa);
        QVERIFY(!estado.pedido_paragem);
    };
    m.run_macro();
    QCOMPARE(host.corridos, (QStringList{"/p/1.prj", "/p/2.prj"}));
    QVERIFY(!m.ocupado());
}

void FrmMacroTest::project_stop_does_not_end_the_macro() {
    RecordingDialogs dialogs;
    frm_macro m(dialogs);
    EstadoPrograma estado;
    m.define_estado(&estado);
    HostGravador host;
    m.define_host(&host);
    for (int r = 1; r <= 3; ++r)
        m.define_projecto(r, QString("/p/%1.prj").arg(r));
    // The project window's Stop only sets the stop request for its own run.
    host.durante = [&](int n) {
        if (n == 1) estado.pedido_paragem = true;
    };
    m.run_macro();
    QCOMPARE(host.corridos.size(), 3);
}

void FrmMacroTest::closing_during_a_run_stops_it() {
    RecordingDialogs dialogs;
    frm_macro m(dialogs);
    HostGravador host;
    m.define_host(&host);
    for (int r = 1; r <= 3; ++r)
        m.define_projecto(r, QString("/p/%1.prj").arg(r));
    m.show();
    QSignalSpy fechada(&m, &frm_macro::fechada);
    host.durante = [&](int n) {
        if (n == 1) QTest::mouseClick(m.Command3, Qt::LeftButton);
    };
    m.run_macro();
    QCOMPARE(host.corridos.size(), 1);
    QCOMPARE(fechada.size(), 1);
    QVERIFY(!m.isVisible());
    // Opened again, it starts with an empty list.
    m.abre();
    QVERIFY(m.projecto(1).isEmpty());
    QVERIFY(m.caminho().isEmpty());
}

QTEST_MAIN(FrmMacroTest)
#include "frm_macro_test.moc"
