// The project window driven by its control names, offscreen, with the dialogs answered by a
// recorder.
#include "frm_project.h"
#include "frm_test_dialogs.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <filesystem>

using namespace corvane;

class FrmProjectTest : public QObject {
    Q_OBJECT

    template <typename T> static T* control(QWidget& w, const QString& name) {
        T* c = w.findChild<T*>(name);
        if (!c) qFatal("no control %s", qPrintable(name));
        return c;
    }

    enum class Arrow { up, down };
    // A click on the upper or lower arrow of a scroll bar, where its style draws it.
    static void press(QScrollBar* bar, Arrow arrow) {
        QStyleOptionSlider opt;
        opt.initFrom(bar);
        opt.orientation = bar->orientation();
        opt.minimum = bar->minimum();
        opt.maximum = bar->maximum();
        opt.sliderPosition = bar->sliderPosition();
        opt.sliderValue = bar->value();
        opt.singleStep = bar->singleStep();
        opt.pageStep = bar->pageStep();
        opt.upsideDown = bar->invertedAppearance();
        opt.subControls = QStyle::SC_All;
        QRect sub = bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt,
                                                 QStyle::SC_ScrollBarSubLine, bar);
        QRect add = bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt,
                                                 QStyle::SC_ScrollBarAddLine, bar);
        QVERIFY(sub.isValid() && add.isValid());
        if (sub.top() > add.top()) std::swap(sub, add);
        QTest::mouseClick(bar, Qt::LeftButton, {}, (arrow == Arrow::up ? sub : add).center());
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

    // Each spinner, pressed at its arrows as a person presses them: the upper arrow raises the
    // setting by one step and the lower one lowers it, at both ends of the range.
    void spinnerArrowsStepTheSetting_data() {
        QTest::addColumn<int>("spinner");
        QTest::addColumn<int>("slot");
        QTest::addColumn<bool>("genetic");
        QTest::addColumn<double>("factor");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::newRow("learning rate") << 0 << 7 << false << 100.0 << 0 << 100;
        QTest::newRow("increase") << 1 << 19 << false << 100.0 << 100 << 200;
        QTest::newRow("decrease") << 2 << 20 << false << 100.0 << 0 << 100;
        QTest::newRow("momentum") << 3 << 8 << false << 100.0 << 0 << 100;
        QTest::newRow("max error ratio") << 4 << 21 << false << 100.0 << 100 << 200;
        QTest::newRow("population") << 5 << 16 << true << 1.0 << 0 << 100;
        QTest::newRow("mutation") << 6 << 17 << true << 10.0 << 0 << 10;
        QTest::newRow("crossover") << 7 << 18 << true << 10.0 << 0 << 10;
    }
    void spinnerArrowsStepTheSetting() {
        QFETCH(int, spinner);
        QFETCH(int, slot);
        QFETCH(bool, genetic);
        QFETCH(double, factor);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        Fixture f;
        f.window.show();
        f.c<QRadioButton>(genetic ? "Option1(9)" : "Option1(10)")->click();
        auto* bar = f.c<QScrollBar>(QString("VScroll1(%1)").arg(spinner));
        QCOMPARE(bar->minimum(), minimum);
        QCOMPARE(bar->maximum(), maximum);
        auto shown = [&](int v) { return QLocale().toString(v / factor, 'g', 6); };

        bar->setValue(minimum);
        press(bar, Arrow::up);
        QCOMPARE(f.text(slot), shown(minimum + 1));
        press(bar, Arrow::down);
        QCOMPARE(f.text(slot), shown(minimum));
        f.c<QLineEdit>(QString("Text1(%1)").arg(slot))->setText("typed");
        press(bar, Arrow::down); // already at the bottom: nothing changes
        QCOMPARE(bar->value(), minimum);
        QCOMPARE(f.text(slot), QString("typed"));

        bar->setValue(maximum);
        press(bar, Arrow::down);
        QCOMPARE(f.text(slot), shown(maximum - 1));
        press(bar, Arrow::up);
        QCOMPARE(f.text(slot), shown(maximum));
        press(bar, Arrow::up);
        QCOMPARE(bar->value(), maximum);
        QCOMPARE(f.text(slot), shown(maximum));

        // The keys follow the arrows: Up raises, Down lowers.
        bar->setValue((minimum + maximum) / 2);
        bar->setFocus();
        QTest::keyClick(bar, Qt::Key_Up);
        QCOMPARE(bar->value(), (minimum + maximum) / 2 + 1);
        QTest::keyClick(bar, Qt::Key_Down);
        QCOMPARE(bar->value(), (minimum + maximum) / 2);
    }

    void learningRateSpinnerInTheUsersNumberFormat() {
        Fixture f;
        f.window.show();
        f.open("xor_backpropagation.prj");
        f.c<QLineEdit>("Text1(7)")->setText("0.01");
        auto* bar = f.c<QScrollBar>("VScroll1(0)");
        bar->setValue(1);
        press(bar, Arrow::up);
        QCOMPARE(f.text(7), QString("0.02"));
        // With a decimal comma the text keeps it, and the settings still read the number.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        press(bar, Arrow::up);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(f.text(7), QString("0,03"));
        QCOMPARE(f.window.definicoes().numero(7), 0.03);
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

    void failedStartLeavesTheTestErrorShown() {
        Fixture f;
        f.open("xor_backpropagation.prj");
        f.c<QLineEdit>("Text1(12)")->setText("20");
        f.c<QPushButton>("Command4")->click();
        auto* teste = f.c<QLabel>("Label3(4)");
        const QString ultimo = teste->text();
        QVERIFY(teste->isVisibleTo(&f.window) && !ultimo.isEmpty());

        f.c<QLineEdit>("Text1(12)")->setText("200000");
        f.c<QPushButton>("Command4")->click();
        QCOMPARE(f.dialogs.mensagens.size(), 1);
        QVERIFY(teste->isVisibleTo(&f.window));
        QCOMPARE(teste->text(), ultimo);

        f.c<QLineEdit>("Text1(12)")->setText("20");
        f.dialogs.respostas.push_back(f.path("absent.wgt"));
        f.c<QPushButton>("Command2")->click();
        f.c<QPushButton>("Command4")->click();
        QCOMPARE(f.dialogs.textos().last(), QString("Error loading weights file!"));
        QVERIFY(teste->isVisibleTo(&f.window));

        // Another project shows the test error its file holds.
        f.open("xor_genetic.prj");
        QVERIFY(teste->isVisibleTo(&f.window));
        QVERIFY(!teste->text().isEmpty());
    }

    void fileDialogsStartWhereTheProjectReadsThePath() {
        Fixture f;
        // The program runs elsewhere: a relative path taken from here would name another file.
        QVERIFY(QDir::currentPath() != f.dir.path());
        f.open("xor_backpropagation.prj"); // names xor.txt and its weights file relatively
        auto asked = [&f](const char* button) {
            f.dialogs.respostas.push_back(std::nullopt); // cancelled
            f.c<QPushButton>(button)->click();
            return f.dialogs.pedidos.last();
        };
        const PedidoFicheiro weights = asked("Command2");
        QCOMPARE(weights.titulo, QString("Select weights file"));
        QCOMPARE(weights.inicial, f.path("xor_backpropagation.wgt"));
        QCOMPARE(asked("Command1").inicial, f.path("xor.txt"));
        QCOMPARE(asked("Command7").inicial, f.path("xor_backpropagation.wgt"));
        // A cancelled dialog leaves the path as it was written.
        QCOMPARE(f.text(13), QString("xor_backpropagation.wgt"));

        // Saved into another folder, the project names its files from there.
        QVERIFY(QDir(f.dir.path()).mkdir("elsewhere"));
        f.dialogs.respostas.push_back(f.path("elsewhere/copy.prj"));
        f.c<QPushButton>("Command9")->click();
        QCOMPARE(f.text(13), QString("../xor_backpropagation.wgt"));
        QCOMPARE(asked("Command2").inicial, f.path("elsewhere/../xor_backpropagation.wgt"));
        // A file picked in the dialog is named absolutely and starts the next dialog as it is.
        f.dialogs.respostas.push_back(f.path("xor_genetic.wgt"));
        f.c<QPushButton>("Command2")->click();
        QCOMPARE(f.text(13), f.path("xor_genetic.wgt"));
        QCOMPARE(asked("Command2").inicial, f.path("xor_genetic.wgt"));

        // A project that has no file yet has no folder: the dialog starts as it always did.
        Fixture fresh;
        fresh.window.show();
        fresh.dialogs.respostas.push_back(std::nullopt);
        fresh.c<QPushButton>("Command2")->click();
        QCOMPARE(fresh.dialogs.pedidos.last().inicial, QString());
        QVERIFY(f.dialogs.mensagens.isEmpty() && fresh.dialogs.mensagens.isEmpty());
    }

    void saveAsIntoAnotherFolderKeepsTheProjectsFiles() {
        Fixture f;
        f.open("xor_backpropagation.prj"); // names xor.txt and its weights file relatively
        QVERIFY(QDir(f.dir.path()).mkdir("elsewhere"));
        f.dialogs.respostas.push_back(f.path("elsewhere/copy.prj"));
        f.c<QPushButton>("Command9")->click();
        QCOMPARE(f.text(0), QString("../xor.txt"));
        QCOMPARE(f.text(13), QString("../xor_backpropagation.wgt"));
        QFile saved(f.path("elsewhere/copy.prj"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().startsWith("\"../xor.txt\"\r\n"));

        // Brought forward again, the window still finds the files, and trains from them.
        f.window.hide();
        f.window.show();
        QVERIFY(f.c<QPushButton>("Command5(1)")->isEnabled());
        QVERIFY(f.c<QPushButton>("Command5(0)")->isEnabled());
        f.c<QLineEdit>("Text1(12)")->setText("5");
        f.c<QPushButton>("Command4")->click();
        QVERIFY2(f.dialogs.mensagens.isEmpty(), qPrintable(f.dialogs.textos().join("; ")));
        QCOMPARE(f.result(1), QString("5"));
        QVERIFY(QFile::exists(f.path("elsewhere/copy.err")));

        // Saved back beside its files, the names are plain again.
        f.dialogs.respostas.push_back(f.path("back.prj"));
        f.c<QPushButton>("Command9")->click();
        QCOMPARE(f.text(0), QString("xor.txt"));
    }

    void trainingLabelDoesNotShiftTheWindow() {
        Fixture f;
        f.open("xor_genetic.prj");
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        const QList<QWidget*> marcos{f.c<QGroupBox>("Frame1"), f.c<QGroupBox>("Frame2"),
                                     f.c<QGroupBox>("Frame6"), f.c<QPushButton>("Command4")};
        auto geometrias = [&] {
            f.window.layout()->activate();
            QList<QRect> g;
            for (QWidget* w : marcos)
                g << w->geometry();
            return g;
        };
        const QList<QRect> antes = geometrias();
        f.c<QLineEdit>("Text1(12)")->setText("30000");
        f.c<QLineEdit>("Text1(11)")->setText("-1");
        QList<QRect> durante;
        QTimer::singleShot(200, &f.window, [&] {
            QVERIFY(f.c<QLabel>("Label10")->isVisible());
            durante = geometrias();
            f.c<QPushButton>("Command12")->click();
        });
        f.c<QPushButton>("Command4")->click();
        QCOMPARE(durante, antes);
        QCOMPARE(geometrias(), antes);
    }

    // The real message box of a click on a result label is wide enough for its title.
    void resultLabelMessageShowsItsTitle() {
        Fixture f;
        frm_project window(f.estado); // the real message boxes
        QVERIFY(window.carrega(f.path("xor_backpropagation.prj")));
        window.mostra_caminho(f.path("xor_backpropagation.prj"));
        window.show();
        QString titulo;
        int largura = 0, precisa = 0;
        QTimer espera;
        connect(&espera, &QTimer::timeout, &window, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            espera.stop();
            titulo = box->windowTitle();
            largura = box->width();
            QFont negrito = box->font();
            negrito.setBold(true);
            // The title beside the close, maximise and minimise buttons of a title bar.
            precisa = QFontMetrics(negrito).horizontalAdvance(titulo) +
                      3 * box->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, box);
            box->accept();
        });
        espera.start(10);
        QTest::mouseClick(window.Label3[0], Qt::LeftButton);
        QCOMPARE(titulo, QString("Corvane"));
        QVERIFY2(largura >= precisa, qPrintable(QString("%1 < %2").arg(largura).arg(precisa)));
    }

    // The chart's iteration axis keeps whole, readable labels at every run length, with the
    // "Iteration" title under them.
    void chartAxisLabelsAreWhole_data() {
        QTest::addColumn<int>("pontos");
        QTest::addColumn<int>("intervalo");
        for (int n : {3, 20, 49, 50, 499, 1000, 1999, 4999, 6000, 32766})
            QTest::addRow("%d points", n) << n << escala_grafico(n + 1);
        // The scale comes from the previous run, which may have been much shorter.
        QTest::newRow("long run after a short one") << 20000 << 50;
    }
    void chartAxisLabelsAreWhole() {
        QFETCH(int, pontos);
        QFETCH(int, intervalo);
        frm_chart chart;
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        std::vector<float> valores(static_cast<std::size_t>(pontos));
        for (std::size_t k = 0; k < valores.size(); ++k)
            valores[k] = 1.0f / static_cast<float>(k + 1);
        chart.define_escala(intervalo);
        chart.define_pontos(valores, pontos);
        chart.desenha();
        QCoreApplication::processEvents();
        chart.Graph1->viewport()->repaint();

        const QRectF area = chart.Graph1->chart()->plotArea();
        QList<QGraphicsTextItem*> rotulos;
        QGraphicsTextItem* titulo = nullptr;
        for (QGraphicsItem* item : chart.Graph1->scene()->items()) {
            auto* texto = dynamic_cast<QGraphicsTextItem*>(item);
            if (!texto || !texto->isVisible()) continue;
            if (texto->toPlainText() == "Iteration")
                titulo = texto;
            else if (texto->sceneBoundingRect().top() >= area.bottom() - 1)
                rotulos << texto;
        }
        QVERIFY(titulo);
        QVERIFY(rotulos.size() >= 2);
        std::sort(rotulos.begin(), rotulos.end(), [](auto* a, auto* b) {
            return a->sceneBoundingRect().left() < b->sceneBoundingRect().left();
        });
        int ultimo = -1;
        for (int i = 0; i < rotulos.size(); ++i) {
            const QString t = rotulos[i]->toPlainText();
            bool numero = false;
            const int v = t.toInt(&numero);
            QVERIFY2(numero, qPrintable("label " + t));
            QVERIFY2(v % intervalo == 0 && v > ultimo, qPrintable("label " + t));
            ultimo = v;
            if (i > 0)
                QVERIFY(!rotulos[i]->sceneBoundingRect().intersects(
                    rotulos[i - 1]->sceneBoundingRect()));
            QVERIFY(titulo->sceneBoundingRect().top() >=
                    rotulos[i]->sceneBoundingRect().center().y());
        }
        QVERIFY(ultimo >= pontos); // the axis reaches the last point
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
