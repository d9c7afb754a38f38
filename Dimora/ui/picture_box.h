// A drawing surface with a user coordinate scale: everything is drawn into an off-screen image
// that the widget shows, and mouse events arrive in user coordinates.
#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QWidget>

#include "engine/graph_layout.h"

class QPainter;

namespace dimora {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(const QString& name, QWidget* parent = nullptr);

    QImage& image() { return image_; }
    const QImage& image() const { return image_; }
    QColor background() const { return background_; }

    void setScale(const UserScale& scale) { scale_ = scale; }
    const UserScale& scale() const { return scale_; }

    /// Pixel position of a user point, and back.
    QPointF toPixel(double x, double y) const;
    QPointF toUser(QPointF pixel) const;

    /// User size of one pixel across and down (positive values).
    double userPerPixelX() const;
    double userPerPixelY() const;

    /// Fills the image with the background colour.
    void clear();

    /// Inverts the pixels of a dotted vertical line at user x from y1 to y2 (every other pixel);
    /// drawing the same line twice restores the picture.
    void invertDottedVertical(double x, double y1, double y2);

signals:
    /// The surface changed size and its image was cleared: the owner draws it again.
    void repaintNeeded();
    void mouseDown(Qt::MouseButton button, QPointF user);
    void mouseMove(Qt::MouseButtons buttons, QPointF user);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage image_;
    UserScale scale_{0.0, 0.0, 1.0, 1.0};
    QColor background_ = Qt::white;
};

} // namespace dimora
