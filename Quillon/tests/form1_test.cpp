// Drives the analyser's window by its control names, with message boxes recorded.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

#include "ui/form1.h"
#include "ui/grid_editor.h"
#include "ui/signal_view.h"

using quillon::Form1;

namespace {

// Test files, found from the program folder the tests run in.
QString dataFile(const QString& name) {
    return QDir::current().absoluteFilePath("tests/data/" + name);
}

QStringList rows(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

private:
    struct Window {
        Form1 form;
        QStringList messages; // "title|text"
        QTemporaryDir dir;
        Window() {
            form.showMessage = [this](const QString& title, const QString& text) {
                messages << title + "|" + text;
            };
            // The test files are found from the program's folder, where the tests run.
            for (const char* name : {"step_ramp.txt", "table.txt", "symbols.txt"})
                if (!QFile::copy(dataFile(name), dir.filePath(name)))
                    qFatal("cannot copy %s: run the test in the program's folder", name);
            form.show();
        }
        // Browses through the folder tree and picks a file in the file list.
        void pick(const QString& name) {
            form.Dir1->setCurrentIndex(
                static_cast<QFileSystemModel*>(form.Dir1->model())->index(dir.path()));
            QTRY_VERIFY(form.selectFile(name));
        }
        void read(QRadioButton* option, const QString& name) {
            pick(name);
            option->click();
            QTest::mouseClick(form.CmdRead, Qt::LeftButton);
        }
        void type(QLineEdit* edit, const QString& text) {
            edit->selectAll();
            QTest::keyClicks(edit, text);
        }
        // Types one cell through the grid's editor, starting on the current cell.
        void typeCell(const QString& text, Qt::Key finish = Qt::Key_Return) {
            QTest::keyClicks(form.Grid, text.left(1));
            QTest::keyClicks(form.TxtGrid, text.mid(1));
            QTest::keyClick(form.TxtGrid, finish);
        }
    };

    // Types the table rows into the grid: three cells per row, Down moves to the next row.
    static void typeTable(Window& w, const QStringList& cells) {
        for (int i = 0; i < cells.size(); ++i) {
            int row = i / 3;
            int column = i % 3;
            w.form.Grid->setCurrentCell(row, column);
            w.typeCell(cells[i], column == 2 ? Qt::Key_Down : Qt::Key_Return);
        }
    }

private slots:
    void wholeSession() {
        Window w;
        QVERIFY(!w.dir.path().isEmpty());
        w.read(w.form.Option1, "step_ramp.txt");
        QCOMPARE(w.messages, QStringList());
        QCOMPARE(w.form.LblFName->text(), w.dir.path() + "/step_ramp.txt");
        QCOMPARE(w.form.Lblnt->text(), QString("19"));
        QCOMPARE(w.form.LblMin->text(), QString("-50"));
        QCOMPARE(w.form.LblMax->text(), QString("10"));
        QCOMPARE(w.form.List1->count(), 19);
        QCOMPARE(w.form.List1->item(6)->text(), QString("7: 2"));

        w.type(w.form.TxtTol, "0.5");
        QTest::mouseClick(w.form.CmdApp, Qt::LeftButton);
        QCOMPARE(w.form.Lblna->text(), QString("4"));
        QCOMPARE(rows(w.form.List2), (QStringList{" 1,   5(   6),  0.0", " 2,   5(  11),  2.0",
                                                  " 3,   5(  16),  0.0", " 4,   3(  19),-20.0"}));

        QTest::mouseClick(w.form.CmdLabel, Qt::LeftButton);
        QCOMPARE(rows(w.form.List2),
                 (QStringList{" 1,   5(   6),  0.0,   h", " 2,   5(  11),  2.0,   u",
                              " 3,   5(  16),  0.0,   h", " 4,   3(  19),-20.0,   D"}));

        typeTable(w, {"A", "h", "A", "A", "u", "B", "B", "h", "C", "C", "D", "F"});
        QCOMPARE(quillon::cellText(w.form.Grid, 3, 2), QString("F"));
        QTest::mouseClick(w.form.CmdParse, Qt::LeftButton);
        QCOMPARE(w.messages, QStringList());
        QCOMPARE(rows(w.form.List3), (QStringList{"A", "B", "C", "h", "u", "h", "D", "1,1,A",
                                                  "1,2,B", "2,1,C", "3,4,F"}));
        QCOMPARE(rows(w.form.List2),
                 (QStringList{" 1,   5(   6),  0.0,   h,  A", " 2,   5(  11),  2.0,   u,  B",
                              " 3,   5(  16),  0.0,   h,  C", " 4,   3(  19),-20.0,   D,  F"}));
        // The segment that ends in the final state is drawn black.
        const auto& lines = w.form.Picture1->plan().approximation;
        QVERIFY(lines.size() == 18);
        QVERIFY(lines.back().color == quillon::Rgb{});
        QVERIFY(lines.front().color == (quillon::Rgb{0, 255, 0}));

        w.type(w.form.TxtFName, "segments");
        QTest::mouseClick(w.form.CmdSave, Qt::LeftButton);
        QFile saved(w.dir.filePath("segments.txt"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray(" 1,     5,      0.0,   h,  A\r\n"
                                             " 2,     5,      2.0,   u,  B\r\n"
                                             " 3,     5,      0.0,   h,  C\r\n"
                                             " 4,     3,    -20.0,   D,  F\r\n"));
    }

    void gridEditorKeys() {
        Window w;
        QTableWidget* grid = w.form.Grid;
        grid->setFocus();
        grid->setCurrentCell(2, 1);
        w.typeCell("xyz");
        QCOMPARE(quillon::cellText(grid, 2, 1), QString("xyz"));
        QVERIFY(!w.form.TxtGrid->isVisible());

        // Enter on the grid opens the cell's text, all selected; typing replaces it.
        QTest::keyClick(grid, Qt::Key_Return);
        QVERIFY(w.form.TxtGrid->isVisible());
        QCOMPARE(w.form.TxtGrid->selectedText(), QString("xyz"));
        QTest::keyClicks(w.form.TxtGrid, "q");
        QTest::keyClick(w.form.TxtGrid, Qt::Key_Escape);
        QCOMPARE(quillon::cellText(grid, 2, 1), QString("xyz"));
        QVERIFY(!w.form.TxtGrid->isVisible());

        // Up stores and moves one row up; at row 0 it stays.
        w.typeCell("up", Qt::Key_Up);
        QCOMPARE(quillon::cellText(grid, 2, 1), QString("up"));
        QCOMPARE(grid->currentRow(), 1);
        grid->setCurrentCell(0, 0);
        w.typeCell("top", Qt::Key_Up);
        QCOMPARE(grid->currentRow(), 0);
        grid->setCurrentCell(49, 2);
        w.typeCell("end", Qt::Key_Down);
        QCOMPARE(grid->currentRow(), 49);
        QCOMPARE(quillon::cellText(grid, 49, 2), QString("end"));

        // Moving to another cell while editing stores the text.
        QTest::keyClicks(grid, "m");
        grid->setCurrentCell(5, 0);
        QCOMPARE(quillon::cellText(grid, 49, 2), QString("m"));

        // So does a click on the window's background.
        QTest::keyClicks(grid, "w");
        QTest::mouseClick(&w.form, Qt::LeftButton, {}, QPoint(2, w.form.height() - 2));
        QVERIFY(!w.form.TxtGrid->isVisible());
        QCOMPARE(quillon::cellText(grid, 5, 0), QString("w"));

        QTest::mouseClick(w.form.CmdClear, Qt::LeftButton);
        QCOMPARE(quillon::cellText(grid, 0, 0), QString());
        QCOMPARE(quillon::cellText(grid, 49, 2), QString());
    }

    // In an active window, as the user meets it: the keys go wherever the focus is. Closing
    // the editor leaves the current cell where it was; Up and Down move only one row.
    void gridEditorKeysKeepTheColumn() {
        Window w;
        w.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        QTableWidget* grid = w.form.Grid;
        grid->setFocus();
        grid->setCurrentCell(0, 0);
        auto type = [](const QString& text) {
            QTest::keyClicks(QApplication::focusWidget(), text);
        };
        auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };

        type("A");
        QVERIFY(w.form.TxtGrid->hasFocus());
        press(Qt::Key_Return);
        QVERIFY(grid->hasFocus());
        QCOMPARE(grid->currentRow(), 0);
        QCOMPARE(grid->currentColumn(), 0);
        press(Qt::Key_Right);
        type("h");
        press(Qt::Key_Escape);
        QCOMPARE(grid->currentColumn(), 1);
        QCOMPARE(quillon::cellText(grid, 0, 1), QString());
        type("u");
        press(Qt::Key_Enter);
        press(Qt::Key_Right);
        type("B");
        press(Qt::Key_Down);
        QCOMPARE(grid->currentRow(), 1);
        QCOMPARE(grid->currentColumn(), 2);
        type("F");
        press(Qt::Key_Up);
        press(Qt::Key_Up);
        QCOMPARE(grid->currentRow(), 0);
        QCOMPARE(grid->currentColumn(), 2);
        type("C");
        press(Qt::Key_Up); // no row above: the cell stays current
        QCOMPARE(grid->currentRow(), 0);
        QCOMPARE(grid->currentColumn(), 2);
        QStringList cells;
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 3; ++c)
                cells << quillon::cellText(grid, r, c);
        QCOMPARE(cells, (QStringList{"A", "u", "C", "", "", "F"}));
    }

