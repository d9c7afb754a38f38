#include "ui/frm_perceptrom.h"
#include "ui/plane_canvas.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QtTest>

using namespace perceptron;

class FrmPerceptromTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<frmPerceptrom> window;

    template <typename T> T* child(const char* name) {
        T* widget = window->findChild<T*>(QString::fromLatin1(name));
        if (!widget) qFatal("no control %s", name);
        return widget;
    }

    // The widget position of the plane's user point (x, yd).
    static QPoint widgetPos(double x, double yd) {
        QPointF p = PlaneCanvas::toPixel(x, yd);
        return QPoint(static_cast<int>(p.x()), static_cast<int>(p.y())) +
               QPoint(scale::border_px, scale::border_px);
    }

    void sendMouse(QEvent::Type type, QPoint at) {
        auto* plane = child<PlaneCanvas>("Picturexy");
        Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(at), plane->mapToGlobal(QPointF(at)), button,
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(plane, &event);
    }

    // Pixels of the drawing area within `radius` pixels of the user point (x, yd) that are
    // `rgb`, or for text (drawn with smoothed edges) that lean clearly towards it.
    int pixelsNear(double x, double yd, QRgb rgb, int radius = 2) {
        const QImage& image = child<PlaneCanvas>("Picturexy")->image();
        QPointF centre = PlaneCanvas::toPixel(x, yd);
        int count = 0;
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx) {
                QPoint p(static_cast<int>(centre.x()) + dx, static_cast<int>(centre.y()) + dy);
                if (image.rect().contains(p) && looksLike(image.pixel(p), rgb)) ++count;
            }
        return count;
    }

    // True for a pixel of colour `rgb` or of smoothed text edges in that colour: such a pixel
    // blends the colour with the white background by one coverage a in every channel,
    // 255 − pixel = a·(255 − colour).
    static bool looksLike(QRgb pixel, QRgb rgb) {
        const int have[3] = {qRed(pixel), qGreen(pixel), qBlue(pixel)};
        const int want[3] = {qRed(rgb), qGreen(rgb), qBlue(rgb)};
        double lowest = 1, highest = 0;
        for (int c = 0; c < 3; ++c) {
            double a = (255.0 - have[c]) / (255.0 - want[c]);
            lowest = std::min(lowest, a);
            highest = std::max(highest, a);
        }
        return lowest > 0.35 && highest - lowest < 0.2;
    }

    void pressStep(int times) {
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(child<QPushButton>("cmdstep"), Qt::LeftButton);
    }

    static constexpr QRgb darkYellow = 0x808000;
    static constexpr QRgb darkRed = 0x800000;

