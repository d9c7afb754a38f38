// "Export..." and Copy of the drawing, the segment list and the transition table, driven as a
// user drives them: through the context menus and Ctrl+C, with the file dialog replaced.
#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QXmlStreamReader>
#include <QtTest>

#include <clocale>
#include <memory>

#include "csv/csv.h"
#include "qtkit/export_actions.h"
#include "ui/form1.h"
#include "ui/grid_editor.h"
#include "ui/signal_view.h"

using quillon::Form1;

namespace {

QString dataFile(const QString& name) {
    return QDir::current().absoluteFilePath("tests/data/" + name);
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The fields of a segment list row as the window shows them: " 2,   5(  11),  2.0,   u,  B"
// gives "2", "5", "11", "2.0", "u", "B".
QStringList shownFields(const QString& row) {
    QStringList fields = row.split(QRegularExpression("[,()]"), Qt::SkipEmptyParts);
    for (QString& f : fields)
        f = f.trimmed();
    fields.removeAll(QString());
    return fields;
}

// Picks `text` in the context menu the widget opens on a right click.
void chooseFromContextMenu(QWidget* widget, const QString& text) {
    auto chosen = std::make_shared<bool>(false);
    QTimer::singleShot(0, widget, [chosen, text] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        for (QAction* a : menu->actions())
            if (a->text() == text) {
                menu->setActiveAction(a);
                *chosen = true;
            }
        QTest::keyClick(menu, *chosen ? Qt::Key_Return : Qt::Key_Escape);
    });
    // A right click on a list or a grid lands on its viewport, which passes it up.
    auto* area = qobject_cast<QAbstractScrollArea*>(widget);
    QWidget* target = area ? area->viewport() : widget;
    const QPoint at = target->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &event);
    QVERIFY2(*chosen, qPrintable(text + " is not in the context menu"));
}

} // namespace

class ExportTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::optional<qtkit::ExportChoice> choice_;
    QStringList suggested_; // the paths the dialog was opened on
    QStringList failures_;  // the messages of failed exports

    struct Window {
        Form1 form;
        QStringList messages;
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
            form.activateWindow();
        }
        // Browses to the file through the folder tree and the file list, and presses Read.
        void read(QRadioButton* option, const QString& name) {
            form.Dir1->setCurrentIndex(
                static_cast<QFileSystemModel*>(form.Dir1->model())->index(dir.path()));
            QTRY_VERIFY(form.selectFile(name));
            option->click();
            QTest::mouseClick(form.CmdRead, Qt::LeftButton);
        }
        // The step_ramp signal approximated, labelled and parsed with the table file.
        void parsed() {
            read(form.Option1, "step_ramp.txt");
            form.TxtTol->selectAll();
            QTest::keyClicks(form.TxtTol, "0.5");
            QTest::mouseClick(form.CmdApp, Qt::LeftButton);
            QTest::mouseClick(form.CmdLabel, Qt::LeftButton);
            read(form.Option3, "table.txt");
            QTest::mouseClick(form.CmdParse, Qt::LeftButton);
        }
    };

    void exportFrom(QWidget* w, const QString& file, const QString& filter) {
        choice_ = qtkit::ExportChoice{dir_.filePath(file), filter};
        chooseFromContextMenu(w, "Export...");
    }

    // The pixels in which the drawing's part of an exported figure differs from the window's.
    static int differingPixels(QWidget* picture, const QImage& figure) {
        const QImage shown = picture->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage drawn =
            figure.copy(QRect(QPoint(figure.width() - picture->width(), 0), picture->size()))
                .convertToFormat(QImage::Format_RGB32);
        int differ = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                differ += shown.pixel(x, y) != drawn.pixel(x, y) ? 1 : 0;
        return differ;
    }

    static void copyFrom(Window& w, QWidget* widget) {
        w.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_C, Qt::ControlModifier);
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        // Numbers in a comma-decimal locale, for Qt and for the C library alike.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        std::setlocale(LC_ALL, "de_DE.UTF-8");
        qtkit::setExportChooser([this](QWidget*, const QString& suggested, const QStringList&) {
            suggested_ << suggested;
            return choice_;
        });
        qtkit::setExportFailure([this](QWidget*, const QString& text) { failures_ << text; });
    }

    void init() {
        suggested_.clear();
        failures_.clear();
    }

    // The window shows the signal, its segments and their states; the figure shows the same.
    void drawingExportsWhatTheWindowShows() {
        Window w;
        w.parsed();
        QCOMPARE(w.messages, QStringList());
        QCOMPARE(w.form.Lblnt->text(), QString("19"));
        QCOMPARE(w.form.Lblna->text(), QString("4"));
        QWidget* picture = w.form.Picture1;

        exportFrom(picture, "signal.svg", "SVG image (*.svg)");
        QCOMPARE(failures_, QStringList());
        const QByteArray svg = readAll(dir_.filePath("signal.svg"));
        QXmlStreamReader xml(svg);
        QStringList texts;
        QSet<QString> strokes;
        int curves = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement()) continue;
            // The pens' colours stand on the groups around the curves.
            strokes << xml.attributes().value("stroke").toString().toLower();
            if (xml.name() == QLatin1String("text")) texts << xml.readElementText().trimmed();
            if (xml.name() == QLatin1String("path") || xml.name() == QLatin1String("polyline"))
                ++curves;
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(texts.contains(w.form.LblMax->text()));
        QVERIFY(texts.contains(w.form.LblMin->text()));
        QVERIFY(curves >= 18);
        // The signal's grey, h green, u red, and black for the segment in the final state.
        for (const char* colour : {"#c0c0c0", "#00ff00", "#ff0000", "#000000"})
            QVERIFY2(strokes.contains(colour), colour);

        // At 1x the drawing's part of the PNG is the window's drawing, pixel for pixel, and so
        // it stays for another view of the signal.
        exportFrom(picture, "signal", "PNG image (*.png)");
        const QImage png(dir_.filePath("signal.png"));
        QVERIFY(!png.isNull());
        QCOMPARE(png.height(), picture->height());
        QVERIFY(png.width() > picture->width() + 40); // room for the scale's texts
        QVERIFY2(differingPixels(picture, png) == 0, "the figure differs from the window");
        QTest::mouseClick(w.form.Check3, Qt::LeftButton);
        QScrollBar* scroll = w.form.HScroll1;
        for (int k = 0; k < 4; ++k) // the arrow at the right end
            QTest::mouseClick(scroll, Qt::LeftButton, {},
                              QPoint(scroll->width() - 4, scroll->height() / 2));
        QCOMPARE(w.form.LblInic->text(), QString("5"));
        exportFrom(picture, "zoomed.png", "PNG image (*.png)");
        const QImage zoomed(dir_.filePath("zoomed.png"));
        QVERIFY(differingPixels(picture, png) > 0);
        QVERIFY2(differingPixels(picture, zoomed) == 0, "the figure differs from the window");
        QTest::mouseClick(w.form.Check3, Qt::LeftButton);
        for (int k = 0; k < 4; ++k) // the arrow at the left end
            QTest::mouseClick(scroll, Qt::LeftButton, {}, QPoint(4, scroll->height() / 2));
        QCOMPARE(w.form.LblInic->text(), QString("1"));

        // At 3x: three times the size, the lines drawn anew three times as wide. Across the
        // middle of the first (h, green) segment runs a green band, about 6 pixels thick.
        exportFrom(picture, "big.png", "PNG image, 3x size (*.png)");
        const QImage big(dir_.filePath("big.png"));
        QCOMPARE(big.size(), png.size() * 3);
        const auto& first = static_cast<quillon::SignalView*>(picture)->plan().approximation[2];
        const double sx = picture->width() / 1000.0;
        const double sy =
            picture->height() / static_cast<quillon::SignalView*>(picture)->scaleHeight();
        const int x = qRound(((first.x1 + first.x2) / 2 * sx + png.width() - picture->width()) * 3);
        const int y = qRound(first.y1 * sy * 3);
        int green = 0;
        for (int dy = -8; dy <= 8; ++dy) {
            const QRgb p = big.pixel(x, y + dy);
            green += qGreen(p) > 200 && qRed(p) < 60 && qBlue(p) < 60 ? 1 : 0;
        }
        QVERIFY2(green >= 4 && green <= 8, qPrintable(QString::number(green)));

        exportFrom(picture, "signal.pdf", "PDF document (*.pdf)");
        QVERIFY(readAll(dir_.filePath("signal.pdf")).startsWith("%PDF-"));

        // Ctrl+C on the drawing copies it as an image.
        QGuiApplication::clipboard()->clear();
        copyFrom(w, picture);
        const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
        QVERIFY(copied && copied->hasImage());
        QCOMPARE(qvariant_cast<QImage>(copied->imageData()).size(), png.size());
    }

    // The CSV holds the numbers the list shows, in full precision with a "." whatever the
    // locale; Ctrl+C puts the same rows on the clipboard as cells.
    void segmentListReadsBackUnderACommaLocale() {
        Window w;
        w.parsed();
        QListWidget* list = w.form.List2;
        QCOMPARE(list->count(), 4);

        exportFrom(list, "segments", "CSV table (*.csv)");
        const QByteArray bytes = readAll(dir_.filePath("segments.csv"));
        const auto rows = csv::parse(bytes.toStdString());
        QVERIFY(rows);
        QCOMPARE(rows->size(), std::size_t(list->count() + 1));
        QCOMPARE(rows->front(), (csv::Row{"#", "Length", "End", "Slope", "Symbol", "State"}));
        for (int k = 0; k < list->count(); ++k) {
            const QStringList shown = shownFields(list->item(k)->text());
            const csv::Row& row = (*rows)[static_cast<std::size_t>(k + 1)];
            QCOMPARE(int(row.size()), shown.size());
            for (int c = 0; c < 4; ++c) {
                bool number = false;
                const double value = QString::fromStdString(row[c]).toDouble(&number);
                QVERIFY2(number, row[c].c_str());
                // The list shows the slope to two decimals, the rest whole.
                QVERIFY(qAbs(value - shown[c].toDouble()) <= (c == 3 ? 0.005 : 0.0));
            }
            QCOMPARE(QString::fromStdString(row[4]), shown[4]);
            QCOMPARE(QString::fromStdString(row[5]), shown[5]);
        }
        QCOMPARE((*rows)[4][3], std::string("-20"));

        copyFrom(w, list);
        const QStringList lines = QGuiApplication::clipboard()->text().split('\n');
        QCOMPARE(lines.size(), 6); // header, four rows, the last line's end
        QCOMPARE(lines[0], QString("#\tLength\tEnd\tSlope\tSymbol\tState"));
        QVERIFY(lines[4].startsWith("4\t3\t19\t-20\tD\tF"));
    }

    // The sample listing as the view lists it: every value with all its digits.
    void sampleListingFollowsTheView() {
        Window w;
        w.read(w.form.Option1, "step_ramp.txt");
        w.form.TxtIncr->selectAll();
        QTest::keyClicks(w.form.TxtIncr, "3");
        QListWidget* list = w.form.List1;
        QCOMPARE(list->count(), 7);
        exportFrom(list, "samples.csv", "CSV table (*.csv)");
        const auto rows = csv::parse(readAll(dir_.filePath("samples.csv")).toStdString());
        QVERIFY(rows);
        QCOMPARE(rows->size(), std::size_t(list->count() + 1));
        QCOMPARE(rows->front(), (csv::Row{"Sample", "Value"}));
        for (int k = 0; k < list->count(); ++k) {
            const QStringList shown = list->item(k)->text().split(": ");
            const csv::Row& row = (*rows)[static_cast<std::size_t>(k + 1)];
            QCOMPARE(QString::fromStdString(row[0]), shown[0]);
            QCOMPARE(QString::fromStdString(row[1]).toFloat(), shown[1].toFloat());
        }
    }

    // The transition table as typed in the grid, a cell still being edited included.
    void transitionTableCopiesAndExports() {
        Window w;
        w.read(w.form.Option3, "table.txt");
        QTableWidget* grid = w.form.Grid;
        copyFrom(w, grid);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QString("Present State\tInput\tNext State\nA\th\tA\nA\tu\tB\nB\th\tC\n"
                         "C\tD\tF\n"));

        grid->setCurrentCell(5, 1);
        QTest::keyClicks(grid, "x"); // the editor opens on the cell, nothing stored yet
        QTest::keyClicks(w.form.TxtGrid, ",y");
        QVERIFY(w.form.TxtGrid->isVisible());
        exportFrom(grid, "table.csv", "CSV table (*.csv)");
        QCOMPARE(readAll(dir_.filePath("table.csv")),
                 QByteArray("Present State,Input,Next State\r\nA,h,A\r\nA,u,B\r\nB,h,C\r\n"
                            "C,D,F\r\n,,\r\n,\"x,y\",\r\n"));
        QCOMPARE(quillon::cellText(grid, 5, 1), QString("x,y"));
    }

    // With nothing to give, no dialog opens and Ctrl+C leaves the clipboard alone.
    void nothingToExportYet() {
        Window w;
        for (QWidget* widget :
             {static_cast<QWidget*>(w.form.Picture1), static_cast<QWidget*>(w.form.List2),
              static_cast<QWidget*>(w.form.Grid)}) {
            exportFrom(widget, "nothing.svg", "SVG image (*.svg)");
            QGuiApplication::clipboard()->setText("before");
            copyFrom(w, widget);
            QCOMPARE(QGuiApplication::clipboard()->text(), QString("before"));
        }
        // A signal read without segments: a drawing, still no segment list.
        w.read(w.form.Option1, "step_ramp.txt");
        exportFrom(w.form.List2, "nothing.csv", "CSV table (*.csv)");
        QCOMPARE(suggested_, QStringList());
        QVERIFY(!QFile::exists(dir_.filePath("nothing.svg")));
        QVERIFY(!QFile::exists(dir_.filePath("nothing.csv")));
        // A symbol string read from a file: its list, but no drawing of a signal.
        Window string;
        string.read(string.form.Option2, "symbols.txt");
        exportFrom(string.form.Picture1, "nothing.png", "PNG image (*.png)");
        QCOMPARE(suggested_, QStringList());
        exportFrom(string.form.List2, "string.csv", "CSV table (*.csv)");
        QCOMPARE(readAll(dir_.filePath("string.csv")),
                 QByteArray("#,Symbol\r\n1,h\r\n2,u\r\n3,d\r\n4,h\r\n"));
    }

    // A save that fails says so and leaves what stood there; the dialog opens next time in the
    // folder last used.
    void failedExportSaysSoAndTheFolderIsRemembered() {
        Window w;
        w.read(w.form.Option1, "step_ramp.txt");
        QDir(dir_.path()).mkpath("figures/taken.svg");
        QFile inside(dir_.filePath("figures/taken.svg/keep.txt"));
        QVERIFY(inside.open(QIODevice::WriteOnly));
        inside.write("kept");
        inside.close();
        exportFrom(w.form.Picture1, "figures/taken.svg", "SVG image (*.svg)");
        QCOMPARE(failures_.size(), 1);
        QVERIFY(failures_[0].contains("taken.svg could not be written"));
        QCOMPARE(readAll(dir_.filePath("figures/taken.svg/keep.txt")), QByteArray("kept"));

        exportFrom(w.form.Picture1, "figures/ok.svg", "SVG image (*.svg)");
        QVERIFY(QFile::exists(dir_.filePath("figures/ok.svg")));
        exportFrom(w.form.Picture1, "figures/again.svg", "SVG image (*.svg)");
        QCOMPARE(suggested_.size(), 3);
        QCOMPARE(suggested_.last(), dir_.filePath("figures/signal"));
    }
};

QTEST_MAIN(ExportTest)
#include "export_test.moc"
