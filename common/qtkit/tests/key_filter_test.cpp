#include "qtkit/key_filter.h"

#include <QLineEdit>
#include <QtTest>

class KeyFilterTest : public QObject {
    Q_OBJECT
private slots:
    void digitsOnly() {
        QLineEdit edit;
        qtkit::filterDigits(&edit);
        QTest::keyClicks(&edit, "1a2.3-e,4");
        QCOMPARE(edit.text(), QString("1234"));
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QCOMPARE(edit.text(), QString("123"));
    }
    void realNumbers() {
        QLineEdit edit;
        qtkit::filterDigits(&edit, {.point = true, .comma = true, .signs = true, .exponent = true});
        QTest::keyClicks(&edit, "-1,5E+3x");
        QCOMPARE(edit.text(), QString("-1,5E+3"));
    }
    void pointOnly() {
        QLineEdit edit;
        qtkit::filterDigits(&edit, {.point = true});
        QTest::keyClicks(&edit, "-0.5e");
        QCOMPARE(edit.text(), QString("0.5"));
    }
};

QTEST_MAIN(KeyFilterTest)
#include "key_filter_test.moc"
