// The windows driven by their control names, with message boxes and modal windows recorded.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

#include "ui/frm_about.h"
#include "ui/frm_nn_dim.h"
#include "ui/frm_sc_size.h"
#include "ui/mdi_main.h"
#include "ui/picture_box.h"

using namespace dimora;

namespace {

template <class T> T* child(QWidget& w, const char* name) {
    T* c = w.findChild<T*>(QString::fromLatin1(name));
    if (!c) qFatal("no control %s", name);
    return c;
}

QStringList items(QListWidget* list) {
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    return rows;
}

// The pixels of one column of an image.
QList<QRgb> column(const QImage& image, int x) {
    QList<QRgb> c;
    for (int y = 0; y < image.height(); ++y)
        c << image.pixel(x, y);
    return c;
}

} // namespace

class WindowsTest : public QObject {
    Q_OBJECT
private slots:
    void nnComputeFillsTheLists();
    void nnInputMessages_data();
    void nnInputMessages();
    void nnKeyFilters();
    void nnLargeHReportsAndGoesOn();
    void scFractionWrapsAndDisablesAt22();
    void scComputeDrawsAndShowsProgress();
    void scMarkerReadoutAndInvertedLine();
    void scMarkerLeftOfTheFirstPoint();
    void mainOneInstanceAndAbout();
    void mainSidePanelKeepsButtonsAtTheBottom();
    void mainAltKeysOpenTheWindows();
    void mainChildWindowsOpenInsideTheWorkspace();
    void nnRowFailuresOfferAWayOut();
    void aboutWithoutSystemInformation();
    void screenshots();
};

void WindowsTest::nnComputeFillsTheLists() {
    frmNNDim w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Two-Class MLP size (hard limiters)"));
    QTest::mouseClick(child<QPushButton>(w, "cmdCompute"), Qt::LeftButton);
    const QStringList uw = items(child<QListWidget>(w, "ListUW"));
    QCOMPARE(uw.size(), 10);
    QCOMPARE(uw.first(), QStringLiteral("2 : 5"));
    QCOMPARE(uw.last(), QStringLiteral("11 : 41"));
    QCOMPARE(items(child<QListWidget>(w, "ListVCDu")).mid(0, 5),
             QStringList({"9", "54", "90", "128", "169"}));
    QCOMPARE(items(child<QListWidget>(w, "ListUB")).mid(0, 5),
             QStringList({"150", "306", "480", "665", "860"}));
    QCOMPARE(items(child<QListWidget>(w, "ListLB")).first(), QStringLiteral("27"));
}

void WindowsTest::nnInputMessages_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero dimension") << "Txtd"
                                    << "0"
                                    << "Wrong dimension !";
    QTest::newRow("error above half") << "Txte"
                                      << "0.51"
                                      << "Wrong error value !";
    QTest::newRow("empty error") << "Txte"
                                 << ""
                                 << "Wrong error value !";
    QTest::newRow("confidence one") << "Txta"
                                    << "1"
                                    << "Wrong confidence level !";
}

void WindowsTest::nnInputMessages() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    frmNNDim w;
    QStringList shown;
    w.setMessageHandler([&](const QString& t, const QString& m) { shown << t + "|" + m; });
    auto* edit = child<QLineEdit>(w, field.toLatin1().constData());
    edit->setText(text);
    QTest::mouseClick(child<QPushButton>(w, "cmdCompute"), Qt::LeftButton);
    QCOMPARE(shown, QStringList{"Specifications|" + expected});
    QCOMPARE(edit->selectedText(), text);
    QCOMPARE(child<QListWidget>(w, "ListUW")->count(), 0);
}

void WindowsTest::nnKeyFilters() {
    frmNNDim w;
    auto* d = child<QLineEdit>(w, "Txtd");
    auto* e = child<QLineEdit>(w, "Txte");
    d->clear();
    e->clear();
    QTest::keyClicks(d, "1-2.a3");
    QTest::keyClicks(e, "0,.5x-");
    QCOMPARE(d->text(), QStringLiteral("123"));
    QCOMPARE(e->text(), QStringLiteral("0.5"));
    QTest::keyClick(e, Qt::Key_Backspace);
    QCOMPARE(e->text(), QStringLiteral("0."));
}

