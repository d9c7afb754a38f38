// The windows driven through their controls, with dialogs answered by a recorder.
#include "file_io.h"
#include "frm_about.h"
#include "frm_document.h"
#include "frm_main.h"
#include "frm_synaptic_weights.h"
#include "pattern_file.h"
#include "recorder_dialogs.h"
#include "ui_dialogs.h"

#include "qtkit/up_down.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cerrno>
#include <cstring>

#include <unistd.h>

using namespace tessaly;
using tessaly::test::RecorderDialogs;

namespace {

template <typename T> T* child(QWidget* parent, const char* name) {
    T* w = parent->findChild<T*>(QString::fromLatin1(name));
    if (w == nullptr) qFatal("no control %s", name);
    return w;
}

int cellsOn(const Pattern& p) {
    int on = 0;
    for (const auto cell : p.values())
        on += cell == 1;
    return on;
}

// Clicks an up-down's arrow where a person would: the up arrow is its upper half, the down
// arrow its lower half.
void clickUp(UpDown* updown) {
    QTest::mouseClick(updown, Qt::LeftButton, {},
                      QPoint(updown->width() / 2, updown->height() / 4));
}
void clickDown(UpDown* updown) {
    QTest::mouseClick(updown, Qt::LeftButton, {},
                      QPoint(updown->width() / 2, updown->height() * 3 / 4));
}

Pattern parse(const char* text) {
    return ParsePatternText(text, Pattern(1, 1, -1), false).pattern;
}

const char* const kT = "[4X3] 1 1 1 0 1 0 0 1 0 0 1 0";
const char* const kL = "[4X3] 1 0 0 1 0 0 1 0 0 1 1 1";
const QString kStructure = "-2147220991  : Load File Error (File Structure)";
const QString kSize = "-2147220990  : Load File Error (Matrix Size is diferent)";

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    RecorderDialogs dialogs_;

    QString write(const QString& name, const QByteArray& text) {
        const QString path = dir_.filePath(name);
        WriteFileReplacing(path.toStdString(), text.toStdString());
        return path;
    }
    void click(QWidget* w, const char* name) {
        QTest::mouseClick(child<QPushButton>(w, name), Qt::LeftButton);
    }
    void load(frmDocument& doc, const QStringList& files) {
        dialogs_.openAnswers.push_back(files);
        click(&doc, "cmdLoad");
    }
    QPoint cell(frmDocument& doc, int r, int c) {
        auto* grid = child<QTableWidget>(&doc, "msfgGrelha");
        return grid->visualItemRect(grid->item(r, c)).center();
    }
    QModelIndex weightCell(frmSynapticWeights* editor, int i, int j) {
        return child<QTableView>(editor, "gridTest")->model()->index(i, j);
    }
    QString weightText(frmSynapticWeights* editor, int i, int j) {
        return weightCell(editor, i, j).data().toString();
    }
    // Types `text` into weight cell (i, j) as a person does: select the cell, type, press a key.
    void typeWeight(frmSynapticWeights* editor, int i, int j, const QString& text) {
        auto* grid = child<QTableView>(editor, "gridTest");
        grid->setCurrentIndex(weightCell(editor, i, j));
        QTest::keyClicks(grid, text.left(1));
        QTest::keyClicks(child<QLineEdit>(editor, "txtEdit"), text.mid(1));
    }
    // The grid takes clicks again once the second after a file dialog has passed.
    void waitUntilGridUnlocked(frmDocument& doc) {
        QTRY_VERIFY_WITH_TIMEOUT(child<QTableWidget>(&doc, "msfgGrelha")->isEnabled(), 3000);
    }
    QRect scrollBarPart(QScrollBar* bar, QStyle::SubControl part) {
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = bar->orientation();
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = bar->sliderPosition();
        option.sliderValue = bar->value();
        option.singleStep = bar->singleStep();
        option.pageStep = bar->pageStep();
        option.upsideDown = bar->invertedAppearance();
        return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
    }

private slots:
    void init() { dialogs_ = RecorderDialogs{}; }

    void opensWithTwelveByTenAllOff() {
        frmDocument doc(&dialogs_);
        QCOMPARE(child<QLabel>(&doc, "labLinhas")->text(), QString("12"));
        QCOMPARE(child<QLabel>(&doc, "labColunas")->text(), QString("10"));
        auto* grid = child<QTableWidget>(&doc, "msfgGrelha");
        QCOMPARE(grid->rowCount(), 12);
        QCOMPARE(grid->columnCount(), 10);
        QCOMPARE(cellsOn(doc.pattern()), 0);
        QCOMPARE(grid->item(3, 4)->background().color(), QColor(Qt::white));
        auto* order = child<QComboBox>(&doc, "cmbTypeProcess");
        QCOMPARE(order->count(), 3);
        QCOMPARE(order->itemText(2), QString("Full Parallel"));
        QCOMPARE(order->currentIndex(), 0);
        QVERIFY(!child<QCheckBox>(&doc, "chkMatch")->isChecked());
        QVERIFY(!child<QScrollBar>(&doc, "hscSeeStore")->isEnabled());
        QVERIFY(doc.editor() != nullptr);
        QVERIFY(doc.editor()->isHidden());
    }

