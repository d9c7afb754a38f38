// The project window driven by its control names, offscreen, with the dialogs answered by a
// recorder.
#include "frm_project.h"
#include "frm_test_dialogs.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <filesystem>

using namespace corvane;

class FrmProjectTest : public QObject {
    Q_OBJECT

    template <typename T> static T* control(QWidget& w, const QString& name) {
        T* c = w.findChild<T*>(name);
        if (!c) qFatal("no control %s", qPrintable(name));
        return c;
    }

    // A copy of the examples, and a window on the XOR backpropagation project.
    struct Fixture {
        QTemporaryDir dir;
        EstadoPrograma estado;
        RecordingDialogs dialogs;
        frm_project window{estado, &dialogs};
        Fixture() {
            std::filesystem::copy(CORVANE_EXAMPLES, dir.path().toStdString(),
                                  std::filesystem::copy_options::recursive);
        }
        QString path(const QString& name) const { return dir.filePath(name); }
        void open(const QString& project) {
            QVERIFY(window.carrega(path(project)));
            window.mostra_caminho(path(project));
            window.show();
        }
        template <typename T> T* c(const QString& name) { return control<T>(window, name); }
        QString text(int slot) { return c<QLineEdit>(QString("Text1(%1)").arg(slot))->text(); }
        QString result(int i) { return c<QLabel>(QString("Label3(%1)").arg(i))->text(); }
    };

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void newWindowHasTheDefaults() {
        Fixture f;
        QCOMPARE(f.window.windowTitle(), QString("New project"));
        QCOMPARE(f.text(7), QString("0.01"));
        QCOMPARE(f.text(12), QString("1000"));
        QVERIFY(f.c<QRadioButton>("Option1(9)")->isChecked());
        QVERIFY(f.c<QRadioButton>("Option1(15)")->isChecked());
        QVERIFY(f.c<QCheckBox>("Check1(1)")->isChecked());
        QCOMPARE(f.c<QPushButton>("Command4")->text(), QString("&Start trainning"));
        QVERIFY(!f.c<QPushButton>("Command12")->isEnabled());
        QVERIFY(!f.c<QPushButton>("Command6(0)")->isEnabled()); // no weights file yet
        f.c<QLineEdit>("Text1(13)")->setText("x");
        QVERIFY(f.c<QPushButton>("Command6(0)")->isEnabled());
    }

    void methodChoiceGreysTheOtherBlock() {
        Fixture f;
        f.c<QRadioButton>("Option1(10)")->click();
        for (int s : {16, 17, 18})
            QVERIFY(!f.c<QLineEdit>(QString("Text1(%1)").arg(s))->isEnabled());
        for (int s : {7, 8, 19, 20, 21})
            QVERIFY(f.c<QLineEdit>(QString("Text1(%1)").arg(s))->isEnabled());
        for (int i = 11; i <= 16; ++i)
            QVERIFY(!f.c<QRadioButton>(QString("Option1(%1)").arg(i))->isEnabled());
        for (int s = 0; s < 8; ++s)
            QCOMPARE(f.c<QScrollBar>(QString("VScroll1(%1)").arg(s))->isEnabled(), s <= 4);
        QVERIFY(!f.c<QLabel>("Image1(0)")->isVisibleTo(&f.window));
        f.c<QRadioButton>("Option1(9)")->click();
        QVERIFY(f.c<QLineEdit>("Text1(16)")->isEnabled());
        QVERIFY(!f.c<QLineEdit>("Text1(7)")->isEnabled());
        QVERIFY(f.c<QCheckBox>("Check1(0)")->isEnabled());
        for (int s = 0; s < 8; ++s)
            QCOMPARE(f.c<QScrollBar>(QString("VScroll1(%1)").arg(s))->isEnabled(), s > 4);
    }

