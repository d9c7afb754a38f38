// The shared up-down control driven as a person drives it: its arrows and the arrow keys.
#include "qtkit/up_down.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

namespace {

// The up arrow is the control's upper half, the down arrow its lower half.
void clickUp(qtkit::UpDown& u) {
    QTest::mouseClick(&u, Qt::LeftButton, {}, QPoint(u.width() / 2, u.height() / 4));
}
void clickDown(qtkit::UpDown& u) {
    QTest::mouseClick(&u, Qt::LeftButton, {}, QPoint(u.width() / 2, u.height() * 3 / 4));
}

} // namespace

class UpDownTest : public QObject {
    Q_OBJECT
private slots:
    void startsNamedWithinItsRangeAndShowsNoText() {
        qtkit::UpDown u("udDim", 2, 9, 2);
        QCOMPARE(u.objectName(), QString("udDim"));
        QCOMPARE(u.value(), 2);
        QCOMPARE(u.minimum(), 2);
        QCOMPARE(u.maximum(), 9);
        u.show();
        QVERIFY(QTest::qWaitForWindowExposed(&u));
        QVERIFY(!u.findChild<QLineEdit*>()->isVisible());
    }

    // Each arrow moves the value by one and says the person stepped it; at an end of the range
    // the value stays and nothing is said.
    void arrowsStepWithinTheRange() {
        qtkit::UpDown u("ud", 1, 3, 1);
        u.show();
        QVERIFY(QTest::qWaitForWindowExposed(&u));
        QSignalSpy stepped(&u, &qtkit::UpDown::stepped);
        clickUp(u);
        clickUp(u);
        QCOMPARE(u.value(), 3);
        clickUp(u);
        QCOMPARE(u.value(), 3);
        QCOMPARE(stepped.count(), 2);
        clickDown(u);
        QCOMPARE(u.value(), 2);
        QCOMPARE(stepped.count(), 3);
        QCOMPARE(stepped.last().at(0).toInt(), 2);
    }

    void arrowKeysStepLikeTheArrows() {
        qtkit::UpDown u("ud", 1, 50, 12);
        u.show();
        QVERIFY(QTest::qWaitForWindowExposed(&u));
        u.setFocus();
        QSignalSpy stepped(&u, &qtkit::UpDown::stepped);
        QTest::keyClick(&u, Qt::Key_Up);
        QCOMPARE(u.value(), 13);
        QTest::keyClick(&u, Qt::Key_Down);
        QTest::keyClick(&u, Qt::Key_Down);
        QCOMPARE(u.value(), 11);
        QCOMPARE(stepped.count(), 3);
    }

    // A value set by the program is not a step: a window that rebuilds on a step is not asked
    // to rebuild again while it shows a loaded file's size.
    void settingTheValueIsNotAStep() {
        qtkit::UpDown u("ud", 1, 50, 1);
        QSignalSpy stepped(&u, &qtkit::UpDown::stepped);
        QSignalSpy changed(&u, &QSpinBox::valueChanged);
        u.setValue(20);
        u.setValue(99);
        QCOMPARE(u.value(), 50);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(stepped.count(), 0);
    }
};

QTEST_MAIN(UpDownTest)
#include "up_down_test.moc"