    void readingStringsAndTables() {
        Window w;
        w.read(w.form.Option2, "symbols.txt");
        QCOMPARE(w.form.LblList->text(), QString("# Symbol State"));
        QCOMPARE(w.form.Lblnt->text(), QString("4"));
        QCOMPARE(rows(w.form.List2), (QStringList{" 1,   h", " 2,   u", " 3,   d", " 4,   h"}));

        w.read(w.form.Option3, "table.txt");
        QCOMPARE(quillon::cellText(w.form.Grid, 1, 1), QString("u"));
        QCOMPARE(quillon::cellText(w.form.Grid, 3, 2), QString("F"));
        QTest::mouseClick(w.form.CmdParse, Qt::LeftButton);
        QCOMPARE(rows(w.form.List2),
                 (QStringList{" 1,   h,  A", " 2,   u,  B", " 3,   d,  ?", " 4,   h,  A"}));

        w.type(w.form.TxtFName, "string");
        QTest::mouseClick(w.form.CmdSave, Qt::LeftButton);
        QFile saved(w.dir.filePath("string.txt"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray(" 1,   h,  A\r\n 2,   u,  B\r\n 3,   d,  ?\r\n"
                                             " 4,   h,  A\r\n"));
    }

    // A file chosen in one folder is not read from another folder the browser moves to,
    // even when that folder holds a file of the same name.
    void folderChangeDropsTheChosenFile() {
        Window w;
        QVERIFY(QDir(w.dir.path()).mkdir("other"));
        QVERIFY(QFile::copy(dataFile("symbols.txt"), w.dir.filePath("other/step_ramp.txt")));
        w.pick("step_ramp.txt");
        w.form.setFolder(w.dir.filePath("other"));
        QTest::mouseClick(w.form.CmdRead, Qt::LeftButton);
        QCOMPARE(w.form.LblFName->text(), w.dir.filePath("other") + "/");
        QCOMPARE(w.messages, QStringList{"File read|File error"});
        QCOMPARE(w.form.Lblnt->text(), QString());
    }

    // A file named when the program starts is read as a signal and chosen in the file list, so
    // that Read reads it again.
    void fileNamedAtStart() {
        Window w;
        const QString path = w.dir.filePath("step_ramp.txt");
        w.form.openSignal(path);
        QCOMPARE(w.messages, QStringList());
        QCOMPARE(w.form.LblFName->text(), path);
        QCOMPARE(w.form.Lblnt->text(), QString("19"));
        QCOMPARE(w.form.LblMax->text(), QString("10"));
        QCOMPARE(w.form.List1->count(), 19);
        QTRY_COMPARE(w.form.File1->currentIndex().data().toString(), QString("step_ramp.txt"));
        QTest::mouseClick(w.form.CmdRead, Qt::LeftButton);
        QCOMPARE(w.messages, QStringList());
        QCOMPARE(w.form.LblFName->text(), path);
        QCOMPARE(w.form.Lblnt->text(), QString("19"));
    }

    // The counts show what is held now: a new signal has no line segments yet, a failed read
    // changes nothing, and a symbol string is counted as what was read.
    void countsFollowWhatIsHeld() {
        Window w;
        w.read(w.form.Option1, "step_ramp.txt");
        QCOMPARE(w.form.Lblna->text(), QString());
        w.type(w.form.TxtTol, "0.5");
        QTest::mouseClick(w.form.CmdApp, Qt::LeftButton);
        QCOMPARE(w.form.Lblna->text(), QString("4"));

        QFile shorter(w.dir.filePath("short.txt"));
        QVERIFY(shorter.open(QIODevice::WriteOnly));
        shorter.write("1\r\n2\r\n3\r\n");
        shorter.close();
        w.read(w.form.Option1, "short.txt");
        QCOMPARE(w.form.Lblnt->text(), QString("3"));
        QCOMPARE(w.form.Lblna->text(), QString());
        QTest::mouseClick(w.form.CmdLabel, Qt::LeftButton);
        QCOMPARE(w.messages, QStringList{"Quillon|No line segments to label"});

        QTest::mouseClick(w.form.CmdApp, Qt::LeftButton);
        QCOMPARE(w.form.Lblna->text(), QString("1"));
        w.read(w.form.Option1, "symbols.txt"); // no signal: refused, nothing changes
        QCOMPARE(w.form.Lblnt->text(), QString("3"));
        QCOMPARE(w.form.Lblna->text(), QString("1"));
        QTest::mouseClick(w.form.CmdLabel, Qt::LeftButton);
        QCOMPARE(w.messages.size(), 2);

        w.read(w.form.Option2, "symbols.txt");
        QCOMPARE(w.form.Lblnt->text(), QString("4"));
        QCOMPARE(w.form.Lblna->text(), QString());
    }

    // With zoom the scroll bar reaches the last of 2000 samples; without, it goes back to 1000.
    void zoomedScrollingReachesEverySample() {
        Window w;
        QFile full(w.dir.filePath("full.txt"));
        QVERIFY(full.open(QIODevice::WriteOnly));
        for (int i = 1; i <= 2000; ++i)
            full.write(QByteArray::number(i) + "\r\n");
        full.close();
        w.read(w.form.Option1, "full.txt");
        QScrollBar* scroll = w.form.HScroll1;
        QTest::mouseClick(w.form.Check3, Qt::LeftButton);
        scroll->setFocus();
        QTest::keyClick(scroll, Qt::Key_End);
        QCOMPARE(w.form.LblInic->text(), QString("1751"));
        QCOMPARE(w.form.List1->item(w.form.List1->count() - 1)->text(), QString("2000: 2000"));
        // The drawing ends at sample 2000, one unit below the top.
        QCOMPARE(w.form.Picture1->plan().signal.back().y2, 1.0);

        QTest::mouseClick(w.form.Check3, Qt::LeftButton);
        QCOMPARE(scroll->maximum(), 1000);
        QCOMPARE(w.form.LblInic->text(), QString("1000"));
        QCOMPARE(w.form.List1->item(0)->text(), QString("1000: 1000"));
        QCOMPARE(w.form.Picture1->plan().signal.back().y2, 1.0);
    }

    // The folder tree opens on the current folder, selected and in view, however many
    // folders come before it.
    void folderTreeStartsOnTheCurrentFolder() {
        QTemporaryDir root;
        for (int i = 0; i < 150; ++i)
            QVERIFY(QDir(root.path()).mkdir(QString("f%1").arg(i, 3, 10, QChar('0'))));
        const QString start = root.filePath("f120");
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(start));
        Form1 form;
        QVERIFY(QDir::setCurrent(previous));
        form.resize(1220, 780);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* model = static_cast<QFileSystemModel*>(form.Dir1->model());
        QTRY_COMPARE(model->filePath(form.Dir1->currentIndex()), start);
        // Wait for the siblings to be listed and sorted, then the folder must still show.
        QTRY_VERIFY(model->rowCount(model->index(root.path())) == 150);
        QTest::qWait(200);
        QRect shown = form.Dir1->visualRect(form.Dir1->currentIndex());
        QVERIFY2(form.Dir1->viewport()->rect().contains(shown), "the folder is out of view");
        QVERIFY(form.Dir1->selectionModel()->isSelected(form.Dir1->currentIndex()));
    }