    void linearLayerSwitch() {
        Fixture f;
        auto* check = f.c<QCheckBox>("Check1(1)");
        check->click();
        QCOMPARE(check->text(), QString("unselected"));
        QVERIFY(!f.c<QLineEdit>("Text1(15)")->isEnabled());
        QVERIFY(f.window.findChildren<QLabel*>().size() > 0);
        bool output_title = false;
        for (QLabel* l : f.window.findChildren<QLabel*>())
            output_title |= l->text() == "Output layer";
        QVERIFY(output_title);
        check->click();
        QCOMPARE(check->text(), QString("selected"));
        QVERIFY(f.c<QLineEdit>("Text1(15)")->isEnabled());
    }

    void spinnerWritesItsValue() {
        Fixture f;
        f.c<QRadioButton>("Option1(10)")->click();
        auto* bar = f.c<QScrollBar>("VScroll1(0)");
        bar->setValue(1);
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCoreApplication::processEvents();
        QCOMPARE(bar->value(), 2);
        QCOMPARE(f.text(7), QString("0.02"));
        // With a decimal comma the text keeps it, and the settings still read 0.02.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCoreApplication::processEvents();
        QLocale::setDefault(QLocale::c());
        QCOMPARE(f.text(7), QString("0,03"));
        QCOMPARE(f.window.definicoes().numero(7), 0.03);
        auto* increase = f.c<QScrollBar>("VScroll1(1)");
        QCOMPARE(increase->minimum(), 100);
        QCOMPARE(increase->maximum(), 200);
    }

    void loadingSetsTheSpinnersAndKeepsTheTexts() {
        Fixture f;
        f.open("xor_backpropagation.prj");
        QCOMPARE(f.text(7), QString("0.5"));
        QCOMPARE(f.c<QScrollBar>("VScroll1(0)")->value(), 50);
        QCOMPARE(f.c<QScrollBar>("VScroll1(1)")->value(), 105);
        QVERIFY(f.c<QRadioButton>("Option1(10)")->isChecked());
        QVERIFY(f.c<QLabel>("Label2")->isVisibleTo(&f.window));
        QCOMPARE(f.c<QLabel>("Label2")->text(), f.path("xor_backpropagation.prj"));
    }

    void saveOnANewProjectAsksForAName() {
        Fixture f;
        f.dialogs.respostas.push_back(std::nullopt); // cancelled: nothing written
        f.c<QPushButton>("Command3")->click();
        QCOMPARE(f.dialogs.pedidos.size(), 1);
        QCOMPARE(f.dialogs.pedidos[0].titulo, QString("Save project file"));
        QVERIFY(f.dialogs.pedidos[0].confirmar_substituicao);
        f.dialogs.respostas.push_back(f.path("new.prj"));
        f.c<QPushButton>("Command3")->click();
        QVERIFY(QFile::exists(f.path("new.prj")));
        QCOMPARE(f.c<QLabel>("Label2")->text(), f.path("new.prj"));
        f.c<QPushButton>("Command3")->click(); // now saved without asking
        QCOMPARE(f.dialogs.pedidos.size(), 2);
    }

    void shortRunFromStartToTestError() {
        Fixture f;
        f.open("xor_backpropagation.prj");
        f.c<QLineEdit>("Text1(12)")->setText("20");
        f.c<QLineEdit>("Text1(11)")->setText("0");
        f.c<QPushButton>("Command4")->click();
        QVERIFY(f.dialogs.mensagens.isEmpty());
        QCOMPARE(f.result(1), QString("20"));
        QVERIFY(f.result(0).contains("E"));
        QVERIFY(f.c<QLabel>("Label3(4)")->isVisibleTo(&f.window));
        QVERIFY(!f.result(4).isEmpty());
        QVERIFY(f.c<QLabel>("Label3(5)")->isVisibleTo(&f.window));
        QVERIFY(!f.c<QLabel>("Label10")->isVisibleTo(&f.window));
        QVERIFY(f.c<QPushButton>("Command4")->isEnabled());
        QVERIFY(!f.c<QPushButton>("Command12")->isEnabled());
        QVERIFY(f.window.grafico() && f.window.grafico()->isVisible());
        QCOMPARE(f.window.grafico()->pontos(), 19);
        QCOMPARE(std::filesystem::file_size(f.path("xor_backpropagation.err").toStdString()) > 0,
                 true);
    }

