#include "picture_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace dimora {

PictureBox::PictureBox(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
    image_ = QImage(1, 1, QImage::Format_RGB32);
    image_.fill(background_);
}

QPointF PictureBox::toPixel(double x, double y) const {
    const double w = image_.width();
    const double h = image_.height();
    return {(x - scale_.left) / (scale_.right - scale_.left) * w,
            (y - scale_.top) / (scale_.bottom - scale_.top) * h};
}

QPointF PictureBox::toUser(QPointF pixel) const {
    const double w = image_.width();
    const double h = image_.height();
    return {scale_.left + pixel.x() / w * (scale_.right - scale_.left),
            scale_.top + pixel.y() / h * (scale_.bottom - scale_.top)};
}

double PictureBox::userPerPixelX() const {
    return std::fabs(scale_.right - scale_.left) / image_.width();
}

double PictureBox::userPerPixelY() const {
    return std::fabs(scale_.top - scale_.bottom) / image_.height();
}

void PictureBox::clear() {
    image_.fill(background_);
    update();
}

void PictureBox::invertDottedVertical(double x, double y1, double y2) {
    const QPointF a = toPixel(x, y1);
    const QPointF b = toPixel(x, y2);
    const int px = static_cast<int>(std::lround(a.x()));
    if (px < 0 || px >= image_.width()) return;
    int top = static_cast<int>(std::lround(std::min(a.y(), b.y())));
    int bottom = static_cast<int>(std::lround(std::max(a.y(), b.y())));
    top = std::max(top, 0);
    bottom = std::min(bottom, image_.height() - 1);
    for (int py = top; py <= bottom; py += 2) {
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(py));
        line[px] ^= 0x00FFFFFFu;
    }
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

void PictureBox::resizeEvent(QResizeEvent*) {
    image_ = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    image_.fill(background_);
    emit repaintNeeded();
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    emit mouseDown(event->button(), toUser(event->position()));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMove(event->buttons(), toUser(event->position()));
}

} // namespace dimora
