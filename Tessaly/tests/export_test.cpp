// "Export..." and Copy of the pattern, of the stored patterns and of the weight matrix, driven
// from the context menus as a user drives them; the files written are opened and read back.
#include "csv/csv.h"
#include "file_io.h"
#include "frm_document.h"
#include "frm_synaptic_weights.h"
#include "hopfield_net.h"
#include "pattern_file.h"
#include "recorder_dialogs.h"

#include "qtkit/export_actions.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QMimeData>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <locale>

using namespace tessaly;

namespace {

// A locale whose decimal point is a comma, as many users have.
struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

const char* const kT = "[4X3] 1 1 1 0 1 0 0 1 0 0 1 0";
const char* const kL = "[4X3] 1 0 0 1 0 0 1 0 0 1 1 1";
// A 4 x 3 pattern is drawn in cells of 24 pixels with a line of one pixel around each.
const QSize kGridSize(3 * 24 + 1, 4 * 24 + 1);

const QString kSvg = "SVG image (*.svg)";
const QString kPng3 = "PNG image, 3x size (*.png)";
const QString kPng2 = "PNG image, 2x size (*.png)";
const QString kPdf = "PDF document (*.pdf)";
const QString kCsv = "CSV table (*.csv)";

template <typename T> T* child(QWidget* parent, const char* name) {
    T* w = parent->findChild<T*>(QString::fromLatin1(name));
    if (w == nullptr) qFatal("no control %s", name);
    return w;
}

QAction* action(QWidget* w, const char* name) {
    for (QAction* a : w->actions())
        if (a->objectName() == QLatin1String(name)) return a;
    qFatal("no action %s", name);
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What an SVG file holds: its view box, its texts, its black rectangles (the cells that are on)
// and its lines.
struct SvgContents {
    bool parsed = false;
    QString viewBox;
    QStringList texts;
    int blackRects = 0;
    int lines = 0;
};

SvgContents readSvg(const QByteArray& bytes) {
    SvgContents svg;
    QXmlStreamReader xml(bytes);
    QStringList fills; // the fill in force at each open element
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto attributes = xml.attributes();
            const QString fill = attributes.hasAttribute("fill")
                                     ? attributes.value("fill").toString()
                                     : (fills.isEmpty() ? QString() : fills.last());
            fills << fill;
            const auto name = xml.name();
            if (name == QLatin1String("svg")) {
                svg.viewBox = attributes.value("viewBox").toString();
            } else if (name == QLatin1String("rect") && fill == QLatin1String("#000000")) {
                ++svg.blackRects;
            } else if (name == QLatin1String("polyline") || name == QLatin1String("path")) {
                ++svg.lines;
            } else if (name == QLatin1String("text")) {
                svg.texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
                fills.removeLast();
            }
        } else if (xml.isEndElement()) {
            fills.removeLast();
        }
    }
    svg.parsed = !xml.hasError();
    return svg;
}

// The numbers of a CSV table below its header and right of its first column.
std::vector<std::vector<float>> numbers(const QByteArray& text) {
    std::vector<std::vector<float>> out;
    const auto rows = csv::parse(text.toStdString());
    if (!rows) return out;
    for (std::size_t i = 1; i < rows->size(); ++i) {
        std::vector<float> row;
        for (std::size_t j = 1; j < (*rows)[i].size(); ++j)
            row.push_back(std::strtof((*rows)[i][j].c_str(), nullptr));
        out.push_back(row);
    }
    return out;
}

std::vector<std::vector<float>> numbers(const FloatMatrix& m) {
    std::vector<std::vector<float>> out(static_cast<std::size_t>(m.rows()));
    for (int i = 0; i < m.rows(); ++i)
        for (int j = 0; j < m.columns(); ++j)
            out[static_cast<std::size_t>(i)].push_back(m(i, j));
    return out;
}