void WindowsTest::nnLargeHReportsAndGoesOn() {
    frmNNDim w;
    QStringList titles;
    w.setMessageHandler([&](const QString& t, const QString&) { titles << t; });
    child<QLineEdit>(w, "Txth1")->setText("171");
    child<QLineEdit>(w, "Txth2")->setText("");
    QTest::mouseClick(child<QPushButton>(w, "cmdCompute"), Qt::LeftButton);
    QCOMPARE(child<QLineEdit>(w, "Txth2")->text(), QStringLiteral("171"));
    QVERIFY(titles.contains("Funtion Fact"));
    QCOMPARE(child<QListWidget>(w, "ListUB")->count(), 1);
}

void WindowsTest::scFractionWrapsAndDisablesAt22() {
    frmSCSize w;
    auto* frac = child<QSpinBox>(w, "udFracDelta");
    auto* integer = child<QSpinBox>(w, "udIntDelta");
    auto* label = child<QLabel>(w, "labFracDelta");
    QCOMPARE(child<QLabel>(w, "labDim")->text(), QStringLiteral("2"));
    QCOMPARE(child<QLabel>(w, "labIntDelta")->text(), QStringLiteral("2"));
    QCOMPARE(label->text(), QStringLiteral("00"));
    frac->stepDown();
    QCOMPARE(frac->value(), 99);
    QCOMPARE(label->text(), QStringLiteral("99"));
    QCOMPARE(integer->value(), 2); // no carry into the integer part
    frac->stepUp();
    QCOMPARE(frac->value(), 0);
    frac->setValue(45);
    integer->setValue(22);
    QVERIFY(!frac->isEnabled());
    QCOMPARE(frac->value(), 0);
    integer->setValue(21);
    QVERIFY(frac->isEnabled());
    QCOMPARE(integer->maximum(), 22);
    QCOMPARE(child<QSpinBox>(w, "udDim")->maximum(), 9);
}

void WindowsTest::scComputeDrawsAndShowsProgress() {
    frmSCSize w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::mouseClick(child<QPushButton>(w, "cmdCompute"), Qt::LeftButton);
    auto* bar = child<QProgressBar>(w, "pgbInfo");
    QCOMPARE(bar->maximum(), 24);
    QCOMPARE(bar->value(), 24);
    QVERIFY(child<QWidget>(w, "picDados")->isVisible());
    QCOMPARE(w.curves().npts, 20);
    QCOMPARE(w.dx(), 0.475);
    // Something was drawn: the frame's bottom-left corner is black.
    PictureBox* g = w.graph();
    const QPointF origin = g->toPixel(0, 0);
    bool dark = false;
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            dark |= qGray(g->image().pixel(int(origin.x()) + dx, int(origin.y()) + dy)) < 100;
    QVERIFY(dark);
}

