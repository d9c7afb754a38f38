// "Export..." and Copy of the results table, driven as a user drives them.
#include "csv/csv.h"
#include "qtkit/export_actions.h"
#include "ui/form1.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using pellin::Form1;

class ExportTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::optional<qtkit::ExportChoice> choice_;

    template <typename T> static T* child(QWidget& w, const char* name) {
        T* c = w.findChild<T*>(QString::fromLatin1(name));
        if (!c) qFatal("no control %s", name);
        return c;
    }

    static QAction* action(QWidget* w, const char* name) {
        for (QAction* a : w->actions())
            if (a->objectName() == QLatin1String(name)) return a;
        qFatal("no action %s", name);
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        qtkit::setExportChooser(
            [this](QWidget*, const QString&, const QStringList&) { return choice_; });
        qtkit::setExportFailure([](QWidget*, const QString& text) { QFAIL(qPrintable(text)); });
    }

    void stepwiseResultsExportAsRowsPerFold() {
        Form1 form;
        QStringList messages;
        form.messageBox = [&messages](const QString& t, const QString&) { messages << t; };
        form.show();
        QWidget* results = child<QWidget>(form, "FrameResults");
        QCOMPARE(action(results, "actionExport")->text(), QStringLiteral("Export..."));

        // Nothing computed yet: Ctrl+C leaves the clipboard alone.
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        results->setFocus();
        QTest::keyClick(results, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));

        child<QLineEdit>(form, "Text1")
            ->setText(QDir::current().absoluteFilePath("../examples/Pellin/breast_cancer.txt"));
        child<QLineEdit>(form, "Text2")->setText(QStringLiteral("3"));
        child<QLineEdit>(form, "Text3")->setText(QStringLiteral("3"));
        child<QCheckBox>(form, "Check1")->setChecked(true);
        QTest::mouseClick(child<QPushButton>(form, "Command1"), Qt::LeftButton);
        QCOMPARE(messages.size(), 3);

        choice_ = qtkit::ExportChoice{dir_.filePath("results.csv"), "CSV table (*.csv)"};
        action(results, "actionExport")->trigger();
        QFile file(dir_.filePath("results.csv"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const auto rows = csv::parse(file.readAll().toStdString());
        QVERIFY(rows && rows->size() == 5);
        const csv::Row& total = rows->back();
        QCOMPARE(total[0], std::string("Total"));
        // The numbers read back to what the table shows once rounded as the labels round.
        auto shown = [&form](const char* name) {
            return child<QLabel>(form, name)->text().toDouble();
        };
        QCOMPARE(std::strtod(total[1].c_str(), nullptr), shown("Label6"));
        QCOMPARE(std::strtod(total[10].c_str(), nullptr), shown("Label12"));
        QVERIFY(std::fabs(std::strtod(total[2].c_str(), nullptr) - shown("Label23")) < 0.005);
        QVERIFY(std::fabs(std::strtod(total[11].c_str(), nullptr) - shown("Label15")) < 0.005);
        QVERIFY(std::fabs(std::strtod(total[12].c_str(), nullptr) - shown("Label31")) < 0.005);

        results->setFocus();
        QTest::keyClick(results, Qt::Key_C, Qt::ControlModifier);
        const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
        QVERIFY(lines[0].startsWith(QStringLiteral("Step\tC1 as C1\t%\t")));
        QVERIFY(lines[4].startsWith(QStringLiteral("Total\t")));
    }
};

QTEST_MAIN(ExportTest)
#include "export_test.moc"