    void dragTogglesTheRectangleAndDragBackRestores() {
        frmDocument doc(&dialogs_);
        auto* viewport = child<QTableWidget>(&doc, "msfgGrelha")->viewport();
        const auto drag = [&](int r0, int c0, int r1, int c1) {
            QTest::mousePress(viewport, Qt::LeftButton, {}, cell(doc, r0, c0));
            QTest::mouseMove(viewport, cell(doc, r1, c1));
            QTest::mouseRelease(viewport, Qt::LeftButton, {}, cell(doc, r1, c1));
        };
        drag(0, 0, 2, 3);
        QCOMPARE(cellsOn(doc.pattern()), 12);
        QCOMPARE(doc.pattern()(2, 3), std::int16_t(1));
        QCOMPARE(child<QTableWidget>(&doc, "msfgGrelha")->item(2, 3)->background().color(),
                 QColor(Qt::black));
        drag(2, 3, 0, 0);
        QCOMPARE(cellsOn(doc.pattern()), 0);
        QTest::mouseClick(viewport, Qt::LeftButton, {}, cell(doc, 5, 5));
        QCOMPARE(cellsOn(doc.pattern()), 1);
        QTest::mouseClick(viewport, Qt::RightButton, {}, cell(doc, 6, 6));
        QCOMPARE(cellsOn(doc.pattern()), 1);
    }