private slots:
    void init() {
        window = std::make_unique<frmPerceptrom>();
        window->show();
    }
    void cleanup() { window.reset(); }

    void opensWithAxesAndNoSet() {
        QCOMPARE(window->windowTitle(), QStringLiteral("Perceptron"));
        QCOMPARE(child<QRadioButton>("Opconj1")->text(), QStringLiteral("Set 1"));
        QCOMPARE(child<QRadioButton>("Opconj2")->text(), QStringLiteral("Set 2"));
        QCOMPARE(child<QPushButton>("cmdstep")->text(), QStringLiteral("&Step"));
        QVERIFY(!child<QRadioButton>("Opconj1")->isChecked());
        QVERIFY(!child<QRadioButton>("Opconj2")->isChecked());
        QCOMPARE(window->lineColour(), 6);
        // The vertical axis is black at (0, 0.3).
        QVERIFY(pixelsNear(0, 0.3, 0x000000, 1) > 0);

        // Step, pointing and clicking do nothing without a set.
        const QImage before = child<PlaneCanvas>("Picturexy")->image();
        pressStep(1);
        QCOMPARE(child<PlaneCanvas>("Picturexy")->image(), before);
        QCOMPARE(window->demonstration().weights(), (Weights{0, 0, 0}));
        sendMouse(QEvent::MouseMove, widgetPos(5.95, 0.11));
        sendMouse(QEvent::MouseButtonPress, widgetPos(5.95, 0.11));
        QCOMPARE(window->shownImage(), QString());
    }

    void optionButtonsSelectOneSetAndRestart() {
        auto* set1 = child<QRadioButton>("Opconj1");
        auto* set2 = child<QRadioButton>("Opconj2");
        QTest::mouseClick(set1, Qt::LeftButton);
        QVERIFY(set1->isChecked());
        QCOMPARE(window->demonstration().samples().u.size(), std::size_t{8});
        QCOMPARE(window->demonstration().weights(), start_weights);
        // The start line runs from (6, yd 0) to (0, yd 0.6): its middle is (3, 0.3).
        QVERIFY(pixelsNear(3, 0.3, darkYellow) > 0);
        // U sample 0 at (6, 0.5) is printed as a dark red "X" from (5.9, 0.09).
        QVERIFY(pixelsNear(5.95, 0.1, darkRed, 4) > 0);

        QTest::mouseClick(set2, Qt::LeftButton);
        QVERIFY(set2->isChecked());
        QVERIFY(!set1->isChecked());
        QCOMPARE(window->demonstration().samples().u.size(), std::size_t{10});

        pressStep(3);
        QVERIFY(window->demonstration().weights() != start_weights);
        QTest::mouseClick(set2, Qt::LeftButton); // choosing the same set again restarts it
        QVERIFY(set2->isChecked());
        QCOMPARE(window->demonstration().weights(), start_weights);
    }

    void stepRedrawsTheLine() {
        QTest::mouseClick(child<QRadioButton>("Opconj1"), Qt::LeftButton);
        pressStep(6);
        const Weights& w = window->demonstration().weights();
        QCOMPARE(w[2], -22.5f);
        // The new line crosses yd = 0.3 (Y = 0.3) at X = −(w(1)·0.3 + w(2)) / w(0), about 3.39.
        double x = -(w[1] * 0.3 + w[2]) / static_cast<double>(w[0]);
        QVERIFY(pixelsNear(x, 0.3, darkYellow) > 0);
        QCOMPARE(pixelsNear(3, 0.3, darkYellow), 0);  // the start line is gone
        QVERIFY(pixelsNear(0, 0.3, 0x000000, 1) > 0); // the axes are drawn again
        QTest::keyClick(window.get(), Qt::Key_S, Qt::AltModifier);
        QCOMPARE(window->demonstration().weights()[2], -22.5f); // separated: nothing moves
    }

    void readoutShowsThePointerPosition() {
        // Pixel (257, 64) of the drawing area is X = −0.25 + 257/41.183, yd = −0.04 + 64/460.94.
        sendMouse(QEvent::MouseMove, QPoint(257, 64) + QPoint(scale::border_px, scale::border_px));
        QCOMPARE(window->readoutText(), QStringLiteral("X:  5.99 ; Y:  .5"));
        // The text is printed in black inside the strip at (4, 0).
        const QImage& image = child<PlaneCanvas>("Picturexy")->image();
        QRectF strip(PlaneCanvas::toPixel(3.92, 0), PlaneCanvas::toPixel(6.0, 0.03));
        int black = 0;
        for (int y = static_cast<int>(strip.top()); y < static_cast<int>(strip.bottom()); ++y)
            for (int x = static_cast<int>(strip.left()); x < static_cast<int>(strip.right()); ++x)
                black += looksLike(image.pixel(x, y), 0x000000) ? 1 : 0;
        QVERIFY(black > 10);
    }

    void shorterReadoutLeavesNothingOfALongerOne() {
        // At X >= 10 with two decimals in both numbers the readout is at its longest.
        sendMouse(QEvent::MouseMove, widgetPos(10.57, 0.13));
        QVERIFY2(QRegularExpression(QStringLiteral("^X:  10\\.\\d\\d ; Y:  \\.\\d\\d$"))
                     .match(window->readoutText())
                     .hasMatch(),
                 qPrintable(window->readoutText()));
        sendMouse(QEvent::MouseMove, widgetPos(1.0, 0.3));
        const QImage after = child<PlaneCanvas>("Picturexy")->image();

        // The plane shows what a window that only saw the second readout shows.
        auto other = std::make_unique<frmPerceptrom>();
        other->show();
        std::swap(window, other);
        sendMouse(QEvent::MouseMove, widgetPos(1.0, 0.3));
        QCOMPARE(child<PlaneCanvas>("Picturexy")->image(), after);
    }

    void hoverAndClickShowTheLetterImage() {
        QTest::mouseClick(child<QRadioButton>("Opconj1"), Qt::LeftButton);
        auto* bmp = child<QLabel>("bmp");
        QVERIFY(bmp->pixmap().isNull());

        sendMouse(QEvent::MouseMove, widgetPos(6.0, 0.6 - 0.52)); // over U sample 0
        QCOMPARE(window->shownImage(), QStringLiteral("U1"));
        QCOMPARE(bmp->pixmap().size(), QSize(29, 46));

        sendMouse(QEvent::MouseMove, widgetPos(9.5, 0.5)); // empty place: the image stays
        QCOMPARE(window->shownImage(), QStringLiteral("U1"));

        sendMouse(QEvent::MouseButtonPress, widgetPos(2.0, 0.6 - 0.263)); // V sample 7
        QCOMPARE(window->shownImage(), QStringLiteral("V8"));
        QCOMPARE(bmp->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                 QImage(QStringLiteral(":/letters/V8.png")).convertToFormat(QImage::Format_RGB32));
    }

    void everyLetterImageIsBuiltIn() {
        for (const char* letter : {"U", "V"})
            for (int i = 1; i <= 10; ++i) {
                QImage image(
                    QStringLiteral(":/letters/%1%2.png").arg(QLatin1String(letter)).arg(i));
                QCOMPARE(image.size(), QSize(29, 46));
            }
    }
};

QTEST_MAIN(FrmPerceptromTest)
#include "frm_perceptrom_test.moc"