void WindowsTest::scMarkerReadoutAndInvertedLine() {
    frmSCSize w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::mouseClick(child<QPushButton>(w, "cmdCompute"), Qt::LeftButton);
    PictureBox* g = w.graph();
    const QImage plain = g->image().copy();

    const QPointF at = g->toPixel(5.0, 0.25);
    QTest::mousePress(g, Qt::LeftButton, {}, at.toPoint());
    QVERIFY(std::fabs(w.marker() - 5.0f) < 0.05f);
    QVERIFY(w.readout().has_value());
    QCOMPARE(w.readout()->point.value(), std::size_t{9}); // n = 10, plotted at 4.775
    QCOMPARE(QString::fromStdString(w.readout()->pet), QStringLiteral("Pet = 0.237"));
    QCOMPARE(QString::fromStdString(w.readout()->ped), QStringLiteral("Ped = 0.222"));
    const int x = qRound(g->toPixel(w.marker(), 0).x());
    QVERIFY(column(g->image(), x) != column(plain, x));

    // Dragging moves the line: the old column is restored exactly.
    const QPointF to = g->toPixel(7.0, 0.25);
    QTest::mouseRelease(g, Qt::LeftButton, {}, at.toPoint());
    QMouseEvent move(QEvent::MouseMove, to, g->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(g, &move);
    QVERIFY(std::fabs(w.marker() - 7.0f) < 0.05f);
    QCOMPARE(column(g->image(), x), column(plain, x));
    QCOMPARE(w.readout()->point.value(), std::size_t{14});

    // A redraw brings back the curves without the marker.
    w.picGraph_Paint();
    QCOMPARE(w.marker(), -1.0f);
    QCOMPARE(g->image(), plain);
}

void WindowsTest::scMarkerLeftOfTheFirstPoint() {
    frmSCSize w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::mouseClick(child<QPushButton>(w, "cmdCompute"), Qt::LeftButton);
    w.picGraph_MouseDown(Qt::LeftButton, 0.25);
    QVERIFY(w.readout().has_value());
    QCOMPARE(QString::fromStdString(w.readout()->ratio), QStringLiteral("n/d = 0.250"));
    QVERIFY(!w.readout()->point.has_value());
    w.picGraph_MouseDown(Qt::LeftButton, -3.0); // taken as 0
    QCOMPARE(w.marker(), 0.0f);
    w.picGraph_MouseDown(Qt::RightButton, 4.0); // other buttons do nothing
    QCOMPARE(w.marker(), 0.0f);
}

void WindowsTest::mainOneInstanceAndAbout() {
    mdiMain m;
    QCOMPARE(m.windowTitle(), QStringLiteral("Dimora"));
    QStringList about;
    m.setModalRunner([&](QDialog& d) {
        about << d.windowTitle() << d.findChild<QLabel*>("lblVersion")->text()
              << d.findChild<QLabel*>("lblDescription")->text();
    });
    m.mnuNNSize_Click();
    m.mnuNNSize_Click();
    QCOMPARE(m.mdiArea()->subWindowList().size(), 1);
    QTest::mouseClick(m.findChild<QPushButton*>("cmdMenu(0)"), Qt::LeftButton);
    QTest::mouseClick(m.findChild<QPushButton*>("cmdMenu(1)"), Qt::LeftButton);
    QCOMPARE(m.mdiArea()->subWindowList().size(), 2);
    QVERIFY(m.nnDim() && m.scSize());
    QCOMPARE(m.mdiArea()->activeSubWindow()->widget(), static_cast<QWidget*>(m.nnDim()));

    // Quit closes the child; the command opens a fresh one.
    QTest::mouseClick(m.nnDim()->findChild<QPushButton*>("cmdQuit"), Qt::LeftButton);
    QTRY_COMPARE(m.mdiArea()->subWindowList().size(), 1);
    m.mnuNNSize_Click();
    QCOMPARE(m.mdiArea()->subWindowList().size(), 2);

    QTest::mouseClick(m.findChild<QPushButton*>("cmdMenu(2)"), Qt::LeftButton);
    QCOMPARE(about, QStringList({"About Dimora", "Version 1.0.0",
                                 "Dimensionality Selection in SC and NN design"}));
}

void WindowsTest::mainSidePanelKeepsButtonsAtTheBottom() {
    mdiMain m;
    m.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m));
    for (QSize size : {QSize(900, 700), QSize(700, 420)}) {
        m.resize(size);
        QTRY_COMPARE(m.size(), size);
        QWidget* panel = m.findChild<QWidget*>("Picture1");
        auto* about = m.findChild<QPushButton*>("cmdMenu(2)");
        auto* exit = m.findChild<QPushButton*>("cmdMenu(3)");
        QTRY_COMPARE(exit->geometry().bottom() + 1, panel->height() - SidePanel::kGap);
        QCOMPARE(about->geometry().bottom() + 1, exit->y() - SidePanel::kGap);
        QCOMPARE(m.findChild<QPushButton*>("cmdMenu(0)")->text(), QStringLiteral("&SC Size"));
        QCOMPARE(exit->text(), QStringLiteral("E&xit"));
    }
}

void WindowsTest::mainAltKeysOpenTheWindows() {
    mdiMain m;
    int abouts = 0;
    m.setModalRunner([&](QDialog&) { ++abouts; });
    m.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m));
    QTest::keyClick(&m, Qt::Key_N, Qt::AltModifier);
    QVERIFY(m.nnDim());
    QTest::keyClick(&m, Qt::Key_S, Qt::AltModifier);
    QVERIFY(m.scSize());
    QCOMPARE(m.mdiArea()->activeSubWindow()->widget(), static_cast<QWidget*>(m.scSize()));
    // The keys still work with the focus inside a calculator.
    m.nnDim()->findChild<QLineEdit*>("Txtd")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::AltModifier);
    QCOMPARE(abouts, 1);
    QCOMPARE(m.mdiArea()->subWindowList().size(), 2);
}