    void stopDuringARunAndTheBusyState() {
        Fixture f;
        f.open("xor_genetic.prj");
        f.c<QLineEdit>("Text1(12)")->setText("30000");
        f.c<QLineEdit>("Text1(11)")->setText("-1"); // saturated outputs can reach 0 exactly
        bool busy_seen = false;
        QTimer::singleShot(200, &f.window, [&] {
            busy_seen = !f.c<QPushButton>("Command4")->isEnabled() &&
                        !f.c<QPushButton>("Command3")->isEnabled() &&
                        !f.c<QPushButton>("Command7")->isEnabled() &&
                        f.c<QPushButton>("Command12")->isEnabled() &&
                        f.c<QLabel>("Label10")->isVisible() && f.window.ocupado();
            f.c<QPushButton>("Command12")->click();
        });
        f.c<QPushButton>("Command4")->click();
        QVERIFY2(f.dialogs.mensagens.isEmpty(), qPrintable(f.dialogs.textos().join("; ")));
        QVERIFY2(busy_seen, qPrintable(f.result(1)));
        QVERIFY(f.result(1).toInt() < 30000);
        QVERIFY(!f.window.ocupado());
        QVERIFY(f.c<QPushButton>("Command4")->isEnabled());
        QVERIFY(!f.result(4).isEmpty());
    }

    void closingDuringARunWaitsForItsEnd() {
        Fixture f;
        f.window.show();
        f.open("xor_genetic.prj");
        f.c<QLineEdit>("Text1(12)")->setText("30000");
        f.c<QLineEdit>("Text1(11)")->setText("-1");
        bool visible_after_close = false;
        QTimer::singleShot(200, &f.window, [&] {
            f.window.close();
            visible_after_close = f.window.isVisible();
        });
        f.c<QPushButton>("Command4")->click();
        QVERIFY(visible_after_close); // the run was still on the stack
        QVERIFY(f.result(1).toInt() < 30000);
        QVERIFY(!f.window.isVisible()); // closed once the run had ended
    }

    void chartWindowUnload() {
        Fixture f;
        f.open("xor_backpropagation.prj");
        f.estado.grafico_activo = true;
        GraficoErros g;
        g.intervalo = 100;
        g.pontos = 3;
        g.valores = {3.0f, 2.0f, 1.0f};
        f.window.mostra_grafico(g);
        frm_chart* chart = f.window.grafico();
        QVERIFY(chart && chart->isVisible());
        QCOMPARE(chart->windowTitle(), QString("Error evolution"));
        QCOMPARE(chart->pontos(), 3);
        QVERIFY(!f.c<QPushButton>("Command11")->isEnabled());
        chart->close();
        QVERIFY(!f.estado.grafico_activo);
        QVERIFY(f.c<QPushButton>("Command11")->isEnabled());
    }

    void randomWeightFileAndEvaluation() {
        Fixture f;
        f.open("xor_backpropagation.prj");
        f.dialogs.respostas.push_back(f.path("fresh.wgt"));
        f.c<QPushButton>("Command7")->click();
        QCOMPARE(f.dialogs.pedidos.back().titulo, QString("Save weights file"));
        QCOMPARE(f.text(13), f.path("fresh.wgt"));
        QVERIFY(QFile::exists(f.path("fresh.wgt")));
        QTest::mouseClick(f.c<QLabel>("Label3(0)"), Qt::LeftButton);
        QCOMPARE(f.dialogs.mensagens.size(), 1);
        QCOMPARE(f.dialogs.mensagens[0].titulo, QString("Corvane"));
        QCOMPARE(f.dialogs.mensagens[0].icone, Icon::none);
        QVERIFY(f.dialogs.mensagens[0].texto.toDouble() > 0);
    }
};

QTEST_MAIN(FrmProjectTest)
#include "frm_project_test.moc"
