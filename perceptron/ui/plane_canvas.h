// The drawing surface of the plane: a framed box that keeps what is drawn on it in an
// off-screen image and reports the pointer in the plane's user coordinates.
#pragma once

#include "engine/plane.h"

#include <QFrame>
#include <QImage>

class QPainter;

namespace perceptron {

class PlaneCanvas : public QFrame {
    Q_OBJECT
public:
    explicit PlaneCanvas(QWidget* parent = nullptr);

    /// Fills the drawing area with the background colour.
    void clear();

    /// Draws the strokes on top of what is there, in their order.
    void draw(const Drawing& strokes);

    /// Paints the strokes with any painter whose coordinates are the drawing area's pixels (the
    /// canvas's image, or a figure being exported at another resolution).
    static void paintStrokes(QPainter& painter, const Drawing& strokes);

    /// What the drawing area shows (465 x 321 pixels, without the border).
    const QImage& image() const { return image_; }

    /// The pixel of the drawing area where the user point (x, yd) falls.
    static QPointF toPixel(double x, double yd);

    static QColor background();

    /// The width (in X units) and height (in yd units) that `text` takes on the plane.
    static QSizeF textExtent(const std::string& text);

signals:
    void pointerMoved(perceptron::UserPoint at);
    void pointerPressed(perceptron::UserPoint at);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    UserPoint userPointOf(const QPointF& widgetPos) const;

    QImage image_;
};

} // namespace perceptron
