#include "engine/rule.h"
#include "ui/frm_perceptrom.h"
#include "ui/plane_canvas.h"

#include "csv/csv.h"
#include "qtkit/export_actions.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

using namespace perceptron;

// The plane's "Export..." and Copy entries, driven as a user drives them.
class PlaneExportTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<frmPerceptrom> window_;
    std::optional<qtkit::ExportChoice> choice_;

    template <typename T> T* child(const char* name) {
        T* widget = window_->findChild<T*>(QString::fromLatin1(name));
        if (!widget) qFatal("no control %s", name);
        return widget;
    }

    QAction* action(const char* name) {
        for (QAction* a : child<PlaneCanvas>("Picturexy")->actions())
            if (a->objectName() == QLatin1String(name)) return a;
        qFatal("no action %s", name);
    }

    // Chooses `file` with `filter` in the export dialog opened from the plane's context menu.
    void exportAs(const QString& file, const QString& filter) {
        choice_ = qtkit::ExportChoice{dir_.filePath(file), filter};
        action("actionExport")->trigger();
    }

    void setUpSet1AfterSixSteps() {
        QTest::mouseClick(child<QRadioButton>("Opconj1"), Qt::LeftButton);
        for (int i = 0; i < 6; ++i)
            QTest::mouseClick(child<QPushButton>("cmdstep"), Qt::LeftButton);
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        qtkit::setExportChooser(
            [this](QWidget*, const QString&, const QStringList&) { return choice_; });
        qtkit::setExportFailure([](QWidget*, const QString& text) { QFAIL(qPrintable(text)); });
    }
    void init() {
        window_ = std::make_unique<frmPerceptrom>();
        window_->show();
    }
    void cleanup() { window_.reset(); }

    void contextMenuOffersExportAndCopy() {
        auto* plane = child<PlaneCanvas>("Picturexy");
        QCOMPARE(plane->contextMenuPolicy(), Qt::ActionsContextMenu);
        QCOMPARE(action("actionExport")->text(), QStringLiteral("Export..."));
        QCOMPARE(action("actionCopy")->shortcut(), QKeySequence(QKeySequence::Copy));
    }

    void figureShowsTheLineTheSamplesAndTheAxes() {
        setUpSet1AfterSixSteps();
        exportAs(QStringLiteral("plane.svg"), QStringLiteral("SVG image (*.svg)"));
        QFile svg(dir_.filePath(QStringLiteral("plane.svg")));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&svg);
        QStringList texts;
        int lines = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement()) continue;
            if (xml.name() == QLatin1String("text")) texts << xml.readElementText().trimmed();
            if (xml.name() == QLatin1String("polyline") || xml.name() == QLatin1String("path"))
                ++lines;
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(texts.count(QStringLiteral("X")), 8 + 1); // the U samples and the axis
        QCOMPARE(texts.count(QStringLiteral("O")), 8);
        for (const char* label : {"Y", "0", "10", ".1", ".6"})
            QVERIFY2(texts.contains(QLatin1String(label)), label);
        QVERIFY(lines >= 5);

        // At 3x the line is where the window draws it, three times as far from the corner.
        exportAs(QStringLiteral("plane"), QStringLiteral("PNG image, 3x size (*.png)"));
        QImage big(dir_.filePath(QStringLiteral("plane.png")));
        QCOMPARE(big.size(), QSize(3 * scale::area_width_px, 3 * scale::area_height_px));
        const Weights& w = window_->demonstration().weights();
        const double x = -(w[1] * 0.3 + w[2]) / static_cast<double>(w[0]);
        const QPointF at = PlaneCanvas::toPixel(x, 0.3) * 3;
        int yellowish = 0;
        for (int dx = -4; dx <= 4; ++dx) {
            const QRgb p = big.pixel(qRound(at.x()) + dx, qRound(at.y()));
            if (qRed(p) > qBlue(p) + 40 && qGreen(p) > qBlue(p) + 40) ++yellowish;
        }
        QVERIFY(yellowish >= 1);
    }

    void tableReadsBackToTheActivationsUnderACommaLocale() {
        setUpSet1AfterSixSteps();
        exportAs(QStringLiteral("samples.csv"), QStringLiteral("CSV table (*.csv)"));
        QFile file(dir_.filePath(QStringLiteral("samples.csv")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const auto rows = csv::parse(file.readAll().toStdString());
        QVERIFY(rows);
        QCOMPARE(rows->size(), std::size_t{17});
        QCOMPARE((*rows)[0], (csv::Row{"Sample", "X", "Y", "s", "Side"}));
        const Demonstration& demo = window_->demonstration();
        for (std::size_t i = 0; i < 8; ++i) {
            const csv::Row& u = (*rows)[1 + i];
            QCOMPARE(u[0], "U" + std::to_string(i + 1));
            QCOMPARE(std::strtof(u[2].c_str(), nullptr), demo.samples().u[i].y);
            QCOMPARE(std::strtof(u[3].c_str(), nullptr),
                     activation(demo.weights(), demo.samples().u[i]));
            QCOMPARE(u[4], std::string("correct"));
        }
    }

    void ctrlCCopiesTheSamplesAsCells() {
        // Before a set is chosen there are no samples: a click and Ctrl+C copy the bare axes.
        auto* plane = child<PlaneCanvas>("Picturexy");
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        QTest::mouseClick(plane, Qt::LeftButton, {}, QPoint(400, 300));
        QTest::keyClick(plane, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->image().size(),
                 QSize(scale::area_width_px, scale::area_height_px));

        setUpSet1AfterSixSteps();
        plane->setFocus();
        QTest::keyClick(plane, Qt::Key_C, Qt::ControlModifier);
        const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
        QCOMPARE(lines.front(), QStringLiteral("Sample\tX\tY\ts\tSide"));
        QVERIFY(lines[1].startsWith(QStringLiteral("U1\t6\t0.5\t")));
    }
};

QTEST_MAIN(PlaneExportTest)
#include "plane_export_test.moc"