    void messages_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("expected");
        QTest::newRow("nothing to save") << "Option1"
                                         << "step_ramp.txt"
                                         << "CmdSave"
                                         << "Quillon|Nothing to save";
        QTest::newRow("no string") << "Option1"
                                   << "step_ramp.txt"
                                   << "CmdParse"
                                   << "Quillon|No string to parse";
        QTest::newRow("invalid table") << "Option2"
                                       << "symbols.txt"
                                       << "CmdParse"
                                       << "State transition table|Invalid table";
        QTest::newRow("no segments") << "Option1"
                                     << "step_ramp.txt"
                                     << "CmdLabel"
                                     << "Quillon|No line segments to label";
        QTest::newRow("binary") << "Option1"
                                << "binary.dat"
                                << ""
                                << "File read|File error";
        QTest::newRow("not a signal") << "Option1"
                                      << "symbols.txt"
                                      << ""
                                      << "File read|File error";
    }

    void messages() {
        QFETCH(QString, option);
        QFETCH(QString, file);
        QFETCH(QString, button);
        QFETCH(QString, expected);
        Window w;
        QFile binary(w.dir.filePath("binary.dat"));
        QVERIFY(binary.open(QIODevice::WriteOnly));
        binary.write(QByteArray("\x00\x01\x02\x03", 4));
        binary.close();
        w.read(w.form.findChild<QRadioButton*>(option), file);
        if (!button.isEmpty())
            QTest::mouseClick(w.form.findChild<QPushButton*>(button), Qt::LeftButton);
        QCOMPARE(w.messages, QStringList{expected});
    }

    void stepZoomAndReadout() {
        Window w;
        w.read(w.form.Option1, "step_ramp.txt");
        // The step box takes digits only; backspace is discarded too.
        w.type(w.form.TxtIncr, "a3");
        QCOMPARE(w.form.TxtIncr->text(), QString("3"));
        QTest::keyClick(w.form.TxtIncr, Qt::Key_Backspace);
        QCOMPARE(w.form.TxtIncr->text(), QString("3"));
        QCOMPARE(rows(w.form.List1),
                 (QStringList{"1: 0", "4: 0", "7: 2", "10: 8", "13: 10", "16: 10", "19: -50"}));
        w.type(w.form.TxtIncr, "0");
        QCOMPARE(w.messages, QStringList{"Quillon|The step must be at least 1"});
        w.type(w.form.TxtIncr, "1");

        w.form.HScroll1->setValue(15);
        QCOMPARE(w.form.LblInic->text(), QString("15"));
        QCOMPARE(w.form.List1->count(), 5);
        w.form.HScroll1->setValue(1);

        QTest::mouseClick(w.form.Check3, Qt::LeftButton);
        const auto& signal = w.form.Picture1->plan().signal;
        QCOMPARE(signal.size(), std::size_t(19));
        QCOMPARE(signal[1].x2 - signal[1].x1, 4.0);

        // The pointer's top-left corner: x 0, and the value ymax + 1 at the top.
        QWidget* picture = w.form.Picture1;
        QMouseEvent move(QEvent::MouseMove, QPointF(0, 0), picture->mapToGlobal(QPointF(0, 0)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(picture, &move);
        QCOMPARE(w.form.LblY->text(), QString("11"));
        QCOMPARE(w.form.LblX->text(), QString("0"));
    }

    void captionsAndDefaults_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        const char* rows[][2] = {{"Option1", "Signal"},
                                 {"Option2", "String"},
                                 {"Option3", "Table"},
                                 {"CmdRead", "Read"},
                                 {"Label5", "Nr of read values"},
                                 {"Label10", "Nr of line segments"},
                                 {"Label4", "Step"},
                                 {"TxtIncr", "1"},
                                 {"Label6", "Zoom 4x"},
                                 {"Label2", "x"},
                                 {"Label3", "y "},
                                 {"CmdQuit", "QUIT"},
                                 {"Label7", "Tolerance"},
                                 {"TxtTol", "1"},
                                 {"CmdApp", "Piecewise Approximation"},
                                 {"Label8", "Slopes"},
                                 {"TxtSlope1", "0.1"},
                                 {"TxtSlope2", "5"},
                                 {"CmdLabel", "Segment Labelling"},
                                 {"Label18", "STATE TRANSITION TABLE"},
                                 {"Label15", "Present State"},
                                 {"Label16", "Input"},
                                 {"Label17", "Next State"},
                                 {"CmdParse", "Parse"},
                                 {"CmdClear", "Clear"},
                                 {"CmdSave", "Save"},
                                 {"Label9", "Filename"},
                                 {"Label13", ".txt"}};
        for (const auto& row : rows)
            QTest::newRow(row[0]) << row[0] << row[1];
    }

    void captionsAndDefaults() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        Form1 form;
        QObject* control = form.findChild<QObject*>(name);
        QVERIFY(control);
        QCOMPARE(control->property("text").toString(), text);
        QCOMPARE(form.windowTitle(), QString("Quillon"));
        QCOMPARE(form.Combo1->currentText(), QString("Chebychev"));
        QCOMPARE(form.Combo1->itemText(1), QString("Euclidian"));
        QCOMPARE(form.Grid->rowCount() * form.Grid->columnCount(), 150);
    }

    void screenshotAfterParse() {
        // Grabs the window after a parse of the example when a file name is given.
        QString target = qEnvironmentVariable("QUILLON_SCREENSHOT");
        if (target.isEmpty()) QSKIP("QUILLON_SCREENSHOT not set");
        Window w;
        w.form.resize(1280, 800);
        w.form.openSignal(QDir::current().absoluteFilePath("../examples/Quillon/ecg.txt"));
        w.type(w.form.TxtTol, "2");
        QTest::mouseClick(w.form.CmdApp, Qt::LeftButton);
        QTest::mouseClick(w.form.CmdLabel, Qt::LeftButton);
        w.form.Option3->click();
        QTRY_VERIFY(w.form.selectFile("qrs_table.txt"));
        QTest::mouseClick(w.form.CmdRead, Qt::LeftButton);
        QTest::mouseClick(w.form.CmdParse, Qt::LeftButton);
        QCOMPARE(w.messages, QStringList());
        QTRY_VERIFY(w.form.File1->model()->rowCount(w.form.File1->rootIndex()) >= 3);
        QVERIFY(w.form.grab().save(target));
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