bool isGrey(QRgb pixel) {
    return qRed(pixel) == 0x80 && qGreen(pixel) == 0x80 && qBlue(pixel) == 0x80;
}

} // namespace

class ExportTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    test::RecorderDialogs dialogs_;
    std::optional<qtkit::ExportChoice> choice_;
    QStringList offered_;
    QString suggested_;
    QStringList failures_;

    QString write(const QString& name, const QByteArray& text) {
        const QString path = dir_.filePath(name);
        WriteFileReplacing(path.toStdString(), text.toStdString());
        return path;
    }
    void load(frmDocument& doc, const QString& name, const char* text) {
        dialogs_.openAnswers.push_back({write(name, text)});
        QTest::mouseClick(child<QPushButton>(&doc, "cmdLoad"), Qt::LeftButton);
    }
    // "Export..." (or another export entry) answered with `file` in the filter's format.
    void exportAs(QWidget* w, const char* entry, const QString& file, const QString& filter) {
        choice_ = qtkit::ExportChoice{dir_.filePath(file), filter};
        action(w, entry)->trigger();
        choice_.reset();
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("tessaly_export_test"));
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        std::locale::global(std::locale(std::locale(), new CommaPoint));
        qtkit::setExportChooser([this](QWidget*, const QString& suggested, const QStringList& f) {
            suggested_ = suggested;
            offered_ = f;
            return choice_;
        });
        qtkit::setExportFailure([this](QWidget*, const QString& text) { failures_ << text; });
    }
    void init() {
        dialogs_ = test::RecorderDialogs{};
        failures_.clear();
    }

    void patternExportsAsTheGridShowsIt() {
        frmDocument doc(&dialogs_);
        doc.show();
        QVERIFY(QTest::qWaitForWindowExposed(&doc));
        load(doc, "t.Tsy", kT);
        auto* grid = child<QTableWidget>(&doc, "msfgGrelha");
        QCOMPARE(action(grid, "actionExport")->text(), QString("Export..."));
        QCOMPARE(action(grid, "actionCopy")->text(), QString("Copy"));

        exportAs(grid, "actionExport", "t.svg", kSvg);
        QCOMPARE(offered_.first(), kSvg);
        QVERIFY(!offered_.contains(kCsv));
        QCOMPARE(suggested_, QDir(QDir::currentPath()).filePath("pattern"));
        const SvgContents svg = readSvg(readAll(dir_.filePath("t.svg")));
        QVERIFY(svg.parsed);
        QCOMPARE(svg.viewBox, QString("0 0 73 97"));
        QCOMPARE(svg.blackRects, 6); // the six cells of T
        QVERIFY(svg.lines > 0);      // the grid's lines

        // The next dialog opens in the folder last used.
        exportAs(grid, "actionExport", "t.png", kPng3);
        QCOMPARE(suggested_, QDir(dir_.path()).filePath("pattern"));
        const QImage png(dir_.filePath("t.png"));
        QCOMPARE(png.size(), kGridSize * 3);
        const auto at = [&png](int r, int c) { return png.pixel(c * 72 + 36, r * 72 + 36); };
        QCOMPARE(at(0, 0) & 0xFFFFFF, 0x000000u);
        QCOMPARE(at(1, 0) & 0xFFFFFF, 0xFFFFFFu);
        QCOMPARE(at(3, 1) & 0xFFFFFF, 0x000000u);
        // The lines are three pixels wide at 3x, sharp: grey through and through.
        for (int x = 72; x < 75; ++x)
            QVERIFY2(isGrey(png.pixel(x, 150)), qPrintable(QString::number(x)));
        QVERIFY(!isGrey(png.pixel(75, 150)) && !isGrey(png.pixel(71, 150)));

        exportAs(grid, "actionExport", "t.pdf", kPdf);
        QVERIFY(readAll(dir_.filePath("t.pdf")).startsWith("%PDF-"));

        // Drawn on, then copied with Ctrl+C: the clipboard holds the pattern as drawn now.
        QTRY_VERIFY_WITH_TIMEOUT(grid->isEnabled(), 3000);
        const QRect cell = grid->visualItemRect(grid->item(1, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(doc.pattern()(1, 0), std::int16_t(1));
        QVERIFY(grid->hasFocus());
        QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), kGridSize);
        QCOMPARE(copied.pixel(12, 24 + 12) & 0xFFFFFF, 0x000000u);
        QVERIFY(QGuiApplication::clipboard()->mimeData()->hasFormat("image/svg+xml"));
    }

    void failedExportSaysSoAndLeavesWhatWasThere() {
        frmDocument doc(&dialogs_);
        load(doc, "t.Tsy", kT);
        auto* grid = child<QTableWidget>(&doc, "msfgGrelha");
        // A folder where the picture is to go (this holds for root too), with a file in it.
        QDir(dir_.path()).mkpath("taken.png");
        write("taken.png/inside.txt", "inside");
        exportAs(grid, "actionExport", "taken.png", kPng3);
        // The file, then the system's reason on a line of its own.
        const QString place = dir_.filePath("taken.png");
        QCOMPARE(failures_, QStringList{"The file " + place + " could not be written.\n" + place +
                                        ": " + QString::fromLocal8Bit(std::strerror(EISDIR))});
        QVERIFY(QFileInfo(dir_.filePath("taken.png")).isDir());
        QCOMPARE(readAll(dir_.filePath("taken.png/inside.txt")), QByteArray("inside"));
        QVERIFY(dialogs_.messages.isEmpty());
    }

    void storedPatternsSheetAndWeights() {
        frmDocument doc(&dialogs_);
        auto* grid = child<QTableWidget>(&doc, "msfgGrelha");
        // Nothing stored yet: nothing to export or copy.
        for (const char* entry :
             {"actionExportStored", "actionCopyStored", "actionExportWeights", "actionCopyWeights"})
            QVERIFY2(!action(grid, entry)->isEnabled(), entry);

        load(doc, "t.Tsy", kT);
        QTest::mouseClick(child<QPushButton>(&doc, "cmdStore"), Qt::LeftButton);
        load(doc, "l.Tsy", kL);
        QTest::mouseClick(child<QPushButton>(&doc, "cmdStore"), Qt::LeftButton);
        QCOMPARE(action(grid, "actionExportStored")->text(), QString("Export Stored Patterns..."));
        QVERIFY(action(grid, "actionExportStored")->isEnabled());
        QVERIFY(action(grid, "actionExportWeights")->isEnabled());

        exportAs(grid, "actionExportStored", "sheet.svg", kSvg);
        QCOMPARE(offered_.size(), 5);
        QCOMPARE(suggested_.section('/', -1), QString("stored_patterns"));
        const SvgContents svg = readSvg(readAll(dir_.filePath("sheet.svg")));
        QVERIFY(svg.parsed);
        QCOMPARE(svg.texts, (QStringList{"Pattern 1", "Pattern 2"}));
        QCOMPARE(svg.blackRects, 12); // T's six cells and L's six

        // Two patterns side by side, each in a place 80 pixels wide, 16 apart, within a margin
        // of 12, with a caption line of 20 under them.
        const QSize sheet(12 + 80 + 16 + 80 + 12, 12 + kGridSize.height() + 20 + 12);
        exportAs(grid, "actionExportStored", "sheet.png", kPng2);
        const QImage png(dir_.filePath("sheet.png"));
        QCOMPARE(png.size(), sheet * 2);
        // The top left cell of each: on in T and in L.
        const int firstLeft = 12 + (80 - kGridSize.width()) / 2;
        QCOMPARE(png.pixel(2 * (firstLeft + 12), 2 * (12 + 12)) & 0xFFFFFF, 0x000000u);
        QCOMPARE(png.pixel(2 * (firstLeft + 96 + 12), 2 * (12 + 12)) & 0xFFFFFF, 0x000000u);
        // The second cell of T's second row is on, L's is off.
        QCOMPARE(png.pixel(2 * (firstLeft + 36), 2 * (12 + 36)) & 0xFFFFFF, 0x000000u);
        QCOMPARE(png.pixel(2 * (firstLeft + 96 + 36), 2 * (12 + 36)) & 0xFFFFFF, 0xFFFFFFu);

        action(grid, "actionCopyStored")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->image().size(), sheet);

        // The weights as a table: the same numbers as the network's, read back whatever the
        // locale.
        clsTessalyAlgorith net;
        net.Add(ParsePatternText(kT, Pattern(1, 1, -1), false).pattern);
        net.Add(ParsePatternText(kL, Pattern(1, 1, -1), false).pattern);
        exportAs(grid, "actionExportWeights", "weights.csv", kCsv);
        QCOMPARE(offered_, QStringList{kCsv});
        const QByteArray text = readAll(dir_.filePath("weights.csv"));
        QVERIFY(text.startsWith("Neuron,\"(1 , 1)\",\"(1 , 2)\",\"(1 , 3)\",\"(2 , 1)\","));
        QCOMPARE(numbers(text), numbers(net.SynapticWeights()));
        action(grid, "actionCopyWeights")->trigger();
        const QStringList lines = QGuiApplication::clipboard()->text().split('\n');
        QVERIFY(lines[0].startsWith("Neuron\t(1 , 1)\t(1 , 2)\t"));
        QCOMPARE(lines.size(), 12 + 2); // the header, twelve neurons, the last line's end

        // Clean forgets them: nothing to export again.
        QTest::mouseClick(child<QPushButton>(&doc, "cmdClean"), Qt::LeftButton);
        QVERIFY(!action(grid, "actionExportStored")->isEnabled());
        QVERIFY(!action(grid, "actionCopyWeights")->isEnabled());
    }

    void editorExportsTheMatrixAsItsCellsShowIt() {
        frmDocument doc(&dialogs_);
        load(doc, "s.Tsy", "[1X3] 1 0 1");
        QTest::mouseClick(child<QPushButton>(&doc, "cmdNewWeight"), Qt::LeftButton);
        frmSynapticWeights* editor = doc.editor();
        QVERIFY(QTest::qWaitForWindowExposed(editor));
        auto* grid = child<QTableView>(editor, "gridTest");
        grid->setCurrentIndex(grid->model()->index(0, 1));
        QTest::keyClicks(grid, "0");
        QTest::keyClicks(child<QLineEdit>(editor, "txtEdit"), ".123456789");
        QTest::keyClick(child<QLineEdit>(editor, "txtEdit"), Qt::Key_Return);

        exportAs(grid, "actionExport", "edited.csv", kCsv);
        QCOMPARE(offered_, QStringList{kCsv});
        const auto rows = csv::parse(readAll(dir_.filePath("edited.csv")).toStdString());
        QVERIFY(rows.has_value());
        QCOMPARE(rows->size(), std::size_t(4));
        QCOMPARE((*rows)[0], (csv::Row{"Neuron", "(1 , 1)", "(1 , 2)", "(1 , 3)"}));
        QCOMPARE((*rows)[1], (csv::Row{"(1 , 1)", "0", "0.123456789", "0"}));
        QCOMPARE((*rows)[2], (csv::Row{"(1 , 2)", "0.123456789", "0", "0"}));

        // Ctrl+C on the grid copies the cells as TAB-separated text.
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(child<QLineEdit>(editor, "txtEdit")->isHidden());
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("Neuron\t(1 , 1)\t(1 , 2)\t(1 , 3)\n"
                                                               "(1 , 1)\t0\t0.123456789\t0\n"
                                                               "(1 , 2)\t0.123456789\t0\t0\n"
                                                               "(1 , 3)\t0\t0\t0\n"));
    }
};

QTEST_MAIN(ExportTest)
#include "export_test.moc"