    void rowsSpinRebuildsAndClearsTheDrawing() {
        frmDocument doc(&dialogs_);
        auto* viewport = child<QTableWidget>(&doc, "msfgGrelha")->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, cell(doc, 1, 1));
        QCOMPARE(cellsOn(doc.pattern()), 1);
        auto* rows = child<UpDown>(&doc, "updownLinhas");
        clickUp(rows);
        QCOMPARE(doc.rows(), 13);
        QCOMPARE(child<QLabel>(&doc, "labLinhas")->text(), QString("13"));
        QCOMPARE(cellsOn(doc.pattern()), 0);
        clickDown(child<UpDown>(&doc, "updownColunas"));
        QCOMPARE(doc.columns(), 9);
        QCOMPARE(child<QTableWidget>(&doc, "msfgGrelha")->columnCount(), 9);
    }

    void storeNoiseRecallAndStep() {
        frmDocument doc(&dialogs_);
        load(doc, {write("t.Tsy", kT)});
        QCOMPARE(doc.pattern(), parse(kT));
        click(&doc, "cmdStore");
        load(doc, {write("l.Tsy", kL)});
        click(&doc, "cmdStore");
        auto* bar = child<QScrollBar>(&doc, "hscSeeStore");
        QVERIFY(bar->isEnabled());
        QCOMPARE(bar->maximum(), 2);
        QCOMPARE(bar->value(), 2);
        QVERIFY(!child<UpDown>(&doc, "updownLinhas")->isEnabled());
        bar->setValue(1);
        QCOMPARE(doc.pattern(), parse(kT));
        waitUntilGridUnlocked(doc);

        // One flipped cell of T comes back in every order, by Recall and by one Step.
        auto* viewport = child<QTableWidget>(&doc, "msfgGrelha")->viewport();
        auto* order = child<QComboBox>(&doc, "cmbTypeProcess");
        for (int index = 0; index < 3; ++index) {
            order->setCurrentIndex(index);
            QTest::mouseClick(viewport, Qt::LeftButton, {}, cell(doc, 0, 2));
            QVERIFY(doc.pattern() != parse(kT));
            click(&doc, "cmdRecall");
            QCOMPARE(doc.pattern(), parse(kT));
            QTest::mouseClick(viewport, Qt::LeftButton, {}, cell(doc, 0, 2));
            click(&doc, "cmdStep");
            QCOMPARE(doc.pattern(), parse(kT));
        }
        QVERIFY(dialogs_.questions.isEmpty());

        // Noise on the full grid flips about one cell in twenty.
        click(&doc, "cmdClean");
        QVERIFY(child<UpDown>(&doc, "updownLinhas")->isEnabled());
        QVERIFY(!bar->isEnabled());
        for (int k = 0; k < 47; ++k) {
            clickUp(child<UpDown>(&doc, "updownLinhas"));
            clickUp(child<UpDown>(&doc, "updownColunas"));
        }
        QCOMPARE(doc.rows(), 50);
        QCOMPARE(doc.columns(), 50);
        click(&doc, "cmdAddNoise");
        const int flipped = cellsOn(doc.pattern());
        QVERIFY2(flipped > 80 && flipped < 170, qPrintable(QString::number(flipped)));
        click(&doc, "cmdClearWindow");
        QCOMPARE(cellsOn(doc.pattern()), 0);
    }

    void gridIsLockedForASecondAfterAFileDialog() {
        frmDocument doc(&dialogs_);
        doc.show();
        auto* grid = child<QTableWidget>(&doc, "msfgGrelha");
        const auto clickCell = [&] {
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell(doc, 1, 1));
        };
        load(doc, {write("t.Tsy", kT)});
        QTest::qWait(200);
        clickCell();
        QCOMPARE(doc.pattern(), parse(kT));
        waitUntilGridUnlocked(doc);
        clickCell();
        QCOMPARE(doc.pattern()(1, 1), std::int16_t(-1));

        dialogs_.saveAnswers.push_back(dir_.filePath("locked.Tsy"));
        click(&doc, "cmdSave");
        clickCell();
        QCOMPARE(doc.pattern()(1, 1), std::int16_t(-1));
        waitUntilGridUnlocked(doc);
        clickCell();
        QCOMPARE(doc.pattern(), parse(kT));
    }

    void gridGrowsWithItsWindowInSquareCells() {
        frmDocument doc(&dialogs_);
        doc.show();
        QVERIFY(QTest::qWaitForWindowExposed(&doc));
        load(doc, {write("big.Tsy", "[50X50]" + QByteArray(" 1 0").repeated(1250))});
        auto* grid = child<QTableWidget>(&doc, "msfgGrelha");
        const QRect small = grid->visualItemRect(grid->item(0, 0));
        QCOMPARE(small.width(), small.height());
        doc.resize(doc.width() + 500, doc.height() + 500);
        QTRY_VERIFY(grid->visualItemRect(grid->item(0, 0)).width() >= small.width() + 8);
        const QRect large = grid->visualItemRect(grid->item(0, 0));
        QCOMPARE(large.width(), large.height());
        // The whole grid is seen, inside the window.
        QVERIFY(grid->viewport()->rect().contains(grid->visualItemRect(grid->item(49, 49))));
        QVERIFY(doc.rect().contains(QRect(grid->mapTo(&doc, QPoint()), grid->size())));
        // Clicks land on the cell under the pointer at the new size.
        waitUntilGridUnlocked(doc);
        QCOMPARE(doc.pattern()(10, 21), std::int16_t(-1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell(doc, 10, 21));
        QCOMPARE(doc.pattern()(10, 21), std::int16_t(1));
        QCOMPARE(cellsOn(doc.pattern()), 1251);
    }

    void seeStoreBarShowsWhichPatternOfHowMany() {
        frmDocument doc(&dialogs_);
        doc.show();
        QVERIFY(QTest::qWaitForWindowExposed(&doc));
        auto* caption = child<QLabel>(&doc, "lblSeeStore");
        QCOMPARE(caption->text(), QString("No stored patterns"));
        load(doc, {write("t.Tsy", kT)});
        click(&doc, "cmdStore");
        load(doc, {write("l.Tsy", kL)});
        click(&doc, "cmdStore");
        QCOMPARE(caption->text(), QString("Pattern 2 of 2"));
        auto* bar = child<QScrollBar>(&doc, "hscSeeStore");
        const QRect groove = scrollBarPart(bar, QStyle::SC_ScrollBarGroove);
        const QRect slider = scrollBarPart(bar, QStyle::SC_ScrollBarSlider);
        QVERIFY2(slider.width() * 2 <= groove.width() + 2,
                 qPrintable(QString("%1 of %2").arg(slider.width()).arg(groove.width())));
        QVERIFY2(slider.center().x() > groove.center().x(), "the newest is at the right");
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          scrollBarPart(bar, QStyle::SC_ScrollBarSubLine).center());
        QCOMPARE(bar->value(), 1);
        QCOMPARE(caption->text(), QString("Pattern 1 of 2"));
        QCOMPARE(doc.pattern(), parse(kT));
        click(&doc, "cmdClean");
        QCOMPARE(caption->text(), QString("No stored patterns"));
    }

    void recallWithNothingStoredGivesAnEmptyGrid() {
        frmDocument doc(&dialogs_);
        auto* viewport = child<QTableWidget>(&doc, "msfgGrelha")->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, cell(doc, 1, 1));
        click(&doc, "cmdRecall");
        QCOMPARE(doc.pattern(), Pattern(12, 10, -1));
        QVERIFY(child<UpDown>(&doc, "updownLinhas")->isEnabled());
        click(&doc, "cmdGetWeight");
        QVERIFY(doc.editor()->isHidden());
    }

    void savedPatternLoadsBackAfterNoise() {
        frmDocument doc(&dialogs_);
        click(&doc, "cmdAddNoise");
        click(&doc, "cmdAddNoise");
        const Pattern drawn = doc.pattern();
        const QString path = dir_.filePath("saved.Tsy");
        dialogs_.saveAnswers.push_back(path);
        click(&doc, "cmdSave");
        QVERIFY(!child<QTableWidget>(&doc, "msfgGrelha")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(child<QTableWidget>(&doc, "msfgGrelha")->isEnabled(), 3000);
        QCOMPARE(QString::fromStdString(ReadWholeFile(path.toStdString()).bytes),
                 QString::fromStdString(PatternFileText(drawn)));
        click(&doc, "cmdClearWindow");
        load(doc, {path});
        QCOMPARE(doc.pattern(), drawn);
        // A cancelled dialog does nothing.
        click(&doc, "cmdSave");
        click(&doc, "cmdLoad");
        QCOMPARE(doc.pattern(), drawn);
        QVERIFY(dialogs_.messages.isEmpty());
    }

    void failedSavesSayWhyAndKeepWhatWasThere() {
        frmDocument doc(&dialogs_);
        load(doc, {write("t.Tsy", kT)});
        // A folder stands where each file is to go (this holds for root too), with a file in it.
        const auto takenPlace = [this](const QString& name) {
            QDir(dir_.path()).mkpath(name);
            write(name + "/inside.txt", "inside");
            return dir_.filePath(name);
        };
        const auto untouched = [this](const QString& name) {
            return QFileInfo(dir_.filePath(name)).isDir() &&
                   ReadWholeFile(dir_.filePath(name + "/inside.txt").toStdString()).bytes ==
                       "inside";
        };
        const auto refusal = [](const QString& path) {
            return "75  : Path/File access error (" + path + ": " +
                   QString::fromLocal8Bit(std::strerror(EISDIR)) + ")";
        };
        const QString patternPlace = takenPlace("taken.Tsy");
        dialogs_.saveAnswers.push_back(patternPlace);
        click(&doc, "cmdSave");
        QCOMPARE(dialogs_.messages, QStringList{refusal(patternPlace)});
        QVERIFY(untouched("taken.Tsy"));
        QCOMPARE(doc.pattern(), parse(kT));

        click(&doc, "cmdStore");
        click(&doc, "cmdGetWeight");
        frmSynapticWeights* editor = doc.editor();
        const QString weightsPlace = takenPlace("taken.TsyW");
        dialogs_.saveAnswers.push_back(weightsPlace);
        click(editor, "cmdSave");
        QCOMPARE(dialogs_.messages.size(), 2);
        QCOMPARE(dialogs_.messages.last(), refusal(weightsPlace));
        QVERIFY(untouched("taken.TsyW"));
        QVERIFY(editor->isVisible());

        // An existing file in a folder closed to writing keeps its contents; root writes there
        // all the same, so this part needs an ordinary user.
        if (::geteuid() == 0) return;
        QDir(dir_.path()).mkpath("closed");
        const QString old = write("closed/old.Tsy", "[1X1] 1");
        QFile::setPermissions(dir_.filePath("closed"),
                              QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        dialogs_.saveAnswers.push_back(old);
        click(&doc, "cmdSave");
        QFile::setPermissions(dir_.filePath("closed"), QFileDevice::ReadOwner |
                                                           QFileDevice::WriteOwner |
                                                           QFileDevice::ExeOwner);
        QCOMPARE(dialogs_.messages.size(), 3);
        QVERIFY2(dialogs_.messages.last().startsWith("75  : Path/File access error (" + old + ": "),
                 qPrintable(dialogs_.messages.last()));
        QVERIFY(dialogs_.messages.last().endsWith(
            ": " + QString::fromLocal8Bit(std::strerror(EACCES)) + ")"));
        QCOMPARE(ReadWholeFile(old.toStdString()).bytes, std::string("[1X1] 1"));
    }

    void loadFailures_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("storeFirst");
        QTest::addColumn<QString>("message");
        QTest::newRow("structure") << QByteArray("[4X3 1 1 1") << false << kStructure;
        QTest::newRow("size while stored")
            << QByteArray("[3X3] 1 1 1 1 1 1 1 1 1") << true << kSize;
        QTest::newRow("beyond fifty")
            << QByteArray("[60X3] 1") << false << QString("380  : Invalid property value");
    }

    void loadFailures() {
        QFETCH(QByteArray, text);
        QFETCH(bool, storeFirst);
        QFETCH(QString, message);
        frmDocument doc(&dialogs_);
        load(doc, {write("t.Tsy", kT)});
        if (storeFirst) click(&doc, "cmdStore");
        load(doc, {write("bad.Tsy", text)});
        QCOMPARE(dialogs_.messages, QStringList{message});
        QCOMPARE(doc.pattern(), parse(kT));
        QCOMPARE(doc.rows(), 4);
    }

    void loadAndStoreSeveralFilesSkipsTheOneThatFails() {
        frmDocument doc(&dialogs_);
        child<QCheckBox>(&doc, "chkLoadAndStore")->setChecked(true);
        load(doc, {write("t.Tsy", kT), write("bad.Tsy", "nothing"), write("l.Tsy", kL)});
        QCOMPARE(dialogs_.messages, QStringList{kStructure});
        auto* bar = child<QScrollBar>(&doc, "hscSeeStore");
        QCOMPARE(bar->maximum(), 2);
        QCOMPARE(bar->value(), 2);
        QCOMPARE(doc.pattern(), parse(kL));
        load(doc, {write("t2.Tsy", kT), write("t3.Tsy", kT), write("l2.Tsy", kL)});
        QCOMPARE(bar->maximum(), 5);
    }

    void editorKeysAndSymmetricCommit() {
        frmDocument doc(&dialogs_);
        doc.setWindowNumber(3);
        click(&doc, "cmdNewWeight");
        frmSynapticWeights* editor = doc.editor();
        QVERIFY(editor && !editor->isHidden());
        QCOMPARE(editor->windowTitle(), QString::fromUtf8("Edit Synaptic Weights n.\u00ba 3"));
        auto* grid = child<QTableView>(editor, "gridTest");
        auto* edit = child<QLineEdit>(editor, "txtEdit");
        QCOMPARE(grid->model()->rowCount(), 120);
        QCOMPARE(grid->model()->headerData(10, Qt::Vertical).toString(), QString("(2 , 1)"));

        grid->setCurrentIndex(weightCell(editor, 0, 1));
        QTest::keyClick(grid, Qt::Key_7);
        QVERIFY(!edit->isHidden());
        QCOMPARE(edit->text(), QString("7"));
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(edit->isHidden());
        QCOMPARE(weightText(editor, 0, 1), QString("7"));
        QCOMPARE(weightText(editor, 1, 0), QString("7"));

        // "-" on the grid starts from "0"; inside the box it is accepted; letters are not.
        grid->setCurrentIndex(weightCell(editor, 2, 3));
        QTest::keyClick(grid, Qt::Key_Minus);
        QCOMPARE(edit->text(), QString("0"));
        edit->clear();
        QTest::keyClicks(edit, "-2x.5");
        QCOMPARE(edit->text(), QString("-2.5"));
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(edit->isHidden());
        QCOMPARE(weightText(editor, 2, 3), QString("0"));

        // Down commits and moves one row; an edit that is not a number is dropped.
        QTest::keyClick(grid, Qt::Key_5);
        QTest::keyClick(edit, Qt::Key_Down);
        QCOMPARE(grid->currentIndex().row(), 3);
        QCOMPARE(weightText(editor, 2, 3), QString("5"));
        QCOMPARE(weightText(editor, 3, 2), QString("5"));
        child<QCheckBox>(editor, "chkMatSimetrica")->setChecked(false);
        QTest::keyClick(grid, Qt::Key_Space);
        QCOMPARE(edit->text(), QString("0"));
        edit->setText("1E");
        QTest::keyClick(edit, Qt::Key_Up);
        QCOMPARE(grid->currentIndex().row(), 2);
        QCOMPARE(weightText(editor, 3, 3), QString("0"));
        QTest::keyClick(grid, Qt::Key_9);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(weightText(editor, 2, 3), QString("9"));
        QCOMPARE(weightText(editor, 3, 2), QString("5"));

        // A click on a data cell opens the box on the cell's text, all of it selected; a click
        // elsewhere in the window commits it.
        const QRect rect = grid->visualRect(weightCell(editor, 1, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
        QVERIFY(!edit->isHidden());
        QCOMPARE(edit->text(), QString("7"));
        QCOMPARE(edit->selectedText(), QString("7"));
        QTest::keyClicks(edit, "12");
        QTest::mouseClick(editor, Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(edit->isHidden());
        QCOMPARE(weightText(editor, 1, 0), QString("12"));
        QCOMPARE(weightText(editor, 0, 1), QString("7"));
    }

    void editorRefusesWeightsNoFloatHolds() {
        frmDocument doc(&dialogs_);
        load(doc, {write("s.Tsy", "[1X3] 1 0 1")});
        click(&doc, "cmdNewWeight");
        frmSynapticWeights* editor = doc.editor();
        auto* edit = child<QLineEdit>(editor, "txtEdit");
        const QString overflow = "6  : Overflow";

        typeWeight(editor, 0, 1, "2.5");
        QTest::keyClick(edit, Qt::Key_Return);
        typeWeight(editor, 0, 1, "1e40");
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(dialogs_.messages, QStringList{overflow});
        QVERIFY(edit->isHidden());
        QCOMPARE(weightText(editor, 0, 1), QString("2.5"));
        QCOMPARE(weightText(editor, 1, 0), QString("2.5"));

        // Pressed with such a value pending, Save writes nothing and OK keeps the editor open.
        const QString path = dir_.filePath("huge.TsyW");
        typeWeight(editor, 1, 2, "9e99");
        dialogs_.saveAnswers.push_back(path);
        click(editor, "cmdSave");
        QCOMPARE(dialogs_.messages.size(), 2);
        QVERIFY(!QFile::exists(path));
        typeWeight(editor, 1, 2, "1e40");
        click(editor, "cmdOK");
        QCOMPARE(dialogs_.messages.size(), 3);
        QVERIFY(doc.editor() != nullptr && doc.editor()->isVisible());
        QCOMPARE(weightText(editor, 1, 2), QString("0"));

        // The initialisation value and a weights file are held to the same range.
        child<QLineEdit>(editor, "txtIn")->setText("1e40");
        click(editor, "cmdWeightsInitialisation");
        QCOMPARE(dialogs_.messages.last(), overflow);
        QCOMPARE(dialogs_.beeps, 0);
        dialogs_.openAnswers.push_back({write("h.TsyW", "[3X3] 0 1 1E+40 1 0 1 1 1 0")});
        click(editor, "cmdLoad");
        QCOMPARE(dialogs_.messages.size(), 5);
        QCOMPARE(dialogs_.messages.last(), overflow);
        QCOMPARE(weightText(editor, 0, 2), QString("0"));
        QCOMPARE(weightText(editor, 0, 1), QString("2.5"));

        // Nothing was lost: OK hands over what the cells show.
        click(editor, "cmdOK");
        QTRY_VERIFY(doc.editor() == nullptr);
        click(&doc, "cmdGetWeight");
        QCOMPARE(weightText(doc.editor(), 0, 1), QString("2.5"));
        QCOMPARE(weightText(doc.editor(), 1, 2), QString("0"));
    }

    void editorColumnsCanBeWidenedAndFitted() {
        frmDocument doc(&dialogs_);
        doc.show();
        load(doc, {write("s.Tsy", "[1X3] 1 0 1")});
        click(&doc, "cmdNewWeight");
        frmSynapticWeights* editor = doc.editor();
        QVERIFY(QTest::qWaitForWindowExposed(editor));
        auto* grid = child<QTableView>(editor, "gridTest");
        typeWeight(editor, 0, 1, "123456789.0123");
        QTest::keyClick(child<QLineEdit>(editor, "txtEdit"), Qt::Key_Return);
        QHeaderView* header = grid->horizontalHeader();
        const int narrow = header->sectionSize(1);
        const int needed = grid->fontMetrics().horizontalAdvance("123456789.0123");
        QVERIFY(narrow < needed);

        // Dragging the right edge of column 1 widens it.
        const int edge = header->sectionViewportPosition(1) + narrow - 1;
        const int middle = header->height() / 2;
        QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(edge, middle));
        QTest::mouseMove(header->viewport(), QPoint(edge + 30, middle));
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(edge + 30, middle));
        QCOMPARE(header->sectionSize(1), narrow + 30);

        // A double click on the edge fits the column to its widest text.
        const int fitted = header->sectionViewportPosition(1) + header->sectionSize(1) - 1;
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, QPoint(fitted, middle));
        QVERIFY2(header->sectionSize(1) >= needed,
                 qPrintable(QString("%1 < %2").arg(header->sectionSize(1)).arg(needed)));
        QVERIFY(header->sectionSize(1) < needed + 40);
        QCOMPARE(weightText(editor, 0, 1), QString("123456789.0123"));

        // The header's menu fits every column: column 0 holds the mirrored long value.
        QVERIFY(header->sectionSize(0) < needed);
        QTimer::singleShot(0, this, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu != nullptr);
            QAction* fitAll = menu->actions().value(1);
            QCOMPARE(fitAll->text(), QString("Fit All Columns to Contents"));
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(fitAll).center());
        });
        const QPoint onHeader(header->sectionViewportPosition(2) + 5, middle);
        // The context-menu event a right click on the header gives.
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, onHeader,
                                     header->viewport()->mapToGlobal(onHeader));
        QApplication::sendEvent(header->viewport(), &rightClick);
        QVERIFY(header->sectionSize(0) >= needed);
    }

    void editorInitialisationAndOkGiveTheEngineItsMatrix() {
        frmDocument doc(&dialogs_);
        load(doc, {write("d.Tsy", "[4X3] 1 0 0 0 1 0 0 0 1 0 0 1")});
        click(&doc, "cmdNewWeight");
        frmSynapticWeights* editor = doc.editor();
        auto* in = child<QLineEdit>(editor, "txtIn");
        QCOMPARE(in->text(), QString("0"));
        in->setText("0.25");
        click(editor, "cmdWeightsInitialisation");
        QCOMPARE(weightText(editor, 0, 1), QString("0.25"));
        QCOMPARE(weightText(editor, 4, 4), QString("0"));
        in->setText("-");
        click(editor, "cmdWeightsInitialisation");
        QCOMPARE(dialogs_.beeps, 1);
        QCOMPARE(weightText(editor, 0, 1), QString("0.25"));
        click(editor, "cmdOK");
        QTRY_VERIFY(doc.editor() == nullptr);
        QVERIFY(!child<UpDown>(&doc, "updownLinhas")->isEnabled());

        // All weights 0.25: every cell follows the majority of the others, here off.
        click(&doc, "cmdRecall");
        QCOMPARE(dialogs_.messages, QStringList{});
        QCOMPARE(QString::fromStdString(PatternFileText(doc.pattern())),
                 QString::fromStdString(PatternFileText(Pattern(4, 3, -1))));
        click(&doc, "cmdGetWeight");
        QVERIFY(doc.editor() != nullptr);
        QCOMPARE(weightText(doc.editor(), 1, 0), QString("0.25"));
        click(doc.editor(), "cmdCancel");
        QTRY_VERIFY(doc.editor() == nullptr);
    }

    void editorWeightsFileRoundTripAndSizeMessage() {
        frmDocument doc(&dialogs_);
        load(doc, {write("t.Tsy", "[2X1] 1 0")});
        click(&doc, "cmdStore");
        click(&doc, "cmdGetWeight");
        frmSynapticWeights* editor = doc.editor();
        QCOMPARE(weightText(editor, 0, 1), QString("-1"));
        const QString path = dir_.filePath("w.TsyW");
        dialogs_.saveAnswers.push_back(path);
        click(editor, "cmdSave");
        QCOMPARE(QString::fromStdString(ReadWholeFile(path.toStdString()).bytes),
                 QString("[2X2]\r\n  0 -1\r\n -1  0"));
        dialogs_.openAnswers.push_back({write("w3.TsyW", "[3X3] 1 1 1 1 1 1 1 1 1")});
        click(editor, "cmdLoad");
        QCOMPARE(dialogs_.messages, QStringList{kSize});
        QCOMPARE(weightText(editor, 0, 1), QString("-1"));
        dialogs_.openAnswers.push_back({write("w2.TsyW", "[2x2]\n 0 .5\n .5 0")});
        click(editor, "cmdLoad");
        QCOMPARE(weightText(editor, 0, 1), QString(".5"));
    }

    void largestGridGetsAnEditorAndBackItsMatrix() {
        frmDocument doc(&dialogs_);
        load(doc, {write("big.Tsy", "[50X50]" + QByteArray(" 1 0").repeated(1250))});
        click(&doc, "cmdNewWeight");
        QCOMPARE(child<QTableView>(doc.editor(), "gridTest")->model()->rowCount(), 2500);
        // Fitting a column of 2500 rows to its texts is immediate.
        QHeaderView* header = child<QTableView>(doc.editor(), "gridTest")->horizontalHeader();
        const int edge = header->sectionViewportPosition(0) + header->sectionSize(0) - 1;
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, {},
                           QPoint(edge, header->height() / 2));
        QVERIFY(header->sectionSize(0) < 60);
        click(doc.editor(), "cmdOK");
        click(&doc, "cmdStep");
        QCOMPARE(cellsOn(doc.pattern()), 1250);
    }

    void longRecallAsksEveryHundredSweeps() {
        frmDocument doc(&dialogs_);
        load(doc, {write("s.Tsy", "[1X2] 1 1")});
        click(&doc, "cmdNewWeight");
        child<QLineEdit>(doc.editor(), "txtIn")->setText("-1");
        click(doc.editor(), "cmdWeightsInitialisation");
        click(doc.editor(), "cmdOK");
        child<QComboBox>(&doc, "cmbTypeProcess")->setCurrentIndex(2);
        dialogs_.yesNoAnswers = {true, false};
        click(&doc, "cmdRecall");
        QCOMPARE(dialogs_.questions.size(), 2);
        QVERIFY(dialogs_.questions[1].contains("after 200 iterations.\r\nDo you wish"));
        QCOMPARE(doc.pattern(), parse("[1X2] 1 1"));
    }

    void mainWindowNumbersWindowsAndKeepsItsPlace() {
        const QString ini = dir_.filePath("settings.ini");
        {
            frmMain main(std::make_unique<QSettings>(ini, QSettings::IniFormat), &dialogs_);
            QCOMPARE(main.windowTitle(), QString("Tessaly"));
            QCOMPARE(main.pos(), QPoint(67, 67)); // 1000 twips, to the nearest pixel
            QVERIFY(main.width() >= 6500 / 15);
            auto* mdi = main.mdiArea();
            QCOMPARE(mdi->subWindowList().size(), 1);
            QCOMPARE(mdi->subWindowList()[0]->windowTitle(),
                     QString::fromUtf8("Hopfield Net Window n.\u00ba 1"));
            main.findChild<QAction*>("mnuNew")->trigger();
            main.findChild<QAction*>("mnuNew")->trigger();
            mdi->subWindowList()[1]->close();
            QTRY_COMPARE(mdi->subWindowList().size(), 2);
            main.findChild<QAction*>("mnuNew")->trigger();
            QCOMPARE(mdi->subWindowList().last()->windowTitle(),
                     QString::fromUtf8("Hopfield Net Window n.\u00ba 4"));
            main.move(90, 120);
            main.resize(800, 600);
            main.close();
        }
        QSettings stored(ini, QSettings::IniFormat);
        QCOMPARE(stored.value("Settings/MainLeft").toString(), QString("1350"));
        QCOMPARE(stored.value("Settings/MainTop").toString(), QString("1800"));
        QCOMPARE(stored.value("Settings/MainWidth").toString(), QString("12000"));
        QCOMPARE(stored.value("Settings/MainHeight").toString(), QString("9000"));

        // A setting that is not a number takes its default; Exit writes nothing.
        stored.setValue("Settings/MainTop", "middle");
        stored.sync();
        {
            frmMain main(std::make_unique<QSettings>(ini, QSettings::IniFormat), &dialogs_);
            QCOMPARE(main.pos(), QPoint(90, 67));
            QCOMPARE(main.size(), QSize(800, 600));
            main.move(10, 10);
            main.findChild<QAction*>("mnuExit")->trigger();
        }
        QSettings after(ini, QSettings::IniFormat);
        QCOMPARE(after.value("Settings/MainLeft").toString(), QString("1350"));
        QCOMPARE(after.value("Settings/MainTop").toString(), QString("middle"));

        // Closed while minimised: the place is not written either.
        {
            frmMain main(std::make_unique<QSettings>(ini, QSettings::IniFormat), &dialogs_);
            main.move(5, 5);
            main.setWindowState(Qt::WindowMinimized);
            QVERIFY(main.isMinimized());
            main.close();
        }
        QSettings last(ini, QSettings::IniFormat);
        QCOMPARE(last.value("Settings/MainLeft").toString(), QString("1350"));
    }

    void newWindowsCascadeInsideTheWorkspace() {
        frmMain main(
            std::make_unique<QSettings>(dir_.filePath("cascade.ini"), QSettings::IniFormat),
            &dialogs_);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        const QRect screen = main.screen()->availableGeometry();
        QMdiArea* mdi = main.mdiArea();
        for (int k = 0; k < 3; ++k)
            main.findChild<QAction*>("mnuNew")->trigger();
        const auto windows = mdi->subWindowList();
        QCOMPARE(windows.size(), 4);
        QVERIFY(screen.contains(main.frameGeometry()));
        for (QMdiSubWindow* sub : windows) {
            QVERIFY2(mdi->viewport()->rect().contains(sub->geometry()),
                     qPrintable(sub->windowTitle()));
            QVERIFY(sub->size() == sub->sizeHint());
        }
        // Each one a title bar further down and right, at least the first two.
        QCOMPARE(windows[0]->pos(), QPoint(0, 0));
        QVERIFY(windows[1]->x() >= 16 && windows[1]->y() >= 16);
        QCOMPARE(windows[1]->x(), windows[1]->y());
        QVERIFY(!mdi->horizontalScrollBar()->isVisible());
        QVERIFY(!mdi->verticalScrollBar()->isVisible());
    }

    void weightsEditorOpensOnTheScreen() {
        const QString ini = dir_.filePath("low.ini");
        {
            QSettings low(ini, QSettings::IniFormat);
            const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
            // The frame's top left near the bottom right corner of the screen.
            low.setValue("Settings/MainLeft", (screen.right() - 200) * 15);
            low.setValue("Settings/MainTop", (screen.bottom() - 150) * 15);
        }
        frmMain main(std::make_unique<QSettings>(ini, QSettings::IniFormat), &dialogs_);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        auto* doc = qobject_cast<frmDocument*>(main.mdiArea()->subWindowList()[0]->widget());
        click(doc, "cmdNewWeight");
        frmSynapticWeights* editor = doc->editor();
        QVERIFY(QTest::qWaitForWindowExposed(editor));
        const QRect screen = editor->screen()->availableGeometry();
        QVERIFY2(screen.contains(editor->frameGeometry()), qPrintable(QString("%1,%2 %3x%4")
                                                                          .arg(editor->x())
                                                                          .arg(editor->y())
                                                                          .arg(editor->width())
                                                                          .arg(editor->height())));
        QVERIFY(editor->width() >= 300 && editor->height() >= 200);
        // It opens over its pattern window, as near as the screen allows.
        const QRect owner(doc->mapToGlobal(QPoint()), doc->size());
        QVERIFY(editor->frameGeometry().intersects(owner));
    }

    void windowMenuListsTheOpenPatternWindows() {
        frmMain main(std::make_unique<QSettings>(dir_.filePath("menu.ini"), QSettings::IniFormat),
                     &dialogs_);
        main.newDocument();
        auto* menu = main.findChild<QMenu*>("mnu1");
        QVERIFY(menu != nullptr);
        emit menu->aboutToShow();
        QCOMPARE(menu->actions().size(), 2);
        QCOMPARE(menu->actions()[1]->text(), QString::fromUtf8("Hopfield Net Window n.\u00ba 2"));
        menu->actions()[0]->trigger();
        QCOMPARE(main.mdiArea()->activeSubWindow()->windowTitle(),
                 QString::fromUtf8("Hopfield Net Window n.\u00ba 1"));
    }

    void aboutWithoutSystemInformationProgramSaysSo() {
        frmAbout about(&dialogs_);
        QCOMPARE(about.windowTitle(), QString("About Tessaly"));
        QCOMPARE(child<QLabel>(&about, "lblVersion")->text(), QString("Version 1.0.0"));
        QCOMPARE(child<QLabel>(&about, "lblTitle")->text(), QString("Tessaly"));
        click(&about, "cmdSysInfo");
        QCOMPARE(dialogs_.programStarts, 1);
        QCOMPARE(dialogs_.messages, QStringList{"System Information Is Unavailable At This Time"});
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
