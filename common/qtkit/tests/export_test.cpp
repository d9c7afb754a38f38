#include "qtkit/batch_export.h"
#include "qtkit/export_actions.h"
#include "qtkit/figure_export.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWidget>
#include <QXmlStreamReader>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <sstream>

namespace {

// A small chart: a frame, a curve and two labels.
qtkit::Figure sampleFigure() {
    qtkit::Figure figure;
    figure.size = QSize(200, 120);
    figure.title = QStringLiteral("sample");
    figure.paint = [](QPainter& p) {
        p.setPen(QPen(Qt::black, 0));
        p.drawRect(QRectF(20, 10, 170, 90));
        p.setPen(QPen(Qt::red, 1));
        QPainterPath curve(QPointF(20, 100));
        curve.cubicTo(60, 10, 120, 90, 190, 20);
        p.drawPath(curve);
        p.setPen(Qt::black);
        p.drawText(QPointF(2, 115), QStringLiteral("n/d"));
        p.drawText(QPointF(150, 115), QStringLiteral("Pe"));
    };
    return figure;
}

csv::Table sampleTable() {
    return {{"x", "y"}, {{csv::number(0.1f), csv::number(-2.5)}, {"a,b", "1E-05"}}};
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int nonWhitePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) ++count;
    return count;
}

} // namespace

class ExportTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::optional<qtkit::ExportChoice> nextChoice_;
    QStringList offeredFilters_;
    QString suggested_;
    QStringList failures_;

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("qtkit_export_test"));
        qtkit::setExportChooser([this](QWidget*, const QString& suggested, const QStringList& f) {
            suggested_ = suggested;
            offeredFilters_ = f;
            return nextChoice_;
        });
        qtkit::setExportFailure([this](QWidget*, const QString& text) { failures_ << text; });
    }

    void svgIsXmlWithTheCurveAndTheLabels() {
        const QByteArray svg = qtkit::renderFigure(sampleFigure(), qtkit::FigureFormat::svg);
        QXmlStreamReader xml(svg);
        int paths = 0;
        QStringList texts;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("path")) ++paths;
            if (xml.isStartElement() && xml.name() == QLatin1String("text"))
                texts << xml.readElementText().trimmed();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(paths >= 1);
        QVERIFY(texts.contains(QStringLiteral("n/d")));
        QVERIFY(texts.contains(QStringLiteral("Pe")));
        QVERIFY(svg.contains("viewBox=\"0 0 200 120\""));
    }

    void pngHasTheScaledSizeAndSharpDrawing() {
        for (double scale : {1.0, 3.0}) {
            QImage image;
            QVERIFY(image.loadFromData(
                qtkit::renderFigure(sampleFigure(), qtkit::FigureFormat::png, scale), "PNG"));
            QCOMPARE(image.size(), QSize(qRound(200 * scale), qRound(120 * scale)));
            QVERIFY(nonWhitePixels(image) > 200 * scale);
            // The frame's left edge is drawn anew at the scale, not blown up: a hairline stays
            // about one pixel wide.
            const int y = qRound(50 * scale);
            int dark = 0;
            for (int x = qRound(15 * scale); x < qRound(25 * scale); ++x)
                if (qGray(image.pixel(x, y)) < 128) ++dark;
            QVERIFY2(dark >= 1 && dark <= 2, qPrintable(QString::number(dark)));
        }
        const QByteArray pdf = qtkit::renderFigure(sampleFigure(), qtkit::FigureFormat::pdf);
        QVERIFY(pdf.startsWith("%PDF"));
        QVERIFY(pdf.contains("%%EOF"));
    }

    void dialogWritesTheChosenFormatAndRemembersTheFolder() {
        qtkit::ExportSources sources{[] { return std::optional(sampleFigure()); },
                                     [] { return std::optional(sampleTable()); },
                                     QStringLiteral("chart")};
        QDir(dir_.path()).mkdir(QStringLiteral("figures"));
        const QString folder = dir_.filePath(QStringLiteral("figures"));
        nextChoice_ = qtkit::ExportChoice{folder + QStringLiteral("/big"),
                                          QStringLiteral("PNG image, 3x size (*.png)")};
        QVERIFY(qtkit::exportWithDialog(nullptr, sources));
        QCOMPARE(offeredFilters_.size(), 6);
        QVERIFY(offeredFilters_.last().contains(QStringLiteral("*.csv")));
        QImage image(folder + QStringLiteral("/big.png"));
        QCOMPARE(image.size(), QSize(600, 360));
        QCOMPARE(qtkit::lastExportFolder(), folder);

        // The next dialog opens there; a typed suffix wins over the filter.
        nextChoice_ = qtkit::ExportChoice{folder + QStringLiteral("/table.csv"),
                                          QStringLiteral("SVG image (*.svg)")};
        QVERIFY(qtkit::exportWithDialog(nullptr, sources));
        QCOMPARE(suggested_, folder + QStringLiteral("/chart"));
        const auto rows = csv::parse(readAll(folder + QStringLiteral("/table.csv")).toStdString());
        QVERIFY(rows && rows->size() == 3);
        QCOMPARE((*rows)[1][0], std::string("0.1"));
        QCOMPARE((*rows)[2][0], std::string("a,b"));

        nextChoice_.reset(); // cancel
        QVERIFY(!qtkit::exportWithDialog(nullptr, sources));
        QVERIFY(failures_.isEmpty());
    }

    void failedExportSaysSoAndKeepsTheOldFile() {
        // A folder stands where the figure should go: no user, root included, can replace it
        // by a file, so the save fails and what the folder holds stays as it was.
        const QString path = dir_.filePath(QStringLiteral("kept.svg"));
        QVERIFY(QDir().mkpath(path));
        const QString inner = path + QStringLiteral("/old.txt");
        {
            QFile file(inner);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("old");
        }
        qtkit::ExportSources sources{[] { return std::optional(sampleFigure()); }, {}, {}};
        nextChoice_ = qtkit::ExportChoice{path, QStringLiteral("SVG image (*.svg)")};
        QVERIFY(!qtkit::exportWithDialog(nullptr, sources));
        QCOMPARE(failures_.size(), 1);
        // The file, then the system's reason on a line of its own.
        QCOMPARE(failures_.front(), QStringLiteral("The file %1 could not be written.\n%1: %2")
                                        .arg(QDir::toNativeSeparators(path),
                                             QString::fromLocal8Bit(std::strerror(EISDIR))));
        QCOMPARE(readAll(inner), QByteArray("old"));
        failures_.clear();

        // Nothing computed yet: nothing is written and nothing is claimed.
        qtkit::ExportSources empty{[] { return std::optional<qtkit::Figure>(); }, {}, {}};
        QVERIFY(!qtkit::exportToFile(empty, dir_.filePath(QStringLiteral("none.svg")), {}));
        QVERIFY(!QFile::exists(dir_.filePath(QStringLiteral("none.svg"))));
        QVERIFY(!qtkit::copyToClipboard(empty));
    }

    void ctrlCCopiesTheTableAsCellsOrTheFigureAsAnImage() {
        QWidget window;
        auto* tableWidget = new QWidget(&window);
        auto* chartWidget = new QWidget(&window);
        tableWidget->setGeometry(0, 0, 100, 100);
        chartWidget->setGeometry(100, 0, 100, 100);
        tableWidget->setFocusPolicy(Qt::StrongFocus);
        chartWidget->setFocusPolicy(Qt::StrongFocus);
        auto tableActions = qtkit::addExportActions(
            tableWidget, {{}, [] { return std::optional(sampleTable()); }, {}});
        qtkit::addExportActions(chartWidget,
                                {[] { return std::optional(sampleFigure()); }, {}, {}});
        QCOMPARE(tableActions.exportAction->text(), QStringLiteral("Export..."));
        QCOMPARE(tableWidget->contextMenuPolicy(), Qt::ActionsContextMenu);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        tableWidget->setFocus();
        QTest::keyClick(tableWidget, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("x\ty\n0.1\t-2.5\na,b\t1E-05\n"));

        chartWidget->setFocus();
        QTest::keyClick(chartWidget, Qt::Key_C, Qt::ControlModifier);
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), QSize(200, 120));
        QVERIFY(nonWhitePixels(copied) > 100);
        QVERIFY(
            QGuiApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("image/svg+xml")));
    }

    void batchWriteReportsEachFileItCouldNotWrite() {
        cli::Exports exports;
        exports.svg = dir_.filePath(QStringLiteral("b.svg")).toStdString();
        exports.csv = dir_.filePath(QStringLiteral("missing/b.csv")).toStdString();
        std::ostringstream out;
        QCOMPARE(qtkit::writeFigureFiles(exports, sampleFigure(), "Prog", out), 0);
        QCOMPARE(cli::write_table_export(exports, sampleTable(), "Prog", out), 1);
        QVERIFY(QFile::exists(QString::fromStdString(exports.svg)));
        QCOMPARE(out.str(), "MsgBox\tProg\tThe file " + exports.csv + " could not be written.\n");
    }
};

QTEST_MAIN(ExportTest)
#include "export_test.moc"