void WindowsTest::mainChildWindowsOpenInsideTheWorkspace() {
    mdiMain m;
    m.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m));
    QTest::mouseClick(m.findChild<QPushButton*>("cmdMenu(1)"), Qt::LeftButton);
    QTest::mouseClick(m.findChild<QPushButton*>("cmdMenu(0)"), Qt::LeftButton);
    QWidget* workspace = m.mdiArea()->viewport();
    const QList<QMdiSubWindow*> children = m.mdiArea()->subWindowList();
    QCOMPARE(children.size(), 2);
    for (QMdiSubWindow* child : children)
        QVERIFY2(workspace->rect().contains(child->geometry()),
                 qPrintable(child->windowTitle() + " lies outside the workspace"));
    // The second cascades below and right of the first, as far as the room allows.
    QVERIFY(children[1]->y() > children[0]->y() || children[1]->x() > children[0]->x() ||
            children[1]->size() == workspace->size());

    // In a smaller main window the part that no longer fits is reached by scrolling.
    m.resize(520, 360);
    QTRY_VERIFY(m.mdiArea()->horizontalScrollBar()->isVisible());
    QVERIFY(m.mdiArea()->verticalScrollBar()->isVisible());
}

void WindowsTest::nnRowFailuresOfferAWayOut() {
    frmNNDim w;
    w.show();
    child<QLineEdit>(w, "Txth1")->setText("171");
    child<QLineEdit>(w, "Txth2")->setText("180");
    // Presses OK on every message box that opens, ticking its check box on the box numbered
    // `tickAt` (0 for never); returns the number of boxes seen.
    bool everyBoxOffersTheWayOut = true;
    auto compute = [&](int tickAt) {
        int boxes = 0;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            ++boxes;
            auto* rest = box->findChild<QCheckBox*>();
            everyBoxOffersTheWayOut &=
                rest && rest->text() == "Do not show the remaining messages of this Compute";
            if (rest && boxes == tickAt) QTest::mouseClick(rest, Qt::LeftButton);
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        });
        answer.start(5);
        QTest::mouseClick(child<QPushButton>(w, "cmdCompute"), Qt::LeftButton);
        return boxes;
    };
    const int all = compute(0);
    QVERIFY(everyBoxOffersTheWayOut);
    QVERIFY(all > 10); // at least one for each of the ten rows
    QCOMPARE(child<QListWidget>(w, "ListUB")->count(), 10);
    QCOMPARE(compute(2), 2);
    QCOMPARE(child<QListWidget>(w, "ListUB")->count(), 10); // every row still computed
    QCOMPARE(compute(0), all);                              // the next Compute shows them again
}

void WindowsTest::aboutWithoutSystemInformation() {
    frmAbout a;
    QStringList shown;
    a.setSysInfoPrograms({});
    a.setMessageHandler([&](const QString&, const QString& text) { shown << text; });
    QTest::mouseClick(a.findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
    QCOMPARE(shown, QStringList{"System Information Is Unavailable At This Time"});
    QCOMPARE(a.findChild<QPushButton*>("cmdSysInfo")->text(), QStringLiteral("&System Info..."));
}

// With DIMORA_SCREENSHOTS set to a folder, saves pictures of both calculators after Compute.
void WindowsTest::screenshots() {
    const QString folder = qEnvironmentVariable("DIMORA_SCREENSHOTS");
    if (folder.isEmpty()) QSKIP("DIMORA_SCREENSHOTS not set");
    mdiMain m;
    m.resize(1240, 1000);
    m.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m));
    m.mnuNNSize_Click();
    QTest::mouseClick(m.nnDim()->findChild<QPushButton*>("cmdCompute"), Qt::LeftButton);
    m.mnuSCSize_Click();
    QTest::mouseClick(m.scSize()->findChild<QPushButton*>("cmdCompute"), Qt::LeftButton);
    QTest::qWait(200);
    PictureBox* g = m.scSize()->graph();
    QTest::mousePress(g, Qt::LeftButton, {}, g->toPixel(5.0, 0.25).toPoint());
    QTest::qWait(200);
    QVERIFY(m.nnDim()->grab().save(folder + "/dimora_nn.png"));
    QVERIFY(m.scSize()->grab().save(folder + "/dimora_sc.png"));
    QMdiSubWindow* nn = m.mdiArea()->subWindowList().at(0);
    QMdiSubWindow* sc = m.mdiArea()->subWindowList().at(1);
    nn->setGeometry(0, 0, 790, 470);
    sc->setGeometry(250, 390, 880, 540);
    QTest::qWait(200);
    QTest::mousePress(g, Qt::LeftButton, {}, g->toPixel(3.0, 0.25).toPoint());
    QTest::qWait(200);
    QVERIFY(m.grab().save(folder + "/dimora.png"));
}

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
