// "Export..." and Copy of the graph and of the MLP size table, driven as a user drives them.
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include "csv/csv.h"
#include "qtkit/export_actions.h"
#include "ui/frm_nn_dim.h"
#include "ui/frm_sc_size.h"
#include "ui/picture_box.h"

using namespace dimora;

namespace {

template <class T> T* child(QWidget& w, const char* name) {
    T* c = w.findChild<T*>(QString::fromLatin1(name));
    if (!c) qFatal("no control %s", name);
    return c;
}

QAction* action(QWidget* w, const char* name) {
    for (QAction* a : w->actions())
        if (a->objectName() == QLatin1String(name)) return a;
    qFatal("no action %s", name);
}

bool dark(QRgb p) {
    return qGray(p) < 160;
}

} // namespace

class ExportTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::optional<qtkit::ExportChoice> choice_;

    void exportFrom(QWidget* w, const QString& file, const QString& filter) {
        choice_ = qtkit::ExportChoice{dir_.filePath(file), filter};
        action(w, "actionExport")->trigger();
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        qtkit::setExportChooser(
            [this](QWidget*, const QString&, const QStringList&) { return choice_; });
        qtkit::setExportFailure([](QWidget*, const QString& text) { QFAIL(qPrintable(text)); });
    }

    void graphFigureMatchesTheWindowAndShowsTheMarker() {
        frmSCSize w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::mouseClick(child<QPushButton>(w, "cmdCompute"), Qt::LeftButton);
        PictureBox* g = w.graph();
        QTest::mousePress(g, Qt::LeftButton, {}, g->toPixel(5.0, 0.25).toPoint());
        QVERIFY(w.marker() > 4.9f);

        exportFrom(g, QStringLiteral("graph.svg"), QStringLiteral("SVG image (*.svg)"));
        QFile svg(dir_.filePath(QStringLiteral("graph.svg")));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&svg);
        QStringList texts;
        int paths = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement()) continue;
            if (xml.name() == QLatin1String("text")) texts << xml.readElementText().trimmed();
            if (xml.name() == QLatin1String("path") || xml.name() == QLatin1String("polyline"))
                ++paths;
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        for (const char* label : {"Pe", "n/d", "0.00", "0.50", "10.0", "0.240"})
            QVERIFY2(texts.contains(QLatin1String(label)), label);
        QVERIFY(paths >= 2);

        // At 3x: the frame's left edge and the marker lie where the window has them, tripled.
        exportFrom(g, QStringLiteral("graph"), QStringLiteral("PNG image, 3x size (*.png)"));
        QImage big(dir_.filePath(QStringLiteral("graph.png")));
        QCOMPARE(big.size(), g->image().size() * 3);
        auto darkNear = [&big](QPointF at) {
            int n = 0;
            // A few rows too: the marker is dotted.
            for (int dy = -6; dy <= 6; ++dy)
                for (int d = -3; d <= 3; ++d)
                    n += dark(big.pixel(qRound(at.x() * 3) + d, qRound(at.y() * 3) + dy)) ? 1 : 0;
            return n;
        };
        QVERIFY(darkNear(g->toPixel(0.0, 0.3)) > 0);
        QVERIFY(darkNear(g->toPixel(w.marker(), 0.45)) > 0);
        QCOMPARE(darkNear(g->toPixel(w.marker() + 0.5, 0.45)), 0);
    }

    void curvesTableReadsBackUnderACommaLocale() {
        frmSCSize w;
        w.show();
        QTest::mouseClick(child<QPushButton>(w, "cmdCompute"), Qt::LeftButton);
        exportFrom(w.graph(), QStringLiteral("curves.csv"), QStringLiteral("CSV table (*.csv)"));
        QFile file(dir_.filePath(QStringLiteral("curves.csv")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const auto rows = csv::parse(file.readAll().toStdString());
        QVERIFY(rows);
        QCOMPARE(rows->size(), w.curves().ED.size() + 2);
        for (std::size_t i = 0; i < w.curves().ED.size(); ++i) {
            const csv::Row& r = (*rows)[i + 1];
            QCOMPARE(std::strtod(r[2].c_str(), nullptr), w.curves().ED[i]);
            QCOMPARE(std::strtod(r[3].c_str(), nullptr), w.curves().ET[i]);
        }
        QCOMPARE(std::strtof(rows->back()[2].c_str(), nullptr), w.curves().Pe);
    }

    void sizeTableHasOneRowPerHAndCopiesAsCells() {
        frmNNDim w;
        w.show();
        auto* units = child<QListWidget>(w, "ListUW");
        // Nothing computed: nothing to export.
        QVERIFY(!qtkit::copyToClipboard({{}, [] { return std::optional<csv::Table>(); }, {}}));
        QTest::mouseClick(child<QPushButton>(w, "cmdCompute"), Qt::LeftButton);
        QCOMPARE(units->count(), 10);

        exportFrom(child<QListWidget>(w, "ListUB"), QStringLiteral("size.csv"),
                   QStringLiteral("CSV table (*.csv)"));
        QFile file(dir_.filePath(QStringLiteral("size.csv")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const auto rows = csv::parse(file.readAll().toStdString());
        QVERIFY(rows && rows->size() == 11);
        QCOMPARE((*rows)[0].size(), std::size_t{8});
        QCOMPARE((*rows)[0][3], std::string("Max Nr. of Regions"));
        const char* lists[] = {"ListND", "ListVCDl", "ListVCDu", "ListLB", "ListUB"};
        for (int h = 1; h <= 10; ++h) {
            const csv::Row& r = (*rows)[static_cast<std::size_t>(h)];
            QCOMPARE(r[0], std::to_string(h));
            QCOMPARE(QString::fromStdString(r[1] + " : " + r[2]), units->item(h - 1)->text());
            for (int k = 0; k < 5; ++k)
                QCOMPARE(QString::fromStdString(r[static_cast<std::size_t>(3 + k)]),
                         child<QListWidget>(w, lists[k])->item(h - 1)->text());
        }

        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        units->setFocus();
        QTest::keyClick(units, Qt::Key_C, Qt::ControlModifier);
        const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 12); // header, ten rows, the last line's end
        QCOMPARE(lines[1].split(QLatin1Char('\t')).size(), 8);
        QVERIFY(lines[1].startsWith(QStringLiteral("1\t2\t5\t")));
    }
};

QTEST_MAIN(ExportTest)
#include "export_test.moc"
