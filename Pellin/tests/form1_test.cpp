#include "ui/form1.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using pellin::Form1;

class Form1Test : public QObject {
    Q_OBJECT

    QString label(Form1& f, const char* name) { return f.findChild<QLabel*>(name)->text(); }
    QLineEdit* edit(Form1& f, const char* name) { return f.findChild<QLineEdit*>(name); }

    QStringList messages;
    void record(Form1& f) {
        messages.clear();
        f.messageBox = [this](const QString& title, const QString& text) {
            messages << title + ": " + text;
        };
    }

private slots:
    void startsWithDefaults() {
        Form1 f;
        QCOMPARE(f.windowTitle(), QString("K-NN Classifier"));
        QCOMPARE(edit(f, "Text1")->text(), QString());
        QCOMPARE(edit(f, "Text2")->text(), QString("1"));
        QCOMPARE(edit(f, "Text3")->text(), QString("2"));
        QVERIFY(f.findChild<QRadioButton*>("Option1")->isChecked());
        QCOMPARE(f.findChild<QPushButton*>("Command1")->text(), QString("Compute"));
        QCOMPARE(label(f, "Label10"), QString("Overall Error (%)"));
        QCOMPARE(label(f, "Label3(1)"), QString("%"));
    }

    void pathWithAPointIsTakenAsTyped() {
        // ".." holds a point, so no extension is added and the file is not found.
        Form1 f;
        record(f);
        QTest::keyClicks(edit(f, "Text1"), "../examples/Pellin/four");
        QTest::mouseClick(f.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QCOMPARE(messages, QStringList({"Wrong Specifications: File not found"}));
        QCOMPARE(edit(f, "Text1")->text(), QString("../examples/Pellin/four"));
        QVERIFY(f.findChild<QPushButton*>("Command1")->isEnabled());
    }

    void computeWithExtensionAdded() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QString base = dir.path() + "/four";
        QVERIFY(!base.contains('.'));
        QFile file(base + ".txt");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("4, 2, 1\r\n0.1\r\n0.2\r\n0.9\r\n1.0\r\n");
        file.close();
        Form1 f;
        record(f);
        edit(f, "Text1")->setText(base);
        QTest::mouseClick(f.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QCOMPARE(messages, QStringList());
        QCOMPARE(edit(f, "Text1")->text(), base + ".txt");
        QCOMPARE(label(f, "Label18"), QString("4"));
        QCOMPARE(label(f, "Label22"), QString("2"));
        QCOMPARE(label(f, "Label11"), QString("2"));
        QCOMPARE(label(f, "Label23"), QString("100"));
        QCOMPARE(label(f, "Label15"), QString("0"));
        QCOMPARE(label(f, "Label31"), QString("0"));
    }

    void completedNameIsShownBeforeTheFileMessage() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString base = dir.path() + "/data";
        QVERIFY(!base.contains('.'));
        Form1 f;
        f.show();
        QString nameDuringMessage;
        f.messageBox = [&](const QString& title, const QString& text) {
            messages << title + ": " + text;
            nameDuringMessage = edit(f, "Text1")->text();
        };
        messages.clear();
        QTest::keyClicks(edit(f, "Text1"), base);
        QTest::mouseClick(f.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QCOMPARE(messages, QStringList({"Wrong Specifications: File not found"}));
        QCOMPARE(nameDuringMessage, base + ".txt");
    }

    void resultBoxesStayOneLineHighInALargeWindow() {
        Form1 f;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        const char* boxes[] = {"Label18", "Label20", "Label22", "Label29", "Label6", "Label15"};
        QMap<QString, int> heights;
        for (const char* name : boxes)
            heights[name] = f.findChild<QLabel*>(name)->height();
        const int lineBox = edit(f, "Text2")->height();
        f.resize(f.width() + 300, f.height() + 500);
        QTRY_VERIFY(f.findChild<QPushButton*>("Command1")->y() > 400);
        for (const char* name : boxes) {
            QLabel* box = f.findChild<QLabel*>(name);
            QCOMPARE(box->height(), heights[name]);
            QVERIFY2(box->height() <= lineBox + 4, name);
        }
        QCOMPARE(edit(f, "Text2")->height(), lineBox);
    }

    void stepwisePausesAndFailuresKeepTheSummary() {
        Form1 f;
        record(f);
        edit(f, "Text1")->setText(QFINDTESTDATA("../examples/Pellin/breast_cancer.txt"));
        f.findChild<QCheckBox*>("Check1")->setChecked(true);
        QTest::mouseClick(f.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QCOMPARE(messages, QStringList({"Step1 (1,86) (174,286): Continue...",
                                        "Step2 (87,173) (287,400): Continue..."}));
        QCOMPARE(label(f, "Label11"), QString("173"));
        QVERIFY(!label(f, "Label31").isEmpty());

        // Neighbours typed through the key filter: letters are discarded.
        edit(f, "Text2")->clear();
        QTest::keyClicks(edit(f, "Text2"), "9x99");
        QCOMPARE(edit(f, "Text2")->text(), QString("999"));
        QTest::mouseClick(f.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QCOMPARE(messages.last(), QString("Wrong Specifications: Wrong number of neighbours"));
        QCOMPARE(label(f, "Label18"), QString("400"));
        QCOMPARE(label(f, "Label11"), QString());
    }

    void editionGreysThePartitionSettings() {
        Form1 f;
        f.show();
        auto* option2 = f.findChild<QRadioButton*>("Option2");
        QTest::mouseClick(option2, Qt::LeftButton);
        QVERIFY(option2->isChecked());
        QVERIFY(!edit(f, "Text3")->isEnabled());
        QVERIFY(!f.findChild<QCheckBox*>("Check1")->isEnabled());
        auto* caption = f.findChild<QLabel*>("Label1");
        QCOMPARE(caption->palette().color(QPalette::WindowText),
                 f.palette().color(QPalette::Disabled, QPalette::WindowText));
        QTest::mouseClick(f.findChild<QRadioButton*>("Option1"), Qt::LeftButton);
        QVERIFY(edit(f, "Text3")->isEnabled());
        QVERIFY(f.findChild<QCheckBox*>("Check1")->isEnabled());
        QCOMPARE(caption->palette().color(QPalette::WindowText),
                 f.palette().color(QPalette::Active, QPalette::ButtonText));
    }

    void editionPausesOnceWithoutStepwise() {
        Form1 f;
        record(f);
        edit(f, "Text1")->setText(QFINDTESTDATA("../examples/Pellin/breast_cancer.txt"));
        edit(f, "Text2")->setText("3");
        QTest::mouseClick(f.findChild<QRadioButton*>("Option2"), Qt::LeftButton);
        QTest::mouseClick(f.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QCOMPARE(messages, QStringList({"Edition: Continue..."}));
        QCOMPARE(label(f, "Label11"), QString("86"));
        QCOMPARE(label(f, "Label31"), QString());
    }

    void emptyNameIsRefused() {
        Form1 f;
        record(f);
        QTest::mouseClick(f.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QCOMPARE(messages, QStringList({"Wrong Specifications: Wrong Filename"}));
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
